#pragma once

#include "engine/Calculation.h"
#include "engine/CalculationValues.h"
#include "engine/RayStep.h"
#include "engine/RayStepError.h"
#include "plot/PlotFrame.h"
#include "plot/RayValues.h"

namespace plot {

// The whole ray step at every pass, as "Calcolo" takes it.
struct EveryLink {
    RayValues operator()(const engine::CalculationValues& v, double z) const {
        const engine::RayPoint point = engine::rayStep(v.T, v.sa, v.d1, z - v.d1);
        return {point.r1, point.S};
    }
};

// The one loop over the ray's depths: from the d1 found on entry up to the
// surface, one ray step (step(v, z)) at each depth z, leaving d1, r1 and S as the step
// does before pass(z) draws it. A failing step raises its error with the
// hint of the values that caused it; the passes before it stay drawn.
template <typename Step, typename Pass>
void traceRay(engine::CalculationValues& v, Step step, Pass pass) {
    const double zStart = v.d1;
    for (double z = zStart; z >= 0.0; z += kRayStepFt) {
        v.d1 = engine::kLayerDepthFt;
        try {
            const RayValues values = step(v, z);
            v.r1 = values.r1;
            v.S = values.S;
        } catch (const engine::RayStepError& error) {
            throw error.withHint(engine::rayStepHint(error));
        }
        pass(z);
    }
}

} // namespace plot
