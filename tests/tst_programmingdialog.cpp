// Reading and writing the radio through the windows: the read and write commands, the
// programming dialog with its gauge and close rules, the failure messages in the confirmation
// dialog for every fault of the radio and for a line lost during a run, the backups reads keep,
// the read-back after a write, and the demo mode. The real widgets run offscreen and the real
// serial port talks over a pseudo-terminal to a virtual radio, which the program's folder maps to
// COM1 through the [ports] section of its settings file; COM2 is mapped to a device that does not
// exist, COM3 to a radio that goes away. Expected bytes come from the radio's memory layout,
// written out here. The user's data folder, where backups go, is a temporary one.
#include "app/extrafilecommands.h"
#include "app/mainwindow.h"
#include "app/programmingdialog.h"
#include "app/startup.h"
#include "editor/confirmationdialog.h"
#include "model/programfolder.h"
#include "radio/programmingrun.h"
#include "radio/readbackverify.h"
#include "radio/seriallink.h"
#include "sim/virtualradio.h"
#include "storage/backups.h"
#include "storage/settingsfile.h"
#include "testbytes.h"
#include "ui_mainwindow.h"

#include <QAction>
#include <QElapsedTimer>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QScopeGuard>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTimer>
#include <QWindow>
#include <QtTest>

namespace {

const QByteArray NoFrequency = bytes({0xFF, 0xFF, 0xFF, 0xFF});

QByteArray record(const QByteArray &rx, const QByteArray &tx, int rxCode, int txCode, int flags)
{
    return rx + tx + code(rxCode) + code(txCode) + bytes({flags, 0xFF, 0xFF, 0xFF});
}

const QByteArray EmptyRecord(16, char(0xFF));
const QByteArray BandEdges = bytes({0x00, 0x40, 0x00, 0x47, 0x00, 0x40, 0x00, 0x47});
const QByteArray IdentBlock = bytes({0x00, 0x00, 0xF3}) + QByteArrayLiteral("5174Q");

void setRow(ChannelTable &table, int row, const QStringList &cells)
{
    for (int col = 1; col <= 8; ++col)
        table.setCell(col, row, cells.value(col - 1));
}

const QStringList EmptyRow(8, QString());
// What the radio holds in the fault tests, and the row that shows it.
const QByteArray RadioRecord =
    record(frequency("44600625"), frequency("44600625"), 0xFFFF, 0xFFFF, 0xFF);
const QStringList RadioRow{"446.00625", "OFF", "446.00625", "OFF", "High", "Wide", "ON", "OFF"};
// What the table holds in the fault tests, and what a write makes of it.
const QStringList FillerRow{"440.00000", "OFF", "440.00000", "OFF", "High", "Wide", "ON", "OFF"};
const QByteArray FillerRecord =
    record(frequency("44000000"), frequency("44000000"), 0xFFFF, 0xFFFF, 0xFF);
// Squelch 5, VOX 3, time-out 7: none of them the default.
const QByteArray SettingsBlock = bytes({0x00, 0x15, 0x03, 0x07, 0xC0, 0x01, 0xFF, 0xFF});

// RadioRecord in channels 1-12, the rest empty, and SettingsBlock.
void fillRadio(VirtualRadio &radio)
{
    for (int n = 1; n <= 12; ++n)
        radio.writeMemory(0x10 * n, RadioRecord);
    radio.writeMemory(0x0C80, SettingsBlock);
}

// Counts how often a window is shown.
class ShowCounter : public QObject
{
public:
    int shows = 0;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Show)
            ++shows;
        return QObject::eventFilter(watched, event);
    }
};

// Collects the warnings Qt and the program print while it lives, and passes
// them on.
class WarningCounter
{
public:
    WarningCounter()
    {
        s_messages.clear();
        s_previous = qInstallMessageHandler(handler);
    }
    ~WarningCounter() { qInstallMessageHandler(s_previous); }
    qsizetype count() const { return s_messages.size(); }
    QStringList messages() const { return s_messages; }

private:
    static void handler(QtMsgType type, const QMessageLogContext &context, const QString &message)
    {
        // The offscreen platform notes that it cannot raise a window each
        // time a message is shown; that is counted by its showing.
        if (type != QtDebugMsg && type != QtInfoMsg &&
            message != QLatin1String("This plugin does not support raise()"))
            s_messages << message;
        if (s_previous)
            s_previous(type, context, message);
    }
    static inline QStringList s_messages;
    static inline QtMessageHandler s_previous = nullptr;
};

} // namespace

class TestProgrammingDialog : public QObject
{
    Q_OBJECT

    QTemporaryDir m_folder;
    QTemporaryDir m_dataHome;
    VirtualRadio m_radio;
    std::unique_ptr<Program> m_program;

    MainWindow *form() const { return m_program->mainWindow.get(); }
    ProgrammingDialog *dialog() const { return m_program->programmingDialog.get(); }
    ConfirmationDialog *message() const { return m_program->confirmationDialog.get(); }
    const MessageSlots &texts() const { return form()->messages(); }
    RadioData &data() const { return form()->radioData(); }

    // The command of `mode` from the main window, then the start button.
    void open(TransferMode mode)
    {
        if (mode == TransferMode::Write)
            form()->writeRadio();
        else
            form()->readRadio();
    }
    void start() { dialog()->startButton()->click(); }

    QStringList messageLines() const
    {
        // The label breaks long paths after their separators (zero-width
        // spaces); the text is the message's.
        return message()->isVisible() ? message()
                                            ->messageLabel()
                                            ->text()
                                            .remove(QChar(0x200B))
                                            .split(QLatin1Char('\n'))
                                      : QStringList();
    }

    static bool testPortFree(const QString &device) { return SerialLink::testPort(device); }

    static QStringList backups() { return Backups::list(Backups::defaultFolder()); }

    QList<QVariant> settingIndexes() const
    {
        QList<QVariant> indexes;
        for (Setting s : allSettings())
            indexes << data().settings.index(s);
        return indexes;
    }
    QList<QStringList> allRows() const
    {
        QList<QStringList> rows;
        for (int n = 1; n <= ChannelTable::ChannelCount; ++n)
            rows << rowCells(data().table, n);
        return rows;
    }

    void fillTable()
    {
        for (int n = 1; n <= ChannelTable::ChannelCount; ++n)
            setRow(data().table, n, FillerRow);
    }

    void setVerifyOption(bool verify)
    {
        if (form()->ui().verifyAction->isChecked() != verify)
            form()->ui().verifyAction->trigger();
        QCOMPARE(dialog()->verifyAfterWriting(), verify);
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_folder.isValid());
        QVERIFY(m_dataHome.isValid());
        qRegisterMetaType<ProgrammingResult>();
        qRegisterMetaType<VerifyReport>();
        qputenv("XDG_DATA_HOME", QFile::encodeName(m_dataHome.path()));
        QVERIFY(m_radio.open());
        for (const char *name : {"eng.dll", "chn.dll"})
            QVERIFY(QFile::copy(QStringLiteral(QB_BIN_DIR "/") + QLatin1String(name),
                                m_folder.filePath(QLatin1String(name))));
        QFile ini(m_folder.filePath(QStringLiteral("myini.ini")));
        QVERIFY(ini.open(QIODevice::WriteOnly));
        ini.write("[ports]\r\nCOM1=" + m_radio.portName().toLocal8Bit() + "\r\nCOM2=" +
                  m_folder.filePath(QStringLiteral("no-such-port")).toLocal8Bit() + "\r\n");
        ini.close();

