#pragma once

#include "raster/ChangedArea.h"
#include "raster/Geometry.h"
#include "raster/PixelBuffer.h"

#include <algorithm>

namespace raster {

// Aliased drawing into a pixel buffer, in device pixels, with a square pen of
// penWidth device pixels. It lives for one drawing call or one batch, so the
// pixel pointer it holds cannot outlive the buffer.
class Raster {
  public:
    Raster(const PixelBuffer& buffer, int penWidth) : buffer_(buffer), pen_(penWidth) {}

    [[gnu::always_inline]] void stamp(int x, int y, Rgb rgb) {
        if (pen_ == 1) { // the plot's thousands of grid dots at a ratio of 1
            if (x < 0 || y < 0 || x >= buffer_.width || y >= buffer_.height)
                return;
            Rgb& pixel = buffer_.row(y)[x];
            if (pixel != rgb)
                changed_.add(x, y, x, y);
            pixel = rgb;
            return;
        }
        const int left = std::max(0, x);
        const int top = std::max(0, y);
        const int right = std::min(buffer_.width - 1, x + pen_ - 1);
        const int bottom = std::min(buffer_.height - 1, y + pen_ - 1);
        bool changed = false;
        for (int row = top; row <= bottom; ++row) {
            Rgb* pixels = buffer_.row(row);
            for (int column = left; column <= right; ++column) {
                changed = changed || pixels[column] != rgb;
                pixels[column] = rgb;
            }
        }
        if (changed)
            changed_.add(left, top, right, bottom);
    }
    // Asks for the pixel's memory ahead of a stamp there.
    void prefetch(int x, int y) const {
        if (x >= 0 && y >= 0 && x < buffer_.width && y < buffer_.height)
            __builtin_prefetch(buffer_.row(y) + x, 1);
    }
    void line(Point from, Point to, Rgb rgb);
    void circle(Point centre, int radius, Rgb rgb);

    // The device pixels that took a new colour; empty when none did.
    const ChangedArea& changed() const { return changed_; }

  private:
    PixelBuffer buffer_;
    int pen_;
    ChangedArea changed_;
};

} // namespace raster
