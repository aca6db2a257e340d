#pragma once

#include <cstdint>

namespace plot {

// What a pass of the plot needs of the ray step.
struct RayValues {
    double r1 = 0.0;    // ft
    std::int16_t S = 0; // yd
};

} // namespace plot
