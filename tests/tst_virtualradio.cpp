// The virtual radio, driven as the program would drive a radio: through the
// pseudo-terminal with a serial port, byte for byte.
#include "sim/virtualradio.h"

#include <QSerialPort>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <fcntl.h>
#include <memory>
#include <unistd.h>

Q_DECLARE_METATYPE(QList<QByteArray>)

namespace {

// The messages of the protocol, built from its table.
const QByteArray handshakeRequest = QByteArrayLiteral("\x02"
                                                      "DRAvik");
const QByteArray identReply = QByteArrayLiteral("\x06\x20torven");
const QByteArray ack = QByteArrayLiteral("\x06");
const QByteArray endCommand = QByteArrayLiteral("\x64\x6F");

QByteArray addressed(char command, quint16 address)
{
    QByteArray bytes;
    bytes += command;
    bytes += char(address >> 8);
    bytes += char(address & 0xFF);
    bytes += char(0x08);
    return bytes;
}

QByteArray readRequest(quint16 address)
{
    return addressed(0x52, address);
}

// The radio's documented read reply: 0x57 hi lo 0x08, then the block.
QByteArray readReply(quint16 address, const QByteArray &data)
{
    return addressed(0x57, address) + data;
}

QByteArray writeRequest(quint16 address, const QByteArray &data)
{
    return addressed(0x57, address) + data;
}

QByteArray block(int first)
{
    QByteArray bytes;
    for (int i = 0; i < 8; ++i)
        bytes += char(first + i);
    return bytes;
}

// A program's end of the line.
class Client
{
public:
    explicit Client(const QString &portName)
    {
        m_port.setPortName(portName);
        m_port.setBaudRate(QSerialPort::Baud9600);
    }

    bool open() { return m_port.open(QIODevice::ReadWrite); }
    void close() { m_port.close(); }

    void send(const QByteArray &bytes)
    {
        m_port.write(bytes);
        m_port.waitForBytesWritten(1000);
    }

    // Waits until at least count bytes have arrived, for a second at most.
    bool waitFor(int count)
    {
        if (m_port.bytesAvailable() < count) {
            QEventLoop loop;
            QTimer::singleShot(1000, &loop, &QEventLoop::quit);
            QObject::connect(&m_port, &QSerialPort::readyRead, &loop, [&] {
                if (m_port.bytesAvailable() >= count)
                    loop.quit();
            });
            loop.exec();
        }
        return m_port.bytesAvailable() >= count;
    }

    // Waits for count bytes, then a little longer for any surplus, and
    // returns everything received.
    QByteArray receive(int count)
    {
        waitFor(count);
        QTest::qWait(20);
        return m_port.readAll();
    }

    QByteArray exchange(const QByteArray &request, int replyLength)
    {
        send(request);
        return receive(replyLength);
    }

private:
    QSerialPort m_port;
};

} // namespace

class TestVirtualRadio : public QObject
{
    Q_OBJECT

    std::unique_ptr<VirtualRadio> m_radio;
    std::unique_ptr<Client> m_client;

private slots:
    void init()
    {
        m_radio = std::make_unique<VirtualRadio>();
        QString error;
        QVERIFY2(m_radio->open(&error), qPrintable(error));
        QVERIFY(m_radio->portName().startsWith(QLatin1String("/dev/")));
        m_client = std::make_unique<Client>(m_radio->portName());
        QVERIFY(m_client->open());
    }

    void cleanup()
    {
        m_client.reset();
        m_radio.reset();
    }

