#include "platform/Surface.h"

#include "platform/Twips.h"

#include <QFontMetricsF>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace platform {

Surface::Surface(QSize logicalSize, qreal devicePixelRatio, const QPalette& palette, QFont font)
    : palette_(palette), font_(std::move(font)), dpr_(devicePixelRatio),
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
    markAllChanged();
}

void Surface::cls() {
    image_.fill(resolve(backColour_));
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
    lines_.append(kept);
    printX_ = 0.0;
    printY_ += metrics.height();
    markAllChanged();
}

void Surface::pset(float x, float y, std::optional<Colour> colour) {
    stamp(toDevice(x), toDevice(y), resolve(colour));
    endOperation();
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

void Surface::circle(float x, float y, float radius, std::optional<Colour> colour) {
    const auto deviceRadius = int(std::lround(double(radius) * dpr_ / kTwipsPerPixel));
    const CircleKey key{toDevice(x), toDevice(y), deviceRadius, resolve(colour), revision_};
    if (key == lastCircle_)
        return; // the same outline drawn again on an unchanged picture changes nothing
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

QRgb Surface::resolve(std::optional<Colour> colour) {
    if (!colour)
        return foreRgb_;
    if (*colour != cachedColour_ || cachedRgb_ == 0) {
        cachedColour_ = *colour;
        cachedRgb_ = toQColor(*colour, palette_).rgb();
    }
    return cachedRgb_;
}

int Surface::toDevice(float twips) const {
    return int(std::floor(double(twips) * dpr_ / kTwipsPerPixel));
}

void Surface::stamp(int x, int y, QRgb rgb) {
    // The pen covers one device-independent pixel: pen_ device pixels each way.
    const int left = std::max(0, x);
    const int top = std::max(0, y);
    const int right = std::min(image_.width() - 1, x + pen_ - 1);
    const int bottom = std::min(image_.height() - 1, y + pen_ - 1);
    for (int row = top; row <= bottom; ++row) {
        auto* pixels = reinterpret_cast<QRgb*>(image_.scanLine(row));
        for (int column = left; column <= right; ++column) {
            if (pixels[column] == rgb)
                continue;
            pixels[column] = rgb;
            pixelsChanged_ = true;
            if (changedLeft_ > changedRight_) {
                changedLeft_ = changedRight_ = column;
                changedTop_ = changedBottom_ = row;
            } else {
                changedLeft_ = std::min(changedLeft_, column);
                changedRight_ = std::max(changedRight_, column);
                changedTop_ = std::min(changedTop_, row);
                changedBottom_ = std::max(changedBottom_, row);
            }
        }
    }
}

void Surface::markAllChanged() {
    changedLeft_ = changedTop_ = 0;
    changedRight_ = image_.width() - 1;
    changedBottom_ = image_.height() - 1;
    ++revision_;
}

void Surface::endOperation() {
    if (pixelsChanged_)
        ++revision_;
    pixelsChanged_ = false;
}

} // namespace platform
