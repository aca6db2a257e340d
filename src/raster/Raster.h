#pragma once

#include "raster/ChangedArea.h"
#include "raster/Geometry.h"
#include "raster/PixelBuffer.h"

#include <algorithm>
#include <type_traits>

namespace raster {

// Aliased drawing into a pixel buffer, in device pixels, with a square pen of
// penWidth device pixels. It lives for one drawing call or one batch, so the
// pixel pointer it holds cannot outlive the buffer. The usual pens, 1, 2 and
// 3 pixels wide (the screens' ratios), are drawn with their side known to
// the compiler, which unrolls their squares' loops.
class Raster {
  public:
    Raster(const PixelBuffer& buffer, int penWidth) : buffer_(buffer), pen_(penWidth) {}

    void stamp(int x, int y, Rgb rgb) {
        withPen([&](auto side) { stampWith<side()>(x, y, rgb); });
    }
    // Whether the pen's whole square at (x, y) lies on the picture.
    bool holds(Point p) const {
        return p.x >= 0 && p.y >= 0 && p.x <= buffer_.width - pen_ && p.y <= buffer_.height - pen_;
    }
    // Stamps at(0), at(1)... at(count - 1): points in order along a line, each
    // square held by the picture (as the ends' are). So nothing is clipped,
    // and the changed bounds are the first and the last changed square's.
    template <typename At> void stampAlong(int count, At at, Rgb rgb) {
        withPen([&](auto side) { stampAlongWith<side()>(count, at, rgb); });
    }
    void line(Point from, Point to, Rgb rgb);
    void circle(Point centre, int radius, Rgb rgb);

    // The device pixels that took a new colour; empty when none did.
    const ChangedArea& changed() const { return changed_; }

  private:
    // Calls draw with the pen's side as a constant, or 0 for "pen_".
    template <typename Draw> void withPen(Draw draw) {
        switch (pen_) {
        case 1:
            return draw(std::integral_constant<int, 1>{});
        case 2:
            return draw(std::integral_constant<int, 2>{});
        case 3:
            return draw(std::integral_constant<int, 3>{});
        default:
            return draw(std::integral_constant<int, 0>{});
        }
    }
    template <int Side> int side() const { return Side > 0 ? Side : pen_; }

    template <int Side> [[gnu::always_inline]] void stampWith(int x, int y, Rgb rgb) {
        const Rect square = holds({x, y}) ? Rect{x, y, side<Side>(), side<Side>()}
                                          : penSquare<Side>(x, y);
        if (paint<Side>(square, rgb))
            changed_.add(square.left, square.top, square.left + square.width - 1,
                         square.top + square.height - 1);
    }
    template <int Side, typename At> void stampAlongWith(int count, At at, Rgb rgb) {
        int firstChanged = -1, lastChanged = -1;
        for (int i = 0; i < count; ++i) {
            const Point p = at(i);
            if (!paint<Side>({p.x, p.y, side<Side>(), side<Side>()}, rgb))
                continue;
            firstChanged = firstChanged < 0 ? i : firstChanged;
            lastChanged = i;
        }
        if (firstChanged < 0)
            return;
        for (const Point p : {at(firstChanged), at(lastChanged)})
            changed_.add(p.x, p.y, p.x + side<Side>() - 1, p.y + side<Side>() - 1);
    }
    template <int Side> void lineWith(Point from, Point to, Rgb rgb);
    template <int Side> void circleWith(Point centre, int radius, Rgb rgb);

    // The pen's square at (x, y), clipped to the picture; empty off it.
    template <int Side> [[gnu::always_inline]] Rect penSquare(int x, int y) const {
        const int left = std::max(0, x), top = std::max(0, y);
        const int right = std::min(buffer_.width - 1, x + side<Side>() - 1);
        const int bottom = std::min(buffer_.height - 1, y + side<Side>() - 1);
        return {left, top, right - left + 1, bottom - top + 1};
    }
    // Fills the square, at most the pen's; whether any of its pixels took a
    // new colour. The differences are gathered without a branch.
    template <int Side> [[gnu::always_inline]] bool paint(const Rect& square, Rgb rgb) {
        Rgb differences = 0;
        for (int row = 0; row < square.height; ++row) {
            Rgb* pixels = buffer_.row(square.top + row) + square.left;
            for (int column = 0; column < square.width; ++column) {
                differences |= pixels[column] ^ rgb;
                pixels[column] = rgb;
            }
        }
        return differences != 0;
    }

    PixelBuffer buffer_;
    int pen_;
    ChangedArea changed_;
};

} // namespace raster
