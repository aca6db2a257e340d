#pragma once

#include <cstdint>

// The limiting ray of the isothermal surface layer: the ray that turns
// horizontal at the layer's bottom, an arc of radius r1 = vel / g.
namespace engine {

constexpr std::int16_t kLayerDepthFt = 15;
constexpr double kGradient = 0.0182; // ft/s per ft, the model's depth coefficient
// A cosine of exactly 1 at the layer's bottom would make the root zero.
constexpr double kCosineAtLayerBottom = 0.999999999999;
constexpr double kFeetPerYard = 3.0;

struct RayPoint {
    double vel = 0.0;     // sound speed, ft/s
    double r1 = 0.0;      // radius of curvature, ft
    double cosTeta = 0.0; // cosine of the grazing angle
    double teta = 0.0;    // grazing angle, rad
    std::int16_t S = 0;   // range to the ray's lowest point, yd
};

// The whole chain, sound speed -> radius -> cosine -> angle -> range, for the
// point deltaD ft below the layer's bottom d1 (negative above it). Raises
// RayStepError, which names the stage that failed.
RayPoint rayStep(double T, std::int16_t sa, std::int16_t d1, double deltaD);

// The links of the chain, each raising RuntimeError.

// 4411 + 11.25 T - 0.045 T^2 + 0.0182 d1 + 4.3 (sa - 34), summed in that
// order; sa - 34 is 16-bit. Only 11.25 T + 4411 and the whole sum are checked
// for a floating-point overflow, so an overflowing T^2 is met in the sum,
// after sa - 34.
double soundSpeed(double T, std::int16_t sa, std::int16_t d1);

// 1 + deltaD / r1, or the replacement cosine at the layer's bottom.
double cosineAt(double deltaD, double r1);

// The arccosine, written with the arctangent; invalid argument for
// |cosTeta| > 1, division by zero for |cosTeta| = 1.
double grazingAngle(double cosTeta);

// Int(r1 sin(teta) / 3) as a 16-bit integer.
std::int16_t rangeYards(double r1, double teta);

} // namespace engine
