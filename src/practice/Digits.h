#pragma once

#include <string>

// How the practice layer writes numbers, "." as the point whatever the
// locale. The browser's standard library has no floating-point to_chars, so
// each function has a second way, on printf, that gives the same characters;
// a test holds the two together.
namespace practice::digits {

// The shortest digits that read back as the same double, in the shorter of
// the fixed and the exponent forms: what `tabella`'s CSV writes (4928.573,
// 270800.7142857143, 1.414197919880067e-06).
std::string shortest(double value);

// Rounded to that many significant digits, as printf's %g writes it: 0.027,
// 9.28571, 3.18849e-06.
std::string significant(double value, int digits);

// Rounded to that many decimals, as printf's %f writes it: 270802.2.
std::string fixed(double value, int decimals);

// The printf way, which the browser's build uses.
namespace portable {
std::string shortest(double value);
std::string significant(double value, int digits);
std::string fixed(double value, int decimals);
} // namespace portable

} // namespace practice::digits
