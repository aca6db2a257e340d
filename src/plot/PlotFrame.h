#pragma once

#include "platform/Colour.h"

#include <cstdint>

// Where the near-range plot puts things, in twips of the main window: depth
// (ft) downwards from y = 500, temperature (degF) to the right from x = 500,
// range (yd) to the right from x = 5000.
namespace plot {

constexpr platform::Colour kRed = 0x0000FF;
constexpr platform::Colour kBlue = 0xFF0000;

constexpr double kTop = 500.0;
constexpr double kTwipsPerFoot = 64.0;
constexpr double kTemperatureLeft = 500.0;
constexpr double kTwipsPerDegree = 56.25;
constexpr double kRangeLeft = 5000.0;
constexpr double kTwipsPerQuarterYard = 2.3; // applied to 4 x range
constexpr std::int16_t kQuartersPerYard = 4;

constexpr float kRayDotRadius = 10.0f;
constexpr float kMarkerRadius = 50.0f;
constexpr double kRayStepFt = -0.0011; // the ray is traced upwards from the layer's bottom

constexpr float depthY(double depthFt) {
    return float(kTop + kTwipsPerFoot * depthFt);
}

// The range axis takes 4 x range as a 16-bit product: overflow beyond +-8191 yd.
float rangeX(std::int16_t rangeYd);

} // namespace plot
