#include "raster/DeviceMapping.h"

#include <cmath>
#include <limits>

namespace raster {

float DeviceMapping::pixelStart(int device) const {
    constexpr float kInfinity = std::numeric_limits<float>::infinity();
    if (device <= -kFarAway)
        return -kInfinity;
    if (device > kFarAway)
        return kInfinity;
    // From a guess near it, one float at a time: toDevice only ever rises.
    float start = float((double(device) - kNudge) / devicePerTwip_);
    while (toDevice(start) >= device)
        start = std::nextafter(start, -kInfinity);
    while (toDevice(start) < device)
        start = std::nextafter(start, kInfinity);
    return start;
}

} // namespace raster
