#pragma once

#include "main_window/WindowView.h"

#include <QImage>
#include <QString>

class QPainter;
class QPrinter;

namespace main_window {

// What the window shows, out of the window: its drawing with the captions
// over it, without the input boxes and buttons.
class Picture {
  public:
    // As on screen, pixel for pixel, at the screen's device pixel ratio.
    static QImage image(const WindowView& view);
    // The printed lines, as `calcolo` prints them; empty when none are printed.
    static QString text(const WindowView& view);

    // The same as vectors and text, in device-independent pixels: for a PDF
    // page or a printer at any resolution.
    static void paint(const WindowView& view, QPainter& painter);

    // Written whole or not at all; false with an Italian reason in *problem.
    static bool savePng(const WindowView& view, const QString& path, QString* problem);
    static bool savePdf(const WindowView& view, const QString& path, QString* problem);
    // On the printer as set up, as large as its page allows, at its
    // resolution; false with an Italian reason in *problem.
    static bool print(const WindowView& view, QPrinter& printer, QString* problem);
};

// The printer's complaint when a page cannot be begun or finished.
QString printingProblem(bool begun);

// Ends the painting on the printer; false with printingProblem in *problem
// where the page did not reach it whole. A printer that writes a PDF file
// must have written it to its trailer: Qt's PDF printer does not report a
// file that a full disk cut short.
bool finishPrinting(QPainter& painter, const QPrinter& printer, QString* problem);

} // namespace main_window
