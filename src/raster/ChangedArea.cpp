#include "raster/ChangedArea.h"

#include <cmath>

namespace raster {

void ChangedArea::add(const ChangedArea& other) {
    if (!other.isEmpty())
        add(other.left_, other.top_, other.right_, other.bottom_);
}

void ChangedArea::addAll(Size deviceSize) {
    add(0, 0, deviceSize.width - 1, deviceSize.height - 1);
}

Rect ChangedArea::take(double devicePixelRatio) {
    if (isEmpty())
        return {};
    const auto down = [=](int v) { return int(std::floor(v / devicePixelRatio)); };
    const auto up = [=](int v) { return int(std::ceil(v / devicePixelRatio)); };
    const int left = down(left_), top = down(top_);
    const Rect changed{left, top, up(right_ + 1) - left, up(bottom_ + 1) - top};
    *this = ChangedArea();
    return changed;
}

} // namespace raster
