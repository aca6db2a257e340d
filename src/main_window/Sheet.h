#pragma once

#include <QString>

class QPainter;
class QPrinter;

namespace main_window {

class Form1;

// "Scheda di calcolo": one A4 portrait page, all text and vector lines, of
// the form's last completed "Calcolo", whatever the window shows now: the
// inputs as typed and as used, the printed report and the plot with its axis
// captions. A teacher hands it out, a student hands it in; it is the same
// page from the window and from the command line.
class Sheet {
  public:
    // Whether the form has completed a "Calcolo" to put on a sheet.
    static bool available(const Form1& form);

    // The sheet, in points from the top-left corner of an A4 page. Needs
    // available(form).
    static void paint(const Form1& form, QPainter& painter);

    // Written whole or not at all; false with an Italian reason in *problem,
    // also when there is no completed "Calcolo".
    static bool savePdf(const Form1& form, const QString& path, QString* problem);
    // On the printer as set up, at its resolution, shrunk where its paper is
    // smaller than A4; false with an Italian reason in *problem.
    static bool print(const Form1& form, QPrinter& printer, QString* problem);
};

} // namespace main_window
