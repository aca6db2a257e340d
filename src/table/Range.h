#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace table {

// An inclusive range of values typed as A, A:B or A:B:STEP. The i-th value is
// start + i x step, computed afresh each time so that no error builds up; an
// end within a rounding error of a whole number of steps counts as reached.
class Range {
  public:
    // The range, or an Italian message saying what is wrong with the text;
    // both in UTF-8.
    static std::optional<Range> parse(std::string_view text, std::string* problem);

    std::int64_t count() const { return steps_ + 1; }
    double at(std::int64_t i) const;
    // Whether every value is a whole number.
    bool allWhole() const;

  private:
    Range(double start, double end, double step, std::int64_t steps, bool endReached)
        : start_(start), end_(end), step_(step), steps_(steps), endReached_(endReached) {}

    double start_;
    double end_;
    double step_;
    std::int64_t steps_;
    bool endReached_; // the last value is the end itself
};

} // namespace table
