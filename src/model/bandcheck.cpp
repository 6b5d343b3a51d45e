#include "model/bandcheck.h"

#include "model/bandranges.h"
#include "model/channel.h"
#include "model/channeltable.h"
#include "model/frequency.h"

#include <QRegularExpression>

namespace {

QList<BandRange> usableRanges(const BandRangeList &bandOne, const BandRangeList &bandTwo)
{
    QList<BandRange> ranges;
    for (const BandRangeList *list : {&bandOne, &bandTwo}) {
        const std::optional<BandRange> range = parseBandRange(list->chosenText());
        if (range && !ranges.contains(*range))
            ranges << *range;
    }
    return ranges;
}

std::optional<OutOfBand> check(BandDirection direction, const std::optional<qint64> &frequency,
                               const QList<BandRange> &ranges)
{
    if (!frequency || ranges.isEmpty())
        return std::nullopt;
    QStringList texts;
    for (const BandRange &range : ranges) {
        if (range.contains(*frequency))
            return std::nullopt;
        texts << range.text;
    }
    return OutOfBand{direction, *frequency, texts};
}

} // namespace

std::optional<BandRange> parseBandRange(const QString &text)
{
    static const QRegularExpression pattern(QStringLiteral("^([0-9]{3})-([0-9]{3})MHz$"));
    const QRegularExpressionMatch match = pattern.match(text);
    if (!match.hasMatch())
        return std::nullopt;
    const qint64 lowest = match.captured(1).toLongLong() * FrequencyUnitsPerMHz;
    const qint64 highest = match.captured(2).toLongLong() * FrequencyUnitsPerMHz;
    if (lowest > highest)
        return std::nullopt;
    return BandRange{lowest, highest, text};
}

BandLimits BandLimits::of(const BandRanges &bands)
{
    return {usableRanges(bands.list1_rx, bands.list2_rx),
            usableRanges(bands.list1_tx, bands.list2_tx)};
}

QList<OutOfBand> outOfBand(const Channel &channel, const BandLimits &limits)
{
    QList<OutOfBand> found;
    if (channel.isEmpty())
        return found;
    if (auto rx = check(BandDirection::Receive, channel.rxFrequency, limits.receive))
        found << *rx;
    if (auto tx = check(BandDirection::Transmit, channel.txFrequency, limits.transmit))
        found << *tx;
    return found;
}

QList<OutOfBandChannel> outOfBandChannels(const ChannelTable &table, const BandRanges &bands)
{
    const BandLimits limits = BandLimits::of(bands);
    QList<OutOfBandChannel> found;
    for (int row = 1; row <= ChannelTable::ChannelCount; ++row) {
        for (const OutOfBand &finding : outOfBand(table.channel(row).channel, limits))
            found << OutOfBandChannel{row, finding};
    }
    return found;
}

QString outOfBandMessage(const OutOfBandChannel &finding)
{
    const qint64 units = finding.finding.frequency;
    const QString megahertz = QStringLiteral("%1.%2")
                                  .arg(units / FrequencyUnitsPerMHz)
                                  .arg(units % FrequencyUnitsPerMHz, 5, 10, QLatin1Char('0'));
    return QStringLiteral("Channel %1 %2 frequency %3 MHz is outside %4")
        .arg(channelLabel(finding.channel),
             finding.finding.direction == BandDirection::Receive ? QStringLiteral("receive")
                                                                 : QStringLiteral("transmit"),
             megahertz, finding.finding.ranges.join(QStringLiteral(" and ")));
}
