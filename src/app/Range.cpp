#include "app/Range.h"

#include <QStringList>

#include <charconv>
#include <cmath>
#include <string>

namespace app {

namespace {

// How near a whole number of steps the end must lie to count as reached.
constexpr double kEndTolerance = 1e-9;
// More steps than this cannot be a table anyone asked for.
constexpr double kMostSteps = 1e15;

// A plain decimal number, "." as the point; nothing else in the text.
std::optional<double> number(const QString& text) {
    std::string s = text.trimmed().toStdString();
    if (!s.empty() && s.front() == '+')
        s.erase(0, 1);
    double value = 0.0;
    const auto [end, error] = std::from_chars(s.data(), s.data() + s.size(), value);
    if (s.empty() || error != std::errc() || end != s.data() + s.size() || !std::isfinite(value))
        return std::nullopt;
    return value;
}

} // namespace

std::optional<Range> Range::parse(const QString& text, QString* problem) {
    const QStringList parts = text.split(QLatin1Char(':'));
    std::optional<double> values[3];
    for (qsizetype i = 0; i < parts.size() && i < 3; ++i)
        values[i] = number(parts[i]);
    const bool wellFormed = parts.size() <= 3 && values[0] && (parts.size() < 2 || values[1]) &&
                            (parts.size() < 3 || values[2]);
    if (!wellFormed) {
        *problem = QStringLiteral("intervallo non valido \"%1\": scrivere A, A:B o A:B:PASSO "
                                  "con numeri come 10, -2.5 o 1e3")
                       .arg(text);
        return std::nullopt;
    }
    const double start = *values[0];
    const double end = parts.size() > 1 ? *values[1] : start;
    const double step = parts.size() > 2 ? *values[2] : (end < start ? -1.0 : 1.0);
    if (step == 0.0 || (end - start) * step < 0.0) {
        *problem = QStringLiteral("passo non valido in \"%1\": deve essere diverso da zero e "
                                  "andare da A verso B")
                       .arg(text);
        return std::nullopt;
    }
    const double steps = (end - start) / step;
    if (!(steps <= kMostSteps)) {
        *problem = QStringLiteral("troppi valori in \"%1\"").arg(text);
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

} // namespace app
