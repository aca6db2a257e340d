#include "plot/ReferencePlot.h"

#include "platform/Canvas.h"
#include "plot/GridAndProfile.h"
#include "plot/PlotFrame.h"
#include "plot/RayTrace.h"

namespace plot {

void drawReference(platform::Canvas& canvas, engine::CalculationValues& v) {
    drawGridAndProfile(canvas);
    traceRay(v, EveryLink{}, [&](double z) {
        canvas.circle(rangeX(v.S), depthY(z), kRayDotRadius, platform::kRed);
        canvas.circle(markerX(v.Spunto), depthY(v.Dpunto), kMarkerRadius, platform::kBlue);
    });
}

} // namespace plot
