#include "engine/NumberFormat.h"

#include <charconv>
#include <cmath>
#include <cstdlib>

namespace engine {

namespace {

constexpr int kSignificantDigits = 15;
constexpr int kSmallestFixedExponent = -4; // 0.0001 still prints as .0001
constexpr int kLargestFixedExponent = 14;  // 1E+15 is the first in E form

QString withPrintBlanks(const QString& digits, bool negative) {
    return (negative ? QStringLiteral("-") : QStringLiteral(" ")) + digits + QLatin1Char(' ');
}

QString stripTrailingZeros(QString digits) {
    while (digits.size() > 1 && digits.endsWith(QLatin1Char('0')))
        digits.chop(1);
    return digits;
}

// "1.41421356237310E-06" from 15 significant digits and the exponent.
QString exponentForm(const QString& significant, int exponent) {
    const QString tail = stripTrailingZeros(significant.mid(1));
    QString text = significant.left(1);
    if (tail != QLatin1String("0"))
        text += QLatin1Char('.') + tail;
    text += exponent < 0 ? QStringLiteral("E-") : QStringLiteral("E+");
    text += QStringLiteral("%1").arg(std::abs(exponent), 2, 10, QLatin1Char('0'));
    return text;
}

QString fixedForm(const QString& significant, int exponent) {
    QString integerPart;
    QString fraction;
    if (exponent < 0) {
        fraction = QString(-exponent - 1, QLatin1Char('0')) + significant;
    } else {
        integerPart = significant.left(exponent + 1);
        fraction = significant.mid(exponent + 1);
    }
    while (fraction.endsWith(QLatin1Char('0')))
        fraction.chop(1);
    return fraction.isEmpty() ? integerPart : integerPart + QLatin1Char('.') + fraction;
}

} // namespace

QString numberDigits(double value) {
    if (value == 0.0 || std::isnan(value) || std::isinf(value))
        return QStringLiteral("0"); // callers never pass inf or nan; never print them
    char buffer[40];
    // "d.dddddddddddddde+XX", rounded to 15 digits; unlike printf, to_chars
    // never writes the locale's decimal comma.
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value),
                                   std::chars_format::scientific, kSignificantDigits - 1)
                         .ptr;
    const QString text = QString::fromLatin1(buffer, end - buffer);
    const qsizetype e = text.indexOf(QLatin1Char('e'));
    const QString significant = text.left(1) + text.mid(2, e - 2);
    const int exponent = text.mid(e + 1).toInt();
    if (exponent < kSmallestFixedExponent || exponent > kLargestFixedExponent)
        return exponentForm(significant, exponent);
    return fixedForm(significant, exponent);
}

QString formatNumber(double value) {
    return withPrintBlanks(numberDigits(value), std::signbit(value) && value != 0.0);
}

QString formatInteger(int value) {
    return withPrintBlanks(QString::number(std::abs(value)), value < 0);
}

} // namespace engine
