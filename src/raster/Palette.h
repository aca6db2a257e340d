#pragma once

#include "raster/Colour.h"

#include <array>
#include <cstddef>
#include <optional>

namespace raster {

// The pixel values of the colours a drawing call can name, resolved once by
// the picture's owner (the window from the desktop's palette).
struct Palette {
    static constexpr std::size_t kSystemColours = 256; // by a system colour's low byte
    // How the pixels hold their channels: as Qt's images (0xAARRGGBB), or as
    // the bytes of a browser's ImageData (toRgbaBytes), which the page's
    // canvas then takes as they are.
    enum class Order { Argb, RgbaBytes };

    Rgb foreground = kOpaque; // no colour: black unless the owner says otherwise
    std::array<Rgb, kSystemColours> system{};
    Order order = Order::Argb; // of the colours named by their red, green and blue

    Rgb resolve(std::optional<Colour> colour) const {
        if (!colour)
            return foreground;
        if (*colour & kSystemColourFlag)
            return system[*colour & (kSystemColours - 1)];
        return order == Order::Argb ? toRgb(*colour) : toRgbaBytes(toRgb(*colour));
    }
};

} // namespace raster
