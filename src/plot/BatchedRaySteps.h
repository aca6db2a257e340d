#pragma once

#include "engine/CalculationValues.h"
#include "engine/ClearRanges.h"
#include "plot/RayTrace.h"
#include "plot/RayValues.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

namespace plot {

// The ray step along the plot's depths, with the values of the whole step:
// the radius once, at the first block (T, sa and d1 do not change between
// passes), and each block's ranges at once, each without the angle where it
// is clear (engine::clearRanges) and by the step's own links where it is
// not, so an error arises at its own pass.
class BatchedRaySteps {
  public:
    // The block's depths, d1 being the layer's bottom. Raises RayStepError
    // where the radius fails, which the first pass would meet.
    void prepare(const engine::CalculationValues& v, std::span<const double> depths);
    // The step at the i-th depth of the block.
    RayValues operator()(const engine::CalculationValues&, double, std::size_t i) const {
        if (const std::optional<std::int16_t> S = ranges_[i])
            return {radius_->r1, *S};
        return {radius_->r1, engine::rayStepAt(*radius_, deltaD_[i]).S};
    }
    // Past the depths from the i-th on whose range is clear and the same.
    std::size_t runEnd(std::size_t i) const {
        std::size_t end = i + 1;
        if (ranges_[i])
            while (end < count_ && ranges_[end] == ranges_[i])
                ++end;
        return end;
    }

  private:
    std::optional<engine::RayRadius> radius_;
    std::size_t count_ = 0; // of the block's depths
    std::array<double, kRayBlock> deltaD_{};
    std::array<std::optional<std::int16_t>, kRayBlock> ranges_{};
};

} // namespace plot
