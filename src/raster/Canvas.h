#pragma once

#include "raster/Colour.h"

#include <optional>

namespace raster {

// The drawing calls of a form, in twips; no colour means the foreground
// colour. Coordinates and radii are single-precision, as the forms take them.
class Canvas {
  public:
    virtual ~Canvas() = default;

    virtual void pset(float x, float y, std::optional<Colour> colour) = 0;
    virtual void line(float x1, float y1, float x2, float y2, std::optional<Colour> colour) = 0;
    virtual void circle(float x, float y, float radius, std::optional<Colour> colour) = 0;

    // PSet at (x, y), then every (dx, dy) further, count dots in all: a dotted
    // line, drawn as those calls would draw it.
    virtual void psetRun(int x, int y, int dx, int dy, int count, std::optional<Colour> colour) {
        for (int i = 0; i < count; ++i)
            pset(float(x + i * dx), float(y + i * dy), colour);
    }
};

} // namespace raster
