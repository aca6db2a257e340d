#include "engine/NumberFormat.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace engine {

namespace {

constexpr int kSignificantDigits = 15;
constexpr int kSmallestFixedExponent = -4; // 0.0001 still prints as .0001
constexpr int kLargestFixedExponent = 14;  // 1E+15 is the first in E form

std::string withPrintBlanks(const std::string& digits, bool negative) {
    return (negative ? "-" : " ") + digits + ' ';
}

std::string withoutTrailingZeros(std::string digits, std::size_t keep) {
    while (digits.size() > keep && digits.back() == '0')
        digits.pop_back();
    return digits;
}

// "1.4142135623731E-06" from 15 significant digits and the exponent.
std::string exponentForm(const std::string& significant, int exponent) {
    const std::string tail = withoutTrailingZeros(significant.substr(1), 1);
    std::string text = significant.substr(0, 1);
    if (tail != "0")
        text += '.' + tail;
    const std::string digits = std::to_string(std::abs(exponent));
    text += exponent < 0 ? "E-" : "E+";
    return text + (digits.size() < 2 ? "0" : "") + digits;
}

std::string fixedForm(const std::string& significant, int exponent) {
    std::string integerPart;
    std::string fraction;
    if (exponent < 0) {
        fraction = std::string(std::size_t(-exponent - 1), '0') + significant;
    } else {
        integerPart = significant.substr(0, std::size_t(exponent + 1));
        fraction = significant.substr(std::size_t(exponent + 1));
    }
    fraction = withoutTrailingZeros(fraction, 0);
    return fraction.empty() ? integerPart : integerPart + '.' + fraction;
}

// "d.dddddddddddddde+XX": the magnitude rounded to 15 significant digits.
std::string scientific(double magnitude) {
    char buffer[40];
#if __cpp_lib_to_chars >= 201611L
    // Unlike printf, to_chars never writes the locale's decimal comma.
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, magnitude,
                                   std::chars_format::scientific, kSignificantDigits - 1)
                         .ptr;
    return std::string(buffer, end);
#else
    // A standard library without floating-point to_chars (the browser's): its
    // printf runs in the C locale, whose decimal point is ".".
    const int length =
        std::snprintf(buffer, sizeof buffer, "%.*e", kSignificantDigits - 1, magnitude);
    return std::string(buffer, std::size_t(length));
#endif
}

} // namespace

std::string numberDigits(double value) {
    if (value == 0.0 || std::isnan(value) || std::isinf(value))
        return "0"; // callers never pass inf or nan; never print them
    const std::string text = scientific(std::fabs(value));
    const std::size_t e = text.find('e');
    const std::string significant = text.substr(0, 1) + text.substr(2, e - 2);
    const int exponent = std::atoi(text.c_str() + e + 1);
    if (exponent < kSmallestFixedExponent || exponent > kLargestFixedExponent)
        return exponentForm(significant, exponent);
    return fixedForm(significant, exponent);
}

std::string formatNumber(double value) {
    return withPrintBlanks(numberDigits(value), std::signbit(value) && value != 0.0);
}

std::string formatInteger(int value) {
    return withPrintBlanks(std::to_string(std::abs(value)), value < 0);
}

} // namespace engine
