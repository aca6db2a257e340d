#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace practice {

// A number as a student writes it: digits, "," or "." as the decimal point
// (one of them, at most once: no thousands separators), an optional sign and
// an optional exponent (4928,6; 4928.6; 4.9286e3; -0,5), blanks around it.
// The last digit written tells how precise it is meant to be.
struct WrittenNumber {
    std::string text; // as written, without the blanks around it
    double value = 0.0;
    int lastDigit = 0; // the power of ten of its last digit: -1 for 4928.6, -5 for 6.08e-3
    int digits = 1;    // significant digits written: 5 for 4928.6, 3 for 0.00608

    // Nothing for a text that is not such a number, or one too large for
    // the machine: the caller names the box with notANumber().
    static std::optional<WrittenNumber> read(std::string_view text);

    // What to tell the student about a text that read() refuses, after the
    // box's name: «4928.6x» non è un numero: ...
    static std::string notANumber(std::string_view text);

    // One unit of the last digit written: 0.1 for 4928.6.
    double unit() const;

    // Whether it agrees with the exact value: within one unit of its last
    // digit, and written down at least to the value's first significant
    // digit (0 does not agree with 0.006, nor 1 with 0.99998). The unit's
    // margin takes in the rounding of both numbers to binary.
    bool agreesWith(double exact) const;

    // Another value, to show beside this number: one significant digit more
    // than it has, and at least six (270802.2 beside 270810, 0.999982
    // beside 1), without trailing zeros.
    std::string finer(double value) const;
};

} // namespace practice
