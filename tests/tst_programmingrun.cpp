// The programming run against the virtual radio over a real pseudo-terminal:
// the serial link's QSerialPort on one side, the radio on the other, both
// served by the event loop of the run's waits. Expected bytes are built here
// from the protocol's message table and the memory layouts, never by the
// code under test. Then the transfer around the run: its phases, the backup
// of a read and the read-back of a write; the user's data folder, where
// backups go, is a temporary one.
#include "model/frequency.h"
#include "model/radiodata.h"
#include "radio/programmingrun.h"
#include "radio/radiotransfer.h"
#include "radio/seriallink.h"
#include "sim/virtualradio.h"
#include "testbytes.h"

#include <QElapsedTimer>
#include <QMetaEnum>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

namespace {

using Transfer = VirtualRadio::Transfer;
using Outcome = ProgrammingResult::Outcome;

// ---- The protocol, as its message table has it ---------------------------

const QByteArray Start = bytes({0x02});
const QByteArray Ident = QByteArrayLiteral("DRAvik");
const QByteArray IdentReply = bytes({0x06, 0x20}) + QByteArrayLiteral("torven");
const QByteArray Ack = bytes({0x06});
const QByteArray End = bytes({0x64, 0x6F});

QByteArray readRequest(int address)
{
    return bytes({0x52, address >> 8, address & 0xFF, 0x08});
}

QByteArray writeRequest(int address, const QByteArray &data)
{
    return bytes({0x57, address >> 8, address & 0xFF, 0x08}) + data;
}

// The virtual radio answers a block read with the request in the form of a
// block write followed by the 8 bytes.
QByteArray readReply(const QByteArray &memory, int address)
{
    return writeRequest(address, memory.mid(address, 8));
}

// ---- Memory layouts ------------------------------------------------------

const QByteArray NoFrequency = bytes({0xFF, 0xFF, 0xFF, 0xFF});

const QByteArray Off = bytes({0xFF, 0xFF});
const QByteArray Spare = bytes({0xFF, 0xFF, 0xFF});

QByteArray record(const QByteArray &rx, const QByteArray &tx, const QByteArray &rxCode,
                  const QByteArray &txCode, int flags)
{
    return rx + tx + rxCode + txCode + bytes({flags}) + Spare;
}

const QByteArray IdentBlock = bytes({0x00, 0x00, 0xF3}) + QByteArrayLiteral("5174Q");

int channelAddress(int n)
{
    return 0x10 * n;
}

// ---- Transcripts -----------------------------------------------------------

// One line per transfer, "> 02 44..." to the radio, "< 06 20..." from it.
QStringList lines(const QList<Transfer> &transcript)
{
    QStringList out;
    for (const Transfer &t : transcript)
        out << (t.direction == Transfer::ToRadio ? QStringLiteral("> ") : QStringLiteral("< ")) +
                   QString::fromLatin1(t.bytes.toHex(' ').toUpper());
    return out;
}

class Expected
{
public:
    Expected &out(const QByteArray &b) { return add(Transfer::ToRadio, b); }
    Expected &in(const QByteArray &b) { return add(Transfer::FromRadio, b); }
    QList<Transfer> transfers;

private:
    Expected &add(Transfer::Direction d, const QByteArray &b)
    {
        if (b.isEmpty())
            return *this;
        if (!transfers.isEmpty() && transfers.last().direction == d)
            transfers.last().bytes += b;
        else
            transfers.append({d, b});
        return *this;
    }
};

// Handshake and the opening of the link, common to both modes.
Expected opening(const QByteArray &memory)
{
    Expected e;
    e.out(Start + Ident).in(IdentReply);
    e.out(Ack).in(Ack);
    e.out(readRequest(0x0C90)).in(readReply(memory, 0x0C90));
    e.out(Ack).in(Ack);
    return e;
}

Expected fullRead(const QByteArray &memory)
{
    Expected e = opening(memory);
    for (int n = 1; n <= 199; ++n) {
        for (int half : {0, 8}) {
            const int address = channelAddress(n) + half;
            e.out(readRequest(address)).in(readReply(memory, address));
            e.out(Ack).in(Ack);
        }
    }
    e.out(readRequest(0x0C80)).in(readReply(memory, 0x0C80));
    e.out(Ack).in(Ack);
    e.out(End);
    return e;
}

// The radio's memory after a full write of `blocks` (address -> 8 bytes).
Expected fullWrite(const QByteArray &memoryBefore, const QMap<int, QByteArray> &blocks)
{
    Expected e = opening(memoryBefore);
    for (int n = 1; n <= 199; ++n) {
        for (int half : {0, 8}) {
            const int address = channelAddress(n) + half;
            e.out(writeRequest(address, blocks.value(address))).in(Ack);
        }
    }
    for (int address : {0x0C80, 0x0CA0, 0x0CA8, 0x0C90})
        e.out(writeRequest(address, blocks.value(address))).in(Ack);
    e.out(End);
    return e;
}

// ---- Table helpers -----------------------------------------------------------

QString local(QString text)
{
    return text.replace(QLatin1Char('.'), frequencySeparator());
}

void setRow(ChannelTable &table, int row, const QStringList &cells)
{
    for (int col = 1; col <= 8; ++col) {
        const bool freq = col == ChannelTable::ColRxFreq || col == ChannelTable::ColTxFreq;
        table.setCell(col, row, freq ? local(cells.value(col - 1)) : cells.value(col - 1));
    }
}

QStringList localised(QStringList cells)
{
    if (cells.size() == 8) {
        cells[0] = local(cells[0]);
        cells[2] = local(cells[2]);
    }
    return cells;
}

const QStringList EmptyRow(8, QString());
const QStringList FillerRow{"401.00000", "OFF", "401.00000", "OFF", "High", "Wide", "ON", "OFF"};

QList<int> indexes(const FunctionSettings &settings)
{
    QList<int> list;
    for (Setting s : allSettings())
        list << settings.index(s);
    return list;
}

QList<int> progressValues(const QSignalSpy &spy)
{
    QList<int> values;
    for (const QList<QVariant> &args : spy)
        values << args.at(0).toInt();
    return values;
}

QList<int> range(int first, int last)
{
    QList<int> values;
    for (int v = first; v <= last; ++v)
        values << v;
    return values;
}

// A radio memory with a bit of everything the channel and settings layouts
// allow, and bytes outside the used ranges that a read must not pick up.
QByteArray richImage()
{
    QByteArray m(0x10000, char(0xFF));
    const auto put = [&m](int address, const QByteArray &b) { m.replace(address, b.size(), b); };
    put(0x0000, QByteArray(16, char(0x11)));
    // 438.125 / 88.5, 462.5625 / D023N; high, wide, scan on, busy lock off.
    put(channelAddress(1),
        record(frequency("43812500"), frequency("46256250"), code(0x0885), code(0x8023), 0xFF));
    // No transmit frequency; 100.0, D754I; low, narrow, scan off, lock on.
    put(channelAddress(2),
        record(frequency("40000000"), NoFrequency, code(0x1000), code(0xC754), 0xF0));
    // 67.0, 254.1; the flags' high nibble is ignored: low, wide, off, off.
    put(channelAddress(3),
        record(frequency("46999375"), frequency("43005000"), code(0x0670), code(0x2541), 0x35));
    // No receive frequency: empty whatever the rest holds.
    put(channelAddress(4),
        record(NoFrequency, frequency("44000000"), code(0x0885), code(0x0885), 0xF0));
    // A receive frequency with a digit A cannot be shown.
    put(channelAddress(5), record(frequency("44000A00"), frequency("44000000"), Off, Off, 0xFF));
    // Tones off; high, narrow, scan on, lock on.
    put(channelAddress(199), record(frequency("45000000"), frequency("45000000"), Off, Off, 0x0A));
    // APO 1 BEEP 0 BatSave 1 scankind 0 Ring 0 Scramble 1 VFO/MR 0 MR 1;
    // Squelch 5 (high nibble ignored), VOX 3, TOT 7; keyswitch 0 Switch.U.P 1
    // DownFreq 1 BroadBand 0 SpreadFreq 1 band 1; step 2, lights 4 and 0.
    put(0x0C80, bytes({0xA5, 0x15, 0x03, 0x07, 0xF6, 0x03, 0x05, 0x01}));
    put(0x0C88, QByteArray(8, char(0x22)));
    put(0x0C90, IdentBlock);
    put(0x0CA0, bytes({0x00, 0x40, 0x00, 0x47, 0x00, 0x40, 0x00, 0x47}));
    return m;
}

// The rows a read of richImage() gives, 1-199.
QList<QStringList> richRows()
{
    QList<QStringList> rows(199, EmptyRow);
    rows[0] = localised({"438.12500", "88.5", "462.56250", "D023N", "High", "Wide", "ON", "OFF"});
    rows[1] = localised({"400.00000", "100.0", "", "D754I", "Low", "Narrow", "OFF", "ON"});
    rows[2] = localised({"469.99375", "67.0", "430.05000", "254.1", "Low", "Wide", "OFF", "OFF"});
    rows[198] = localised({"450.00000", "OFF", "450.00000", "OFF", "High", "Narrow", "ON", "ON"});
    return rows;
}

// The addresses of the block reads and writes among the bytes a program
// sent, in order, read by the message table.
QList<int> blockRequests(const QByteArray &sent)
{
    QList<int> addresses;
    for (int at = 0; at < sent.size();) {
        switch (quint8(sent.at(at))) {
        case 0x02:
            at += 7;
            break;
        case 0x52:
        case 0x57:
            addresses << (quint8(sent.at(at + 1)) << 8 | quint8(sent.at(at + 2)));
            at += sent.at(at) == 0x52 ? 4 : 12;
            break;
        case 0x64:
            at += 2;
            break;
        default:
            at += 1;
            break;
        }
    }
    return addresses;
}

// The settings richImage() holds, in canonical order.
const QList<int> RichSettings{1, 0, 1, 0, 0, 1, 0, 1, 5, 3, 7, 0, 1, 1, 0, 1, 1, 2, 4, 0};

enum LinkLoss { RadioCloses, RadioDestroyed, PortCloses };

// Counts the warnings Qt and the code print while it lives.
class MessageCounter
{
public:
    MessageCounter()
    {
        s_messages.clear();
        m_previous = qInstallMessageHandler(handler);
    }
    ~MessageCounter() { qInstallMessageHandler(m_previous); }
    qsizetype count() const { return s_messages.size(); }
    QString last() const { return s_messages.value(s_messages.size() - 1); }

private:
    static void handler(QtMsgType, const QMessageLogContext &, const QString &message)
    {
        s_messages << message;
    }
    static inline QStringList s_messages;
    QtMessageHandler m_previous;
};

// How a read-back ended, in a test table's words.
QString verifyOutcome(const std::optional<VerifyReport> &report)
{
    if (!report)
        return {};
    switch (report->outcome) {
    case VerifyReport::Outcome::Verified:
        return QStringLiteral("verified");
    case VerifyReport::Outcome::Differs:
        return QStringLiteral("differs");
    case VerifyReport::Outcome::ReadFailed:
        return QStringLiteral("read failed");
    }
    return {};
}

} // namespace

