// Soak test, run on demand (not in CI): many programming runs, alternately
// read and write, against a virtual radio that injects random faults, over
// the real serial link on a pseudo-terminal.
//
//   qb380-soak [--runs N] [--seed S] [--bound SECONDS] [--verbose]
//
// Faults are drawn from a seeded generator, so a seed repeats its runs;
// about a third of the runs have none. Among the faults is the port
// vanishing in the middle of a run (the radio's end of the line closed).
//
// After every run it checks that
// - the run ended, within the bound (a watchdog ends the program if a run
//   hangs), and within a second of the port vanishing;
// - every row of the table is empty or a channel as the decoder writes it,
//   and every setting index lies within its choices;
// - a read that failed in the channel loop left the rows after the failing
//   channel and the settings as they were, the failing row empty if its
//   first block was requested, and the rows before it as the radio holds
//   them (unless replies were garbled); a complete read without garbled
//   replies left every row as the radio holds it; a write changed nothing
//   in the table, and a complete fault-free write left the radio holding
//   every row;
// - the gauge stayed within its maximum, and stood at it after a complete
//   run;
// - a run printed at most a few warnings (no flood after a lost port);
// and that the resident memory after the last run is not above the one
// after the 100th, give or take a little slack.
//
// Prints a summary; the exit status is 0 when every check held.
#include "model/radiodata.h"
#include "radio/memorycodec.h"
#include "radio/programmingrun.h"
#include "radio/seriallink.h"
#include "residentmemory.h"
#include "sim/virtualradio.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QMap>
#include <QRegularExpression>
#include <QTimer>

#include <array>
#include <csignal>
#include <cstdio>
#include <memory>
#include <random>
#include <unistd.h>

namespace {

using Outcome = ProgrammingResult::Outcome;

// ---- Options -----------------------------------------------------------------

struct Options
{
    int runs = 1000;
    quint32 seed = 380;
    int boundSeconds = 10;
    bool verbose = false;
};

// ---- Watchdog ------------------------------------------------------------------

void onAlarm(int)
{
    // Only async-signal-safe calls here.
    static const char message[] = "soak: a run did not end within its bound (hung)\n";
    [[maybe_unused]] const ssize_t n = ::write(STDERR_FILENO, message, sizeof message - 1);
    ::_exit(3);
}

// ---- Warnings --------------------------------------------------------------------

int g_messages = 0;
QString g_lastMessage;

void countMessage(QtMsgType, const QMessageLogContext &, const QString &message)
{
    ++g_messages;
    g_lastMessage = message;
}

const char *outcomeName(Outcome outcome)
{
    switch (outcome) {
    case Outcome::Done:
        return "done";
    case Outcome::Refused:
        return "refused";
    case Outcome::Busy:
        return "busy";
    case Outcome::PortClosed:
        return "port closed";
    case Outcome::NoIdentification:
        return "no identification";
    case Outcome::CheckFailed:
        return "check failed";
    case Outcome::ShortReply:
        return "short reply";
    case Outcome::LinkLost:
        return "link lost";
    case Outcome::BackupFailed:
        return "backup failed";
    }
    return "?";
}

// ---- Random data -------------------------------------------------------------------

class Dice
{
public:
    explicit Dice(quint32 seed) : m_engine(seed) {}
    int below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(m_engine); }
    bool chance(int percent) { return below(100) < percent; }
    template <typename T> const T &pick(const QList<T> &list)
    {
        return list.at(below(list.size()));
    }

private:
    std::mt19937 m_engine;
};

QString randomFrequency(Dice &dice)
{
    // 400.00000 to 469.99999 MHz, in the 10 Hz steps the radio stores.
    const int tens = 40000000 + dice.below(7000000);
    return QStringLiteral("%1.%2").arg(tens / 100000).arg(tens % 100000, 5, 10, QLatin1Char('0'));
}

std::array<QString, 8> randomChannel(Dice &dice, const ChannelTable &table)
{
    const ValueTexts &t = table.valueTexts();
    const QStringList &tones = table.toneList();
    const QString rx = randomFrequency(dice);
    QString tx;
    if (dice.chance(60))
        tx = rx;
    else if (dice.chance(70))
        tx = randomFrequency(dice);
    return {rx,
            dice.chance(50) ? t.offText : dice.pick(tones),
            tx,
            dice.chance(50) ? t.offText : dice.pick(tones),
            dice.chance(50) ? t.highText : t.lowText,
            dice.chance(50) ? t.wideText : t.narrowText,
            dice.chance(50) ? t.onText : t.offText,
            dice.chance(50) ? t.onText : t.offText};
}

