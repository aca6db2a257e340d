#include "raster/PixelCanvas.h"

#include <algorithm>

namespace raster {

PixelCanvas::PixelCanvas(const PixelBuffer& buffer, double devicePixelRatio, const Palette& palette)
    : buffer_(buffer), mapping_(devicePixelRatio), palette_(palette) {}

PixelCanvas::PixelCanvas(Size logicalSize, double devicePixelRatio, const Palette& palette)
    : mapping_(devicePixelRatio), palette_(palette) {
    const Size size = mapping_.deviceSize(logicalSize);
    own_.assign(std::size_t(size.width) * std::size_t(size.height), kOpaque);
    buffer_ = {own_.data(), size.width, size.width, size.height};
}

void PixelCanvas::setBuffer(const PixelBuffer& buffer, double devicePixelRatio) {
    finishDrawing();
    buffer_ = buffer;
    mapping_ = DeviceMapping(devicePixelRatio);
}

void PixelCanvas::fill(Colour colour) {
    finishDrawing();
    const Rgb rgb = resolve(colour);
    // The first row pixel by pixel, the others as copies of it: a copy goes
    // at the speed of memory where a loop of stores would not (WebAssembly).
    if (buffer_.height > 0)
        std::fill_n(buffer_.row(0), buffer_.width, rgb);
    for (int y = 1; y < buffer_.height; ++y)
        std::copy_n(buffer_.row(0), buffer_.width, buffer_.row(y));
    changedAll();
}

void PixelCanvas::changedAll() {
    changed_.addAll({buffer_.width, buffer_.height});
    ++revision_;
}

template <typename Draw> void PixelCanvas::draw(Draw drawing) {
    if (batches_ > 0) {
        if (!raster_)
            raster_.emplace(buffer_, mapping_.penWidth());
        drawing(*raster_);
        return;
    }
    Raster raster(buffer_, mapping_.penWidth());
    drawing(raster);
    takeIn(raster);
}

void PixelCanvas::takeIn(const Raster& raster) {
    if (raster.changed().isEmpty())
        return;
    changed_.add(raster.changed());
    ++revision_;
}

void PixelCanvas::finishDrawing() {
    if (!raster_)
        return;
    takeIn(*raster_);
    raster_.reset();
}

void PixelCanvas::pset(float x, float y, std::optional<Colour> colour) {
    const Point at = mapping_.toDevice(x, y);
    const Rgb rgb = resolve(colour);
    draw([&](Raster& raster) { raster.stamp(at.x, at.y, rgb); });
}

void PixelCanvas::psetRun(int x, int y, int dx, int dy, int count, std::optional<Colour> colour) {
    if (count <= 0)
        return;
    const Rgb rgb = resolve(colour);
    const auto at = [&](int i) { return mapping_.toDevice(float(x + i * dx), float(y + i * dy)); };
    constexpr int kWholeFloats = 1 << 24;
    const auto exact = [](int twips) { return twips > -kWholeFloats && twips < kWholeFloats; };
    const int lastX = x + (count - 1) * dx, lastY = y + (count - 1) * dy;
    draw([&](Raster& raster) {
        if (exact(x) && exact(y) && exact(lastX) && exact(lastY) && raster.holds(at(0)) &&
            raster.holds(at(count - 1))) {
            // The grid's runs go along a row or a column: the other coordinate
            // is placed once.
            const auto along = [&](auto point) { raster.stampAlong(count, point, rgb); };
            const auto column = [&](int i) { return mapping_.toDeviceOnPicture(x + i * dx); };
            const auto row = [&](int i) { return mapping_.toDeviceOnPicture(y + i * dy); };
            if (dy == 0)
                along([&, y0 = row(0)](int i) { return Point{column(i), y0}; });
            else if (dx == 0)
                along([&, x0 = column(0)](int i) { return Point{x0, row(i)}; });
            else
                along([&](int i) { return Point{column(i), row(i)}; });
            return;
        }
        for (int i = 0; i < count; ++i) { // partly off the picture
            const Point p = at(i);
            raster.stamp(p.x, p.y, rgb);
        }
    });
}

void PixelCanvas::line(float x1, float y1, float x2, float y2, std::optional<Colour> colour) {
    const Rgb rgb = resolve(colour);
    draw([&](Raster& raster) {
        raster.line(mapping_.toDevice(x1, y1), mapping_.toDevice(x2, y2), rgb);
    });
}

void PixelCanvas::circle(float x, float y, float radius, std::optional<Colour> colour) {
    const int deviceRadius = mapping_.radius(radius);
    const Rgb rgb = resolve(colour);
    draw([&](Raster& raster) { raster.circle(mapping_.toDevice(x, y), deviceRadius, rgb); });
}

Rgb PixelCanvas::pixelAt(float x, float y) const {
    const Point p = mapping_.toDevice(x, y);
    const bool inside = p.x >= 0 && p.y >= 0 && p.x < buffer_.width && p.y < buffer_.height;
    return inside ? buffer_.row(p.y)[p.x] : 0;
}

} // namespace raster
