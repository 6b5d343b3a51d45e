#include "model/channel.h"

#include "model/channeltable.h"
#include "model/frequency.h"

#include <QRegularExpression>

namespace {

// Cell indexes of the table's columns 1-8.
constexpr int cellOf(int column)
{
    return column - 1;
}

// The texts of column 5 + k that set and clear flag k (power, band width,
// scan, busy lock). Bit 0 of the radio's flags, busy lock, is set for OFF.
constexpr QString ValueTexts::*FlagSetText[4] = {&ValueTexts::highText, &ValueTexts::wideText,
                                                 &ValueTexts::onText, &ValueTexts::offText};
constexpr QString ValueTexts::*FlagClearText[4] = {&ValueTexts::lowText, &ValueTexts::narrowText,
                                                   &ValueTexts::offText, &ValueTexts::onText};

std::optional<SubAudio> parseSubAudio(const QString &cell, const ValueTexts &texts)
{
    const QString text = cell.trimmed();
    if (text.isEmpty() || isValueText(texts, text, &ValueTexts::offText))
        return SubAudio::off();
    static const QRegularExpression tone(QStringLiteral("^([0-9]{2}|[1-9][0-9]{2})\\.([0-9])$"));
    static const QRegularExpression code(QStringLiteral("^D([0-7]{3})([NI])$"));
    QRegularExpressionMatch match = tone.match(text);
    if (match.hasMatch())
        return SubAudio::tone(match.captured(1).toInt() * 10 + match.captured(2).toInt());
    match = code.match(text);
    if (match.hasMatch())
        return SubAudio::code(match.captured(1).toInt(nullptr, 8),
                              match.captured(2) == QLatin1String("I") ? SubAudio::Polarity::Inverted
                                                                      : SubAudio::Polarity::Normal);
    return std::nullopt;
}

} // namespace

ParsedChannel parseChannelCells(const ChannelCells &cells, const ValueTexts &texts)
{
    ParsedChannel parsed;
    Channel &channel = parsed.channel;
    const auto unreadable = [&parsed](int column) { parsed.unreadableColumns.append(column); };

    const auto frequency = [&](int column, std::optional<qint64> &field) {
        const QString &text = cells[cellOf(column)];
        if (text.isEmpty())
            return;
        field = parseFrequencyCell(text);
        if (!field)
            unreadable(column);
    };
    const auto subAudio = [&](int column, SubAudio &field) {
        const std::optional<SubAudio> value = parseSubAudio(cells[cellOf(column)], texts);
        if (value)
            field = *value;
        else
            unreadable(column);
    };
    frequency(ChannelTable::ColRxFreq, channel.rxFrequency);
    subAudio(ChannelTable::ColRxTone, channel.rxSubAudio);
    frequency(ChannelTable::ColTxFreq, channel.txFrequency);
    subAudio(ChannelTable::ColTxTone, channel.txSubAudio);

    // Four empty flag cells are the new-channel values the defaults hold.
    bool allEmpty = true;
    for (int k = 0; k < 4; ++k)
        allEmpty = allEmpty && cells[cellOf(ChannelTable::ColPower + k)].isEmpty();
    if (allEmpty)
        return parsed;
    std::array<bool, 4> set{};
    for (int k = 0; k < 4; ++k) {
        const int column = ChannelTable::ColPower + k;
        const QString &text = cells[cellOf(column)];
        set[k] = isValueText(texts, text, FlagSetText[k]);
        if (!set[k] && !text.isEmpty() && !isValueText(texts, text, FlagClearText[k]))
            unreadable(column);
    }
    channel.power = set[0] ? Power::High : Power::Low;
    channel.bandWidth = set[1] ? BandWidth::Wide : BandWidth::Narrow;
    channel.scanned = set[2];
    channel.busyLock = !set[3];
    return parsed;
}

ChannelCells formatChannelCells(const Channel &channel, const ValueTexts &texts)
{
    ChannelCells cells;
    if (channel.isEmpty())
        return cells;
    cells[cellOf(ChannelTable::ColRxFreq)] = frequencyCellText(*channel.rxFrequency);
    cells[cellOf(ChannelTable::ColRxTone)] = subAudioText(channel.rxSubAudio, texts.offText);
    if (channel.txFrequency)
        cells[cellOf(ChannelTable::ColTxFreq)] = frequencyCellText(*channel.txFrequency);
    cells[cellOf(ChannelTable::ColTxTone)] = subAudioText(channel.txSubAudio, texts.offText);
    cells[cellOf(ChannelTable::ColPower)] =
        channel.power == Power::High ? texts.highText : texts.lowText;
    cells[cellOf(ChannelTable::ColBandWidth)] =
        channel.bandWidth == BandWidth::Wide ? texts.wideText : texts.narrowText;
    cells[cellOf(ChannelTable::ColScan)] = channel.scanned ? texts.onText : texts.offText;
    cells[cellOf(ChannelTable::ColBusyLock)] = channel.busyLock ? texts.onText : texts.offText;
    return cells;
}

QString channelLabel(int number)
{
    return QStringLiteral("%1").arg(number, 3, 10, QLatin1Char('0'));
}

QString subAudioText(const SubAudio &subAudio, const QString &offText)
{
    const QChar point = QLatin1Char('.');
    switch (subAudio.kind) {
    case SubAudio::Kind::Off:
        break;
    case SubAudio::Kind::Tone:
        return QStringLiteral("%1.%2")
            .arg(subAudio.value / 10, 2, 10, QLatin1Char('0'))
            .arg(subAudio.value % 10);
    case SubAudio::Kind::Code:
        return QLatin1Char('D') + QStringLiteral("%1").arg(subAudio.value, 3, 8, QLatin1Char('0')) +
               (subAudio.polarity == SubAudio::Polarity::Inverted ? QLatin1Char('I')
                                                                  : QLatin1Char('N'));
    case SubAudio::Kind::Undefined: {
        // The digits as the radio holds them, most significant first; the
        // first tells the form.
        const QString v =
            QStringLiteral("%1").arg(subAudio.value, 4, 16, QLatin1Char('0')).toUpper();
        switch (v[0].unicode()) {
        case '1':
        case '2':
            return v.left(3) + point + v[3];
        case '8':
            return QLatin1Char('D') + v.mid(1, 3) + QLatin1Char('N');
        case 'C':
            return QLatin1Char('D') + v.mid(1, 3) + QLatin1Char('I');
        default:
            return v.mid(1, 2) + point + v[3];
        }
    }
    }
    return offText;
}
