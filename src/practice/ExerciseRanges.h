#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace practice {

// Whole numbers from low to high, both included.
struct WholeRange {
    std::int64_t low = 0;
    std::int64_t high = 0;

    std::uint64_t count() const { return std::uint64_t(high - low) + 1; }
    bool operator==(const WholeRange&) const = default;
};

// Where an exercise's inputs are drawn from. The defaults are sea water an
// instructor would set: the layer's temperature with one decimal, the
// salinity and the depth whole, the depth above the layer's 15 ft bottom.
struct ExerciseRanges {
    enum class Input { Temperature, Salinity, Depth };

    WholeRange temperatureTenths{300, 850}; // 30.0 to 85.0 °F, in tenths of a degree
    WholeRange salinity{32, 38};            // parts per thousand
    WholeRange depth{0, 14};                // ft

    WholeRange& operator[](Input input);

    // Reads "A:B" or "A" (from A to A): the temperature with at most one
    // decimal, the others whole, "." or "," as the decimal point. Nothing,
    // with the reason in Italian in *problem, for anything else, A above B
    // or a value the box does not take (the depth at most 15 ft).
    static std::optional<WholeRange> parse(Input input, std::string_view text,
                                           std::string* problem);

    // "temperatura 30.0:85.0 °F, salinità 32:38, quota 0:14 ft"
    std::string description() const;

    bool operator==(const ExerciseRanges&) const = default;
};

// A temperature in tenths of a degree as a box takes it: 523 is "52.3", 600 "60.0".
std::string temperatureText(std::int64_t tenths);

} // namespace practice
