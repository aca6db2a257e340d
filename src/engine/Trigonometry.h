#pragma once

#include "engine/DoubleDouble.h"

#include <optional>

// The sine and the arctangent that the ray step prints and plots, correctly
// rounded: the double nearest the exact value (ties cannot occur). A
// platform's own sin and atan may miss by an ulp, and which one it misses
// differs between C libraries; these give the same bits everywhere.
namespace engine {

// The ray's angles lie between 0 and pi, so the sine takes |x| <= 3.9 only
// (NaN beyond, and for NaN): there one quarter turn, with no long reduction
// of large arguments, brings x near zero.
constexpr double kSineReach = 3.9;
double sine(double x);
double arctangent(double x); // +-pi/2 rounded for infinite x; NaN for NaN

// Their ways, for the tests: a quick one in plain doubles for the arguments
// that the ray step meets most, a double-double approximation, each kept
// only where its error bound decides the rounding, and a slow one with as
// many bits as the rounding needs.
namespace trigonometry {

// A value and the bound of its error relative to value.hi.
struct Estimate {
    dd::Value value;
    double bound = 0.0;
};
// The quick way: the sine of a small angle and the arctangent of a large
// quotient, as the ray step forms them near the layer; nothing elsewhere.
std::optional<Estimate> quickSine(double x);       // 2^-26 <= |x| <= 2^-5
std::optional<Estimate> quickArctangent(double x); // 2^6 <= |x| <= 2^54

// The fast approximations lie within kFastRelativeError of the exact value,
// relative to their hi part.
constexpr double kFastRelativeError = 0x1p-76;
dd::Value sineApproximation(double x);       // for 2^-26 <= |x| <= kSineReach
dd::Value arctangentApproximation(double x); // for 2^-27 <= |x| <= 2^54

// The correctly rounded value, or nothing where the fast way cannot decide it.
std::optional<double> fastSine(double x);
std::optional<double> fastArctangent(double x);

double accurateSine(double x);       // 2^-26 <= |x| <= kSineReach
double accurateArctangent(double x); // 2^-27 <= |x| <= 2^54

} // namespace trigonometry

} // namespace engine
