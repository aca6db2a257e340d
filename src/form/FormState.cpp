#include "form/FormState.h"

#include "engine/NumberFormat.h"
#include "engine/RayStep.h"
#include "engine/Report.h"
#include "engine/RuntimeError.h"
#include "form/FormDescription.h"
#include "plot/PlotFrame.h"

namespace form {

std::optional<TimerState> timerAfter(Reaction::Timer change) {
    switch (change) {
    case Reaction::Timer::Keep:
        break;
    case Reaction::Timer::Start:
        return TimerState{true, false};
    case Reaction::Timer::Stop:
        return TimerState{false, false};
    case Reaction::Timer::Rest:
        return TimerState{true, true};
    }
    return std::nullopt;
}

Reaction FormState::start() const {
    Reaction r;
    r.clearPicture = true;
    r.backColour = kStartBackColour;
    r.axisCaptionsShown = false;
    r.chartShown = false;
    r.offers = offers();
    return r;
}

Reaction FormState::calcolo(std::string_view temperature, std::string_view salinity,
                            std::string_view depth) {
    plotShown_ = false;
    reportShown_ = false;
    drawing_ = false;
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
        reportShown_ = true;
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
    r.offers = offers();
    return r;
}

Reaction FormState::grafico() {
    plotShown_ = true;
    reportShown_ = false;
    firstDrawing_ = true;
    drawing_ = true;
    Reaction r;
    r.timer = Reaction::Timer::Start;
    r.clearPicture = true;
    r.backColour = kPlotBackColour;
    r.axisCaptionsShown = true;
    r.draw = true;
    r.offers = offers();
    return r;
}

Reaction FormState::draw(raster::PixelCanvas& picture) {
    const bool first = firstDrawing_;
    firstDrawing_ = false;
    Reaction r;
    r.offers = offers();
    try {
        const bool changed = plot_.grafica(picture, values_);
        if (!changed && !first)
            r.timer = Reaction::Timer::Rest;
    } catch (const engine::RuntimeError& error) {
        r.timer = Reaction::Timer::Stop;
        r.error = error.what();
        drawing_ = false;
    }
    // What was drawn, up to an error too, is shown; a resting picture is unchanged.
    r.copyPicture = r.timer != Reaction::Timer::Rest;
    if (first && r.error.empty()) {
        r.chartShown = true;
        r.chartSummary = plotSummary();
        r.announcement = r.chartSummary;
    }
    return r;
}

Reaction FormState::newRatio() const {
    Reaction r;
    r.offers = offers();
    if (reportShown_) {
        r.clearPicture = true;
        r.report = engine::reportLines(last_->calculation);
    } else if (drawing_) {
        r.timer = Reaction::Timer::Start;
        r.clearPicture = true;
        r.draw = true;
    }
    return r;
}

std::string FormState::plotSummary() const {
    // numberDigits writes the magnitude: a point above the surface keeps its sign.
    const std::string depth =
        (values_.Dpunto < 0.0 ? "-" : "") + engine::numberDigits(values_.Dpunto);
    return "Grafico: profilo di temperatura a " + engine::numberDigits(plot::kSurfaceTemperatureF) +
           " °F dalla superficie a " + engine::numberDigits(plot::kThermoclineFt) +
           " ft, più fredda sotto; raggio limite da 0 yd a " +
           std::to_string(engine::kLayerDepthFt) + " ft fino a " + std::to_string(values_.S) +
           " yd in superficie; punto calcolato a " + std::to_string(values_.Spunto) + " yd e " +
           depth + " ft.";
}

} // namespace form
