#include "platform/PainterCanvas.h"

#include "platform/QtColours.h"

#include <QPainter>

namespace platform {

namespace {

QPointF centreOf(int x, int y) {
    return {x + 0.5, y + 0.5};
}

} // namespace

PainterCanvas::PainterCanvas(QPainter& painter, const QPalette& palette)
    : painter_(painter), palette_(palette), pixels_(1.0) {}

void PainterCanvas::pset(float x, float y, std::optional<raster::Colour> colour) {
    const QRect dot(pixels_.toDevice(x), pixels_.toDevice(y), 1, 1);
    if (!repeats(dot, colour))
        painter_.fillRect(dot, resolve(colour));
}

void PainterCanvas::line(float x1, float y1, float x2, float y2,
                         std::optional<raster::Colour> colour) {
    QPen pen(resolve(colour), 1.0, Qt::SolidLine, Qt::SquareCap);
    painter_.setPen(pen);
    painter_.drawLine(centreOf(pixels_.toDevice(x1), pixels_.toDevice(y1)),
                      centreOf(pixels_.toDevice(x2), pixels_.toDevice(y2)));
    last_ = QRect();
}

void PainterCanvas::circle(float x, float y, float radius, std::optional<raster::Colour> colour) {
    const int r = pixels_.radius(radius);
    const QRect key(pixels_.toDevice(x), pixels_.toDevice(y), r, -1);
    if (repeats(key, colour))
        return;
    painter_.setPen(QPen(resolve(colour), 1.0));
    painter_.setBrush(Qt::NoBrush);
    painter_.drawEllipse(centreOf(key.x(), key.y()), r, r);
}

QColor PainterCanvas::resolve(std::optional<raster::Colour> colour) const {
    return colour ? toQColor(*colour, palette_)
                  : palette_.color(QPalette::Active, QPalette::WindowText);
}

bool PainterCanvas::repeats(const QRect& key, std::optional<raster::Colour> colour) {
    const bool same = key == last_ && colour == lastColour_;
    last_ = key;
    lastColour_ = colour;
    return same;
}

} // namespace platform
