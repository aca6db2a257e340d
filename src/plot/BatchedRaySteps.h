#pragma once

#include "engine/CalculationValues.h"
#include "engine/RayStep.h"
#include "plot/RayValues.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>

namespace plot {

// The ray step along the plot's depths, with the values of the whole step:
// the radius once, at the first pass (T, sa and d1 do not change between
// passes), and the ranges a block of depths ahead, each without the angle
// where it is clear (engine::clearRanges) and by the step's own links where
// it is not, so an error arises at its own pass.
class BatchedRaySteps {
  public:
    // The step at depth z ft, d1 being the layer's bottom: z follows the
    // previous z by kRayStepFt, else the block is formed again from z.
    RayValues operator()(const engine::CalculationValues& v, double z) {
        if (!radius_)
            radius_ = engine::rayRadius(v.T, v.sa, v.d1);
        if (next_ == kBlock || depths_[next_] != z || deltaD_[next_] != z - v.d1)
            formBlock(z, v.d1);
        const std::size_t i = next_++;
        if (const std::optional<std::int16_t> S = ranges_[i])
            return {radius_->r1, *S};
        return {radius_->r1, engine::rayStepAt(*radius_, deltaD_[i]).S};
    }

  private:
    static constexpr std::size_t kBlock = 256;

    void formBlock(double z, std::int16_t d1);

    std::optional<engine::RayRadius> radius_;
    std::array<double, kBlock> depths_{};
    std::array<double, kBlock> deltaD_{};
    std::array<std::optional<std::int16_t>, kBlock> ranges_{};
    std::size_t next_ = kBlock;
};

} // namespace plot
