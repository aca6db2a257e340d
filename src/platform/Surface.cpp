#include "platform/Surface.h"

#include "platform/Raster.h"
#include "platform/Twips.h"

#include <QFontMetricsF>
#include <QPainter>

namespace platform {

Surface::Surface(QSize logicalSize, qreal devicePixelRatio, const QPalette& palette, QFont font)
    : palette_(palette), font_(std::move(font)), dpr_(devicePixelRatio),
      devicePerTwip_(devicePixelRatio / kTwipsPerPixel),
      pen_(std::max(1, int(std::lround(devicePixelRatio)))),
      image_(logicalSize * devicePixelRatio, QImage::Format_RGB32), backColour_(systemColour(5)) {
    image_.setDevicePixelRatio(dpr_);
    imageReplaced();
    cls();
}

void Surface::ensureSize(QSize logicalSize) {
    closeRaster();
    const QSize wanted = (logicalSize * dpr_).expandedTo(image_.size());
    if (wanted == image_.size())
        return;
    QImage grown(wanted, QImage::Format_RGB32);
    grown.setDevicePixelRatio(dpr_);
    grown.fill(resolve(backColour_));
    QPainter(&grown).drawImage(QPoint(0, 0), image_);
    image_ = std::move(grown);
    imageReplaced();
    changedAll();
}

void Surface::setDevicePixelRatio(qreal devicePixelRatio) {
    closeRaster();
    const QSize logicalSize = (QSizeF(image_.size()) / dpr_).toSize();
    dpr_ = devicePixelRatio;
    devicePerTwip_ = dpr_ / kTwipsPerPixel;
    pen_ = std::max(1, int(std::lround(dpr_)));
    image_ = image_.scaled(logicalSize * dpr_, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    image_.setDevicePixelRatio(dpr_);
    imageReplaced();
    changedAll();
}

void Surface::cls() {
    closeRaster();
    image_.fill(resolve(backColour_));
    lines_.clear();
    printed_.clear();
    lineOrigins_.clear();
    printX_ = 0.0;
    printY_ = 0.0;
    changedAll();
}

void Surface::setBackColor(Colour colour) {
    backColour_ = colour;
    cls();
}

void Surface::print(const std::vector<PrintItem>& items) {
    closeRaster();
    const QFontMetricsF metrics(font_);
    QString text;
    std::optional<QPointF> origin;
    {
        QPainter painter(&image_);
        painter.setFont(font_);
        painter.setPen(QColor(resolve(std::nullopt)));
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
    changedAll();
}

template <typename Draw> void Surface::draw(Draw drawing) {
    if (batches_ > 0) {
        if (!raster_)
            raster_.emplace(image_.bits(), stride_, deviceSize_, pen_);
        drawing(*raster_);
        return;
    }
    Raster raster(image_.bits(), stride_, deviceSize_, pen_);
    drawing(raster);
    takeIn(raster);
}

void Surface::takeIn(const Raster& raster) {
    if (raster.changed().isEmpty())
        return;
    changed_.add(raster.changed());
    ++revision_;
}

void Surface::closeRaster() {
    if (!raster_)
        return;
    takeIn(*raster_);
    raster_.reset();
}

void Surface::pset(float x, float y, std::optional<Colour> colour) {
    const QPoint at = toDevice(x, y);
    const QRgb rgb = resolve(colour);
    draw([&](Raster& raster) { raster.stamp(at.x(), at.y(), rgb); });
}

void Surface::psetRun(int x, int y, int dx, int dy, int count, std::optional<Colour> colour) {
    const QRgb rgb = resolve(colour);
    draw([&](Raster& raster) {
        constexpr int kAhead = 8; // dots whose memory is asked for before they are drawn
        for (int i = 0; i < count; ++i) {
            const QPoint ahead =
                toDevice(float(x + (i + kAhead) * dx), float(y + (i + kAhead) * dy));
            raster.prefetch(ahead.x(), ahead.y());
            const QPoint at = toDevice(float(x + i * dx), float(y + i * dy));
            raster.stamp(at.x(), at.y(), rgb);
        }
    });
}

void Surface::line(float x1, float y1, float x2, float y2, std::optional<Colour> colour) {
    const QRgb rgb = resolve(colour);
    draw([&](Raster& raster) { raster.line(toDevice(x1, y1), toDevice(x2, y2), rgb); });
}

void Surface::circle(float x, float y, float radius, std::optional<Colour> colour) {
    const int deviceRadius = floorToInt(double(radius) * devicePerTwip_ + 0.5);
    const QRgb rgb = resolve(colour);
    draw([&](Raster& raster) { raster.circle(toDevice(x, y), deviceRadius, rgb); });
}

QRgb Surface::pixelAt(float x, float y) const {
    const QPoint p = toDevice(x, y);
    return image_.rect().contains(p) ? image_.pixel(p) : 0;
}

QRgb Surface::resolveAnew(std::optional<Colour> colour) const {
    // The palette never changes, so neither does a colour's value.
    resolvedRgb_ = colour ? toQColor(*colour, palette_).rgb()
                          : palette_.color(QPalette::Active, QPalette::WindowText).rgb();
    resolvedColour_ = colour;
    resolvedAny_ = true;
    return resolvedRgb_;
}

void Surface::imageReplaced() {
    stride_ = image_.bytesPerLine();
    deviceSize_ = image_.size();
}

void Surface::changedAll() {
    changed_.addAll(image_.size());
    ++revision_;
}

} // namespace platform
