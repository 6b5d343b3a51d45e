#include "storage/channelcsv.h"

#include "model/channeltable.h"
#include "model/frequency.h"
#include "model/functionsettings.h"
#include "model/radiodata.h"
#include "model/tonelist.h"
#include "storage/atomicwrite.h"

#include <QFile>
#include <QRegularExpression>

#include <algorithm>
#include <array>
#include <cmath>
#include <optional>
#include <tuple>
#include <utility>

namespace {

enum Column {
    Location,
    Name,
    Frequency,
    Duplex,
    Offset,
    Tone,
    rToneFreq,
    cToneFreq,
    DtcsCode,
    DtcsPolarity,
    RxDtcsCode,
    CrossMode,
    Mode,
    TStep,
    Skip,
    Power,
    Comment,
    URCALL,
    RPT1CALL,
    RPT2CALL,
    DVCODE,
    BusyLock,
    ColumnCount
};

// Up to this difference a transmit frequency is written as an offset.
constexpr qint64 LargestOffset = 10 * FrequencyUnitsPerMHz;
// Power from this many watts up is high.
constexpr double HighPowerWatts = 2.5;

const QString DefaultTone = QStringLiteral("88.5");
const QString DefaultCode = QStringLiteral("023");
const QString DefaultPolarity = QStringLiteral("NN");
const QString DefaultCrossMode = QStringLiteral("Tone->Tone");
const QString HighPower = QStringLiteral("5.0W");
const QString LowPower = QStringLiteral("1.0W");

QString channelName(int n)
{
    return QStringLiteral("Channel ") + channelLabel(n);
}

// ---- Sub-audio fields ------------------------------------------------------

// A tone as the tone fields hold it: "88.5".
QString toneField(const SubAudio &s)
{
    return subAudioText(s, QString());
}

// A code as the code fields hold it: its three octal digits, "023".
QString codeField(const SubAudio &s)
{
    return QStringLiteral("%1").arg(s.value, 3, 8, QLatin1Char('0'));
}

// ---- Export ----------------------------------------------------------------

QString csvField(const QString &text, QChar separator)
{
    if (!text.contains(separator) && !text.contains(QLatin1Char('"')) &&
        !text.contains(QLatin1Char('\n')) && !text.contains(QLatin1Char('\r')))
        return text;
    QString quoted = text;
    quoted.replace(QLatin1String("\""), QLatin1String("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

// The tone fields (Tone ... CrossMode) for a transmit and a receive value
// (each off, a tone or a code).
void setToneFields(QStringList &f, const SubAudio &tx, const SubAudio &rx)
{
    using K = SubAudio::Kind;
    const auto polarity = [](const SubAudio &s) {
        return s.kind == K::Code && s.polarity == SubAudio::Polarity::Inverted ? QLatin1Char('R')
                                                                               : QLatin1Char('N');
    };
    const auto cross = [&f](const QString &mode) {
        f[Tone] = QStringLiteral("Cross");
        f[CrossMode] = mode;
    };
    if (tx.kind == K::Off && rx.kind == K::Off)
        return;
    if (tx.kind == K::Tone && rx.kind == K::Off) {
        f[Tone] = QStringLiteral("Tone");
        f[rToneFreq] = toneField(tx);
    } else if (tx.kind == K::Tone && rx == tx) {
        f[Tone] = QStringLiteral("TSQL");
        f[cToneFreq] = toneField(tx);
    } else if (tx.kind == K::Code && rx.kind == K::Code && tx.value == rx.value) {
        f[Tone] = QStringLiteral("DTCS");
        f[DtcsCode] = codeField(tx);
    } else if (tx.kind == K::Tone && rx.kind == K::Tone) {
        cross(QStringLiteral("Tone->Tone"));
        f[rToneFreq] = toneField(tx);
        f[cToneFreq] = toneField(rx);
    } else if (tx.kind == K::Tone && rx.kind == K::Code) {
        cross(QStringLiteral("Tone->DTCS"));
        f[rToneFreq] = toneField(tx);
        f[RxDtcsCode] = codeField(rx);
    } else if (tx.kind == K::Code && rx.kind == K::Tone) {
        cross(QStringLiteral("DTCS->Tone"));
        f[DtcsCode] = codeField(tx);
        f[cToneFreq] = toneField(rx);
    } else if (tx.kind == K::Off && rx.kind == K::Tone) {
        cross(QStringLiteral("->Tone"));
        f[cToneFreq] = toneField(rx);
    } else if (tx.kind == K::Off && rx.kind == K::Code) {
        cross(QStringLiteral("->DTCS"));
        f[RxDtcsCode] = codeField(rx);
    } else if (tx.kind == K::Code && rx.kind == K::Off) {
        cross(QStringLiteral("DTCS->"));
        f[DtcsCode] = codeField(tx);
    } else { // two different codes
        cross(QStringLiteral("DTCS->DTCS"));
        f[DtcsCode] = codeField(tx);
        f[RxDtcsCode] = codeField(rx);
    }
    f[DtcsPolarity] = QString(polarity(tx)) + polarity(rx);
}

QString stepText(const FunctionSettings &settings)
{
    static const char *const steps[] = {"5.00", "6.25", "10.00", "12.50", "20.00", "25.00"};
    const int index = settings.index(Setting::Freq_Step);
    return index >= 0 && index < int(std::size(steps)) ? QLatin1String(steps[index]) : QString();
}

// The fields of channel n, or why it cannot be exported.
std::optional<QStringList> exportRow(const RadioData &data, int n, QStringList *warnings)
{
    const ChannelTable &table = data.table;
    const auto refuse = [&](const QString &why) {
        *warnings << QStringLiteral("%1 is not exported: %2").arg(channelName(n), why);
        return std::nullopt;
    };
    // The channel as a write would store it.
    const ParsedChannel parsed = table.channel(n);
    const Channel &channel = parsed.channel;
    if (parsed.isUnreadable(ChannelTable::ColRxFreq))
        return refuse(QStringLiteral("receive frequency \"%1\" is not a frequency")
                          .arg(table.cell(ChannelTable::ColRxFreq, n)));
    if (parsed.isUnreadable(ChannelTable::ColTxFreq))
        return refuse(QStringLiteral("transmit frequency \"%1\" is not a frequency")
                          .arg(table.cell(ChannelTable::ColTxFreq, n)));
    if (parsed.isUnreadable(ChannelTable::ColRxTone))
        return refuse(QStringLiteral("receive sub-audio \"%1\" is not a tone or code")
                          .arg(table.cell(ChannelTable::ColRxTone, n)));
    if (parsed.isUnreadable(ChannelTable::ColTxTone))
        return refuse(QStringLiteral("transmit sub-audio \"%1\" is not a tone or code")
                          .arg(table.cell(ChannelTable::ColTxTone, n)));

    const qint64 rx = *channel.rxFrequency;
    QStringList f(ColumnCount);
    f[Location] = QString::number(n);
    f[Frequency] = formatMegahertz(rx);
    f[Offset] = formatMegahertz(0);
    if (!channel.txFrequency) {
        f[Duplex] = QStringLiteral("off"); // receive only
    } else if (const qint64 tx = *channel.txFrequency; tx != rx) {
        const qint64 difference = tx - rx;
        if (std::llabs(difference) <= LargestOffset) {
            f[Duplex] = difference > 0 ? QStringLiteral("+") : QStringLiteral("-");
            f[Offset] = formatMegahertz(std::llabs(difference));
        } else {
            f[Duplex] = QStringLiteral("split");
            f[Offset] = formatMegahertz(tx);
        }
    }
    f[rToneFreq] = DefaultTone;
    f[cToneFreq] = DefaultTone;
    f[DtcsCode] = DefaultCode;
    f[DtcsPolarity] = DefaultPolarity;
    f[RxDtcsCode] = DefaultCode;
    f[CrossMode] = DefaultCrossMode;
    setToneFields(f, channel.txSubAudio, channel.rxSubAudio);

    // A flag cell that is not its column's value is exported as the radio
    // would store it (its bit clear); so is an empty one beside filled ones
    // (four empty cells are the new-channel values).
    static const char *const flagNames[4] = {"power", "band width", "scan", "busy lock"};
    bool allEmpty = true;
    for (int k = 0; k < 4; ++k)
        allEmpty = allEmpty && table.cell(ChannelTable::ColPower + k, n).isEmpty();
    for (int k = 0; k < 4 && !allEmpty; ++k) {
        const int col = ChannelTable::ColPower + k;
        const QString text = table.cell(col, n);
        if (parsed.isUnreadable(col) || text.isEmpty())
            *warnings << QStringLiteral("%1: %2 \"%3\" is not a known value; exported as "
                                        "the radio would store it")
                             .arg(channelName(n), QLatin1String(flagNames[k]), text);
    }
    const std::array<bool, 4> set{channel.power == Power::High,
                                  channel.bandWidth == BandWidth::Wide, channel.scanned,
                                  !channel.busyLock};
    f[Power] = set[0] ? HighPower : LowPower;
    f[Mode] = set[1] ? QStringLiteral("FM") : QStringLiteral("NFM");
    f[Skip] = set[2] ? QString() : QStringLiteral("S");
    f[BusyLock] = set[3] ? QStringLiteral("OFF") : QStringLiteral("ON");
    f[TStep] = stepText(data.settings);
    return f;
}

// ---- Import: reading CSV ---------------------------------------------------

struct Record
{
    int line = 0;
    QStringList fields;
    bool unterminated = false;
};

// Splits the text into records. Lines starting with '#' and empty lines
// give none.
QList<Record> readRecords(const QString &text, QChar separator)
{
    QList<Record> records;
    const qsizetype size = text.size();
    qsizetype i = 0;
    int line = 1;
    const auto atLineEnd = [&](qsizetype at) {
        return at >= size || text[at] == QLatin1Char('\n') || text[at] == QLatin1Char('\r');
    };
    // Steps over one line end (CR LF, LF or CR).
    const auto skipLineEnd = [&]() {
        if (i < size && text[i] == QLatin1Char('\r'))
            ++i;
        if (i < size && text[i] == QLatin1Char('\n'))
            ++i;
        ++line;
    };
    while (i < size) {
        if (text[i] == QLatin1Char('#') || atLineEnd(i)) {
            while (!atLineEnd(i))
                ++i;
            skipLineEnd();
            continue;
        }
        Record record;
        record.line = line;
        QString field;
        bool inQuotes = false;
        while (i < size) {
            const QChar c = text[i];
            if (inQuotes) {
                if (c == QLatin1Char('"')) {
                    if (i + 1 < size && text[i + 1] == QLatin1Char('"')) {
                        field += c;
                        i += 2;
                    } else {
                        inQuotes = false;
                        ++i;
                    }
                } else if (c == QLatin1Char('\r') || c == QLatin1Char('\n')) {
                    skipLineEnd();
                    field += QLatin1Char('\n');
                } else {
                    field += c;
                    ++i;
                }
            } else if (c == QLatin1Char('"') && field.isEmpty()) {
                inQuotes = true;
                ++i;
            } else if (c == separator) {
                record.fields << field;
                field.clear();
                ++i;
            } else if (c == QLatin1Char('\r') || c == QLatin1Char('\n')) {
                break;
            } else {
                field += c;
                ++i;
            }
        }
        record.fields << field;
        record.unterminated = inQuotes;
        if (i < size)
            skipLineEnd();
        records << record;
    }
    return records;
}

// ---- Import: one row ---------------------------------------------------------

struct ParsedRow
{
    int line = 0;
    int location = -1; // -1: none given
    QString locationText;
    Channel channel;
    QStringList notes; // warnings without the line prefix
};

// Signals a row that cannot be placed, with the reason.
struct RowError
{
    QString reason;
};

class RowReader
{
public:
    RowReader(const std::array<int, ColumnCount> &columns, const Record &record)
        : m_columns(columns), m_record(record)
    {}

    bool has(Column c) const { return m_columns[c] >= 0; }
    QString get(Column c) const
    {
        return has(c) ? m_record.fields.value(m_columns[c]).trimmed() : QString();
    }

private:
    const std::array<int, ColumnCount> &m_columns;
    const Record &m_record;
};

[[noreturn]] void reject(const QString &reason)
{
    throw RowError{reason};
}

// A frequency moved onto the raster as the editor moves a typed one; a
// note says what it was when it moved.
qint64 onRaster(qint64 units, const QString &what, const QString &given, QStringList *notes)
{
    if (units < LowestFrequency || units > HighestFrequency)
        reject(QStringLiteral("%1 %2 MHz is outside 100–550 MHz").arg(what, given));
    const qint64 normalised = normaliseFrequency(double(units) / FrequencyUnitsPerMHz);
    if (normalised != units)
        *notes << QStringLiteral("%1 %2 MHz moved onto the channel raster: %3")
                      .arg(what, formatMegahertz(units), frequencyCellText(normalised));
    return normalised;
}

SubAudio ctcss(const RowReader &row, Column c, const char *name)
{
    const QString text = row.get(c);
    bool ok = false;
    const double hz = text.toDouble(&ok);
    const QString tone = ok ? QString::number(std::round(hz * 10) / 10, 'f', 1) : QString();
    if (!ok || !ToneCodes::ctcssTones().contains(tone))
        reject(
            text.isEmpty()
                ? QStringLiteral("%1 is empty").arg(QLatin1String(name))
                : QStringLiteral("%1 %2 is not in the tone list").arg(QLatin1String(name), text));
    return SubAudio::tone(int(std::lround(hz * 10)));
}

// A code of the code list with its polarity ('N' normal, 'R' inverted).
SubAudio dcs(const RowReader &row, Column c, const char *name, QChar polarity)
{
    static const QRegularExpression digits(QStringLiteral("^[0-9]{1,3}$"));
    const QString text = row.get(c);
    const QString code = text.rightJustified(3, QLatin1Char('0'));
    if (!digits.match(text).hasMatch() || !ToneCodes::dcsCodes().contains(code))
        reject(
            text.isEmpty()
                ? QStringLiteral("%1 is empty").arg(QLatin1String(name))
                : QStringLiteral("%1 %2 is not in the code list").arg(QLatin1String(name), text));
    return SubAudio::code(code.toInt(nullptr, 8), polarity == QLatin1Char('R')
                                                      ? SubAudio::Polarity::Inverted
                                                      : SubAudio::Polarity::Normal);
}

// Transmit and receive sub-audio of a row.
std::pair<SubAudio, SubAudio> subAudio(const RowReader &row)
{
    const QString mode = row.get(Tone);
    if (mode.isEmpty())
        return {};

    QString polarity = row.get(DtcsPolarity).toUpper();
    if (polarity.isEmpty())
        polarity = DefaultPolarity;
    static const QRegularExpression polarityPattern(QStringLiteral("^[NR]{2}$"));
    const auto checkPolarity = [&]() {
        if (!polarityPattern.match(polarity).hasMatch())
            reject(QStringLiteral("DtcsPolarity \"%1\" is not NN, NR, RN or RR")
                       .arg(row.get(DtcsPolarity)));
    };
    const auto txCode = [&]() {
        checkPolarity();
        return dcs(row, DtcsCode, "DtcsCode", polarity.at(0));
    };
    // Older layouts have no RxDtcsCode: the one code serves both ways.
    const auto rxCode = [&]() {
        checkPolarity();
        const bool own = row.has(RxDtcsCode) && !row.get(RxDtcsCode).isEmpty();
        return own ? dcs(row, RxDtcsCode, "RxDtcsCode", polarity.at(1))
                   : dcs(row, DtcsCode, "DtcsCode", polarity.at(1));
    };

    if (mode.compare(QLatin1String("Tone"), Qt::CaseInsensitive) == 0)
        return {ctcss(row, rToneFreq, "rToneFreq"), SubAudio::off()};
    if (mode.compare(QLatin1String("TSQL"), Qt::CaseInsensitive) == 0) {
        const SubAudio tone = ctcss(row, cToneFreq, "cToneFreq");
        return {tone, tone};
    }
    if (mode.compare(QLatin1String("DTCS"), Qt::CaseInsensitive) == 0) {
        const SubAudio tx = txCode();
        return {tx, dcs(row, DtcsCode, "DtcsCode", polarity.at(1))};
    }
    if (mode.compare(QLatin1String("Cross"), Qt::CaseInsensitive) != 0)
        reject(
            QStringLiteral("Tone \"%1\" is not a tone mode (Tone, TSQL, DTCS or Cross)").arg(mode));

    const QString cross = row.get(CrossMode).isEmpty() ? DefaultCrossMode : row.get(CrossMode);
    if (cross == QLatin1String("Tone->Tone"))
        return {ctcss(row, rToneFreq, "rToneFreq"), ctcss(row, cToneFreq, "cToneFreq")};
    if (cross == QLatin1String("Tone->DTCS"))
        return {ctcss(row, rToneFreq, "rToneFreq"), rxCode()};
    if (cross == QLatin1String("DTCS->Tone"))
        return {txCode(), ctcss(row, cToneFreq, "cToneFreq")};
    if (cross == QLatin1String("->Tone"))
        return {SubAudio::off(), ctcss(row, cToneFreq, "cToneFreq")};
    if (cross == QLatin1String("->DTCS"))
        return {SubAudio::off(), rxCode()};
    if (cross == QLatin1String("DTCS->"))
        return {txCode(), SubAudio::off()};
    if (cross == QLatin1String("DTCS->DTCS")) {
        const SubAudio tx = txCode();
        return {tx, rxCode()};
    }
    reject(QStringLiteral("CrossMode \"%1\" is not understood").arg(cross));
}

bool isHighPower(const QString &text)
{
    if (text.isEmpty() || text.compare(QLatin1String("High"), Qt::CaseInsensitive) == 0 ||
        text.compare(QLatin1String("H"), Qt::CaseInsensitive) == 0)
        return true;
    if (text.compare(QLatin1String("Low"), Qt::CaseInsensitive) == 0 ||
        text.compare(QLatin1String("L"), Qt::CaseInsensitive) == 0)
        return false;
    static const QRegularExpression watts(
        QStringLiteral("^([0-9]+(?:\\.[0-9]*)?|\\.[0-9]+)\\s*W?$"),
        QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch match = watts.match(text);
    if (!match.hasMatch())
        reject(QStringLiteral("Power \"%1\" is not a power (watts, High or Low)").arg(text));
    return match.captured(1).toDouble() >= HighPowerWatts;
}

ParsedRow parseRow(const std::array<int, ColumnCount> &columns, const Record &record)
{
    const RowReader row(columns, record);
    ParsedRow parsed;
    parsed.line = record.line;
    parsed.locationText = row.get(Location);
    bool locationOk = false;
    const int location = parsed.locationText.toInt(&locationOk);
    if (locationOk)
        parsed.location = location;

    const QString frequency = row.get(Frequency);
    if (frequency.isEmpty())
        reject(QStringLiteral("no frequency"));
    const std::optional<qint64> rx = parseMegahertz(frequency);
    if (!rx)
        reject(QStringLiteral("Frequency \"%1\" is not a number").arg(frequency));
    if (*rx == 0)
        reject(QStringLiteral("no frequency"));
    Channel &channel = parsed.channel;
    channel.rxFrequency = onRaster(*rx, QStringLiteral("frequency"), frequency, &parsed.notes);

    const QString duplex = row.get(Duplex).toLower();
    const QString offsetText = row.get(Offset);
    const std::optional<qint64> offset = offsetText.isEmpty() ? 0 : parseMegahertz(offsetText);
    std::optional<qint64> tx;
    if (duplex.isEmpty()) {
        tx = rx;
    } else if (duplex == QLatin1String("off")) {
        tx.reset();
    } else if (duplex == QLatin1String("+") || duplex == QLatin1String("-") ||
               duplex == QLatin1String("split")) {
        if (!offset)
            reject(QStringLiteral("Offset \"%1\" is not a number").arg(offsetText));
        if (duplex == QLatin1String("split"))
            tx = *offset;
        else
            tx = duplex == QLatin1String("+") ? *rx + *offset : *rx - *offset;
    } else {
        reject(
            QStringLiteral("Duplex \"%1\" is not \"\", +, -, split or off").arg(row.get(Duplex)));
    }
    if (tx)
        channel.txFrequency = onRaster(*tx, QStringLiteral("transmit frequency"),
                                       formatMegahertz(*tx), &parsed.notes);

    std::tie(channel.txSubAudio, channel.rxSubAudio) = subAudio(row);

    const QString mode = row.get(Mode).toUpper();
    if (!mode.isEmpty() && mode != QLatin1String("FM") && mode != QLatin1String("NFM"))
        reject(QStringLiteral("Mode %1 cannot be stored (FM or NFM)").arg(row.get(Mode)));
    const QString skip = row.get(Skip).toUpper();
    if (!skip.isEmpty() && skip != QLatin1String("S") && skip != QLatin1String("P"))
        reject(QStringLiteral("Skip \"%1\" is not \"\", S or P").arg(row.get(Skip)));
    const QString busy = row.get(BusyLock).toUpper();
    static const QStringList busyOn{"ON", "YES", "TRUE", "1"};
    static const QStringList busyOff{"", "OFF", "NO", "FALSE", "0"};
    if (!busyOn.contains(busy) && !busyOff.contains(busy))
        reject(QStringLiteral("BusyLock \"%1\" is not ON or OFF").arg(row.get(BusyLock)));

    channel.power = isHighPower(row.get(Power)) ? Power::High : Power::Low;
    channel.bandWidth = mode == QLatin1String("NFM") ? BandWidth::Narrow : BandWidth::Wide;
    channel.scanned = skip != QLatin1String("S");
    channel.busyLock = busyOn.contains(busy);
    return parsed;
}

} // namespace

const QStringList &csvColumns()
{
    static const QStringList columns{
        "Location",  "Name",      "Frequency", "Duplex",       "Offset",     "Tone",
        "rToneFreq", "cToneFreq", "DtcsCode",  "DtcsPolarity", "RxDtcsCode", "CrossMode",
        "Mode",      "TStep",     "Skip",      "Power",        "Comment",    "URCALL",
        "RPT1CALL",  "RPT2CALL",  "DVCODE",    "BusyLock"};
    return columns;
}

QByteArray channelCsvBytes(const RadioData &data, CsvExportResult *result)
{
    QList<int> rows;
    for (int n = 1; n <= ChannelTable::ChannelCount; ++n)
        rows << n;
    return channelCsvBytes(data, rows, QLatin1Char(','), result);
}

QByteArray channelCsvBytes(const RadioData &data, const QList<int> &rows, QChar separator,
                           CsvExportResult *result)
{
    CsvExportResult local;
    CsvExportResult &r = result ? *result : local;
    r.exported = 0;
    QString text = csvColumns().join(separator) + QStringLiteral("\r\n");
    for (int n : rows) {
        if (data.table.cell(ChannelTable::ColRxFreq, n).isEmpty())
            continue;
        const std::optional<QStringList> fields = exportRow(data, n, &r.warnings);
        if (!fields)
            continue;
        QStringList quoted;
        for (const QString &field : *fields)
            quoted << csvField(field, separator);
        text += quoted.join(separator) + QStringLiteral("\r\n");
        ++r.exported;
    }
    return text.toUtf8();
}

CsvExportResult exportChannelCsv(const QString &path, const RadioData &data)
{
    CsvExportResult result;
    const QByteArray bytes = channelCsvBytes(data, &result);
    result.ok = writeFileAtomically(path, bytes, &result.message);
    return result;
}

namespace {

// The rows of a CSV text that can be placed, in file order, and the rows
// skipped. A text whose first line names no Frequency column is refused
// when requireHeader; otherwise its lines are rows in the column order of
// csvColumns().
struct ParsedText
{
    QList<ParsedRow> rows;
    QList<CsvSkippedRow> skipped;
    QString message; // why the text is not a channel list; empty when it is
};

ParsedText parseCsvText(const QByteArray &bytes, QChar separator, bool requireHeader)
{
    ParsedText parsed;
    QString text = QString::fromUtf8(bytes);
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    QList<Record> records = readRecords(text, separator);

    // The header: the first record; blank records before it were dropped.
    if (records.isEmpty()) {
        parsed.message = QStringLiteral("The file holds no header line");
        return parsed;
    }
    std::array<int, ColumnCount> columns;
    columns.fill(-1);
    const Record &header = records.first();
    for (int k = 0; k < header.fields.size(); ++k) {
        const QString name = header.fields.at(k).trimmed();
        for (int c = 0; c < ColumnCount; ++c)
            if (columns[c] < 0 && name.compare(csvColumns().at(c), Qt::CaseInsensitive) == 0)
                columns[c] = k;
    }
    if (columns[Frequency] < 0) {
        if (requireHeader) {
            parsed.message = QStringLiteral("Not a channel list: the header (line %1) has no "
                                            "Frequency column")
                                 .arg(header.line);
            return parsed;
        }
        // Rows in our own column order, the first one a channel too.
        for (int c = 0; c < ColumnCount; ++c)
            columns[c] = c;
        records.prepend(Record());
    }

    for (qsizetype k = 1; k < records.size(); ++k) {
        const Record &record = records.at(k);
        const bool blank = std::all_of(record.fields.cbegin(), record.fields.cend(),
                                       [](const QString &f) { return f.trimmed().isEmpty(); });
        if (blank && !record.unterminated)
            continue;
        if (record.unterminated) {
            parsed.skipped << CsvSkippedRow{record.line,
                                            QStringLiteral("a quoted field is not closed")};
            continue;
        }
        try {
            parsed.rows << parseRow(columns, record);
        } catch (const RowError &error) {
            parsed.skipped << CsvSkippedRow{record.line, error.reason};
        }
    }
    return parsed;
}

void sortReport(CsvImportReport &report, std::vector<std::pair<int, QString>> &warnings)
{
    std::stable_sort(warnings.begin(), warnings.end(),
                     [](const auto &a, const auto &b) { return a.first < b.first; });
    for (const auto &[line, text] : warnings)
        report.warnings << QStringLiteral("line %1: %2").arg(line).arg(text);
    std::stable_sort(
        report.skipped.begin(), report.skipped.end(),
        [](const CsvSkippedRow &a, const CsvSkippedRow &b) { return a.line < b.line; });
}

} // namespace

CsvImportReport importChannelCsv(const QByteArray &bytes, ChannelTable &table)
{
    CsvImportReport report;
    ParsedText parsed = parseCsvText(bytes, QLatin1Char(','), true);
    if (!parsed.message.isEmpty()) {
        report.message = parsed.message;
        return report;
    }
    const QList<ParsedRow> &rows = parsed.rows;
    report.skipped = parsed.skipped;
    std::vector<std::pair<int, QString>> warnings;

    // Rows with their own channel first, then the others into the lowest
    // free channels in file order.
    std::array<int, ChannelTable::ChannelCount + 1> takenBy{}; // line that took each channel
    std::array<const ParsedRow *, ChannelTable::ChannelCount + 1> placed{};
    QList<std::pair<const ParsedRow *, QString>> later; // row, why it was moved
    for (const ParsedRow &row : std::as_const(rows)) {
        const int n = row.location;
        if (n >= 1 && n <= ChannelTable::ChannelCount && !placed[n]) {
            placed[n] = &row;
            takenBy[n] = row.line;
        } else if (row.locationText.isEmpty()) {
            later.append({&row, QString()});
        } else if (n >= 1 && n <= ChannelTable::ChannelCount) {
            later.append(
                {&row, QStringLiteral("Location %1 is taken by line %2").arg(n).arg(takenBy[n])});
        } else {
            later.append({&row, QStringLiteral("Location %1 is no channel (1–%2)")
                                    .arg(row.locationText)
                                    .arg(ChannelTable::ChannelCount)});
        }
    }
    int free = 1;
    for (const auto &[row, why] : std::as_const(later)) {
        while (free <= ChannelTable::ChannelCount && placed[free])
            ++free;
        if (free > ChannelTable::ChannelCount) {
            report.skipped << CsvSkippedRow{row->line,
                                            QStringLiteral("no free channel left (all %1 are "
                                                           "taken)")
                                                .arg(ChannelTable::ChannelCount)};
            continue;
        }
        placed[free] = row;
        if (!why.isEmpty())
            warnings.emplace_back(
                row->line,
                QStringLiteral("%1; placed in channel %2").arg(why).arg(channelLabel(free)));
    }

    table.clearAll();
    for (int n = 1; n <= ChannelTable::ChannelCount; ++n) {
        if (!placed[n])
            continue;
        table.setChannel(n, placed[n]->channel);
        ++report.imported;
        for (const QString &note : placed[n]->notes)
            warnings.emplace_back(placed[n]->line, note);
    }

    sortReport(report, warnings);
    report.ok = true;
    return report;
}

CsvImportReport pasteChannelCsv(const QByteArray &bytes, ChannelTable &table, int firstRow)
{
    CsvImportReport report;
    // A spreadsheet gives tab-separated text; our own copies are CSV.
    const int newline = bytes.indexOf('\n');
    const QChar separator = bytes.left(newline < 0 ? bytes.size() : newline).contains('\t')
                                ? QLatin1Char('\t')
                                : QLatin1Char(',');
    ParsedText parsed = parseCsvText(bytes, separator, false);
    report.skipped = parsed.skipped;
    std::vector<std::pair<int, QString>> warnings;
    int n = qMax(1, firstRow);
    for (const ParsedRow &row : std::as_const(parsed.rows)) {
        if (n > ChannelTable::ChannelCount) {
            report.skipped << CsvSkippedRow{row.line,
                                            QStringLiteral("no channel left below channel %1")
                                                .arg(channelLabel(ChannelTable::ChannelCount))};
            continue;
        }
        table.setChannel(n++, row.channel);
        ++report.imported;
        for (const QString &note : row.notes)
            warnings.emplace_back(row.line, note);
    }
    sortReport(report, warnings);
    report.ok = true;
    return report;
}

CsvImportReport importChannelCsvFile(const QString &path, ChannelTable &table)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        CsvImportReport report;
        report.message = file.errorString();
        return report;
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        CsvImportReport report;
        report.message = file.errorString();
        return report;
    }
    return importChannelCsv(bytes, table);
}
