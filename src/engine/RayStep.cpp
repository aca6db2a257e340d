#include "engine/RayStep.h"

#include "engine/Numeric.h"
#include "engine/RayStepError.h"

#include <cmath>
#include <limits>

namespace engine {

namespace {

constexpr double kBaseSpeed = 4411.0;
constexpr double kTemperatureCoefficient = 11.25;
constexpr double kTemperatureSquaredCoefficient = 0.045;
constexpr double kSalinityCoefficient = 4.3;
constexpr std::int16_t kReferenceSalinity = 34;
constexpr double kUnknownRadius = std::numeric_limits<double>::quiet_NaN();

// Runs one link of the chain, naming it if it fails.
template <typename Link> auto at(RayStage stage, double r1, Link link) {
    try {
        return link();
    } catch (const RuntimeError& error) {
        throw RayStepError(error, stage, r1);
    }
}

} // namespace

double soundSpeed(double T, std::int16_t sa, std::int16_t d1) {
    const double linear = checked(kTemperatureCoefficient * T + kBaseSpeed);
    const double partial =
        (linear - kTemperatureSquaredCoefficient * std::pow(T, 2)) + kGradient * d1;
    return checked(partial + kSalinityCoefficient * sub16(sa, kReferenceSalinity));
}

double cosineAt(double deltaD, double r1) {
    const double cosTeta = 1.0 + divide(deltaD, r1);
    return deltaD == 0.0 ? kCosineAtLayerBottom : cosTeta;
}

double grazingAngle(double cosTeta) {
    const double quarterTurn = std::atan(1.0);
    const double radicand = -cosTeta * cosTeta + 1.0;
    const double root = squareRoot(radicand);
    const double quotient = divide(-cosTeta, root);
    return std::atan(quotient) + 2.0 * quarterTurn;
}

std::int16_t rangeYards(double r1, double teta) {
    return toInt16(Int(checked(r1 * std::sin(teta) / kFeetPerYard)));
}

RayPoint rayStep(double T, std::int16_t sa, std::int16_t d1, double deltaD) {
    RayPoint p;
    p.vel = at(RayStage::SoundSpeed, kUnknownRadius, [&] { return soundSpeed(T, sa, d1); });
    p.r1 = at(RayStage::Radius, kUnknownRadius, [&] { return checked(p.vel / kGradient); });
    p.cosTeta = at(RayStage::Cosine, p.r1, [&] { return cosineAt(deltaD, p.r1); });
    p.teta = at(RayStage::Angle, p.r1, [&] { return grazingAngle(p.cosTeta); });
    p.S = at(RayStage::Range, p.r1, [&] { return rangeYards(p.r1, p.teta); });
    return p;
}

} // namespace engine
