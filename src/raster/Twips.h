#pragma once

#include "raster/Geometry.h"

namespace raster {

// The forms measure in twips: 1/1440 inch, 15 to a device-independent pixel.
constexpr int kTwipsPerPixel = 15;

// Rounded to the nearest pixel, as the forms place their controls.
constexpr int twipsToPixels(int twips) {
    return (twips + kTwipsPerPixel / 2) / kTwipsPerPixel;
}

struct TwipRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;

    // In device-independent pixels.
    constexpr Rect toPixels() const {
        return {twipsToPixels(left), twipsToPixels(top), twipsToPixels(width),
                twipsToPixels(height)};
    }
};

} // namespace raster
