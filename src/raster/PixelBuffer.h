#pragma once

#include "raster/Colour.h"

#include <cstddef>

namespace raster {

// Pixels someone else keeps: rows of 32-bit RGB values, stride pixels apart.
struct PixelBuffer {
    Rgb* pixels = nullptr;
    std::ptrdiff_t stride = 0; // pixels from a row to the next
    int width = 0;
    int height = 0;

    Rgb* row(int y) const { return pixels + y * stride; }
};

} // namespace raster
