#include "platform/AccessibleInterfaces.h"

#include "platform/AccessibleArea.h"
#include "platform/AccessibleCaretGate.h"
#include "platform/Form.h"
#include "platform/PrintedTextAccessible.h"
#include "platform/PrintedTextView.h"

#include <QAccessibleWidget>

namespace platform {

namespace {

QAccessibleInterface* accessibleFace(const QString&, QObject* object) {
    if (auto* form = qobject_cast<Form*>(object))
        return new QAccessibleWidget(form, QAccessible::Window); // not a "filler" panel
    if (auto* view = qobject_cast<PrintedTextView*>(object))
        return new PrintedTextAccessible(view);
    if (auto* area = qobject_cast<AccessibleArea*>(object))
        return new QAccessibleWidget(area, area->role());
    return nullptr;
}

} // namespace

void installAccessibleInterfaces() {
    static const bool installed = (QAccessible::installFactory(&accessibleFace), true);
    (void)installed;
    AccessibleCaretGate::install();
}

} // namespace platform
