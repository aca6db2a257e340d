#pragma once

#include "engine/CalculationValues.h"
#include "engine/RayStep.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace engine {

class RayStepError;

// The limiting-ray calculation behind "Calcolo", from the three typed texts.
struct Calculation {
    CalculationValues values; // all eight, as the plot will read them
    std::int16_t deltaD = 0;  // calculation depth minus layer depth, ft
    RayPoint point;           // the ray step at the calculation depth

    // Raises RuntimeError, with a hint naming the box to correct where an
    // input caused it.
    static Calculation fromTexts(std::string_view temperature, std::string_view salinity,
                                 std::string_view depth);
    // The same from numbers, as if typed: salinity and depth are rounded to
    // 16-bit integers, half to even.
    static Calculation fromNumbers(double temperature, double salinity, double depth);
};

// What to tell the user of each box whose text is not read whole (see
// readingNotice), after the box's name: "Temperatura (°F): «60,5» letto come
// 60: il separatore decimale è il punto." None when every text is read whole.
std::vector<std::string> readingNotices(std::string_view temperature, std::string_view salinity,
                                        std::string_view depth);

// What the user can do about a failed ray step: which box, or which values
// of the last calculation, led to it. Empty where no input is to blame.
std::string rayStepHint(const RayStepError& error);

} // namespace engine
