#pragma once

#include "engine/RayStep.h"

#include <cstdint>

// Where the near-range plot puts things, in twips of the main window: depth
// (ft) downwards from y = 500, temperature (degF) to the right from x = 500,
// range (yd) to the right from x = 5000. Both panels' grids end at 100 ft.
namespace plot {

constexpr int kTop = 500;     // 0 ft
constexpr int kBottom = 6900; // 100 ft
constexpr double kTwipsPerFoot = 64.0;
constexpr int kTemperatureLeft = 500;   // 0 degF
constexpr int kTemperatureRight = 5000; // 80 degF
constexpr double kTwipsPerDegree = 56.25;
constexpr int kRangeLeft = 5000;             // 0 yd
constexpr int kRangeRight = 14200;           // 1000 yd
constexpr double kTwipsPerQuarterYard = 2.3; // applied to 4 x range
constexpr std::int16_t kQuartersPerYard = 4;

// The fixed temperature profile: this warm from the surface down to the
// thermocline, colder below.
constexpr double kSurfaceTemperatureF = 70.0;
constexpr double kThermoclineFt = 65.0;

constexpr int kDotStep = 40;        // between the dots of a vertical grid line
constexpr int kDepthDivision = 320; // 5 ft, between horizontal grid lines
// The layer's bottom, the thermocline, and a line below the grid.
constexpr double kDepthLinesFt[] = {engine::kLayerDepthFt, kThermoclineFt, 265.0};

constexpr float kRayDotRadius = 10.0f;
constexpr float kMarkerRadius = 50.0f;
constexpr double kRayStepFt = -0.0011; // the ray is traced upwards from the layer's bottom

constexpr float depthY(double depthFt) {
    return float(kTop + kTwipsPerFoot * depthFt);
}

constexpr float temperatureX(double degrees) {
    return float(kTemperatureLeft + kTwipsPerDegree * degrees);
}

// The range axis takes 4 x range as a 16-bit product: overflow beyond +-8191 yd.
float rangeX(std::int16_t rangeYd);

// The same for the calculated point, whose depth the user chose: an overflow
// names the depth box.
float markerX(std::int16_t rangeYd);

} // namespace plot
