#pragma once

#include "engine/Calculation.h"
#include "engine/CalculationValues.h"
#include "engine/RayStep.h"
#include "engine/RayStepError.h"
#include "plot/PlotFrame.h"
#include "plot/RayValues.h"

#include <algorithm>
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
    std::size_t runEnd(std::size_t i) const { return i + 1; }
};

// The one loop over the ray's depths: from the d1 found on entry up to the
// surface, one ray step at each depth z, leaving d1, r1 and S as the step
// does before the passes draw it. The steps see the depths a block at a time
// (step.prepare(v, depths)) before step(v, z, i) takes the i-th of them;
// step.runEnd(i) tells how far on the depths are known to give the same
// values without asking, and those pass as one run: run(depths). A failing
// step raises its error with the hint of the values that caused it; the
// passes before it stay drawn.
template <typename Step, typename Run>
void traceRayRuns(engine::CalculationValues& v, Step step, Run run) {
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
        for (std::size_t i = 0; i < count;) {
            v.d1 = engine::kLayerDepthFt;
            const RayValues values = hinted([&] { return step(v, depths[i], i); });
            v.r1 = values.r1;
            v.S = values.S;
            const std::size_t end = std::min(step.runEnd(i), count);
            run(std::span<const double>(depths).subspan(i, end - i));
            i = end;
        }
    }
}

// The same, pass(z) drawing each depth.
template <typename Step, typename Pass>
void traceRay(engine::CalculationValues& v, Step step, Pass pass) {
    traceRayRuns(v, step, [&](std::span<const double> run) {
        for (const double z : run)
            pass(z);
    });
}

} // namespace plot
