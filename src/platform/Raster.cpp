#include "platform/Raster.h"

#include <algorithm>
#include <cstdlib>
#include <utility>

namespace platform {

Raster::Raster(uchar* bits, qsizetype stride, QSize size, int penWidth)
    : bits_(bits), stride_(stride), width_(size.width()), height_(size.height()), pen_(penWidth) {}

void Raster::stamp(int x, int y, QRgb rgb) {
    const int left = std::max(0, x);
    const int top = std::max(0, y);
    const int right = std::min(width_ - 1, x + pen_ - 1);
    const int bottom = std::min(height_ - 1, y + pen_ - 1);
    bool changed = false;
    for (int row = top; row <= bottom; ++row) {
        auto* pixels = reinterpret_cast<QRgb*>(bits_ + row * stride_);
        for (int column = left; column <= right; ++column) {
            changed = changed || pixels[column] != rgb;
            pixels[column] = rgb;
        }
    }
    if (!changed)
        return;
    if (!changedAny()) {
        left_ = left;
        top_ = top;
        right_ = right;
        bottom_ = bottom;
        return;
    }
    left_ = std::min(left_, left);
    top_ = std::min(top_, top);
    right_ = std::max(right_, right);
    bottom_ = std::max(bottom_, bottom);
}

void Raster::line(QPoint from, QPoint to, QRgb rgb) {
    int x = from.x();
    int y = from.y();
    const int dx = std::abs(to.x() - x);
    const int dy = -std::abs(to.y() - y);
    const int stepX = x < to.x() ? 1 : -1;
    const int stepY = y < to.y() ? 1 : -1;
    int error = dx + dy;
    for (;;) { // Bresenham
        stamp(x, y, rgb);
        if (x == to.x() && y == to.y())
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

void Raster::circle(QPoint centre, int radius, QRgb rgb) {
    int dx = radius;
    int dy = 0;
    int error = 1 - dx;
    while (dx >= dy) { // midpoint circle, one octant mirrored eight ways
        for (const auto& [ox, oy] : {std::pair{dx, dy},
                                     {dy, dx},
                                     {-dy, dx},
                                     {-dx, dy},
                                     {-dx, -dy},
                                     {-dy, -dx},
                                     {dy, -dx},
                                     {dx, -dy}})
            stamp(centre.x() + ox, centre.y() + oy, rgb);
        ++dy;
        if (error < 0) {
            error += 2 * dy + 1;
        } else {
            --dx;
            error += 2 * (dy - dx) + 1;
        }
    }
}

} // namespace platform
