#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// The numeric services of the runtime. Every function that can leave its
// range raises engine::RuntimeError instead of returning inf, nan or a
// wrapped-around integer.
namespace engine {

// The leading number of the text: leading blanks skipped, an optional sign,
// digits with "." as the one decimal point and an optional exponent ("e" or
// "E", optional sign, digits). Reading stops at the first other character;
// no number gives 0. A number beyond the double range is an overflow.
double Val(std::string_view text);

// What to tell the user when Val does not read the whole text (blanks
// around the number aside): «60,5» letto come 60: il separatore decimale è
// il punto. Empty when it does. In UTF-8.
std::string readingNotice(std::string_view text);

// Rounds half to even; overflow outside -32768..32767, nan and infinities.
std::int16_t toInt16(double value);

// 16-bit arithmetic that raises overflow instead of wrapping.
std::int16_t sub16(std::int16_t a, std::int16_t b);
std::int16_t mul16(std::int16_t a, std::int16_t b);

// The greatest integer not above x.
double Int(double x);

// x itself, or the run-time error that an infinite or undefined result is.
double checked(double x);

// a / b, with division by zero as a run-time error.
double divide(double a, double b);

// The square root, with a negative argument as a run-time error.
double squareRoot(double x);

} // namespace engine