Q_DECLARE_METATYPE(TransferOptions::ReadBack)

class TestProgrammingRun : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<VirtualRadio> radio;
    std::unique_ptr<SerialLink> link;
    std::unique_ptr<RadioData> data;
    std::unique_ptr<ProgrammingRun> run;
    QTemporaryDir dataHome; // the user's data folder (XDG_DATA_HOME): the backups

    void useEnglish()
    {
        data->table.setValueTexts(EnglishValueTexts);
        data->table.setToneOffText(EnglishValueTexts.offText);
    }

    void chooseBands(const QString &one, const QString &twoRx, const QString &twoTx)
    {
        for (auto [list, text] :
             {std::pair{&data->bands.list1_rx, one}, std::pair{&data->bands.list1_tx, one},
              std::pair{&data->bands.list2_rx, twoRx}, std::pair{&data->bands.list2_tx, twoTx}}) {
            list->clear();
            list->choose(list->append(text));
        }
    }

    // A write the codec accepts: defaults, English texts, the radio's band.
    void fillFiller()
    {
        for (int row = 1; row <= 199; ++row)
            setRow(data->table, row, FillerRow);
    }

private slots:
    void initTestCase()
    {
        QVERIFY(dataHome.isValid());
        qputenv("XDG_DATA_HOME", QFile::encodeName(dataHome.path()));
        qRegisterMetaType<TransferResult>();
    }

    void init()
    {
        radio = std::make_unique<VirtualRadio>();
        QString error;
        QVERIFY2(radio->open(&error), qPrintable(error));
        link = std::make_unique<SerialLink>();
        link->setPortName(radio->portName());
        QVERIFY2(link->setPortOpen(true), qPrintable(link->errorString()));
        data = std::make_unique<RadioData>();
        useEnglish();
        chooseBands(QStringLiteral("400-470MHz"), QStringLiteral("400-470MHz"),
                    QStringLiteral("400-470MHz"));
        run = std::make_unique<ProgrammingRun>(*link, *data);
    }

    void cleanup()
    {
        run.reset();
        link.reset();
        radio.reset();
        data.reset();
    }

    // A full read: the exact bytes both ways, the table and the settings
    // decoded from the documented layouts, the gauge, and the memory image.
    void fullReadRun()
    {
        const QByteArray memory = richImage();
        radio->writeMemory(0, memory);
        setRow(data->table, 4, FillerRow);
        setRow(data->table, 6, FillerRow);
        setRow(data->table, 198, FillerRow);
        QSignalSpy progress(run.get(), &ProgrammingRun::progress);
        QSignalSpy finished(run.get(), &ProgrammingRun::finished);

        const ProgrammingResult result = run->run(TransferMode::Read);

        QCOMPARE(result.outcome, Outcome::Done);
        QVERIFY(result.linkOk);
        QVERIFY2(result.complete(), qPrintable(result.message));
        QVERIFY(result.message.isEmpty());
        QCOMPARE(result.attempts, 1);
        QCOMPARE(result.unreadableChannels, QList<int>{5});
        QCOMPARE(finished.size(), 1);
        QCOMPARE(lines(radio->transcript()), lines(fullRead(memory).transfers));
        QVERIFY(!radio->inSession());

        QList<QStringList> rows;
        for (int row = 1; row <= 199; ++row)
            rows << rowCells(data->table, row);
        QCOMPARE(rows, richRows());
        QCOMPARE(indexes(data->settings), RichSettings);
        QCOMPARE(data->bands.list1_rx.entries(), QStringList{QStringLiteral("400-470MHz")});
        QCOMPARE(data->bands.list1_rx.chosenIndex(), 0);

        QCOMPARE(progressValues(progress), range(1, 200) << 203);
        QCOMPARE(result.gauge, ProgrammingRun::ReadGaugeMaximum);
        QCOMPARE(run->step(), 200);

        QByteArray image(0x10000, char(0xFF));
        image.replace(0x0010, 199 * 16, memory.mid(0x0010, 199 * 16));
        image.replace(0x0C80, 8, memory.mid(0x0C80, 8));
        image.replace(0x0C90, 8, memory.mid(0x0C90, 8));
        QCOMPARE(run->image(), image);
    }

    // A full write: the exact bytes, the radio memory afterwards (compared
    // with blocks built here from the layouts), the gauge and the image.
    void fullWriteRun()
    {
        radio->fillMemory(0x00);
        const QByteArray before = radio->memory();
        setRow(data->table, 1,
               {"438.12500", "88.5", "462.56250", "D023N", "High", "Wide", "ON", "OFF"});
        setRow(data->table, 2,
               {"400.00000", "OFF", "401.00000", "D754I", "Low", "Narrow", "OFF", "ON"});
        setRow(data->table, 3,
               {"469.99375", "254.1", "469.99375", "67.0", "High", "Narrow", "OFF", "OFF"});
        setRow(data->table, 199, {"100.00000", "100.0", "", "OFF", "Low", "Wide", "ON", "ON"});
        chooseBands(QStringLiteral("400-470MHz"), QStringLiteral("420-450MHz"),
                    QStringLiteral("430-440MHz"));
        FunctionSettings &s = data->settings;
        const QList<std::pair<Setting, int>> values{
            {Setting::APO, 0},        {Setting::BEEP, 1},        {Setting::BatSave, 0},
            {Setting::scankind, 1},   {Setting::Ring, 1},        {Setting::Scramble, 0},
            {Setting::VFO_MR, 1},     {Setting::MRfreq_MRCH, 0}, {Setting::Squelch, 9},
            {Setting::VoxControl, 4}, {Setting::TxT_O_T, 0},     {Setting::keyswitch, 1},
            {Setting::Switch_U_P, 0}, {Setting::DownFreq, 0},    {Setting::BroadBand, 1},
            {Setting::SpreadFreq, 1}, {Setting::band, 0},        {Setting::Freq_Step, 0},
            {Setting::Txlight, 7},    {Setting::Rxlight, 0}};
        for (auto [setting, index] : values)
            QVERIFY(s.setIndex(setting, index));

        QMap<int, QByteArray> blocks;
        for (int n = 1; n <= 199; ++n) {
            blocks[channelAddress(n)] = QByteArray(8, char(0xFF));
            blocks[channelAddress(n) + 8] = QByteArray(8, char(0xFF));
        }
        const auto channel = [&blocks](int n, const QByteArray &record16) {
            blocks[channelAddress(n)] = record16.left(8);
            blocks[channelAddress(n) + 8] = record16.mid(8);
        };
        channel(1, record(frequency("43812500"), frequency("46256250"), code(0x0885), code(0x8023),
                          0xFF));
        channel(2, record(frequency("40000000"), frequency("40100000"), Off, code(0xC754), 0xF0));
        channel(3, record(frequency("46999375"), frequency("46999375"), code(0x2541), code(0x0670),
                          0xF9));
        channel(199, record(frequency("10000000"), NoFrequency, code(0x1000), Off, 0xF6));
        blocks[0x0C80] = bytes({0x5A, 0x09, 0x04, 0x00, 0xD9, 0x01, 0x08, 0x01});
        blocks[0x0CA0] = bytes({0x00, 0x40, 0x00, 0x47, 0x00, 0x40, 0x00, 0x47});
        blocks[0x0CA8] = bytes({0x00, 0x42, 0x00, 0x45, 0x00, 0x43, 0x00, 0x44});
        blocks[0x0C90] = IdentBlock;
        QSignalSpy progress(run.get(), &ProgrammingRun::progress);

        const ProgrammingResult result = run->run(TransferMode::Write);

        QVERIFY2(result.complete(), qPrintable(result.message + result.problems.join('\n')));
        QCOMPARE(result.outcome, Outcome::Done);
        QCOMPARE(lines(radio->transcript()), lines(fullWrite(before, blocks).transfers));
        QByteArray memory = before;
        QByteArray image(0x10000, char(0xFF));
        for (auto it = blocks.cbegin(); it != blocks.cend(); ++it) {
            memory.replace(it.key(), 8, it.value());
            image.replace(it.key(), 8, it.value());
        }
        QCOMPARE(radio->memory(), memory);
        QCOMPARE(run->image(), image);
        QCOMPARE(progressValues(progress), range(1, 203) << 206);
    }

    // No radio, or one that does not identify itself right: six attempts and
    // nothing else; the data and the gauge stay as they were. A missing
    // reply drops the threshold to 0, a wrong one leaves it at 8.
    void identification_data()
    {
        QTest::addColumn<QString>("faults");
        QTest::addColumn<QByteArray>("reply");
        QTest::addColumn<int>("threshold");
        QTest::newRow("no radio") << "silent" << QByteArray() << 0;
        QTest::newRow("wrong identification")
            << "wrong-ident" << bytes({0x06, 0x20}) + QByteArrayLiteral("TORVEN") << 8;
        QTest::newRow("identification with an extra byte")
            << "ident-extra" << IdentReply + bytes({0x00}) << 8;
    }

    void identification()
    {
        QFETCH(QString, faults);
        QFETCH(QByteArray, reply);
        QFETCH(int, threshold);
        QVERIFY(radio->setFaults(faults));
        for (TransferMode mode : {TransferMode::Read, TransferMode::Write}) {
            radio->clearTranscript();
            setRow(data->table, 1, FillerRow);
            QSignalSpy progress(run.get(), &ProgrammingRun::progress);

            const ProgrammingResult result = run->run(mode);

            QCOMPARE(result.outcome, Outcome::NoIdentification);
            QVERIFY(!result.linkOk);
            QCOMPARE(result.attempts, 6);
            Expected e;
            for (int attempt = 0; attempt < 6; ++attempt)
                e.out(Start + Ident).in(reply);
            QCOMPARE(lines(radio->transcript()), lines(e.transfers));
            QCOMPARE(link->receiveThreshold(), threshold);
            QCOMPARE(progress.size(), 0);
            QCOMPARE(rowCells(data->table, 1), localised(FillerRow));
            QCOMPARE(run->image(), QByteArray(0x10000, char(0xFF)));
        }
    }

    // The radio stops answering after the request for channel 5's first
    // block: rows 1-4 hold the radio's data, row 5 is empty, rows 6-199 and
    // the settings are as they were.
    void readStopsAtChannelFive()
    {
        const QByteArray memory = richImage();
        radio->writeMemory(0, memory);
        QVERIFY(radio->setFaults(QStringLiteral("stop-after:0x0050")));
        fillFiller();
        const QList<int> settingsBefore = indexes(data->settings);
        QSignalSpy progress(run.get(), &ProgrammingRun::progress);

        const ProgrammingResult result = run->run(TransferMode::Read);

        QCOMPARE(result.outcome, Outcome::CheckFailed);
        QVERIFY(!result.linkOk);
        QCOMPARE(result.channel, 5);
        QCOMPARE(rowCells(data->table, 1).at(0), local("438.12500"));
        QCOMPARE(rowCells(data->table, 2).at(4), QStringLiteral("Low"));
        QCOMPARE(rowCells(data->table, 3).at(3), QStringLiteral("254.1"));
        QCOMPARE(rowCells(data->table, 4), EmptyRow);
        QCOMPARE(rowCells(data->table, 5), EmptyRow);
        for (int row = 6; row <= 199; ++row)
            QCOMPARE(rowCells(data->table, row), localised(FillerRow));
        QCOMPARE(indexes(data->settings), settingsBefore);
        QCOMPARE(progressValues(progress), range(1, 4));
        // Nothing after the unanswered request but the run's end.
        const QList<Transfer> t = radio->transcript();
        QCOMPARE(t.last().direction, Transfer::ToRadio);
        QCOMPARE(t.last().bytes, readRequest(0x0050));
    }

    // A radio that refuses the settings block (0x15): the band edges, the
    // identification block and the end command are skipped, each because
    // the last reply is still no acknowledgement; the run itself goes
    // through without a failure and the gauge stops at 203 of 206.
    void writeSettingsRefused()
    {
        QVERIFY(radio->setFaults(QStringLiteral("nak:0x0C80")));
        QSignalSpy progress(run.get(), &ProgrammingRun::progress);

        const ProgrammingResult result = run->run(TransferMode::Write);

        QCOMPARE(result.outcome, Outcome::Done);
        QVERIFY(result.linkOk);
        QVERIFY(run->linkOk());
        QVERIFY(!result.complete());
        QVERIFY(!result.settingsDone);
        QVERIFY(!result.bandOneDone && !result.bandTwoDone && !result.identDone);
        QVERIFY(!result.endSent);
        QCOMPARE(progressValues(progress), range(1, 203));
        const QList<Transfer> t = radio->transcript();
        QCOMPARE(t.at(t.size() - 2).bytes,
                 writeRequest(0x0C80, bytes({0xFF, 0x02, 0x00, 0x04, 0xCF, 0x06, 0x02, 0x04})));
        QCOMPARE(t.last().bytes, bytes({0x15}));
        QCOMPARE(run->image().mid(0x0C80, 8), QByteArray(8, char(0xFF)));
    }

    // Every fault the radio can show, in either mode (the identification
    // faults are in identification()): the outcome, the gauge, the table
    // and the settings afterwards, and every block the run requested.
    //
    // channel: the channel whose exchange ended the run (0: none).
    // rowsRead: a read left rows 1..rowsRead as the radio holds them;
    // emptied: the row it emptied (its first block was requested) and no
    // further; every other row keeps its text. A write changes no row.
    // done: the steps after the channel loop that went through: S settings
    // read or acknowledged, 1 and 2 band edges, I identification block,
    // E end command sent.
    // lastChannel: the last channel block requested (0: none); after: the
    // blocks requested after the channel loop, in order.
    void faultMatrix_data()
    {
        QTest::addColumn<TransferMode>("mode");
        QTest::addColumn<QString>("faults");
        QTest::addColumn<int>("outcome");
        QTest::addColumn<int>("channel");
        QTest::addColumn<int>("gauge");
        QTest::addColumn<int>("rowsRead");
        QTest::addColumn<int>("emptied");
        QTest::addColumn<QString>("done");
        QTest::addColumn<int>("lastChannel");
        QTest::addColumn<QList<int>>("after");

        const TransferMode R = TransferMode::Read;
        const TransferMode W = TransferMode::Write;
        const int done = int(Outcome::Done);
        const int check = int(Outcome::CheckFailed);
        const int shortReply = int(Outcome::ShortReply);
        const int lastBlock = 0x0C78;
        const QList<int> readAfter{0x0C80};
        const QList<int> writeAfter{0x0C80, 0x0CA0, 0x0CA8, 0x0C90};

        QTest::newRow("read: no fault")
            << R << "" << done << 0 << 203 << 199 << 0 << "SE" << lastBlock << readAfter;
        QTest::newRow("write: no fault")
            << W << "" << done << 0 << 206 << 0 << 0 << "S12IE" << lastBlock << writeAfter;

        // stop-after: the radio goes quiet.
        QTest::newRow("read: no answer to channel 5's second block")
            << R << "stop-after:0x0058" << check << 5 << 4 << 4 << 5 << "" << 0x0058
            << QList<int>{};
        QTest::newRow("write: no answer to channel 5's first block")
            << W << "stop-after:0x0050" << check << 5 << 4 << 0 << 0 << "" << 0x0050
            << QList<int>{};
        QTest::newRow("write: no answer to channel 199's second block")
            << W << "stop-after:0x0C78" << check << 199 << 199 << 0 << 0 << "" << lastBlock
            << QList<int>{};
        // The read's first check needs a fresh reply; the write's looks at
        // the last one, the acknowledgement before the block read, and sends
        // channel 1's first block into the silence.
        QTest::newRow("read: no answer to the identification block")
            << R << "stop-after:0x0C90" << check << 1 << 0 << 0 << 0 << "" << 0 << QList<int>{};
        QTest::newRow("write: no answer to the identification block")
            << W << "stop-after:0x0C90" << check << 1 << 0 << 0 << 0 << "" << 0x0010
            << QList<int>{};
        // After the loop a missing reply only skips its step, and the checks
        // that look at the last reply, however old, find the acknowledgement
        // of channel 199: the run goes on to the end command and a full gauge.
        QTest::newRow("read: no answer to the settings block")
            << R << "stop-after:0x0C80" << done << 0 << 203 << 199 << 0 << "E" << lastBlock
            << readAfter;
        QTest::newRow("write: no answer to the settings block")
            << W << "stop-after:0x0C80" << done << 0 << 206 << 0 << 0 << "E" << lastBlock
            << writeAfter;

        // nak: a write refused with 0x15.
        QTest::newRow("write: first block of channel 3 refused")
            << W << "nak:0x0030" << check << 3 << 2 << 0 << 0 << "" << 0x0030 << QList<int>{};
        // The refusal of a second block shows at the next channel's check.
        QTest::newRow("write: second block of channel 3 refused")
            << W << "nak:0x0038" << check << 4 << 3 << 0 << 0 << "" << 0x0038 << QList<int>{};
        QTest::newRow("write: band one's edges refused")
            << W << "nak:0x0CA0" << done << 0 << 203 << 0 << 0 << "S" << lastBlock
            << QList<int>{0x0C80, 0x0CA0};
        QTest::newRow("write: identification block refused")
            << W << "nak:0x0C90" << done << 0 << 203 << 0 << 0 << "S12" << lastBlock << writeAfter;
        QTest::newRow("read: refusals concern writes only")
            << R << "nak:0x0050" << done << 0 << 203 << 199 << 0 << "SE" << lastBlock << readAfter;

        // short: a block read answered with fewer than 12 bytes.
        QTest::newRow("read: short reply to channel 1")
            << R << "short:0x0010" << shortReply << 1 << 0 << 0 << 1 << "" << 0x0010
            << QList<int>{};
        QTest::newRow("read: short reply to channel 7's second block")
            << R << "short:0x0078:11" << shortReply << 7 << 6 << 6 << 7 << "" << 0x0078
            << QList<int>{};
        // Below the threshold of 12 the bytes wait; the next reply brings
        // them along, and its first byte is no acknowledgement.
        QTest::newRow("read: short reply to the identification block")
            << R << "short:0x0C90" << check << 1 << 0 << 0 << 0 << "" << 0 << QList<int>{};
        QTest::newRow("write: short reply to the identification block")
            << W << "short:0x0C90" << check << 1 << 0 << 0 << 0 << "" << 0 << QList<int>{};
        // A settings reply too short to decode skips the settings step
        // like a failed check; the acknowledgement's reply then brings the
        // waiting bytes, so the end command is skipped too.
        QTest::newRow("read: short settings reply") << R << "short:0x0C80:11" << done << 0 << 199
                                                    << 199 << 0 << "" << lastBlock << readAfter;
        QTest::newRow("write: short replies concern reads only")
            << W << "short:0x0050" << done << 0 << 206 << 0 << 0 << "S12IE" << lastBlock
            << writeAfter;

        // garbage: replies replaced by other bytes of the same length.
        QTest::newRow("read: every reply garbled")
            << R << "garbage" << int(Outcome::NoIdentification) << 0 << 0 << 0 << 0 << "" << 0
            << QList<int>{};
        QTest::newRow("write: every reply garbled")
            << W << "garbage" << int(Outcome::NoIdentification) << 0 << 0 << 0 << 0 << "" << 0
            << QList<int>{};
        QTest::newRow("read: garbled identification block, which is not used")
            << R << "garbage:0x0C90" << done << 0 << 203 << 199 << 0 << "SE" << lastBlock
            << readAfter;
        QTest::newRow("write: garbled acknowledgement of channel 5's first block")
            << W << "garbage:0x0050" << check << 5 << 4 << 0 << 0 << "" << 0x0050 << QList<int>{};

        // store-wrong: acknowledged, stored with a bit flipped; the run
        // cannot tell.
        QTest::newRow("write: block stored wrong") << W << "store-wrong:0x0050" << done << 0 << 206
                                                   << 0 << 0 << "S12IE" << lastBlock << writeAfter;
        QTest::newRow("read: store-wrong concerns writes only")
            << R << "store-wrong:0x0050" << done << 0 << 203 << 199 << 0 << "SE" << lastBlock
            << readAfter;
    }

    void faultMatrix()
    {
        QFETCH(TransferMode, mode);
        QFETCH(QString, faults);
        QFETCH(int, outcome);
        QFETCH(int, channel);
        QFETCH(int, gauge);
        QFETCH(int, rowsRead);
        QFETCH(int, emptied);
        QFETCH(QString, done);
        QFETCH(int, lastChannel);
        QFETCH(QList<int>, after);
        radio->writeMemory(0, richImage());
        QVERIFY(radio->setFaults(faults));
        fillFiller();
        const QList<int> settingsBefore = indexes(data->settings);
        QSignalSpy progress(run.get(), &ProgrammingRun::progress);

        const ProgrammingResult result = run->run(mode);

        QCOMPARE(int(result.outcome), outcome);
        QCOMPARE(result.linkOk, outcome == int(Outcome::Done));
        QCOMPARE(run->linkOk(), result.linkOk);
        QCOMPARE(result.channel, channel);
        QCOMPARE(result.message.isEmpty(), result.complete());
        QCOMPARE(result.gauge, gauge);
        QCOMPARE(progress.isEmpty() ? 0 : progress.last().at(0).toInt(), gauge);
        const QString steps = QString(result.settingsDone ? "S" : "") +
                              (result.bandOneDone ? "1" : "") + (result.bandTwoDone ? "2" : "") +
                              (result.identDone ? "I" : "") + (result.endSent ? "E" : "");
        QCOMPARE(steps, done);

        const QList<QStringList> rich = richRows();
        for (int row = 1; row <= 199; ++row) {
            const QStringList expected = row <= rowsRead  ? rich.at(row - 1)
                                         : row == emptied ? EmptyRow
                                                          : localised(FillerRow);
            QCOMPARE(rowCells(data->table, row), expected);
        }
        QCOMPARE(indexes(data->settings),
                 mode == TransferMode::Read && done.contains('S') ? RichSettings : settingsBefore);

        QList<int> blocks;
        if (outcome != int(Outcome::NoIdentification))
            blocks << 0x0C90;
        for (int address = 0x0010; lastChannel && address <= lastChannel; address += 8)
            blocks << address;
        blocks << after;
        QCOMPARE(blockRequests(radio->receivedBytes()), blocks);
    }

    // A settings block reply too short to hold the block is not decoded: the
    // settings keep their values and the run goes on.
    void readSettingsShort()
    {
        radio->writeMemory(0, richImage());
        QVERIFY(radio->setFaults(QStringLiteral("short:0x0C80:11")));
        const QList<int> before = indexes(data->settings);

        const ProgrammingResult result = run->run(TransferMode::Read);

        QCOMPARE(result.outcome, Outcome::Done);
        QVERIFY(result.linkOk);
        QVERIFY(!result.settingsDone);
        QVERIFY(!result.complete());
        QCOMPARE(indexes(data->settings), before);
        QCOMPARE(rowCells(data->table, 1).at(3), QStringLiteral("D023N"));
        QCOMPARE(run->image().mid(0x0C80, 8), QByteArray(8, char(0xFF)));
    }

    // A write the codec cannot encode faithfully is refused before a single
    // byte goes out, the start byte included.
    void preflightRefusal()
    {
        setRow(data->table, 12,
               {"43.81250", "OFF", "438.12500", "OFF", "High", "Wide", "ON", "OFF"});
        QSignalSpy finished(run.get(), &ProgrammingRun::finished);

        const ProgrammingResult result = run->run(TransferMode::Write);

        QCOMPARE(result.outcome, Outcome::Refused);
        QVERIFY(!result.linkOk);
        QCOMPARE(result.problems.size(), 1);
        QVERIFY2(result.problems.at(0).contains(QStringLiteral("012")),
                 qPrintable(result.problems.at(0)));
        QCOMPARE(finished.size(), 1);
        QTest::qWait(50);
        QVERIFY(radio->receivedBytes().isEmpty());
        QCOMPARE(link->bytesWaiting(), 0);
    }

    // The line going away (the radio's end closed or the radio gone), or
    // the port being closed, during the run ends it at the next wait instead
    // of letting it sit out its timeouts: as failed, within a second (the
    // remaining waits would take minutes), with one link-lost report and no
    // stream of warnings from the dead port. The rows read so far stay.
    void linkLost_data()
    {
        QTest::addColumn<TransferMode>("mode");
        QTest::addColumn<int>("how");
        const TransferMode R = TransferMode::Read;
        const TransferMode W = TransferMode::Write;
        QTest::newRow("read: the radio end goes away") << R << int(RadioCloses);
        QTest::newRow("read: the radio is destroyed") << R << int(RadioDestroyed);
        QTest::newRow("read: the port is closed") << R << int(PortCloses);
        QTest::newRow("write: the radio end goes away") << W << int(RadioCloses);
        QTest::newRow("write: the radio is destroyed") << W << int(RadioDestroyed);
        QTest::newRow("write: the port is closed") << W << int(PortCloses);
    }

    void linkLost()
    {
        QFETCH(TransferMode, mode);
        QFETCH(int, how);
        radio->writeMemory(0, richImage());
        fillFiller();
        QElapsedTimer sinceGone;
        const auto goAway = [&](quint16 address) {
            if (address != 0x0050)
                return;
            QTimer::singleShot(0, this, [&] {
                sinceGone.start();
                if (how == RadioCloses)
                    radio->close();
                else if (how == RadioDestroyed)
                    radio.reset();
                else
                    link->setPortOpen(false);
            });
        };
        connect(radio.get(), &VirtualRadio::blockRead, this, goAway);
        connect(radio.get(), &VirtualRadio::blockWritten, this, goAway);
        QSignalSpy lost(link.get(), &SerialLink::linkLost);
        MessageCounter messages;

        const ProgrammingResult result = run->run(mode);

        const qint64 endedAfter = sinceGone.elapsed();
        QCOMPARE(result.outcome, Outcome::LinkLost);
        QVERIFY(!result.linkOk);
        QVERIFY(!result.message.isEmpty());
        QCOMPARE(result.channel, 5);
        QCOMPARE(result.gauge, 4);
        QVERIFY(!link->isPortOpen());
        QVERIFY2(endedAfter < 1000, qPrintable(QString::number(endedAfter)));
        QCOMPARE(lost.size(), how == PortCloses ? 0 : 1);
        QTest::qWait(50);
        QVERIFY2(messages.count() <= 1, qPrintable(messages.last()));
        if (mode == TransferMode::Read) {
            const QList<QStringList> rich = richRows();
            for (int row = 1; row <= 4; ++row)
                QCOMPARE(rowCells(data->table, row), rich.at(row - 1));
            QCOMPARE(rowCells(data->table, 5), EmptyRow);
            QCOMPARE(rowCells(data->table, 6), localised(FillerRow));
        }
    }

    // A run started from inside a running one (an event handled in one of
    // its waits) is refused and leaves the running one alone.
    void noReentry()
    {
        radio->writeMemory(0, richImage());
        ProgrammingResult inner;
        connect(run.get(), &ProgrammingRun::progress, this, [&](int value) {
            if (value == 10)
                inner = run->run(TransferMode::Write);
        });
        QSignalSpy finished(run.get(), &ProgrammingRun::finished);

        const ProgrammingResult outer = run->run(TransferMode::Read);

        QCOMPARE(inner.outcome, Outcome::Busy);
        QVERIFY(outer.complete());
        QCOMPARE(finished.size(), 1);
        QCOMPARE(lines(radio->transcript()), lines(fullRead(richImage()).transfers));
    }

    // A run on a closed port sends nothing and fails at once.
    void portClosed()
    {
        link->setPortOpen(false);
        const ProgrammingResult result = run->run(TransferMode::Read);
        QCOMPARE(result.outcome, Outcome::PortClosed);
        QVERIFY(!result.linkOk);
        QTest::qWait(20);
        QVERIFY(radio->receivedBytes().isEmpty());
    }

    // Runs follow each other on the same port; each starts its step counter
    // at 0 without reporting it, and each starts a fresh image.
    void secondRun()
    {
        radio->writeMemory(0, richImage());
        QVERIFY(run->run(TransferMode::Read).complete());
        QSignalSpy progress(run.get(), &ProgrammingRun::progress);
        QVERIFY(run->run(TransferMode::Write).complete());
        QCOMPARE(progress.first().at(0).toInt(), 1);
        // What was written is what was read, in the form a write gives it:
        // flags with a high nibble of F, settings bytes with one of 0, and
        // channels 4 (no receive frequency) and 5 (unreadable) empty.
        QByteArray expected = richImage();
        expected[channelAddress(3) + 12] = char(0xF5);
        expected.replace(channelAddress(4), 16, QByteArray(16, char(0xFF)));
        expected.replace(channelAddress(5), 16, QByteArray(16, char(0xFF)));
        expected[channelAddress(199) + 12] = char(0xFA);
        expected[0x0C81] = char(0x05);
        for (int address = 0x0010; address < 0x0C80; address += 8)
            QCOMPARE(radio->memory().mid(address, 8), expected.mid(address, 8));
        QCOMPARE(radio->memory().mid(0x0C80, 8), expected.mid(0x0C80, 8));
    }

    void transfer_data()
    {
        using ReadBack = TransferOptions::ReadBack;
        QTest::addColumn<TransferMode>("mode");
        QTest::addColumn<QString>("faults");
        QTest::addColumn<ReadBack>("readBack");
        QTest::addColumn<bool>("keepBackup");
        QTest::addColumn<bool>("dataFolderBlocked");
        // The phases as announced, "<phase> <gauge maximum>".
        QTest::addColumn<QStringList>("phases");
        QTest::addColumn<int>("gauge");      // the last value reported
        QTest::addColumn<QString>("backup"); // "", "kept" or "not kept"
        QTest::addColumn<QString>("verify"); // "" (none) or the read-back's outcome
        QTest::addColumn<bool>("succeeded");

        const TransferMode R = TransferMode::Read;
        const TransferMode W = TransferMode::Write;
        const QStringList reading{"Reading 203"};
        const QStringList readingAndBackup{"Reading 203", "KeepingBackup 0"};
        const QStringList writing{"Writing 206"};
        const QStringList writingAndVerifying{"Writing 206", "Verifying 203"};

        QTest::newRow("read: the memory read is kept")
            << R << "" << ReadBack::Never << true << false << readingAndBackup << 203 << "kept"
            << "" << true;
        QTest::newRow("read: settings reply short, the channels' memory is kept all the same")
            << R << "short:0x0C80:11" << ReadBack::Never << true << false << readingAndBackup << 199
            << "kept"
            << "" << false;
        QTest::newRow("read: radio stops at channel 5, nothing is kept")
            << R << "stop-after:0x0050" << ReadBack::Never << true << false << reading << 4 << ""
            << "" << false;
        QTest::newRow("read: no backup asked for")
            << R << "" << ReadBack::Never << false << false << reading << 203 << ""
            << "" << true;
        QTest::newRow("read: a backup that cannot be written does not fail the read")
            << R << "" << ReadBack::Never << true << true << readingAndBackup << 203 << "not kept"
            << "" << true;
        QTest::newRow("read: a read is never read back")
            << R << "" << ReadBack::AfterWriteWentThrough << false << false << reading << 203 << ""
            << "" << true;
        QTest::newRow("write: no read-back asked for")
            << W << "" << ReadBack::Never << true << false << writing << 206 << ""
            << "" << true;
        QTest::newRow("write: read back and verified")
            << W << "" << ReadBack::AfterCompleteWrite << true << false << writingAndVerifying
            << 203 << ""
            << "verified" << true;
        QTest::newRow("write: stored wrongly, the read-back differs")
            << W << "store-wrong:0x0010" << ReadBack::AfterCompleteWrite << true << false
            << writingAndVerifying << 203 << ""
            << "differs" << false;
        QTest::newRow("write: settings refused, read back as the write went through")
            << W << "nak:0x0C80" << ReadBack::AfterWriteWentThrough << true << false
            << writingAndVerifying << 203 << ""
            << "differs" << false;
        QTest::newRow("write: settings refused, incomplete, not read back")
            << W << "nak:0x0C80" << ReadBack::AfterCompleteWrite << true << false << writing << 203
            << ""
            << "" << false;
        QTest::newRow("write: radio stops at channel 5, nothing read back")
            << W << "stop-after:0x0050" << ReadBack::AfterWriteWentThrough << true << false
            << writing << 4 << ""
            << "" << false;
        QTest::newRow("write: the read-back fails")
            << W << "short:0x0030:4" << ReadBack::AfterCompleteWrite << true << false
            << writingAndVerifying << 2 << ""
            << "read failed" << false;
    }

    // The transfer around the run: the phases it announces with their
    // gauges, the backup a read keeps (in the user's data folder, holding
    // the channels the radio holds), the read-back a write asks for (a
    // second session with the radio), and the result it returns and sends.
    void transfer()
    {
        QFETCH(TransferMode, mode);
        QFETCH(QString, faults);
        QFETCH(TransferOptions::ReadBack, readBack);
        QFETCH(bool, keepBackup);
        QFETCH(bool, dataFolderBlocked);
        QFETCH(QStringList, phases);
        QFETCH(int, gauge);
        QFETCH(QString, backup);
        QFETCH(QString, verify);
        QFETCH(bool, succeeded);
        radio->writeMemory(0, richImage());
        QVERIFY(radio->setFaults(faults));
        const QString folder = Backups::defaultFolder();
        QDir(folder).removeRecursively();
        // A file where the data folder would have to be made.
        const QString blocked = dataHome.filePath(QStringLiteral("blocked"));
        if (dataFolderBlocked) {
            QFile file(blocked);
            QVERIFY(file.open(QIODevice::WriteOnly));
            qputenv("XDG_DATA_HOME", QFile::encodeName(blocked));
        }
        const auto restore = qScopeGuard([&] {
            qputenv("XDG_DATA_HOME", QFile::encodeName(dataHome.path()));
            QFile::remove(blocked);
        });

        RadioTransfer transfer(*run);
        QStringList announced;
        connect(&transfer, &RadioTransfer::phaseChanged, this,
                [&](RadioTransfer::Phase phase, int maximum) {
                    announced << QStringLiteral("%1 %2")
                                     .arg(QLatin1String(
                                         QMetaEnum::fromType<RadioTransfer::Phase>().valueToKey(
                                             int(phase))))
                                     .arg(maximum);
                });
        QSignalSpy progress(&transfer, &RadioTransfer::progress);
        QSignalSpy finished(&transfer, &RadioTransfer::finished);
        QSignalSpy sessions(radio.get(), &VirtualRadio::sessionStarted);
        TransferOptions options;
        options.readBack = readBack;
        options.keepBackup = keepBackup;

        const TransferResult result = transfer.perform(mode, options);

        QCOMPARE(announced, phases);
        QCOMPARE(progressValues(progress).value(progress.size() - 1), gauge);
        QCOMPARE(result.succeeded(), succeeded);
        QCOMPARE(finished.size(), 1);
        const auto sent = finished.constFirst().constFirst().value<TransferResult>();
        QCOMPARE(sent.run.outcome, result.run.outcome);
        QCOMPARE(sent.succeeded(), succeeded);

        QCOMPARE(result.backup.has_value(), !backup.isEmpty());
        const QStringList kept = Backups::list(folder);
        if (result.backup) {
            QCOMPARE(result.backup->ok, backup == QLatin1String("kept"));
            QCOMPARE(sent.backup->path, result.backup->path);
        }
        if (backup == QLatin1String("kept")) {
            QCOMPARE(kept, QStringList{result.backup->path});
            QFile file(kept.constFirst());
            QVERIFY(file.open(QIODevice::ReadOnly));
            const QByteArray image = file.readAll();
            QCOMPARE(image.size(), 0x10000);
            QCOMPARE(image.mid(0x0010, 199 * 16), richImage().mid(0x0010, 199 * 16));
        } else {
            QVERIFY(kept.isEmpty());
        }

        QCOMPARE(verifyOutcome(result.verify), verify);
        QCOMPARE(verifyOutcome(sent.verify), verify);
        QCOMPARE(sessions.size(), verify.isEmpty() ? 1 : 2);
    }

    // A transfer started from inside a running one (an event handled in one
    // of its waits) is refused and leaves the running one alone.
    void transferNoReentry()
    {
        radio->writeMemory(0, richImage());
        RadioTransfer transfer(*run);
        TransferResult inner;
        connect(&transfer, &RadioTransfer::progress, this, [&](int value) {
            if (value == 10)
                inner = transfer.perform(TransferMode::Write);
        });
        QSignalSpy finished(&transfer, &RadioTransfer::finished);

        const TransferResult outer =
            transfer.perform(TransferMode::Read, TransferOptions{.keepBackup = false});

        QCOMPARE(inner.run.outcome, Outcome::Busy);
        QVERIFY(!inner.backup && !inner.verify);
        QVERIFY(outer.run.complete());
        QCOMPARE(finished.size(), 1);
        QCOMPARE(lines(radio->transcript()), lines(fullRead(richImage()).transfers));
    }
};

QTEST_GUILESS_MAIN(TestProgrammingRun)
#include "tst_programmingrun.moc"
