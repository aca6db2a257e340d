#pragma once

namespace raster {
class Canvas;
}

namespace plot {

// The part of the plot that no input changes: the dotted grids of both
// panels, the lines at 15, 65 and 265 ft and the temperature profile.
void drawGridAndProfile(raster::Canvas& canvas);

} // namespace plot
