#pragma once

#include "engine/Calculation.h"
#include "engine/CalculationValues.h"
#include "engine/RayStep.h"
#include "engine/RayStepError.h"
#include "plot/PlotFrame.h"

namespace plot {

// The one loop over the ray's depths: from the d1 found on entry up to the
// surface, one ray step at each depth z, leaving d1, r1 and S as the step
// does before pass(z) draws it. A failing step raises its error with the
// hint of the values that caused it; the passes before it stay drawn.
template <typename Pass> void traceRay(engine::CalculationValues& v, Pass pass) {
    const double zStart = v.d1;
    for (double z = zStart; z >= 0.0; z += kRayStepFt) {
        v.d1 = engine::kLayerDepthFt;
        try {
            const engine::RayPoint point = engine::rayStep(v.T, v.sa, v.d1, z - v.d1);
            v.r1 = point.r1;
            v.S = point.S;
        } catch (const engine::RayStepError& error) {
            throw error.withHint(engine::rayStepHint(error));
        }
        pass(z);
    }
}

} // namespace plot
