#pragma once

#include <string>
#include <vector>

namespace engine {

struct Calculation;
struct CalculationValues;

// The printed report of a calculation: sixteen text lines and five empty
// ones. Each text line is printed after an indent of kReportIndentBlanks blanks.
constexpr int kReportIndentBlanks = 8;
constexpr int kReportLineCount = 21;

std::vector<std::string> reportLines(const Calculation& calculation);

// The values a calculation used, as its report writes them after their
// captions: "T =  60 °F", "sa =  35  pt x 1000 ", "D=  10 ft".
struct UsedValues {
    std::string temperature;
    std::string salinity;
    std::string depth;
};
UsedValues usedValues(const CalculationValues& values);

// The lines as one text, each ended by a newline: what `calcolo` prints, what
// "Copia testo" copies and what the page shows.
std::string reportText(const std::vector<std::string>& lines);

} // namespace engine
