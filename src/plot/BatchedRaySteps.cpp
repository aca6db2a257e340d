#include "plot/BatchedRaySteps.h"

namespace plot {

void BatchedRaySteps::prepare(const engine::CalculationValues& v, std::span<const double> depths) {
    if (!radius_)
        radius_ = engine::rayRadius(v.T, v.sa, v.d1);
    count_ = depths.size();
    for (std::size_t i = 0; i < depths.size(); ++i)
        deltaD_[i] = depths[i] - v.d1;
    engine::clearRanges(*radius_, std::span(deltaD_).first(depths.size()), ranges_);
}

} // namespace plot
