#pragma once

#include "engine/CalculationValues.h"
#include "engine/RayStep.h"

#include <QString>

#include <cstdint>

namespace engine {

class RayStepError;

// The limiting-ray calculation behind "Calcolo", from the three typed texts.
struct Calculation {
    CalculationValues values; // all eight, as the plot will read them
    std::int16_t deltaD = 0;  // calculation depth minus layer depth, ft
    RayPoint point;           // the ray step at the calculation depth

    // Raises RuntimeError, with a hint naming the box to correct where an
    // input caused it.
    static Calculation fromTexts(const QString& temperature, const QString& salinity,
                                 const QString& depth);
};

// What the user can do about a failed ray step: which box, or which values
// of the last calculation, led to it. Empty where no input is to blame.
QString rayStepHint(const RayStepError& error);

} // namespace engine
