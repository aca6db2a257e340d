#pragma once

#include "engine/Calculation.h"

#include <cstdint>
#include <string>

namespace practice {

// One exercise of a set: the three inputs, as the boxes take them, and the
// calculation that "Calcolo" makes of them.
struct Exercise {
    std::uint64_t seed = 0;
    int number = 0;                     // from 1
    std::int64_t temperatureTenths = 0; // °F
    std::int16_t salinity = 0;          // parts per thousand
    std::int16_t depth = 0;             // ft
    engine::Calculation calculation;

    // "2027-07": the seed and the number, at least two digits.
    std::string code() const;

    // The boxes' texts: "52.3", "36", "4".
    std::string temperature() const;
    std::string salinityText() const { return std::to_string(salinity); }
    std::string depthText() const { return std::to_string(depth); }

    // "52.3 °F, 36 ‰, 4 ft"
    std::string inputs() const;

    // The water, in Italian: "Nello strato isotermo superficiale del mare,
    // profondo d1 = 15 ft, la temperatura è 52.3 °F e la salinità 36 ‰."
    std::string setting() const;
};

} // namespace practice
