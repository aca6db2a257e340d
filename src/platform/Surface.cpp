#include "platform/Surface.h"

#include "platform/QtColours.h"
#include "platform/QtGeometry.h"

#include <QFontMetricsF>
#include <QPainter>

#include <optional>

namespace platform {

namespace {

// The image's pixels, which it parts from any copy sharing them first.
raster::PixelBuffer bufferOf(QImage& image) {
    return {reinterpret_cast<raster::Rgb*>(image.bits()),
            image.bytesPerLine() / qsizetype(sizeof(raster::Rgb)), image.width(), image.height()};
}

} // namespace

Surface::Surface(QSize logicalSize, qreal devicePixelRatio, const QPalette& palette, QFont font)
    : palette_(palette), font_(std::move(font)), dpr_(devicePixelRatio),
      image_(logicalSize * devicePixelRatio, QImage::Format_RGB32),
      canvas_(raster::PixelBuffer{}, devicePixelRatio, rasterPalette(palette)),
      backColour_(raster::kWindowColour) {
    image_.setDevicePixelRatio(dpr_);
    imageReplaced();
    cls();
}

void Surface::ensureSize(QSize logicalSize) {
    canvas_.finishDrawing();
    const QSize wanted = (logicalSize * dpr_).expandedTo(image_.size());
    if (wanted == image_.size())
        return;
    QImage grown(wanted, QImage::Format_RGB32);
    grown.setDevicePixelRatio(dpr_);
    grown.fill(canvas_.resolve(backColour_));
    QPainter(&grown).drawImage(QPoint(0, 0), image_);
    image_ = std::move(grown);
    imageReplaced();
    canvas_.changedAll();
}

void Surface::setDevicePixelRatio(qreal devicePixelRatio) {
    canvas_.finishDrawing();
    canvas_.takeChanged(); // in the old ratio's pixels; all of it changes below
    const QSize logicalSize = (QSizeF(image_.size()) / dpr_).toSize();
    dpr_ = devicePixelRatio;
    image_ = image_.scaled(logicalSize * dpr_, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    image_.setDevicePixelRatio(dpr_);
    imageReplaced();
    canvas_.changedAll();
}

void Surface::cls() {
    canvas().fill(backColour_);
    lines_.clear();
    printed_.clear();
    lineOrigins_.clear();
    printX_ = 0.0;
    printY_ = 0.0;
}

void Surface::setBackColor(raster::Colour colour) {
    backColour_ = colour;
    cls();
}

void Surface::print(const std::vector<PrintItem>& items) {
    canvas_.finishDrawing();
    const QFontMetricsF metrics(font_);
    QString text;
    std::optional<QPointF> origin;
    {
        QPainter painter(&image_);
        painter.setFont(font_);
        painter.setPen(QColor(canvas_.resolve(std::nullopt)));
        for (const PrintItem& item : items) {
            if (item.blanks > 0) {
                printX_ += item.blanks * metrics.averageCharWidth();
                continue;
            }
            if (!origin)
                origin = QPointF(printX_, printY_);
            const QPointF baseline(printX_, printY_ + metrics.ascent());
            painter.drawText(baseline, item.text);
            printed_.push_back({baseline, item.text});
            printX_ += metrics.horizontalAdvance(item.text);
            text += item.text;
        }
    }
    lines_.append(text);
    lineOrigins_.push_back(origin.value_or(QPointF(printX_, printY_)));
    printX_ = 0.0;
    printY_ += metrics.height();
    canvas_.changedAll();
}

raster::PixelCanvas& Surface::canvas() {
    // A copy of image() shares its pixels until one of them writes.
    if (reinterpret_cast<raster::Rgb*>(image_.bits()) != canvas_.buffer().pixels)
        imageReplaced();
    return canvas_;
}

QRgb Surface::pixelAt(float x, float y) const {
    const QPoint p = deviceCentre(x, y);
    return image_.rect().contains(p) ? image_.pixel(p) : 0;
}

QPoint Surface::deviceCentre(float x, float y) const {
    const raster::Point p = canvas_.mapping().toDevice(x, y);
    return {p.x, p.y};
}

QRect Surface::takeChangedRect() {
    return toQRect(canvas_.takeChanged());
}

void Surface::imageReplaced() {
    canvas_.setBuffer(bufferOf(image_), dpr_);
}

} // namespace platform
