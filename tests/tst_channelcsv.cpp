// Channel lists as CSV in the generic layout: the exact line each kind of
// channel exports to, the round trip, hand-written files (a BOM, comments,
// columns in another order, an older header, quoted fields, bad rows) and
// where imported rows are placed.
#include "model/frequency.h"
#include "model/radiodata.h"
#include "storage/channelcsv.h"
#include "testbytes.h"
#include "testsupport.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

using Row = QStringList; // the eight cells of a channel row

namespace {

const QByteArray Header =
    "Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,DtcsCode,DtcsPolarity,"
    "RxDtcsCode,CrossMode,Mode,TStep,Skip,Power,Comment,URCALL,RPT1CALL,RPT2CALL,DVCODE,"
    "BusyLock";

QList<QByteArray> dataLines(const QByteArray &csv)
{
    QList<QByteArray> lines = csv.split('\n');
    lines.removeFirst(); // the header
    lines.removeLast();  // after the last line end
    for (QByteArray &line : lines) {
        if (!line.endsWith('\r'))
            qFatal("a line without CR LF");
        line.chop(1);
    }
    return lines;
}

// The channel rows of a table that hold anything.
QMap<int, Row> filledRows(const ChannelTable &table)
{
    QMap<int, Row> rows;
    for (int n = 1; n <= ChannelTable::ChannelCount; ++n)
        if (!table.isRowEmpty(n))
            rows.insert(n, rowCells(table, n));
    return rows;
}

} // namespace

namespace QTest {
template <> char *toString(const CsvSkippedRow &row)
{
    return qstrdup(QStringLiteral("line %1: %2").arg(row.line).arg(row.reason).toUtf8());
}
} // namespace QTest