        setProgramFolder(m_folder.path());
        m_program = createProgram();
        // The tests change the table and read over it without saving.
        form()->setSaveQuestion([] { return MainWindow::SaveAnswer::Discard; });
        form()->show();
        QVERIFY(QTest::qWaitForWindowExposed(form()));
        QVERIFY(!texts().readCaption.isEmpty());
        QVERIFY(!texts().linkFailedText.isEmpty());
        QCOMPARE(form()->selectedPort(), 1);
        QCOMPARE(form()->serialLink().portName(), m_radio.portName());
        // The CLI's name: both programs keep their backups in one folder.
        QCOMPARE(QCoreApplication::applicationName(), Backups::ApplicationName);
        QCOMPARE(Backups::defaultFolder(), m_dataHome.filePath(QStringLiteral("qb380/backups")));
    }

    void cleanupTestCase()
    {
        m_program.reset();
        setProgramFolder(QString());
    }

    void init()
    {
        data().table.clearAll();
        data().settings.restoreDefaults();
        m_radio.clearFaults();
        m_radio.fillMemory();
        m_radio.clearTranscript();
    }

    // Whatever a test left open is closed, and port 1 chosen again.
    void cleanup()
    {
        if (message()->isVisible())
            message()->okButton()->click();
        if (dialog()->isVisible())
            QVERIFY(dialog()->close());
        QVERIFY(form()->isEnabled());
        QVERIFY(!form()->serialLink().isPortOpen());
        form()->selectPort(1);
        setVerifyOption(false);
    }

    void read_data()
    {
        QTest::addColumn<bool>("unreadable");
        QTest::newRow("every channel readable") << false;
        QTest::newRow("channel 3 holds a frequency with a hex digit") << true;
    }

    // A read through the windows fills the table and the settings, and the
    // gauge stands full; nothing is shown unless a channel could not be.
    void read()
    {
        QFETCH(bool, unreadable);
        m_radio.writeMemory(
            0x10, record(frequency("43812500"), frequency("43812500"), 0x0885, 0xC754, 0xF5));
        m_radio.writeMemory(0x20, record(frequency("46256250"), NoFrequency, 0xFFFF, 0xFFFF, 0xFA));
        if (unreadable)
            m_radio.writeMemory(
                0x30, record(frequency("4381A500"), frequency("43812500"), 0xFFFF, 0xFFFF, 0xFF));
        // Squelch 5 (a high nibble that is ignored), VOX 3, time-out 7, every
        // option bit 0, step index 0, erased LED colours.
        m_radio.writeMemory(0x0C80, bytes({0x00, 0x15, 0x03, 0x07, 0xC0, 0x01, 0xFF, 0xFF}));
        setRow(data().table, 10,
               {"440.00000", "OFF", "440.00000", "OFF", "High", "Wide", "ON", "OFF"});

        open(TransferMode::Read);
        QVERIFY(dialog()->isVisible());
        QVERIFY(!form()->isEnabled());
        QVERIFY(form()->serialLink().isPortOpen());
        QCOMPARE(dialog()->mode(), std::optional(TransferMode::Read));
        QCOMPARE(dialog()->windowTitle(), texts().readCaption);
        QCOMPARE(dialog()->startButton()->text(), texts().readCaption);
        QCOMPARE(dialog()->gauge()->maximum(), 203);
        QCOMPARE(dialog()->gauge()->value(), 0);

        start();
        QCOMPARE(dialog()->gauge()->value(), 203);
        QVERIFY(dialog()->startButton()->isEnabled());
        const ChannelTable &table = data().table;
        QCOMPARE(rowCells(table, 1), QStringList({"438.12500", "88.5", "438.12500", "D754I", "Low",
                                                  "Wide", "OFF", "OFF"}));
        QCOMPARE(rowCells(table, 2),
                 QStringList({"462.56250", "OFF", "", "OFF", "High", "Narrow", "ON", "ON"}));
        QCOMPARE(rowCells(table, 3), QStringList(8, QString()));
        QCOMPARE(rowCells(table, 10), QStringList(8, QString()));
        const FunctionSettings &s = data().settings;
        QCOMPARE(s.index(Setting::Squelch), 5);
        QCOMPARE(s.index(Setting::VoxControl), 3);
        QCOMPARE(s.index(Setting::TxT_O_T), 7);
        QCOMPARE(s.index(Setting::APO), 0);
        QCOMPARE(s.index(Setting::MRfreq_MRCH), 0);
        QCOMPARE(s.index(Setting::Freq_Step), 0);
        QCOMPARE(s.index(Setting::Txlight), 2);
        QCOMPARE(s.index(Setting::Rxlight), 4);

        // The read is one undo step: undo brings back the table before it,
        // redo the radio's.
        const QList<QStringList> read = allRows();
        QVERIFY(form()->undoAction()->isEnabled());
        form()->undoAction()->trigger();
        QCOMPARE(rowCells(table, 10), QStringList({"440.00000", "OFF", "440.00000", "OFF", "High",
                                                   "Wide", "ON", "OFF"}));
        QCOMPARE(rowCells(table, 1), QStringList(8, QString()));
        form()->redoAction()->trigger();
        QCOMPARE(allRows(), read);

        if (unreadable) {
            QCOMPARE(message()->windowTitle(), texts().errorTitle);
            QCOMPARE(messageLines().size(), 1);
            QVERIFY2(messageLines().constFirst().startsWith(QLatin1String("1 channel ")) &&
                         messageLines().constFirst().contains(QLatin1String(": 003.")),
                     qPrintable(messageLines().constFirst()));
            QCOMPARE(message()->pendingAction(), int(ConfirmationDialog::ActionNone));
        } else {
            QVERIFY(!message()->isVisible());
        }
        QVERIFY(!form()->isEnabled());
    }

    // A write through the windows stores the table, the settings, the band
    // edges and the identification block in the radio.
    void write()
    {
        m_radio.fillMemory(0x00);
        ChannelTable &table = data().table;
        setRow(table, 1, {"446.00625", "67.0", "446.00625", "D023N", "High", "Wide", "ON", "OFF"});
        setRow(table, 2, {"438.50000", "", "431.10000", "123.0", "Low", "Narrow", "OFF", "ON"});

        open(TransferMode::Write);
        QVERIFY(dialog()->isVisible());
        QCOMPARE(dialog()->mode(), std::optional(TransferMode::Write));
        QCOMPARE(dialog()->windowTitle(), texts().writeCaption);
        QCOMPARE(dialog()->startButton()->text(), texts().writeCaption);
        QCOMPARE(dialog()->gauge()->maximum(), 206);
        start();
        QCOMPARE(dialog()->gauge()->value(), 206);
        QVERIFY(!message()->isVisible());

        QByteArray channels =
            record(frequency("44600625"), frequency("44600625"), 0x0670, 0x8023, 0xFF) +
            record(frequency("43850000"), frequency("43110000"), 0xFFFF, 0x1230, 0xF0);
        for (int n = 3; n <= 199; ++n)
            channels += EmptyRecord;
        QCOMPARE(m_radio.readMemory(0x10, 199 * 16).toHex(' '), channels.toHex(' '));
        QCOMPARE(m_radio.readMemory(0x0C80, 8),
                 bytes({0xFF, 0x02, 0x00, 0x04, 0xCF, 0x06, 0x02, 0x04}));
        QCOMPARE(m_radio.readMemory(0x0CA0, 16), BandEdges + BandEdges);
        QCOMPARE(m_radio.readMemory(0x0C90, 8), IdentBlock);
        // Nothing outside the map.
        QCOMPARE(m_radio.readMemory(0x0000, 16), QByteArray(16, '\0'));
        QCOMPARE(m_radio.readMemory(0x0C88, 8), QByteArray(8, '\0'));
    }

    // Every fault the virtual radio can show, in either mode, through the
    // windows. The radio holds RadioRow in channels 1-12 and SettingsBlock;
    // every row of the table holds FillerRow.
    //
    // text: the language string first in the message (0: no message; 216:
    // a warning whose only line starts with reason); reason: what the line
    // below it starts with. rowsRead: a read left rows
    // 1..rowsRead as the radio holds them; emptied: the row it emptied (0:
    // none); every other row keeps its text. settingsRead: the read decoded
    // the settings block; otherwise the settings keep their values. stored:
    // the channel blocks the radio stored, from 0x0010 on, in order; the
    // rest of its channel memory is as it was.
    void failures_data()
    {
        QTest::addColumn<int>("port");
        QTest::addColumn<TransferMode>("mode");
        QTest::addColumn<QString>("faults");
        QTest::addColumn<int>("text");
        QTest::addColumn<QString>("reason");
        QTest::addColumn<int>("gauge");
        QTest::addColumn<int>("rowsRead");
        QTest::addColumn<int>("emptied");
        QTest::addColumn<bool>("settingsRead");
        QTest::addColumn<int>("stored");

        const TransferMode R = TransferMode::Read;
        const TransferMode W = TransferMode::Write;
        const int all = 2 * ChannelTable::ChannelCount; // the blocks of every channel
        const QString noIdent =
            QStringLiteral("No radio answered the identification in 6 attempts");
        const QString unrecognised =
            QStringLiteral("The radio's identification reply was not recognised (last reply ");
        const QString stoppedAt = QStringLiteral("The radio stopped answering at channel ");
        const QString notAcknowledged = QStringLiteral("The radio did not acknowledge channel ");
        const QString settingsNotRead =
            QStringLiteral("The channels were read; not done: reading the function settings");
        const QString settingsNotWritten =
            QStringLiteral("The channels were written; not confirmed: the function settings");

        // The port cannot be opened: the dialog does not open.
        QTest::newRow("read: port does not exist")
            << 2 << R << "" << 106 << "" << -1 << 0 << 0 << false << 0;

        // No identification, whatever the reason: nothing changes anywhere.
        QTest::newRow("read: no radio")
            << 1 << R << "silent" << 104 << noIdent << 0 << 0 << 0 << false << 0;
        QTest::newRow("write: no radio")
            << 1 << W << "silent" << 104 << noIdent << 0 << 0 << 0 << false << 0;
        QTest::newRow("read: wrong identification")
            << 1 << R << "wrong-ident" << 104 << unrecognised + "0620544F5256454E) after 6 attempts"
            << 0 << 0 << 0 << false << 0;
        QTest::newRow("write: wrong identification")
            << 1 << W << "wrong-ident" << 104 << unrecognised + "0620544F5256454E) after 6 attempts"
            << 0 << 0 << 0 << false << 0;
        QTest::newRow("read: identification with an extra byte")
            << 1 << R << "ident-extra" << 104
            << unrecognised + "0620746F7276656E00) after 6 attempts" << 0 << 0 << 0 << false << 0;
        QTest::newRow("write: identification with an extra byte")
            << 1 << W << "ident-extra" << 104
            << unrecognised + "0620746F7276656E00) after 6 attempts" << 0 << 0 << 0 << false << 0;
        QTest::newRow("read: every reply garbled")
            << 1 << R << "garbage" << 104 << unrecognised << 0 << 0 << 0 << false << 0;
        QTest::newRow("write: every reply garbled")
            << 1 << W << "garbage" << 104 << unrecognised << 0 << 0 << 0 << false << 0;

        // The radio goes quiet. Before the first channel: the table is
        // untouched.
        QTest::newRow("read: no answer to the identification block")
            << 1 << R << "stop-after:0x0C90" << 104 << stoppedAt + "001" << 0 << 0 << 0 << false
            << 0;
        QTest::newRow("write: no answer to the identification block")
            << 1 << W << "stop-after:0x0C90" << 104 << notAcknowledged + "001" << 0 << 0 << 0
            << false << 0;
        // In the channel loop: a read keeps the rows before and empties the
        // channel whose first block it requested, answered or not.
        QTest::newRow("read: radio stops at channel 5")
            << 1 << R << "stop-after:0x0050" << 104 << stoppedAt + "005" << 4 << 4 << 5 << false
            << 0;
        QTest::newRow("read: no answer to channel 5's second block")
            << 1 << R << "stop-after:0x0058" << 104 << stoppedAt + "005" << 4 << 4 << 5 << false
            << 0;
        QTest::newRow("write: no answer to channel 5's first block")
            << 1 << W << "stop-after:0x0050" << 104 << notAcknowledged + "005" << 4 << 0 << 0
            << false << 8;
        QTest::newRow("write: no answer to channel 199's second block")
            << 1 << W << "stop-after:0x0C78" << 104 << notAcknowledged + "199" << 199 << 0 << 0
            << false << all - 1;
        // After the loop the missing reply only skips its step: a full
        // gauge, the settings as they were, and a warning saying so.
        QTest::newRow("read: no answer to the settings block")
            << 1 << R << "stop-after:0x0C80" << 216 << settingsNotRead << 203 << 199 << 0 << false
            << 0;
        QTest::newRow("write: no answer to the settings block")
            << 1 << W << "stop-after:0x0C80" << 216 << settingsNotWritten << 206 << 0 << 0 << false
            << all;

        // A write refused with 0x15; a refused second block shows at the
        // next channel.
        QTest::newRow("write: first block of channel 3 refused")
            << 1 << W << "nak:0x0030" << 104 << notAcknowledged + "003" << 2 << 0 << 0 << false
            << 4;
        QTest::newRow("write: second block of channel 3 refused")
            << 1 << W << "nak:0x0038" << 104 << "The radio did not acknowledge before channel 004"
            << 3 << 0 << 0 << false << 5;
        // A skipped step after the channels: the gauge stops short of its
        // end and a warning names the step.
        QTest::newRow("write: settings block refused")
            << 1 << W << "nak:0x0C80" << 216 << settingsNotWritten << 203 << 0 << 0 << false << all;
        QTest::newRow("read: refusals concern writes only")
            << 1 << R << "nak:0x0050" << 0 << "" << 203 << 199 << 0 << true << 0;

        // A block read answered with fewer than 12 bytes.
        QTest::newRow("read: short reply to channel 3")
            << 1 << R << "short:0x0030:4" << 104
            << "The radio's reply to the first block of channel 003 was too short (4 of 12 "
               "bytes)"
            << 2 << 2 << 3 << false << 0;
        QTest::newRow("read: short reply to channel 7's second block")
            << 1 << R << "short:0x0078:11" << 104
            << "The radio's reply to the second block of channel 007 was too short (11 of 12 "
               "bytes)"
            << 6 << 6 << 7 << false << 0;
        QTest::newRow("read: short settings reply")
            << 1 << R << "short:0x0C80:11" << 216 << settingsNotRead << 199 << 199 << 0 << false
            << 0;
        // The bytes of a short identification block wait and come with the
        // next reply, whose first byte is then no acknowledgement.
        QTest::newRow("write: short reply to the identification block")
            << 1 << W << "short:0x0C90" << 104 << "The radio did not acknowledge before channel 001"
            << 0 << 0 << 0 << false << 0;
        QTest::newRow("write: short replies to channel blocks concern reads only")
            << 1 << W << "short:0x0050" << 0 << "" << 206 << 0 << 0 << false << all;

        // One garbled reply.
        QTest::newRow("read: garbled identification block, which is not used")
            << 1 << R << "garbage:0x0C90" << 0 << "" << 203 << 199 << 0 << true << 0;
        QTest::newRow("write: garbled acknowledgement of channel 5's first block")
            << 1 << W << "garbage:0x0050" << 104 << notAcknowledged + "005" << 4 << 0 << 0 << false
            << 9;

        // Acknowledged but stored with a bit flipped: only a read-back could
        // tell (verifyAfterWriting).
        QTest::newRow("write: block stored wrong")
            << 1 << W << "store-wrong:0x0050" << 0 << "" << 206 << 0 << 0 << false << all;
        QTest::newRow("read: store-wrong concerns writes only")
            << 1 << R << "store-wrong:0x0050" << 0 << "" << 203 << 199 << 0 << true << 0;
    }

    // A failure shows its language string first and what went wrong below
    // it; the main window stays disabled while the programming dialog is
    // open, also once the message is closed, and is enabled when the
    // dialog closes, which closes the port.
    void failures()
    {
        QFETCH(int, port);
        QFETCH(TransferMode, mode);
        QFETCH(QString, faults);
        QFETCH(int, text);
        QFETCH(QString, reason);
        QFETCH(int, gauge);
        QFETCH(int, rowsRead);
        QFETCH(int, emptied);
        QFETCH(bool, settingsRead);
        QFETCH(int, stored);
        fillRadio(m_radio);
        fillTable();
        const QList<QVariant> settingsBefore = settingIndexes();
        const QByteArray memoryBefore = m_radio.memory();
        QVERIFY(m_radio.setFaults(faults));
        const bool dialogShown = port == 1;
        if (port == 2)
            form()->selectPort(2);

        open(mode);
        QCOMPARE(dialog()->isVisible(), dialogShown);
        QVERIFY(!form()->isEnabled());
        if (dialogShown) {
            QVERIFY(!testPortFree(m_radio.portName()));
            start();
            QCOMPARE(dialog()->gauge()->value(), gauge);
            QCOMPARE(dialog()->gauge()->maximum(), ProgrammingRun::gaugeMaximum(mode));
            QVERIFY(dialog()->startButton()->isEnabled());
        }
        const QStringList lines = messageLines();
        if (text == 0) {
            QVERIFY2(lines.isEmpty(), qPrintable(lines.join('\n')));
        } else if (text == 216) {
            // The channels went through; the step left undone is named.
            QCOMPARE(message()->windowTitle(), texts().warningTitle);
            QCOMPARE(lines.size(), 1);
            QVERIFY2(lines[0].startsWith(reason), qPrintable(lines[0]));
        } else {
            QCOMPARE(message()->windowTitle(), texts().errorTitle);
            QCOMPARE(message()->pendingAction(), int(ConfirmationDialog::ActionNone));
            QCOMPARE(lines.value(0), text == 106 ? texts().portFailedText : texts().linkFailedText);
            // What went wrong, in a line of its own: the device that does
            // not exist, then a line with the ports that are plugged in; or
            // the run's account.
            if (text == 106) {
                QCOMPARE(lines.size(), 3);
                QVERIFY2(lines[1].startsWith(form()->portDevice(2)), qPrintable(lines[1]));
                QVERIFY2(!lines[2].contains(form()->portDevice(2)), qPrintable(lines[2]));
            } else {
                QCOMPARE(lines.size(), 2);
                QVERIFY2(lines[1].startsWith(reason), qPrintable(lines[1]));
            }
        }

        for (int n = 1; n <= ChannelTable::ChannelCount; ++n) {
            const QStringList expected = n <= rowsRead  ? (n <= 12 ? RadioRow : EmptyRow)
                                         : n == emptied ? EmptyRow
                                                        : FillerRow;
            QCOMPARE(rowCells(data().table, n), expected);
        }
        if (settingsRead) {
            QCOMPARE(data().settings.index(Setting::Squelch), 5);
            QCOMPARE(data().settings.index(Setting::VoxControl), 3);
            QCOMPARE(data().settings.index(Setting::TxT_O_T), 7);
        } else {
            QCOMPARE(settingIndexes(), settingsBefore);
        }
        QByteArray memory = memoryBefore;
        for (int block = 0; block < stored; ++block)
            memory.replace(0x10 + 8 * block, 8, FillerRecord.mid(8 * (block % 2), 8));
        for (const RadioFault &fault : RadioFault::parseList(faults).value_or(QList<RadioFault>()))
            if (fault.kind == RadioFault::StoreWrong && fault.address < 0x10 + 8 * stored)
                memory[fault.address] = char(memory.at(fault.address) ^ 0x01);
        for (int address = 0x0010; address < 0x0C80; address += 8)
            QCOMPARE(QString::number(address, 16) + ": " +
                         m_radio.readMemory(address, 8).toHex(' '),
                     QString::number(address, 16) + ": " + memory.mid(address, 8).toHex(' '));
        QVERIFY(!form()->isEnabled());

        if (!lines.isEmpty()) {
            QTest::mouseClick(message()->okButton(), Qt::LeftButton);
            QVERIFY(!message()->isVisible());
            QCOMPARE(form()->isEnabled(), !dialogShown);
        }
        if (dialogShown) {
            QVERIFY(dialog()->isVisible());
            QVERIFY(dialog()->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
            QVERIFY(!testPortFree(m_radio.portName()));
            QTest::mouseClick(dialog()->closeButton(), Qt::LeftButton);
            QVERIFY(!dialog()->isVisible());
            QVERIFY(form()->isEnabled());
            QVERIFY(testPortFree(m_radio.portName()));
        }
    }

    void linkLost_data()
    {
        QTest::addColumn<TransferMode>("mode");
        QTest::newRow("read") << TransferMode::Read;
        QTest::newRow("write") << TransferMode::Write;
    }

    // The radio's end of the line goes away in the middle of a run (a cable
    // pulled, a USB adapter gone): the run ends as failed within a second,
    // not after its remaining timeouts; the message says so once, with no
    // stream of warnings from the dead port; the rows read so far stay; the
    // dialog can be closed, and the port is closed.
    void linkLost()
    {
        QFETCH(TransferMode, mode);
        VirtualRadio vanishing;
        QVERIFY(vanishing.open());
        fillRadio(vanishing);
        fillTable();
        const QString device = vanishing.portName();
        form()->setPortDevice(3, device);
        form()->selectPort(3);
        QCOMPARE(form()->serialLink().portName(), device);

        QElapsedTimer sinceGone;
        const auto goAway = [&](quint16 address) {
            if (address == 0x0050)
                QTimer::singleShot(0, &vanishing, [&] {
                    sinceGone.start();
                    vanishing.close();
                });
        };
        connect(&vanishing, &VirtualRadio::blockRead, this, goAway);
        connect(&vanishing, &VirtualRadio::blockWritten, this, goAway);
        qint64 endedAfter = -1;
        const QMetaObject::Connection ended =
            connect(&form()->programmingRun(), &ProgrammingRun::finished, this,
                    [&] { endedAfter = sinceGone.isValid() ? sinceGone.elapsed() : -1; });
        QStringList boxes;
        form()->setMessageFunction(
            [&boxes](MessageKind, const QString &text) { boxes.append(text); });
        ShowCounter shown;
        message()->installEventFilter(&shown);
        const auto restore = qScopeGuard([&] {
            disconnect(ended);
            form()->setMessageFunction({});
            message()->removeEventFilter(&shown);
        });

        open(mode);
        QVERIFY(dialog()->isVisible());
        QVERIFY(!form()->isEnabled());
        QSignalSpy finished(dialog(), &ProgrammingDialog::runFinished);
        {
            WarningCounter warnings;
            start();
            // Whatever the dead port would still raise has had its chance.
            QTest::qWait(100);
            QVERIFY2(warnings.count() == 0, qPrintable(warnings.messages().join('\n')));
        }

        QCOMPARE(finished.size(), 1);
        const auto result = finished.constFirst().constFirst().value<ProgrammingResult>();
        QCOMPARE(result.outcome, ProgrammingResult::Outcome::LinkLost);
#ifdef __SANITIZE_ADDRESS__
        const qint64 bound = 3000;
#else
        const qint64 bound = 1000;
#endif
        QVERIFY2(endedAfter >= 0 && endedAfter < bound, qPrintable(QString::number(endedAfter)));
        QVERIFY(!form()->serialLink().isPortOpen());

        QCOMPARE(shown.shows, 1);
        QVERIFY2(boxes.isEmpty(), qPrintable(boxes.join('\n')));
        const QStringList lines = messageLines();
        QCOMPARE(message()->windowTitle(), texts().errorTitle);
        QCOMPARE(lines.size(), 2);
        QCOMPARE(lines[0], texts().linkFailedText);
        QVERIFY2(lines[1].startsWith(QLatin1String("The serial line was lost: ") + device +
                                     QLatin1String(": ")),
                 qPrintable(lines[1]));

        QCOMPARE(dialog()->gauge()->value(), 4);
        QVERIFY(dialog()->startButton()->isEnabled());
        const int rowsRead = mode == TransferMode::Read ? 4 : 0;
        for (int n = 1; n <= ChannelTable::ChannelCount; ++n) {
            const QStringList expected = n <= rowsRead        ? RadioRow
                                         : n == 5 && rowsRead ? EmptyRow
                                                              : FillerRow;
            QCOMPARE(rowCells(data().table, n), expected);
        }

        QTest::mouseClick(message()->okButton(), Qt::LeftButton);
        QCOMPARE(shown.shows, 1);
        QVERIFY(!form()->isEnabled());
        QTest::mouseClick(dialog()->closeButton(), Qt::LeftButton);
        QVERIFY(!dialog()->isVisible());
        QVERIFY(form()->isEnabled());
        QVERIFY(!form()->serialLink().isPortOpen());
    }

    // The dialog cannot be closed during a run, from its buttons, the keyboard
    // or the window system, and neither can the main window; afterwards the
    // close button closes it and frees the port for another program.
    void closeDuringRun()
    {
        open(TransferMode::Read);
        struct Attempt
        {
            bool dialogClosed = true;
            bool windowClosed = true;
            bool mainClosed = true;
        } attempt;
        int attempts = 0;
        const QMetaObject::Connection c =
            connect(&form()->programmingRun(), &ProgrammingRun::progress, this, [&](int value) {
                if (value != 100)
                    return;
                ++attempts;
                attempt.dialogClosed = dialog()->close();
                dialog()->closeButton()->click();
                QTest::keyClick(dialog(), Qt::Key_Escape);
                attempt.windowClosed = dialog()->windowHandle()->close();
                attempt.mainClosed = form()->windowHandle()->close();
            });
        start();
        disconnect(c);
        QCOMPARE(attempts, 1);
        QVERIFY(!attempt.dialogClosed);
        QVERIFY(!attempt.windowClosed);
        QVERIFY(!attempt.mainClosed);
        QVERIFY(dialog()->isVisible());
        QVERIFY(form()->isVisible());
        QCOMPARE(dialog()->gauge()->value(), 203);
        QVERIFY(!message()->isVisible());

        // Idle with the port open: the main window still refuses to close.
        QVERIFY(!form()->close());
        QVERIFY(!testPortFree(m_radio.portName()));
        QTest::mouseClick(dialog()->closeButton(), Qt::LeftButton);
        QVERIFY(!dialog()->isVisible());
        QVERIFY(!form()->serialLink().isPortOpen());
        QVERIFY(form()->isEnabled());
        QVERIFY(testPortFree(m_radio.portName()));
    }

    // A write the radio cannot store is refused before any byte: the
    // message names the problems.
    void refusedWrite()
    {
        ChannelTable &table = data().table;
        setRow(table, 1, {"600.00000", "", "446.00625", "", "High", "Wide", "ON", "OFF"});
        setRow(table, 4, {"446.00625", "", "446.00625", "", "Medium", "Wide", "ON", "OFF"});

        open(TransferMode::Write);
        // 600 MHz lies outside the radio's band: that question comes first.
        QCOMPARE(message()->pendingAction(), int(ConfirmationDialog::ActionWrite));
        QTest::mouseClick(message()->okButton(), Qt::LeftButton);
        QVERIFY(dialog()->isVisible());
        start();
        QCOMPARE(dialog()->gauge()->value(), 0);
        QVERIFY(m_radio.receivedBytes().isEmpty());
        const QStringList lines = messageLines();
        QCOMPARE(message()->windowTitle(), texts().errorTitle);
        QCOMPARE(lines.size(), 3);
        QVERIFY(lines[0].contains(QLatin1String("nothing was sent")));
        QVERIFY2(lines[1].startsWith(QLatin1String("Channel 001")), qPrintable(lines[1]));
        QVERIFY2(lines[2].startsWith(QLatin1String("Channel 004")), qPrintable(lines[2]));
        // The longer text makes the message taller, never wider; nothing is
        // cut.
        QLabel *label = message()->messageLabel();
        QCOMPARE(message()->width(), 334);
        QVERIFY(message()->height() > 161);
        QVERIFY(label->height() >= label->heightForWidth(label->width()));
        QVERIFY(message()->okButton()->geometry().top() > label->geometry().bottom());
        QVERIFY(message()->rect().contains(message()->cancelButton()->geometry()));

        // Closing the programming dialog first leaves the main window to
        // the message, which enables it when it closes.
        QTest::mouseClick(dialog()->closeButton(), Qt::LeftButton);
        QVERIFY(!dialog()->isVisible());
        QVERIFY(!form()->serialLink().isPortOpen());
        QVERIFY(!form()->isEnabled());
        QTest::mouseClick(message()->okButton(), Qt::LeftButton);
        QVERIFY(form()->isEnabled());
    }

    // A write with a frequency outside the chosen band ranges asks first,
    // with Cancel as the default: Cancel (or Enter) sends nothing, OK opens
    // the write.
    void outOfBandQuestion_data()
    {
        QTest::addColumn<QString>("answer"); // "ok", "cancel", "enter"
        QTest::newRow("OK") << "ok";
        QTest::newRow("Cancel") << "cancel";
        QTest::newRow("Enter") << "enter";
    }

    void outOfBandQuestion()
    {
        QFETCH(QString, answer);
        setRow(data().table, 3, {"146.52000", "", "446.00625", "", "High", "Wide", "ON", "OFF"});
        open(TransferMode::Write);
        QVERIFY(!dialog()->isVisible());
        QVERIFY(message()->isVisible());
        QCOMPARE(message()->windowTitle(), texts().outOfBandTitle);
        const QStringList lines = messageLines();
        QCOMPARE(lines.size(), 3);
        QCOMPARE(lines[0], texts().outOfBandText);
        QCOMPARE(lines[1], QStringLiteral("003 RX 146.52000 MHz (400-470MHz)"));
        QCOMPARE(lines[2], texts().writeAnywayText);
        QVERIFY(message()->cancelButton()->isDefault());
        QVERIFY(!message()->okButton()->isDefault());
        QCOMPARE(message()->cancelButton()->text(), QStringLiteral("Cancel"));

        if (answer == QLatin1String("ok"))
            QTest::mouseClick(message()->okButton(), Qt::LeftButton);
        else if (answer == QLatin1String("cancel"))
            QTest::mouseClick(message()->cancelButton(), Qt::LeftButton);
        else
            QTest::keyClick(message(), Qt::Key_Return);
        QVERIFY(!message()->isVisible());
        QCOMPARE(dialog()->isVisible(), answer == QLatin1String("ok"));
        if (answer != QLatin1String("ok")) {
            QVERIFY(form()->isEnabled());
            QVERIFY(m_radio.receivedBytes().isEmpty());
            return;
        }
        QCOMPARE(dialog()->mode(), std::optional(TransferMode::Write));
        start();
        QCOMPARE(m_radio.readMemory(0x30, 4), frequency("14652000"));
    }

    // "Back up the radio before writing": the write first reads the radio
    // into a backup image, which holds what the radio held, and leaves the
    // table being written alone; the caption is the write's again after.
    void backupBeforeWriting()
    {
        const QByteArray before = record(frequency("46256250"), NoFrequency, 0xFFFF, 0xFFFF, 0xFA);
        m_radio.writeMemory(0x10, before);
        setRow(data().table, 1,
               {"446.00625", "67.0", "446.00625", "D023N", "High", "Wide", "ON", "OFF"});
        const QList<QStringList> rows = allRows();
        form()->ui().backupFirstAction->trigger();
        QVERIFY(dialog()->backupBeforeWriting());
        const QStringList kept = backups();

        open(TransferMode::Write);
        QStringList captions;
        const QMetaObject::Connection c = connect(dialog(), &QWidget::windowTitleChanged, this,
                                                  [&](const QString &t) { captions << t; });
        start();
        form()->ui().backupFirstAction->trigger();
        QVERIFY(!dialog()->backupBeforeWriting());

        QVERIFY(dialog()->lastRunSucceeded());
        QVERIFY(!message()->isVisible());
        QCOMPARE(dialog()->windowTitle(), texts().writeCaption);
        disconnect(c);
        QCOMPARE(captions, QStringList({texts().backingUpText, texts().writeCaption}));
        QCOMPARE(allRows(), rows);
        QCOMPARE(backups().size(), kept.size() + 1);
        QString backup;
        for (const QString &b : backups())
            if (!kept.contains(b))
                backup = b;
        QFile image(backup);
        QVERIFY(image.open(QIODevice::ReadOnly));
        QCOMPARE(image.readAll().mid(0x10, 16), before);
        QCOMPARE(m_radio.readMemory(0x10, 4), frequency("44600625"));
    }

    // A backup before writing that cannot be read stops the write: the
    // message says why and that nothing was written; the radio keeps what
    // it held and no backup is kept.
    void backupBeforeWritingFails()
    {
        const QByteArray before = record(frequency("46256250"), NoFrequency, 0xFFFF, 0xFFFF, 0xFA);
        m_radio.writeMemory(0x10, before);
        setRow(data().table, 1,
               {"446.00625", "67.0", "446.00625", "D023N", "High", "Wide", "ON", "OFF"});
        const QList<QStringList> rows = allRows();
        const QStringList kept = backups();
        QVERIFY(m_radio.setFaults(QStringLiteral("stop-after:0x0050")));
        form()->ui().backupFirstAction->trigger();

        open(TransferMode::Write);
        start();
        form()->ui().backupFirstAction->trigger();

        QVERIFY(!dialog()->lastRunSucceeded());
        QCOMPARE(dialog()->windowTitle(), texts().writeCaption);
        QCOMPARE(message()->windowTitle(), texts().errorTitle);
        const QStringList lines = messageLines();
        QVERIFY2(lines.size() >= 2, qPrintable(lines.join('\n')));
        QVERIFY2(lines.join('\n').contains(QLatin1String("channel 005")),
                 qPrintable(lines.join('\n')));
        QCOMPARE(lines.constLast(), texts().nothingWrittenText);
        QCOMPARE(backups(), kept);
        QCOMPARE(m_radio.readMemory(0x10, 16), before);
        QCOMPARE(allRows(), rows);
    }

    // A second run in the same dialog starts from the gauge value the first
    // one left.
    void secondRun()
    {
        QVERIFY(m_radio.setFaults(QStringLiteral("stop-after:0050")));
        open(TransferMode::Read);
        start();
        QCOMPARE(dialog()->gauge()->value(), 4);
        message()->okButton()->click();

        m_radio.clearFaults();
        int gaugeAtStart = -1;
        const QMetaObject::Connection c =
            connect(&m_radio, &VirtualRadio::sessionStarted, this, [&] {
                if (gaugeAtStart < 0)
                    gaugeAtStart = dialog()->gauge()->value();
            });
        start();
        disconnect(c);
        QCOMPARE(gaugeAtStart, 4);
        QCOMPARE(dialog()->gauge()->value(), 203);
        QVERIFY(!message()->isVisible());
    }

    void readKeepsBackup_data()
    {
        QTest::addColumn<QString>("faults");
        QTest::addColumn<bool>("kept");
        QTest::newRow("complete read") << "" << true;
        QTest::newRow("settings block reply short") << "short:0C80" << true;
        QTest::newRow("radio stops at channel 5") << "stop-after:0050" << false;
        QTest::newRow("no radio") << "silent" << false;
    }

    // Every read whose channels all came through keeps the memory it read
    // as a backup, and the status bar names it; others keep none.
    void readKeepsBackup()
    {
        QFETCH(QString, faults);
        QFETCH(bool, kept);
        m_radio.writeMemory(
            0x10, record(frequency("43812500"), frequency("43812500"), 0x0885, 0xC754, 0xF5));
        m_radio.writeMemory(0x0C90, IdentBlock);
        QVERIFY(m_radio.setFaults(faults));
        const QStringList before = backups();

        open(TransferMode::Read);
        start();
        const QStringList after = backups();
        QCOMPARE(after.size(), before.size() + (kept ? 1 : 0));
        QStatusBar *status = dialog()->statusBar();
        if (!kept) {
            QCOMPARE(status->currentMessage(), QString());
            return;
        }
        const QString backup = after.constFirst();
        QVERIFY(!before.contains(backup));
        QCOMPARE(status->currentMessage(),
                 QStringLiteral("Backup: ") + QFileInfo(backup).fileName());
        QCOMPARE(status->toolTip(), QDir::toNativeSeparators(backup));
        // The panel with the language's text is only covered.
        QCOMPARE(dialog()->statusPanel()->text(), QStringLiteral("Dravik"));

        QFile file(backup);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray image = file.readAll();
        QCOMPARE(image.size(), 0x10000);
        QCOMPARE(image.mid(0x10, 199 * 16).toHex(' '),
                 m_radio.readMemory(0x10, 199 * 16).toHex(' '));
        QCOMPARE(image.mid(0x0C90, 8), IdentBlock);
        QCOMPARE(image.mid(0x0CA0, 16), QByteArray(16, char(0xFF)));

        // Opening the dialog again clears the note.
        QVERIFY(dialog()->close());
        open(TransferMode::Read);
        QCOMPARE(status->currentMessage(), QString());
    }

    // A backup that cannot be written is a warning; the read stands.
    void backupNotKept()
    {
        const QByteArray home = qgetenv("XDG_DATA_HOME");
        // A file where the data folder would have to be made.
        const QString blocked = m_dataHome.filePath(QStringLiteral("blocked"));
        QFile file(blocked);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();
        qputenv("XDG_DATA_HOME", QFile::encodeName(blocked));
        m_radio.writeMemory(0x10, record(frequency("46256250"), NoFrequency, 0xFFFF, 0xFFFF, 0xFA));

        open(TransferMode::Read);
        start();
        qputenv("XDG_DATA_HOME", home);
        QCOMPARE(data().table.cell(ChannelTable::ColRxFreq, 1), QStringLiteral("462.56250"));
        QVERIFY(dialog()->lastRunSucceeded());
        QCOMPARE(message()->windowTitle(), texts().warningTitle);
        const QStringList lines = messageLines();
        QCOMPARE(lines.size(), 1);
        QVERIFY2(lines[0].startsWith(texts().noBackupText + QLatin1Char(' ')) &&
                     lines[0].size() > texts().noBackupText.size() + 1,
                 qPrintable(lines[0]));
        QCOMPARE(dialog()->statusBar()->currentMessage(), lines[0]);
    }

    // A backup opened as a radio image gives the table and settings its read
    // gave, a channel the grid cannot show included; the band lists stay.
    void backupOpensAsRead()
    {
        m_radio.writeMemory(
            0x10, record(frequency("43812500"), frequency("43812500"), 0x0885, 0xC754, 0xF5));
        m_radio.writeMemory(0x20, record(frequency("46256250"), NoFrequency, 0xFFFF, 0xFFFF, 0xFA));
        m_radio.writeMemory(
            0x30, record(frequency("4381A500"), frequency("43812500"), 0xFFFF, 0xFFFF, 0xFF));
        m_radio.writeMemory(0x0C80, bytes({0x00, 0x15, 0x03, 0x07, 0xC0, 0x01, 0xFF, 0xFF}));
        open(TransferMode::Read);
        start();
        QVERIFY(message()->isVisible()); // channel 3
        message()->okButton()->click();
        QVERIFY(dialog()->close());
        const QString backup = backups().constFirst();
        const QList<QStringList> rows = allRows();
        const QList<QVariant> settings = settingIndexes();
        QCOMPARE(rows[0].constFirst(), QStringLiteral("438.12500"));
        const QStringList bands = data().bands.list1_rx.entries();

        data().table.clearAll();
        data().settings.restoreDefaults();
        setRow(data().table, 150,
               {"440.00000", "OFF", "440.00000", "OFF", "High", "Wide", "ON", "OFF"});
        QList<std::pair<MessageKind, QString>> shown;
        form()->setMessageFunction([&shown](MessageKind kind, const QString &text) {
            shown.append({kind, text});
        });
        QList<FileDialogSetup> setups;
        form()->imageDialog().setRunner([&](QWidget *, const FileDialogSetup &setup) {
            setups << setup;
            return backup;
        });
        form()->ui().openImageAction->trigger();
        form()->setMessageFunction({});

        QCOMPARE(setups.size(), 1);
        QCOMPARE(setups[0].folder, Backups::defaultFolder());
        QCOMPARE(setups[0].title, QStringLiteral("Open radio image"));
        QCOMPARE(setups[0].filter, QStringLiteral("Radio images (*.img);;All files (*)"));
        QCOMPARE(allRows(), rows);
        QCOMPARE(settingIndexes(), settings);
        QCOMPARE(data().bands.list1_rx.entries(), bands);
        QCOMPARE(form()->windowTitle(),
                 QStringLiteral("[*]QB-380    [%1]").arg(QFileInfo(backup).fileName()));
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown[0].first, MessageKind::Warning);
        QVERIFY2(shown[0].second.startsWith(QLatin1String("Channel 003 ")),
                 qPrintable(shown[0].second));
    }

    void verifyAfterWriting_data()
    {
        QTest::addColumn<bool>("verify");
        QTest::addColumn<QString>("faults");
        QTest::addColumn<int>("firstLine"); // language string of the message; 0 none
        QTest::addColumn<QString>("secondLine");
        QTest::addColumn<bool>("succeeded");

        QTest::newRow("verified") << true << "" << 0 << "" << true;
        QTest::newRow("option off, block stored wrongly")
            << false << "store-wrong:0x0010" << 0 << "" << true;
        QTest::newRow("block stored wrongly")
            << true << "store-wrong:0x0010" << 207
            << "Channel 001 receive frequency: stored 446.00625, radio holds 446.00624" << false;
        QTest::newRow("empty channel stored wrongly")
            << true << "store-wrong:0x0030" << 207
            << "Channel 003 byte 0 (0x0030): stored FF, radio holds FE" << false;
        QTest::newRow("settings block refused") << true << "nak:0C80" << 207 << "" << false;
        QTest::newRow("read-back fails") << true << "short:0x0030:4" << 208 << "" << false;
    }

    // With "Verify after writing" a write that went through is read back:
    // the caption says so and the gauge follows the read; a difference is
    // shown with a first line of its own and fails the run.
    void verifyAfterWriting()
    {
        QFETCH(bool, verify);
        QFETCH(QString, faults);
        QFETCH(int, firstLine);
        QFETCH(QString, secondLine);
        QFETCH(bool, succeeded);
        setRow(data().table, 1,
               {"446.00625", "67.0", "446.00625", "D023N", "High", "Wide", "ON", "OFF"});
        setRow(data().table, 2,
               {"438.50000", "", "431.10000", "123.0", "Low", "Narrow", "OFF", "ON"});
        setVerifyOption(verify);
        QVERIFY(m_radio.setFaults(faults));

        open(TransferMode::Write);
        QSignalSpy verified(dialog(), &ProgrammingDialog::verifyFinished);
        QSignalSpy finished(dialog(), &ProgrammingDialog::runFinished);
        QStringList captionsDuringReadBack;
        int highest = 0;
        const QMetaObject::Connection c =
            connect(dialog()->gauge(), &QProgressBar::valueChanged, this, [&](int value) {
                if (dialog()->gauge()->maximum() != ProgrammingRun::ReadGaugeMaximum)
                    return;
                highest = qMax(highest, value);
                if (value == 100)
                    captionsDuringReadBack << dialog()->windowTitle()
                                           << dialog()->statusBar()->currentMessage();
            });
        start();
        disconnect(c);

        QCOMPARE(finished.size(), 1);
        QCOMPARE(verified.size(), verify ? 1 : 0);
        QCOMPARE(dialog()->lastRunSucceeded(), succeeded);
        QCOMPARE(dialog()->windowTitle(), texts().writeCaption);
        QCOMPARE(dialog()->gauge()->maximum(),
                 verify ? ProgrammingRun::ReadGaugeMaximum : ProgrammingRun::WriteGaugeMaximum);
        if (verify && firstLine != 208) {
            QCOMPARE(captionsDuringReadBack,
                     QStringList({texts().verifyingText, texts().verifyingText}));
            QCOMPARE(highest, ProgrammingRun::ReadGaugeMaximum);
        }
        // The user's table is never the read-back's.
        QCOMPARE(data().table.cell(ChannelTable::ColRxFreq, 1), QStringLiteral("446.00625"));

        const QStringList lines = messageLines();
        if (firstLine == 0) {
            QVERIFY2(lines.isEmpty(), qPrintable(lines.join('\n')));
            QCOMPARE(dialog()->statusBar()->currentMessage(),
                     verify ? texts().verifiedText : QString());
            return;
        }
        QCOMPARE(message()->windowTitle(), texts().errorTitle);
        QCOMPARE(lines.value(0),
                 firstLine == 207 ? texts().verifyDiffersText : texts().verifyFailedText);
        QVERIFY(lines.size() >= 2);
        if (!secondLine.isEmpty()) {
            QCOMPARE(lines.size(), 2);
            QCOMPARE(lines[1], secondLine);
        }
        const auto report = verified.constFirst().constFirst().value<VerifyReport>();
        QCOMPARE(report.ok(), false);
        QCOMPARE(dialog()->statusBar()->currentMessage(), QString());

        // The next write in the same dialog runs on the write's scale again.
        message()->okButton()->click();
        m_radio.clearFaults();
        setVerifyOption(false);
        start();
        QCOMPARE(dialog()->gauge()->maximum(), ProgrammingRun::WriteGaugeMaximum);
        QCOMPARE(dialog()->gauge()->value(), ProgrammingRun::WriteGaugeMaximum);
    }

    // The demo radio sits behind COM1 of a program of its own and reads back
    // as a set of channels and settings; the settings file keeps its map.
    void demo()
    {
        QTemporaryDir folder;
        QVERIFY(folder.isValid());
        QVERIFY(QFile::copy(QStringLiteral(QB_BIN_DIR "/eng.dll"), folder.filePath("eng.dll")));
        QVERIFY(QFile::copy(QStringLiteral(QB_BIN_DIR "/chn.dll"), folder.filePath("chn.dll")));
        {
            QFile ini(folder.filePath(QStringLiteral("myini.ini")));
            QVERIFY(ini.open(QIODevice::WriteOnly));
            ini.write("[open]\r\ncom=3\r\n");
        }
        setProgramFolder(folder.path());
        std::unique_ptr<Program> program = createProgram();
        QCOMPARE(program->mainWindow->selectedPort(), 3);
        DemoOptions options;
        options.lineRate = 0;
        QVERIFY(attachDemoRadio(*program, options));
        MainWindow *demoForm = program->mainWindow.get();
        QCOMPARE(demoForm->selectedPort(), 1);
        QCOMPARE(demoForm->portDevice(1), program->demoRadio->portName());
        auto *marker = demoForm->statusBar()->findChild<QLabel *>(QStringLiteral("demoMarker"));
        QVERIFY(marker);
        demoForm->show();
        QVERIFY(QTest::qWaitForWindowExposed(demoForm));
        // In the language shown: English from the folder's library, Chinese
        // after a switch.
        QCOMPARE(marker->text().trimmed(), QStringLiteral("(demo) virtual radio on COM1"));
        demoForm->switchToChinese();
        QCOMPARE(marker->text().trimmed(), QStringLiteral("（演示）虚拟电台接在 COM1"));
        demoForm->switchToEnglish();

        demoForm->readRadio();
        ProgrammingDialog *demoDialog = program->programmingDialog.get();
        QVERIFY(demoDialog->isVisible());
        demoDialog->startButton()->click();
        QCOMPARE(demoDialog->gauge()->value(), 203);
        QVERIFY(!program->confirmationDialog->isVisible());

        const ChannelTable &table = demoForm->radioData().table;
        const QList<QStringList> expected = {
            {"446.00625", "OFF", "446.00625", "OFF", "High", "Wide", "ON", "OFF"},
            {"446.01875", "67.0", "446.01875", "67.0", "High", "Wide", "ON", "OFF"},
            {"446.03125", "88.5", "446.03125", "88.5", "High", "Wide", "ON", "OFF"},
            {"446.04375", "D023N", "446.04375", "D023N", "High", "Wide", "ON", "OFF"},
            {"446.05625", "OFF", "446.05625", "OFF", "Low", "Narrow", "ON", "OFF"},
            {"446.06875", "100.0", "446.06875", "100.0", "High", "Wide", "ON", "OFF"},
            {"446.08125", "D754I", "446.08125", "D754I", "High", "Wide", "ON", "OFF"},
            {"446.09375", "123.0", "446.09375", "OFF", "High", "Wide", "ON", "OFF"},
            {"438.65000", "OFF", "431.05000", "88.5", "High", "Wide", "ON", "OFF"},
            {"438.72500", "71.9", "431.12500", "71.9", "High", "Wide", "ON", "ON"},
            {"439.10000", "OFF", "", "OFF", "High", "Wide", "OFF", "OFF"},
            {"433.50000", "D125N", "433.50000", "D125N", "High", "Wide", "ON", "OFF"},
        };
        for (int n = 1; n <= 12; ++n)
            QCOMPARE(rowCells(table, n), expected[n - 1]);
        QVERIFY(table.isRowEmpty(13));
        const FunctionSettings &s = demoForm->radioData().settings;
        QCOMPARE(s.index(Setting::Squelch), 3);
        QCOMPARE(s.index(Setting::TxT_O_T), 3);
        QCOMPARE(s.index(Setting::Freq_Step), 3);
        QCOMPARE(s.index(Setting::scankind), 0);
        QCOMPARE(s.index(Setting::VFO_MR), 0);
        QCOMPARE(s.index(Setting::Rxlight), 2);

        QVERIFY(demoDialog->close());
        program.reset();
        setProgramFolder(m_folder.path());

        // The demo's device went nowhere near the file, and the port the
        // program started with is kept.
        QFile ini(folder.filePath(QStringLiteral("myini.ini")));
        QVERIFY(ini.open(QIODevice::ReadOnly));
        const QByteArray stored = ini.readAll();
        QVERIFY2(!stored.contains("ports") && !stored.contains("/dev/"), stored.constData());
        QVERIFY2(stored.contains("com=3"), stored.constData());
    }
};

QTEST_MAIN(TestProgrammingDialog)
#include "tst_programmingdialog.moc"
