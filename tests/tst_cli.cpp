// qb380-cli as a user runs it: the built program, copied with eng.dll into a
// program folder of the test's own, against a virtual radio served by this
// process (or by the program's own simulate verb). Expected bytes and file
// lines are built here from the memory layouts and the channel file format.
#include "sim/virtualradio.h"
#include "testbytes.h"

#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QProcess>
#include <QRegularExpression>
#include <QSerialPort>
#include <QSerialPortInfo>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <functional>
#include <sys/resource.h>

#ifdef Q_OS_LINUX
#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

struct Outcome
{
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
};

// The channel file of a table with only channel 1 set, with the settings at
// the given indexes (canonical order), in English texts where it matters
// for the codec: the setting texts after the digit are not read.
QByteArray channelFile(const QStringList &channel1, const QList<int> &settings)
{
    static const QStringList names{"APO",        "BEEP",       "BatSave",   "scankind",
                                   "Ring",       "Scramble",   "VFO/MR",    "MR freq./MR CH",
                                   "Squelch",    "VoxControl", "TxT.O.T",   "keyswitch",
                                   "Switch.U.P", "DownFreq",   "BroadBand", "SpreadFreq",
                                   "band",       "Freq.Step",  "Txlight",   "Rxlight"};
    QByteArray f = "TR-207 MEMORY CHANNEL\r\n\r\n\r\nBAND 400-470MHz\r\n";
    for (int i = 0; i < 20; ++i)
        f += names.at(i).toLatin1() + ' ' + QByteArray::number(settings.at(i)) + " x\r\n";
    f += "\r\n\r\n";
    for (int n = 1; n <= 199; ++n) {
        f += "CH" + QByteArray::number(n).rightJustified(3, '0');
        for (int col = 0; col < 8; ++col)
            f += " | " + (n == 1 ? channel1.at(col).toLatin1() : QByteArray());
        f += " | \r\n";
    }
    return f;
}

const QList<int> DefaultSettings{1, 1, 1, 1, 1, 1, 1, 1, 2, 0, 4, 1, 1, 1, 1, 0, 0, 5, 1, 3};

} // namespace

