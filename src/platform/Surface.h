#pragma once

#include "platform/Canvas.h"
#include "platform/ChangedArea.h"
#include "platform/PrintItem.h"
#include "platform/Raster.h"

#include <QFont>
#include <QImage>
#include <QPalette>
#include <QStringList>

#include <cstdint>
#include <optional>
#include <vector>

namespace platform {

// The persistent picture of a form's client area: what Cls, Print and the
// drawing calls leave, kept in an image at the screen's device pixel ratio so
// that it survives being covered and stays sharp. Drawing is aliased with a
// pen one device-independent pixel wide, like the forms' own.
class Surface final : public Canvas {
  public:
    // A text item of a Print, where its baseline starts (device-independent pixels).
    struct PrintedText {
        QPointF baseline;
        QString text;
    };

    // While one lives, the drawing calls share one opening of the picture,
    // and the revision and the changed area take them in when it ends; so
    // nothing may copy image() in between. Other calls end the sharing first.
    class Batch {
      public:
        explicit Batch(Surface& surface) : surface_(surface) { ++surface_.batches_; }
        ~Batch() {
            if (--surface_.batches_ == 0)
                surface_.closeRaster();
        }
        Batch(const Batch&) = delete;
        Batch& operator=(const Batch&) = delete;

      private:
        Surface& surface_;
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
    void setBackColor(Colour colour);
    Colour backColor() const { return backColour_; }

    // Writes the items at the print position, then starts a new line.
    void print(const std::vector<PrintItem>& items);

    void pset(float x, float y, std::optional<Colour> colour) override;
    void psetRun(int x, int y, int dx, int dy, int count, std::optional<Colour> colour) override;
    void line(float x1, float y1, float x2, float y2, std::optional<Colour> colour) override;
    void circle(float x, float y, float radius, std::optional<Colour> colour) override;

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
    std::uint64_t revision() const { return revision_; }
    // The colour at a point in twips, as the user sees it.
    QRgb pixelAt(float x, float y) const;
    // The device pixel that a drawing call puts a point in twips on (a
    // circle's centre, a point's top left).
    QPoint deviceCentre(float x, float y) const { return toDevice(x, y); }
    // One coordinate of it.
    int deviceCoordinate(float twips) const { return toDevice(twips); }

    // The area changed since the last call, in device-independent pixels.
    QRect takeChangedRect() { return changed_.take(dpr_); }

  private:
    // The colour's value; the last one is kept, as the drawing calls repeat theirs.
    QRgb resolve(std::optional<Colour> colour) const {
        return resolvedAny_ && colour == resolvedColour_ ? resolvedRgb_ : resolveAnew(colour);
    }
    QRgb resolveAnew(std::optional<Colour> colour) const;
    // Far outside any image, yet safe to offset by a radius.
    static constexpr int kFarAway = 1 << 28;
    // std::floor to an int, with coordinates far off the picture (or not
    // numbers) far away instead of overflowing; truncation is exact within.
    static int floorToInt(double v) {
        if (!(v > -kFarAway && v < kFarAway))
            return v < 0 ? -kFarAway : kFarAway;
        const int truncated = int(v);
        return truncated > v ? truncated - 1 : truncated;
    }
    int toDevice(float twips) const {
        // The nudge keeps whole pixels whole despite the rounded scale (15 twips is 1 pixel).
        constexpr double kNudge = 1e-9;
        return floorToInt(double(twips) * devicePerTwip_ + kNudge);
    }
    QPoint toDevice(float x, float y) const { return {toDevice(x), toDevice(y)}; }
    // Notes the size and row stride of a new image, which every drawing call uses.
    void imageReplaced();
    // Counts the pixels that the raster changed in the revision and the changed area.
    void takeIn(const Raster& raster);
    // Takes in the raster of a batch and closes it, before the image changes otherwise.
    void closeRaster();
    // Runs one drawing call on the pixels and notes whether it changed any.
    template <typename Draw> void draw(Draw drawing);
    void changedAll();

    QPalette palette_;
    QFont font_;
    qreal dpr_ = 1.0;
    double devicePerTwip_ = 1.0 / 15.0;
    int pen_ = 1; // device pixels
    QImage image_;
    qsizetype stride_ = 0; // of image_, bytes
    QSize deviceSize_;     // of image_
    Colour backColour_ = 0;
    QStringList lines_;
    std::vector<PrintedText> printed_;
    std::vector<QPointF> lineOrigins_;
    double printX_ = 0.0; // print position, device-independent pixels
    double printY_ = 0.0;
    std::uint64_t revision_ = 0;
    ChangedArea changed_;
    // The last colour resolved, as the drawing calls repeat theirs.
    int batches_ = 0;              // open batches
    std::optional<Raster> raster_; // a batch's, once it has drawn
    mutable bool resolvedAny_ = false;
    mutable std::optional<Colour> resolvedColour_;
    mutable QRgb resolvedRgb_ = 0;
};

} // namespace platform
