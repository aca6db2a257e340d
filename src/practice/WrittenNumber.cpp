#include "practice/WrittenNumber.h"

#include "practice/Digits.h"

#include "engine/Numeric.h"
#include "engine/RuntimeError.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace practice {

namespace {

// Room for the rounding of the written number and of the exact value to
// binary, relative to the unit: 4928.6 lies within 0.1 of 4928.5.
constexpr double kUnitMargin = 1.0 + 1e-9;
// An exponent this large already overflows or underflows any mantissa that
// fits in a box; reading stops growing it here.
constexpr int kExponentCap = 100000;
constexpr int kLeastDigitsShown = 6;
constexpr int kMostDigits = 17;            // enough for any double
constexpr std::size_t kLongestQuoted = 24; // bytes of the text quoted in a message

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

std::string_view trimmed(std::string_view text) {
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// The number rewritten in the form engine::Val reads, with where its last
// digit lies; nothing when the text is not a number.
struct Scanned {
    std::string canonical; // sign, digits, ".", digits, "e", exponent
    int lastDigit = 0;
    int significant = 0; // digits from the first that is not 0
};

std::optional<Scanned> scan(std::string_view text) {
    std::size_t i = 0;
    Scanned s;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        s.canonical += text[i++];
    std::size_t digits = 0;
    int decimals = 0;
    bool point = false;
    for (; i < text.size(); ++i) {
        if (isDigit(text[i])) {
            s.canonical += text[i];
            ++digits;
            decimals += point;
            s.significant += s.significant > 0 || text[i] != '0';
        } else if ((text[i] == ',' || text[i] == '.') && !point) {
            s.canonical += '.';
            point = true;
        } else {
            break;
        }
    }
    if (digits == 0)
        return std::nullopt;
    int exponent = 0;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        ++i;
        const bool negative = i < text.size() && text[i] == '-';
        i += i < text.size() && (text[i] == '+' || text[i] == '-');
        if (i == text.size())
            return std::nullopt;
        for (; i < text.size() && isDigit(text[i]); ++i)
            exponent = std::min(exponent * 10 + (text[i] - '0'), kExponentCap);
        exponent = negative ? -exponent : exponent;
    }
    if (i != text.size())
        return std::nullopt;
    s.canonical += "e" + std::to_string(exponent);
    s.lastDigit = exponent - decimals;
    return s;
}

std::string quoted(std::string_view text) {
    if (text.size() <= kLongestQuoted)
        return "«" + std::string(text) + "»";
    std::size_t cut = kLongestQuoted;
    while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0u) == 0x80u)
        --cut; // not inside a UTF-8 character
    return "«" + std::string(text.substr(0, cut)) + "…»";
}

} // namespace

std::optional<WrittenNumber> WrittenNumber::read(std::string_view text) {
    const std::string_view written = trimmed(text);
    const std::optional<Scanned> s = scan(written);
    if (!s)
        return std::nullopt;
    try {
        return WrittenNumber{std::string(written), engine::Val(s->canonical), s->lastDigit,
                             std::max(s->significant, 1)};
    } catch (const engine::RuntimeError&) {
        return std::nullopt; // beyond the largest double
    }
}

std::string WrittenNumber::notANumber(std::string_view text) {
    const std::string_view written = trimmed(text);
    if (scan(written))
        return quoted(written) + " è troppo grande.";
    return quoted(written) + " non è un numero: scrivere le cifre con la virgola o il punto per "
                             "i decimali (4928,6 o 4928.6), senza separatori delle migliaia; un "
                             "esponente si scrive con la e (6.08e-3).";
}

double WrittenNumber::unit() const {
    try {
        return engine::Val("1e" + std::to_string(lastDigit));
    } catch (const engine::RuntimeError&) {
        return std::numeric_limits<double>::infinity();
    }
}

bool WrittenNumber::agreesWith(double exact) const {
    const double u = unit();
    if (exact != 0.0 && u > std::fabs(exact) * kUnitMargin)
        return false;
    return std::fabs(value - exact) <= u * kUnitMargin;
}

std::string WrittenNumber::finer(double other) const {
    return digits::significant(other, std::clamp(digits + 1, kLeastDigitsShown, kMostDigits));
}

} // namespace practice
