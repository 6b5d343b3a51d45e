#include "radio/readbackverify.h"

#include "model/radiodata.h"
#include "radio/memorycodec.h"
#include "radio/memoryimage.h"
#include "radio/seriallink.h"

#include <array>

namespace {

constexpr int BlockSize = 8;

// The bits of each byte the radio is read for.
constexpr std::array<quint8, 16> ChannelMask{0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF,
                                             0xFF, 0xFF, 0xFF, 0xFF, 0x0F, 0x00, 0x00, 0x00};
constexpr std::array<quint8, 8> SettingsMask{0xFF, 0x0F, 0x0F, 0x0F, 0x3F, 0x0F, 0x0F, 0x0F};
constexpr std::array<quint8, 8> IdentMask{0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF};

const char *const ColumnNames[9] = {"",
                                    "receive frequency",
                                    "receive sub-audio",
                                    "transmit frequency",
                                    "transmit sub-audio",
                                    "power",
                                    "band width",
                                    "scan",
                                    "busy lock"};

QString channelName(int n)
{
    return QStringLiteral("Channel ") + channelLabel(n);
}

QString hexByte(quint8 value)
{
    return QStringLiteral("%1").arg(value, 2, 16, QLatin1Char('0')).toUpper();
}

QString shown(const QString &text)
{
    return text.isEmpty() ? QStringLiteral("(empty)") : text;
}

template <std::size_t N>
bool sameBits(const QByteArray &a, const QByteArray &b, int address,
              const std::array<quint8, N> &mask)
{
    for (std::size_t k = 0; k < N; ++k) {
        const int at = address + int(k);
        if ((quint8(a.at(at)) ^ quint8(b.at(at))) & mask[k])
            return false;
    }
    return true;
}

// "<what> byte k (0xADDR): stored XX, radio holds YY" for every byte whose
// counted bits differ.
template <std::size_t N>
QStringList byteDifferences(const QString &what, const QByteArray &expected,
                            const QByteArray &actual, int address,
                            const std::array<quint8, N> &mask)
{
    QStringList lines;
    for (std::size_t k = 0; k < N; ++k) {
        const int at = address + int(k);
        const quint8 e = quint8(expected.at(at));
        const quint8 a = quint8(actual.at(at));
        if ((e ^ a) & mask[k])
            lines << QStringLiteral("%1 byte %2 (0x%3): stored %4, radio holds %5")
                         .arg(what)
                         .arg(k)
                         .arg(QStringLiteral("%1").arg(at, 4, 16, QLatin1Char('0')).toUpper(),
                              hexByte(e), hexByte(a));
    }
    return lines;
}

// A table and settings that decode in the language of `written`.
void takeLanguage(RadioData &scratch, const RadioData &written)
{
    scratch.table.setValueTexts(written.table.valueTexts());
    scratch.table.setToneOffText(written.table.toneList().value(0));
    for (Setting s : allSettings())
        scratch.settings.setChoices(s, written.settings.choices(s));
}

// Whether column `col` (1-8) shows the same value for both channels. An
// empty channel shows none: against a channel with values, every column
// differs but a transmit frequency that neither has.
bool sameValue(const Channel &a, const Channel &b, int col)
{
    if (a.isEmpty() || b.isEmpty())
        return a.isEmpty() == b.isEmpty() ||
               (col == ChannelTable::ColTxFreq && !a.txFrequency && !b.txFrequency);
    switch (col) {
    case ChannelTable::ColRxFreq:
        return a.rxFrequency == b.rxFrequency;
    case ChannelTable::ColRxTone:
        return a.rxSubAudio == b.rxSubAudio;
    case ChannelTable::ColTxFreq:
        return a.txFrequency == b.txFrequency;
    case ChannelTable::ColTxTone:
        return a.txSubAudio == b.txSubAudio;
    case ChannelTable::ColPower:
        return a.power == b.power;
    case ChannelTable::ColBandWidth:
        return a.bandWidth == b.bandWidth;
    case ChannelTable::ColScan:
        return a.scanned == b.scanned;
    case ChannelTable::ColBusyLock:
        return a.busyLock == b.busyLock;
    }
    return true;
}

QStringList channelDifferences(const RadioData &written, const QByteArray &expected,
                               const QByteArray &actual, int n)
{
    const int address = MemoryCodec::channelAddress(n);
    if (sameBits(expected, actual, address, ChannelMask))
        return {};

    const std::optional<Channel> stored =
        MemoryCodec::decodeChannel(MemoryImage::blockReply(expected, address),
                                   MemoryImage::blockReply(expected, address + BlockSize));
    const std::optional<Channel> held =
        MemoryCodec::decodeChannel(MemoryImage::blockReply(actual, address),
                                   MemoryImage::blockReply(actual, address + BlockSize));
    QStringList lines;
    if (stored && held) {
        // The values in the texts the table would show them in.
        const ValueTexts texts = textsForFilling(written.table.valueTexts());
        const ChannelCells storedCells = formatChannelCells(*stored, texts);
        const ChannelCells heldCells = formatChannelCells(*held, texts);
        for (int col = ChannelTable::ColRxFreq; col <= ChannelTable::ColBusyLock; ++col) {
            if (!sameValue(*stored, *held, col))
                lines << QStringLiteral("%1 %2: stored %3, radio holds %4")
                             .arg(channelName(n), QLatin1String(ColumnNames[col]),
                                  shown(storedCells[col - 1]), shown(heldCells[col - 1]));
        }
    }
    // Bytes that differ without showing in the values (an empty channel's
    // other fields) or that cannot be decoded are named byte by byte.
    if (lines.isEmpty())
        lines = byteDifferences(channelName(n), expected, actual, address, ChannelMask);
    return lines;
}

QStringList settingsDifferences(const RadioData &written, const QByteArray &expected,
                                const QByteArray &actual)
{
    const int address = MemoryCodec::SettingsBlockAddress;
    if (sameBits(expected, actual, address, SettingsMask))
        return {};
    RadioData stored;
    RadioData held;
    takeLanguage(stored, written);
    takeLanguage(held, written);
    MemoryCodec::decodeSettingsBlock(stored.settings, MemoryImage::blockReply(expected, address));
    MemoryCodec::decodeSettingsBlock(held.settings, MemoryImage::blockReply(actual, address));
    QStringList lines;
    for (Setting s : allSettings()) {
        if (stored.settings.index(s) != held.settings.index(s))
            lines << QStringLiteral("Setting %1: stored %2, radio holds %3")
                         .arg(settingInfo(s).name, shown(stored.settings.shownText(s)),
                              shown(held.settings.shownText(s)));
    }
    if (lines.isEmpty())
        lines = byteDifferences(QStringLiteral("Settings block"), expected, actual, address,
                                SettingsMask);
    return lines;
}

} // namespace

