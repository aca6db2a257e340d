#pragma once

#include "platform/PrintItem.h"
#include "raster/Colour.h"
#include "raster/PixelCanvas.h"

#include <QFont>
#include <QImage>
#include <QPalette>
#include <QStringList>

#include <cstdint>
#include <vector>

namespace platform {

// The persistent picture of a form's client area: what Cls, Print and the
// drawing calls leave, kept in an image at the screen's device pixel ratio so
// that it survives being covered and stays sharp. The drawing calls go to its
// canvas, which draws on the image's pixels.
class Surface final {
  public:
    // A text item of a Print, where its baseline starts (device-independent pixels).
    struct PrintedText {
        QPointF baseline;
        QString text;
    };

    Surface(QSize logicalSize, qreal devicePixelRatio, const QPalette& palette, QFont font);
    Surface(const Surface&) = delete;
    Surface& operator=(const Surface&) = delete;

    // Grows the picture to cover the size; it never shrinks, so nothing drawn is lost.
    void ensureSize(QSize logicalSize);
    // Keeps the picture, scaled, at another device pixel ratio.
    void setDevicePixelRatio(qreal devicePixelRatio);

    void cls();
    // Repaints the whole background in the colour, as Cls does.
    void setBackColor(raster::Colour colour);
    raster::Colour backColor() const { return backColour_; }

    // Writes the items at the print position, then starts a new line.
    void print(const std::vector<PrintItem>& items);

    // The drawing calls (PSet, Line, Circle) on the picture. Ask again after
    // image() was copied: a copy shares the pixels until the picture parts from it.
    raster::PixelCanvas& canvas();

    // The live picture: copy() it to keep what it shows now.
    const QImage& image() const { return image_; }
    qreal devicePixelRatio() const { return dpr_; }
    // The text of each line printed since the last Cls; Spc moves, adds no text.
    const QStringList& lines() const { return lines_; }
    // Where each line's text begins: the left of its first item, the top of the line.
    const std::vector<QPointF>& lineOrigins() const { return lineOrigins_; }
    // The same text item by item, to write it again elsewhere as text.
    const std::vector<PrintedText>& printedText() const { return printed_; }
    const QFont& font() const { return font_; }
    const QPalette& palette() const { return palette_; }
    // Changes whenever a pixel or a printed line changes.
    std::uint64_t revision() const { return canvas_.revision(); }
    // The colour at a point in twips, as the user sees it.
    QRgb pixelAt(float x, float y) const;
    // The device pixel that a drawing call puts a point in twips on (a
    // circle's centre, a point's top left).
    QPoint deviceCentre(float x, float y) const;

    // The area changed since the last call, in device-independent pixels.
    QRect takeChangedRect();

  private:
    // Points the canvas at the image's pixels, after the image was replaced
    // or parted from a copy that shared them.
    void imageReplaced();

    QPalette palette_;
    QFont font_;
    qreal dpr_ = 1.0;
    QImage image_;
    raster::PixelCanvas canvas_;
    raster::Colour backColour_ = 0;
    QStringList lines_;
    std::vector<PrintedText> printed_;
    std::vector<QPointF> lineOrigins_;
    double printX_ = 0.0; // print position, device-independent pixels
    double printY_ = 0.0;
};

} // namespace platform
