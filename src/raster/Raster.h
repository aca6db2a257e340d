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
    // Whether the pen's whole square at (x, y) lies on the picture.
    bool holds(Point p) const {
        return p.x >= 0 && p.y >= 0 && p.x <= buffer_.width - pen_ && p.y <= buffer_.height - pen_;
    }
    // Stamps at(0), at(1)... at(count - 1): points in order along a line, each
    // square held by the picture (as the ends' are). So nothing is clipped,
    // and the changed bounds are the first and the last changed square's.
    template <typename At> void stampAlong(int count, At at, Rgb rgb) {
        int firstChanged = -1, lastChanged = -1;
        const auto note = [&](bool changed, int i) {
            if (!changed)
                return;
            firstChanged = firstChanged < 0 ? i : firstChanged;
            lastChanged = i;
        };
        if (pen_ == 1) { // the grid's dots at a ratio of 1
            for (int i = 0; i < count; ++i) {
                const Point p = at(i);
                Rgb& pixel = buffer_.row(p.y)[p.x];
                note(pixel != rgb, i);
                pixel = rgb;
            }
        } else {
            for (int i = 0; i < count; ++i) {
                const Point p = at(i);
                note(paint({p.x, p.y, pen_, pen_}, rgb), i);
            }
        }
        if (firstChanged < 0)
            return;
        for (const Point p : {at(firstChanged), at(lastChanged)})
            changed_.add(p.x, p.y, p.x + pen_ - 1, p.y + pen_ - 1);
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
