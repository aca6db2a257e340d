#pragma once

#include "ray/FormVariables.h"
#include "ray/RayStep.h"

#include <QString>

#include <cstdint>

// The limiting-ray calculation behind "Calcolo", from the three typed texts.
struct Calculation {
    FormVariables variables; // all eight, as the plot will read them
    std::int16_t deltaD = 0; // calculation depth minus layer depth, ft
    ray::RayStep step;

    // Raises platform::RuntimeError, with a hint naming the box to correct
    // where an input caused it.
    static Calculation fromTexts(const QString& temperature, const QString& salinity,
                                 const QString& depth);
};
