#include "platform/PrintedTextView.h"

#include "platform/Surface.h"

#include <QAccessible>

namespace platform {

PrintedTextView::PrintedTextView(QWidget* form, const Surface& surface)
    : QWidget(form), surface_(surface) {
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    lower(); // under every control
}

void PrintedTextView::refresh() {
    const QString text = surface_.lines().join(QLatin1Char('\n'));
    if (text == text_)
        return;
    const QString old = text_;
    text_ = text;
    QAccessibleTextUpdateEvent event(this, 0, old, text_);
    QAccessible::updateAccessibility(&event);
}

} // namespace platform