void randomiseSettings(Dice &dice, FunctionSettings &settings)
{
    for (Setting s : allSettings())
        settings.setIndex(s, dice.below(settings.choices(s).size()));
}

// Rows 1-199 of a table as a list, for comparisons.
QList<std::array<QString, 8>> rows(const ChannelTable &table)
{
    QList<std::array<QString, 8>> list;
    for (int row = 1; row <= ChannelTable::ChannelCount; ++row)
        list << table.rowData(row);
    return list;
}

QList<int> indexes(const FunctionSettings &settings)
{
    QList<int> list;
    for (Setting s : allSettings())
        list << settings.index(s);
    return list;
}

// ---- Faults ------------------------------------------------------------------------------

struct Plan
{
    QList<RadioFault> faults;
    // The radio's end of the line closes right after it answered (or
    // stored) the block at this address; -1: it does not.
    int vanishAt = -1;

    bool garbles() const
    {
        for (const RadioFault &f : faults)
            if (f.kind == RadioFault::Garbage)
                return true;
        return false;
    }
    bool none() const { return faults.isEmpty() && vanishAt < 0; }
    QString text() const
    {
        QStringList parts;
        for (const RadioFault &f : faults)
            parts << f.toString();
        if (vanishAt >= 0)
            parts << QStringLiteral("vanish:0x%1").arg(vanishAt, 4, 16, QLatin1Char('0'));
        return parts.isEmpty() ? QStringLiteral("none") : parts.join(QLatin1Char(','));
    }
};

int randomBlockAddress(Dice &dice)
{
    if (dice.chance(85))
        return MemoryCodec::channelAddress(1 + dice.below(199)) + 8 * dice.below(2);
    const QList<int> others{MemoryCodec::SettingsBlockAddress, MemoryCodec::IdentBlockAddress,
                            MemoryCodec::BandOneEdgesAddress, MemoryCodec::BandTwoEdgesAddress};
    return dice.pick(others);
}

RadioFault randomFault(Dice &dice)
{
    RadioFault f;
    switch (dice.below(10)) {
    case 0:
        f.kind = RadioFault::Silent;
        return f;
    case 1:
        f.kind = RadioFault::WrongIdent;
        return f;
    case 2:
        f.kind = RadioFault::IdentExtra;
        return f;
    case 3:
        f.kind = RadioFault::StopAfter;
        break;
    case 4:
        f.kind = RadioFault::Nak;
        break;
    case 5:
        f.kind = RadioFault::Short;
        f.length = dice.below(12);
        break;
    case 6:
        f.kind = RadioFault::Garbage;
        if (dice.chance(20))
            return f; // every reply
        break;
    default:
        f.kind = RadioFault::StoreWrong;
        break;
    }
    f.address = randomBlockAddress(dice);
    return f;
}

Plan randomPlan(Dice &dice)
{
    Plan plan;
    if (dice.chance(35))
        return plan;
    if (dice.chance(8)) {
        plan.vanishAt = randomBlockAddress(dice);
        return plan;
    }
    plan.faults << randomFault(dice);
    if (dice.chance(20))
        plan.faults << randomFault(dice);
    return plan;
}

// ---- Checks --------------------------------------------------------------------------------

// A row as the decoder fills it: a frequency "%.5f" (any value the eight
// digits give), a transmit frequency or none, tones as the decoder writes
// them (its digits as stored), and the four switch texts.
bool isDecodedChannel(const std::array<QString, 8> &row, const ValueTexts &t)
{
    static const QRegularExpression freq(QStringLiteral("^[0-9]{1,3}\\.[0-9]{5}$"));
    // Tones keep whatever digits were stored, hex ones of a garbled reply too.
    static const QRegularExpression tone(
        QStringLiteral("^([0-9A-F]{2,3}\\.[0-9A-F]|D[0-9A-F]{3}[NI])$"));
    const auto isTone = [&](const QString &s) {
        return s == t.offText || tone.match(s).hasMatch();
    };
    const auto either = [](const QString &s, const QString &a, const QString &b) {
        return s == a || s == b;
    };
    return freq.match(row[0]).hasMatch() && isTone(row[1]) &&
           (row[2].isEmpty() || freq.match(row[2]).hasMatch()) && isTone(row[3]) &&
           either(row[4], t.highText, t.lowText) && either(row[5], t.wideText, t.narrowText) &&
           either(row[6], t.onText, t.offText) && either(row[7], t.onText, t.offText);
}

