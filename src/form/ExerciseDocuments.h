#pragma once

#include "form/Document.h"

#include <vector>

namespace practice {
struct Exercise;
}

namespace form {

// An exercise set on paper, a page for each exercise, in the set's order.

// The sheets for the students, without any answer: the exercise's code,
// lines for name, class and date, the three inputs under the boxes' own
// captions, and a labelled space with its unit for each of the five steps.
Document exerciseSheets(const std::vector<practice::Exercise>& set);

// The key for the instructor: each code with its inputs, the five steps'
// values in the full digits that verifica prints as "atteso" (S among them)
// and the 21 lines of the exercise's report.
Document exerciseKey(const std::vector<practice::Exercise>& set);

} // namespace form
