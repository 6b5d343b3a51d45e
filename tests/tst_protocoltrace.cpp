// The protocol trace: its line format, and a trace of a whole read against
// the virtual radio that holds every byte either side saw, in order.
#include "model/radiodata.h"
#include "radio/programmingrun.h"
#include "radio/protocoltrace.h"
#include "radio/seriallink.h"
#include "sim/virtualradio.h"

#include <QBuffer>
#include <QRegularExpression>
#include <QtTest>

using Direction = SerialLink::Direction;

class TestProtocolTrace : public QObject
{
    Q_OBJECT

private slots:
    void formatLine_data()
    {
        QTest::addColumn<qint64>("ms");
        QTest::addColumn<bool>("toRadio");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("line");
        QTest::newRow("request") << qint64(12345) << true << QByteArray("\x52\x00\x10\x08", 4)
                                 << "   12.345 > 52 00 10 08";
        QTest::newRow("reply at the start") << qint64(0) << false << QByteArray("\x06\x20torven")
                                            << "    0.000 < 06 20 74 6F 72 76 65 6E";
        QTest::newRow("milliseconds padded")
            << qint64(1007) << true << QByteArray("\x06") << "    1.007 > 06";
        QTest::newRow("wider than nine characters")
            << qint64(123456789) << false << QByteArray("\xff") << "123456.789 < FF";
    }

    void formatLine()
    {
        QFETCH(qint64, ms);
        QFETCH(bool, toRadio);
        QFETCH(QByteArray, bytes);
        QFETCH(QString, line);
        QCOMPARE(ProtocolTrace::formatLine(ms, toRadio ? Direction::ToRadio : Direction::FromRadio,
                                           bytes),
                 line);
    }

    // Every byte sent and received is in the trace, in order, with times
    // that never go back.
    void traceOfARead()
    {
        VirtualRadio radio;
        QVERIFY(radio.open());
        SerialLink link;
        link.setPortName(radio.portName());
        QBuffer out;
        out.open(QIODevice::WriteOnly);
        ProtocolTrace trace(&out);
        trace.attach(link);
        QVERIFY(link.setPortOpen(true));
        RadioData data;

        const ProgrammingResult result = ProgrammingRun(link, data).run(TransferMode::Read);
        QVERIFY2(result.complete(), qPrintable(result.message));
        QTest::qWait(20); // the radio's last acknowledgement

        static const QRegularExpression shape(
            QStringLiteral("^ *(\\d+)\\.(\\d{3}) ([<>]) ([0-9A-F]{2}(?: [0-9A-F]{2})*)$"));
        QByteArray sent;
        QByteArray received;
        qint64 last = 0;
        const QStringList lines = QString::fromLatin1(out.data()).split(QLatin1Char('\n'));
        QCOMPARE(lines.last(), QString()); // every line ends with LF
        for (const QString &line : lines.first(lines.size() - 1)) {
            const QRegularExpressionMatch match = shape.match(line);
            QVERIFY2(match.hasMatch(), qPrintable(line));
            QCOMPARE(line.indexOf(QLatin1Char('.')), 5); // right-aligned in nine
            const qint64 ms = match.captured(1).toLongLong() * 1000 + match.captured(2).toInt();
            QVERIFY(ms >= last);
            last = ms;
            const QByteArray bytes = QByteArray::fromHex(match.captured(4).toLatin1());
            (match.captured(3) == QLatin1String(">") ? sent : received) += bytes;
        }
        QVERIFY(lines.at(0).endsWith(QLatin1String(" > 02")));
        QVERIFY(lines.at(1).endsWith(QLatin1String(" > 44 52 41 76 69 6B")));
        QVERIFY(lines.at(2).endsWith(QLatin1String(" < 06 20 74 6F 72 76 65 6E")));
        QCOMPARE(sent, radio.receivedBytes());
        QCOMPARE(received, radio.sentBytes());
        QVERIFY(trace.ok());
    }
};

QTEST_GUILESS_MAIN(TestProtocolTrace)
#include "tst_protocoltrace.moc"