bool isEmptyRow(const std::array<QString, 8> &row)
{
    for (const QString &cell : row)
        if (!cell.isEmpty())
            return false;
    return true;
}

class Soak
{
public:
    explicit Soak(const Options &options) : m_options(options), m_dice(options.seed) {}

    int exec();

private:
    bool setUp();
    bool openRadio(const QByteArray &memory);
    void prepareWrite();
    bool runOnce(int number);
    void fail(int number, const Plan &plan, const QString &what);
    // The rows and settings a fault-free read of the radio's memory gives.
    void expectedFromRadio(QList<std::array<QString, 8>> *rowsOut, QList<int> *settingsOut);

    Options m_options;
    Dice m_dice;
    std::unique_ptr<VirtualRadio> m_radio;
    std::unique_ptr<SerialLink> m_link;
    RadioData m_data;
    std::unique_ptr<ProgrammingRun> m_run;

    int m_failures = 0;
    QMap<QString, int> m_outcomes;
    qint64 m_longestMs = 0;
    qint64 m_longestVanishMs = 0;
    int m_mostMessages = 0;
    long m_rssAfter100 = 0;
};

bool Soak::openRadio(const QByteArray &memory)
{
    m_radio = std::make_unique<VirtualRadio>();
    QString error;
    if (!m_radio->open(&error)) {
        std::fprintf(stderr, "soak: virtual radio: %s\n", qPrintable(error));
        return false;
    }
    m_radio->writeMemory(0, memory);
    m_link->setPortName(m_radio->portName());
    if (!m_link->setPortOpen(true)) {
        std::fprintf(stderr, "soak: %s\n", qPrintable(m_link->errorString()));
        return false;
    }
    return true;
}

bool Soak::setUp()
{
    m_data.table.setValueTexts(EnglishValueTexts);
    m_data.table.setToneOffText(EnglishValueTexts.offText);
    for (BandRangeList *list : {&m_data.bands.list1_rx, &m_data.bands.list1_tx,
                                &m_data.bands.list2_rx, &m_data.bands.list2_tx})
        list->choose(list->append(QStringLiteral("400-470MHz")));
    m_link = std::make_unique<SerialLink>();
    m_run = std::make_unique<ProgrammingRun>(*m_link, m_data);
    if (!openRadio(QByteArray(VirtualRadio::MemorySize, char(0xFF))))
        return false;

    // The radio starts with random channels, written by a fault-free run,
    // and a few channels the program cannot show (a hex digit A).
    for (int row = 1; row <= ChannelTable::ChannelCount; ++row) {
        if (m_dice.chance(70))
            m_data.table.setRowData(row, randomChannel(m_dice, m_data.table));
    }
    randomiseSettings(m_dice, m_data.settings);
    if (!m_run->run(TransferMode::Write).complete()) {
        std::fprintf(stderr, "soak: the first write did not go through\n");
        return false;
    }
    for (int k = 0; k < 3; ++k) {
        const int address = MemoryCodec::channelAddress(1 + m_dice.below(199));
        m_radio->writeMemory(quint16(address), QByteArray::fromHex("0000A043"));
    }
    m_radio->clearTranscript();
    return true;
}

void Soak::prepareWrite()
{
    // Some rows change, and rows a garbled read filled with values a write
    // cannot store are replaced, so that no write is refused.
    for (int k = m_dice.below(10); k > 0; --k) {
        const int row = 1 + m_dice.below(199);
        if (m_dice.chance(20))
            m_data.table.clearRow(row);
        else
            m_data.table.setRowData(row, randomChannel(m_dice, m_data.table));
    }
    if (m_dice.chance(30))
        randomiseSettings(m_dice, m_data.settings);
    static const QRegularExpression channelNumber(QStringLiteral("^Channel ([0-9]{3})"));
    for (const QString &problem : MemoryCodec::preflightCheck(m_data)) {
        const QRegularExpressionMatch m = channelNumber.match(problem);
        if (m.hasMatch())
            m_data.table.setRowData(m.captured(1).toInt(), randomChannel(m_dice, m_data.table));
    }
}

