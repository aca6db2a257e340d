#pragma once

#include <cstdint>

// The limiting ray of the isothermal surface layer: the ray that turns
// horizontal at the layer's bottom, an arc of radius r1 = vel / g.
namespace engine {

constexpr std::int16_t kLayerDepthFt = 15;
// The salinity (parts per thousand) that the sound speed's salinity term is
// measured from: 4.3 (sa - 34), as a 16-bit difference.
constexpr std::int16_t kReferenceSalinity = 34;
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

// The links that depend on the water alone, the same at every depth.
struct RayRadius {
    double vel = 0.0; // sound speed, ft/s
    double r1 = 0.0;  // radius of curvature, ft
};

// The whole chain, sound speed -> radius -> cosine -> angle -> range, for the
// point deltaD ft below the layer's bottom d1 (negative above it). Raises
// RayStepError, which names the stage that failed. It is rayRadius followed
// by rayStepAt, so a caller that steps along many depths of one water may
// compute the radius once and get the same bits.
RayPoint rayStep(double T, std::int16_t sa, std::int16_t d1, double deltaD);

// Sound speed and radius; RayStepError.
RayRadius rayRadius(double T, std::int16_t sa, std::int16_t d1);

// Cosine, angle and range at one depth; RayStepError.
RayPoint rayStepAt(const RayRadius& radius, double deltaD);

// The links of the chain, each raising RuntimeError.

// 4411 + 11.25 T - 0.045 T^2 + 0.0182 d1 + 4.3 (sa - 34), summed in that
// order; sa - 34 is 16-bit. Only 11.25 T + 4411 and the whole sum are checked
// for a floating-point overflow, so an overflowing T^2 is met in the sum,
// after sa - 34.
double soundSpeed(double T, std::int16_t sa, std::int16_t d1);

// 1 + deltaD / r1, or the replacement cosine at the layer's bottom.
double cosineAt(double deltaD, double r1);

// The same from the quotient deltaD / r1, however it was divided.
inline double cosineFromQuotient(double deltaD, double quotient) {
    return deltaD == 0.0 ? kCosineAtLayerBottom : 1.0 + quotient;
}

// The arccosine, written with the arctangent; invalid argument for
// |cosTeta| > 1, division by zero for |cosTeta| = 1.
double grazingAngle(double cosTeta);

// 1 - cos^2, as the arccosine forms it.
double radicandOf(double cosTeta);

// r1 sin(teta) / 3 before it is made whole (yd); overflow if not finite.
double unroundedRange(double r1, double teta);

// r1 sine / 3, the range in yards for a sine.
inline double yardsOf(double r1, double sine) {
    return r1 * sine / kFeetPerYard;
}

// Int(r1 sin(teta) / 3) as a 16-bit integer.
std::int16_t rangeYards(double r1, double teta);

} // namespace engine
