#pragma once

#include <QColor>

#include <cstdint>

class QPalette;

namespace platform {

// A colour as the forms store it: 0x00BBGGRR, or 0x80000000 + n for the
// desktop's system colour n.
using Colour = std::uint32_t;

constexpr Colour kSystemColourFlag = 0x80000000u;

constexpr Colour systemColour(unsigned n) {
    return kSystemColourFlag + n;
}

constexpr Colour kRed = 0x0000FF;
constexpr Colour kBlue = 0xFF0000;

QColor toQColor(Colour colour, const QPalette& palette);

// The stored colour of an RGB value, for tests and tools.
Colour fromRgb(int red, int green, int blue);

} // namespace platform
