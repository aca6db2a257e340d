#include "plot/ReferencePlot.h"

#include "plot/GridAndProfile.h"
#include "plot/PlotFrame.h"
#include "plot/RayTrace.h"
#include "raster/Canvas.h"

namespace plot {

namespace {

// The calls passed on one by one: a run of dots is as many PSets here, never
// the target's own shortcut for it.
class EveryCall final : public raster::Canvas {
  public:
    explicit EveryCall(raster::Canvas& target) : target_(target) {}

    void pset(float x, float y, std::optional<raster::Colour> colour) override {
        target_.pset(x, y, colour);
    }
    void line(float x1, float y1, float x2, float y2,
              std::optional<raster::Colour> colour) override {
        target_.line(x1, y1, x2, y2, colour);
    }
    void circle(float x, float y, float radius, std::optional<raster::Colour> colour) override {
        target_.circle(x, y, radius, colour);
    }

  private:
    raster::Canvas& target_;
};

} // namespace

void drawReference(raster::Canvas& target, engine::CalculationValues& v) {
    EveryCall canvas(target);
    drawGridAndProfile(canvas);
    traceRay(v, EveryLink{}, [&](double z) {
        canvas.circle(rangeX(v.S), depthY(z), kRayDotRadius, raster::kRed);
        canvas.circle(markerX(v.Spunto), depthY(v.Dpunto), kMarkerRadius, raster::kBlue);
    });
}

} // namespace plot
