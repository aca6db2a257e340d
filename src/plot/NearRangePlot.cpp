#include "plot/NearRangePlot.h"

#include "platform/RuntimeError.h"
#include "platform/Surface.h"
#include "plot/GridAndProfile.h"
#include "plot/PlotFrame.h"
#include "ray/RayStep.h"

#include <cmath>

namespace {

// Below this distance from a whole yard the cheap range r1 sqrt(1 - c^2) / 3
// might floor differently from r1 sin(teta) / 3, whose teta is an arctangent
// plus pi/2; both differ by about 1e-15 r1, far inside the margin.
constexpr double kRelativeMargin = 1e-9;
constexpr double kCheapRangeLimit = 32000.0;

// The range of one ray step, as ray::rangeYards(r1, grazingAngle(...)) gives
// it, computed without the trigonometry wherever that cannot change the
// result: sin(acos c) is sqrt(1 - c^2).
std::int16_t rangeAt(double deltaD, double r1) {
    if (r1 > 0.0) {
        const double cosTeta = deltaD == 0.0 ? ray::kCosineAtLayerBottom : 1.0 + deltaD / r1;
        const double radicand = -cosTeta * cosTeta + 1.0;
        if (radicand > 0.0) {
            const double range = r1 * std::sqrt(radicand) / ray::kFeetPerYard;
            const double fraction = range - std::floor(range);
            const double margin = kRelativeMargin * (1.0 + r1);
            if (std::abs(range) < kCheapRangeLimit && fraction > margin && fraction < 1.0 - margin)
                return std::int16_t(std::floor(range));
        }
    }
    return ray::rangeYards(r1, ray::grazingAngle(ray::cosineAt(deltaD, r1)));
}

} // namespace

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
    double z = v.d1;
    if (z < 0.0)
        return;
    // Only the last blue circle shows: each red one drawn over it is covered again.
    bool anyPass = false;
    const auto drawMarker = [&] {
        if (anyPass)
            surface.circle(rangeX(v.Spunto), depthY(v.Dpunto), kMarkerRadius, kBlue);
    };
    try {
        v.d1 = ray::kLayerDepthFt;
        // The sound speed and the radius are the same in every step.
        v.r1 = ray::soundSpeed(v.T, v.sa, v.d1) / ray::kGradient;
        for (; z >= 0.0; z += kRayStepFt) {
            v.S = rangeAt(z - v.d1, v.r1);
            surface.circle(rangeX(v.S), depthY(z), kRayDotRadius, kRed);
            if (!anyPass)
                (void)rangeX(v.Spunto); // the marker's overflow, where every pass meets it
            anyPass = true;
        }
    } catch (const platform::RuntimeError&) {
        drawMarker();
        throw;
    }
    drawMarker();
}
