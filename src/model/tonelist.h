#pragma once

#include <QString>
#include <QStringList>

// The sub-audio choices of the tone columns, in the order of the tone list:
// entry 0 the off text, then the 50 CTCSS tones "67.0"-"254.1", the 107 DCS
// codes with normal polarity "D017N"-"D754N", and the same codes inverted
// "D017I"-"D754I": 265 entries.
namespace ToneCodes {
constexpr int ToneCount = 50;
constexpr int DcsCount = 107;
constexpr int EntryCount = 1 + ToneCount + 2 * DcsCount;

// The CTCSS tones in Hz, one decimal.
const QStringList &ctcssTones();
// The three octal digits of every DCS code, ascending.
const QStringList &dcsCodes();
} // namespace ToneCodes

// The whole list with offText as entry 0.
QStringList makeToneList(const QString &offText);
