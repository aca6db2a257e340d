#pragma once

#include "platform/QtColours.h"
#include "platform/QtGeometry.h"

#include <QFont>
#include <QString>

#include <optional>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

// The intrinsic controls of a form, placed at twip geometry inside their
// container (the window or a frame), with the font of their design.
namespace platform {

struct ControlDesign {
    QString caption;
    raster::TwipRect rect;
    QFont font;
};

enum class LabelSizing {
    Auto, // the size follows the caption
    Wrap, // the box is kept and the caption wraps inside it
};

QGroupBox* makeFrame(QWidget* container, const ControlDesign& design);
QLineEdit* makeTextBox(QWidget* container, const ControlDesign& design);
QPushButton* makeCommandButton(QWidget* container, const ControlDesign& design);
// No colour keeps the label's default foreground colour.
QLabel* makeLabel(QWidget* container, const ControlDesign& design, LabelSizing sizing,
                  std::optional<raster::Colour> colour = std::nullopt);

} // namespace platform
