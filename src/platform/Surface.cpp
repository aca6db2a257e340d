#include "platform/Surface.h"

#include "platform/Twips.h"

#include <QFontMetricsF>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace platform {

namespace {

// Qt's AVX fill and painting routines return with the upper halves of the
// vector registers dirty; on some processors every SSE instruction after
// that pays a transition penalty, which made the ray steps after a Cls three
// times slower. vzeroupper clears them; it exists only where AVX does.
void clearVectorUpperHalves() {
#if defined(__x86_64__) && defined(__GNUC__)
    static const bool hasAvx = __builtin_cpu_supports("avx");
    if (hasAvx)
        asm volatile("vzeroupper");
#endif
}

} // namespace

Surface::Surface(QSize logicalSize, qreal devicePixelRatio, const QPalette& palette, QFont font)
    : palette_(palette), font_(std::move(font)), dpr_(devicePixelRatio),
      devicePerTwip_(devicePixelRatio / kTwipsPerPixel),
      pen_(std::max(1, int(std::lround(devicePixelRatio)))),
      image_(logicalSize * devicePixelRatio, QImage::Format_RGB32), backColour_(systemColour(5)),
      foreRgb_(palette.color(QPalette::Active, QPalette::WindowText).rgb()) {
    image_.setDevicePixelRatio(dpr_);
    cls();
}

void Surface::ensureSize(QSize logicalSize) {
    const QSize wanted = (logicalSize * dpr_).expandedTo(image_.size());
    if (wanted == image_.size())
        return;
    QImage grown(wanted, QImage::Format_RGB32);
    grown.setDevicePixelRatio(dpr_);
    grown.fill(resolve(backColour_));
    QPainter(&grown).drawImage(QPoint(0, 0), image_);
    image_ = std::move(grown);
    refreshPixels();
    markAllChanged();
}

void Surface::cls() {
    image_.fill(resolve(backColour_));
    refreshPixels();
    lines_.clear();
    printX_ = 0.0;
    printY_ = 0.0;
    markAllChanged();
}

void Surface::setBackColor(Colour colour) {
    backColour_ = colour;
    cls();
}

void Surface::print(const std::vector<PrintItem>& items) {
    const QFontMetricsF metrics(font_);
    QString kept;
    {
        QPainter painter(&image_);
        painter.setFont(font_);
        painter.setPen(QColor(foreRgb_));
        for (const PrintItem& item : items) {
            if (item.blanks > 0) {
                printX_ += item.blanks * metrics.averageCharWidth();
                kept += QString(item.blanks, QLatin1Char(' '));
                continue;
            }
            painter.drawText(QPointF(printX_, printY_ + metrics.ascent()), item.text);
            printX_ += metrics.horizontalAdvance(item.text);
            kept += item.text;
        }
    }
    refreshPixels();
    lines_.append(kept);
    printX_ = 0.0;
    printY_ += metrics.height();
    markAllChanged();
}

void Surface::line(float x1, float y1, float x2, float y2, std::optional<Colour> colour) {
    const QRgb rgb = resolve(colour);
    int x = toDevice(x1);
    int y = toDevice(y1);
    const int xEnd = toDevice(x2);
    const int yEnd = toDevice(y2);
    const int dx = std::abs(xEnd - x);
    const int dy = -std::abs(yEnd - y);
    const int stepX = x < xEnd ? 1 : -1;
    const int stepY = y < yEnd ? 1 : -1;
    int error = dx + dy;
    for (;;) { // Bresenham
        stamp(x, y, rgb);
        if (x == xEnd && y == yEnd)
            break;
        const int twice = 2 * error;
        if (twice >= dy) {
            error += dy;
            x += stepX;
        }
        if (twice <= dx) {
            error += dx;
            y += stepY;
        }
    }
    endOperation();
}

void Surface::drawCircle(const CircleKey& key) {
    int dx = key.radius;
    int dy = 0;
    int error = 1 - dx;
    while (dx >= dy) { // midpoint circle, one octant mirrored eight ways
        for (const auto& [ox, oy] : {std::pair{dx, dy},
                                     {dy, dx},
                                     {-dy, dx},
                                     {-dx, dy},
                                     {-dx, -dy},
                                     {-dy, -dx},
                                     {dy, -dx},
                                     {dx, -dy}})
            stamp(key.x + ox, key.y + oy, key.rgb);
        ++dy;
        if (error < 0) {
            error += 2 * dy + 1;
        } else {
            --dx;
            error += 2 * (dy - dx) + 1;
        }
    }
    endOperation();
    lastCircle_ = key;
    lastCircle_.revision = revision_;
}

QRgb Surface::pixelAt(float x, float y) const {
    const QPoint p(toDevice(x), toDevice(y));
    return image_.rect().contains(p) ? image_.pixel(p) : 0;
}

QRect Surface::takeChangedRect() {
    if (changedLeft_ > changedRight_)
        return {};
    const auto down = [this](int v) { return int(std::floor(v / dpr_)); };
    const auto up = [this](int v) { return int(std::ceil(v / dpr_)); };
    const QRect changed(QPoint(down(changedLeft_), down(changedTop_)),
                        QPoint(up(changedRight_ + 1) - 1, up(changedBottom_ + 1) - 1));
    changedRight_ = changedBottom_ = -1;
    changedLeft_ = changedTop_ = 0;
    return changed;
}

void Surface::markAllChanged() {
    changedLeft_ = changedTop_ = 0;
    changedRight_ = image_.width() - 1;
    changedBottom_ = image_.height() - 1;
    ++revision_;
}

void Surface::refreshPixels() {
    clearVectorUpperHalves();
    // Qt may have given the image new memory (a resize, a painter, a fill).
    bits_ = image_.bits();
    stride_ = image_.bytesPerLine();
    width_ = image_.width();
    height_ = image_.height();
}

QRgb Surface::resolveUncached(Colour colour) {
    cachedColour_ = colour;
    cachedRgb_ = toQColor(colour, palette_).rgb();
    return cachedRgb_;
}

void Surface::extendChanged(int left, int top, int right, int bottom) {
    pixelsChanged_ = true;
    if (changedLeft_ > changedRight_) {
        changedLeft_ = left;
        changedTop_ = top;
        changedRight_ = right;
        changedBottom_ = bottom;
        return;
    }
    changedLeft_ = std::min(changedLeft_, left);
    changedRight_ = std::max(changedRight_, right);
    changedTop_ = std::min(changedTop_, top);
    changedBottom_ = std::max(changedBottom_, bottom);
}

} // namespace platform
