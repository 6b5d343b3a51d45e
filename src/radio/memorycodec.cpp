#include "radio/memorycodec.h"

#include "model/bandranges.h"
#include "model/channeltable.h"
#include "model/frequency.h"
#include "model/functionsettings.h"
#include "model/radiodata.h"
#include "model/valuetexts.h"

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

bool matchesWhole(const QRegularExpression &pattern, const QString &text)
{
    return pattern.match(text).hasMatch();
}

// Three integer digits, a separator and five decimals: the only shape whose
// digits sit where the frequency encoding takes them.
bool isFrequencyShape(const QString &text)
{
    static const QRegularExpression pattern(QStringLiteral("^[0-9]{3}[.,][0-9]{5}$"));
    return matchesWhole(pattern, text);
}

// The sub-audio forms whose characters the encoding can place: a tone below
// 100 Hz, a tone of 100 Hz or more (top digit 1 or 2, so that it reads back
// as a tone), a DCS code with octal digits.
bool isToneShape(const QString &text)
{
    static const QRegularExpression pattern(
        QStringLiteral("^([0-9]{2}\\.[0-9]|[12][0-9]{2}\\.[0-9]|D[0-7]{3}[NI])$"));
    return matchesWhole(pattern, text);
}

bool isRangeShape(const QString &text)
{
    static const QRegularExpression pattern(QStringLiteral("^[0-9]{3}-[0-9]{3}MHz$"));
    return matchesWhole(pattern, text);
}

bool isOffTone(const ChannelTable &table, const QString &text)
{
    return isValueText(table.valueTexts(), text, &ValueTexts::offText) ||
           (!text.isEmpty() && text == table.toneList().value(0));
}

// Columns 5-8 for a flags nibble.
std::array<QString, 4> flagTexts(int v, const ValueTexts &texts)
{
    return {v & 8 ? texts.highText : texts.lowText, v & 4 ? texts.wideText : texts.narrowText,
            v & 2 ? texts.onText : texts.offText, v & 1 ? texts.offText : texts.onText};
}

// The text of column 5 + k that sets flag bit 3 - k.
constexpr QString ValueTexts::*FlagSetText[4] = {&ValueTexts::highText, &ValueTexts::wideText,
                                                 &ValueTexts::onText, &ValueTexts::offText};
constexpr QString ValueTexts::*FlagClearText[4] = {&ValueTexts::lowText, &ValueTexts::narrowText,
                                                   &ValueTexts::offText, &ValueTexts::onText};

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

std::optional<QString> decodeFrequency(const QString &reply, int position)
{
    // 1-based: the pairs start at position, position - 2, ... position - 6.
    if (position < 7 || position + 1 > reply.size())
        return std::nullopt;
    QString digits;
    for (int p = position; p >= position - 6; p -= 2)
        digits += reply.mid(p - 1, 2);
    if (digits == BlankFrequency)
        return QString();
    for (QChar c : digits)
        if (!isDecimal(c))
            return std::nullopt;
    return frequencyCellText(digits.toLongLong());
}

QString decodeSubAudio(const QString &stored, const QString &offText)
{
    if (stored.size() != 4)
        return offText;
    // Most significant first: the high byte's digits, then the low byte's.
    const QString v = stored.mid(2, 2) + stored.mid(0, 2);
    const QChar point = QLatin1Char('.');
    switch (v[0].unicode()) {
    case '1':
    case '2':
        return v.left(3) + point + v[3];
    case '8':
        return QLatin1Char('D') + v.mid(1, 3) + QLatin1Char('N');
    case 'C':
        return QLatin1Char('D') + v.mid(1, 3) + QLatin1Char('I');
    case 'F':
        return offText;
    default: // '0', and any kind the radio does not define
        return v.mid(1, 2) + point + v[3];
    }
}

void decodeFlags(const QString &digit, ChannelTable &table, int row)
{
    const std::array<QString, 4> texts =
        flagTexts(hexDigitValue(digit), textsForFilling(table.valueTexts()));
    for (int k = 0; k < 4; ++k)
        table.setCell(ChannelTable::ColPower + k, row, texts[k]);
}

