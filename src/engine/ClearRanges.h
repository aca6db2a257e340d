#pragma once

#include "engine/RayStep.h"

#include <cstdint>
#include <optional>
#include <span>

// The plot's shortcut to the ray step's range: where r1 root / 3, with root
// the square root of 1 - cos^2, lies clear of every whole number, its floor
// is the step's S without the angle.
namespace engine {

// For each depth, out[i] for deltaD[i]: the S that rayStepAt would give, or
// nothing where the root cannot be sure of it (rayStepAt decides there).
// Runs of depths in order are filled from their ends where the range is
// provably the same all along.
void clearRanges(const RayRadius& radius, std::span<const double> deltaD,
                 std::span<std::optional<std::int16_t>> out);

// How far r1 root / 3 may lie from the r1 sin(teta) / 3 of the step (yd).
double clearRangeMargin(double r1);

} // namespace engine
