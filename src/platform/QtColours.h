#pragma once

#include "raster/Colour.h"
#include "raster/Palette.h"

#include <QColor>

class QPalette;

namespace platform {

QColor toQColor(raster::Colour colour, const QPalette& palette);

// The pixel values of every colour the drawing calls can name: the palette's
// window text for no colour, and its role for each system colour.
raster::Palette rasterPalette(const QPalette& palette);

} // namespace platform
