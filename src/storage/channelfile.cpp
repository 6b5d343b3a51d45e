#include "storage/channelfile.h"

#include "model/converterror.h"
#include "model/productnames.h"
#include "model/radiodata.h"
#include "storage/atomicwrite.h"
#include "storage/gbk.h"

#include <QFile>
#include <QFileInfo>

#include <array>

namespace {

const char FirstLine[] = "TR-207 MEMORY CHANNEL";
const char BandPrefix[] = "BAND ";
const char Separator[] = " | ";
const char LineEnd[] = "\r\n";

constexpr int BandLine = 4;
constexpr int FirstSettingLine = 5;
constexpr int FirstChannelLine = 27;
// Where a band text starts on line 4 (0-based) and how many bytes it has.
constexpr int BandTextStart = 5;
constexpr int BandTextLength = 10;
// The receive frequency starts at the 9th byte of a channel line, after
// "CH001 | ".
constexpr int ChannelTextStart = 8;
// No line of a channel file comes near this; it keeps a file of another kind
// from being read into memory whole as one "line".
constexpr qint64 MaxLineLength = 1 << 20;
constexpr qint64 LinePiece = 256;

// The byte position (1-based) of each setting's digit on lines 5-24, in the
// canonical order: right after the name and its blank.
constexpr std::array<int, SettingCount> DigitPositions = {
    5,  // APO
    6,  // BEEP
    9,  // BatSave
    10, // scankind
    6,  // Ring
    10, // Scramble
    8,  // VFO/MR
    16, // MR freq./MR CH
    9,  // Squelch
    12, // VoxControl
    9,  // TxT.O.T
    11, // keyswitch
    12, // Switch.U.P
    10, // DownFreq
    11, // BroadBand
    12, // SpreadFreq
    6,  // band
    11, // Freq.Step
    9,  // Txlight
    9,  // Rxlight
};

QString unavailableMessage()
{
    return QStringLiteral("The GBK text encoding is not available");
}

// Builds the file's lines and collects what will not open unchanged.
class Writer
{
public:
    explicit Writer(QStringList *warnings) : m_warnings(warnings) {}

    void line(const QByteArray &bytes)
    {
        m_bytes += bytes;
        m_bytes += LineEnd;
    }

    // A text as the file holds it; where names the place for a warning.
    QByteArray text(QString text, const QString &where, bool isCell = false)
    {
        if (text.contains(QLatin1Char('\r')) || text.contains(QLatin1Char('\n'))) {
            // A line break would shift every later line to the wrong place.
            text.replace(QLatin1Char('\r'), QLatin1Char(' '));
            text.replace(QLatin1Char('\n'), QLatin1Char(' '));
            warn(QStringLiteral("%1: line break written as a blank").arg(where));
        } else if (isCell && text.contains(QLatin1Char(' '))) {
            warn(QStringLiteral("%1: the text holds a blank and will open cut at it").arg(where));
        }
        bool lossless = true;
        QByteArray bytes = toGbk(text, &lossless);
        if (!lossless)
            warn(QStringLiteral("%1: characters GBK cannot hold written as '?'").arg(where));
        return bytes;
    }

    QByteArray bytes() const { return m_bytes; }

private:
    void warn(const QString &warning)
    {
        if (m_warnings)
            m_warnings->append(warning);
    }

    QByteArray m_bytes;
    QStringList *m_warnings;
};

// Lines of a device with their CR LF or LF taken off.
class LineReader
{
public:
    explicit LineReader(QIODevice &device) : m_device(device) {}

    enum Status { Line, End, Failed };

    // Reads the next line into *line. End at the end of the file; Failed
    // when the device reports an error or a line is absurdly long (message()
    // says which).
    Status next(QByteArray *line)
    {
        ++m_lineNumber;
        if (m_device.atEnd()) {
            line->clear();
            return End;
        }
        // readLine(maxSize) would allocate maxSize bytes for every line; a
        // line is read in small pieces up to the limit instead.
        QByteArray bytes;
        while (bytes.size() < MaxLineLength && !bytes.endsWith('\n')) {
            const QByteArray piece =
                m_device.readLine(qMin<qint64>(LinePiece, MaxLineLength + 1 - bytes.size()));
            if (piece.isEmpty())
                break;
            bytes += piece;
        }
        if (bytes.isEmpty()) {
            m_message = m_device.errorString();
            return Failed;
        }
        if (bytes.endsWith('\n')) {
            bytes.chop(1);
            if (bytes.endsWith('\r'))
                bytes.chop(1);
        } else if (bytes.size() >= MaxLineLength && !m_device.atEnd()) {
            m_message = QStringLiteral("Line %1 is too long for a channel file").arg(m_lineNumber);
            return Failed;
        }
        *line = bytes;
        return Line;
    }

    QString message() const { return m_message; }

private:
    QIODevice &m_device;
    int m_lineNumber = 0;
    QString m_message;
};

// The character starting at byte pos, as the conversion error names it: a
// GBK lead byte with its second byte, otherwise the single byte.
QString characterAt(const QByteArray &line, int pos)
{
    const auto lead = static_cast<unsigned char>(line.at(pos));
    const bool pair = lead >= 0x81 && lead <= 0xFE && pos + 1 < line.size();
    return fromGbk(QByteArrayView(line).sliced(pos, pair ? 2 : 1));
}

// Splits the text of a channel line (from its 9th byte to its last-but-one)
// into the eight cells.
std::array<QString, 8> splitChannelText(QByteArrayView rest)
{
    std::array<QString, 8> cells;
    for (QString &cell : cells) {
        const qsizetype blank = rest.indexOf(' ');
        if (blank < 0) {
            // No separator left: the cell takes what remains.
            cell = fromGbk(rest);
            rest = {};
            continue;
        }
        cell = fromGbk(rest.first(blank));
        // The blank and the rest of the " | " separator.
        rest = rest.sliced(qMin(rest.size(), blank + 3));
    }
    return cells;
}

ChannelFileResult failure(ChannelFileResult result, const QString &message)
{
    result.ok = false;
    result.message = message;
    return result;
}

} // namespace

