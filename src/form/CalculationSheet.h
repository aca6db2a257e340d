#pragma once

#include "form/Document.h"
#include "form/FormState.h"

#include <optional>

namespace form {

// The lines a student writes her name, class and date on.
FieldLines nameClassAndDate();

// "Scheda di calcolo": one page for a teacher to hand out and a student to
// hand in, of the last "Calcolo" that completed: the title, lines for name,
// class and date, the boxes as typed and the values used, the 21 lines of the
// report and the plot with its axis captions. Before any "Calcolo", the title
// and a message saying so.
Document calculationSheet(const std::optional<CompletedCalculation>& done);

} // namespace form
