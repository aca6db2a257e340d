#include "plot/NearRangePlot.h"

#include "platform/RuntimeError.h"
#include "platform/Surface.h"
#include "plot/GridAndProfile.h"
#include "plot/PlotFrame.h"
#include "plot/RayRange.h"
#include "ray/RayStep.h"

#include <exception>

void NearRangePlot::grafica(platform::Surface& surface, FormVariables& variables) {
    const Inputs inputs{variables.T, variables.sa, variables.d1, variables.Spunto,
                        variables.Dpunto};
    if (last_ && last_->surface == &surface && last_->revision == surface.revision() &&
        last_->inputs == inputs) {
        // Every primitive would land on a pixel that already has its colour.
        variables.d1 = last_->after.d1;
        variables.r1 = last_->after.r1;
        variables.S = last_->after.S;
        return;
    }
    last_.reset();
    plot::drawGridAndProfile(surface);
    drawRay(surface, variables);
    last_ = Drawn{&surface, surface.revision(), inputs, variables};
}

void NearRangePlot::drawRay(platform::Surface& surface, FormVariables& v) {
    using namespace plot;
    const double zStart = v.d1;
    if (zStart < 0.0)
        return;
    // Only the last blue circle shows: each red one drawn over it is covered again.
    std::size_t passes = 0;
    const auto drawMarker = [&] {
        if (passes > 0)
            surface.circle(rangeX(v.Spunto), depthY(v.Dpunto), kMarkerRadius, kBlue);
    };
    try {
        v.d1 = ray::kLayerDepthFt;
        // The sound speed and the radius are the same in every step.
        v.r1 = ray::soundSpeed(v.T, v.sa, v.d1) / ray::kGradient;
        std::exception_ptr stepError;
        ranges_.clear();
        try {
            plot::RayRange(v.r1).trace(zStart, kRayStepFt, v.d1, ranges_);
        } catch (const platform::RuntimeError&) {
            stepError = std::current_exception(); // raised after the steps before it are drawn
        }
        double z = zStart;
        std::int16_t lastRange = 0;
        float x = rangeX(lastRange);
        for (const std::int16_t range : ranges_) {
            v.S = range;
            if (range != lastRange) // the range changes once in many steps
                x = rangeX(range);
            lastRange = range;
            surface.circle(x, depthY(z), kRayDotRadius, kRed);
            if (passes == 0)
                (void)rangeX(v.Spunto); // the marker's overflow, where every pass meets it
            ++passes;
            z += kRayStepFt;
        }
        if (stepError)
            std::rethrow_exception(stepError);
    } catch (const platform::RuntimeError&) {
        drawMarker();
        throw;
    }
    drawMarker();
}
