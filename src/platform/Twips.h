#pragma once

#include <QRect>

namespace platform {

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

    QRect toPixels() const {
        return {twipsToPixels(left), twipsToPixels(top), twipsToPixels(width),
                twipsToPixels(height)};
    }
};

} // namespace platform
