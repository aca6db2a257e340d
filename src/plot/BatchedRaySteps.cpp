#include "plot/BatchedRaySteps.h"

#include "plot/PlotFrame.h"

namespace plot {

void BatchedRaySteps::formBlock(double z, std::int16_t d1) {
    for (std::size_t i = 0; i < kBlock; ++i, z += kRayStepFt) {
        depths_[i] = z;
        deltaD_[i] = z - d1;
    }
    engine::clearRanges(*radius_, deltaD_, ranges_);
    next_ = 0;
}

} // namespace plot