QString channelFileCaption(const QString &bandText)
{
    return ProductNames::ChannelFile + QStringLiteral("    [") + bandText + QLatin1Char(']');
}

QString withChannelFileExtension(const QString &fileName)
{
    if (QFileInfo(fileName).suffix().isEmpty() && !fileName.endsWith(QLatin1Char('.')))
        return fileName + QStringLiteral(".r07");
    return fileName;
}

QByteArray channelFileBytes(const RadioData &data, QStringList *warnings)
{
    Writer writer(warnings);
    writer.line(FirstLine);
    writer.line({});
    writer.line({});
    writer.line(BandPrefix + writer.text(data.bands.list1_rx.chosenText(), QStringLiteral("Band")));

    for (Setting s : allSettings()) {
        const QString name = settingInfo(s).name;
        int index = data.settings.index(s);
        QString shown = data.settings.shownText(s);
        // Every index is one digit; the reader relies on that position. A
        // setting with no choice selected (its list replaced by a shorter
        // one) is written with its default rather than as "-1".
        if (index < 0 || index > 9) {
            index = settingInfo(s).defaultIndex;
            shown = data.settings.choices(s).value(index);
            if (warnings)
                warnings->append(QStringLiteral("%1: no choice selected; its default %2 written")
                                     .arg(name)
                                     .arg(index));
        }
        writer.line(name.toLatin1() + ' ' + QByteArray::number(index) + ' ' +
                    writer.text(shown, name));
    }
    writer.line({});
    writer.line({});

    const ChannelTable &table = data.table;
    for (int row = 1; row <= ChannelTable::ChannelCount; ++row) {
        QByteArray line = "CH" + table.cell(ChannelTable::ColNumber, row).toLatin1();
        for (int col = ChannelTable::ColRxFreq; col <= ChannelTable::ColBusyLock; ++col) {
            line += Separator;
            line += writer.text(table.cell(col, row),
                                QStringLiteral("Channel %1, column %2")
                                    .arg(table.cell(ChannelTable::ColNumber, row))
                                    .arg(col),
                                true);
        }
        line += Separator;
        writer.line(line);
    }
    return writer.bytes();
}

ChannelFileResult saveChannelFile(const QString &path, const RadioData &data)
{
    ChannelFileResult result;
    if (!gbkAvailable())
        return failure(result, unavailableMessage());
    const QByteArray bytes = channelFileBytes(data, &result.warnings);

    QString error;
    if (!writeFileAtomically(path, bytes, &error))
        return failure(result, error);
    result.ok = true;
    return result;
}

ChannelFileResult readChannelFile(QIODevice &device, RadioData &data)
{
    ChannelFileResult result;
    if (!gbkAvailable())
        return failure(result, unavailableMessage());

    LineReader reader(device);
    QByteArray line;
    // A missing line reads as an empty one; only a device error stops.
    auto readLine = [&]() { return reader.next(&line) != LineReader::Failed; };

    for (int n = 1; n < BandLine; ++n)
        if (!readLine())
            return failure(result, reader.message());

    if (!readLine())
        return failure(result, reader.message());
    BandRangeList &bands = data.bands.list1_rx;
    const QString bandText = fromGbk(line.mid(BandTextStart, BandTextLength));
    int chosen = bands.entries().indexOf(bandText);
    if (chosen < 0)
        chosen = bands.append(bandText);
    bands.choose(chosen);
    result.bandChosen = true;

    for (Setting s : allSettings()) {
        if (!readLine())
            return failure(result, reader.message());
        const int pos = DigitPositions[static_cast<int>(s)] - 1;
        const char digit = pos < line.size() ? line.at(pos) : '\0';
        if (digit < '0' || digit > '9') {
            const QString found = pos < line.size() ? characterAt(line, pos) : QString();
            return failure(result, ConvertError::integerValue(found).message());
        }
        const int index = digit - '0';
        if (!data.settings.setIndex(s, index)) {
            result.warnings.append(QStringLiteral("Line %1: %2 has no choice %3; it keeps %4")
                                       .arg(FirstSettingLine + static_cast<int>(s))
                                       .arg(settingInfo(s).name)
                                       .arg(index)
                                       .arg(data.settings.index(s)));
        }
    }

    for (int n = FirstSettingLine + SettingCount; n < FirstChannelLine; ++n)
        if (!readLine())
            return failure(result, reader.message());

    ChannelTable &table = data.table;
    table.clearAll();
    for (int row = 1; row <= ChannelTable::ChannelCount; ++row) {
        const LineReader::Status status = reader.next(&line);
        if (status == LineReader::Failed)
            return failure(result, reader.message());
        if (status == LineReader::End)
            break;
        if (line.size() <= ChannelTextStart || line.at(ChannelTextStart) == ' ')
            continue;
        // The last byte is the blank that ends every channel line.
        const QByteArrayView text =
            QByteArrayView(line).sliced(ChannelTextStart, line.size() - ChannelTextStart - 1);
        table.setRowData(row, splitChannelText(text));
    }
    result.ok = true;
    return result;
}

ChannelFileResult openChannelFile(const QString &path, RadioData &data)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return failure(ChannelFileResult{}, file.errorString());
    return readChannelFile(file, data);
}
