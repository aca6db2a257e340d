#pragma once

#include "ray/FormVariables.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace platform {
class Surface;
}

// The near-range plot: grid, temperature profile, the limiting ray as a chain
// of red circles and a blue circle on the last calculated point. It leaves
// exactly the picture and the values that drawing every primitive in order
// would, but draws each distinct ray dot once and skips a call that would
// redraw an unchanged picture with unchanged inputs.
class NearRangePlot {
  public:
    // Reads T, sa, d1, Spunto and Dpunto; leaves d1, r1 and S as the last ray
    // step does. Raises platform::RuntimeError; what was drawn stays.
    void grafica(platform::Surface& surface, FormVariables& variables);

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
        const platform::Surface* surface = nullptr;
        std::uint64_t revision = 0;
        Inputs inputs;
        FormVariables after; // d1, r1 and S as the call left them
    };

    void drawRay(platform::Surface& surface, FormVariables& variables);

    std::optional<Drawn> last_;
    std::vector<std::int16_t> ranges_; // of the ray steps of one call, kept to spare allocations
};