    void session()
    {
        QCOMPARE(m_radio->readMemory(0, 1), QByteArray(1, char(0xFF)));
        m_radio->writeMemory(0x0010, block(0x10));
        m_radio->writeMemory(0x0C78, block(0xA0));
        QSignalSpy started(m_radio.get(), &VirtualRadio::sessionStarted);
        QSignalSpy read(m_radio.get(), &VirtualRadio::blockRead);
        QSignalSpy written(m_radio.get(), &VirtualRadio::blockWritten);
        QSignalSpy ended(m_radio.get(), &VirtualRadio::sessionEnded);

        QCOMPARE(m_client->exchange(handshakeRequest, 8), identReply);
        QCOMPARE(started.size(), 1);
        QVERIFY(m_radio->inSession());
        QCOMPARE(m_client->exchange(ack, 1), ack);

        QCOMPARE(m_client->exchange(readRequest(0x0010), 12), readReply(0x0010, block(0x10)));
        QCOMPARE(m_client->exchange(readRequest(0x0C78), 12), readReply(0x0C78, block(0xA0)));
        QCOMPARE(m_client->exchange(readRequest(0x0C90), 12),
                 readReply(0x0C90, QByteArray(8, char(0xFF))));

        // Writes at several addresses, one overlapping the end of memory,
        // land in the image and read back over the line.
        const QList<quint16> addresses{0x0018, 0x0C80, 0x0CA8, 0xFFFC};
        for (const quint16 a : addresses)
            QCOMPARE(m_client->exchange(writeRequest(a, block(a & 0x7F)), 1), ack);
        for (const quint16 a : addresses)
            QCOMPARE(m_client->exchange(readRequest(a), 12), readReply(a, block(a & 0x7F)));
        QCOMPARE(m_radio->readMemory(0x0C80, 8), block(0x00));
        QCOMPARE(m_radio->readMemory(0x0000, 4), block(0x7C).mid(4));
        QCOMPARE(m_radio->readMemory(0x0010, 8), block(0x10));

        m_client->send(endCommand);
        QTRY_COMPARE(ended.size(), 1);
        QVERIFY(!m_radio->inSession());
        QCOMPARE(read.size(), 7);
        QCOMPARE(read.at(1).at(0).value<quint16>(), quint16(0x0C78));
        QCOMPARE(written.size(), 4);
        QCOMPARE(written.at(3).at(0).value<quint16>(), quint16(0xFFFC));

        const QList<VirtualRadio::Transfer> transcript = m_radio->transcript();
        QCOMPARE(transcript.size(), 2 + 2 + 2 * 7 + 2 * 4 + 1);
        QCOMPARE(transcript.at(0).direction, VirtualRadio::Transfer::ToRadio);
        QCOMPARE(transcript.at(0).bytes, handshakeRequest);
        QCOMPARE(transcript.at(1).direction, VirtualRadio::Transfer::FromRadio);
        QCOMPARE(transcript.at(1).bytes, identReply);
        QCOMPARE(transcript.last().bytes, endCommand);
        QCOMPARE(m_radio->droppedBytes(), 0);
    }

    // One session, sent in one piece and a byte at a time.
    void chunking()
    {
        const QByteArray script = handshakeRequest + ack + readRequest(0x0C90) + ack +
                                  writeRequest(0x0020, block(0x40)) + readRequest(0x0020) +
                                  readRequest(0x0028) + endCommand;
        const QByteArray expected = identReply + ack + readReply(0x0C90, block(0x30)) + ack + ack +
                                    readReply(0x0020, block(0x40)) +
                                    readReply(0x0028, QByteArray(8, char(0xFF)));

        QList<QByteArray> replies;
        QList<QList<VirtualRadio::Transfer>> transcripts;
        for (const bool byteByByte : {false, true}) {
            m_radio->fillMemory();
            m_radio->writeMemory(0x0C90, block(0x30));
            m_radio->clearTranscript();
            if (byteByByte) {
                for (int i = 0; i < script.size(); ++i) {
                    m_client->send(script.mid(i, 1));
                    QTRY_COMPARE(m_radio->receivedBytes().size(), i + 1);
                }
            } else {
                m_client->send(script);
            }
            replies.append(m_client->receive(expected.size()));
            transcripts.append(m_radio->transcript());
            QCOMPARE(m_radio->receivedBytes(), script);
            QVERIFY(!m_radio->inSession());
        }
        QCOMPARE(replies.at(0), expected);
        QCOMPARE(replies.at(1), expected);
        QCOMPARE(transcripts.at(0).size(), transcripts.at(1).size());
        QCOMPARE(transcripts.at(0), transcripts.at(1));
    }

