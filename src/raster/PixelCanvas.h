#pragma once

#include "raster/Canvas.h"
#include "raster/ChangedArea.h"
#include "raster/DeviceMapping.h"
#include "raster/Geometry.h"
#include "raster/Palette.h"
#include "raster/PixelBuffer.h"
#include "raster/Raster.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace raster {

// The drawing calls in twips on a pixel buffer at a device pixel ratio:
// aliased, with a square pen one device-independent pixel wide, like the
// forms' own. It counts each call that changed a pixel in its revision and
// gathers the changed pixels, for its owner to repaint.
class PixelCanvas final : public Canvas {
  public:
    // While one lives, the drawing calls share one opening of the buffer,
    // and the revision and the changed area take them in when it ends; so
    // nothing may read the pixels in between. Other calls end the sharing first.
    class Batch {
      public:
        explicit Batch(PixelCanvas& canvas) : canvas_(canvas) { ++canvas_.batches_; }
        ~Batch() {
            if (--canvas_.batches_ == 0)
                canvas_.finishDrawing();
        }
        Batch(const Batch&) = delete;
        Batch& operator=(const Batch&) = delete;

      private:
        PixelCanvas& canvas_;
    };

    // On pixels its owner keeps, such as an image's.
    PixelCanvas(const PixelBuffer& buffer, double devicePixelRatio, const Palette& palette);
    // On pixels of its own: logicalSize device-independent pixels at the ratio,
    // black until filled.
    PixelCanvas(Size logicalSize, double devicePixelRatio, const Palette& palette);
    PixelCanvas(const PixelCanvas&) = delete;
    PixelCanvas& operator=(const PixelCanvas&) = delete;

    // Draws on other pixels from now on (its owner's image was replaced).
    void setBuffer(const PixelBuffer& buffer, double devicePixelRatio);
    // Every pixel in the colour, as Cls paints the background.
    void fill(Colour colour);
    // Its owner changed the pixels itself (text, a resize): all to repaint.
    void changedAll();
    // Ends the sharing of a batch, before the owner touches the pixels.
    void finishDrawing();

    void pset(float x, float y, std::optional<Colour> colour) override;
    void psetRun(int x, int y, int dx, int dy, int count, std::optional<Colour> colour) override;
    void line(float x1, float y1, float x2, float y2, std::optional<Colour> colour) override;
    void circle(float x, float y, float radius, std::optional<Colour> colour) override;

    const PixelBuffer& buffer() const { return buffer_; }
    const DeviceMapping& mapping() const { return mapping_; }
    Rgb resolve(std::optional<Colour> colour) const { return palette_.resolve(colour); }
    // The pixel at a point in twips; 0 off the buffer.
    Rgb pixelAt(float x, float y) const;
    // Changes whenever a drawing call changes a pixel, or the owner says it did.
    std::uint64_t revision() const { return revision_; }
    // The area changed since the last call, in device-independent pixels.
    Rect takeChanged() { return changed_.take(mapping_.devicePixelRatio()); }

  private:
    // Runs one drawing call on the pixels and notes whether it changed any.
    template <typename Draw> void draw(Draw drawing);
    // Counts the pixels that the raster changed in the revision and the changed area.
    void takeIn(const Raster& raster);

    PixelBuffer buffer_;
    std::vector<Rgb> own_; // the pixels, when none are given
    DeviceMapping mapping_;
    Palette palette_;
    std::uint64_t revision_ = 0;
    ChangedArea changed_;
    int batches_ = 0;              // open batches
    std::optional<Raster> raster_; // a batch's, once it has drawn
};

} // namespace raster
