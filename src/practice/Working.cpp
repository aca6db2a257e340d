#include "practice/Working.h"

namespace practice {

void Working::set(Step step, std::string_view text) {
    std::optional<Answer>& answer = answers_[indexOf(step)];
    if (text.find_first_not_of(" \t") == std::string_view::npos)
        answer.reset();
    else
        answer = Answer{std::string(text), WrittenNumber::read(text)};
}

const WrittenNumber* Working::number(Step step) const {
    const std::optional<Answer>& given = answer(step);
    return given && given->number ? &*given->number : nullptr;
}

std::optional<std::string> Working::problem() const {
    for (const Step step : kSteps)
        if (const std::optional<Answer>& given = answer(step); given && !given->number)
            return std::string(namesOf(step).box) + ": " + WrittenNumber::notANumber(given->text);
    return std::nullopt;
}

} // namespace practice
