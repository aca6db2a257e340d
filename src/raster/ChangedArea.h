#pragma once

#include "raster/Geometry.h"

#include <algorithm>

namespace raster {

// The part of a picture changed since it was last taken, gathered in device
// pixels and handed out in device-independent pixels.
class ChangedArea {
  public:
    // Inclusive bounds, device pixels.
    void add(int left, int top, int right, int bottom) {
        if (isEmpty()) {
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
    void addAll(Size deviceSize);
    void add(const ChangedArea& other);
    bool isEmpty() const { return left_ > right_; }

    // The area in device-independent pixels, rounded outwards so that it
    // covers every changed device pixel at any ratio; then empty again.
    Rect take(double devicePixelRatio);

  private:
    int left_ = 0, top_ = 0, right_ = -1, bottom_ = -1;
};

} // namespace raster
