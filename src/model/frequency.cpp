#include "model/frequency.h"

#include "model/converterror.h"

#include <QLocale>
#include <QRegularExpression>

#include <cmath>

namespace {

// A text written with '.' as it reads with the frequency separator.
QString withSeparator(QString text)
{
    const QChar separator = frequencySeparator();
    if (separator != QLatin1Char('.'))
        text.replace(QLatin1Char('.'), separator);
    return text;
}

// "<whole>.<decimals>" of a frequency with `decimals` (5 or 6) places.
QString decimalText(qint64 units, int decimals)
{
    const qint64 scale = decimals == 6 ? 10 : 1; // six decimals are units of 1 Hz
    const qint64 magnitude = std::llabs(units) * scale;
    const qint64 perMHz = FrequencyUnitsPerMHz * scale;
    return QLatin1String(units < 0 ? "-" : "") +
           QStringLiteral("%1.%2")
               .arg(magnitude / perMHz)
               .arg(magnitude % perMHz, decimals, 10, QLatin1Char('0'));
}

} // namespace

QChar frequencySeparator()
{
    const QString point = QLocale::system().decimalPoint();
    return point == QLatin1String(",") ? QLatin1Char(',') : QLatin1Char('.');
}

double parseFrequency(const QString &text)
{
    const QString sep = QRegularExpression::escape(QString(frequencySeparator()));
    static QString builtFor;
    static QRegularExpression pattern;
    if (builtFor != sep) {
        pattern = QRegularExpression(
            QStringLiteral("^[+-]?([0-9]+(%1[0-9]*)?|%1[0-9]+)([eE][+-]?[0-9]+)?$").arg(sep));
        builtFor = sep;
    }
    const QString trimmed = text.trimmed();
    if (!pattern.match(trimmed).hasMatch())
        throw ConvertError::floatValue(text);
    QString plain = trimmed;
    plain.replace(frequencySeparator(), QLatin1Char('.'));
    bool ok = false;
    const double value = plain.toDouble(&ok);
    if (!ok)
        throw ConvertError::floatValue(text);
    return value;
}

QString formatGeneral(double value)
{
    // QString::number writes the C locale: ASCII digits, '.', no grouping.
    return withSeparator(QString::number(value, 'g', 15));
}

qint64 normaliseFrequency(double f)
{
    const double lowest = double(LowestFrequency) / FrequencyUnitsPerMHz;
    const double highest = double(HighestFrequency) / FrequencyUnitsPerMHz;
    if (f < lowest)
        f = lowest;
    if (f > highest)
        f = highest;
    // Units of 10 Hz, truncated to a multiple of 100 Hz, then up in 50 Hz
    // steps to the first multiple of 5 kHz (500) or 6.25 kHz (625).
    qint64 n = static_cast<qint64>(std::trunc(f * 10000)) * 10;
    while (n < HighestFrequency) {
        if (n % 500 == 0 || n % 625 == 0)
            break;
        n += 5;
    }
    return n;
}

QString frequencyCellText(qint64 units)
{
    return withSeparator(decimalText(units, 5));
}

std::optional<qint64> parseFrequencyCell(const QString &text)
{
    static const QRegularExpression pattern(QStringLiteral("^([0-9]{3})[.,]([0-9]{5})$"));
    const QRegularExpressionMatch match = pattern.match(text);
    if (!match.hasMatch())
        return std::nullopt;
    return match.captured(1).toLongLong() * FrequencyUnitsPerMHz + match.captured(2).toLongLong();
}

QString formatMegahertz(qint64 units)
{
    return decimalText(units, 6);
}

std::optional<qint64> parseMegahertz(const QString &text)
{
    static const QRegularExpression pattern(QStringLiteral("^([0-9]{1,6})(?:\\.([0-9]*))?$"));
    const QRegularExpressionMatch match = pattern.match(text);
    if (!match.hasMatch())
        return std::nullopt;
    // Five decimals are whole units; the sixth rounds.
    const QString decimals = match.captured(2).leftJustified(6, QLatin1Char('0'));
    qint64 units =
        match.captured(1).toLongLong() * FrequencyUnitsPerMHz + decimals.left(5).toLongLong();
    if (decimals.at(5) >= QLatin1Char('5'))
        ++units;
    return units;
}