class TestChannelCsv : public QObject
{
    Q_OBJECT

private slots:
    // One channel (in row 7) and the line it exports to.
    void exportLine_data()
    {
        QTest::addColumn<Row>("row");
        QTest::addColumn<int>("step"); // Freq.Step index
        QTest::addColumn<QByteArray>("line");

        // clang-format off
        QTest::newRow("simplex, tone squelch")
            << Row{"438.12500", "88.5", "438.12500", "88.5", "High", "Wide", "ON", "OFF"} << 5
            << QByteArray("7,,438.125000,,0.000000,TSQL,88.5,88.5,023,NN,023,Tone->Tone,FM,25.00,,5.0W,,,,,,OFF");
        QTest::newRow("transmit tone only, 6.25 kHz step")
            << Row{"438.12500", "OFF", "438.12500", "100.0", "High", "Wide", "ON", "OFF"} << 1
            << QByteArray("7,,438.125000,,0.000000,Tone,100.0,88.5,023,NN,023,Tone->Tone,FM,6.25,,5.0W,,,,,,OFF");
        QTest::newRow("plus offset")
            << Row{"438.12500", "OFF", "443.12500", "OFF", "High", "Wide", "ON", "OFF"} << 5
            << QByteArray("7,,438.125000,+,5.000000,,88.5,88.5,023,NN,023,Tone->Tone,FM,25.00,,5.0W,,,,,,OFF");
        QTest::newRow("minus offset")
            << Row{"438.12500", "OFF", "430.52500", "OFF", "High", "Wide", "ON", "OFF"} << 5
            << QByteArray("7,,438.125000,-,7.600000,,88.5,88.5,023,NN,023,Tone->Tone,FM,25.00,,5.0W,,,,,,OFF");
        QTest::newRow("offset of exactly 10 MHz")
            << Row{"440.00000", "OFF", "450.00000", "OFF", "High", "Wide", "ON", "OFF"} << 5
            << QByteArray("7,,440.000000,+,10.000000,,88.5,88.5,023,NN,023,Tone->Tone,FM,25.00,,5.0W,,,,,,OFF");
        QTest::newRow("split beyond 10 MHz")
            << Row{"440.00000", "OFF", "450.00625", "OFF", "High", "Wide", "ON", "OFF"} << 5
            << QByteArray("7,,440.000000,split,450.006250,,88.5,88.5,023,NN,023,Tone->Tone,FM,25.00,,5.0W,,,,,,OFF");
        QTest::newRow("receive only")
            << Row{"462.56250", "OFF", "", "OFF", "High", "Wide", "ON", "OFF"} << 5
            << QByteArray("7,,462.562500,off,0.000000,,88.5,88.5,023,NN,023,Tone->Tone,FM,25.00,,5.0W,,,,,,OFF");
        QTest::newRow("one code, inverted on receive")
            << Row{"438.12500", "D023I", "438.12500", "D023N", "High", "Wide", "ON", "OFF"} << 5
            << QByteArray("7,,438.125000,,0.000000,DTCS,88.5,88.5,023,NR,023,Tone->Tone,FM,25.00,,5.0W,,,,,,OFF");
        QTest::newRow("two tones")
            << Row{"438.12500", "71.9", "438.12500", "67.0", "High", "Wide", "ON", "OFF"} << 5
            << QByteArray("7,,438.125000,,0.000000,Cross,67.0,71.9,023,NN,023,Tone->Tone,FM,25.00,,5.0W,,,,,,OFF");
        QTest::newRow("tone to code")
            << Row{"438.12500", "D025N", "438.12500", "67.0", "High", "Wide", "ON", "OFF"} << 5
            << QByteArray("7,,438.125000,,0.000000,Cross,67.0,88.5,023,NN,025,Tone->DTCS,FM,25.00,,5.0W,,,,,,OFF");
        QTest::newRow("code to tone")
            << Row{"438.12500", "254.1", "438.12500", "D023I", "High", "Wide", "ON", "OFF"} << 5
            << QByteArray("7,,438.125000,,0.000000,Cross,88.5,254.1,023,RN,023,DTCS->Tone,FM,25.00,,5.0W,,,,,,OFF");
        QTest::newRow("receive tone only")
            << Row{"438.12500", "123.0", "438.12500", "OFF", "High", "Wide", "ON", "OFF"} << 5
            << QByteArray("7,,438.125000,,0.000000,Cross,88.5,123.0,023,NN,023,->Tone,FM,25.00,,5.0W,,,,,,OFF");
        QTest::newRow("receive code only")
            << Row{"438.12500", "D047I", "438.12500", "OFF", "High", "Wide", "ON", "OFF"} << 5
            << QByteArray("7,,438.125000,,0.000000,Cross,88.5,88.5,023,NR,047,->DTCS,FM,25.00,,5.0W,,,,,,OFF");
        QTest::newRow("transmit code only")
            << Row{"438.12500", "OFF", "438.12500", "D065N", "High", "Wide", "ON", "OFF"} << 5
            << QByteArray("7,,438.125000,,0.000000,Cross,88.5,88.5,065,NN,023,DTCS->,FM,25.00,,5.0W,,,,,,OFF");
        QTest::newRow("two codes")
            << Row{"438.12500", "D754I", "438.12500", "D023N", "High", "Wide", "ON", "OFF"} << 5
            << QByteArray("7,,438.125000,,0.000000,Cross,88.5,88.5,023,NR,754,DTCS->DTCS,FM,25.00,,5.0W,,,,,,OFF");
        QTest::newRow("low, narrow, not scanned, busy lock on")
            << Row{"438.12500", "OFF", "438.12500", "OFF", "Low", "Narrow", "OFF", "ON"} << 0
            << QByteArray("7,,438.125000,,0.000000,,88.5,88.5,023,NN,023,Tone->Tone,NFM,5.00,S,1.0W,,,,,,ON");
        QTest::newRow("Chinese texts")
            << Row{"438.12500", "禁用", "438.12500", "禁用", "低功率", "窄带", "禁用", "启用"} << 3
            << QByteArray("7,,438.125000,,0.000000,,88.5,88.5,023,NN,023,Tone->Tone,NFM,12.50,S,1.0W,,,,,,ON");
        QTest::newRow("flags all empty are the new-channel values")
            << Row{"438.12500", "", "438.12500", "", "", "", "", ""} << 5
            << QByteArray("7,,438.125000,,0.000000,,88.5,88.5,023,NN,023,Tone->Tone,FM,25.00,,5.0W,,,,,,OFF");
        // clang-format on
    }