void Soak::expectedFromRadio(QList<std::array<QString, 8>> *rowsOut, QList<int> *settingsOut)
{
    ChannelTable table;
    table.setValueTexts(m_data.table.valueTexts());
    table.setToneOffText(m_data.table.valueTexts().offText);
    const auto reply = [this](int address) {
        return SerialLink::bytesToHex(QByteArray(4, char(0)) +
                                      m_radio->readMemory(quint16(address), 8));
    };
    for (int n = 1; n <= ChannelTable::ChannelCount; ++n) {
        const int a = MemoryCodec::channelAddress(n);
        const std::optional<Channel> channel = MemoryCodec::decodeChannel(reply(a), reply(a + 8));
        if (channel)
            table.setChannel(n, *channel);
    }
    *rowsOut = rows(table);
    FunctionSettings settings;
    MemoryCodec::decodeSettingsBlock(settings, reply(MemoryCodec::SettingsBlockAddress));
    *settingsOut = indexes(settings);
}

void Soak::fail(int number, const Plan &plan, const QString &what)
{
    ++m_failures;
    std::fprintf(stderr, "soak: run %d (%s, faults %s): %s\n", number,
                 number % 2 ? "write" : "read", qPrintable(plan.text()), qPrintable(what));
}

bool Soak::runOnce(int number)
{
    const TransferMode mode = number % 2 ? TransferMode::Write : TransferMode::Read;
    if (mode == TransferMode::Write)
        prepareWrite();
    const Plan plan = randomPlan(m_dice);

    if (!m_link->isPortOpen() && !openRadio(m_radio->memory()))
        return false;
    m_radio->setFaults(plan.faults);
    m_radio->clearTranscript();
    const QList<std::array<QString, 8>> rowsBefore = rows(m_data.table);
    const QList<int> settingsBefore = indexes(m_data.settings);

    QElapsedTimer vanished;
    QMetaObject::Connection vanishRead, vanishWrite;
    if (plan.vanishAt >= 0) {
        const auto vanish = [this, &plan, &vanished](quint16 address) {
            if (address != plan.vanishAt || vanished.isValid())
                return;
            // Not inside the radio's own signal: at the next pass of the loop.
            QTimer::singleShot(0, m_radio.get(), [this, &vanished] {
                vanished.start();
                m_radio->close();
            });
        };
        vanishRead = QObject::connect(m_radio.get(), &VirtualRadio::blockRead, vanish);
        vanishWrite = QObject::connect(m_radio.get(), &VirtualRadio::blockWritten, vanish);
    }
    int linkLostSignals = 0;
    const QMetaObject::Connection lost = QObject::connect(
        m_link.get(), &SerialLink::linkLost, [&linkLostSignals] { ++linkLostSignals; });
    g_messages = 0;

    ::alarm(unsigned(m_options.boundSeconds) + 1);
    QElapsedTimer clock;
    clock.start();
    const ProgrammingResult result = m_run->run(mode);
    const qint64 ms = clock.elapsed();
    ::alarm(0);
    QObject::disconnect(lost);
    QObject::disconnect(vanishRead);
    QObject::disconnect(vanishWrite);

    const QString name =
        QStringLiteral("%1: %2%3")
            .arg(mode == TransferMode::Read ? "read" : "write", outcomeName(result.outcome),
                 result.outcome == Outcome::Done && !result.complete() ? ", steps skipped" : "");
    ++m_outcomes[name];
    m_longestMs = qMax(m_longestMs, ms);
    m_mostMessages = qMax(m_mostMessages, g_messages);
    if (m_options.verbose)
        std::printf("run %4d %-40s %-36s channel %3d gauge %3d %5lld ms\n", number,
                    qPrintable(plan.text()), qPrintable(name), result.channel, result.gauge, ms);

    // Bounds.
    if (ms > m_options.boundSeconds * 1000)
        fail(number, plan, QStringLiteral("took %1 ms").arg(ms));
    if (vanished.isValid()) {
        const qint64 after = vanished.elapsed() - (clock.elapsed() - ms);
        m_longestVanishMs = qMax(m_longestVanishMs, after);
        if (after > 1000)
            fail(number, plan, QStringLiteral("ended %1 ms after the port vanished").arg(after));
        if (result.outcome != Outcome::LinkLost && result.outcome != Outcome::Done)
            fail(number, plan,
                 QStringLiteral("outcome %1 after the port vanished").arg(int(result.outcome)));
    }
    if (linkLostSignals > 1)
        fail(number, plan, QStringLiteral("%1 link-lost signals").arg(linkLostSignals));
    if (g_messages > 5)
        fail(number, plan,
             QStringLiteral("%1 warnings, the last: %2").arg(g_messages).arg(g_lastMessage));

    // The outcome and the gauge.
    if (result.outcome == Outcome::Refused || result.outcome == Outcome::Busy ||
        result.outcome == Outcome::PortClosed)
        fail(number, plan,
             QStringLiteral("outcome %1: %2 %3")
                 .arg(int(result.outcome))
                 .arg(result.message, result.problems.join(QLatin1Char(' '))));
    if (result.linkOk != (result.outcome == Outcome::Done))
        fail(number, plan, QStringLiteral("linkOk does not match the outcome"));
    const int maximum = ProgrammingRun::gaugeMaximum(mode);
    if (result.gauge < 0 || result.gauge > maximum ||
        (result.complete() && result.gauge != maximum))
        fail(number, plan, QStringLiteral("gauge %1 of %2").arg(result.gauge).arg(maximum));
    if (plan.none() && !result.complete())
        fail(number, plan,
             QStringLiteral("a fault-free run did not complete: %1").arg(result.message));

    // The table.
    const QList<std::array<QString, 8>> rowsAfter = rows(m_data.table);
    for (int row = 1; row <= ChannelTable::ChannelCount; ++row) {
        const std::array<QString, 8> &r = rowsAfter.at(row - 1);
        if (!isEmptyRow(r) && !isDecodedChannel(r, m_data.table.valueTexts()))
            fail(number, plan,
                 QStringLiteral("row %1 is neither empty nor a channel: %2")
                     .arg(row)
                     .arg(QStringList(r.begin(), r.end()).join(QLatin1Char('|'))));
    }
    for (Setting s : allSettings()) {
        const int index = m_data.settings.index(s);
        if (index < 0 || index >= m_data.settings.choices(s).size())
            fail(number, plan, QStringLiteral("setting %1 index %2").arg(int(s)).arg(index));
    }

    if (mode == TransferMode::Write) {
        if (rowsAfter != rowsBefore || indexes(m_data.settings) != settingsBefore)
            fail(number, plan, QStringLiteral("a write changed the table or the settings"));
        if (plan.none()) {
            for (int n = 1; n <= ChannelTable::ChannelCount; ++n) {
                const MemoryCodec::ChannelBlocks b =
                    MemoryCodec::encodeChannel(m_data.table.channel(n).channel);
                const QString stored = SerialLink::bytesToHex(
                    m_radio->readMemory(quint16(MemoryCodec::channelAddress(n)), 16));
                if (stored != b.first + b.second)
                    fail(number, plan, QStringLiteral("the radio does not hold row %1").arg(n));
            }
        }
    } else if (!plan.garbles()) {
        QList<std::array<QString, 8>> expectedRows;
        QList<int> expectedSettings;
        expectedFromRadio(&expectedRows, &expectedSettings);
        // The step counter reaches 199 with the last channel.
        const bool failedInLoop = result.channel > 0;
        const int readUpTo = failedInLoop ? result.channel - 1
                             : result.step >= ChannelTable::ChannelCount
                                 ? ChannelTable::ChannelCount
                                 : 0;
        // The failing row is emptied once its first block was requested.
        const int failing = result.channel;
        QByteArray firstBlockRequest("\x52\x00\x00\x08", 4);
        firstBlockRequest[1] = char(MemoryCodec::channelAddress(failing) >> 8);
        firstBlockRequest[2] = char(MemoryCodec::channelAddress(failing) & 0xFF);
        const bool emptied = failedInLoop && m_radio->receivedBytes().contains(firstBlockRequest);
        for (int row = 1; row <= ChannelTable::ChannelCount; ++row) {
            const std::array<QString, 8> expected = row <= readUpTo ? expectedRows.at(row - 1)
                                                    : emptied && row == failing
                                                        ? std::array<QString, 8>{}
                                                        : rowsBefore.at(row - 1);
            if (rowsAfter.at(row - 1) != expected) {
                fail(number, plan,
                     QStringLiteral("row %1 is not as expected (failed at channel %2)")
                         .arg(row)
                         .arg(result.channel));
                break;
            }
        }
        const QList<int> settingsExpected = result.settingsDone ? expectedSettings : settingsBefore;
        if (indexes(m_data.settings) != settingsExpected)
            fail(number, plan, QStringLiteral("the settings are not as expected"));
    } else if (result.channel > 0) {
        // Garbled replies may decode to anything, but not beyond the failure.
        for (int row = result.channel + 1; row <= ChannelTable::ChannelCount; ++row) {
            if (rowsAfter.at(row - 1) != rowsBefore.at(row - 1)) {
                fail(number, plan, QStringLiteral("row %1 changed after the failure").arg(row));
                break;
            }
        }
    }

    if (plan.vanishAt >= 0) {
        // A new radio with the old one's memory, on a new port.
        const QByteArray memory = m_radio->memory();
        m_link->setPortOpen(false);
        if (!openRadio(memory))
            return false;
    }
    return true;
}

