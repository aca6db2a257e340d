#include "platform/Controls.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <algorithm>

namespace platform {

namespace {

template <typename Control> Control* place(Control* control, const ControlDesign& design) {
    control->setFont(design.font);
    control->setGeometry(toQRect(design.rect));
    return control;
}

} // namespace

QGroupBox* makeFrame(QWidget* container, const ControlDesign& design) {
    auto* frame = place(new QGroupBox(design.caption, container), design);
    frame->setFocusPolicy(Qt::NoFocus);
    return frame;
}

QLineEdit* makeTextBox(QWidget* container, const ControlDesign& design) {
    return place(new QLineEdit(container), design);
}

QPushButton* makeCommandButton(QWidget* container, const ControlDesign& design) {
    auto* button = place(new QPushButton(design.caption, container), design);
    button->setAutoDefault(false);
    return button;
}

QLabel* makeLabel(QWidget* container, const ControlDesign& design, LabelSizing sizing,
                  std::optional<raster::Colour> colour) {
    auto* label = place(new QLabel(design.caption, container), design);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    // Opaque like the forms' labels: their text stays readable over the plot.
    label->setAutoFillBackground(true);
    QPalette palette = label->palette();
    palette.setColor(QPalette::Window, toQColor(raster::kButtonFaceColour, palette));
    if (colour)
        palette.setColor(QPalette::WindowText, toQColor(*colour, palette));
    label->setPalette(palette);
    if (sizing == LabelSizing::Auto) {
        label->adjustSize();
    } else {
        label->setWordWrap(true);
        // Where the desktop's font is wider than the design's, the box grows
        // downwards rather than cut the caption off.
        label->resize(label->width(),
                      std::max(label->height(), label->heightForWidth(label->width())));
    }
    return label;
}

} // namespace platform
