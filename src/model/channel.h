#pragma once

#include "model/valuetexts.h"

#include <QList>
#include <QString>

#include <array>
#include <optional>

// One memory channel as values, and the one place where the channel table's
// eight text cells turn into those values and back.
//
// The codec, the pre-write check, the read-back verification and the CSV
// exchange work on Channel; the grid and the channel file keep text cells
// and cross into values only through parseChannelCells() and
// formatChannelCells().

enum class Power { Low, High };
enum class BandWidth { Narrow, Wide };

// The sub-audio of one direction (receive: decode, transmit: encode).
struct SubAudio
{
    enum class Kind {
        Off,
        // A CTCSS tone; value in tenths of a hertz (885 is 88.5 Hz).
        Tone,
        // A DCS code; value is the code, its three octal digits read as an
        // octal number (D023 is 023 octal, 19).
        Code,
        // A value read from a radio that is none of the above: a tone whose
        // digits are not all decimal or a code whose digits are not all
        // octal. value is the radio's 16-bit field with the kind nibble 0
        // for a tone below 100 Hz, 1 or 2 for one of 100 Hz or more, 8 or C
        // for a code. It is shown as those digits and cannot be written.
        Undefined,
    };
    enum class Polarity { Normal, Inverted };

    Kind kind = Kind::Off;
    int value = 0;
    Polarity polarity = Polarity::Normal; // codes only

    static SubAudio off() { return {}; }
    static SubAudio tone(int tenthsOfHertz) { return {Kind::Tone, tenthsOfHertz}; }
    static SubAudio code(int octalCode, Polarity polarity)
    {
        return {Kind::Code, octalCode, polarity};
    }
    static SubAudio undefined(int field) { return {Kind::Undefined, field}; }

    bool operator==(const SubAudio &) const = default;
};

// A channel. Frequencies are in units of 10 Hz (model/frequency.h). The
// defaults are those of a new channel: high power, wide, scanned, busy
// lock off.
struct Channel
{
    // None: the channel is empty, whatever the other fields hold.
    std::optional<qint64> rxFrequency;
    // None: the channel only receives.
    std::optional<qint64> txFrequency;
    SubAudio rxSubAudio;
    SubAudio txSubAudio;
    Power power = Power::High;
    BandWidth bandWidth = BandWidth::Wide;
    bool scanned = true;
    bool busyLock = false;

    bool isEmpty() const { return !rxFrequency; }
    bool operator==(const Channel &) const = default;
};

// Columns 1-8 of a channel row, in column order: receive frequency, receive
// sub-audio, transmit frequency, transmit sub-audio, power, band width,
// scan, busy lock.
using ChannelCells = std::array<QString, 8>;

// What the cells of a row say.
struct ParsedChannel
{
    // The values as a write stores them. A cell that is no value of its
    // column leaves its field with no frequency, off, or the flag's bit
    // clear (low, narrow, not scanned, busy lock on).
    Channel channel;
    // The table columns (1-8, ascending) whose text is not empty and no
    // value of the column: these stop the row being written.
    QList<int> unreadableColumns;

    bool isUnreadable(int column) const { return unreadableColumns.contains(column); }
};

// Reads a row's cells, with the value texts of `texts` or of either fixed
// language (ValueTexts, isValueText):
// - a frequency: empty (none) or exactly three digits, a separator and five
//   decimals (parseFrequencyCell);
// - a sub-audio text, blanks around it ignored: empty or the off text
//   (off), a tone "dd.d" or "ddd.d" without a leading zero ("88.5",
//   "254.1", also ones the tone list lacks, "12.3" or "300.0"), or a code
//   "D" + three octal digits + "N" or "I";
// - the flags: all four empty read as a new channel's (high, wide, scanned,
//   busy lock off); otherwise each cell counts as set only with its
//   column's text for the set value (highText, wideText, onText for scan,
//   offText for busy lock), and an empty cell as clear.
ParsedChannel parseChannelCells(const ChannelCells &cells, const ValueTexts &texts);

// The cells of a channel in the texts of `texts`: an empty channel is eight
// empty cells; a channel without a transmit frequency has an empty column 3.
ChannelCells formatChannelCells(const Channel &channel, const ValueTexts &texts);

// A channel's number as every text names it: three digits, "001" to "199"
// (the table's first column, messages, reports).
QString channelLabel(int number);

// The cell text of a sub-audio value: offText, "88.5", "100.0", "D023N",
// "D754I"; an undefined value as its digits ("A5.B", "D9A1N").
QString subAudioText(const SubAudio &subAudio, const QString &offText);
