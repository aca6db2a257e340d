#pragma once

#include "practice/CsvWriter.h"
#include "practice/Exercise.h"
#include "practice/ExerciseRanges.h"

#include <string>
#include <vector>

// The files that an exercise set goes out as, for other programs.
namespace practice::exercise_files {

// The list, one exercise a record, with the header
// codice,temperatura,salinita,quota,velocita,raggio,coseno,teta,S.
std::string list(const std::vector<Exercise>& set, const CsvDialect& dialect);

// A Moodle XML file that Moodle's question import reads: a category for the
// seed, then one numerical question per exercise, in Italian, asking for S
// in Yd, the answer exact (tolerance 0), the worked values as feedback.
std::string moodle(const std::vector<Exercise>& set, const ExerciseRanges& ranges);

} // namespace practice::exercise_files
