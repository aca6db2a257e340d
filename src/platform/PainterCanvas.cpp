#include "platform/PainterCanvas.h"

#include "platform/Twips.h"

#include <QPainter>

#include <cmath>

namespace platform {

namespace {

int toPixel(float twips) {
    constexpr double kNudge = 1e-9; // as on screen: whole pixels stay whole
    return int(std::floor(double(twips) / kTwipsPerPixel + kNudge));
}

QPointF centreOf(int x, int y) {
    return {x + 0.5, y + 0.5};
}

} // namespace

PainterCanvas::PainterCanvas(QPainter& painter, const QPalette& palette)
    : painter_(painter), palette_(palette) {}

void PainterCanvas::pset(float x, float y, std::optional<Colour> colour) {
    const QRect dot(toPixel(x), toPixel(y), 1, 1);
    if (!repeats(dot, colour))
        painter_.fillRect(dot, resolve(colour));
}

void PainterCanvas::line(float x1, float y1, float x2, float y2, std::optional<Colour> colour) {
    QPen pen(resolve(colour), 1.0, Qt::SolidLine, Qt::SquareCap);
    painter_.setPen(pen);
    painter_.drawLine(centreOf(toPixel(x1), toPixel(y1)), centreOf(toPixel(x2), toPixel(y2)));
    last_ = QRect();
}

void PainterCanvas::circle(float x, float y, float radius, std::optional<Colour> colour) {
    const int r = int(std::floor(double(radius) / kTwipsPerPixel + 0.5));
    const QRect key(toPixel(x), toPixel(y), r, -1);
    if (repeats(key, colour))
        return;
    painter_.setPen(QPen(resolve(colour), 1.0));
    painter_.setBrush(Qt::NoBrush);
    painter_.drawEllipse(centreOf(key.x(), key.y()), r, r);
}

QColor PainterCanvas::resolve(std::optional<Colour> colour) const {
    return colour ? toQColor(*colour, palette_)
                  : palette_.color(QPalette::Active, QPalette::WindowText);
}

bool PainterCanvas::repeats(const QRect& key, std::optional<Colour> colour) {
    const bool same = key == last_ && colour == lastColour_;
    last_ = key;
    lastColour_ = colour;
    return same;
}

} // namespace platform
