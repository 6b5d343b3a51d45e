#pragma once

#include <QChar>
#include <QString>

// Frequency texts are megahertz written with the user's locale decimal
// separator ("438.12500", or "438,12500" under a comma locale) and read back
// with the same separator.

// The decimal separator of the frequency texts.
QChar frequencySeparator();

// Reads a number written with the locale separator: optional blanks around,
// optional sign, digits with at most one separator, optional exponent. No
// group separators. Throws ConvertError ("'%s' is not a valid floating point
// value") for anything else, the empty text included.
double parseFrequency(const QString &text);

// "%.5f" with the locale separator: 438.125 -> "438.12500".
QString formatFrequency(double mhz);

// General number format, up to 15 significant digits, locale separator:
// 400.025 -> "400.025".
QString formatGeneral(double value);
