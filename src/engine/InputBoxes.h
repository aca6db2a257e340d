#pragma once

#include <cstdint>
#include <limits>
#include <string>
#include <string_view>

#include "engine/RayStep.h"

// The three boxes that a calculation reads, as the user knows them: the
// captions of their frames, which the window shows and the messages name,
// and the whole numbers that salinity and depth may take.
namespace engine {

inline constexpr std::string_view kTemperatureCaption = "Temperatura (°F)";
inline constexpr std::string_view kSalinityCaption = "Salinità  (pt x 1000)";
inline constexpr std::string_view kDepthCaption = "Quota di calc. (ft)";

// Salinity and depth are 16-bit, and so are sa - 34 and D - d1: the lowest
// values whose differences still fit.
inline constexpr int kLowestSalinity =
    std::numeric_limits<std::int16_t>::min() + kReferenceSalinity;
inline constexpr int kLowestDepthFt = std::numeric_limits<std::int16_t>::min() + kLayerDepthFt;
inline constexpr int kHighestSalinity = std::numeric_limits<std::int16_t>::max();
inline constexpr int kHighestDepthFt = kLayerDepthFt;

// A caption as a message quotes it and a screen reader says it: each run of
// blanks as one blank, none at the ends ("Salinità (pt x 1000)").
std::string plainCaption(std::string_view caption);

} // namespace engine
