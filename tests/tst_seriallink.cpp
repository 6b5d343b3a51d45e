// The serial link over a real pseudo-terminal: the link opens the slave side
// with QSerialPort, the test plays the radio on the master side with plain
// write() and read(), so it decides how the bytes are chunked and when they
// come.
#include "radio/seriallink.h"
#include "testbytes.h"

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QThread>
#include <QTimer>
#include <QtTest>

#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <termios.h>
#include <unistd.h>

namespace {

// A pseudo-terminal whose master side the test drives.
class Pty
{
public:
    Pty()
    {
        m_master = posix_openpt(O_RDWR | O_NOCTTY);
        if (m_master >= 0 && grantpt(m_master) == 0 && unlockpt(m_master) == 0)
            m_slave = QString::fromLocal8Bit(ptsname(m_master));
        if (m_master >= 0)
            fcntl(m_master, F_SETFL, fcntl(m_master, F_GETFL) | O_NONBLOCK);
    }
    ~Pty() { closeMaster(); }
    Pty(const Pty &) = delete;
    Pty &operator=(const Pty &) = delete;

    bool isValid() const { return m_master >= 0 && !m_slave.isEmpty(); }
    QString slave() const { return m_slave; }

    bool send(const QByteArray &bytes)
    {
        return ::write(m_master, bytes.constData(), bytes.size()) == bytes.size();
    }

    // Up to `count` bytes the link has put on the line, waiting at most
    // `timeoutMs` for them.
    QByteArray receive(int count, int timeoutMs = 5000)
    {
        QByteArray bytes;
        QElapsedTimer clock;
        clock.start();
        while (bytes.size() < count && clock.elapsed() < timeoutMs) {
            pollfd p{m_master, POLLIN, 0};
            if (poll(&p, 1, int(timeoutMs - clock.elapsed())) <= 0)
                break;
            char buffer[256];
            const ssize_t n =
                ::read(m_master, buffer, qMin<qsizetype>(sizeof buffer, count - bytes.size()));
            if (n <= 0)
                break;
            bytes.append(buffer, n);
        }
        return bytes;
    }

    // Whatever is on the line now, without waiting.
    QByteArray pending()
    {
        char buffer[256];
        const ssize_t n = ::read(m_master, buffer, sizeof buffer);
        return n > 0 ? QByteArray(buffer, n) : QByteArray();
    }

    termios lineSettings() const
    {
        termios t{};
        tcgetattr(m_master, &t);
        return t;
    }

    // The radio end goes away, as with a pulled cable.
    void closeMaster()
    {
        if (m_master >= 0)
            ::close(m_master);
        m_master = -1;
    }

private:
    int m_master = -1;
    QString m_slave;
};

// Opens the link on the slave side of the pseudo-terminal.
bool openOn(SerialLink &link, const Pty &pty)
{
    if (!pty.isValid())
        return false;
    link.setPortName(pty.slave());
    return link.setPortOpen(true);
}

// n distinct bytes starting at `first`, so that misplaced bytes show.
QByteArray run(int first, int n)
{
    QByteArray bytes;
    for (int i = 0; i < n; ++i)
        bytes.append(char(first + i));
    return bytes;
}

qsizetype deliveredSize(const QSignalSpy &spy)
{
    qsizetype total = 0;
    for (const QList<QVariant> &args : spy)
        total += args.at(0).toByteArray().size();
    return total;
}

// Bytes the link has taken in from the terminal driver so far, by its
// traffic signal.
qsizetype takenIn(const QSignalSpy &traffic)
{
    qsizetype total = 0;
    for (const QList<QVariant> &args : traffic)
        if (args.at(0).value<SerialLink::Direction>() == SerialLink::Direction::FromRadio)
            total += args.at(1).toByteArray().size();
    return total;
}

} // namespace

class TestSerialLink : public QObject
{
    Q_OBJECT

private slots:
    void setRequestHex_data()
    {
        QTest::addColumn<QString>("hex");
        QTest::addColumn<bool>("valid");
        QTest::addColumn<QByteArray>("bytes");

        QTest::newRow("start byte") << "02" << true << bytes({0x02});
        QTest::newRow("ident block read") << "520C9008" << true << bytes({0x52, 0x0C, 0x90, 0x08});
        QTest::newRow("end command") << "646F" << true << bytes({0x64, 0x6F});
        QTest::newRow("identification") << "44524176696B" << true << QByteArray("DRAvik");
        QTest::newRow("odd length drops the last digit") << "520C9" << true << bytes({0x52, 0x0C});
        QTest::newRow("single digit gives nothing") << "5" << true << QByteArray();
        QTest::newRow("empty") << "" << true << QByteArray();
        QTest::newRow("lower case") << "0a1bff" << true << bytes({0x0A, 0x1B, 0xFF});
        QTest::newRow("not a hex digit") << "520G" << false << QByteArray();
        QTest::newRow("space between pairs") << "52 0C" << false << QByteArray();
        QTest::newRow("sign") << "-1" << false << QByteArray();
    }

