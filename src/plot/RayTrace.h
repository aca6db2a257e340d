#pragma once

#include "engine/Calculation.h"
#include "engine/CalculationValues.h"
#include "engine/RayStep.h"
#include "engine/RayStepError.h"
#include "plot/PlotFrame.h"
#include "plot/RayValues.h"

#include <array>
#include <cstddef>
#include <span>

namespace plot {

// How many depths of the ray are handed to its steps at once.
constexpr std::size_t kRayBlock = 256;

// The whole ray step at every pass, as "Calcolo" takes it.
struct EveryLink {
    void prepare(const engine::CalculationValues&, std::span<const double>) {}
    RayValues operator()(const engine::CalculationValues& v, double z, std::size_t) const {
        const engine::RayPoint point = engine::rayStep(v.T, v.sa, v.d1, z - v.d1);
        return {point.r1, point.S};
    }
};

// The one loop over the ray's depths: from the d1 found on entry up to the
// surface, one ray step at each depth z, leaving d1, r1 and S as the step
// does before pass(z) draws it. The steps see the depths a block at a time
// (step.prepare(v, depths)) before step(v, z, i) takes the i-th of them. A
// failing step raises its error with the hint of the values that caused it;
// the passes before it stay drawn.
template <typename Step, typename Pass>
void traceRay(engine::CalculationValues& v, Step step, Pass pass) {
    const auto hinted = [](auto link) {
        try {
            return link();
        } catch (const engine::RayStepError& error) {
            throw error.withHint(engine::rayStepHint(error));
        }
    };
    std::array<double, kRayBlock> depths;
    double next = v.d1;
    while (next >= 0.0) {
        std::size_t count = 0;
        for (; count < depths.size() && next >= 0.0; ++count, next += kRayStepFt)
            depths[count] = next;
        v.d1 = engine::kLayerDepthFt;
        hinted([&] { step.prepare(v, std::span(depths).first(count)); });
        for (std::size_t i = 0; i < count; ++i) {
            v.d1 = engine::kLayerDepthFt;
            const RayValues values = hinted([&] { return step(v, depths[i], i); });
            v.r1 = values.r1;
            v.S = values.S;
            pass(depths[i]);
        }
    }
}

} // namespace plot
