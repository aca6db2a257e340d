#pragma once

#include "platform/Canvas.h"
#include "platform/PrintItem.h"

#include <QFont>
#include <QImage>
#include <QPalette>
#include <QRect>
#include <QStringList>

#include <algorithm>
#include <cstdint>
#include <vector>

namespace platform {

namespace detail {

// Far outside any image, yet safe to offset by a radius.
constexpr int kFarAway = 1 << 28;

// floor(v) as an int, without a library call: truncation after a shift into
// the positive numbers. Coordinates far off the picture (or not numbers)
// come out far away instead of overflowing.
inline int floorToInt(double v) {
    if (!(v > -kFarAway && v < kFarAway))
        return v < 0 ? -kFarAway : kFarAway;
    return int(v + kFarAway) - kFarAway;
}

} // namespace detail

// The persistent picture of a form's client area: what Cls, Print and the
// drawing calls leave, kept in an image at the screen's device pixel ratio so
// that it survives being covered and stays sharp. Drawing is aliased with a
// pen one device-independent pixel wide, like the forms' own.
class Surface final : public Canvas {
  public:
    Surface(QSize logicalSize, qreal devicePixelRatio, const QPalette& palette, QFont font);

    // Grows the picture to cover the size; it never shrinks, so nothing drawn is lost.
    void ensureSize(QSize logicalSize);

    void cls();
    // Repaints the whole background in the colour, as Cls does.
    void setBackColor(Colour colour);
    Colour backColor() const { return backColour_; }

    // Writes the items at the print position, then starts a new line.
    void print(const std::vector<PrintItem>& items);

    void pset(float x, float y, std::optional<Colour> colour) override;
    void line(float x1, float y1, float x2, float y2, std::optional<Colour> colour) override;
    void circle(float x, float y, float radius, std::optional<Colour> colour) override;

    // The live picture: copy() it to keep what it shows now.
    const QImage& image() const { return image_; }
    qreal devicePixelRatio() const { return dpr_; }
    // The text lines printed since the last Cls, blanks of Spc included.
    const QStringList& lines() const { return lines_; }
    // Changes whenever a pixel or a printed line changes.
    std::uint64_t revision() const { return revision_; }
    // The colour at a point in twips, as the user sees it.
    QRgb pixelAt(float x, float y) const;

    // The area changed since the last call, in device-independent pixels.
    QRect takeChangedRect();

  private:
    struct CircleKey {
        int x = 0, y = 0, radius = -1;
        QRgb rgb = 0;
        std::uint64_t revision = 0;
        bool operator==(const CircleKey&) const = default;
    };

    QRgb resolve(std::optional<Colour> colour);
    int toDevice(float twips) const;
    void stamp(int x, int y, QRgb rgb);
    QRgb resolveUncached(Colour colour);
    void drawCircle(const CircleKey& key);
    void markAllChanged();
    void refreshPixels();
    void endOperation();
    void extendChanged(int left, int top, int right, int bottom);

    QPalette palette_;
    QFont font_;
    qreal dpr_ = 1.0;
    double devicePerTwip_ = 1.0 / 15.0;
    int pen_ = 1;
    QImage image_;
    uchar* bits_ = nullptr; // image_'s pixels, written directly
    qsizetype stride_ = 0;
    int width_ = 0;
    int height_ = 0;
    Colour backColour_ = 0;
    QStringList lines_;
    double printX_ = 0.0; // print position, device-independent pixels
    double printY_ = 0.0;
    std::uint64_t revision_ = 0;
    bool pixelsChanged_ = false; // since the last revision step
    // The changed area in device pixels, empty while left > right.
    int changedLeft_ = 0, changedTop_ = 0, changedRight_ = -1, changedBottom_ = -1;
    CircleKey lastCircle_;
    QRgb foreRgb_ = 0;
    Colour cachedColour_ = 0;
    QRgb cachedRgb_ = 0; // 0 until a colour is cached: opaque colours have alpha bits
};

// The drawing calls of the plot's hot loops, inline.

inline int Surface::toDevice(float twips) const {
    // The nudge keeps whole pixels whole despite the rounded scale (15 twips is 1 pixel).
    constexpr double kNudge = 1e-9;
    return detail::floorToInt(double(twips) * devicePerTwip_ + kNudge);
}

inline QRgb Surface::resolve(std::optional<Colour> colour) {
    if (!colour)
        return foreRgb_;
    return *colour == cachedColour_ && cachedRgb_ != 0 ? cachedRgb_ : resolveUncached(*colour);
}

inline void Surface::stamp(int x, int y, QRgb rgb) {
    // The pen covers one device-independent pixel: pen_ device pixels each way.
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
        extendChanged(left, top, right, bottom);
}

inline void Surface::endOperation() {
    if (pixelsChanged_)
        ++revision_;
    pixelsChanged_ = false;
}

inline void Surface::circle(float x, float y, float radius, std::optional<Colour> colour) {
    const CircleKey key{toDevice(x), toDevice(y),
                        detail::floorToInt(double(radius) * devicePerTwip_ + 0.5), resolve(colour),
                        revision_};
    if (key != lastCircle_) // the same outline again on an unchanged picture changes nothing
        drawCircle(key);
}

inline void Surface::pset(float x, float y, std::optional<Colour> colour) {
    stamp(toDevice(x), toDevice(y), resolve(colour));
    endOperation();
}

} // namespace platform
