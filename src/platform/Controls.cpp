#include "platform/Controls.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace platform {

namespace {

template <typename Control> Control* place(Control* control, const QRect& box, const QFont& font) {
    control->setFont(font);
    control->setGeometry(box);
    return control;
}

} // namespace

QGroupBox* makeFrame(QWidget* container, const QString& caption, const QRect& box,
                     const QFont& font) {
    auto* frame = place(new QGroupBox(caption, container), box, font);
    frame->setFocusPolicy(Qt::NoFocus);
    return frame;
}

QLineEdit* makeTextBox(QWidget* container, const QRect& box, const QFont& font) {
    return place(new QLineEdit(container), box, font);
}

QPushButton* makeCommandButton(QWidget* container, const QString& caption, const QRect& box,
                               const QFont& font) {
    auto* button = place(new QPushButton(caption, container), box, font);
    button->setAutoDefault(false);
    return button;
}

QLabel* makeLabel(QWidget* container, const QString& caption, const QRect& box, const QFont& font,
                  bool wraps, const QColor& colour, const QColor& background) {
    auto* label = place(new QLabel(caption, container), box, font);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setWordWrap(wraps);
    label->setAutoFillBackground(true);
    QPalette palette = label->palette();
    palette.setColor(QPalette::Window, background);
    palette.setColor(QPalette::WindowText, colour);
    label->setPalette(palette);
    return label;
}

} // namespace platform
