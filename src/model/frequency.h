#pragma once

#include <QChar>
#include <QString>

#include <optional>

// Every frequency text of the program is read and written here.
//
// Frequencies are held as integers in the radio's units of 10 Hz: 43812500
// is 438.125 MHz. The radio stores them so, and the channel raster (5 kHz =
// 500, 6.25 kHz = 625) is whole in them.
//
// The texts the user sees and types are megahertz with the decimal
// separator of the user's locale ("438.12500", "438,12500" under a comma
// locale) and always the ASCII digits 0-9, whatever digits the locale
// writes numbers with: a channel file holds GBK, and a frequency must read
// back under any locale.

constexpr qint64 FrequencyUnitsPerMHz = 100000;
// The range the editor's frequencies lie in and the radio is written with.
constexpr qint64 LowestFrequency = 100 * FrequencyUnitsPerMHz;
constexpr qint64 HighestFrequency = 550 * FrequencyUnitsPerMHz;

// ---- Typed input --------------------------------------------------------

// The decimal separator of the frequency texts: the locale's when it is '.'
// or ','. A locale with another separator (Arabic and Persian locales have
// U+066B ARABIC DECIMAL SEPARATOR, which GBK cannot hold) gets '.'.
QChar frequencySeparator();

// Reads a number typed with frequencySeparator(), in MHz, at any precision:
// optional blanks around, optional sign, ASCII digits with at most one
// separator, optional exponent. No group separators. Throws ConvertError
// ("'%s' is not a valid floating point value") for anything else, the empty
// text included.
double parseFrequency(const QString &text);

// General number format, up to 15 significant digits, with
// frequencySeparator(): 400.025 -> "400.025".
QString formatGeneral(double value);

// The editor's normalisation of a typed value in MHz: clamped to 100-550
// MHz, truncated to a multiple of 100 Hz, then moved up in 50 Hz steps to
// the first multiple of 5 kHz or 6.25 kHz.
qint64 normaliseFrequency(double mhz);

// ---- The channel table's frequency cells ----------------------------------

// The cell text of a frequency: "%.5f" MHz with frequencySeparator():
// 43812500 -> "438.12500", 4381250 -> "43.81250".
QString frequencyCellText(qint64 units);

// The frequency of a cell as a write stores it: exactly three digits, a
// separator and five decimals. The digits are taken by position, so either
// separator is read ('.' or ','; a file saved under another locale). Any
// other text, the empty one included, gives nullopt.
std::optional<qint64> parseFrequencyCell(const QString &text);

// ---- Megahertz in the files of other programs (CSV) -----------------------

// MHz with '.' and six decimals whatever the locale: 43812500 ->
// "438.125000".
QString formatMegahertz(qint64 units);

// A non-negative number of MHz with '.': one to six digits and any number of
// decimals, rounded to the nearest 10 Hz ("438.1234" -> 43812340). Anything
// else gives nullopt.
std::optional<qint64> parseMegahertz(const QString &text);