    void exportLine()
    {
        QFETCH(Row, row);
        QFETCH(int, step);
        QFETCH(QByteArray, line);
        RadioData data;
        useValueTexts(data.table, EnglishValueTexts);
        QVERIFY(data.settings.setIndex(Setting::Freq_Step, step));
        setRow(data.table, 7, localised(row));

        CsvExportResult result;
        const QByteArray csv = channelCsvBytes(data, &result);

        QVERIFY2(csv.startsWith(Header + "\r\n"), csv.constData());
        QCOMPARE(dataLines(csv), QList<QByteArray>{line});
        QCOMPARE(result.exported, 1);
        QCOMPARE(result.warnings, QStringList());
    }

    // Channels that cannot be expressed are left out and named; empty rows
    // are not exported at all.
    void exportRefusals()
    {
        RadioData data;
        useValueTexts(data.table, EnglishValueTexts);
        setRow(data.table, 1,
               localised({"438.12500", "OFF", "438.12500", "OFF", "High", "Wide", "ON", "OFF"}));
        setRow(data.table, 2, {"438.1", "OFF", "", "OFF", "High", "Wide", "ON", "OFF"});
        setRow(data.table, 3,
               localised({"438.12500", "77", "438.12500", "OFF", "High", "Wide", "ON", "OFF"}));
        setRow(data.table, 4,
               localised({"438.12500", "OFF", "438.12500", "OFF", "Strong", "Wide", "ON", "OFF"}));
        CsvExportResult result;
        const QList<QByteArray> lines = dataLines(channelCsvBytes(data, &result));
        QCOMPARE(result.exported, 2);
        QCOMPARE(lines.size(), 2);
        QVERIFY(lines.at(1).contains(",1.0W,")); // as the radio would store it: low
        QCOMPARE(result.warnings,
                 QStringList({"Channel 002 is not exported: receive frequency \"438.1\" is not a "
                              "frequency",
                              "Channel 003 is not exported: receive sub-audio \"77\" is not a "
                              "tone or code",
                              "Channel 004: power \"Strong\" is not a known value; exported as "
                              "the radio would store it"}));
    }

    // Every kind of channel comes back unchanged through a file, and a
    // field with a comma or a quote is quoted.
    void roundTrip()
    {
        RadioData data;
        useValueTexts(data.table, EnglishValueTexts);
        const QList<Row> rows{
            {"438.12500", "88.5", "443.12500", "88.5", "High", "Wide", "ON", "OFF"},
            {"446.00625", "OFF", "446.00625", "OFF", "Low", "Narrow", "OFF", "ON"},
            {"400.00000", "D754I", "470.00000", "D023N", "Low", "Wide", "ON", "OFF"},
            {"462.56250", "OFF", "", "254.1", "High", "Narrow", "OFF", "OFF"},
            {"430.52500", "67.0", "438.12500", "D017I", "High", "Wide", "ON", "ON"},
            {"435.00000", "D023I", "435.00000", "D023N", "High", "Wide", "ON", "OFF"},
            {"435.00000", "D023N", "435.00000", "OFF", "High", "Wide", "ON", "OFF"},
            {"435.00000", "OFF", "435.00000", "D654I", "High", "Wide", "ON", "OFF"},
            {"435.00000", "71.9", "435.00000", "OFF", "High", "Wide", "ON", "OFF"},
            {"435.00000", "D162N", "435.00000", "186.2", "High", "Wide", "ON", "OFF"},
        };
        const QList<int> at{1, 2, 50, 51, 100, 150, 151, 197, 198, 199};
        for (int k = 0; k < rows.size(); ++k)
            setRow(data.table, at.at(k), localised(rows.at(k)));

        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("list.csv"));
        const CsvExportResult exported = exportChannelCsv(path, data);
        QVERIFY2(exported.ok, qPrintable(exported.message));
        QCOMPARE(exported.exported, rows.size());

