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
#include <span>
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

    // The centres of a run of passes on one x, climbing: after the first, a
    // pass on the same row is the centre of the pass before, so only the first
    // of each row is asked for.
    void drawRun(float x, std::span<const double> depths) {
        for (std::size_t i = 0; i < depths.size();) {
            draw(x, depthY(depths[i]));
            const std::span<const double> rest = depths.subspan(i + 1);
            const auto inRow = [&](double z) { return depthY(z) >= rowStart_; };
            i += 1 +
                 std::size_t(std::partition_point(rest.begin(), rest.end(), inRow) - rest.begin());
        }
    }

  private:
    raster::PixelCanvas& canvas_;
    float x_ = std::numeric_limits<float>::quiet_NaN(); // of the last centre asked for
    float rowStart_ = 0.0f, rowEnd_ = 0.0f;             // its row's y, none at first
    std::vector<int> columns_;                          // of the centres drawn on this row
};

// The plot with dots(x, depths) drawing the red circles of a run of passes.
template <typename Dots>
void drawPlot(raster::Canvas& canvas, engine::CalculationValues& v, Dots dots) {
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
        traceRayRuns(v, BatchedRaySteps{}, [&](std::span<const double> run) {
            if (v.S != rangeOfX) {
                x = rangeX(v.S);
                rangeOfX = v.S;
            }
            if (!passed) { // the marker's overflow, where the first pass meets it
                dots(x, run.first(1));
                (void)markerX(v.Spunto);
                passed = true;
                run = run.subspan(1);
            }
            dots(x, run);
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
        drawPlot(canvas, v, [&](float x, std::span<const double> run) { dots.drawRun(x, run); });
    }
    last_ = Drawn{&canvas, canvas.revision(), inputs, v};
    return true;
}

void NearRangePlot::draw(raster::Canvas& canvas, engine::CalculationValues& v) {
    drawPlot(canvas, v, [&](float x, std::span<const double> run) {
        for (const double z : run)
            canvas.circle(x, depthY(z), kRayDotRadius, raster::kRed);
    });
}

} // namespace plot
