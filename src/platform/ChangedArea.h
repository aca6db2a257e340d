#pragma once

#include <QRect>

namespace platform {

// The part of a picture changed since it was last taken, gathered in device
// pixels and handed out in device-independent pixels.
class ChangedArea {
  public:
    // Inclusive bounds, device pixels.
    void add(int left, int top, int right, int bottom);
    void addAll(QSize deviceSize);
    void add(const ChangedArea& other);
    bool isEmpty() const { return left_ > right_; }

    // The area in device-independent pixels, rounded outwards so that it
    // covers every changed device pixel at any ratio; then empty again.
    QRect take(qreal devicePixelRatio);

  private:
    int left_ = 0, top_ = 0, right_ = -1, bottom_ = -1;
};

} // namespace platform