int Soak::exec()
{
    struct sigaction action = {};
    action.sa_handler = onAlarm;
    ::sigaction(SIGALRM, &action, nullptr);
    qInstallMessageHandler(countMessage);
    if (!setUp())
        return 2;

    QElapsedTimer total;
    total.start();
    const long rssStart = residentKiB();
    for (int number = 1; number <= m_options.runs; ++number) {
        if (!runOnce(number))
            return 2;
        if (number == qMin(100, m_options.runs))
            m_rssAfter100 = residentKiB();
        if (!m_options.verbose && number % 100 == 0) {
            std::printf("%d runs, %d failures, %.0f s\n", number, m_failures,
                        total.elapsed() / 1000.0);
            std::fflush(stdout);
        }
    }
    const long rssEnd = residentKiB();
    // Allocator caches settle within the first runs; after that nothing may
    // grow beyond a little slack.
    const long slack = qMax(512L, m_rssAfter100 / 20);
    const bool memoryOk = rssEnd <= m_rssAfter100 + slack;
#if defined(__SANITIZE_ADDRESS__)
    // AddressSanitizer holds freed memory back (its quarantine) and reports
    // real leaks itself at exit; the resident size says nothing here.
    const char *memoryVerdict =
        memoryOk ? "no growth" : "grows (not judged under AddressSanitizer)";
#else
    const char *memoryVerdict = memoryOk ? "no growth" : "GROWS";
    if (!memoryOk)
        ++m_failures;
#endif

    std::printf("\nsoak: %d runs (seed %u) in %.1f s, longest run %lld ms, longest end after a "
                "vanished port %lld ms, most warnings in a run %d\n",
                m_options.runs, m_options.seed, total.elapsed() / 1000.0, m_longestMs,
                m_longestVanishMs, m_mostMessages);
    std::printf("outcomes:\n");
    for (auto it = m_outcomes.cbegin(); it != m_outcomes.cend(); ++it)
        std::printf("  %-32s %4d\n", qPrintable(it.key()), it.value());
    std::printf("resident memory: %ld KiB at the start, %ld KiB after run 100, %ld KiB after run "
                "%d (slack %ld KiB): %s\n",
                rssStart, m_rssAfter100, rssEnd, m_options.runs, slack, memoryVerdict);
    std::printf("%s: %d failed checks\n", m_failures ? "FAILED" : "PASSED", m_failures);
    return m_failures ? 1 : 0;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    Options options;
    const QStringList args = app.arguments();
    for (int i = 1; i < args.size(); ++i) {
        const QString &a = args.at(i);
        const auto value = [&]() { return i + 1 < args.size() ? args.at(++i).toInt() : -1; };
        if (a == QLatin1String("--runs"))
            options.runs = value();
        else if (a == QLatin1String("--seed"))
            options.seed = quint32(value());
        else if (a == QLatin1String("--bound"))
            options.boundSeconds = value();
        else if (a == QLatin1String("--verbose"))
            options.verbose = true;
        else
            options.runs = -1;
        if (options.runs <= 0 || options.boundSeconds <= 0) {
            std::fprintf(stderr,
                         "usage: qb380-soak [--runs N] [--seed S] [--bound SECONDS] [--verbose]\n");
            return 2;
        }
    }
    return Soak(options).exec();
}
