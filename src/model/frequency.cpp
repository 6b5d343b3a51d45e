#include "model/frequency.h"

#include "model/converterror.h"

#include <QLocale>
#include <QRegularExpression>

namespace {
QLocale frequencyLocale()
{
    QLocale locale = QLocale::system();
    locale.setNumberOptions(QLocale::OmitGroupSeparator | QLocale::RejectGroupSeparator);
    return locale;
}
} // namespace

QChar frequencySeparator()
{
    const QString point = QLocale::system().decimalPoint();
    return point.isEmpty() ? QLatin1Char('.') : point.at(0);
}

double parseFrequency(const QString &text)
{
    const QString sep = QRegularExpression::escape(QString(frequencySeparator()));
    static QString builtFor;
    static QRegularExpression pattern;
    if (builtFor != sep) {
        pattern = QRegularExpression(
            QStringLiteral("^[+-]?(\\d+(%1\\d*)?|%1\\d+)([eE][+-]?\\d+)?$").arg(sep));
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

QString formatFrequency(double mhz)
{
    return frequencyLocale().toString(mhz, 'f', 5);
}

QString formatGeneral(double value)
{
    return frequencyLocale().toString(value, 'g', 15);
}
