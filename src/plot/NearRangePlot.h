#pragma once

#include "engine/CalculationValues.h"

#include <cstdint>
#include <optional>

namespace raster {
class Canvas;
class PixelCanvas;
} // namespace raster

namespace plot {

// The near-range plot: grid, temperature profile, the limiting ray as a chain
// of red circles and a blue circle on the last calculated point. It leaves
// exactly the picture and the values that drawing every primitive in order
// would, but draws the blue circle once, after the red ones that it covers,
// on a pixel canvas each device centre of the red ones once, and skips a call that
// would redraw an unchanged picture with unchanged inputs.
class NearRangePlot {
  public:
    // Reads T, sa, d1, Spunto and Dpunto; leaves d1, r1 and S as the last ray
    // step does. Raises engine::RuntimeError; what was drawn stays. Returns
    // whether it drew anything.
    bool grafica(raster::PixelCanvas& canvas, engine::CalculationValues& values);

    // The whole plot once, on any canvas, as grafica draws it.
    static void draw(raster::Canvas& canvas, engine::CalculationValues& values);

  private:
    struct Inputs {
        double T = 0.0;
        std::int16_t sa = 0;
        std::int16_t d1 = 0;
        std::int16_t Spunto = 0;
        double Dpunto = 0.0;
        bool operator==(const Inputs&) const = default;
    };
    struct Drawn {
        const raster::PixelCanvas* canvas = nullptr;
        std::uint64_t revision = 0;
        Inputs inputs;
        engine::CalculationValues after; // d1, r1 and S as the call left them
    };

    std::optional<Drawn> last_;
};

} // namespace plot
