#include "plot/PlotFrame.h"

#include "engine/Numeric.h"
#include "engine/RuntimeError.h"

namespace plot {

float rangeX(std::int16_t rangeYd) {
    return float(kRangeLeft + kTwipsPerQuarterYard * engine::mul16(kQuartersPerYard, rangeYd));
}

float markerX(std::int16_t rangeYd) {
    try {
        return rangeX(rangeYd);
    } catch (const engine::RuntimeError& error) {
        throw error.withHint("Quota di calc. (ft): il punto calcolato è oltre 8191 yd, fuori dal "
                             "grafico; scegliere una quota più vicina allo strato.");
    }
}

} // namespace plot
