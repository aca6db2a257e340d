#include "form/FormState.h"

#include "engine/NumberFormat.h"
#include "engine/Report.h"
#include "engine/RuntimeError.h"
#include "form/FormDescription.h"

namespace form {

Reaction FormState::calcolo(std::string_view temperature, std::string_view salinity,
                            std::string_view depth) {
    plotShown_ = false;
    Reaction r;
    r.timer = Reaction::Timer::Stop;
    r.clearPicture = true;
    r.axisCaptionsShown = false;
    r.chartShown = false;
    try {
        CompletedCalculation done{std::string(temperature), std::string(salinity),
                                  std::string(depth),
                                  engine::Calculation::fromTexts(temperature, salinity, depth)};
        values_ = done.calculation.values;
        r.report = engine::reportLines(done.calculation);
        r.announcement = r.report.back();
        last_ = std::move(done);
    } catch (const engine::RuntimeError& error) {
        r.error = error.what();
    }
    // Said with the result, each after a full stop.
    for (const std::string& notice : engine::readingNotices(temperature, salinity, depth))
        r.announcement += (r.announcement.empty()         ? ""
                           : r.announcement.back() == '.' ? " "
                                                          : ". ") +
                          notice;
    return r;
}

Reaction FormState::grafico() {
    plotShown_ = true;
    firstDrawing_ = true;
    Reaction r;
    r.timer = Reaction::Timer::Start;
    r.clearPicture = true;
    r.backColour = kPlotBackColour;
    r.axisCaptionsShown = true;
    r.draw = true;
    return r;
}

Reaction FormState::draw(raster::PixelCanvas& picture) {
    const bool first = firstDrawing_;
    firstDrawing_ = false;
    Reaction r;
    try {
        const bool changed = plot_.grafica(picture, values_);
        if (!changed && !first)
            r.timer = Reaction::Timer::Rest;
    } catch (const engine::RuntimeError& error) {
        r.timer = Reaction::Timer::Stop;
        r.error = error.what();
        return r;
    }
    if (first) {
        r.chartShown = true;
        r.chartSummary = plotSummary();
        r.announcement = r.chartSummary;
    }
    return r;
}

std::string FormState::plotSummary() const {
    // numberDigits writes the magnitude: a point above the surface keeps its sign.
    const std::string depth =
        (values_.Dpunto < 0.0 ? "-" : "") + engine::numberDigits(values_.Dpunto);
    return "Grafico: profilo di temperatura a 70 °F dalla superficie a 65 ft, più fredda sotto; "
           "raggio limite da 0 yd a 15 ft fino a " +
           std::to_string(values_.S) + " yd in superficie; punto calcolato a " +
           std::to_string(values_.Spunto) + " yd e " + depth + " ft.";
}

} // namespace form