QStringList readBackDifferences(const RadioData &written, const QByteArray &readBack,
                                bool settingsRead, bool identRead)
{
    const QByteArray expected = MemoryImage::encodeImage(written);
    QByteArray actual = readBack.left(MemoryImage::ImageSize);
    if (actual.size() < MemoryImage::ImageSize)
        actual.append(QByteArray(MemoryImage::ImageSize - actual.size(), char(0xFF)));

    QStringList lines;
    for (int n = 1; n <= ChannelTable::ChannelCount; ++n)
        lines << channelDifferences(written, expected, actual, n);
    if (settingsRead)
        lines << settingsDifferences(written, expected, actual);
    else
        lines << QStringLiteral("Settings block: the radio did not return it");
    if (identRead)
        lines << byteDifferences(QStringLiteral("Identification block"), expected, actual,
                                 MemoryCodec::IdentBlockAddress, IdentMask);
    else
        lines << QStringLiteral("Identification block: the radio did not return it");
    return lines;
}

ReadBackVerify::ReadBackVerify(SerialLink &link, QObject *parent) : QObject(parent), m_link(link) {}

ReadBackVerify::~ReadBackVerify() = default;

VerifyReport ReadBackVerify::run(const RadioData &written)
{
    VerifyReport report;
    if (m_running) {
        report.readResult.mode = TransferMode::Read;
        report.readResult.outcome = ProgrammingResult::Outcome::Busy;
        report.message = QStringLiteral("A read-back is already in progress");
        return report;
    }
    m_running = true;

    RadioData scratch;
    takeLanguage(scratch, written);
    ProgrammingRun read(m_link, scratch);
    connect(&read, &ProgrammingRun::progress, this, &ReadBackVerify::progress);
    report.readResult = read.run(TransferMode::Read);
    report.readBack = read.image();

    if (report.readResult.outcome != ProgrammingResult::Outcome::Done) {
        report.outcome = VerifyReport::Outcome::ReadFailed;
        report.message =
            QStringLiteral("The radio could not be read back: %1").arg(report.readResult.message);
    } else {
        report.differences = readBackDifferences(
            written, report.readBack, report.readResult.settingsDone, report.readResult.identRead);
        if (report.differences.isEmpty()) {
            report.outcome = VerifyReport::Outcome::Verified;
            report.message = QStringLiteral("Read back: the radio holds what was written");
        } else {
            report.outcome = VerifyReport::Outcome::Differs;
            report.message = QStringLiteral("Read back: %1 difference(s) between what was "
                                            "written and what the radio holds")
                                 .arg(report.differences.size());
        }
    }
    m_running = false;
    emit finished(report);
    return report;
}
