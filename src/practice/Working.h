#pragma once

#include "practice/Step.h"
#include "practice/WrittenNumber.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace practice {

// What a student wrote for one step.
struct Answer {
    std::string text;                    // as written
    std::optional<WrittenNumber> number; // nothing when the text is not a number
};

// A student's working: her answer to each of the five steps, or none.
class Working {
  public:
    // An empty or blank text leaves the step not given.
    void set(Step step, std::string_view text);

    const std::optional<Answer>& answer(Step step) const { return answers_[indexOf(step)]; }

    // Her number for the step, when she gave one that reads as a number.
    const WrittenNumber* number(Step step) const;

    // The first answer that is not a number, as a message that names its
    // box: "Velocità (ft/s): «4928.6x» non è un numero: ...". Nothing when
    // every given answer is a number.
    std::optional<std::string> problem() const;

  private:
    std::array<std::optional<Answer>, kSteps.size()> answers_;
};

} // namespace practice
