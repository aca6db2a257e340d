#include "platform/AccessibleArea.h"

#include <QAccessibleWidget>

namespace platform {

namespace {

QAccessibleInterface* accessibleArea(const QString&, QObject* object) {
    if (auto* area = qobject_cast<AccessibleArea*>(object))
        return new QAccessibleWidget(area, area->role());
    return nullptr;
}

} // namespace

AccessibleArea::AccessibleArea(QWidget* form, QAccessible::Role role) : QWidget(form), role_(role) {
    static const bool installed = (QAccessible::installFactory(&accessibleArea), true);
    (void)installed;
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    lower(); // under every control
}

void AccessibleArea::announce(const QString& text) {
    // Screen readers speak a notification when it appears; hiding it first
    // makes it appear anew.
    hide();
    setAccessibleName(text);
    show();
}

} // namespace platform
