#pragma once

#include <QImage>
#include <QString>

class QPainter;

namespace main_window {

class Form1;

// What the window shows, out of the window: its drawing with the labels over
// it, without the input boxes and buttons.
class Picture {
  public:
    // As on screen, pixel for pixel, at the screen's device pixel ratio.
    static QImage image(const Form1& form);

    // The same as vectors and text, in device-independent pixels: for a PDF
    // page or a printer at any resolution.
    static void paint(const Form1& form, QPainter& painter);

    // Written whole or not at all; false with an Italian reason in *problem.
    static bool savePng(const Form1& form, const QString& path, QString* problem);
    static bool savePdf(const Form1& form, const QString& path, QString* problem);
};

} // namespace main_window