    void resync_data()
    {
        QTest::addColumn<bool>("afterHandshake");
        QTest::addColumn<QByteArray>("input");
        QTest::addColumn<QByteArray>("reply");
        QTest::addColumn<int>("dropped");

        QTest::newRow("junk before handshake")
            << false << QByteArray("\xFF\x00\x41", 3) + handshakeRequest << identReply << 3;
        QTest::newRow("broken handshake, then a whole one") << false
                                                            << QByteArray("\x02"
                                                                          "DRX") +
                                                                   handshakeRequest
                                                            << identReply << 4;
        QTest::newRow("block read outside a session")
            << false << readRequest(0x0010) + ack + writeRequest(0x0010, block(0)) + endCommand
            << QByteArray() << 0;
        QTest::newRow("stray command byte before a read")
            << true << QByteArray(1, 0x52) + readRequest(0x0010) << readReply(0x0010, block(0x10))
            << 1;
        QTest::newRow("read with a wrong length byte")
            << true << QByteArray("\x52\x00\x10\x09", 4) << QByteArray() << 4;
        QTest::newRow("half an end command, then an ack")
            << true << QByteArray("\x64\x06", 2) << ack << 1;
        QTest::newRow("nothing answered after the end")
            << true << endCommand + readRequest(0x0010) + ack << QByteArray() << 0;
    }

    void resync()
    {
        QFETCH(bool, afterHandshake);
        QFETCH(QByteArray, input);
        QFETCH(QByteArray, reply);
        QFETCH(int, dropped);

        m_radio->writeMemory(0x0010, block(0x10));
        if (afterHandshake)
            QCOMPARE(m_client->exchange(handshakeRequest, 8), identReply);
        QCOMPARE(m_client->exchange(input, reply.size()), reply);
        QCOMPARE(m_radio->droppedBytes(), dropped);
        QCOMPARE(m_radio->memory().count(char(0xFF)), VirtualRadio::MemorySize - 8);
    }

    // Bytes that cannot begin a message are judged the same however they
    // come, even when later bytes are needed to tell them from a message:
    // each reply follows the request it answers in the transcript. Fed to
    // the parser directly, without a pseudo-terminal, in chunks of every
    // size.
    void resyncChunking_data()
    {
        QTest::addColumn<QByteArray>("input");
        QTest::addColumn<QList<QByteArray>>("exchanges");

        QTest::newRow("read byte, then acknowledgements")
            << QByteArray("\x52\x06\x06", 3) + readRequest(0x0010)
            << QList<QByteArray>{QByteArray("\x52\x06", 2),     ack, ack, ack, readRequest(0x0010),
                                 readReply(0x0010, block(0x10))};
        QTest::newRow("broken handshake, then an end command")
            << QByteArray("\x02"
                          "DRAv\x06",
                          6) +
                   endCommand + ack
            << QList<QByteArray>{QByteArray("\x02"
                                            "DRAv\x06",
                                            6),
                                 ack, endCommand + ack};
        QTest::newRow("write with a wrong length byte")
            << QByteArray("\x57\x00\x10\x06", 4) + ack
            << QList<QByteArray>{QByteArray("\x57\x00\x10\x06", 4), ack, ack, ack};
    }

    void resyncChunking()
    {
        QFETCH(QByteArray, input);
        QFETCH(QList<QByteArray>, exchanges);

        QList<VirtualRadio::Transfer> expected{{VirtualRadio::Transfer::ToRadio, handshakeRequest},
                                               {VirtualRadio::Transfer::FromRadio, identReply}};
        for (int i = 0; i < exchanges.size(); ++i)
            expected.append(
                {i % 2 ? VirtualRadio::Transfer::FromRadio : VirtualRadio::Transfer::ToRadio,
                 exchanges.at(i)});
        for (int chunk = 1; chunk <= input.size(); ++chunk) {
            VirtualRadio radio;
            radio.writeMemory(0x0010, block(0x10));
            radio.feed(handshakeRequest);
            for (int at = 0; at < input.size(); at += chunk)
                radio.feed(input.mid(at, chunk));
            QCOMPARE(radio.transcript(), expected);
            QCOMPARE(radio.receivedBytes(), handshakeRequest + input);
        }
    }

