#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

class BandRanges;
class ChannelTable;
struct Channel;

// Whether a channel's frequencies lie inside the radio's bands.
//
// The radio has two bands, each with a chosen receive range and a chosen
// transmit range (the band range lists, "400-470MHz"). A receive frequency
// is in band when it lies inside the chosen receive range of band one or of
// band two, edges included; a transmit frequency the same with the transmit
// ranges. A frequency outside is only a warning: the radio may still take
// it, and files made before the check must stay writable.
//
// A list with nothing chosen, or whose chosen text is not of the form
// "ddd-dddMHz" with the lower edge first, gives no range. A direction whose
// two lists give none has nothing to check against, and none of its
// frequencies is reported: such a list cannot be written to the radio
// either, and the write refuses it with a message of its own
// (MemoryCodec::preflightCheck), so a warning for every channel would only
// repeat that.

// A band range as the radio holds it: whole megahertz, edges included.
struct BandRange
{
    // In frequency units (10 Hz, model/frequency.h).
    qint64 lowest = 0;
    qint64 highest = 0;
    // The range text it was read from, "400-470MHz".
    QString text;

    bool contains(qint64 frequency) const { return frequency >= lowest && frequency <= highest; }
    bool operator==(const BandRange &) const = default;
};

// Reads a range text: three digits, "-", three digits, "MHz", the lower
// edge not above the upper. Anything else gives nullopt.
std::optional<BandRange> parseBandRange(const QString &text);

enum class BandDirection { Receive, Transmit };

// The ranges each direction is checked against: the usable chosen ranges of
// band one, then band two, each text once.
struct BandLimits
{
    QList<BandRange> receive;
    QList<BandRange> transmit;

    static BandLimits of(const BandRanges &bands);
    const QList<BandRange> &ranges(BandDirection direction) const
    {
        return direction == BandDirection::Receive ? receive : transmit;
    }
};

// One frequency of a channel that lies outside the bands of its direction.
struct OutOfBand
{
    BandDirection direction = BandDirection::Receive;
    qint64 frequency = 0;
    // The range texts of that direction, band one's first.
    QStringList ranges;

    bool operator==(const OutOfBand &) const = default;
};

// The frequencies of `channel` outside `limits`: the receive frequency
// first, then the transmit frequency. An empty channel has none, and so has
// a channel that only receives for its transmit side.
QList<OutOfBand> outOfBand(const Channel &channel, const BandLimits &limits);

// A finding with the channel (1-199) it belongs to.
struct OutOfBandChannel
{
    int channel = 0;
    OutOfBand finding;
};

// Every channel of `table`, read as a write stores it (ChannelTable::channel:
// a cell that is no frequency counts as none), checked against the chosen
// ranges of `bands`; in channel order.
QList<OutOfBandChannel> outOfBandChannels(const ChannelTable &table, const BandRanges &bands);

// "Channel 002 receive frequency 146.52000 MHz is outside 400-470MHz": the
// frequency with '.' and five decimals whatever the locale, several ranges
// joined by " and ".
QString outOfBandMessage(const OutOfBandChannel &finding);
