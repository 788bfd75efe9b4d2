#include "FormatValue.h"

#include <QLocale>

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <string>

namespace {

// Decimal digits (without trailing zeros) and the exponent of the first digit.
struct Digits {
    std::string digits;
    int exponent = 0;
};

Digits FifteenDigits(double magnitude)
{
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, magnitude,
                                      std::chars_format::scientific, 14);
    const std::string text(buffer, result.ptr);
    const std::size_t e = text.find('e');
    Digits d;
    for (std::size_t i = 0; i < e; ++i)
        if (text[i] != '.')
            d.digits += text[i];
    d.exponent = std::atoi(text.c_str() + e + 1);
    while (d.digits.size() > 1 && d.digits.back() == '0')
        d.digits.pop_back();
    return d;
}

}  // namespace

QString GeneralDecimal(double x, QChar decimalPoint)
{
    if (std::isnan(x))
        return QStringLiteral("NAN");
    if (std::isinf(x))
        return x > 0 ? QStringLiteral("INF") : QStringLiteral("-INF");
    if (x == 0)
        return QStringLiteral("0");
    const Digits d = FifteenDigits(std::fabs(x));
    QString out = x < 0 ? QStringLiteral("-") : QString();
    const QString digits = QString::fromLatin1(d.digits);
    if (d.exponent >= 15 || d.exponent < -5) {
        out += digits.left(1);
        if (digits.size() > 1)
            out += decimalPoint + digits.mid(1);
        out += QLatin1Char('E') + QString::number(d.exponent);
        return out;
    }
    if (d.exponent < 0)
        return out + QLatin1Char('0') + decimalPoint + QString(-d.exponent - 1, QLatin1Char('0')) + digits;
    const int integerDigits = d.exponent + 1;
    if (digits.size() <= integerDigits)
        return out + digits + QString(integerDigits - digits.size(), QLatin1Char('0'));
    return out + digits.left(integerDigits) + decimalPoint + digits.mid(integerDigits);
}

QString FormatValue(double x, QChar decimalPoint)
{
    QString text = GeneralDecimal(x, decimalPoint);
    if (text.contains(QLatin1Char('E')) || !std::isfinite(x))
        return text;
    // A sign is not a digit: groups start after it.
    const int start = text.startsWith(QLatin1Char('-')) ? 1 : 0;
    int end = text.indexOf(decimalPoint);
    if (end < 0)
        end = text.size();
    for (int pos = end - 3; pos > start; pos -= 3)
        text.insert(pos, QLatin1Char(' '));
    return text;
}

QString FormatValue(double x)
{
    return FormatValue(x, LocaleDecimalPoint());
}

QChar LocaleDecimalPoint()
{
    const QString point = QLocale().decimalPoint();
    return point.isEmpty() ? QLatin1Char('.') : point.front();
}
