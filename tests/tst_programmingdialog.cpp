// Reading and writing the radio through the windows: the read and write
// commands, the programming dialog with its gauge and close rules, the
// failure messages in the confirmation dialog, and the demo mode. The real
// widgets run offscreen and the real serial port talks over a pseudo-terminal
// to a virtual radio, which the program's folder maps to COM1 through the
// [ports] section of its settings file; COM2 is mapped to a device that does
// not exist. Expected bytes come from the radio's memory layout, written out
// here.
#include "app/mainwindow.h"
#include "app/programmingdialog.h"
#include "app/startup.h"
#include "editor/confirmationdialog.h"
#include "model/programfolder.h"
#include "radio/programmingrun.h"
#include "radio/seriallink.h"
#include "sim/virtualradio.h"

#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QWindow>
#include <QtTest>

namespace {

QByteArray bytes(std::initializer_list<int> values)
{
    QByteArray b;
    for (int v : values)
        b.append(char(v));
    return b;
}

// Eight BCD digits in units of 10 Hz, least significant byte first; the
// digits are taken as hex so that a test can store a digit A-F.
QByteArray frequency(const char *digits8)
{
    const QByteArray d(digits8);
    QByteArray out;
    for (int pair = 3; pair >= 0; --pair)
        out.append(char(d.mid(2 * pair, 2).toInt(nullptr, 16)));
    return out;
}
const QByteArray NoFrequency = bytes({0xFF, 0xFF, 0xFF, 0xFF});

// A 16-bit sub-audio value, low byte first.
QByteArray code(int value)
{
    return bytes({value & 0xFF, value >> 8});
}

QByteArray record(const QByteArray &rx, const QByteArray &tx, int rxCode, int txCode, int flags)
{
    return rx + tx + code(rxCode) + code(txCode) + bytes({flags, 0xFF, 0xFF, 0xFF});
}

const QByteArray EmptyRecord(16, char(0xFF));
const QByteArray BandEdges = bytes({0x00, 0x40, 0x00, 0x47, 0x00, 0x40, 0x00, 0x47});
const QByteArray IdentBlock = bytes({0x00, 0x00, 0xF3}) + QByteArrayLiteral("5174Q");

QStringList rowCells(const ChannelTable &table, int row)
{
    QStringList cells;
    for (int col = 1; col <= 8; ++col)
        cells << table.cell(col, row);
    return cells;
}

void setRow(ChannelTable &table, int row, const QStringList &cells)
{
    for (int col = 1; col <= 8; ++col)
        table.setCell(col, row, cells.value(col - 1));
}

} // namespace

class TestProgrammingDialog : public QObject
{
    Q_OBJECT

    QTemporaryDir m_folder;
    VirtualRadio m_radio;
    std::unique_ptr<Program> m_program;

    Tform1 *form() const { return m_program->form1.get(); }
    TR_and_W *dialog() const { return m_program->R_and_W.get(); }
    Tmessage1 *message() const { return m_program->message1.get(); }
    const MessageSlots &texts() const { return form()->messages(); }
    RadioData &data() const { return form()->radioData(); }

    // The command of `mode` from the main window, then the start button.
    void open(int mode)
    {
        if (mode == ProgrammingRun::Write)
            form()->write2Click();
        else
            form()->read1Click();
    }
    void start() { dialog()->bsSkinButton1()->click(); }

    QStringList messageLines() const
    {
        return message()->isVisible() ? message()->cap1()->text().split(QLatin1Char('\n'))
                                      : QStringList();
    }

