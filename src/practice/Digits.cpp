#include "practice/Digits.h"

#include "engine/Numeric.h"
#include "engine/RuntimeError.h"

#include <charconv>
#include <clocale>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>

namespace practice::digits {

namespace {

constexpr int kMostSignificant = 17;                  // enough for every double to read back
constexpr double kFirstUnspaced = 9007199254740992.0; // 2^53: from here every double is whole

// printf in whatever locale the program runs, with "." put back as the point.
std::string printed(const char* format, int precision, double value) {
    const int length = std::snprintf(nullptr, 0, format, precision, value);
    std::string text(std::size_t(length) + 1, '\0');
    std::snprintf(text.data(), text.size(), format, precision, value);
    text.pop_back();
    const std::string point = std::localeconv()->decimal_point;
    if (point != ".")
        if (const std::size_t at = text.find(point); at != std::string::npos)
            text.replace(at, point.size(), ".");
    return text;
}

// The digits times ten to the exponent, read as a double; nothing past the
// largest one.
std::optional<double> valueOf(std::uint64_t digits, int exponent) {
    try {
        return engine::Val(std::to_string(digits) + "e" + std::to_string(exponent));
    } catch (const engine::RuntimeError&) {
        return std::nullopt;
    }
}

// A positive double's shortest digits: of the two p-digit decimals that
// bracket it, the nearer one that reads back as the value, else the other,
// for the fewest p (at most 17) at which one does.
struct Decimal {
    std::uint64_t digits = 0; // no trailing zero
    int exponent = 0;         // the value is digits x 10^exponent
};

// The smallest p-digit number, 10^(p-1).
std::uint64_t smallestOf(int p) {
    std::uint64_t power = 1;
    while (--p > 0)
        power *= 10;
    return power;
}

Decimal shortestDecimal(double magnitude) {
    Decimal d;
    for (int p = 1; p <= kMostSignificant; ++p) {
        const std::string rounded = printed("%.*e", p - 1, magnitude); // d.ddde+XX
        const std::size_t e = rounded.find('e');
        std::string digitText = rounded.substr(0, e);
        if (const std::size_t point = digitText.find('.'); point != std::string::npos)
            digitText.erase(point, 1);
        d = {std::stoull(digitText), std::atoi(rounded.c_str() + e + 1) - (p - 1)};
        const std::optional<double> near = valueOf(d.digits, d.exponent);
        if (near == magnitude)
            break;
        if (near && *near < magnitude)
            ++d.digits;
        else if (d.digits-- == smallestOf(p)) // 1.000e5 less one unit is 9.999e4
            d = {d.digits * 10 + 9, d.exponent - 1};
        if (valueOf(d.digits, d.exponent) == magnitude)
            break;
    }
    for (; d.digits % 10 == 0 && d.digits != 0; d.digits /= 10)
        ++d.exponent;
    return d;
}

// The shorter of the two forms, as to_chars chooses: fixed on a tie.
std::string shortestForm(double magnitude) {
    const Decimal d = shortestDecimal(magnitude);
    const std::string ds = std::to_string(d.digits);
    const int n = int(ds.size());
    const int leading = d.exponent + n - 1; // the power of ten of the first digit
    std::string fixedForm;
    if (leading >= n - 1)
        fixedForm = magnitude >= kFirstUnspaced
                        ? printed("%.*f", 0, magnitude)
                        : ds + std::string(std::size_t(leading - n + 1), '0');
    else if (leading >= 0)
        fixedForm =
            ds.substr(0, std::size_t(leading + 1)) + "." + ds.substr(std::size_t(leading + 1));
    else
        fixedForm = "0." + std::string(std::size_t(-leading - 1), '0') + ds;
    const std::string power = std::to_string(std::abs(leading));
    const std::string exponentForm = ds.substr(0, 1) + (n > 1 ? "." + ds.substr(1) : "") + "e" +
                                     (leading < 0 ? "-" : "+") + (power.size() < 2 ? "0" : "") +
                                     power;
    return fixedForm.size() <= exponentForm.size() ? fixedForm : exponentForm;
}

} // namespace

namespace portable {

std::string shortest(double value) {
    if (value == 0.0 || !std::isfinite(value))
        return printed("%.*g", 1, value); // 0, -0, inf, nan, as to_chars writes them
    return (value < 0.0 ? "-" : "") + shortestForm(std::fabs(value));
}

std::string significant(double value, int digits) {
    return printed("%.*g", digits, value);
}

std::string fixed(double value, int decimals) {
    return printed("%.*f", decimals, value);
}

} // namespace portable

#if __cpp_lib_to_chars >= 201611L

namespace {

template <typename... Format> std::string charsOf(double value, Format... format) {
    char buffer[400]; // a fixed form of the largest double has 309 digits
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, value, format...).ptr;
    return std::string(buffer, end);
}

} // namespace

std::string shortest(double value) {
    return charsOf(value);
}

std::string significant(double value, int digits) {
    return charsOf(value, std::chars_format::general, digits);
}

std::string fixed(double value, int decimals) {
    return charsOf(value, std::chars_format::fixed, decimals);
}

#else

std::string shortest(double value) {
    return portable::shortest(value);
}

std::string significant(double value, int digits) {
    return portable::significant(value, digits);
}

std::string fixed(double value, int decimals) {
    return portable::fixed(value, decimals);
}

#endif

} // namespace practice::digits
