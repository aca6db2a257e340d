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
        const Rect square = penSquare(x, y);
        if (paint(square, rgb))
            changed_.add(square.left, square.top, square.left + square.width - 1,
                         square.top + square.height - 1);
    }
    // Asks for the pixel's memory ahead of a stamp there.
    void prefetch(int x, int y) const {
        if (x >= 0 && y >= 0 && x < buffer_.width && y < buffer_.height)
            __builtin_prefetch(buffer_.row(y) + x, 1);
    }
    // Stamps at(0), at(1)... at(count - 1), device points each found once,
    // asking for the memory of each a few dots before it is stamped.
    template <typename At> void stampEach(int count, At at, Rgb rgb) {
        constexpr int kAhead = 8; // a power of two
        Point ahead[kAhead];
        for (int i = 0; i < std::min(count, kAhead); ++i)
            ahead[i] = at(i);
        // The changed bounds are kept here, not in changed_, which the
        // pixel writes could alias.
        int left = buffer_.width, top = buffer_.height, right = -1, bottom = -1;
        for (int i = 0; i < count; ++i) {
            const Point p = ahead[i % kAhead];
            if (i + kAhead < count) {
                const Point next = at(i + kAhead);
                prefetch(next.x, next.y);
                ahead[i % kAhead] = next;
            }
            if (pen_ == 1) { // the grid's dots at a ratio of 1
                if (p.x < 0 || p.y < 0 || p.x >= buffer_.width || p.y >= buffer_.height)
                    continue;
                Rgb& pixel = buffer_.row(p.y)[p.x];
                if (pixel == rgb)
                    continue;
                pixel = rgb;
                left = std::min(left, p.x);
                top = std::min(top, p.y);
                right = std::max(right, p.x);
                bottom = std::max(bottom, p.y);
                continue;
            }
            const Rect square = penSquare(p.x, p.y);
            if (!paint(square, rgb))
                continue;
            left = std::min(left, square.left);
            top = std::min(top, square.top);
            right = std::max(right, square.left + square.width - 1);
            bottom = std::max(bottom, square.top + square.height - 1);
        }
        if (left <= right)
            changed_.add(left, top, right, bottom);
    }
    void line(Point from, Point to, Rgb rgb);
    void circle(Point centre, int radius, Rgb rgb);

    // The device pixels that took a new colour; empty when none did.
    const ChangedArea& changed() const { return changed_; }

  private:
    // The pen's square at (x, y), clipped to the picture; empty off it.
    [[gnu::always_inline]] Rect penSquare(int x, int y) const {
        const int left = std::max(0, x), top = std::max(0, y);
        const int right = std::min(buffer_.width - 1, x + pen_ - 1);
        const int bottom = std::min(buffer_.height - 1, y + pen_ - 1);
        return {left, top, right - left + 1, bottom - top + 1};
    }
    // Fills the square; whether any of its pixels took a new colour.
    [[gnu::always_inline]] bool paint(const Rect& square, Rgb rgb) {
        bool changed = false;
        for (int row = square.top; row < square.top + square.height; ++row) {
            Rgb* pixels = buffer_.row(row);
            for (int column = square.left; column < square.left + square.width; ++column) {
                changed = changed || pixels[column] != rgb;
                pixels[column] = rgb;
            }
        }
        return changed;
    }

    PixelBuffer buffer_;
    int pen_;
    ChangedArea changed_;
};

} // namespace raster
