#include "plot/NearRangePlot.h"

#include "platform/Canvas.h"
#include "platform/Surface.h"
#include "plot/GridAndProfile.h"
#include "plot/PlotFrame.h"
#include "plot/RayTrace.h"

namespace plot {

bool NearRangePlot::grafica(platform::Surface& surface, engine::CalculationValues& v) {
    const Inputs inputs{v.T, v.sa, v.d1, v.Spunto, v.Dpunto};
    if (last_ && last_->surface == &surface && last_->revision == surface.revision() &&
        last_->inputs == inputs) {
        // Every primitive would land on a pixel that already has its colour.
        v.d1 = last_->after.d1;
        v.r1 = last_->after.r1;
        v.S = last_->after.S;
        return false;
    }
    last_.reset();
    draw(surface, v);
    last_ = Drawn{&surface, surface.revision(), inputs, v};
    return true;
}

void NearRangePlot::draw(platform::Canvas& canvas, engine::CalculationValues& v) {
    drawGridAndProfile(canvas);
    // Only the last blue circle shows: each red one drawn over it is covered
    // again by the next, so it is drawn once, after every pass that completed.
    bool passed = false;
    const auto drawMarker = [&] {
        if (passed)
            canvas.circle(markerX(v.Spunto), depthY(v.Dpunto), kMarkerRadius, platform::kBlue);
    };
    try {
        traceRay(v, [&](double z) {
            canvas.circle(rangeX(v.S), depthY(z), kRayDotRadius, platform::kRed);
            if (!passed)
                (void)markerX(v.Spunto); // the marker's overflow, where the first pass meets it
            passed = true;
        });
    } catch (const engine::RuntimeError&) {
        drawMarker();
        throw;
    }
    drawMarker();
}

} // namespace plot
