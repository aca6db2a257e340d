#pragma once

namespace engine {
struct CalculationValues;
}

namespace raster {
class Canvas;
}

namespace plot {

// The whole plot drawn the plain way: every primitive in its order, the
// marker after every red circle. The fast painter must leave the same picture
// and the same values; this is what it is checked and timed against.
void drawReference(raster::Canvas& canvas, engine::CalculationValues& values);

} // namespace plot
