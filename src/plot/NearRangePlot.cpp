#include "plot/NearRangePlot.h"

#include "plot/BatchedRaySteps.h"
#include "plot/GridAndProfile.h"
#include "plot/PlotFrame.h"
#include "plot/RayTrace.h"
#include "raster/Canvas.h"
#include "raster/PixelCanvas.h"

#include <algorithm>
#include <limits>
#include <optional>
#include <vector>

namespace plot {

namespace {

// The ray's red circles on a pixel canvas, each device centre once: between two
// of them only red circles of the same radius are drawn, so a second one on
// a centre already drawn would change no pixel. The centres come row by row
// as the ray climbs; a row met again only costs a redraw.
class RayDots {
  public:
    explicit RayDots(raster::PixelCanvas& canvas) : canvas_(canvas) {}

    void draw(float x, float y) {
        if (!(y >= rowStart_ && y < rowEnd_)) { // the ray climbs a row every few hundred passes
            const raster::DeviceMapping& mapping = canvas_.mapping();
            const int row = mapping.toDevice(y);
            rowStart_ = mapping.pixelStart(row);
            rowEnd_ = mapping.pixelStart(row + 1);
            columns_.clear();
        } else if (x == x_) {
            return; // the centre of the pass before
        }
        x_ = x;
        const int column = canvas_.mapping().toDevice(x);
        if (std::find(columns_.rbegin(), columns_.rend(), column) != columns_.rend())
            return;
        columns_.push_back(column);
        canvas_.circle(x, y, kRayDotRadius, raster::kRed);
    }

  private:
    raster::PixelCanvas& canvas_;
    float x_ = std::numeric_limits<float>::quiet_NaN(); // of the last centre asked for
    float rowStart_ = 0.0f, rowEnd_ = 0.0f;             // its row's y, none at first
    std::vector<int> columns_;                          // of the centres drawn on this row
};

// The plot with dot(x, y) drawing each red circle of the ray.
template <typename Dot>
void drawPlot(raster::Canvas& canvas, engine::CalculationValues& v, Dot dot) {
    drawGridAndProfile(canvas);
    // Only the last blue circle shows: each red one drawn over it is covered
    // again by the next, so it is drawn once, after every pass that completed.
    bool passed = false;
    const auto drawMarker = [&] {
        if (passed)
            canvas.circle(markerX(v.Spunto), depthY(v.Dpunto), kMarkerRadius, raster::kBlue);
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

bool NearRangePlot::grafica(raster::PixelCanvas& canvas, engine::CalculationValues& v) {
    const Inputs inputs{v.T, v.sa, v.d1, v.Spunto, v.Dpunto};
    if (last_ && last_->canvas == &canvas && last_->revision == canvas.revision() &&
        last_->inputs == inputs) {
        // Every primitive would land on a pixel that already has its colour.
        v.d1 = last_->after.d1;
        v.r1 = last_->after.r1;
        v.S = last_->after.S;
        return false;
    }
    last_.reset();
    {
        const raster::PixelCanvas::Batch batch(canvas);
        RayDots dots(canvas);
        drawPlot(canvas, v, [&](float x, float y) { dots.draw(x, y); });
    }
    last_ = Drawn{&canvas, canvas.revision(), inputs, v};
    return true;
}

void NearRangePlot::draw(raster::Canvas& canvas, engine::CalculationValues& v) {
    drawPlot(canvas, v,
             [&](float x, float y) { canvas.circle(x, y, kRayDotRadius, raster::kRed); });
}

} // namespace plot
