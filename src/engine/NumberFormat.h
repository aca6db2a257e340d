#pragma once

#include <string>

// How Print writes numbers: a blank before a non-negative number, "-" before
// a negative one, and one blank after.
namespace engine {

// Floats: up to 15 significant digits, trailing zeros dropped, no 0 before
// the point below 1 in magnitude (.0182); below 1E-04 or from 1E+15 up in
// the form 1.4142135623731E-06.
std::string formatNumber(double value);

std::string formatInteger(int value);

// The digits alone, without the blanks that Print adds.
std::string numberDigits(double value);

} // namespace engine
