#pragma once

#include "engine/Calculation.h"
#include "engine/CalculationValues.h"
#include "plot/NearRangePlot.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace form {

// A "Calcolo" that completed: the boxes' texts as typed and what they gave.
struct CompletedCalculation {
    std::string temperature;
    std::string salinity;
    std::string depth;
    engine::Calculation calculation;
};

// What the form's buttons do to its variables, whatever shows them: the
// window and the web page both keep their state here. The values are those
// of the last completed "Calcolo" (zero before one); only "Calcolo" changes
// them, so text typed afterwards does not move the plot. Each drawing of the
// plot leaves d1, r1 and S as its last ray step did: the first plot before
// any calculation is one red circle, and the next drawing the whole ray.
class FormState {
  public:
    // "Calcolo" with the three boxes' texts: the plot is hidden first, even
    // if the calculation then fails. Returns the report's lines, an empty
    // one for each blank line. Raises engine::RuntimeError and then keeps
    // the values and the last completed calculation.
    std::vector<std::string> calcolo(std::string_view temperature, std::string_view salinity,
                                     std::string_view depth);

    // "Grafico": the plot is shown, drawn at once and on every tick.
    void grafico() { plotShown_ = true; }

    // One drawing of the plot on the picture, from the current values;
    // whether it changed any pixel. Raises engine::RuntimeError; what was
    // drawn stays.
    bool draw(raster::PixelCanvas& picture) { return plot_.grafica(picture, values_); }

    bool plotShown() const { return plotShown_; }
    const engine::CalculationValues& values() const { return values_; }
    const std::optional<CompletedCalculation>& lastCalculation() const { return last_; }

    // What the plot shows, in words, for a screen reader.
    std::string plotSummary() const;

  private:
    engine::CalculationValues values_;
    bool plotShown_ = false;
    std::optional<CompletedCalculation> last_;
    plot::NearRangePlot plot_;
};

} // namespace form
