#pragma once

#include <cstdint>

namespace engine {

// The values that a calculation leaves for the plot, zero until the first
// one: its inputs, the layer's depth, the ray's radius and the computed
// point. The plot reads them and overwrites d1, r1 and S as it traces.
struct CalculationValues {
    double T = 0.0;          // temperature in the layer, degF
    std::int16_t sa = 0;     // salinity, parts per thousand
    std::int16_t d1 = 0;     // depth of the bottom of the layer, ft
    std::int16_t D = 0;      // calculation depth, ft
    double r1 = 0.0;         // radius of the limiting ray, ft
    std::int16_t S = 0;      // horizontal range, yd
    std::int16_t Spunto = 0; // range of the calculated point, yd
    double Dpunto = 0.0;     // depth of the calculated point, ft

    bool operator==(const CalculationValues&) const = default;
};

} // namespace engine
