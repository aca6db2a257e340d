#include "plot/GridAndProfile.h"

#include "platform/Canvas.h"
#include "platform/Surface.h"
#include "plot/PlotFrame.h"

#include <optional>

namespace plot {

namespace {

constexpr int kGridTop = 500;
constexpr int kGridBottom = 6900;
constexpr int kDotStep = 40;
constexpr int kDepthDivision = 320; // 5 ft
constexpr int kLineLeft = 500;
constexpr int kLineRight = 14200;

struct DottedGrid {
    int left, right;
    int verticalStep;      // between the vertical lines
    int horizontalDotStep; // between the dots of a horizontal line
};

constexpr DottedGrid kRangePanel{5000, 14200, 460, 60};
constexpr DottedGrid kTemperaturePanel{500, 5000, 225, 30};

template <typename Canvas> void drawVerticals(Canvas& canvas, const DottedGrid& grid) {
    for (int x = grid.left; x <= grid.right; x += grid.verticalStep)
        for (int y = kGridTop; y <= kGridBottom; y += kDotStep)
            canvas.pset(float(x), float(y), std::nullopt);
}

template <typename Canvas>
void drawHorizontals(Canvas& canvas, const DottedGrid& grid,
                     std::optional<platform::Colour> colour) {
    for (int y = kGridTop; y <= kGridBottom; y += kDepthDivision)
        for (int x = grid.left; x <= grid.right; x += grid.horizontalDotStep)
            canvas.pset(float(x), float(y), colour);
}

template <typename Canvas> void drawDepthLines(Canvas& canvas) {
    for (const double depthFt : {15.0, 65.0, 265.0})
        canvas.line(float(kLineLeft), depthY(depthFt), float(kLineRight), depthY(depthFt),
                    std::nullopt);
}

constexpr double kSurfaceTemperature = 70.0; // degF, down to the thermocline
constexpr int kThermoclineQuarterFeet = 260; // 65 ft
constexpr double kTwipsPerQuarterFoot = 16.0;
constexpr double kBottomQuarterFeet = 400.0; // 100 ft, the grid's bottom edge

float temperatureX(double degrees) {
    return float(kTemperatureLeft + kTwipsPerDegree * degrees);
}
float quarterFootY(double q) {
    return float(kTop + kTwipsPerQuarterFoot * q);
}

template <typename Canvas> void drawProfile(Canvas& canvas) {
    for (int i = 0; i <= kThermoclineQuarterFeet; ++i)
        canvas.pset(temperatureX(kSurfaceTemperature), quarterFootY(i), kRed);
    // The slope is held in single precision, and only 65 is scaled to
    // quarter-feet: the thermocline deepens 50/14 ft per degree.
    const float k = -200.0f / 14.0f;
    for (double t = 56.0; t <= kSurfaceTemperature; t += 0.1) {
        double q = (t * k - kSurfaceTemperature * k) + kThermoclineQuarterFeet;
        if (q > kBottomQuarterFeet)
            q = kBottomQuarterFeet;
        canvas.pset(temperatureX(t), quarterFootY(q), kRed);
    }
}

template <typename Canvas> void drawAll(Canvas& canvas) {
    drawVerticals(canvas, kRangePanel);
    drawHorizontals(canvas, kRangePanel, std::nullopt);
    drawDepthLines(canvas);
    drawVerticals(canvas, kTemperaturePanel);
    drawHorizontals(canvas, kTemperaturePanel, kBlue);
    drawProfile(canvas);
}

} // namespace

void drawGridAndProfile(platform::Canvas& canvas) {
    drawAll(canvas);
}
void drawGridAndProfile(platform::Surface& surface) {
    drawAll(surface);
}

} // namespace plot