bool decodeChannel(ChannelTable &table, int row, const QString &replyA, const QString &replyB)
{
    std::array<QString, 8> data;
    const std::optional<QString> rx = decodeFrequency(replyA, 15);
    if (!rx) {
        table.setRowData(row, data);
        return false;
    }
    if (rx->isEmpty()) {
        // No receive frequency: the channel is empty whatever else is stored.
        table.setRowData(row, data);
        return true;
    }
    const std::optional<QString> tx = decodeFrequency(replyA, 23);
    const QString blockB = replyB.mid(8, 16);
    if (!tx || blockB.size() != 16 || !allHex(blockB)) {
        table.setRowData(row, data);
        return false;
    }
    const ValueTexts texts = textsForFilling(table.valueTexts());
    data[ChannelTable::ColRxFreq - 1] = *rx;
    data[ChannelTable::ColTxFreq - 1] = *tx;
    data[ChannelTable::ColRxTone - 1] = decodeSubAudio(blockB.mid(0, 4), texts.offText);
    data[ChannelTable::ColTxTone - 1] = decodeSubAudio(blockB.mid(4, 4), texts.offText);
    // Only the low nibble of the flags byte (digit 18 of the reply) counts.
    const std::array<QString, 4> flags = flagTexts(hexValue(blockB[9]), texts);
    for (int k = 0; k < 4; ++k)
        data[ChannelTable::ColPower - 1 + k] = flags[k];
    table.setRowData(row, data);
    return true;
}

QString encodeFrequency(const ChannelTable &table, int col, int row)
{
    const QString text = table.cell(col, row);
    if (!isFrequencyShape(text))
        return BlankFrequency;
    // Digits 1-3 and 5-9 whatever the separator, then pairs 7-8, 5-6, 3-4, 1-2.
    const QString d = text.left(3) + text.mid(4, 5);
    return d.mid(6, 2) + d.mid(4, 2) + d.mid(2, 2) + d.mid(0, 2);
}

QString encodeSubAudio(const ChannelTable &table, int col, int row)
{
    const QString t = table.cell(col, row).trimmed();
    if (t.isEmpty() || isOffTone(table, t) || !isToneShape(t))
        return BlankTone;
    // t[k] is the (k+1)-th character; the result is the stored low byte, then
    // the high byte.
    if (t.endsWith(QLatin1Char('I')))
        return chars({t[2], t[3], QLatin1Char('C'), t[1]});
    if (t.endsWith(QLatin1Char('N')))
        return chars({t[2], t[3], QLatin1Char('8'), t[1]});
    if (t.size() == 5) // 100 Hz or more: "254.1" -> 41 25
        return chars({t[2], t[4], t[0], t[1]});
    return chars({t[1], t[3], QLatin1Char('0'), t[0]}); // "88.5" -> 85 08
}

QString encodeFlags(const ChannelTable &table, int row)
{
    QString joined;
    for (int k = 0; k < 4; ++k)
        joined += table.cell(ChannelTable::ColPower + k, row);
    if (joined.isEmpty())
        return QStringLiteral("FF");
    int nibble = 0;
    for (int k = 0; k < 4; ++k)
        if (isValueText(table.valueTexts(), table.cell(ChannelTable::ColPower + k, row),
                        FlagSetText[k]))
            nibble |= 8 >> k;
    return chars({QLatin1Char('F'), hexDigit(nibble)});
}

ChannelBlocks encodeChannel(const ChannelTable &table, int row)
{
    return {encodeFrequency(table, ChannelTable::ColRxFreq, row) +
                encodeFrequency(table, ChannelTable::ColTxFreq, row),
            encodeSubAudio(table, ChannelTable::ColRxTone, row) +
                encodeSubAudio(table, ChannelTable::ColTxTone, row) + encodeFlags(table, row) +
                QStringLiteral("FFFFFF")};
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
        const QString channel = QStringLiteral("Channel %1: ").arg(row, 3, 10, QLatin1Char('0'));

        for (int col : {int(ChannelTable::ColRxFreq), int(ChannelTable::ColTxFreq)}) {
            const QString text = table.cell(col, row);
            if (text.isEmpty())
                continue;
            // In units of 10 Hz; the shape guarantees eight decimal digits.
            const qint64 units =
                isFrequencyShape(text) ? (text.left(3) + text.mid(4, 5)).toLongLong() : -1;
            if (units < 10000000 || units > 55000000)
                problems << channel +
                                QStringLiteral("%1 frequency \"%2\" cannot be stored "
                                               "(100–550 MHz, five decimals)")
                                    .arg(QLatin1String(col == ChannelTable::ColRxFreq ? "receive"
                                                                                      : "transmit"),
                                         text);
        }

        for (int col : {int(ChannelTable::ColRxTone), int(ChannelTable::ColTxTone)}) {
            const QString t = table.cell(col, row).trimmed();
            if (t.isEmpty() || isOffTone(table, t) || table.toneList().contains(t) ||
                isToneShape(t))
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
            const QString text = table.cell(ChannelTable::ColPower + k, row);
            if (text.isEmpty() || isValueText(table.valueTexts(), text, FlagSetText[k]) ||
                isValueText(table.valueTexts(), text, FlagClearText[k]))
                continue;
            problems << channel + QStringLiteral("%1 \"%2\" is not a known value (%3)")
                                      .arg(QLatin1String(flagNames[k]), text,
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
