#include "platform/AccessibleArea.h"

namespace platform {

AccessibleArea::AccessibleArea(QWidget* form, QAccessible::Role role) : QWidget(form), role_(role) {
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