        RadioData back;
        useValueTexts(back.table, EnglishValueTexts);
        setRow(back.table, 3, {"999", "x", "", "", "", "", "", ""}); // replaced by the import
        const CsvImportReport report = importChannelCsvFile(path, back.table);
        QVERIFY2(report.ok, qPrintable(report.message));
        QCOMPARE(report.imported, rows.size());
        QCOMPARE(report.skipped, QList<CsvSkippedRow>());
        QCOMPARE(report.warnings, QStringList());
        QCOMPARE(filledRows(back.table), filledRows(data.table));
    }

    // A file written by hand: a BOM, comments, CR LF, columns in another
    // order, quoted fields (one over two lines), rows that cannot be placed,
    // a row without a usable Location, a duplicate Location.
    void importHandWritten()
    {
        RadioData data;
        useValueTexts(data.table, EnglishValueTexts);
        QSignalSpy rows(&data.table, &ChannelTable::rowsChanged);
        const CsvImportReport report = importChannelCsv(fixture("generic.csv"), data.table);
        QVERIFY2(report.ok, qPrintable(report.message));

        QMap<int, Row> expected;
        expected[1] = {"438.12500", "100.0", "443.12500", "100.0", "High", "Wide", "ON", "OFF"};
        expected[2] = {"441.12500", "D047N", "440.12500", "D047I", "High", "Wide", "ON", "OFF"};
        expected[3] = {"446.00625", "OFF", "446.00625", "OFF", "Low", "Narrow", "OFF", "ON"};
        expected[4] = {"442.00000", "OFF", "442.00000", "OFF", "High", "Narrow", "ON", "OFF"};
        expected[5] = {"430.00000", "D754I", "460.00000", "D023N", "Low", "Wide", "ON", "OFF"};
        expected[8] = {"440.00000", "D023N", "", "OFF", "High", "Wide", "ON", "OFF"};
        for (Row &row : expected)
            row = localised(row);
        QCOMPARE(filledRows(data.table), expected);
        QCOMPARE(report.imported, 6);
        QCOMPARE(report.skipped,
                 QList<CsvSkippedRow>({{8, "Frequency \"abc\" is not a number"},
                                       {9, "rToneFreq 69.4 is not in the tone list"},
                                       {14, "a quoted field is not closed"}}));
        QCOMPARE(report.warnings,
                 QStringList({"line 12: Location 0 is no channel (1–199); placed in channel 002",
                              "line 12: frequency 441.123450 MHz moved onto the channel raster: " +
                                  local("441.12500"),
                              "line 12: transmit frequency 440.123450 MHz moved onto the channel "
                              "raster: " +
                                  local("440.12500"),
                              "line 13: Location 1 is taken by line 4; placed in channel 004"}));
        QVERIFY(rows.count() > 0);
    }

    // The older 17-column header: no RxDtcsCode, CrossMode, Power or
    // BusyLock; LF line ends, no BOM.
    void importOldHeader()
    {
        RadioData data;
        useValueTexts(data.table, EnglishValueTexts);
        const CsvImportReport report = importChannelCsv(fixture("generic-old.csv"), data.table);
        QVERIFY2(report.ok, qPrintable(report.message));
        QMap<int, Row> expected;
        expected[1] = {"433.50000", "OFF", "433.50000", "OFF", "High", "Wide", "ON", "OFF"};
        expected[2] = {"439.00000", "OFF", "431.40000", "123.0", "High", "Narrow", "OFF", "OFF"};
        expected[3] = {"434.00000", "D025I", "434.00000", "D025N", "High", "Wide", "ON", "OFF"};
        expected[4] = {"435.00000", "77.0", "435.00000", "67.0", "High", "Wide", "ON", "OFF"};
        for (Row &row : expected)
            row = localised(row);
        QCOMPARE(filledRows(data.table), expected);
        QCOMPARE(report.skipped, QList<CsvSkippedRow>());
        QCOMPARE(report.warnings, QStringList());
    }

    // One data row under the full header (in the table's language: Chinese
    // here) and the cells it gives, or why it is skipped.
    void importRow_data()
    {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<Row>("cells"); // empty: skipped
        QTest::addColumn<QString>("reason");

        const auto row = [](const char *fields) { return QByteArray(fields); };
        // clang-format off
        QTest::newRow("frequency onto the raster, power threshold")
            << row("1,,438.1234,,,,,,,,,,,,,2.5W,,,,,,")
            << Row{"438.12500", "禁用", "438.12500", "禁用", "高功率", "宽带", "启用", "禁用"} << "";
        QTest::newRow("below 2.5 W is low")
            << row("1,,438.125,,,,,,,,,,,,,2.4 W,,,,,,")
            << Row{"438.12500", "禁用", "438.12500", "禁用", "低功率", "宽带", "启用", "禁用"} << "";
        QTest::newRow("Low, busy lock yes, priority scan")
            << row("1,,438.125,,,,,,,,,,FM,,P,Low,,,,,,yes")
            << Row{"438.12500", "禁用", "438.12500", "禁用", "低功率", "宽带", "启用", "启用"} << "";
        QTest::newRow("tone as 88.50, code without leading zeros")
            << row("1,,438.125,,,Cross,88.50,88.5,23,RR,,DTCS->Tone,,,,,,,,,,")
            << Row{"438.12500", "88.5", "438.12500", "D023I", "高功率", "宽带", "启用", "禁用"} << "";
        QTest::newRow("empty RxDtcsCode takes DtcsCode")
            << row("1,,438.125,,,Cross,,,754,NN,,DTCS->DTCS,,,,,,,,,,")
            << Row{"438.12500", "D754N", "438.12500", "D754N", "高功率", "宽带", "启用", "禁用"} << "";
        QTest::newRow("no frequency") << row("1,,,,,,,,,,,,,,,,,,,,,") << Row{} << "no frequency";
        QTest::newRow("zero frequency") << row("1,,0.000000,,,,,,,,,,,,,,,,,,,") << Row{} << "no frequency";
        QTest::newRow("below 100 MHz")
            << row("1,,52.525,,,,,,,,,,,,,,,,,,,") << Row{}
            << "frequency 52.525 MHz is outside 100–550 MHz";
        QTest::newRow("transmit beyond 550 MHz")
            << row("1,,545.000,+,9.0,,,,,,,,,,,,,,,,,") << Row{}
            << "transmit frequency 554.000000 MHz is outside 100–550 MHz";
        QTest::newRow("transmit below zero")
            << row("1,,438.125,-,500,,,,,,,,,,,,,,,,,") << Row{}
            << "transmit frequency -61.875000 MHz is outside 100–550 MHz";
        QTest::newRow("comma decimal")
            << row("1,,\"438,125\",,,,,,,,,,,,,,,,,,,") << Row{}
            << "Frequency \"438,125\" is not a number";
        QTest::newRow("unknown duplex") << row("1,,438.125,x,,,,,,,,,,,,,,,,,,") << Row{}
            << "Duplex \"x\" is not \"\", +, -, split or off";
        QTest::newRow("unknown tone mode") << row("1,,438.125,,,DTCS-R,,,,,,,,,,,,,,,,") << Row{}
            << "Tone \"DTCS-R\" is not a tone mode (Tone, TSQL, DTCS or Cross)";
        QTest::newRow("code not in the list") << row("1,,438.125,,,DTCS,,,024,NN,,,,,,,,,,,,")
            << Row{} << "DtcsCode 024 is not in the code list";
        QTest::newRow("bad polarity") << row("1,,438.125,,,DTCS,,,023,NX,,,,,,,,,,,,") << Row{}
            << "DtcsPolarity \"NX\" is not NN, NR, RN or RR";
        QTest::newRow("unknown cross mode") << row("1,,438.125,,,Cross,,,,,,Tone->Nothing,,,,,,,,,,")
            << Row{} << "CrossMode \"Tone->Nothing\" is not understood";
        QTest::newRow("AM") << row("1,,438.125,,,,,,,,,,AM,,,,,,,,,") << Row{}
            << "Mode AM cannot be stored (FM or NFM)";
        QTest::newRow("bad skip") << row("1,,438.125,,,,,,,,,,,,X,,,,,,,") << Row{}
            << "Skip \"X\" is not \"\", S or P";
        QTest::newRow("bad power") << row("1,,438.125,,,,,,,,,,,,,lots,,,,,,") << Row{}
            << "Power \"lots\" is not a power (watts, High or Low)";
        QTest::newRow("bad busy lock") << row("1,,438.125,,,,,,,,,,,,,,,,,,,maybe") << Row{}
            << "BusyLock \"maybe\" is not ON or OFF";
        // clang-format on
    }

    void importRow()
    {
        QFETCH(QByteArray, line);
        QFETCH(Row, cells);
        QFETCH(QString, reason);
        RadioData data; // no language loaded: the built-in texts

        const CsvImportReport report = importChannelCsv(Header + "\n" + line + "\n", data.table);

        QVERIFY(report.ok);
        if (cells.isEmpty()) {
            QCOMPARE(report.skipped, QList<CsvSkippedRow>({{2, reason}}));
            QCOMPARE(report.imported, 0);
            QVERIFY(data.table.isRowEmpty(1));
        } else {
            QCOMPARE(report.skipped, QList<CsvSkippedRow>());
            QCOMPARE(rowCells(data.table, 1), localised(cells));
        }
    }

    // At most 199 rows are placed: a Location above 199 goes to a free
    // channel, and once all are taken the rest is skipped.
    void importTooMany()
    {
        QByteArray csv = "Frequency,Location\n";
        for (int k = 1; k <= 201; ++k)
            csv += "440.000000," + QByteArray::number(k == 1 ? 250 : k) + "\n";
        RadioData data;
        const CsvImportReport report = importChannelCsv(csv, data.table);
        QCOMPARE(report.imported, 199);
        const QString full = QStringLiteral("no free channel left (all 199 are taken)");
        QCOMPARE(report.skipped, QList<CsvSkippedRow>({{201, full}, {202, full}}));
        QCOMPARE(report.warnings,
                 QStringList{"line 2: Location 250 is no channel (1–199); placed in channel 001"});
        QCOMPARE(data.table.cell(1, 1), local("440.00000"));
    }

    // Without a header naming Frequency nothing is imported and the table
    // stays as it was.
    void importNotAList_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QString>("message");
        QTest::newRow("empty") << QByteArray() << "The file holds no header line";
        QTest::newRow("only comments")
            << QByteArray("# nothing\r\n\r\n# here\r\n") << "The file holds no header line";
        QTest::newRow("another CSV")
            << QByteArray("\n# list\nName,Number\nAnna,1\n")
            << "Not a channel list: the header (line 3) has no Frequency column";
        QTest::newRow("a channel file")
            << QByteArray("TR-207 MEMORY CHANNEL\r\n\r\n\r\nBAND 400-470MHz\r\n")
            << "Not a channel list: the header (line 1) has no Frequency column";
    }

    void importNotAList()
    {
        QFETCH(QByteArray, text);
        QFETCH(QString, message);
        RadioData data;
        setRow(data.table, 5, {"438.12500", "", "", "", "", "", "", ""});
        const CsvImportReport report = importChannelCsv(text, data.table);
        QVERIFY(!report.ok);
        QCOMPARE(report.message, message);
        QCOMPARE(data.table.cell(1, 5), QStringLiteral("438.12500"));
    }
};

QTEST_GUILESS_MAIN(TestChannelCsv)
#include "tst_channelcsv.moc"
