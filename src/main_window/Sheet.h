#pragma once

#include "form/FormState.h"
#include "main_window/WindowView.h"

#include <QString>

#include <optional>
#include <vector>

class QPainter;
class QPrinter;

namespace main_window {

// "Scheda di calcolo": one A4 portrait page, all text and vector lines, of
// the form's last completed "Calcolo", whatever the window shows now: the
// inputs as typed and as used, the printed report and the plot with its axis
// captions. A teacher hands it out, a student hands it in; it is the same
// page from the window and from the command line.
class Sheet {
  public:
    using Calculation = std::optional<form::CompletedCalculation>;

    // The sheet of a calculation, with the window's axis captions over its
    // plot, in points from the top-left corner of an A4 page.
    static void paint(const form::CompletedCalculation& done, const std::vector<Caption>& captions,
                      QPainter& painter);

    // Written whole or not at all; false with an Italian reason in *problem,
    // also when there is no completed "Calcolo".
    static bool savePdf(const Calculation& done, const std::vector<Caption>& captions,
                        const QString& path, QString* problem);
    // On the printer as set up, at its resolution, shrunk where its paper is
    // smaller than A4; false with an Italian reason in *problem.
    static bool print(const Calculation& done, const std::vector<Caption>& captions,
                      QPrinter& printer, QString* problem);
};

} // namespace main_window
