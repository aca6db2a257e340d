#pragma once

#include "practice/Exercise.h"
#include "practice/ExerciseRanges.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace practice {

// A class's exercises: the first N of a seed, drawn within the ranges, each
// one computable and no two too alike. Exercise k is the same whatever N,
// so that a code names one exercise, given the ranges.
//
// Each exercise draws, from the seed's SplitMix64, the temperature, the
// salinity and the depth, in that order, each uniform over its range; a
// draw whose calculation fails, or that is too alike to an earlier
// exercise, is drawn again.
class ExerciseSet {
  public:
    static constexpr int kMostExercises = 10000;
    static constexpr std::uint64_t kLargestSeed = 999'999'999'999'999'999;
    // Draws in a row that may fail before the ranges are judged too narrow.
    static constexpr int kMostMisses = 1000;
    // Sound speeds closer than this, at the same depth, make two exercises
    // too alike: every step's answer would be almost the same.
    static constexpr double kLeastSpeedApart = 1.0; // ft/s

    // The first count (1 to kMostExercises) exercises of the seed; nothing,
    // with the reason in *problem, when the ranges do not hold that many.
    static std::optional<std::vector<Exercise>>
    make(std::uint64_t seed, int count, const ExerciseRanges& ranges, std::string* problem);

    // What a code "SEED-NN" (see Exercise::code) names: a seed and a number.
    struct Code {
        std::uint64_t seed = 0;
        int number = 0;
    };
    static std::optional<Code> readCode(std::string_view code, std::string* problem);

    // The exercise of a code, with the ranges its set was made with.
    static std::optional<Exercise> byCode(std::string_view code, const ExerciseRanges& ranges,
                                          std::string* problem);

    // A seed: a whole number from 0 to kLargestSeed, digits only.
    static std::optional<std::uint64_t> readSeed(std::string_view text, std::string* problem);
};

} // namespace practice
