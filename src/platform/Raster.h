#pragma once

#include <QImage>
#include <QPoint>

namespace platform {

class ChangedArea;

// Aliased drawing into an image, in device pixels, with a square pen of
// penWidth device pixels. It lives for one drawing call, so the pixel
// pointer it holds cannot outlive the image's memory.
class Raster {
  public:
    Raster(QImage& image, int penWidth, ChangedArea& changed);

    void stamp(int x, int y, QRgb rgb);
    void line(QPoint from, QPoint to, QRgb rgb);
    void circle(QPoint centre, int radius, QRgb rgb);

    // Whether any pixel took a new colour.
    bool changedAny() const { return changedAny_; }

  private:
    uchar* bits_;
    qsizetype stride_;
    int width_;
    int height_;
    int pen_;
    ChangedArea& changed_;
    bool changedAny_ = false;
};

} // namespace platform
