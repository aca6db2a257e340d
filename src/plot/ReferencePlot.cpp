#include "plot/ReferencePlot.h"

#include "platform/Canvas.h"
#include "plot/GridAndProfile.h"
#include "plot/PlotFrame.h"
#include "ray/FormVariables.h"
#include "ray/RayStep.h"

namespace plot {

void drawReference(platform::Canvas& canvas, FormVariables& v) {
    drawGridAndProfile(canvas);
    for (double z = v.d1; z >= 0.0; z += kRayStepFt) {
        v.d1 = ray::kLayerDepthFt;
        const double deltaD = z - v.d1;
        const double vel = ray::soundSpeed(v.T, v.sa, v.d1);
        v.r1 = vel / ray::kGradient;
        const double teta = ray::grazingAngle(ray::cosineAt(deltaD, v.r1));
        v.S = ray::rangeYards(v.r1, teta);
        canvas.circle(rangeX(v.S), depthY(z), kRayDotRadius, kRed);
        canvas.circle(rangeX(v.Spunto), depthY(v.Dpunto), kMarkerRadius, kBlue);
    }
}

} // namespace plot
