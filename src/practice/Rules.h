#pragma once

#include "practice/Step.h"
#include "practice/Working.h"

#include <array>
#include <optional>
#include <span>
#include <string>

namespace engine {
struct Calculation;
}

namespace practice {

// The values that the later steps build on (velocity, radius, Cos(teta),
// teta), and which of them are the student's.
struct Chain {
    static constexpr std::size_t kSize = 4;
    std::array<double, kSize> values{};
    std::array<bool, kSize> hers{};    // she gave that step
    std::array<bool, kSize> written{}; // the value is her number as she wrote it
    bool own = false; // her values, which the values carried forward are computed on

    double at(Step step) const { return values[indexOf(step)]; }
};

// One step being judged, on one chain of earlier values: her own (as she
// wrote them, or as her calculator held them) or the program's.
struct Attempt {
    const engine::Calculation& calculation; // the inputs and the program's values
    const Working& working;
    const Chain& earlier;
    const WrittenNumber& yours; // her number for the step judged
};

// A named recomputation of one step, with its note for the student: a value
// carried forward from her own earlier values (coerente) or a likely slip
// (sbagliato). Adding a slip is adding a row to rules().
struct Rule {
    Step step;
    const char* name;
    Verdict verdict;
    bool advisesRight; // its note also goes with a right value that it would have spoiled
    // The value; nothing, or an engine::RuntimeError, where it does not apply.
    std::optional<double> (*value)(const Attempt& attempt);
    std::string (*note)(const Attempt& attempt, double value);
};

// In the order they are tried: for each step the values carried forward
// first, then the slips.
std::span<const Rule> rules();

// The step's value from the earlier ones, as the program computes it (the
// velocity from the inputs alone); raises engine::RuntimeError.
double carriedForward(const engine::Calculation& calculation, const Chain& earlier, Step step);

// The note for a wrong value that no rule explains: what her earlier values
// give, so that she can find the slip.
std::string unexplained(const Attempt& attempt, Step step);

} // namespace practice
