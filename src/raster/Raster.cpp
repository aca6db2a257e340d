#include "raster/Raster.h"

#include <algorithm>
#include <cstdlib>
#include <iterator>
#include <utility>

namespace raster {

void Raster::line(Point from, Point to, Rgb rgb) {
    // A line whose every pen square falls off the picture (a depth line below
    // the grid) leaves it as it is.
    if (std::max(from.x, to.x) + pen_ <= 0 || std::min(from.x, to.x) >= buffer_.width ||
        std::max(from.y, to.y) + pen_ <= 0 || std::min(from.y, to.y) >= buffer_.height)
        return;
    withPen([&](auto side) { lineWith<side()>(from, to, rgb); });
}

void Raster::circle(Point centre, int radius, Rgb rgb) {
    withPen([&](auto side) { circleWith<side()>(centre, radius, rgb); });
}

template <int Side> void Raster::lineWith(Point from, Point to, Rgb rgb) {
    int x = from.x;
    int y = from.y;
    const int dx = std::abs(to.x - x);
    const int dy = -std::abs(to.y - y);
    const int stepX = x < to.x ? 1 : -1;
    const int stepY = y < to.y ? 1 : -1;
    int error = dx + dy;
    for (;;) { // Bresenham
        stampWith<Side>(x, y, rgb);
        if (x == to.x && y == to.y)
            break;
        const int twice = 2 * error;
        if (twice >= dy) {
            error += dy;
            x += stepX;
        }
        if (twice <= dx) {
            error += dx;
            y += stepY;
        }
    }
}

template <int Side> void Raster::circleWith(Point centre, int radius, Rgb rgb) {
    int dx = radius;
    int dy = 0;
    int error = 1 - dx;
    while (dx >= dy) { // midpoint circle, one octant mirrored eight ways
        const std::pair<int, int> mirrored[] = {{dx, dy},   {dy, dx},   {-dy, dx}, {-dx, dy},
                                                {-dx, -dy}, {-dy, -dx}, {dy, -dx}, {dx, -dy}};
        // On an axis or a diagonal the mirror images pair up; a pixel stamped
        // again in the same colour would not change.
        const int step = dy == 0 || dx == dy ? 2 : 1;
        for (std::size_t i = 0; i < std::size(mirrored); i += std::size_t(step))
            stampWith<Side>(centre.x + mirrored[i].first, centre.y + mirrored[i].second, rgb);
        ++dy;
        if (error < 0) {
            error += 2 * dy + 1;
        } else {
            --dx;
            error += 2 * (dy - dx) + 1;
        }
    }
}

} // namespace raster
