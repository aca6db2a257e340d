#pragma once

#include "platform/ChangedArea.h"

#include <QImage>
#include <QPoint>
#include <QRect>

#include <algorithm>

namespace platform {

// Aliased drawing into an image, in device pixels, with a square pen of
// penWidth device pixels. It lives for one drawing call, so the pixel
// pointer it holds cannot outlive the image's memory.
class Raster {
  public:
    // The image's pixels (its bits() once detached), its row stride in bytes
    // and its size.
    Raster(uchar* bits, qsizetype stride, QSize size, int penWidth);

    [[gnu::always_inline]] void stamp(int x, int y, QRgb rgb) {
        if (pen_ == 1) { // the plot's thousands of grid dots at a ratio of 1
            if (x < 0 || y < 0 || x >= width_ || y >= height_)
                return;
            QRgb& pixel = reinterpret_cast<QRgb*>(bits_ + y * stride_)[x];
            if (pixel != rgb)
                changed_.add(x, y, x, y);
            pixel = rgb;
            return;
        }
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
        if (changed)
            changed_.add(left, top, right, bottom);
    }
    // Asks for the pixel's memory ahead of a stamp there.
    void prefetch(int x, int y) const {
        if (x >= 0 && y >= 0 && x < width_ && y < height_)
            __builtin_prefetch(bits_ + y * stride_ + x * qsizetype(sizeof(QRgb)), 1);
    }
    void line(QPoint from, QPoint to, QRgb rgb);
    void circle(QPoint centre, int radius, QRgb rgb);

    // The device pixels that took a new colour; empty when none did.
    const ChangedArea& changed() const { return changed_; }

  private:
    uchar* bits_;
    qsizetype stride_;
    int width_;
    int height_;
    int pen_;
    ChangedArea changed_;
};

} // namespace platform
