#include "table/Range.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <string>
#include <vector>

namespace table {

namespace {

// How near a whole number of steps the end must lie to count as reached.
constexpr double kEndTolerance = 1e-9;
// More steps than this cannot be a table anyone asked for.
constexpr double kMostSteps = 1e15;

// The white space around a value, in UTF-8: the ASCII blanks and Unicode's
// separators (no-break space, em space, ideographic space...).
constexpr std::string_view kSpaces[] = {
    "\t",     "\n",     "\v",     "\f",     "\r",     " ",      "\u0085", "\u00a0", "\u1680",
    "\u2000", "\u2001", "\u2002", "\u2003", "\u2004", "\u2005", "\u2006", "\u2007", "\u2008",
    "\u2009", "\u200a", "\u2028", "\u2029", "\u202f", "\u205f", "\u3000",
};

std::string_view trimmed(std::string_view text) {
    for (bool trimming = true; trimming;) {
        trimming = false;
        for (std::string_view space : kSpaces) {
            if (text.starts_with(space)) {
                text.remove_prefix(space.size());
                trimming = true;
            }
            if (text.ends_with(space)) {
                text.remove_suffix(space.size());
                trimming = true;
            }
        }
    }
    return text;
}

// A plain decimal number, "." as the point; nothing else in the text.
std::optional<double> number(std::string_view text) {
    std::string_view s = trimmed(text);
    if (!s.empty() && s.front() == '+')
        s.remove_prefix(1);
    double value = 0.0;
    const auto [end, error] = std::from_chars(s.data(), s.data() + s.size(), value);
    if (s.empty() || error != std::errc() || end != s.data() + s.size() || !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::vector<std::string_view> split(std::string_view text, char separator) {
    std::vector<std::string_view> parts;
    for (std::size_t at = text.find(separator); at != std::string_view::npos;
         at = text.find(separator)) {
        parts.push_back(text.substr(0, at));
        text.remove_prefix(at + 1);
    }
    parts.push_back(text);
    return parts;
}

std::string quoted(std::string_view text) {
    return '"' + std::string(text) + '"';
}

} // namespace

std::optional<Range> Range::parse(std::string_view text, std::string* problem) {
    const std::vector<std::string_view> parts = split(text, ':');
    std::optional<double> values[3];
    for (std::size_t i = 0; i < parts.size() && i < 3; ++i)
        values[i] = number(parts[i]);
    const bool wellFormed = parts.size() <= 3 && values[0] && (parts.size() < 2 || values[1]) &&
                            (parts.size() < 3 || values[2]);
    if (!wellFormed) {
        *problem = "intervallo non valido " + quoted(text) +
                   ": scrivere A, A:B o A:B:PASSO con numeri come 10, -2.5 o 1e3";
        return std::nullopt;
    }
    const double start = *values[0];
    const double end = parts.size() > 1 ? *values[1] : start;
    const double step = parts.size() > 2 ? *values[2] : (end < start ? -1.0 : 1.0);
    if (step == 0.0 || (end - start) * step < 0.0) {
        *problem = "passo non valido in " + quoted(text) +
                   ": deve essere diverso da zero e andare da A verso B";
        return std::nullopt;
    }
    const double steps = (end - start) / step;
    if (!(steps <= kMostSteps)) {
        *problem = "troppi valori in " + quoted(text);
        return std::nullopt;
    }
    const double whole = std::round(steps);
    const bool endReached = std::abs(steps - whole) <= kEndTolerance * std::max(1.0, steps);
    return Range(start, end, step, std::int64_t(endReached ? whole : std::floor(steps)),
                 endReached);
}

bool Range::allWhole() const {
    const auto whole = [](double v) { return v == std::trunc(v); };
    return whole(start_) && (steps_ == 0 || (whole(step_) && whole(at(steps_))));
}

double Range::at(std::int64_t i) const {
    if (i == steps_ && endReached_)
        return end_;
    return start_ + double(i) * step_;
}

} // namespace table
