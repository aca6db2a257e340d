#include "plot/BatchedRaySteps.h"

#include "plot/PlotFrame.h"

namespace plot {

RayValues BatchedRaySteps::operator()(const engine::CalculationValues& v, double z) {
    if (!radius_)
        radius_ = engine::rayRadius(v.T, v.sa, v.d1);
    if (next_ == kBlock || depths_[next_] != z || deltaD_[next_] != z - v.d1)
        formBlock(z, v.d1);
    const std::size_t i = next_++;
    if (const std::optional<std::int16_t> S = ranges_[i])
        return {radius_->r1, *S};
    return {radius_->r1, engine::rayStepAt(*radius_, deltaD_[i]).S};
}

void BatchedRaySteps::formBlock(double z, std::int16_t d1) {
    for (std::size_t i = 0; i < kBlock; ++i, z += kRayStepFt) {
        depths_[i] = z;
        deltaD_[i] = z - d1;
    }
    engine::clearRanges(*radius_, deltaD_, ranges_);
    next_ = 0;
}

} // namespace plot
