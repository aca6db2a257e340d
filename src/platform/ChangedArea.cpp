#include "platform/ChangedArea.h"

#include <algorithm>
#include <cmath>

namespace platform {

void ChangedArea::add(const ChangedArea& other) {
    if (!other.isEmpty())
        add(other.left_, other.top_, other.right_, other.bottom_);
}

void ChangedArea::addAll(QSize deviceSize) {
    add(0, 0, deviceSize.width() - 1, deviceSize.height() - 1);
}

QRect ChangedArea::take(qreal devicePixelRatio) {
    if (isEmpty())
        return {};
    const auto down = [=](int v) { return int(std::floor(v / devicePixelRatio)); };
    const auto up = [=](int v) { return int(std::ceil(v / devicePixelRatio)); };
    const QRect changed(QPoint(down(left_), down(top_)),
                        QPoint(up(right_ + 1) - 1, up(bottom_ + 1) - 1));
    *this = ChangedArea();
    return changed;
}

} // namespace platform
