#pragma once

#include "raster/Geometry.h"
#include "raster/Twips.h"

#include <algorithm>
#include <cmath>

namespace raster {

// Where the drawing calls' twips land in device pixels at a device pixel
// ratio, and how wide their pen is there. The window's picture and the
// vector painter for paper (at a ratio of 1) both place points by it.
class DeviceMapping {
  public:
    explicit DeviceMapping(double devicePixelRatio = 1.0)
        : ratio_(devicePixelRatio), devicePerTwip_(devicePixelRatio / kTwipsPerPixel),
          pen_(std::max(1, int(std::lround(devicePixelRatio)))) {}

    double devicePixelRatio() const { return ratio_; }
    // The side of the square pen, device pixels: one device-independent pixel, rounded.
    int penWidth() const { return pen_; }

    // The device pixel a coordinate falls in.
    int toDevice(float twips) const { return floorToInt(double(twips) * devicePerTwip_ + kNudge); }
    Point toDevice(float x, float y) const { return {toDevice(x), toDevice(y)}; }
    // toDevice(float(twips)) for whole twips that land on the picture, so at
    // or right of 0, where truncation floors; and within float's whole numbers.
    int toDeviceOnPicture(int twips) const { return int(double(twips) * devicePerTwip_ + kNudge); }
    // The least coordinate that falls in the device pixel or beyond: the
    // coordinates in pixel p are those from pixelStart(p) up to pixelStart(p + 1).
    float pixelStart(int device) const;
    // A circle's radius, rounded to whole device pixels.
    int radius(float twips) const { return floorToInt(double(twips) * devicePerTwip_ + 0.5); }
    // The device pixels of a picture of that many device-independent ones.
    Size deviceSize(Size logical) const {
        return {int(std::lround(logical.width * ratio_)),
                int(std::lround(logical.height * ratio_))};
    }

  private:
    // Keeps whole pixels whole despite the rounded scale (15 twips is 1 pixel).
    static constexpr double kNudge = 1e-9;
    // Far outside any picture, yet safe to offset by a radius.
    static constexpr int kFarAway = 1 << 28;
    // std::floor to an int, with coordinates far off the picture (or not
    // numbers) far away instead of overflowing; truncation is exact within.
    static int floorToInt(double v) {
        if (!(v > -kFarAway && v < kFarAway))
            return v < 0 ? -kFarAway : kFarAway;
        const int truncated = int(v);
        return truncated > v ? truncated - 1 : truncated;
    }

    double ratio_;
    double devicePerTwip_;
    int pen_;
};

} // namespace raster
