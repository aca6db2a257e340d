#pragma once

#include "practice/Check.h"
#include "practice/CsvWriter.h"
#include "practice/ExerciseRanges.h"
#include "practice/Working.h"

#include "engine/Calculation.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace practice {

// One student's row of a class's answers, checked.
struct MarkedStudent {
    int line = 0; // in the file
    std::string name;
    std::string code;   // empty where the row gives the three inputs instead
    std::string inputs; // "52.3 °F, 36 ‰, 4 ft"
    engine::Calculation calculation;
    Working working;
    Check check;
};

// A class's answers marked: a CSV file, in either form, with a header that
// names the columns (nome; codice, or temperatura, salinita and quota; any
// of velocita, raggio, coseno, teta and S, also spelled with accents, in
// capitals or as ascissa and cos(teta)) and a row per student. An empty
// cell is a step not given; a cell that is not a number is judged
// sbagliato. A code is looked up with the ranges its set was made with.
class ClassMarking {
  public:
    // Nothing, with "riga N: ..." in *problem, for a file that cannot be
    // marked: an unknown or missing column, a row longer than the header, a
    // missing name, an unknown code, inputs that are not numbers or do not
    // compute.
    static std::optional<ClassMarking> read(std::string_view bytes, const ExerciseRanges& ranges,
                                            std::string* problem);

    const std::vector<MarkedStudent>& students() const { return students_; }

    // Each student's check under a line with the name, the exercise and the
    // points, then the class's mean.
    std::string text() const;

    // One record a student: nome,codice,temperatura,salinita,quota, the five
    // verdicts (velocita,raggio,coseno,teta,S), punti, primo_sbagliato and
    // the notes.
    std::string csv(const CsvDialect& dialect) const;

  private:
    std::vector<MarkedStudent> students_;
};

} // namespace practice
