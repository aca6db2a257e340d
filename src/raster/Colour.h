#pragma once

#include <cstdint>

namespace raster {

// A colour as the forms store it: 0x00BBGGRR, or 0x80000000 + n for the
// desktop's system colour n.
using Colour = std::uint32_t;

// A pixel's value: 0xAARRGGBB, as Qt's 32-bit RGB images hold it.
using Rgb = std::uint32_t;

constexpr Colour kSystemColourFlag = 0x80000000u;

constexpr Colour systemColour(unsigned n) {
    return kSystemColourFlag + n;
}

// The desktop's colours that the program names.
constexpr Colour kMenuColour = systemColour(4);
constexpr Colour kWindowColour = systemColour(5);
constexpr Colour kButtonFaceColour = systemColour(15);

constexpr Colour kRed = 0x0000FF;
constexpr Colour kBlue = 0xFF0000;

constexpr Rgb kOpaque = 0xFF000000u;

// The pixel of a colour that names its red, green and blue (no system colour).
constexpr Rgb toRgb(Colour colour) {
    const Rgb red = colour & 0xFFu, green = (colour >> 8) & 0xFFu, blue = (colour >> 16) & 0xFFu;
    return kOpaque | red << 16 | green << 8 | blue;
}

// A pixel 0xAARRGGBB as the word whose bytes in memory are red, green, blue
// and alpha (on a little-endian machine, and WebAssembly is one): a browser's
// ImageData holds its pixels so.
constexpr Rgb toRgbaBytes(Rgb pixel) {
    return (pixel & 0xFF00FF00u) | (pixel >> 16 & 0xFFu) | (pixel & 0xFFu) << 16;
}

} // namespace raster