class TestCli : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir folder; // the program's folder
    QTemporaryDir work;   // the user's files
    QTemporaryDir home;   // the user's data folder (XDG_DATA_HOME): the backups
    std::unique_ptr<VirtualRadio> radio;

    QString backupFolder() const { return home.filePath(QStringLiteral("qb380/backups")); }
    QStringList backups() const { return QDir(backupFolder()).entryList(QDir::Files, QDir::Name); }

    QString program() const { return folder.filePath(QStringLiteral("qb380-cli")); }
    QString file(const QString &name) const { return work.filePath(name); }

    // Runs the program to its end while this process keeps serving the
    // radio; `environment` may change the program's environment, and a
    // `fileSizeLimit` (bytes, with SIGXFSZ ignored) makes every write beyond
    // it fail as a full disk would.
    Outcome cli(const QStringList &args,
                const std::function<void(QProcessEnvironment &)> &changeEnvironment = {},
                rlim_t fileSizeLimit = 0)
    {
        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("XDG_DATA_HOME"), home.path());
        if (changeEnvironment)
            changeEnvironment(environment);
        process.setProcessEnvironment(environment);
        if (fileSizeLimit > 0) {
            process.setChildProcessModifier([fileSizeLimit] {
                ::signal(SIGXFSZ, SIG_IGN);
                rlimit limit{};
                ::getrlimit(RLIMIT_FSIZE, &limit);
                limit.rlim_cur = fileSizeLimit;
                ::setrlimit(RLIMIT_FSIZE, &limit);
            });
        }
        process.start(program(), args);
        QEventLoop loop;
        connect(&process, &QProcess::finished, &loop, &QEventLoop::quit);
        QTimer::singleShot(60000, &loop, &QEventLoop::quit);
        if (process.state() != QProcess::NotRunning)
            loop.exec();
        Outcome o;
        o.exitCode =
            process.state() == QProcess::NotRunning && process.exitStatus() == QProcess::NormalExit
                ? process.exitCode()
                : -1;
        o.out = process.readAllStandardOutput();
        o.err = process.readAllStandardError();
        process.kill();
        process.waitForFinished();
        return o;
    }

    static QByteArray readAll(const QString &path)
    {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    static void writeAll(const QString &path, const QByteArray &data)
    {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        QCOMPARE(f.write(data), data.size());
    }

private slots:
    void initTestCase()
    {
        QVERIFY(folder.isValid() && work.isValid() && home.isValid());
        for (const char *name : {"qb380-cli", "eng.dll"})
            QVERIFY2(QFile::copy(QStringLiteral(QB_BIN_DIR "/") + QLatin1String(name),
                                 folder.filePath(QLatin1String(name))),
                     name);
        QFile::setPermissions(program(), QFile::permissions(program()) | QFile::ExeOwner);
    }

    void init()
    {
        radio = std::make_unique<VirtualRadio>();
        QVERIFY(radio->open());
        QFile::remove(folder.filePath(QStringLiteral("myini.ini")));
        for (const QString &name : QDir(work.path()).entryList(QDir::Files))
            QFile::remove(file(name));
        QDir(backupFolder()).removeRecursively();
    }

    void cleanup() { radio.reset(); }

    // The program's help lists every verb, and every verb it lists answers
    // its own --help; -h, help and a missing verb show the same list. The
    // help names the settings file of the run: beside the program, whose
    // folder is writable.
    void help()
    {
        const Outcome o = cli({"--help"});
        QCOMPARE(o.exitCode, 0);
        QCOMPARE(o.err, QByteArray());
        const QString text = QString::fromLocal8Bit(o.out);
        const qsizetype from = text.indexOf(QLatin1String("\nVerbs:\n"));
        QVERIFY(from >= 0);
        const QString section = text.mid(from, text.indexOf(QLatin1String("\n\n"), from) - from);
        // An entry starts with two blanks and the name; its other lines
        // start with more.
        static const QRegularExpression entry(QStringLiteral("^  ([a-z][a-z-]*)( |$)"));
        QStringList listed;
        for (const QString &line : section.split(QLatin1Char('\n'))) {
            if (const QRegularExpressionMatch match = entry.match(line); match.hasMatch())
                listed << match.captured(1);
        }
        QCOMPARE(listed, QStringList({"read", "write", "export-csv", "import-csv", "ports", "find",
                                      "simulate"}));
        QVERIFY2(text.contains(QLatin1String("\nSettings file of this run: ") +
                               folder.filePath(QStringLiteral("myini.ini")) + QLatin1Char('\n')),
                 o.out.constData());
        for (const QString &verb : std::as_const(listed)) {
            const Outcome own = cli({verb, "--help"});
            QCOMPARE(own.exitCode, 0);
            QVERIFY2(own.out.startsWith("Usage: qb380-cli " + verb.toLatin1() + " [options]"),
                     own.out.constData());
        }
        QCOMPARE(cli({"-h"}).out, o.out);
        QCOMPARE(cli({"help"}).out, o.out);
        QCOMPARE(cli({}).err, "qb380-cli: no verb given\n" + o.out);
        QCOMPARE(cli({"erase"}).err,
                 QByteArray("qb380-cli: unknown verb 'erase'; 'qb380-cli --help' lists the verbs\n"));
    }

    // A read writes the channel file of what the radio holds, in English
    // texts, and the memory image of what it read.
    void read()
    {
        // 438.125 / 88.5, 462.5625 / D023N, low power, wide, scan on, lock on.
        radio->writeMemory(0x0010, bytes({0x00, 0x25, 0x81, 0x43, 0x50, 0x62, 0x25, 0x46, 0x85,
                                          0x08, 0x23, 0x80, 0xF6, 0xFF, 0xFF, 0xFF}));
        // Squelch 5, everything else as the defaults store it.
        radio->writeMemory(0x0C80, bytes({0xFF, 0x05, 0x00, 0x04, 0xCF, 0x06, 0x02, 0x04}));
        radio->writeMemory(0x0CA0, QByteArray(8, char(0x33))); // never read
        // A receive frequency with a digit A: read, but not shown.
        radio->writeMemory(0x0050, bytes({0x00, 0x0A, 0x00, 0x44}));

        const Outcome o = cli({"read", "--port", radio->portName(), "--out", file("radio.r07"),
                               "--image", file("radio.img")});
        QVERIFY2(o.exitCode == 0, o.err.constData());
        // No terminal, so no progress bar: the backup and the warning.
        QCOMPARE(backups().size(), 1);
        const QString backup = QDir(backupFolder()).filePath(backups().constFirst());
        QCOMPARE(o.err.split('\n'),
                 QList<QByteArray>({"qb380-cli: backup: " + backup.toLocal8Bit(),
                                    "qb380-cli: warning: channel(s) 005 hold values that cannot "
                                    "be shown; they are empty in " +
                                        file("radio.r07").toLocal8Bit(),
                                    ""}));

        const QList<QByteArray> lines = readAll(file("radio.r07")).split('\n');
        QCOMPARE(lines.size(), 226); // 225 lines, each ending CR LF
        QCOMPARE(lines.at(3), QByteArray("BAND 400-470MHz\r"));
        QCOMPARE(lines.at(12), QByteArray("Squelch 5 5\r"));
        QCOMPARE(lines.at(26),
                 QByteArray("CH001 | 438.12500 | 88.5 | 462.56250 | D023N | Low | Wide | ON | "
                            "ON | \r"));
        QCOMPARE(lines.at(27), QByteArray("CH002 |  |  |  |  |  |  |  |  | \r"));
        QCOMPARE(lines.at(30), QByteArray("CH005 |  |  |  |  |  |  |  |  | \r"));

        QByteArray image(0x10000, char(0xFF));
        const QByteArray memory = radio->memory();
        image.replace(0x0010, 0x0C70, memory.mid(0x0010, 0x0C70));
        image.replace(0x0C80, 8, memory.mid(0x0C80, 8));
        image.replace(0x0C90, 8, memory.mid(0x0C90, 8));
        QCOMPARE(readAll(file("radio.img")), image);
        QCOMPARE(readAll(backup), image);
    }

    // A write stores the file's channels, settings, band edges and the
    // identification block.
    void write()
    {
        radio->fillMemory(0x00);
        QList<int> settings = DefaultSettings;
        settings[8] = 9; // Squelch
        writeAll(file("in.r07"), channelFile({"438.12500", "88.5", "462.56250", "D023N", "High",
                                              "Wide", "ON", "OFF"},
                                             settings));

        const Outcome o = cli({"write", "--port", radio->portName(), file("in.r07")});
        QVERIFY2(o.exitCode == 0, o.err.constData());

        QCOMPARE(radio->readMemory(0x0010, 16),
                 bytes({0x00, 0x25, 0x81, 0x43, 0x50, 0x62, 0x25, 0x46, 0x85, 0x08, 0x23, 0x80,
                        0xFF, 0xFF, 0xFF, 0xFF}));
        for (int n = 2; n <= 199; ++n)
            QCOMPARE(radio->readMemory(0x10 * n, 16), QByteArray(16, char(0xFF)));
        QCOMPARE(radio->readMemory(0x0C80, 8),
                 bytes({0xFF, 0x09, 0x00, 0x04, 0xCF, 0x06, 0x02, 0x04}));
        QCOMPARE(radio->readMemory(0x0CA0, 16),
                 bytes({0x00, 0x40, 0x00, 0x47, 0x00, 0x40, 0x00, 0x47, 0x00, 0x40, 0x00, 0x47,
                        0x00, 0x40, 0x00, 0x47}));
        QCOMPARE(radio->readMemory(0x0C90, 8),
                 bytes({0x00, 0x00, 0xF3}) + QByteArrayLiteral("5174Q"));
        QCOMPARE(radio->readMemory(0x0000, 16), QByteArray(16, char(0x00)));
    }

    // Every way a command can end, with its status; a read that did not
    // succeed leaves the files it was given as they were.
    void exitCodes_data()
    {
        QTest::addColumn<QStringList>("args"); // "PORT", "OUT", "IMG", "IN" stand in
        QTest::addColumn<QString>("faults");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("message"); // a part of stderr

        const QStringList read{"read", "--port", "PORT", "--out", "OUT", "--image", "IMG"};
        const QStringList write{"write", "--port", "PORT", "IN"};
        QTest::newRow("read, no radio") << read << "silent" << 1 << "No radio answered";
        QTest::newRow("read, radio stops at channel 5")
            << read << "stop-after:0x0050" << 1 << "channel 005";
        QTest::newRow("read, short settings reply")
            << read << "short:0x0C80" << 3 << "function settings";
        QTest::newRow("write, settings refused") << write << "nak:0x0C80" << 3 << "not confirmed";
        QTest::newRow("read, no such port")
            << QStringList{"read", "--port", "/dev/ttyQB380-missing", "--out", "OUT"} << "" << 4
            << "/dev/ttyQB380-missing";
        QTest::newRow("read without --out")
            << QStringList{"read", "--port", "PORT"} << "" << 2 << "--out";
        QTest::newRow("read into a missing folder")
            << QStringList{"read", "--port", "PORT", "--out", "/nonexistent-qb380/x.r07"} << "" << 6
            << "does not exist";
        QTest::newRow("unknown verb") << QStringList{"erase"} << "" << 2 << "unknown verb";
        QTest::newRow("no verb") << QStringList{} << "" << 2 << "no verb";
        QTest::newRow("write, missing file")
            << QStringList{"write", "--port", "PORT", "MISSING"} << "" << 6 << "MISSING";
        QTest::newRow("write, a file and an image")
            << QStringList{"write", "--port", "PORT", "IN", "--image", "IMG"} << "" << 2
            << "either a channel file or --image";
        QTest::newRow("write, an image too short")
            << QStringList{"write", "--port", "PORT", "--image", "SHORT"} << "" << 6
            << "too short for a radio image";
        QTest::newRow("write --verify, settings not read back")
            << QStringList{"write", "--port", "PORT", "--verify", "IN"} << "short:0x0C80" << 7
            << "Settings block: the radio did not return it";
        QTest::newRow("write --backup-first, radio stops at channel 5")
            << QStringList{"write", "--port", "PORT", "--backup-first", "IN"} << "stop-after:0x0050"
            << 1 << "could not be read for a backup";
        QTest::newRow("write --verify, write refused")
            << QStringList{"write", "--port", "PORT", "--verify", "IN"} << "nak:0x0C80" << 3
            << "not confirmed";
        QTest::newRow("read, trace into a missing folder")
            << QStringList{"read",
                           "--port",
                           "PORT",
                           "--out",
                           "OUT",
                           "--trace",
                           "/nonexistent-qb380/t.txt"}
            << "" << 6 << "does not exist";
        QTest::newRow("import-csv, not a channel list")
            << QStringList{"import-csv", "NOTCSV", "OUT"} << "" << 6 << "no Frequency column";
        QTest::newRow("import-csv, one file") << QStringList{"import-csv", "NOTCSV"} << "" << 2
                                              << "needs a CSV file and a channel file";
        QTest::newRow("export-csv, missing file")
            << QStringList{"export-csv", "MISSING", "OUT"} << "" << 6 << "MISSING";
        QTest::newRow("ports, an argument")
            << QStringList{"ports", "COM1"} << "" << 2 << "unexpected argument";
        QTest::newRow("simulate, bad fault")
            << QStringList{"simulate", "--fault", "nak"} << "" << 2 << "needs a block address";
        QTest::newRow("simulate, image and demo")
            << QStringList{"simulate", "--demo", "--image", "IN"} << "" << 2
            << "cannot be given together";
    }

    void exitCodes()
    {
        QFETCH(QStringList, args);
        QFETCH(QString, faults);
        QFETCH(int, exitCode);
        QFETCH(QString, message);
        QVERIFY(radio->setFaults(faults));
        writeAll(file("OUT"), "old file");
        writeAll(file("IN"), channelFile(QStringList(8, QString()), DefaultSettings));
        writeAll(file("SHORT"), QByteArray(0x0C80, char(0xFF)));
        writeAll(file("NOTCSV"), "Name,Number\nAnna,1\n");
        for (QString &a : args) {
            if (a == QLatin1String("PORT"))
                a = radio->portName();
            else if (QStringList{"OUT", "IMG", "IN", "MISSING", "SHORT", "NOTCSV"}.contains(a))
                a = file(a);
        }

        const Outcome o = cli(args);

        QCOMPARE(o.exitCode, exitCode);
        QVERIFY2(o.err.contains(message.toUtf8()), o.err.constData());
        QCOMPARE(readAll(file("OUT")), QByteArray("old file"));
        QVERIFY(!QFile::exists(file("IMG")));
    }

    // A file the radio cannot store is refused before a byte goes out.
    void preflightRefusal()
    {
        writeAll(file("bad.r07"),
                 channelFile({"43.81250", "OFF", "438.12500", "OFF", "High", "Wide", "ON", "OFF"},
                             DefaultSettings));
        const Outcome o = cli({"write", "--port", radio->portName(), file("bad.r07")});
        QCOMPARE(o.exitCode, 5);
        QVERIFY2(o.err.contains("Channel 001"), o.err.constData());
        QTest::qWait(50);
        QVERIFY(radio->receivedBytes().isEmpty());
    }

    // COM1-COM4 go through [ports] of myini.ini beside the program, which
    // is read and left as it was.
    void portEntry()
    {
        const QByteArray ini = "[ports]\r\nCOM3=" + radio->portName().toLocal8Bit() +
                               "\r\n[list1_rx]\r\nlistcount=1\r\ncombo0=420-450MHz\r\n";
        writeAll(folder.filePath(QStringLiteral("myini.ini")), ini);
        const Outcome o = cli({"read", "--port", "com3", "--out", file("a.r07")});
        QVERIFY2(o.exitCode == 0, o.err.constData());
        QVERIFY(readAll(file("a.r07")).contains("BAND 420-450MHz\r\n"));
        QCOMPARE(readAll(folder.filePath(QStringLiteral("myini.ini"))), ini);
    }

    // Read, keep the backup, lose the radio's memory, write the backup
    // back: the radio holds what it held (the band edges come from
    // myini.ini).
    void backupRoundTrip()
    {
        QByteArray memory(0x10000, char(0xFF));
        memory.replace(0x0010, 16,
                       bytes({0x00, 0x25, 0x81, 0x43, 0x50, 0x62, 0x25, 0x46, 0x85, 0x08, 0x23,
                              0x80, 0xF6, 0xFF, 0xFF, 0xFF}));
        memory.replace(0x0C70, 16,
                       bytes({0x00, 0x00, 0x00, 0x40, 0x00, 0x00, 0x00, 0x47, 0x54, 0xC7, 0x00,
                              0x10, 0xF9, 0xFF, 0xFF, 0xFF}));
        memory.replace(0x0C80, 8, bytes({0xFE, 0x07, 0x03, 0x01, 0xCA, 0x03, 0x05, 0x08}));
        memory.replace(0x0C90, 8, bytes({0x00, 0x00, 0xF3}) + QByteArrayLiteral("5174Q"));
        radio->writeMemory(0, memory);

        Outcome o = cli({"read", "--port", radio->portName(), "--out", file("radio.r07")});
        QVERIFY2(o.exitCode == 0, o.err.constData());
        QCOMPARE(backups().size(), 1);
        const QString backup = QDir(backupFolder()).filePath(backups().constFirst());
        QVERIFY2(o.err.contains(backup.toLocal8Bit()), o.err.constData());

        radio->fillMemory(0x00);
        o = cli({"write", "--port", radio->portName(), "--image", backup});
        QVERIFY2(o.exitCode == 0, o.err.constData());
        QCOMPARE(o.err, QByteArray());

        for (const auto &[address, size] : {std::pair{0x0010, 0x0C70}, {0x0C80, 8}, {0x0C90, 8}})
            QCOMPARE(radio->readMemory(address, size), memory.mid(address, size));
        QCOMPARE(radio->readMemory(0x0CA0, 16),
                 bytes({0x00, 0x40, 0x00, 0x47, 0x00, 0x40, 0x00, 0x47, 0x00, 0x40, 0x00, 0x47,
                        0x00, 0x40, 0x00, 0x47}));
    }

    // A frequency outside the chosen band ranges is named on stderr, once
    // per frequency, and written all the same.
    void outOfBandWarning()
    {
        radio->fillMemory(0x00);
        writeAll(file("in.r07"),
                 channelFile({"146.52000", "OFF", "550.00000", "OFF", "High", "Wide", "ON", "OFF"},
                             DefaultSettings));
        const Outcome o = cli({"write", "--port", radio->portName(), file("in.r07")});
        QCOMPARE(o.exitCode, 0);
        QCOMPARE(o.err, QByteArray("Channel 001 receive frequency 146.52000 MHz is outside "
                                   "400-470MHz\nChannel 001 transmit frequency 550.00000 MHz is "
                                   "outside 400-470MHz\n"));
        QCOMPARE(radio->readMemory(0x0010, 8),
                 bytes({0x00, 0x20, 0x65, 0x14, 0x00, 0x00, 0x00, 0x55}));
    }

    // write --backup-first keeps what the radio held before the write, and
    // writing that backup back (--image) restores it; the backup goes into
    // the read's backup folder and is named on stderr. A backup that cannot
    // be read stops the write before any block is written.
    void backupFirst()
    {
        QByteArray memory(0x10000, char(0xFF));
        memory.replace(0x0010, 16,
                       bytes({0x00, 0x25, 0x81, 0x43, 0x50, 0x62, 0x25, 0x46, 0x85, 0x08, 0x23,
                              0x80, 0xF6, 0xFF, 0xFF, 0xFF}));
        memory.replace(0x0C80, 8, bytes({0xFE, 0x07, 0x03, 0x01, 0xCA, 0x03, 0x05, 0x08}));
        memory.replace(0x0C90, 8, bytes({0x00, 0x00, 0xF3}) + QByteArrayLiteral("5174Q"));
        radio->writeMemory(0, memory);
        writeAll(file("in.r07"),
                 channelFile({"446.00625", "OFF", "446.00625", "OFF", "High", "Wide", "ON", "OFF"},
                             DefaultSettings));

        Outcome o = cli({"write", "--port", radio->portName(), "--backup-first", file("in.r07")});
        QVERIFY2(o.exitCode == 0, o.err.constData());
        QCOMPARE(backups().size(), 1);
        const QString backup = QDir(backupFolder()).filePath(backups().constFirst());
        QCOMPARE(o.err, "qb380-cli: backup: " + backup.toLocal8Bit() + '\n');
        QCOMPARE(radio->readMemory(0x0010, 4), bytes({0x25, 0x06, 0x60, 0x44}));

        o = cli({"write", "--port", radio->portName(), "--image", backup});
        QVERIFY2(o.exitCode == 0, o.err.constData());
        for (const auto &[address, size] : {std::pair{0x0010, 0x0C70}, {0x0C80, 8}, {0x0C90, 8}})
            QCOMPARE(radio->readMemory(address, size), memory.mid(address, size));

        // The radio stops answering during the backup's read: nothing is
        // written and no backup kept.
        QDir(backupFolder()).removeRecursively();
        radio->writeMemory(0, memory);
        QVERIFY(radio->setFaults(QStringLiteral("stop-after:0x0050")));
        o = cli({"write", "--port", radio->portName(), "--backup-first", file("in.r07")});
        QCOMPARE(o.exitCode, 1);
        QVERIFY2(o.err.contains("nothing was written"), o.err.constData());
        QVERIFY(backups().isEmpty());
        QCOMPARE(radio->readMemory(0x0010, 16), memory.mid(0x0010, 16));
    }

    // write --verify: a radio that keeps what it was sent, and one that
    // stores a block wrongly.
    void verify_data()
    {
        QTest::addColumn<QString>("fault");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QByteArray>("err");
        QTest::newRow("kept") << "" << 0
                              << QByteArray("qb380-cli: Read back: the radio holds what was "
                                            "written\n");
        QTest::newRow("stored wrongly")
            << "store-wrong:0x0010" << 7
            << QByteArray("Channel 001 receive frequency: stored 438.12500, radio holds "
                          "438.12501\nqb380-cli: Read back: 1 difference(s) between what was "
                          "written and what the radio holds\n");
    }

    void verify()
    {
        QFETCH(QString, fault);
        QFETCH(int, exitCode);
        QFETCH(QByteArray, err);
        QVERIFY(radio->setFaults(fault));
        writeAll(file("in.r07"), channelFile({"438.12500", "88.5", "462.56250", "D023N", "High",
                                              "Wide", "ON", "OFF"},
                                             DefaultSettings));
        const Outcome o = cli({"write", "--port", radio->portName(), "--verify", file("in.r07")});
        QCOMPARE(o.exitCode, exitCode);
        QCOMPARE(o.err, err);
        QVERIFY(backups().isEmpty()); // a read-back is no read of the user's
    }

    // --trace: one line per transfer, every byte; --no-backup keeps none.
    void trace()
    {
        const Outcome o = cli({"read", "--port", radio->portName(), "--out", file("a.r07"),
                               "--trace", file("trace.txt"), "--no-backup"});
        QVERIFY2(o.exitCode == 0, o.err.constData());
        QCOMPARE(o.err, QByteArray());
        QVERIFY(backups().isEmpty());

        const QList<QByteArray> lines = readAll(file("trace.txt")).split('\n');
        static const QRegularExpression shape(
            QStringLiteral("^ *\\d+\\.\\d{3} ([<>]) ([0-9A-F]{2}(?: [0-9A-F]{2})*)$"));
        QByteArray sent;
        QByteArray received;
        for (const QByteArray &line : lines.first(lines.size() - 1)) {
            const QRegularExpressionMatch match = shape.match(QString::fromLatin1(line));
            QVERIFY2(match.hasMatch(), line.constData());
            (match.captured(1) == QLatin1String(">") ? sent : received) +=
                QByteArray::fromHex(match.captured(2).toLatin1());
        }
        QVERIFY(lines.at(0).endsWith(" > 02"));
        QCOMPARE(sent, radio->receivedBytes());
        QCOMPARE(received, radio->sentBytes());
    }

    // A file that cannot be written in full (a file size limit here, as a
    // full disk or a quota would) fails the command with the file and the
    // system's reason; the file that was there stays byte for byte and no
    // temporary is left beside it. A read's files are written all or none.
    void fullDisk_data()
    {
        QTest::addColumn<QStringList>("args"); // OLD: the file that was there
        QTest::addColumn<int>("limit");        // bytes
        QTest::addColumn<QString>("message");  // a part of stderr, after the file
        const QString tooLarge = QString::fromLocal8Bit(strerror(EFBIG));
        QTest::newRow("read's channel file")
            << QStringList{"read", "--port", "PORT", "--out", "OLD", "--no-backup"} << 4096
            << tooLarge;
        QTest::newRow("read's image: the channel file is not written either")
            << QStringList{"read", "--port",  "PORT", "--out",
                           "NEW",  "--image", "OLD",  "--no-backup"}
            << 16384 << tooLarge;
        QTest::newRow("read's trace")
            << QStringList{"read", "--port",  "PORT", "--out",
                           "NEW",  "--trace", "OLD",  "--no-backup"}
            << 4096 << "the trace could not be written (" + tooLarge + ")";
        QTest::newRow("write's trace")
            << QStringList{"write", "--port", "PORT", "IN", "--trace", "OLD"} << 4096
            << "the trace could not be written (" + tooLarge + ")";
        QTest::newRow("import-csv") << QStringList{"import-csv", "CSV", "OLD"} << 4096 << tooLarge;
        QTest::newRow("export-csv") << QStringList{"export-csv", "IN", "OLD"} << 100 << tooLarge;
    }

    void fullDisk()
    {
        QFETCH(QStringList, args);
        QFETCH(int, limit);
        QFETCH(QString, message);
        const QByteArray old(5000, 'o');
        writeAll(file("OLD"), old);
        writeAll(file("IN"), channelFile({"438.12500", "88.5", "443.12500", "D023N", "Low",
                                          "Narrow", "OFF", "ON"},
                                         DefaultSettings));
        writeAll(file("CSV"), "Location,Frequency\r\n1,438.125\r\n");
        const QStringList before = QDir(work.path()).entryList(QDir::Files);
        for (QString &a : args) {
            if (a == QLatin1String("PORT"))
                a = radio->portName();
            else if (QStringList{"OLD", "NEW", "IN", "CSV"}.contains(a))
                a = file(a);
        }

        const Outcome o = cli(args, {}, rlim_t(limit));

        QCOMPARE(o.exitCode, 6);
        QVERIFY2(o.err.contains((file("OLD") + ": ").toLocal8Bit() + message.toLocal8Bit()),
                 o.err.constData());
        QCOMPARE(readAll(file("OLD")), old);
        QCOMPARE(QDir(work.path()).entryList(QDir::Files), before);
    }

    // One file, one role: a path given for two outputs, or for an input and
    // an output, is refused in one line naming both before the radio is
    // touched, also when a link or another spelling leads to the same file
    // (for a file not there yet, through its folder).
    void oneFileOneRole_data()
    {
        QTest::addColumn<QStringList>("args"); // M: a channel file; LINK: a link to it
        QTest::addColumn<QString>("message");
        QTest::newRow("read --out and --trace")
            << QStringList{"read", "--port", "PORT", "--out", "M", "--trace", "M"}
            << "--out and --trace name the same file";
        QTest::newRow("read --out and --image, through a link")
            << QStringList{"read", "--port", "PORT", "--out", "M", "--image", "LINK"}
            << "--out and --image name the same file";
        QTest::newRow("read --image and --trace, a new file through a linked folder")
            << QStringList{"read",    "--port", "PORT",    "--out",     "M",
                           "--image", "NEW",    "--trace", "LINKED/new"}
            << "--image and --trace name the same file";
        QTest::newRow("write FILE and --trace")
            << QStringList{"write", "--port", "PORT", "M", "--trace", "LINK"}
            << "FILE and --trace name the same file";
        QTest::newRow("write --image and --trace")
            << QStringList{"write", "--port", "PORT", "--image", "M", "--trace", "M"}
            << "--image and --trace name the same file";
        QTest::newRow("import-csv into its input")
            << QStringList{"import-csv", "M", "M"} << "IN.csv and OUT.r07 name the same file";
        QTest::newRow("export-csv into its input, through a link")
            << QStringList{"export-csv", "M", "LINK"} << "FILE.r07 and OUT.csv name the same file";
    }

    void oneFileOneRole()
    {
        QFETCH(QStringList, args);
        QFETCH(QString, message);
        const QByteArray m = channelFile(QStringList(8, QString()), DefaultSettings);
        writeAll(file("M"), m);
        QVERIFY(QFile::link(file("M"), file("LINK")));
        QTemporaryDir other;
        QVERIFY(other.isValid());
        QVERIFY(QFile::link(work.path(), other.filePath(QStringLiteral("LINKED"))));
        for (QString &a : args) {
            if (a == QLatin1String("PORT"))
                a = radio->portName();
            else if (a == QLatin1String("LINKED/new"))
                a = other.filePath(a);
            else if (QStringList{"M", "LINK", "NEW"}.contains(a))
                a = file(a == QLatin1String("NEW") ? QStringLiteral("new") : a);
        }

        const Outcome o = cli(args);

        QCOMPARE(o.exitCode, 2);
        QVERIFY2(o.err.startsWith("qb380-cli: " + message.toLocal8Bit()), o.err.constData());
        QCOMPARE(o.err.count('\n'), 1);
        QCOMPARE(readAll(file("M")), m);
        QVERIFY(!QFile::exists(file("new")));
        QCOMPARE(radio->receivedBytes(), QByteArray());
    }

    // Without a usable HOME a read goes on without its backup and says so
    // once; no folder is made under "/" or under the missing HOME.
    void withoutHome_data()
    {
        QTest::addColumn<QString>("homeValue"); // null: HOME unset
        QTest::addColumn<QString>("problem");
        const QString missing = work.filePath(QStringLiteral("gone/home"));
        QTest::newRow("HOME unset") << QString() << "HOME is not set";
        QTest::newRow("HOME empty") << QStringLiteral("") << "HOME is empty";
        QTest::newRow("HOME missing")
            << missing << QStringLiteral("HOME (%1) is not an existing folder").arg(missing);
    }

    void withoutHome()
    {
        QFETCH(QString, homeValue);
        QFETCH(QString, problem);
        const bool rootDataExisted = QFileInfo::exists(QStringLiteral("/.local/share/qb380"));

        const Outcome o =
            cli({"read", "--port", radio->portName(), "--out", file("m.r07")},
                [&](QProcessEnvironment &environment) {
                    for (const char *name : {"HOME", "XDG_DATA_HOME", "XDG_CONFIG_HOME"})
                        environment.remove(QLatin1String(name));
                    if (!homeValue.isNull())
                        environment.insert(QStringLiteral("HOME"), homeValue);
                });

        QVERIFY2(o.exitCode == 0, o.err.constData());
        QCOMPARE(QString::fromLocal8Bit(o.err),
                 QStringLiteral("qb380-cli: warning: no backup was kept: %1, so there is no "
                                "folder to keep backups in\n")
                     .arg(problem));
        QVERIFY(QFile::exists(file("m.r07")));
        QVERIFY(!QFileInfo::exists(work.filePath(QStringLiteral("gone"))));
        if (!rootDataExisted)
            QVERIFY(!QFileInfo::exists(QStringLiteral("/.local/share/qb380")));
    }

    // A channel file through CSV and back; rows an import cannot place are
    // named on stderr and the rest is kept.
    void csv()
    {
        writeAll(file("in.r07"), channelFile({"438.12500", "88.5", "443.12500", "D023N", "Low",
                                              "Narrow", "OFF", "ON"},
                                             DefaultSettings));
        Outcome o = cli({"export-csv", file("in.r07"), file("list.csv")});
        QVERIFY2(o.exitCode == 0, o.err.constData());
        QCOMPARE(o.err, QByteArray());
        const QByteArray csv = readAll(file("list.csv"));
        QVERIFY2(csv.endsWith("\r\n1,,438.125000,+,5.000000,Cross,88.5,88.5,023,NN,023,"
                              "DTCS->Tone,NFM,25.00,S,1.0W,,,,,,ON\r\n"),
                 csv.constData());

        writeAll(file("more.csv"), csv + "2,,438.1,x,,,,,,,,,,,,,,,,,,\r\n");
        o = cli({"import-csv", file("more.csv"), file("out.r07")});
        QVERIFY2(o.exitCode == 0, o.err.constData());
        QCOMPARE(o.err, "qb380-cli: " + file("more.csv").toLocal8Bit() +
                            ": line 3 skipped: Duplex \"x\" is not \"\", +, -, split or off\n"
                            "qb380-cli: 1 channel(s) imported, 1 row(s) skipped\n");
        // The channel lines; the settings are the defaults either way.
        QCOMPARE(readAll(file("out.r07")).split('\n').mid(26),
                 readAll(file("in.r07")).split('\n').mid(26));
    }

    // Every port on a line: device, description, USB identifiers.
    void ports()
    {
        const Outcome o = cli({"ports"});
        QCOMPARE(o.exitCode, 0);
        for (const QByteArray &line : o.out.split('\n')) {
            if (!line.isEmpty())
                QCOMPARE(line.count('\t'), 2);
        }
        QVERIFY(!o.out.isEmpty() || o.err.contains("no serial ports found"));
    }

    // The program's own virtual radio: PORT first, served until SIGTERM,
    // then its image saved with what was written to it.
    // find: the virtual radio is found and left ready for the read that
    // follows (the handshake and the end command, no block read or
    // written); a silent radio, a port another program holds and a missing
    // device are reported on stderr, each with its reason, and find fails.
    void find_data()
    {
        QTest::addColumn<QString>("faults");
        QTest::addColumn<QString>("port"); // "PORT" stands in for the radio's
        QTest::addColumn<bool>("holdPort");
        QTest::addColumn<QString>("message"); // a part of stderr

        QTest::newRow("radio") << ""
                               << "PORT" << false << "";
        QTest::newRow("silent radio") << "silent"
                                      << "PORT" << false << "No radio answered";
        QTest::newRow("port in use") << ""
                                     << "PORT" << true << "is in use by";
        QTest::newRow("missing device") << ""
                                        << "/dev/ttyQB380-missing" << false
                                        << "/dev/ttyQB380-missing: skipped: the "
                                           "port does not exist";
    }

    void find()
    {
        QFETCH(QString, faults);
        QFETCH(QString, port);
        QFETCH(bool, holdPort);
        QFETCH(QString, message);
        QVERIFY(radio->setFaults(faults));
        if (port == QLatin1String("PORT"))
            port = radio->portName();
        QSerialPort holder(port);
        if (holdPort)
            QVERIFY(holder.open(QIODevice::ReadWrite));
        QSignalSpy started(radio.get(), &VirtualRadio::sessionStarted);
        QSignalSpy ended(radio.get(), &VirtualRadio::sessionEnded);
        QSignalSpy read(radio.get(), &VirtualRadio::blockRead);
        QSignalSpy written(radio.get(), &VirtualRadio::blockWritten);
        QElapsedTimer clock;
        clock.start();

        const Outcome o = cli({"find", "--port", port});

        if (message.isEmpty()) {
            QVERIFY2(o.exitCode == 0, o.err.constData());
            QCOMPARE(o.out, "FOUND " + port.toLocal8Bit() + "\n");
            QTRY_COMPARE(ended.size(), 1);
            QCOMPARE(started.size(), 1);
            QCOMPARE(read.size(), 0);
            QCOMPARE(written.size(), 0);
            QVERIFY(!radio->inSession());
            const Outcome next = cli({"read", "--port", port, "--out", file("after.r07")});
            QVERIFY2(next.exitCode == 0, next.err.constData());
            return;
        }
        QCOMPARE(o.exitCode, 1);
        QVERIFY(!o.out.contains("FOUND " + port.toLocal8Bit()));
        QVERIFY2(o.err.contains(message.toUtf8()), o.err.constData());
        if (holdPort) {
            // The lock file names this process.
            const QByteArray holderText =
                QByteArray("process ") + QByteArray::number(QCoreApplication::applicationPid());
            QVERIFY2(o.err.contains(holderText), o.err.constData());
            QCOMPARE(started.size(), 0);
        }
        // A port that does not answer takes about two seconds at most (the
        // listed ports of this machine add theirs).
        if (QSerialPortInfo::availablePorts().isEmpty())
            QVERIFY2(clock.elapsed() < 4000, QByteArray::number(clock.elapsed()).constData());
    }

    // A user who may not open the device, because it belongs to a group
    // they are not in, is told which group and how to join it, exactly as
    // such a user meets it: a pseudo-terminal of group dialout, mode 0660,
    // opened by qb380-cli running as nobody. The exit status stays 4.
    void permissionDenied()
    {
#ifdef Q_OS_LINUX
        if (::geteuid() != 0)
            QSKIP("needs root to run qb380-cli as the user nobody");
        const QString setpriv = QStandardPaths::findExecutable(QStringLiteral("setpriv"));
        if (setpriv.isEmpty())
            QSKIP("setpriv (util-linux) is not installed");
        const group *dialout = ::getgrnam("dialout");
        if (!dialout)
            QSKIP("this system has no group dialout");
        const passwd *nobody = ::getpwnam("nobody");
        QVERIFY(nobody);
        const QByteArray device = radio->portName().toLocal8Bit();
        QCOMPARE(::chown(device.constData(), 0, dialout->gr_gid), 0);
        QCOMPARE(::chmod(device.constData(), 0660), 0);

        // A program folder and a home nobody may use.
        QTemporaryDir shared;
        QVERIFY(shared.isValid());
        QFile::setPermissions(shared.path(), QFileDevice::Permissions(0x7755));
        for (const char *name : {"qb380-cli", "eng.dll"}) {
            QVERIFY(QFile::copy(folder.filePath(QLatin1String(name)),
                                shared.filePath(QLatin1String(name))));
            QFile::setPermissions(shared.filePath(QLatin1String(name)),
                                  QFileDevice::Permissions(0x7755));
        }
        QVERIFY(QDir(shared.path()).mkdir(QStringLiteral("home")));
        const QByteArray home = shared.filePath(QStringLiteral("home")).toLocal8Bit();
        QCOMPARE(::chown(home.constData(), nobody->pw_uid, nobody->pw_gid), 0);

        QProcess process;
        QProcessEnvironment environment;
        environment.insert(QStringLiteral("HOME"), QString::fromLocal8Bit(home));
        environment.insert(QStringLiteral("PATH"), QStringLiteral("/usr/bin:/bin"));
        process.setProcessEnvironment(environment);
        process.start(setpriv, {"--reuid=nobody", "--regid=" + QString::number(nobody->pw_gid),
                                "--clear-groups", shared.filePath(QStringLiteral("qb380-cli")),
                                "read", "--port", radio->portName(), "--out",
                                QString::fromLocal8Bit(home) + "/x.r07"});
        QVERIFY(process.waitForFinished(30000));
        const QByteArray err = process.readAllStandardError();
        QCOMPARE(process.exitCode(), 4);
        QVERIFY2(err.contains(device + ": permission denied: the device belongs to the group "
                                       "dialout, which you are not in."),
                 err.constData());
        QVERIFY2(err.contains("sudo usermod -aG dialout $USER"), err.constData());
        QVERIFY2(!err.contains("in use"), err.constData());
#else
        QSKIP("the group of a device is a Linux matter");
#endif
    }

    void simulate()
    {
        QByteArray image(0x1000, char(0xFF));
        image.replace(0x0C80, 8, bytes({0xFF, 0x07, 0x00, 0x04, 0xCF, 0x06, 0x02, 0x04}));
        writeAll(file("in.img"), image);
        QProcess sim;
        sim.start(program(),
                  {"simulate", "--image", file("in.img"), "--save-image", file("out.img")});
        QTRY_VERIFY_WITH_TIMEOUT(sim.canReadLine(), 10000);
        const QByteArray first = sim.readLine().trimmed();
        QVERIFY2(first.startsWith("PORT /dev/"), first.constData());
        const QString port = QString::fromLocal8Bit(first.mid(5));

        Outcome o = cli({"read", "--port", port, "--out", file("sim.r07")});
        QVERIFY2(o.exitCode == 0, o.err.constData());
        QVERIFY(readAll(file("sim.r07")).contains("\r\nSquelch 7 7\r\n"));
        writeAll(file("in.r07"),
                 channelFile({"450.00000", "OFF", "450.00000", "OFF", "High", "Wide", "ON", "OFF"},
                             DefaultSettings));
        o = cli({"write", "--port", port, file("in.r07")});
        QVERIFY2(o.exitCode == 0, o.err.constData());

        sim.terminate();
        QTRY_COMPARE_WITH_TIMEOUT(sim.state(), QProcess::NotRunning, 10000);
        QCOMPARE(sim.exitStatus(), QProcess::NormalExit);
        QCOMPARE(sim.exitCode(), 0);
        const QByteArray saved = readAll(file("out.img"));
        QCOMPARE(saved.size(), 0x10000);
        QCOMPARE(saved.mid(0x0010, 16), bytes({0x00, 0x00, 0x00, 0x45, 0x00, 0x00, 0x00, 0x45, 0xFF,
                                               0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}));
        QCOMPARE(saved.mid(0x0C80, 8), bytes({0xFF, 0x02, 0x00, 0x04, 0xCF, 0x06, 0x02, 0x04}));
    }

    // The demo radio reads back as its sample channels.
    void simulateDemo()
    {
        QProcess sim;
        sim.start(program(), {"simulate", "--demo"});
        QTRY_VERIFY_WITH_TIMEOUT(sim.canReadLine(), 10000);
        const QByteArray first = sim.readLine().trimmed();
        QVERIFY2(first.startsWith("PORT /dev/"), first.constData());
        const Outcome o =
            cli({"read", "--port", QString::fromLocal8Bit(first.mid(5)), "--out", file("d.r07")});
        sim.terminate();
        QTRY_COMPARE_WITH_TIMEOUT(sim.state(), QProcess::NotRunning, 10000);
        QVERIFY2(o.exitCode == 0, o.err.constData());
        const QByteArray read = readAll(file("d.r07"));
        QVERIFY(read.contains("\r\nCH001 | 446.00625 | OFF | 446.00625 | OFF | High | Wide | ON | "
                              "OFF | \r\n"));
        QVERIFY(read.contains("\r\nCH011 | 439.10000 | OFF |  | OFF | High | Wide | OFF | OFF | "
                              "\r\n"));
        QVERIFY(read.contains("\r\nCH012 | 433.50000 | D125N |"));
        QVERIFY(read.contains("\r\nCH013 |  |"));
        QVERIFY(read.contains("\r\nSquelch 3 3\r\n"));
    }
};

QTEST_GUILESS_MAIN(TestCli)
#include "tst_cli.moc"
