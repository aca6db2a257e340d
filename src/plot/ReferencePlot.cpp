#include "plot/ReferencePlot.h"

#include "platform/Canvas.h"
#include "plot/GridAndProfile.h"
#include "plot/PlotFrame.h"
#include "plot/RayTrace.h"

namespace plot {

namespace {

// The calls passed on one by one: a run of dots is as many PSets here, never
// the target's own shortcut for it.
class EveryCall final : public platform::Canvas {
  public:
    explicit EveryCall(platform::Canvas& target) : target_(target) {}

    void pset(float x, float y, std::optional<platform::Colour> colour) override {
        target_.pset(x, y, colour);
    }
    void line(float x1, float y1, float x2, float y2,
              std::optional<platform::Colour> colour) override {
        target_.line(x1, y1, x2, y2, colour);
    }
    void circle(float x, float y, float radius, std::optional<platform::Colour> colour) override {
        target_.circle(x, y, radius, colour);
    }

  private:
    platform::Canvas& target_;
};

} // namespace

void drawReference(platform::Canvas& target, engine::CalculationValues& v) {
    EveryCall canvas(target);
    drawGridAndProfile(canvas);
    traceRay(v, EveryLink{}, [&](double z) {
        canvas.circle(rangeX(v.S), depthY(z), kRayDotRadius, platform::kRed);
        canvas.circle(markerX(v.Spunto), depthY(v.Dpunto), kMarkerRadius, platform::kBlue);
    });
}

} // namespace plot
