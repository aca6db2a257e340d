#include "platform/AccessibleCaretGate.h"

#include <QtGui/private/qguiapplication_p.h>
#include <QtGui/qpa/qplatformaccessibility.h>
#include <QtGui/qpa/qplatformintegration.h>

namespace platform {

void AccessibleCaretGate::install() {
    static const bool installed =
        (instance().next_ = QAccessible::installUpdateHandler(&AccessibleCaretGate::handle), true);
    (void)installed;
}

AccessibleCaretGate& AccessibleCaretGate::instance() {
    static AccessibleCaretGate gate;
    return gate;
}

void AccessibleCaretGate::handle(QAccessibleEvent* event) {
    AccessibleCaretGate& gate = instance();
    if (event->type() == QAccessible::Focus && event->object())
        gate.remember(event->object());
    if (!gate.holdsBack(*event))
        gate.passOn(event);
}

bool AccessibleCaretGate::holdsBack(const QAccessibleEvent& event) const {
    const QAccessible::Event type = event.type();
    if (type != QAccessible::TextCaretMoved && type != QAccessible::TextSelectionChanged)
        return false;
    const QObject* object = event.object();
    if (!object)
        return false; // nothing to tell apart: let it through
    const auto found = focused_.constFind(object);
    return found == focused_.cend() || found->isNull();
}

void AccessibleCaretGate::remember(QObject* focused) {
    focused_.removeIf([](const auto& entry) { return entry.value().isNull(); });
    focused_.insert(focused, focused);
}

void AccessibleCaretGate::passOn(QAccessibleEvent* event) const {
    if (next_) {
        next_(event);
        return;
    }
    // What QAccessible::updateAccessibility does when no handler is installed.
    if (QPlatformIntegration* platform = QGuiApplicationPrivate::platformIntegration())
        if (QPlatformAccessibility* bridge = platform->accessibility())
            bridge->notifyAccessibilityUpdate(event);
}

} // namespace platform
