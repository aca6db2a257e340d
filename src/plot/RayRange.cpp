#include "plot/RayRange.h"

#include "ray/RayStep.h"

#include <cmath>

namespace plot {

namespace {

// Below this distance from a whole yard the cheap range sqrt(1 - c^2) r1 / 3
// might floor differently from r1 sin(teta) / 3, whose teta is an arctangent
// plus pi/2; the two differ by about 1e-15 r1, far inside the margin.
constexpr double kRelativeMargin = 1e-9;
constexpr double kCheapRangeLimit = 32000.0;

} // namespace

RayRange::RayRange(double r1)
    : r1_(r1), r1Yards_(r1 / ray::kFeetPerYard), margin_(kRelativeMargin * (1.0 + std::abs(r1))) {}

std::int16_t RayRange::at(double deltaD) const {
    int range = 0;
    return cheapRange(deltaD, range) ? std::int16_t(range) : exactRange(deltaD);
}

inline bool RayRange::cheapRange(double deltaD, int& range) const {
    if (!(r1_ > 0.0))
        return false;
    const double cosTeta = deltaD == 0.0 ? ray::kCosineAtLayerBottom : 1.0 + deltaD / r1_;
    const double radicand = -cosTeta * cosTeta + 1.0;
    if (!(radicand > 0.0))
        return false;
    const double value = std::sqrt(radicand) * r1Yards_;
    if (!(value >= 0.0 && value < kCheapRangeLimit))
        return false;
    range = int(value); // the floor, as the value is not negative
    const double fraction = value - range;
    return fraction > margin_ && fraction < 1.0 - margin_;
}

std::int16_t RayRange::exactRange(double deltaD) const {
    return ray::rangeYards(r1_, ray::grazingAngle(ray::cosineAt(deltaD, r1_)));
}

void RayRange::trace(double zStart, double zStep, double layerDepth,
                     std::vector<std::int16_t>& ranges) const {
    // One tight loop, so that the divisions and roots of many steps overlap.
    int range = 0;
    for (double z = zStart; z >= 0.0; z += zStep) {
        const double deltaD = z - layerDepth;
        ranges.push_back(cheapRange(deltaD, range) ? std::int16_t(range) : exactRange(deltaD));
    }
}

} // namespace plot
