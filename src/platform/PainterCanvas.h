#pragma once

#include "raster/Canvas.h"
#include "raster/DeviceMapping.h"

#include <QPalette>
#include <QRect>

class QPainter;

namespace platform {

// The drawing calls drawn as vectors on any painter (a PDF, a printer), in
// device-independent pixels: each point lands on the pixel that the picture
// on screen would use at a ratio of 1, and each dot, line and outline is one
// pixel wide, so that the page shows the same picture at any resolution.
// A call that repeats the previous one exactly is skipped.
class PainterCanvas final : public raster::Canvas {
  public:
    PainterCanvas(QPainter& painter, const QPalette& palette);

    void pset(float x, float y, std::optional<raster::Colour> colour) override;
    void line(float x1, float y1, float x2, float y2,
              std::optional<raster::Colour> colour) override;
    void circle(float x, float y, float radius, std::optional<raster::Colour> colour) override;

  private:
    QColor resolve(std::optional<raster::Colour> colour) const;
    bool repeats(const QRect& key, std::optional<raster::Colour> colour);

    QPainter& painter_;
    QPalette palette_;
    raster::DeviceMapping pixels_; // the screen's at a ratio of 1
    QRect last_;
    std::optional<raster::Colour> lastColour_;
};

} // namespace platform
