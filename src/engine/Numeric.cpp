#include "engine/Numeric.h"

#include "engine/RuntimeError.h"

#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <string>

namespace engine {

namespace {

constexpr int kMinInt16 = -32768;
constexpr int kMaxInt16 = 32767;
// An exponent this far beyond the mantissa's own length can only overflow
// or underflow, whatever the digits; capping there keeps the text that
// from_chars reads short without changing its value.
constexpr std::int64_t kExponentMargin = 400;
// Where reading the exponent's digits stops growing it, far beyond any cap.
constexpr std::int64_t kExponentSaturation = 1'000'000'000'000;

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}
bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

std::int16_t fitInt16(int value) {
    if (value < kMinInt16 || value > kMaxInt16)
        throw RuntimeError(ErrorKind::Overflow);
    return static_cast<std::int16_t>(value);
}

// The number at the start of text, rewritten in the form from_chars reads:
// digits, ".", digits, "e", signed exponent. Empty when there is no number.
struct Scanned {
    bool negative = false;
    std::string mantissa; // digits with at most one "."
    std::int64_t exponent = 0;
    int firstSignificant = 0; // decimal position of the first non-zero digit
    bool hasDigits = false;
    std::size_t end = 0; // where reading stopped
};

Scanned scan(std::string_view text) {
    Scanned s;
    std::size_t i = 0;
    while (i < text.size() && isBlank(text[i]))
        ++i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        s.negative = text[i++] == '-';
    int integerDigits = 0;
    int leadingFractionZeros = 0;
    bool seenPoint = false;
    bool seenNonZero = false;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '.' && !seenPoint) {
            seenPoint = true;
            s.mantissa += c;
        } else if (isDigit(c)) {
            s.hasDigits = true;
            s.mantissa += c;
            seenNonZero = seenNonZero || c != '0';
            if (!seenPoint && seenNonZero)
                ++integerDigits;
            if (seenPoint && !seenNonZero)
                ++leadingFractionZeros;
        } else {
            break;
        }
    }
    s.firstSignificant = integerDigits > 0 ? integerDigits - 1 : -(leadingFractionZeros + 1);
    s.end = s.hasDigits ? i : 0;
    if (!s.hasDigits || i >= text.size() || (text[i] != 'e' && text[i] != 'E'))
        return s;
    std::size_t j = i + 1;
    bool negativeExponent = false;
    if (j < text.size() && (text[j] == '+' || text[j] == '-'))
        negativeExponent = text[j++] == '-';
    if (j >= text.size() || !isDigit(text[j]))
        return s; // "1e" or "1e+": the exponent is not part of the number
    std::int64_t exponent = 0;
    for (; j < text.size() && isDigit(text[j]); ++j)
        exponent = std::min(exponent * 10 + (text[j] - '0'), kExponentSaturation);
    exponent = std::min(exponent, std::int64_t(s.mantissa.size()) + kExponentMargin);
    s.exponent = negativeExponent ? -exponent : exponent;
    s.end = j;
    return s;
}

// The text as a notice quotes it: a long one cut, never inside a character.
std::string quoted(std::string_view text) {
    constexpr std::size_t kLongest = 24; // bytes
    if (text.size() <= kLongest)
        return "«" + std::string(text) + "»";
    std::size_t cut = kLongest;
    while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0u) == 0x80u)
        --cut; // a UTF-8 continuation byte
    return "«" + std::string(text.substr(0, cut)) + "…»";
}

// Reads the rewritten number, correctly rounded; false when it is out of
// range, that is too large for a double or too small to be other than zero.
bool readDecimal(const std::string& digits, double& value) {
#if __cpp_lib_to_chars >= 201611L
    // Unlike strtod, from_chars never reads the locale's decimal comma.
    const auto result = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    return result.ec != std::errc::result_out_of_range;
#else
    // A standard library without floating-point from_chars (the browser's):
    // its strtod runs in the C locale. It also flags subnormal results, which
    // from_chars reads as numbers.
    errno = 0;
    value = std::strtod(digits.c_str(), nullptr);
    return errno != ERANGE || (value != 0.0 && !std::isinf(value));
#endif
}

} // namespace

double Val(std::string_view text) {
    const Scanned s = scan(text);
    if (!s.hasDigits)
        return 0.0;
    const std::string digits = s.mantissa + "e" + std::to_string(s.exponent);
    double value = 0.0;
    if (!readDecimal(digits, value)) {
        // Out of range is either an overflow or an underflow to zero.
        if (s.firstSignificant + s.exponent > 0)
            throw RuntimeError(ErrorKind::Overflow);
        value = 0.0;
    }
    return s.negative ? -value : value;
}

std::string readingNotice(std::string_view text) {
    const Scanned s = scan(text);
    const std::string_view rest = text.substr(s.end);
    if (s.hasDigits && rest.find_first_not_of(" \t") == std::string_view::npos)
        return {};
    const std::size_t start = text.find_first_not_of(" \t");
    const std::string read =
        s.hasDigits ? std::string(text.substr(start, s.end - start)) : std::string("0");
    std::string why = "il resto non fa parte del numero";
    if (text.find_first_not_of(" \t") == std::string_view::npos)
        why = "la casella è vuota";
    else if (!s.hasDigits)
        why = "non è un numero";
    else if (rest.front() == ',')
        why = "il separatore decimale è il punto";
    return quoted(text) + " letto come " + read + ": " + why + ".";
}

std::int16_t toInt16(double value) {
    if (!std::isfinite(value))
        throw RuntimeError(ErrorKind::Overflow);
    const double rounded = std::nearbyint(value); // the default mode rounds half to even
    if (rounded < kMinInt16 || rounded > kMaxInt16)
        throw RuntimeError(ErrorKind::Overflow);
    return static_cast<std::int16_t>(rounded);
}

std::int16_t sub16(std::int16_t a, std::int16_t b) {
    return fitInt16(int{a} - int{b});
}
std::int16_t mul16(std::int16_t a, std::int16_t b) {
    return fitInt16(int{a} * int{b});
}

double Int(double x) {
    return std::floor(x);
}

double checked(double x) {
    if (std::isnan(x))
        throw RuntimeError(ErrorKind::InvalidArgument);
    if (std::isinf(x))
        throw RuntimeError(ErrorKind::FloatingPointOverflow);
    return x;
}

double divide(double a, double b) {
    if (b == 0.0)
        throw RuntimeError(ErrorKind::DivisionByZero);
    return checked(a / b);
}

double squareRoot(double x) {
    if (x < 0.0 || std::isnan(x))
        throw RuntimeError(ErrorKind::InvalidArgument);
    return std::sqrt(x);
}

} // namespace engine
