#pragma once

#include <QStringList>

struct Calculation;

// The printed report of a calculation: sixteen text lines and five empty
// ones. Each text line is printed after an indent of kIndentBlanks blanks.
namespace report {

constexpr int kIndentBlanks = 8;
constexpr int kLineCount = 21;

QStringList lines(const Calculation& calculation);

} // namespace report
