#include "plot/GridAndProfile.h"

#include "plot/PlotFrame.h"
#include "raster/Canvas.h"

#include <optional>

namespace plot {

namespace {

using raster::Canvas;
using raster::Colour;

struct DottedGrid {
    int left, right;
    int verticalStep;      // between the vertical lines
    int horizontalDotStep; // between the dots of a horizontal line
};

constexpr DottedGrid kRangePanel{kRangeLeft, kRangeRight, 460, 60};
constexpr DottedGrid kTemperaturePanel{kTemperatureLeft, kTemperatureRight, 225, 30};

// How many dots from first to last, both included, step apart.
constexpr int dotsFrom(int first, int last, int step) {
    return (last - first) / step + 1;
}

void drawVerticals(Canvas& canvas, const DottedGrid& grid) {
    for (int x = grid.left; x <= grid.right; x += grid.verticalStep)
        canvas.psetRun(x, kTop, 0, kDotStep, dotsFrom(kTop, kBottom, kDotStep), std::nullopt);
}

void drawHorizontals(Canvas& canvas, const DottedGrid& grid, std::optional<Colour> colour) {
    const int dots = dotsFrom(grid.left, grid.right, grid.horizontalDotStep);
    for (int y = kTop; y <= kBottom; y += kDepthDivision)
        canvas.psetRun(grid.left, y, grid.horizontalDotStep, 0, dots, colour);
}

void drawDepthLines(Canvas& canvas) {
    for (const double depthFt : kDepthLinesFt)
        canvas.line(float(kTemperatureLeft), depthY(depthFt), float(kRangeRight), depthY(depthFt),
                    std::nullopt);
}

constexpr double kSurfaceTemperature = kSurfaceTemperatureF;
constexpr int kThermoclineQuarterFeet = int(kThermoclineFt * 4);
constexpr double kTwipsPerQuarterFoot = 16.0;
constexpr double kBottomQuarterFeet = 400.0; // 100 ft, the grid's bottom edge

float quarterFootY(double q) {
    return float(kTop + kTwipsPerQuarterFoot * q);
}

void drawProfile(Canvas& canvas) {
    for (int i = 0; i <= kThermoclineQuarterFeet; ++i)
        canvas.pset(temperatureX(kSurfaceTemperature), quarterFootY(i), raster::kRed);
    // The slope is held in single precision, and only 65 is scaled to
    // quarter-feet: the thermocline deepens 50/14 ft per degree.
    const float k = -200.0f / 14.0f;
    for (double t = 56.0; t <= kSurfaceTemperature; t += 0.1) {
        double q = (t * k - kSurfaceTemperature * k) + kThermoclineQuarterFeet;
        if (q > kBottomQuarterFeet)
            q = kBottomQuarterFeet;
        canvas.pset(temperatureX(t), quarterFootY(q), raster::kRed);
    }
}

} // namespace

void drawGridAndProfile(Canvas& canvas) {
    drawVerticals(canvas, kRangePanel);
    drawHorizontals(canvas, kRangePanel, std::nullopt);
    drawDepthLines(canvas);
    drawVerticals(canvas, kTemperaturePanel);
    drawHorizontals(canvas, kTemperaturePanel, raster::kBlue);
    drawProfile(canvas);
}

} // namespace plot
