#pragma once

#include <QColor>
#include <QFont>
#include <QRect>
#include <QString>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

// The intrinsic controls of a form, placed at their box (device-independent
// pixels) inside their container (the window or a frame), in their font.
namespace platform {

QGroupBox* makeFrame(QWidget* container, const QString& caption, const QRect& box,
                     const QFont& font);
QLineEdit* makeTextBox(QWidget* container, const QRect& box, const QFont& font);
QPushButton* makeCommandButton(QWidget* container, const QString& caption, const QRect& box,
                               const QFont& font);
// Opaque like the forms' labels, in the background colour, so that its text
// stays readable over the picture: the caption from the top left in the
// colour, wrapped within the box's width where it wraps.
QLabel* makeLabel(QWidget* container, const QString& caption, const QRect& box, const QFont& font,
                  bool wraps, const QColor& colour, const QColor& background);

} // namespace platform
