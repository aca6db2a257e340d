#include "plot/PlotFrame.h"

#include "platform/Numeric.h"

namespace plot {

float rangeX(std::int16_t rangeYd) {
    return float(kRangeLeft + kTwipsPerQuarterYard * platform::mul16(kQuartersPerYard, rangeYd));
}

} // namespace plot
