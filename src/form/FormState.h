#pragma once

#include "engine/Calculation.h"
#include "engine/CalculationValues.h"
#include "plot/NearRangePlot.h"
#include "raster/Colour.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace raster {
class PixelCanvas;
}

namespace form {

// A "Calcolo" that completed: the boxes' texts as typed and what they gave.
struct CompletedCalculation {
    std::string temperature;
    std::string salinity;
    std::string depth;
    engine::Calculation calculation;
};

// What a face lets the user do with what it shows; decided here for every face.
struct Offers {
    bool copyReport = false; // the report is shown: it can be copied as text
    bool savePlot = false;   // the plot is shown: the page saves it as a picture
    bool sheet = false;      // a "Calcolo" completed: its sheet can be saved or printed

    bool operator==(const Offers&) const = default;
};

// What a face does at the start, after a click or after a tick, in this
// order: the timer, the picture, the background, the axis captions and the
// chart, the report's lines, the plot's drawing (which asks draw() for what
// follows), then what is said aloud and last the error's message. Empty
// members change nothing; offers always holds what the face offers after it.
struct Reaction {
    enum class Timer { Keep, Start, Stop, Rest }; // Rest: until the picture changes
    Timer timer = Timer::Keep;
    bool clearPicture = false;
    std::optional<raster::Colour> backColour;
    std::optional<bool> axisCaptionsShown;
    std::optional<bool> chartShown; // the plot for a screen reader, with chartSummary
    std::string chartSummary;
    std::vector<std::string> report; // lines to print, empty for a blank line
    bool draw = false;
    // After a drawing: the picture changed, or stopped on an error, so a face
    // that copies the picture's pixels to the screen (the page) copies them.
    bool copyPicture = false;
    std::string announcement;
    std::string error;
    Offers offers;

    bool operator==(const Reaction&) const = default;
};

// The timer after a change, for a face that keeps a timer of its own:
// whether it runs, and whether it then waits for the picture to change.
// None keeps it as it is.
struct TimerState {
    bool running = false;
    bool resting = false;
};
std::optional<TimerState> timerAfter(Reaction::Timer change);

// The form's buttons and timer, whatever shows them: the window and the web
// page keep their state here and only apply what it answers. The values are
// those of the last completed "Calcolo" (zero before one); only "Calcolo"
// changes them, so text typed afterwards does not move the plot. Each drawing
// of the plot leaves d1, r1 and S as its last ray step did: the first plot
// before any calculation is one red circle, and the next drawing the whole ray.
class FormState {
  public:
    // What a face shows before any click: no report, no plot nor its
    // captions, the window's first background, nothing to save or print.
    Reaction start() const;

    // "Calcolo" with the three boxes' texts. A failure keeps the values and
    // the last completed calculation, and says its message.
    Reaction calcolo(std::string_view temperature, std::string_view salinity,
                     std::string_view depth);

    // "Grafico": the plot is shown, and drawn at once and on every tick.
    Reaction grafico();

    // One drawing of the plot on the picture, from the current values: after
    // "Grafico", and on each tick. A failure stops the timer, keeps what was
    // drawn and says its message.
    Reaction draw(raster::PixelCanvas& picture);

    // The picture moved to a screen of another pixel ratio: what it shows is
    // drawn anew there, the report printed again or the plot redrawn while
    // its timer runs, so that nothing stays as a scaled copy. A plot that
    // stopped on an error is kept as it is, not drawn into the error again.
    Reaction newRatio() const;

    bool plotShown() const { return plotShown_; }
    Offers offers() const { return {reportShown_, plotShown_, last_.has_value()}; }
    const engine::CalculationValues& values() const { return values_; }
    const std::optional<CompletedCalculation>& lastCalculation() const { return last_; }

  private:
    std::string plotSummary() const;

    engine::CalculationValues values_;
    bool plotShown_ = false;
    bool reportShown_ = false;
    bool firstDrawing_ = false; // the drawing that "Grafico" asks for
    bool drawing_ = false;      // the plot's timer runs
    std::optional<CompletedCalculation> last_;
    plot::NearRangePlot plot_;
};

} // namespace form
