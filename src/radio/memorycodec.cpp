#include "radio/memorycodec.h"

#include "model/bandranges.h"
#include "model/channeltable.h"
#include "model/frequency.h"
#include "model/functionsettings.h"
#include "model/radiodata.h"

#include <QRegularExpression>

#include <array>
#include <initializer_list>

namespace MemoryCodec {

namespace {

const QString BlankFrequency = QStringLiteral("FFFFFFFF");
const QString BlankTone = QStringLiteral("FFFF");

// -1 for anything but "0"-"9" and "A"-"F".
int hexValue(QChar c)
{
    if (c >= QLatin1Char('0') && c <= QLatin1Char('9'))
        return c.unicode() - '0';
    if (c >= QLatin1Char('A') && c <= QLatin1Char('F'))
        return c.unicode() - 'A' + 10;
    return -1;
}

bool isDecimal(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

bool allHex(const QString &text)
{
    for (QChar c : text)
        if (hexValue(c) < 0)
            return false;
    return true;
}

QString chars(std::initializer_list<QChar> list)
{
    return QString(list.begin(), qsizetype(list.size()));
}

QChar hexDigit(int value)
{
    return QLatin1Char("0123456789ABCDEF"[value & 0xF]);
}

// One byte as two digits; the settings bytes 0-9 read "00"-"09".
QString byteDigits(int value)
{
    return QString(hexDigit(value >> 4)) + hexDigit(value);
}

bool isRangeShape(const QString &text)
{
    static const QRegularExpression pattern(QStringLiteral("^[0-9]{3}-[0-9]{3}MHz$"));
    return pattern.match(text).hasMatch();
}

bool allDecimal(const QString &text)
{
    for (QChar c : text)
        if (!isDecimal(c))
            return false;
    return true;
}

// The number `digits` (hex digits, most significant first) stand for in
// base `base`, when each of them is below the base.
std::optional<int> digitsIn(const QString &digits, int base)
{
    int value = 0;
    for (QChar c : digits) {
        const int d = hexValue(c);
        if (d < 0 || d >= base)
            return std::nullopt;
        value = value * base + d;
    }
    return value;
}

// The four digits of a 16-bit field, given most significant first, in the
// order they are stored: low byte first.
QString storedDigits(const QString &mostSignificantFirst)
{
    return mostSignificantFirst.mid(2, 2) + mostSignificantFirst.left(2);
}

QString rangeEdges(const QString &range)
{
    if (!isRangeShape(range))
        return BlankFrequency;
    // "400-470MHz": lower edge r3 '0' r1 r2, upper edge r7 '0' r5 r6.
    const QChar zero = QLatin1Char('0');
    return chars({range[2], zero, range[0], range[1], range[6], zero, range[4], range[5]});
}

} // namespace

int hexDigitValue(const QString &digit)
{
    if (digit.size() != 1)
        return 0;
    return qMax(hexValue(digit[0]), 0);
}

// ---- Channels ----------------------------------------------------------

DecodedFrequency decodeFrequency(const QString &reply, int position)
{
    // 1-based: the pairs start at position, position - 2, ... position - 6.
    if (position < 7 || position + 1 > reply.size())
        return {};
    QString digits;
    for (int p = position; p >= position - 6; p -= 2)
        digits += reply.mid(p - 1, 2);
    if (digits == BlankFrequency)
        return {true, std::nullopt};
    if (!allDecimal(digits))
        return {};
    return {true, digits.toLongLong()};
}

SubAudio decodeSubAudio(const QString &stored)
{
    if (stored.size() != 4 || !allHex(stored))
        return SubAudio::off();
    // Most significant first: the high byte's digits, then the low byte's.
    const QString v = stored.mid(2, 2) + stored.mid(0, 2);
    const auto orUndefined = [&v](std::optional<SubAudio> value, int kindNibble) {
        if (value)
            return *value;
        return SubAudio::undefined(kindNibble << 12 | (hexValue(v[1]) << 8) |
                                   (hexValue(v[2]) << 4) | hexValue(v[3]));
    };
    const auto code = [&v](SubAudio::Polarity polarity) -> std::optional<SubAudio> {
        const std::optional<int> octal = digitsIn(v.mid(1, 3), 8);
        return octal ? std::optional(SubAudio::code(*octal, polarity)) : std::nullopt;
    };
    switch (v[0].unicode()) {
    case '1':
    case '2': {
        const std::optional<int> tenths = digitsIn(v, 10);
        return orUndefined(tenths ? std::optional(SubAudio::tone(*tenths)) : std::nullopt,
                           hexValue(v[0]));
    }
    case '8':
        return orUndefined(code(SubAudio::Polarity::Normal), 0x8);
    case 'C':
        return orUndefined(code(SubAudio::Polarity::Inverted), 0xC);
    case 'F':
        return SubAudio::off();
    default: { // '0', and any kind the radio does not define
        const std::optional<int> tenths = digitsIn(v.mid(1, 3), 10);
        return orUndefined(tenths ? std::optional(SubAudio::tone(*tenths)) : std::nullopt, 0);
    }
    }
}

void decodeFlags(const QString &digit, Channel &channel)
{
    const int v = hexDigitValue(digit);
    channel.power = v & 8 ? Power::High : Power::Low;
    channel.bandWidth = v & 4 ? BandWidth::Wide : BandWidth::Narrow;
    channel.scanned = v & 2;
    channel.busyLock = !(v & 1);
}

std::optional<Channel> decodeChannel(const QString &replyA, const QString &replyB)
{
    const DecodedFrequency rx = decodeFrequency(replyA, 15);
    if (!rx.readable)
        return std::nullopt;
    Channel channel;
    if (!rx.frequency) {
        // No receive frequency: the channel is empty whatever else is stored.
        return channel;
    }
    const DecodedFrequency tx = decodeFrequency(replyA, 23);
    const QString blockB = replyB.mid(8, 16);
    if (!tx.readable || blockB.size() != 16 || !allHex(blockB))
        return std::nullopt;
    channel.rxFrequency = rx.frequency;
    channel.txFrequency = tx.frequency;
    channel.rxSubAudio = decodeSubAudio(blockB.mid(0, 4));
    channel.txSubAudio = decodeSubAudio(blockB.mid(4, 4));
    // Only the low nibble of the flags byte (digit 18 of the reply) counts.
    decodeFlags(blockB.mid(9, 1), channel);
    return channel;
}

QString encodeFrequency(const std::optional<qint64> &frequency)
{
    if (!frequency || *frequency < 0 || *frequency > 99999999)
        return BlankFrequency;
    // Eight decimal digits, then the pairs 7-8, 5-6, 3-4, 1-2.
    const QString d = QStringLiteral("%1").arg(*frequency, 8, 10, QLatin1Char('0'));
    return d.mid(6, 2) + d.mid(4, 2) + d.mid(2, 2) + d.mid(0, 2);
}

bool canEncode(const SubAudio &subAudio)
{
    switch (subAudio.kind) {
    case SubAudio::Kind::Off:
        return true;
    case SubAudio::Kind::Tone:
        return subAudio.value >= 0 && subAudio.value < 3000;
    case SubAudio::Kind::Code:
        return subAudio.value >= 0 && subAudio.value < 01000;
    case SubAudio::Kind::Undefined:
        break;
    }
    return false;
}

QString encodeSubAudio(const SubAudio &subAudio)
{
    if (!canEncode(subAudio))
        return BlankTone;
    switch (subAudio.kind) {
    case SubAudio::Kind::Tone: // four BCD digits of tenths of a hertz
        return storedDigits(QStringLiteral("%1").arg(subAudio.value, 4, 10, QLatin1Char('0')));
    case SubAudio::Kind::Code: // the kind nibble and the three octal digits
        return storedDigits((subAudio.polarity == SubAudio::Polarity::Inverted ? QLatin1Char('C')
                                                                               : QLatin1Char('8')) +
                            QStringLiteral("%1").arg(subAudio.value, 3, 8, QLatin1Char('0')));
    case SubAudio::Kind::Off:
    case SubAudio::Kind::Undefined:
        break;
    }
    return BlankTone;
}

QString encodeFlags(const Channel &channel)
{
    const int nibble = (channel.power == Power::High ? 8 : 0) |
                       (channel.bandWidth == BandWidth::Wide ? 4 : 0) | (channel.scanned ? 2 : 0) |
                       (channel.busyLock ? 0 : 1);
    return chars({QLatin1Char('F'), hexDigit(nibble)});
}

ChannelBlocks encodeChannel(const Channel &channel)
{
    return {encodeFrequency(channel.rxFrequency) + encodeFrequency(channel.txFrequency),
            encodeSubAudio(channel.rxSubAudio) + encodeSubAudio(channel.txSubAudio) +
                encodeFlags(channel) + QStringLiteral("FFFFFF")};
}

// ---- Settings block ----------------------------------------------------

QString encodeOptionByte0(const FunctionSettings &s)
{
    const int high = 8 * s.index(Setting::MRfreq_MRCH) + 4 * s.index(Setting::VFO_MR) +
                     2 * s.index(Setting::Scramble) + s.index(Setting::Ring);
    const int low = 8 * s.index(Setting::scankind) + 4 * s.index(Setting::BatSave) +
                    2 * s.index(Setting::BEEP) + s.index(Setting::APO);
    return chars({hexDigit(high), hexDigit(low)});
}

QString encodeOptionByte4(const FunctionSettings &s)
{
    // The 12 sets bits 7 and 6.
    const int high = 12 + 2 * s.index(Setting::band) + s.index(Setting::SpreadFreq);
    const int low = 8 * s.index(Setting::BroadBand) + 4 * s.index(Setting::DownFreq) +
                    2 * s.index(Setting::Switch_U_P) + s.index(Setting::keyswitch);
    return chars({hexDigit(high), hexDigit(low)});
}

void decodeOptionBits(FunctionSettings &settings, const QString &byte0, const QString &byte4)
{
    static const Setting bitsA[8] = {Setting::APO,      Setting::BEEP,       Setting::BatSave,
                                     Setting::scankind, Setting::Ring,       Setting::Scramble,
                                     Setting::VFO_MR,   Setting::MRfreq_MRCH};
    static const Setting bitsB[6] = {Setting::keyswitch, Setting::Switch_U_P, Setting::DownFreq,
                                     Setting::BroadBand, Setting::SpreadFreq, Setting::band};
    const auto value = [](const QString &byte) {
        return 16 * hexDigitValue(byte.mid(0, 1)) + hexDigitValue(byte.mid(1, 1));
    };
    const int a = value(byte0);
    for (int bit = 0; bit < 8; ++bit)
        settings.setIndex(bitsA[bit], (a >> bit) & 1);
    const int b = value(byte4);
    for (int bit = 0; bit < 6; ++bit)
        settings.setIndex(bitsB[bit], (b >> bit) & 1);
}

QString encodeSettingsBlock(const FunctionSettings &s)
{
    return encodeOptionByte0(s) + byteDigits(s.index(Setting::Squelch)) +
           byteDigits(s.index(Setting::VoxControl)) + byteDigits(s.index(Setting::TxT_O_T)) +
           encodeOptionByte4(s) + byteDigits(s.index(Setting::Freq_Step) + 1) +
           byteDigits(s.index(Setting::Txlight) + 1) + byteDigits(s.index(Setting::Rxlight) + 1);
}

bool decodeSettingsBlock(FunctionSettings &settings, const QString &reply)
{
    const QString data = reply.mid(8, 16);
    if (data.size() != 16 || !allHex(data))
        return false;
    // The low nibble of data byte k is data digit 2k + 1 (0-based).
    const auto low = [&data](int byte) { return hexValue(data[2 * byte + 1]); };
    const auto setDecimal = [&settings](Setting s, int nibble, int offset) {
        if (nibble <= 9)
            settings.setIndex(s, nibble - offset);
    };
    setDecimal(Setting::Squelch, low(1), 0);
    setDecimal(Setting::VoxControl, low(2), 0);
    setDecimal(Setting::TxT_O_T, low(3), 0);
    setDecimal(Setting::Freq_Step, low(5), 1);
    // An erased block (F) gives the lights their own fixed colours.
    if (low(6) == 0xF)
        settings.setIndex(Setting::Txlight, 2);
    else
        setDecimal(Setting::Txlight, low(6), 1);
    if (low(7) == 0xF)
        settings.setIndex(Setting::Rxlight, 4);
    else
        setDecimal(Setting::Rxlight, low(7), 1);
    decodeOptionBits(settings, data.mid(0, 2), data.mid(8, 2));
    return true;
}

// ---- Band edges --------------------------------------------------------

QString encodeBandEdges(const BandRangeList &rx, const BandRangeList &tx)
{
    return rangeEdges(rx.chosenText()) + rangeEdges(tx.chosenText());
}

// ---- Before a write ----------------------------------------------------

QStringList preflightCheck(const RadioData &data)
{
    QStringList problems;
    const ChannelTable &table = data.table;

    for (int row = 1; row <= ChannelTable::ChannelCount; ++row) {
        const QString channel = QStringLiteral("Channel %1: ").arg(channelLabel(row));
        const ParsedChannel parsed = table.channel(row);

        for (int col : {int(ChannelTable::ColRxFreq), int(ChannelTable::ColTxFreq)}) {
            const QString text = table.cell(col, row);
            if (text.isEmpty())
                continue;
            const std::optional<qint64> frequency = col == ChannelTable::ColRxFreq
                                                        ? parsed.channel.rxFrequency
                                                        : parsed.channel.txFrequency;
            if (parsed.isUnreadable(col) || *frequency < LowestFrequency ||
                *frequency > HighestFrequency)
                problems << channel +
                                QStringLiteral("%1 frequency \"%2\" cannot be stored "
                                               "(100–550 MHz, five decimals)")
                                    .arg(QLatin1String(col == ChannelTable::ColRxFreq ? "receive"
                                                                                      : "transmit"),
                                         text);
        }

        for (int col : {int(ChannelTable::ColRxTone), int(ChannelTable::ColTxTone)}) {
            const SubAudio &subAudio = col == ChannelTable::ColRxTone ? parsed.channel.rxSubAudio
                                                                      : parsed.channel.txSubAudio;
            if (!parsed.isUnreadable(col) && canEncode(subAudio))
                continue;
            problems << channel +
                            QStringLiteral("%1 sub-audio \"%2\" cannot be stored (off, a tone "
                                           "such as 88.5 or a code such as D023N)")
                                .arg(QLatin1String(col == ChannelTable::ColRxTone ? "receive"
                                                                                  : "transmit"),
                                     table.cell(col, row));
        }

        static const char *const flagNames[4] = {"power", "band width", "scan", "busy lock"};
        static const char *const flagValues[4] = {"High or Low", "Wide or Narrow", "ON or OFF",
                                                  "ON or OFF"};
        for (int k = 0; k < 4; ++k) {
            if (!parsed.isUnreadable(ChannelTable::ColPower + k))
                continue;
            problems << channel + QStringLiteral("%1 \"%2\" is not a known value (%3)")
                                      .arg(QLatin1String(flagNames[k]),
                                           table.cell(ChannelTable::ColPower + k, row),
                                           QLatin1String(flagValues[k]));
        }
    }

    for (Setting s : allSettings()) {
        const int index = data.settings.index(s);
        // The built-in list fixes the values the radio can hold; a language
        // load that brought a different number of choices cannot widen it.
        const int count = qMin(data.settings.choices(s).size(), settingInfo(s).choices.size());
        if (index >= 0 && index < count)
            continue;
        const QString name = QStringLiteral("Setting %1: ").arg(settingInfo(s).name);
        if (index < 0)
            problems << name + QStringLiteral("no choice is selected");
        else
            problems << name + QStringLiteral("value %1 is outside its choices (0–%2)")
                                   .arg(index)
                                   .arg(count - 1);
    }

    for (const BandRangeList *list : data.bands.all()) {
        const QString name = QStringLiteral("Band range list %1: ").arg(list->name());
        if (list->chosenIndex() < 0)
            problems << name + QStringLiteral("no range is chosen");
        else if (!isRangeShape(list->chosenText()))
            problems << name + QStringLiteral("range \"%1\" is not of the form 400-470MHz")
                                   .arg(list->chosenText());
    }
    return problems;
}

} // namespace MemoryCodec