    static bool testPortFree(const QString &device) { return SerialLink::testPort(device); }

private slots:
    void initTestCase()
    {
        QVERIFY(m_folder.isValid());
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
        form()->show();
        QVERIFY(QTest::qWaitForWindowExposed(form()));
        QVERIFY(!texts().ReadCaption.isEmpty());
        QVERIFY(!texts().LinkFailedText.isEmpty());
        QCOMPARE(form()->CommPort(), 1);
        QCOMPARE(form()->serialLink().portName(), m_radio.portName());
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
            message()->bsSkinButton1()->click();
        if (dialog()->isVisible())
            QVERIFY(dialog()->close());
        QVERIFY(form()->isEnabled());
        QVERIFY(!form()->serialLink().PortOpen());
        form()->COM11Click();
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

        open(ProgrammingRun::Read);
        QVERIFY(dialog()->isVisible());
        QVERIFY(!form()->isEnabled());
        QVERIFY(form()->serialLink().PortOpen());
        QCOMPARE(dialog()->Tag(), 1);
        QCOMPARE(dialog()->windowTitle(), texts().ReadCaption);
        QCOMPARE(dialog()->bsSkinButton1()->text(), texts().ReadCaption);
        QCOMPARE(dialog()->bsSkinGauge1()->maximum(), 203);
        QCOMPARE(dialog()->bsSkinGauge1()->value(), 0);

        start();
        QCOMPARE(dialog()->bsSkinGauge1()->value(), 203);
        QVERIFY(dialog()->bsSkinButton1()->isEnabled());
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

        if (unreadable) {
            QCOMPARE(message()->windowTitle(), texts().ErrorTitle);
            QCOMPARE(messageLines().size(), 1);
            QVERIFY2(messageLines().constFirst().startsWith(QLatin1String("1 channel ")) &&
                         messageLines().constFirst().contains(QLatin1String(": 003.")),
                     qPrintable(messageLines().constFirst()));
            QCOMPARE(message()->PendingAction(), int(Tmessage1::ActionNone));
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

        open(ProgrammingRun::Write);
        QVERIFY(dialog()->isVisible());
        QCOMPARE(dialog()->Tag(), 2);
        QCOMPARE(dialog()->windowTitle(), texts().WriteCaption);
        QCOMPARE(dialog()->bsSkinButton1()->text(), texts().WriteCaption);
        QCOMPARE(dialog()->bsSkinGauge1()->maximum(), 206);
        start();
        QCOMPARE(dialog()->bsSkinGauge1()->value(), 206);
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

    void failures_data()
    {
        QTest::addColumn<int>("port");
        QTest::addColumn<int>("mode");
        QTest::addColumn<QString>("faults");
        QTest::addColumn<bool>("dialogShown");
        QTest::addColumn<int>("text");  // the language string first in the message; 0 none
        QTest::addColumn<int>("gauge"); // after the run
        QTest::addColumn<int>("rowsRead");
        QTest::addColumn<int>("clearedRow"); // emptied by a read that ended there; 0 none

        QTest::newRow("port does not exist") << 2 << 1 << "" << false << 106 << -1 << 0 << 0;
        QTest::newRow("no radio") << 1 << 1 << "silent" << true << 104 << 0 << 0 << 0;
        QTest::newRow("wrong identification")
            << 1 << 2 << "wrong-ident" << true << 104 << 0 << 0 << 0;
        QTest::newRow("radio stops at channel 5")
            << 1 << 1 << "stop-after:0050" << true << 104 << 4 << 4 << 5;
        QTest::newRow("short reply") << 1 << 1 << "short:0030:4" << true << 104 << 2 << 2 << 3;
        QTest::newRow("NAK on the settings block")
            << 1 << 2 << "nak:0C80" << true << 0 << 203 << 0 << 0;
    }

    // A failure shows its language string first and what went wrong below
    // it; the main window stays disabled while the programming dialog is
    // open, also once the message is closed, and is enabled when the
    // dialog closes, which closes the port.
    void failures()
    {
        QFETCH(int, port);
        QFETCH(int, mode);
        QFETCH(QString, faults);
        QFETCH(bool, dialogShown);
        QFETCH(int, text);
        QFETCH(int, gauge);
        QFETCH(int, rowsRead);
        QFETCH(int, clearedRow);
        for (int n = 1; n <= 12; ++n) {
            m_radio.writeMemory(0x10 * n, record(frequency("44600625"), frequency("44600625"),
                                                 0xFFFF, 0xFFFF, 0xFF));
            setRow(data().table, n,
                   {"440.00000", "OFF", "440.00000", "OFF", "High", "Wide", "ON", "OFF"});
        }
        QVERIFY(m_radio.setFaults(faults));
        if (port == 2)
            form()->COM21Click();

        open(mode);
        QCOMPARE(dialog()->isVisible(), dialogShown);
        if (dialogShown) {
            start();
            QCOMPARE(dialog()->bsSkinGauge1()->value(), gauge);
            QCOMPARE(dialog()->bsSkinGauge1()->maximum(), mode == 2 ? 206 : 203);
        }
        const QStringList lines = messageLines();
        if (text == 0) {
            QVERIFY(lines.isEmpty());
        } else {
            QCOMPARE(message()->windowTitle(), texts().ErrorTitle);
            QCOMPARE(message()->PendingAction(), int(Tmessage1::ActionNone));
            QCOMPARE(lines.value(0), text == 106 ? texts().PortFailedText : texts().LinkFailedText);
            // What went wrong, in a line of its own: the device and the
            // system's reason, or the run's account.
            QCOMPARE(lines.size(), 2);
            if (text == 106)
                QVERIFY2(lines[1].startsWith(form()->portDevice(2) + QLatin1String(": ")),
                         qPrintable(lines[1]));
        }
        for (int n = 1; n <= 12; ++n) {
            const QString expected = n <= rowsRead     ? QStringLiteral("446.00625")
                                     : n == clearedRow ? QString()
                                                       : QStringLiteral("440.00000");
            QCOMPARE(data().table.cell(ChannelTable::ColRxFreq, n), expected);
        }
        QVERIFY(!form()->isEnabled());

        if (!lines.isEmpty()) {
            QTest::mouseClick(message()->bsSkinButton1(), Qt::LeftButton);
            QVERIFY(!message()->isVisible());
            QCOMPARE(form()->isEnabled(), !dialogShown);
        }
        if (dialogShown) {
            QVERIFY(dialog()->isVisible());
            QVERIFY(dialog()->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
            QVERIFY(!testPortFree(m_radio.portName()));
            QTest::mouseClick(dialog()->bsSkinButton2(), Qt::LeftButton);
            QVERIFY(!dialog()->isVisible());
            QVERIFY(form()->isEnabled());
            QVERIFY(testPortFree(m_radio.portName()));
        }
    }

    // The dialog cannot be closed during a run, from its buttons, the keyboard
    // or the window system, and neither can the main window; afterwards the
    // close button closes it and frees the port for another program.
    void closeDuringRun()
    {
        open(ProgrammingRun::Read);
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
                dialog()->bsSkinButton2()->click();
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
        QCOMPARE(dialog()->bsSkinGauge1()->value(), 203);
        QVERIFY(!message()->isVisible());

        // Idle with the port open: the main window still refuses to close.
        QVERIFY(!form()->close());
        QVERIFY(!testPortFree(m_radio.portName()));
        QTest::mouseClick(dialog()->bsSkinButton2(), Qt::LeftButton);
        QVERIFY(!dialog()->isVisible());
        QVERIFY(!form()->serialLink().PortOpen());
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

        open(ProgrammingRun::Write);
        start();
        QCOMPARE(dialog()->bsSkinGauge1()->value(), 0);
        QVERIFY(m_radio.receivedBytes().isEmpty());
        const QStringList lines = messageLines();
        QCOMPARE(message()->windowTitle(), texts().ErrorTitle);
        QCOMPARE(lines.size(), 3);
        QVERIFY(lines[0].contains(QLatin1String("nothing was sent")));
        QVERIFY2(lines[1].startsWith(QLatin1String("Channel 001")), qPrintable(lines[1]));
        QVERIFY2(lines[2].startsWith(QLatin1String("Channel 004")), qPrintable(lines[2]));
        // The longer text makes the message wider and taller; nothing is cut.
        QLabel *label = message()->cap1();
        QVERIFY(label->height() >= label->heightForWidth(label->width()));
        QVERIFY(message()->bsSkinButton1()->geometry().top() > label->geometry().bottom());
        QVERIFY(message()->rect().contains(message()->bsSkinButton2()->geometry()));

        // Closing the programming dialog first leaves the main window to
        // the message, which enables it when it closes.
        QTest::mouseClick(dialog()->bsSkinButton2(), Qt::LeftButton);
        QVERIFY(!dialog()->isVisible());
        QVERIFY(!form()->serialLink().PortOpen());
        QVERIFY(!form()->isEnabled());
        QTest::mouseClick(message()->bsSkinButton1(), Qt::LeftButton);
        QVERIFY(form()->isEnabled());
    }

    // A second run in the same dialog starts from the gauge value the first
    // one left.
    void secondRun()
    {
        QVERIFY(m_radio.setFaults(QStringLiteral("stop-after:0050")));
        open(ProgrammingRun::Read);
        start();
        QCOMPARE(dialog()->bsSkinGauge1()->value(), 4);
        message()->bsSkinButton1()->click();

        m_radio.clearFaults();
        int gaugeAtStart = -1;
        const QMetaObject::Connection c =
            connect(&m_radio, &VirtualRadio::sessionStarted, this, [&] {
                if (gaugeAtStart < 0)
                    gaugeAtStart = dialog()->bsSkinGauge1()->value();
            });
        start();
        disconnect(c);
        QCOMPARE(gaugeAtStart, 4);
        QCOMPARE(dialog()->bsSkinGauge1()->value(), 203);
        QVERIFY(!message()->isVisible());
    }

    // The demo radio sits behind COM1 of a program of its own and reads back
    // as a set of channels and settings; the settings file keeps its map.
    void demo()
    {
        QTemporaryDir folder;
        QVERIFY(folder.isValid());
        QVERIFY(QFile::copy(QStringLiteral(QB_BIN_DIR "/eng.dll"), folder.filePath("eng.dll")));
        {
            QFile ini(folder.filePath(QStringLiteral("myini.ini")));
            QVERIFY(ini.open(QIODevice::WriteOnly));
            ini.write("[open]\r\ncom=3\r\n");
        }
        setProgramFolder(folder.path());
        std::unique_ptr<Program> program = createProgram();
        QCOMPARE(program->form1->SelectedPort(), 3);
        DemoOptions options;
        options.lineRate = 0;
        QVERIFY(attachDemoRadio(*program, options));
        Tform1 *demoForm = program->form1.get();
        QCOMPARE(demoForm->SelectedPort(), 1);
        QCOMPARE(demoForm->portDevice(1), program->demoRadio->portName());
        auto *marker = demoForm->statusBar()->findChild<QLabel *>(QStringLiteral("demoMarker"));
        QVERIFY(marker);
        QVERIFY(marker->text().contains(QLatin1String("(demo)")));
        demoForm->show();
        QVERIFY(QTest::qWaitForWindowExposed(demoForm));

        demoForm->read1Click();
        TR_and_W *demoDialog = program->R_and_W.get();
        QVERIFY(demoDialog->isVisible());
        demoDialog->bsSkinButton1()->click();
        QCOMPARE(demoDialog->bsSkinGauge1()->value(), 203);
        QVERIFY(!program->message1->isVisible());

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
