#include "ray/RayStep.h"

#include "platform/Numeric.h"

#include <cmath>

namespace ray {

using platform::checked;

namespace {
constexpr double kBaseSpeed = 4411.0;
constexpr double kTemperatureCoefficient = 11.25;
constexpr double kTemperatureSquaredCoefficient = 0.045;
constexpr double kSalinityCoefficient = 4.3;
constexpr std::int16_t kReferenceSalinity = 34;
} // namespace

double soundSpeed(double T, std::int16_t sa, std::int16_t d1) {
    const double linear = checked(kTemperatureCoefficient * T + kBaseSpeed);
    const double squared = checked(std::pow(T, 2));
    const double salinityExcess = platform::sub16(sa, kReferenceSalinity);
    return checked(((linear - kTemperatureSquaredCoefficient * squared) + kGradient * d1) +
                   kSalinityCoefficient * salinityExcess);
}

double cosineAt(double deltaD, double r1) {
    const double cosTeta = 1.0 + platform::divide(deltaD, r1);
    return deltaD == 0.0 ? kCosineAtLayerBottom : cosTeta;
}

double grazingAngle(double cosTeta) {
    const double quarterTurn = std::atan(1.0);
    const double radicand = -cosTeta * cosTeta + 1.0;
    const double root = platform::squareRoot(radicand);
    const double quotient = platform::divide(-cosTeta, root);
    return std::atan(quotient) + 2.0 * quarterTurn;
}

std::int16_t rangeYards(double r1, double teta) {
    return platform::toInt16(platform::Int(checked(r1 * std::sin(teta) / kFeetPerYard)));
}

RayStep rayStep(double T, std::int16_t sa, std::int16_t d1, double deltaD) {
    RayStep step;
    step.vel = soundSpeed(T, sa, d1);
    step.r1 = step.vel / kGradient;
    step.cosTeta = cosineAt(deltaD, step.r1);
    step.teta = grazingAngle(step.cosTeta);
    step.S = rangeYards(step.r1, step.teta);
    return step;
}

} // namespace ray
