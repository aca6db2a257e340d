#pragma once

#include "raster/Geometry.h"
#include "raster/Twips.h"

#include <QRect>

namespace platform {

// Qt's rectangle of a plain one.
inline QRect toQRect(const raster::Rect& rect) {
    return {rect.left, rect.top, rect.width, rect.height};
}

// A rectangle in twips in device-independent pixels, as the forms place their controls.
inline QRect toQRect(const raster::TwipRect& twips) {
    return toQRect(twips.toPixels());
}

} // namespace platform
