#include "plot/NearRangePlot.h"

#include "platform/Canvas.h"
#include "platform/Surface.h"
#include "plot/BatchedRaySteps.h"
#include "plot/GridAndProfile.h"
#include "plot/PlotFrame.h"
#include "plot/RayTrace.h"

#include <QPoint>

#include <algorithm>
#include <climits>
#include <limits>
#include <optional>
#include <vector>

namespace plot {

namespace {

// The ray's red circles on the surface, each device centre once: between two
// of them only red circles of the same radius are drawn, so a second one on
// a centre already drawn would change no pixel. The centres come row by row
// as the ray climbs; a row met again only costs a redraw.
class RayDots {
  public:
    explicit RayDots(platform::Surface& surface) : surface_(surface) {}

    void draw(float x, float y) {
        const int row = surface_.deviceCoordinate(y);
        if (x == x_ && row == row_)
            return; // the centre of the pass before
        x_ = x;
        if (row != row_) {
            row_ = row;
            columns_.clear();
        }
        const int column = surface_.deviceCoordinate(x);
        if (std::find(columns_.rbegin(), columns_.rend(), column) != columns_.rend())
            return;
        columns_.push_back(column);
        surface_.circle(x, y, kRayDotRadius, platform::kRed);
    }

  private:
    platform::Surface& surface_;
    float x_ = std::numeric_limits<float>::quiet_NaN(); // of the last centre asked for
    int row_ = INT_MIN;
    std::vector<int> columns_; // of the centres drawn on this row
};

// The plot with dot(x, y) drawing each red circle of the ray.
template <typename Dot>
void drawPlot(platform::Canvas& canvas, engine::CalculationValues& v, Dot dot) {
    drawGridAndProfile(canvas);
    // Only the last blue circle shows: each red one drawn over it is covered
    // again by the next, so it is drawn once, after every pass that completed.
    bool passed = false;
    const auto drawMarker = [&] {
        if (passed)
            canvas.circle(markerX(v.Spunto), depthY(v.Dpunto), kMarkerRadius, platform::kBlue);
    };
    // The range changes every hundred passes or so, and its x with it.
    std::optional<std::int16_t> rangeOfX;
    float x = 0.0f;
    try {
        traceRay(v, BatchedRaySteps{}, [&](double z) {
            if (v.S != rangeOfX) {
                x = rangeX(v.S);
                rangeOfX = v.S;
            }
            dot(x, depthY(z));
            if (!passed)
                (void)markerX(v.Spunto); // the marker's overflow, where the first pass meets it
            passed = true;
        });
    } catch (const engine::RuntimeError&) {
        drawMarker();
        throw;
    }
    drawMarker();
}

} // namespace

bool NearRangePlot::grafica(platform::Surface& surface, engine::CalculationValues& v) {
    const Inputs inputs{v.T, v.sa, v.d1, v.Spunto, v.Dpunto};
    if (last_ && last_->surface == &surface && last_->revision == surface.revision() &&
        last_->inputs == inputs) {
        // Every primitive would land on a pixel that already has its colour.
        v.d1 = last_->after.d1;
        v.r1 = last_->after.r1;
        v.S = last_->after.S;
        return false;
    }
    last_.reset();
    {
        const platform::Surface::Batch batch(surface);
        RayDots dots(surface);
        drawPlot(surface, v, [&](float x, float y) { dots.draw(x, y); });
    }
    last_ = Drawn{&surface, surface.revision(), inputs, v};
    return true;
}

void NearRangePlot::draw(platform::Canvas& canvas, engine::CalculationValues& v) {
    drawPlot(canvas, v,
             [&](float x, float y) { canvas.circle(x, y, kRayDotRadius, platform::kRed); });
}

} // namespace plot
