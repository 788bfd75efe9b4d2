#pragma once

#include <QChar>
#include <QString>

// The general decimal form of x: at most 15 significant digits, trailing
// zeros dropped, plain from 0.00001 up to 15 integer digits, otherwise
// scientific ("1.5E-6", "2E15"). No digit groups.
[[nodiscard]] QString GeneralDecimal(double x, QChar decimalPoint = QLatin1Char('.'));

// The diagram's number format: the general decimal form with a space before
// every group of three integer digits ("1 234 567", "1 234.5").
[[nodiscard]] QString FormatValue(double x, QChar decimalPoint);

// The same with the decimal separator of the default locale.
[[nodiscard]] QString FormatValue(double x);

// The default locale's decimal separator (its first character).
[[nodiscard]] QChar LocaleDecimalPoint();
