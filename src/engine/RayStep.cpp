#include "engine/RayStep.h"

#include "engine/Numeric.h"
#include "engine/RayStepError.h"
#include "engine/Trigonometry.h"

#include <limits>

namespace engine {

namespace {

constexpr double kBaseSpeed = 4411.0;
constexpr double kTemperatureCoefficient = 11.25;
constexpr double kTemperatureSquaredCoefficient = 0.045;
constexpr double kSalinityCoefficient = 4.3;
constexpr double kUnknownRadius = std::numeric_limits<double>::quiet_NaN();

// Runs one link of the chain, naming it if it fails. Forced inline, as the
// chain's links are short next to a call.
template <typename Link>
[[gnu::always_inline]] inline auto at(RayStage stage, double r1, Link link) {
    try {
        return link();
    } catch (const RuntimeError& error) {
        throw RayStepError(error, stage, r1);
    }
}

// The two halves of the chain, each written once; forced inline, so that the
// whole chain in rayStep compiles as one function.
[[gnu::always_inline]] inline void radiusLinks(RayPoint& p, double T, std::int16_t sa,
                                               std::int16_t d1) {
    p.vel = at(RayStage::SoundSpeed, kUnknownRadius, [&] { return soundSpeed(T, sa, d1); });
    p.r1 = at(RayStage::Radius, kUnknownRadius, [&] { return checked(p.vel / kGradient); });
}

[[gnu::always_inline]] inline void depthLinks(RayPoint& p, double deltaD) {
    p.cosTeta = at(RayStage::Cosine, p.r1, [&] { return cosineAt(deltaD, p.r1); });
    p.teta = at(RayStage::Angle, p.r1, [&] { return grazingAngle(p.cosTeta); });
    p.S = at(RayStage::Range, p.r1, [&] { return rangeYards(p.r1, p.teta); });
}

} // namespace

double radicandOf(double cosTeta) {
    return -cosTeta * cosTeta + 1.0;
}

// T^2 as the correctly rounded square, which is what T^2 is; a library's
// pow(T, 2) need not be.
double soundSpeed(double T, std::int16_t sa, std::int16_t d1) {
    const double linear = checked(kTemperatureCoefficient * T + kBaseSpeed);
    const double partial = (linear - kTemperatureSquaredCoefficient * (T * T)) + kGradient * d1;
    return checked(partial + kSalinityCoefficient * sub16(sa, kReferenceSalinity));
}

double cosineAt(double deltaD, double r1) {
    return cosineFromQuotient(deltaD, divide(deltaD, r1));
}

double grazingAngle(double cosTeta) {
    static const double quarterTurn = arctangent(1.0);
    const double root = squareRoot(radicandOf(cosTeta));
    const double quotient = divide(-cosTeta, root);
    return arctangent(quotient) + 2.0 * quarterTurn;
}

double unroundedRange(double r1, double teta) {
    return checked(yardsOf(r1, sine(teta)));
}

std::int16_t rangeYards(double r1, double teta) {
    return toInt16(Int(unroundedRange(r1, teta)));
}

RayRadius rayRadius(double T, std::int16_t sa, std::int16_t d1) {
    RayPoint p;
    radiusLinks(p, T, sa, d1);
    return {p.vel, p.r1};
}

RayPoint rayStepAt(const RayRadius& radius, double deltaD) {
    RayPoint p;
    p.vel = radius.vel;
    p.r1 = radius.r1;
    depthLinks(p, deltaD);
    return p;
}

RayPoint rayStep(double T, std::int16_t sa, std::int16_t d1, double deltaD) {
    RayPoint p;
    radiusLinks(p, T, sa, d1);
    depthLinks(p, deltaD);
    return p;
}

} // namespace engine