    void image()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString full = dir.filePath(QStringLiteral("full.bin"));
        QByteArray pattern(VirtualRadio::MemorySize, Qt::Uninitialized);
        for (int i = 0; i < pattern.size(); ++i)
            pattern[i] = char(i * 7 + (i >> 8));
        m_radio->writeMemory(0, pattern);
        QString error;
        QVERIFY2(m_radio->saveImage(full, &error), qPrintable(error));
        QFile saved(full);
        QVERIFY(saved.open(QIODevice::ReadOnly));
        QCOMPARE(saved.readAll(), pattern);

        VirtualRadio other;
        QVERIFY(other.loadImage(full, &error));
        QCOMPARE(other.memory(), pattern);

        const QString shortFile = dir.filePath(QStringLiteral("short.bin"));
        QFile file(shortFile);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(block(1) + block(9));
        file.close();
        QVERIFY(other.loadImage(shortFile, &error));
        QCOMPARE(other.readMemory(0, 16), block(1) + block(9));
        QCOMPARE(other.memory().mid(16), QByteArray(VirtualRadio::MemorySize - 16, char(0xFF)));

        // An oversized or missing file leaves the image alone.
        const QString big = dir.filePath(QStringLiteral("big.bin"));
        QFile bigFile(big);
        QVERIFY(bigFile.open(QIODevice::WriteOnly));
        bigFile.write(pattern + "x");
        bigFile.close();
        error.clear();
        QVERIFY(!other.loadImage(big, &error));
        QVERIFY(!error.isEmpty());
        QVERIFY(!other.loadImage(dir.filePath(QStringLiteral("missing.bin")), &error));
        QVERIFY(!other.saveImage(dir.filePath(QStringLiteral("no/such/dir.bin")), &error));
        QCOMPARE(other.readMemory(0, 17), block(1) + block(9) + QByteArray(1, char(0xFF)));
    }

    // A fixed session under each fault: what the program sees, and what
    // ends up in the block at 0x0C80.
    void faults_data()
    {
        QTest::addColumn<QString>("fault");
        QTest::addColumn<QList<QByteArray>>("replies");
        QTest::addColumn<QList<int>>("garbled");
        QTest::addColumn<QByteArray>("stored");

        const QByteArray d = block(0x60);
        const QByteArray old = block(0x20);
        QByteArray wrong = d;
        wrong[0] = char(wrong.at(0) ^ 0x01);
        const QByteArray read10 = readReply(0x0010, block(0x10));
        const QByteArray read50 = readReply(0x0050, block(0x50));
        // Replies to: handshake, ack, read 0x0010, ack, write 0x0C80, read
        // 0x0050, ack, read 0x0C80, end, read 0x0010 after the end.
        const auto normal = [&](const QByteArray &stored) {
            return QList<QByteArray>{
                identReply, ack, read10, ack, ack, read50, ack, readReply(0x0C80, stored), {}, {}};
        };
        const auto with = [&](QList<QByteArray> replies, int step, const QByteArray &reply) {
            replies[step] = reply;
            return replies;
        };
        const auto cut = [](QList<QByteArray> replies, int from) {
            for (int i = from; i < replies.size(); ++i)
                replies[i].clear();
            return replies;
        };

        QTest::newRow("none") << QString() << normal(d) << QList<int>() << d;
        QTest::newRow("silent") << "silent" << cut(normal(d), 0) << QList<int>() << old;
        QTest::newRow("wrong-ident")
            << "wrong-ident" << with(normal(d), 0, QByteArrayLiteral("\x06\x20TORVEN"))
            << QList<int>() << d;
        QTest::newRow("ident-extra")
            << "ident-extra" << with(normal(d), 0, identReply + QByteArray(1, 0)) << QList<int>()
            << d;
        QTest::newRow("stop-after a read")
            << "stop-after:0x0050" << cut(normal(d), 5) << QList<int>() << d;
        QTest::newRow("stop-after a write")
            << "stop-after:0x0C80" << cut(normal(d), 4) << QList<int>() << old;
        QTest::newRow("nak") << "nak:0x0C80"
                             << with(with(normal(d), 7, readReply(0x0C80, old)), 4,
                                     QByteArrayLiteral("\x15"))
                             << QList<int>() << old;
        QTest::newRow("short") << "short:0x0010" << with(normal(d), 2, read10.left(6))
                               << QList<int>() << d;
        QTest::newRow("short of 11")
            << "short:0x10:11" << with(normal(d), 2, read10.left(11)) << QList<int>() << d;
        QTest::newRow("short of 0")
            << "short:0x0010:0" << with(normal(d), 2, {}) << QList<int>() << d;
        QTest::newRow("garbage") << "garbage" << normal(d) << QList<int>{0, 1, 2, 3, 4, 5, 6, 7}
                                 << d;
        QTest::newRow("garbage at one block")
            << "garbage:0x0050" << normal(d) << QList<int>{5} << d;
        QTest::newRow("store-wrong")
            << "store-wrong:0x0C80" << normal(wrong) << QList<int>() << wrong;
        QTest::newRow("two faults")
            << "nak:0x0C80,short:0x0050:4"
            << with(with(with(normal(d), 7, readReply(0x0C80, old)), 4, QByteArrayLiteral("\x15")),
                    5, read50.left(4))
            << QList<int>() << old;
    }

    void faults()
    {
        QFETCH(QString, fault);
        QFETCH(QList<QByteArray>, replies);
        QFETCH(QList<int>, garbled);
        QFETCH(QByteArray, stored);

        m_radio->writeMemory(0x0010, block(0x10));
        m_radio->writeMemory(0x0050, block(0x50));
        m_radio->writeMemory(0x0C80, block(0x20));
        QString error;
        QVERIFY2(m_radio->setFaults(fault, &error), qPrintable(error));

        const QList<QByteArray> script{handshakeRequest,
                                       ack,
                                       readRequest(0x0010),
                                       ack,
                                       writeRequest(0x0C80, block(0x60)),
                                       readRequest(0x0050),
                                       ack,
                                       readRequest(0x0C80),
                                       endCommand,
                                       readRequest(0x0010)};
        QCOMPARE(replies.size(), script.size());
        int total = 0;
        for (const QByteArray &r : replies)
            total += r.size();
        m_client->send(script.join());
        const QByteArray seen = m_client->receive(total);
        QCOMPARE(seen.size(), total);
        int at = 0;
        for (int step = 0; step < replies.size(); ++step) {
            const QByteArray piece = seen.mid(at, replies.at(step).size());
            at += piece.size();
            if (garbled.contains(step))
                QVERIFY2(piece != replies.at(step), qPrintable(QString::number(step)));
            else
                QVERIFY2(piece == replies.at(step),
                         qPrintable(QStringLiteral("step %1: %2")
                                        .arg(step)
                                        .arg(QString::fromLatin1(piece.toHex(' ')))));
        }
        QCOMPARE(m_radio->readMemory(0x0C80, 8), stored);
        QCOMPARE(m_radio->receivedBytes(), script.join());
        QCOMPARE(m_radio->sentBytes(), seen);

        // Setting the faults again revives a radio that stopped answering.
        m_radio->clearFaults();
        QCOMPARE(m_client->exchange(handshakeRequest, 8), identReply);
    }

    void faultText_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("canonical");

        QTest::newRow("silent") << "silent"
                                << "silent";
        QTest::newRow("wrong-ident") << "wrong-ident"
                                     << "wrong-ident";
        QTest::newRow("ident-extra") << "ident-extra"
                                     << "ident-extra";
        QTest::newRow("stop-after, bare hex, upper case") << "STOP-AFTER:50"
                                                          << "stop-after:0x0050";
        QTest::newRow("nak, lower-case hex") << "nak:0x0c80"
                                             << "nak:0x0C80";
        QTest::newRow("short with length, blanks") << " short:0x10:11 "
                                                   << "short:0x0010:11";
        QTest::newRow("short with default length") << "short:0x0010:6"
                                                   << "short:0x0010";
        QTest::newRow("garbage everywhere") << "garbage"
                                            << "garbage";
        QTest::newRow("garbage at the top") << "garbage:0xFFFF"
                                            << "garbage:0xFFFF";
        QTest::newRow("store-wrong") << "store-wrong:0C80"
                                     << "store-wrong:0x0C80";
        QTest::newRow("list") << "nak:0x0C80, short:0x0010:4"
                              << "nak:0x0C80,short:0x0010:4";
        QTest::newRow("empty") << ""
                               << "";
        for (const char *bad :
             {"bogus", "nak", "nak:", "nak:xyz", "nak:0x10000", "nak:0x", "short:0x10:12",
              "short:0x10:-1", "silent:0x10", "nak:0x10:1", "nak:0x0C80,bogus", "nak:0x0C80,"})
            QTest::newRow(bad) << bad << "error";
    }

    void faultText()
    {
        QFETCH(QString, text);
        QFETCH(QString, canonical);

        QString error;
        const std::optional<QList<RadioFault>> faults = RadioFault::parseList(text, &error);
        if (canonical == QLatin1String("error")) {
            QVERIFY(!faults);
            QVERIFY(!error.isEmpty());
            // A bad text leaves the radio's faults alone.
            m_radio->setFaults(QStringLiteral("silent"));
            QVERIFY(!m_radio->setFaults(text));
            QCOMPARE(m_radio->faults().size(), 1);
            return;
        }
        QVERIFY2(faults, qPrintable(error));
        QStringList texts;
        for (const RadioFault &f : *faults)
            texts << f.toString();
        QCOMPARE(texts.join(QLatin1Char(',')), canonical);
        QCOMPARE(RadioFault::parseList(canonical), faults);
    }

    // The program closes and reopens the port between runs.
    void reopen()
    {
        QCOMPARE(m_client->exchange(handshakeRequest, 8), identReply);
        m_client->close();
        QTest::qWait(20);
        QVERIFY(m_client->open());
        QCOMPARE(m_client->exchange(handshakeRequest, 8), identReply);
        m_client.reset();

        const QByteArray path = m_radio->portName().toLocal8Bit();
        for (int round = 0; round < 2; ++round) {
            const int fd = ::open(path.constData(), O_RDWR | O_NOCTTY);
            QVERIFY(fd >= 0);
            QCOMPARE(::write(fd, handshakeRequest.constData(), handshakeRequest.size()),
                     ssize_t(handshakeRequest.size()));
            QTRY_COMPARE(m_radio->sentBytes().size(), 8 * (3 + round));
            char reply[8];
            QCOMPARE(::read(fd, reply, sizeof reply), ssize_t(8));
            QCOMPARE(QByteArray(reply, 8), identReply);
            ::close(fd);
            QTest::qWait(20);
        }
        QVERIFY(m_radio->isOpen());
    }

    void lineEmulation_data()
    {
        QTest::addColumn<int>("baud");
        QTest::addColumn<int>("latency");
        QTest::addColumn<int>("atLeastMs");

        // A block read and its reply are 16 bytes: about 17 ms at 9600 baud.
        QTest::newRow("9600 baud") << 9600 << 0 << 10;
        QTest::newRow("latency") << 0 << 60 << 40;
    }

    void lineEmulation()
    {
        QFETCH(int, baud);
        QFETCH(int, latency);
        QFETCH(int, atLeastMs);

        QCOMPARE(m_client->exchange(handshakeRequest, 8), identReply);
        m_radio->setLineRate(baud);
        m_radio->setLatency(latency);
        QElapsedTimer clock;
        clock.start();
        m_client->send(readRequest(0x0040));
        QVERIFY(m_client->waitFor(12));
        const qint64 elapsed = clock.elapsed();
        QCOMPARE(m_client->receive(12), readReply(0x0040, QByteArray(8, char(0xFF))));
        QVERIFY2(elapsed >= atLeastMs, qPrintable(QString::number(elapsed)));
    }
};

QTEST_GUILESS_MAIN(TestVirtualRadio)
#include "tst_virtualradio.moc"
