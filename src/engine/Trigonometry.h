#pragma once

#include "engine/DoubleDouble.h"

#include <optional>

// The sine and the arctangent that the ray step prints and plots, correctly
// rounded: the double nearest the exact value (ties cannot occur). A
// platform's own sin and atan may miss by an ulp, and which one it misses
// differs between C libraries; these give the same bits everywhere.
namespace engine {

double sine(double x);       // NaN for an infinite or NaN x
double arctangent(double x); // +-pi/2 rounded for infinite x; NaN for NaN

// Their two ways, for the tests: a double-double approximation whose
// rounding is kept only where its error bound decides it, and a slow one
// with as many bits as the rounding needs.
namespace trigonometry {

// The fast approximations lie within kFastRelativeError of the exact value,
// relative to their hi part.
constexpr double kFastRelativeError = 0x1p-76;
dd::Value sineApproximation(double x);       // for 2^-26 <= |x| <= 3.9
dd::Value arctangentApproximation(double x); // for 2^-27 <= |x| <= 2^54

// The correctly rounded value, or nothing where the fast way cannot decide it.
std::optional<double> fastSine(double x);
std::optional<double> fastArctangent(double x);

double accurateSine(double x);       // finite x, |x| >= 2^-26
double accurateArctangent(double x); // 2^-27 <= |x| <= 2^54

} // namespace trigonometry

} // namespace engine