    void setRequestHex()
    {
        QFETCH(QString, hex);
        QFETCH(bool, valid);
        QFETCH(QByteArray, bytes);

        SerialLink link;
        link.setRequestHex(u"FFFF"); // a previous request must not survive
        QCOMPARE(link.setRequestHex(hex), valid);
        QCOMPARE(link.requestBytes(), bytes);
    }

    void bytesToHex_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("hex");

        QTest::newRow("identification reply")
            << bytes({0x06, 0x20, 't', 'o', 'r', 'v', 'e', 'n'}) << "0620746F7276656E";
        QTest::newRow("upper-case digits, zero-padded") << bytes({0x0A, 0xFF, 0x00}) << "0AFF00";
        QTest::newRow("nothing") << QByteArray() << "";
    }

    void bytesToHex()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, hex);
        QCOMPARE(SerialLink::bytesToHex(bytes), hex);
    }

    void portDeviceNames_data()
    {
        QTest::addColumn<int>("port");
        QTest::addColumn<QString>("configured");
        QTest::addColumn<QString>("device");

        QTest::newRow("port 1 default") << 1 << ""
                                        << "/dev/ttyUSB0";
        QTest::newRow("port 4 default") << 4 << ""
                                        << "/dev/ttyUSB3";
        QTest::newRow("configured path") << 2 << "/dev/ttyS1"
                                         << "/dev/ttyS1";
        QTest::newRow("port 0") << 0 << ""
                                << "";
        QTest::newRow("port 5, even configured") << 5 << "/dev/ttyS1"
                                                 << "";
    }

    void portDeviceNames()
    {
        QFETCH(int, port);
        QFETCH(QString, configured);
        QFETCH(QString, device);
        QCOMPARE(portDeviceName(port, configured), device);
    }

    void portTest_data()
    {
        QTest::addColumn<QString>("device"); // "pty" stands for a fresh pty slave
        QTest::addColumn<bool>("passes");

        QTest::newRow("pty slave") << "pty" << true;
        QTest::newRow("missing device") << "/dev/ttyQB380-missing" << false;
        QTest::newRow("not a serial port") << "/dev/null" << false;
        QTest::newRow("no name") << "" << false;
    }

    void portTest()
    {
        QFETCH(QString, device);
        QFETCH(bool, passes);

        Pty pty;
        QVERIFY(pty.isValid());
        if (device == QLatin1String("pty"))
            device = pty.slave();
        QString error;
        QCOMPARE(SerialLink::testPort(device, &error), passes);
        QCOMPARE(error.isEmpty(), passes);
        if (!passes && !device.isEmpty())
            QVERIFY2(error.startsWith(device), qPrintable(error));
    }

    // While the link holds a port, the port test of that port fails, as it
    // would for another program; closing the link frees the port.
    void portTestOfAPortInUse()
    {
        Pty pty;
        SerialLink link;
        QVERIFY(openOn(link, pty));
        QVERIFY(!SerialLink::testPort(pty.slave()));

        SerialLink second;
        second.setPortName(pty.slave());
        QVERIFY(!second.setPortOpen(true));
        QVERIFY(!second.errorString().isEmpty());

        QVERIFY(link.setPortOpen(false));
        QVERIFY(SerialLink::testPort(pty.slave()));
    }

    void openFailure()
    {
        SerialLink link;
        link.setPortName(QStringLiteral("/dev/ttyQB380-missing"));
        QVERIFY(!link.setPortOpen(true));
        QVERIFY(!link.isPortOpen());
        QVERIFY(link.errorString().startsWith(QLatin1String("/dev/ttyQB380-missing: ")));
        QVERIFY(!link.sendAcknowledgement());

        SerialLink unnamed;
        QVERIFY(!unnamed.setPortOpen(true));
        QVERIFY(!unnamed.errorString().isEmpty());
    }

    void lineSettings()
    {
        Pty pty;
        SerialLink link;
        QVERIFY(openOn(link, pty));
        QVERIFY(link.isPortOpen());

        const termios t = pty.lineSettings();
        QCOMPARE(cfgetospeed(&t), speed_t(B9600));
        QCOMPARE(cfgetispeed(&t), speed_t(B9600));
        QCOMPARE(t.c_cflag & CSIZE, tcflag_t(CS8));
        QCOMPARE(t.c_cflag & (PARENB | CSTOPB | CRTSCTS), tcflag_t(0));
        QCOMPARE(t.c_iflag & (IXON | IXOFF), tcflag_t(0));
    }

    void output()
    {
        Pty pty;
        SerialLink link;
        QVERIFY(openOn(link, pty));

        QVERIFY(link.setRequestHex(u"520C9008"));
        QVERIFY(link.sendRequest());
        QCOMPARE(pty.receive(4), bytes({0x52, 0x0C, 0x90, 0x08}));

        QVERIFY(link.sendAcknowledgement());
        QCOMPARE(pty.receive(1), bytes({0x06}));

        // The request stays until it is rebuilt: a second sendRequest() repeats it.
        QVERIFY(link.sendRequest());
        QCOMPARE(pty.receive(4), bytes({0x52, 0x0C, 0x90, 0x08}));

        // A text that is not hex sends nothing.
        QVERIFY(!link.setRequestHex(u"52xx"));
        QVERIFY(!link.sendRequest());
        QVERIFY(link.sendAcknowledgement());
        QCOMPARE(pty.receive(1), bytes({0x06}));
        QCOMPARE(pty.pending(), QByteArray());

        QVERIFY(link.setPortOpen(false));
        QVERIFY(!link.isPortOpen());
        QVERIFY(link.setRequestHex(u"02"));
        QVERIFY(!link.sendRequest());
    }

    // A changed port name is used from the next opening on.
    void portChangeTakesEffectAtNextOpening()
    {
        Pty first;
        Pty second;
        QVERIFY(first.isValid() && second.isValid());
        SerialLink link;
        link.setPortName(first.slave());
        QVERIFY(link.setPortOpen(true));

        link.setPortName(second.slave());
        QVERIFY(link.sendAcknowledgement());
        QCOMPARE(first.receive(1), bytes({0x06}));

        QVERIFY(link.setPortOpen(false));
        QVERIFY(link.setPortOpen(true));
        QVERIFY(link.sendAcknowledgement());
        QCOMPARE(second.receive(1), bytes({0x06}));
        QCOMPARE(first.pending(), QByteArray());
    }

    // Each step sets the threshold, then the radio end sends a chunk; the
    // receive events must deliver exactly `deliveries`, in order.
    void threshold_data()
    {
        QTest::addColumn<QList<int>>("thresholds");
        QTest::addColumn<QList<QByteArray>>("chunks");
        QTest::addColumn<QList<QByteArray>>("deliveries");

        QTest::newRow("14 arriving at 12: one event with all 14")
            << QList<int>{12} << QList<QByteArray>{run(0x10, 14)}
            << QList<QByteArray>{run(0x10, 14)};
        QTest::newRow("reply in two parts, first above the threshold")
            << QList<int>{12, 12, 12}
            << QList<QByteArray>{run(0x10, 14), run(0x40, 5), run(0x45, 7)}
            << QList<QByteArray>{run(0x10, 14), run(0x40, 12)};
        QTest::newRow("below the threshold: kept for the next event")
            << QList<int>{8, 8} << QList<QByteArray>{run(0x10, 5), run(0x20, 8)}
            << QList<QByteArray>{run(0x10, 5) + run(0x20, 8)};
        QTest::newRow("acknowledgement at 1")
            << QList<int>{1, 1} << QList<QByteArray>{bytes({0x06}), bytes({0x06, 0x06})}
            << QList<QByteArray>{bytes({0x06}), bytes({0x06, 0x06})};
        QTest::newRow("threshold 0 raises nothing")
            << QList<int>{0, 0} << QList<QByteArray>{run(0x10, 5), run(0x20, 12)}
            << QList<QByteArray>{};
        QTest::newRow("bytes held at 0 come with the next arrival")
            << QList<int>{0, 8} << QList<QByteArray>{run(0x10, 8), bytes({0x06})}
            << QList<QByteArray>{run(0x10, 8) + bytes({0x06})};
    }

    void threshold()
    {
        QFETCH(QList<int>, thresholds);
        QFETCH(QList<QByteArray>, chunks);
        QFETCH(QList<QByteArray>, deliveries);

        Pty pty;
        SerialLink link;
        QVERIFY(openOn(link, pty));
        QSignalSpy spy(&link, &SerialLink::received);
        QSignalSpy traffic(&link, &SerialLink::traffic);

        qsizetype sent = 0;
        for (qsizetype i = 0; i < chunks.size(); ++i) {
            link.setReceiveThreshold(thresholds.at(i));
            QVERIFY(pty.send(chunks.at(i)));
            sent += chunks.at(i).size();
            // Every byte sent is either delivered or waiting, and whatever
            // reaches the threshold has been delivered. (Bytes below the
            // threshold may wait in the terminal driver, unseen by the link,
            // so the sum alone does not show that the link has caught up;
            // at threshold 0 the link takes in every byte as it comes, and
            // the test waits for that before the threshold changes.)
            const int threshold = thresholds.at(i);
            QTRY_VERIFY(
                deliveredSize(spy) + link.bytesWaiting() == sent &&
                (threshold == 0 ? takenIn(traffic) == sent : link.bytesWaiting() < threshold));
        }

        QCOMPARE(spy.size(), deliveries.size());
        for (qsizetype i = 0; i < deliveries.size(); ++i)
            QCOMPARE(spy.at(i).at(0).toByteArray(), deliveries.at(i));
        QCOMPARE(link.hasReceived(), !deliveries.isEmpty());
        QCOMPARE(link.receivedBytes(), deliveries.isEmpty() ? QByteArray() : deliveries.last());
    }

    // Raising the threshold over bytes already waiting raises no event by
    // itself; the next arrival is judged and brings them all.
    void thresholdChangeWaitsForArrival()
    {
        Pty pty;
        SerialLink link;
        QVERIFY(openOn(link, pty));
        QSignalSpy spy(&link, &SerialLink::received);
        QSignalSpy traffic(&link, &SerialLink::traffic);

        // Taken in by the link at threshold 0, not merely held by the driver.
        QVERIFY(pty.send(run(0x10, 5)));
        QTRY_COMPARE(takenIn(traffic), 5);
        QCOMPARE(link.bytesWaiting(), 5);
        link.setReceiveThreshold(3);
        QTest::qWait(50);
        QCOMPARE(spy.size(), 0);
        QVERIFY(!link.hasReceived());

        QVERIFY(pty.send(bytes({0x06})));
        QTRY_COMPARE(spy.size(), 1);
        QCOMPARE(link.receivedBytes(), run(0x10, 5) + bytes({0x06}));
        QCOMPARE(link.bytesWaiting(), 0);
    }

    // Bytes that come while no events are processed (the run between two
    // of its statements) are judged at the next wait, by the threshold in
    // force then; the terminal driver may hold them meanwhile.
    void arrivalBetweenStatements_data()
    {
        QTest::addColumn<int>("before");
        QTest::addColumn<int>("after");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("delivered");

        QTest::newRow("a whole reply before the threshold is raised to it")
            << 1 << 12 << run(0x10, 12) << true;
        QTest::newRow("part of a reply, threshold raised above it")
            << 1 << 12 << run(0x10, 5) << false;
        QTest::newRow("threshold lowered under what came") << 12 << 3 << run(0x10, 5) << true;
    }

    void arrivalBetweenStatements()
    {
        QFETCH(int, before);
        QFETCH(int, after);
        QFETCH(QByteArray, bytes);
        QFETCH(bool, delivered);

        Pty pty;
        SerialLink link;
        QVERIFY(openOn(link, pty));
        link.setReceiveThreshold(before);
        link.waitForReceive(1);
        QSignalSpy spy(&link, &SerialLink::received);

        QVERIFY(pty.send(bytes));
        // Without processing events, until the bytes are on the link's side.
        QElapsedTimer clock;
        clock.start();
        while (link.bytesWaiting() < bytes.size() && clock.elapsed() < 5000)
            QThread::msleep(1);
        QCOMPARE(link.bytesWaiting(), bytes.size());
        link.setReceiveThreshold(after);
        link.waitForReceive(200);

        QCOMPARE(spy.size(), delivered ? 1 : 0);
        QCOMPARE(link.hasReceived(), delivered);
        if (delivered)
            QCOMPARE(link.receivedBytes(), bytes);
    }

    void receivedStaysUntilCleared()
    {
        Pty pty;
        SerialLink link;
        QVERIFY(openOn(link, pty));
        link.setReceiveThreshold(1);

        QVERIFY(pty.send(bytes({0x06})));
        QTRY_VERIFY(link.hasReceived());
        QTest::qWait(20);
        QVERIFY(link.hasReceived());
        link.clearReceived();
        QVERIFY(!link.hasReceived());
        QCOMPARE(link.receivedBytes(), bytes({0x06})); // the reply itself stays
    }

    // Timing checks below use wide margins: they tell a wait that ended on
    // the reply from one that ran to its end, nothing finer.
    void waitEndsOnReply()
    {
        Pty pty;
        SerialLink link;
        QVERIFY(openOn(link, pty));
        link.setReceiveThreshold(12);

        QTimer::singleShot(50, [&] { pty.send(run(0x10, 12)); });
        QElapsedTimer clock;
        clock.start();
        link.waitForReceive(10000);
        QVERIFY2(clock.elapsed() < 5000, qPrintable(QString::number(clock.elapsed())));
        QVERIFY(link.hasReceived());
        QCOMPARE(link.receivedBytes(), run(0x10, 12));
    }

    void waitLastsItsTimeWithoutReply()
    {
        Pty pty;
        SerialLink link;
        QVERIFY(openOn(link, pty));
        link.setReceiveThreshold(12);

        // A part of a reply is no reply.
        QTimer::singleShot(20, [&] { pty.send(run(0x10, 5)); });
        QElapsedTimer clock;
        clock.start();
        link.waitForReceive(250);
        QVERIFY2(clock.elapsed() >= 250, qPrintable(QString::number(clock.elapsed())));
        QVERIFY(!link.hasReceived());
        QCOMPARE(link.bytesWaiting(), 5);
    }

    // hasReceived left set ends the next wait after one pass of event
    // processing, and that pass does handle what is pending.
    void waitWithReceivedLeftSet()
    {
        Pty pty;
        SerialLink link;
        QVERIFY(openOn(link, pty));
        link.setReceiveThreshold(1);
        QVERIFY(pty.send(bytes({0x06})));
        QTRY_VERIFY(link.hasReceived());

        bool handled = false;
        QTimer::singleShot(0, [&] { handled = true; });
        QElapsedTimer clock;
        clock.start();
        link.waitForReceive(10000);
        QVERIFY2(clock.elapsed() < 5000, qPrintable(QString::number(clock.elapsed())));
        QVERIFY(handled);
    }

    // The radio end going away mid-wait: the port is closed at the first
    // error, the signal comes once, and the wait ends at once; later waits
    // do not sit out their time on a dead port.
    void linkLostDuringWait()
    {
        Pty pty;
        SerialLink link;
        QVERIFY(openOn(link, pty));
        link.setReceiveThreshold(12);
        QSignalSpy lost(&link, &SerialLink::linkLost);

        QTimer::singleShot(50, [&] { pty.closeMaster(); });
        QElapsedTimer clock;
        clock.start();
        link.waitForReceive(10000);
        QVERIFY2(clock.elapsed() < 5000, qPrintable(QString::number(clock.elapsed())));
        QVERIFY(!link.isPortOpen());
        QVERIFY(!link.hasReceived());
        QTest::qWait(100);
        QCOMPARE(lost.size(), 1);
        QVERIFY(lost.at(0).at(0).toString().startsWith(pty.slave()));
        QCOMPARE(link.errorString(), lost.at(0).at(0).toString());

        clock.restart();
        link.waitForReceive(10000);
        QVERIFY(clock.elapsed() < 5000);
        QVERIFY(!link.sendAcknowledgement());
    }

    // Losing the line while nothing waits closes the port all the same; the
    // link can be opened again on a new line.
    void linkLostBetweenRuns()
    {
        SerialLink link;
        QSignalSpy lost(&link, &SerialLink::linkLost);
        {
            Pty pty;
            QVERIFY(openOn(link, pty));
        }
        QTRY_COMPARE(lost.size(), 1);
        QVERIFY(!link.isPortOpen());

        Pty again;
        QVERIFY(openOn(link, again));
        QVERIFY(link.errorString().isEmpty());
        QVERIFY(link.sendAcknowledgement());
        QCOMPARE(again.receive(1), bytes({0x06}));
        QTest::qWait(20);
        QCOMPARE(lost.size(), 1);
    }
};

QTEST_GUILESS_MAIN(TestSerialLink)
#include "tst_seriallink.moc"
