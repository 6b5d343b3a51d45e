// Channel files: the exact bytes written, the line-position reader, its
// faults, and the safe save.
#include "model/frequency.h"
#include "model/radiodata.h"
#include "storage/channelfile.h"
#include "storage/gbk.h"
#include "testbytes.h"
#include "testsupport.h"

#include <QBuffer>
#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

#include <array>
#include <cerrno>
#include <optional>

using Row = QStringList; // the eight cells of a channel row
using Rows = QMap<int, Row>;
using Indexes = QList<int>; // the twenty setting indexes in canonical order

namespace {

QByteArray joined(const QList<QByteArray> &lines, const QByteArray &end = "\r\n")
{
    QByteArray bytes;
    for (const QByteArray &line : lines)
        bytes += line + end;
    return bytes;
}

QByteArray gbk(const char *utf8)
{
    return toGbk(QString::fromUtf8(utf8));
}

ChannelFileResult readBytes(const QByteArray &bytes, RadioData &data)
{
    QByteArray copy = bytes;
    QBuffer buffer(&copy);
    buffer.open(QIODevice::ReadOnly);
    return readChannelFile(buffer, data);
}

Indexes defaultIndexes()
{
    Indexes indexes;
    for (Setting s : allSettings())
        indexes.append(settingInfo(s).defaultIndex);
    return indexes;
}

// A value other than the default for every setting; SpreadFreq on, so the
// band may differ too.
const Indexes OtherIndexes = {0, 0, 0, 0, 0, 0, 0, 0, 7, 3, 6, 0, 0, 0, 0, 1, 1, 2, 5, 6};

// Setting lines 5-24 with the given indexes and no shown text (the reader
// takes only the digit).
QList<QByteArray> settingLines(const Indexes &indexes)
{
    QList<QByteArray> lines;
    for (Setting s : allSettings())
        lines.append(settingInfo(s).name.toLatin1() + ' ' +
                     QByteArray::number(indexes.at(static_cast<int>(s))));
    return lines;
}

// Lines 1-26 of a file with band 400-470MHz and OtherIndexes.
QList<QByteArray> header()
{
    return QList<QByteArray>{"TR-207 MEMORY CHANNEL", "", "", "BAND 400-470MHz"} +
           settingLines(OtherIndexes) + QList<QByteArray>{"", ""};
}

// Every row of the table filled, so that emptying shows.
void fillTable(ChannelTable &table)
{
    for (int row = 1; row <= ChannelTable::ChannelCount; ++row)
        setRow(table, row, Row(8, QStringLiteral("x")));
}

// The state of the example file: default settings, built-in texts, band
// 400-470MHz, channel 1 set.
void setUpExample(RadioData &data)
{
    data.bands.list1_rx.append(QStringLiteral("400-470MHz"));
    data.bands.list1_rx.choose(0);
    setRow(data.table, 1,
           {"435.02500", "67.0", "435.02500", "67.0", "高功率", "宽带", "启用", "禁用"});
}

QString systemMessage(int error)
{
    return qt_error_string(error);
}

} // namespace

class TestChannelFile : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY(gbkAvailable());
        verifyLocaleOfRun();
    }

    void writesTheExampleByteForByte()
    {
        RadioData data;
        setUpExample(data);
        const QByteArray expected = fixture(QStringLiteral("example.r07"));
        QStringList warnings;
        QCOMPARE(channelFileBytes(data, &warnings), expected);
        QVERIFY(warnings.isEmpty());

        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("example.r07"));
        const ChannelFileResult result = saveChannelFile(path, data);
        QVERIFY2(result.ok, qPrintable(result.message));
        QCOMPARE(readFile(path), expected);
    }

    void writesWhatTheSettingsShowNow()
    {
        RadioData data;
        data.settings.setChoices(Setting::APO, {QStringLiteral("ON"), QStringLiteral("OFF")});
        data.settings.setIndex(Setting::APO, 0);
        data.settings.setIndex(Setting::TxT_O_T, 7);
        const QList<QByteArray> lines = linesOf(channelFileBytes(data));
        QCOMPARE(lines.size(), 225);
        QCOMPARE(lines.at(3), QByteArray("BAND "));
        QCOMPARE(lines.at(4), QByteArray("APO 0 ON"));
        QCOMPARE(lines.at(14), "TxT.O.T 7 " + gbk("7分钟"));
        QCOMPARE(lines.at(224), QByteArray("CH199 |  |  |  |  |  |  |  |  | "));

        // A list replaced by a shorter one leaves nothing selected; the file
        // still gets one digit.
        data.settings.setChoices(Setting::Rxlight, {QStringLiteral("1"), QStringLiteral("2")});
        QCOMPARE(data.settings.index(Setting::Rxlight), -1);
        QStringList warnings;
        QCOMPARE(linesOf(channelFileBytes(data, &warnings)).at(23), QByteArray("Rxlight 3 "));
        QCOMPARE(warnings.size(), 1);
        QVERIFY(warnings.at(0).startsWith(QLatin1String("Rxlight")));
    }

    void warnsOfTextsThatWouldNotComeBack()
    {
        RadioData data;
        data.table.setCell(2, 3, QStringLiteral("67.0 Hz"));
        data.table.setCell(5, 4, QStringLiteral("High\r\nLow"));
        data.table.setCell(6, 5, QString::fromUtf8("Wide\xF0\x9F\x93\xBB"));
        QStringList warnings;
        const QList<QByteArray> lines = linesOf(channelFileBytes(data, &warnings));
        QCOMPARE(lines.size(), 225);
        QCOMPARE(lines.at(25 + 4), QByteArray("CH004 |  |  |  |  | High  Low |  |  |  | "));
        QCOMPARE(lines.at(25 + 5), QByteArray("CH005 |  |  |  |  |  | Wide? |  |  | "));
        QCOMPARE(warnings.size(), 3);
        QVERIFY(warnings.at(0).contains(QLatin1String("Channel 003, column 2")));
        QVERIFY(warnings.at(1).contains(QLatin1String("Channel 004, column 5")));
        QVERIFY(warnings.at(2).contains(QLatin1String("Channel 005, column 6")));
    }

    void opensTheExample()
    {
        RadioData data;
        fillTable(data.table);
        data.bands.list1_rx.append(QStringLiteral("136-174MHz"));
        data.bands.list1_rx.append(QStringLiteral("400-470MHz"));
        data.settings.setIndex(Setting::SpreadFreq, 1);
        for (Setting s : allSettings())
            if (s != Setting::SpreadFreq)
                data.settings.setIndex(s, OtherIndexes.at(static_cast<int>(s)));

        const ChannelFileResult result =
            openChannelFile(QStringLiteral(QB_TEST_DATA "/example.r07"), data);
        QVERIFY2(result.ok, qPrintable(result.message));
        QVERIFY(result.warnings.isEmpty());
        QVERIFY(result.bandChosen);
        QCOMPARE(data.bands.list1_rx.entries(),
                 QStringList({QStringLiteral("136-174MHz"), QStringLiteral("400-470MHz")}));
        QCOMPARE(data.bands.list1_rx.chosenIndex(), 1);
        QCOMPARE(channelFileCaption(data.bands.list1_rx.chosenText()),
                 QStringLiteral("RPX-207    [400-470MHz]"));
        QCOMPARE(indexesOf(data.settings), defaultIndexes());
        QVERIFY(!data.settings.isEnabled(Setting::band));
        QCOMPARE(rowCells(data.table, 1),
                 Row({"435.02500", "67.0", "435.02500", "67.0", "高功率", "宽带", "启用", "禁用"}));
        for (int row = 2; row <= ChannelTable::ChannelCount; ++row)
            QCOMPARE(rowCells(data.table, row), EmptyRow);
    }

    void roundTripsARichTable()
    {
        RadioData source;
        source.bands.list1_rx.append(QStringLiteral("400-470MHz"));
        source.bands.list1_rx.append(QStringLiteral("430-440MHz"));
        source.bands.list1_rx.choose(1);
        source.table.setValueTexts(EnglishValueTexts);
        source.settings.setIndex(Setting::SpreadFreq, 1);
        for (Setting s : allSettings())
            QVERIFY(source.settings.setIndex(s, OtherIndexes.at(static_cast<int>(s))));

        const QString f438 = frequencyCellText(43812500);
        const QString f462 = frequencyCellText(46256250);
        setRow(source.table, 1,
               {f438, "D023N", frequencyCellText(44500000), "D754I", "Low", "Narrow", "OFF", "ON"});
        setRow(source.table, 2,
               {"400.00000", "禁用", "400.00000", "254.1", "高功率", "窄带", "启用", "禁用"});
        // Receive only: no transmit frequency.
        setRow(source.table, 3, {f462, "67.0", "", "OFF", "High", "Wide", "ON", "ON"});
        // No receive frequency: the row opens empty.
        setRow(source.table, 50, {"", "67.0", f438, "OFF", "High", "Wide", "ON", "OFF"});
        setRow(source.table, 199,
               {"469.99375", "D017I", "469.99375", "D017N", "低功率", "Wide", "OFF", "OFF"});

        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("rich.r07"));
        ChannelFileResult result = saveChannelFile(path, source);
        QVERIFY2(result.ok, qPrintable(result.message));
        QVERIFY(result.warnings.isEmpty());

        RadioData opened;
        opened.bands.list1_rx.append(QStringLiteral("400-470MHz"));
        opened.bands.list1_rx.choose(0);
        fillTable(opened.table);
        result = openChannelFile(path, opened);
        QVERIFY2(result.ok, qPrintable(result.message));
        QVERIFY(result.warnings.isEmpty());
        QCOMPARE(opened.bands.list1_rx.entries(), source.bands.list1_rx.entries());
        QCOMPARE(opened.bands.list1_rx.chosenIndex(), 1);
        QCOMPARE(indexesOf(opened.settings), OtherIndexes);
        for (int row = 1; row <= ChannelTable::ChannelCount; ++row)
            QCOMPARE(rowCells(opened.table, row),
                     row == 50 ? EmptyRow : rowCells(source.table, row));

        source.table.clearRow(50);
        QCOMPARE(channelFileBytes(opened), channelFileBytes(source));
    }

    // A frequency typed and normalised, and one filled in as a read fills
    // it, are written in ASCII digits with the run's separator, whatever
    // digits the locale writes numbers with (the runs under ar_EG and
    // fa_IR), and read back to the same values.
    void frequenciesSaveInAsciiDigits()
    {
        const QString sep = frequencySeparator();
        RadioData data;
        data.table.setValueTexts(EnglishValueTexts);
        data.table.setCell(1, 1, QStringLiteral("438") + sep + QStringLiteral("1"));
        data.table.commitRow(1, 1);
        Channel read; // receive only, as a read fills the row
        read.rxFrequency = 46256250;
        data.table.setChannel(2, read);

        QStringList warnings;
        const QByteArray bytes = channelFileBytes(data, &warnings);
        QCOMPARE(warnings, QStringList());
        const QByteArray s = sep.toLatin1();
        QCOMPARE(linesOf(bytes).at(26), "CH001 | 438" + s + "10000 | OFF | 438" + s +
                                            "10000 | OFF | High | Wide | ON | OFF | ");
        QCOMPARE(linesOf(bytes).at(27),
                 "CH002 | 462" + s + "56250 | OFF |  | OFF | High | Wide | ON | OFF | ");

        RadioData opened;
        const ChannelFileResult result = readBytes(bytes, opened);
        QVERIFY2(result.ok, qPrintable(result.message));
        QCOMPARE(parseFrequency(opened.table.cell(1, 1)), 438.1);
        QCOMPARE(parseFrequencyCell(opened.table.cell(3, 1)), 43810000);
        opened.table.setValueTexts(EnglishValueTexts);
        QCOMPARE(opened.table.channel(2).channel, read);
        opened.table.normaliseFrequencyCell(1, 2);
        QCOMPARE(opened.table.cell(1, 2), data.table.cell(1, 2));
    }

    // A setting line without a digit at its position stops the open there.
    void settingLineFaults_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("band");
        QTest::addColumn<int>("settingsSet"); // how many settings took the file's value

        auto withLine = [](int number, const QByteArray &line) {
            QList<QByteArray> lines = header();
            lines[number - 1] = line;
            return joined(lines);
        };
        const QString noDigit = QStringLiteral("'' is not a valid integer value");
        QTest::newRow("short line") << withLine(13, "Squelch") << noDigit << "400-470MHz" << 8;
        QTest::newRow("name and blank only")
            << withLine(13, "Squelch ") << noDigit << "400-470MHz" << 8;
        QTest::newRow("empty line") << withLine(7, "") << noDigit << "400-470MHz" << 2;
        QTest::newRow("letter") << withLine(5, "APO x 1") << "'x' is not a valid integer value"
                                << "400-470MHz" << 0;
        QTest::newRow("blank") << withLine(20, "SpreadFreq  1")
                               << "' ' is not a valid integer value"
                               << "400-470MHz" << 15;
        QTest::newRow("sign") << withLine(22, "Freq.Step -2") << "'-' is not a valid integer value"
                              << "400-470MHz" << 17;
        QTest::newRow("Chinese character")
            << withLine(21, "band " + gbk("频段2"))
            << QString::fromUtf8("'频' is not a valid integer value") << "400-470MHz" << 16;
        QTest::newRow("fewer than 24 lines")
            << joined(header().mid(0, 15)) << noDigit << "400-470MHz" << 11;
        QTest::newRow("three lines") << joined(header().mid(0, 3)) << noDigit << "" << 0;
        QTest::newRow("empty file") << QByteArray() << noDigit << "" << 0;
        QTest::newRow("line too long for a channel file")
            << withLine(13, QByteArray(2 << 20, 'S')) << "Line 13 is too long for a channel file"
            << "400-470MHz" << 8;
        QTest::newRow("another kind of file")
            << QByteArray("[open]\r\ncom=1\r\nskin=1\r\n[list1_rx]\r\nlistnow=0\r\n")
            << "'n' is not a valid integer value"
            << "1_rx]" << 0;
    }

    void settingLineFaults()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, message);
        QFETCH(QString, band);
        QFETCH(int, settingsSet);

        RadioData data;
        fillTable(data.table);
        data.bands.list1_rx.append(QStringLiteral("400-470MHz"));
        data.bands.list1_rx.append(QStringLiteral("136-174MHz"));
        data.bands.list1_rx.choose(1);

        const ChannelFileResult result = readBytes(content, data);
        QVERIFY(!result.ok);
        QCOMPARE(result.message, message);
        // The band choice and the settings before the faulty line stay.
        QVERIFY(result.bandChosen);
        QCOMPARE(data.bands.list1_rx.chosenText(), band);
        Indexes expected = defaultIndexes();
        for (int i = 0; i < settingsSet; ++i)
            expected[i] = OtherIndexes.at(i);
        QCOMPARE(indexesOf(data.settings), expected);
        // The channel table is not touched.
        for (int row = 1; row <= ChannelTable::ChannelCount; ++row)
            QCOMPARE(rowCells(data.table, row), Row(8, QStringLiteral("x")));
    }

    void bandLine_data()
    {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<QStringList>("entries");
        QTest::addColumn<int>("chosen");

        const QStringList known = {"400-470MHz", "136-174MHz"};
        QTest::newRow("known band") << QByteArray("BAND 136-174MHz") << known << 1;
        QTest::newRow("unknown band")
            << QByteArray("BAND 350-390MHz") << known + QStringList{"350-390MHz"} << 2;
        QTest::newRow("BAND only") << QByteArray("BAND ") << known + QStringList{""} << 2;
        QTest::newRow("empty line") << QByteArray() << known + QStringList{""} << 2;
        QTest::newRow("ten characters taken")
            << QByteArray("BAND 400-470MHz and more") << known << 0;
        QTest::newRow("compared exactly")
            << QByteArray("BAND 400-470mhz") << known + QStringList{"400-470mhz"} << 2;
        QTest::newRow("prefix not checked") << QByteArray("band:136-174MHz") << known << 1;
        QTest::newRow("shorter text") << QByteArray("BAND 136") << known + QStringList{"136"} << 2;
        QTest::newRow("Chinese band")
            << "BAND " + gbk("频段一") << known + QStringList{QString::fromUtf8("频段一")} << 2;
        QTest::newRow("cut character")
            << "BAND 123456789" + gbk("频")
            << known + QStringList{QString::fromUtf8("123456789\xEF\xBF\xBD")} << 2;
    }

    void bandLine()
    {
        QFETCH(QByteArray, line);
        QFETCH(QStringList, entries);
        QFETCH(int, chosen);

        RadioData data;
        data.bands.list1_rx.append(QStringLiteral("400-470MHz"));
        data.bands.list1_rx.append(QStringLiteral("136-174MHz"));
        data.bands.list1_rx.choose(0);
        QList<QByteArray> lines = header();
        lines[3] = line;

        const ChannelFileResult result = readBytes(joined(lines), data);
        QVERIFY2(result.ok, qPrintable(result.message));
        QVERIFY(result.bandChosen);
        QCOMPARE(data.bands.list1_rx.entries(), entries);
        QCOMPARE(data.bands.list1_rx.chosenIndex(), chosen);
        QCOMPARE(channelFileCaption(data.bands.list1_rx.chosenText()),
                 QStringLiteral("RPX-207    [") + entries.at(chosen) + QLatin1Char(']'));
    }

    void channelLines_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<Rows>("rows"); // rows not named here open empty

        const QByteArray full =
            "CH001 | 435.00000 | 67.0 | 436.00000 | D023N | High | Wide | ON | OFF | ";
        const Row fullRow = {"435.00000", "67.0", "436.00000", "D023N",
                             "High",      "Wide", "ON",        "OFF"};
        auto file = [](const QList<QByteArray> &channelLines) {
            return joined(header() + channelLines);
        };

        QTest::newRow("no channel lines") << file({}) << Rows{};
        QTest::newRow("fewer than 199 lines")
            << file({full, "CH002 |  |  |  |  |  |  |  |  | ", full})
            << Rows{{1, fullRow}, {3, fullRow}};
        {
            QList<QByteArray> lines(198, "CH000 |  |  |  |  |  |  |  |  | ");
            lines << "CH199 | 1 | 2 | 3 | 4 | 5 | 6 | 7 | 8 | " << full << full;
            QTest::newRow("more than 199 lines")
                << file(lines) << Rows{{199, {"1", "2", "3", "4", "5", "6", "7", "8"}}};
        }
        QTest::newRow("number after CH not read")
            << file({"CH150 | 1 | 2 | 3 | 4 | 5 | 6 | 7 | 8 | "})
            << Rows{{1, {"1", "2", "3", "4", "5", "6", "7", "8"}}};
        QTest::newRow("receive frequency empty")
            << file({"CH001 |  | 67.0 | 436.00000 | D023N | High | Wide | ON | OFF | "}) << Rows{};
        QTest::newRow("receive only")
            << file({"CH001 | 435.00000 | OFF |  | OFF | Low | Narrow | OFF | ON | "})
            << Rows{{1, {"435.00000", "OFF", "", "OFF", "Low", "Narrow", "OFF", "ON"}}};
        // The blank ends the cell; " Hz" goes as if it were a separator, so
        // the next cell is empty and each later one takes its neighbour's text.
        QTest::newRow("blank inside a cell")
            << file({"CH001 | 435.00000 | 67.0 Hz | 436.00000 | D023N | High | Wide | ON | OFF | "})
            << Rows{{1, {"435.00000", "67.0", "", "436.00000", "D023N", "High", "Wide", "ON"}}};
        // Without the final " | " the last byte taken off is a text byte.
        QTest::newRow("no separator left")
            << file({"CH001 | 435.00000 | OFF"})
            << Rows{{1, {"435.00000", "OF", "", "", "", "", "", ""}}};
        QTest::newRow("line shorter than 9 bytes") << file({"CH001", full}) << Rows{{2, fullRow}};
        QTest::newRow("empty line keeps its row") << file({"", full}) << Rows{{2, fullRow}};
        QTest::newRow("Chinese cells")
            << file({"CH001 | 435.00000 | " +
                     gbk("禁用 | 435.00000 | 禁用 | 低功率 | 窄带 | 启用 | 禁用 | ")})
            << Rows{{1,
                     {"435.00000", "禁用", "435.00000", "禁用", "低功率", "窄带", "启用", "禁用"}}};
        QTest::newRow("any text, unchecked")
            << file({"CH001 | abc | ||| | -1 | x | y | z | w | v | "})
            << Rows{{1, {"abc", "|||", "-1", "x", "y", "z", "w", "v"}}};
        // Lines are read in pieces; a long one comes whole, its CR too.
        QTest::newRow("long cell")
            << file({"CH001 | " + QByteArray(1000, '4') + " | 67.0 | ", full})
            << Rows{{1, {QString(1000, '4'), "67.0", "", "", "", "", "", ""}}, {2, fullRow}};
        QTest::newRow("LF line ends") << joined(header() + QList<QByteArray>{full, full}, "\n")
                                      << Rows{{1, fullRow}, {2, fullRow}};
        QTest::newRow("last line without line end")
            << file({full}) + full << Rows{{1, fullRow}, {2, fullRow}};
    }

    void channelLines()
    {
        QFETCH(QByteArray, content);
        QFETCH(Rows, rows);

        RadioData data;
        fillTable(data.table);
        const ChannelFileResult result = readBytes(content, data);
        QVERIFY2(result.ok, qPrintable(result.message));
        QCOMPARE(indexesOf(data.settings), OtherIndexes);
        for (int row = 1; row <= ChannelTable::ChannelCount; ++row)
            QCOMPARE(rowCells(data.table, row), rows.value(row, EmptyRow));
        for (int row = 1; row <= ChannelTable::ChannelCount; ++row)
            QCOMPARE(data.table.cell(0, row),
                     QStringLiteral("%1").arg(row, 3, 10, QLatin1Char('0')));
    }

    void refusesAnIndexOutsideTheChoices()
    {
        QList<QByteArray> lines = linesOf(fixture(QStringLiteral("example.r07")));
        lines[6] = "BatSave 7 " + gbk("启用");
        RadioData data;
        data.settings.setIndex(Setting::BatSave, 0);

        const ChannelFileResult result = readBytes(joined(lines), data);
        QVERIFY2(result.ok, qPrintable(result.message));
        QCOMPARE(data.settings.index(Setting::BatSave), 0);
        QCOMPARE(result.warnings.size(), 1);
        QVERIFY(result.warnings.at(0).contains(QLatin1String("BatSave")));
        QVERIFY(result.warnings.at(0).contains(QLatin1String("7")));
        // The settings after it are read as usual, and 7 never reaches a file.
        QCOMPARE(data.settings.index(Setting::Rxlight), 3);
        QCOMPARE(data.table.cell(5, 1), QStringLiteral("高功率"));
        QCOMPARE(linesOf(channelFileBytes(data)).at(6), "BatSave 0 " + gbk("禁用"));
    }

    void opensAChineseFileWithEnglishTexts()
    {
        RadioData data;
        data.table.setValueTexts(EnglishValueTexts);
        data.table.setToneOffText(EnglishValueTexts.offText);
        data.settings.setChoices(Setting::APO, {QStringLiteral("ON"), QStringLiteral("OFF")});
        data.settings.setChoices(Setting::BEEP, {QStringLiteral("OFF"), QStringLiteral("ON")});
        data.settings.setIndex(Setting::APO, 0);
        data.settings.setIndex(Setting::BEEP, 0);

        const ChannelFileResult result =
            openChannelFile(QStringLiteral(QB_TEST_DATA "/example.r07"), data);
        QVERIFY2(result.ok, qPrintable(result.message));
        // Only the digits count for the settings; the cells keep the file's texts.
        QCOMPARE(data.settings.shownText(Setting::APO), QStringLiteral("OFF"));
        QCOMPARE(data.settings.shownText(Setting::BEEP), QStringLiteral("ON"));
        QCOMPARE(rowCells(data.table, 1),
                 Row({"435.02500", "67.0", "435.02500", "67.0", "高功率", "宽带", "启用", "禁用"}));
        const QList<QByteArray> lines = linesOf(channelFileBytes(data));
        QCOMPARE(lines.at(4), QByteArray("APO 1 OFF"));
        QCOMPARE(lines.at(5), QByteArray("BEEP 1 ON"));
    }

    void openFailureChangesNothing()
    {
        QTemporaryDir dir;
        RadioData data;
        fillTable(data.table);
        const ChannelFileResult result =
            openChannelFile(dir.filePath(QStringLiteral("missing.r07")), data);
        QVERIFY(!result.ok);
        QVERIFY(!result.bandChosen);
        QCOMPARE(result.message, systemMessage(ENOENT));
        QCOMPARE(data.bands.list1_rx.count(), 0);
        QCOMPARE(rowCells(data.table, 1), Row(8, QStringLiteral("x")));
    }

    void saveReplacesAnExistingFile()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("old.r07"));
        writeFile(path, QByteArray(20000, 'o'));

        RadioData data;
        setUpExample(data);
        const ChannelFileResult result = saveChannelFile(path, data);
        QVERIFY2(result.ok, qPrintable(result.message));
        QCOMPARE(readFile(path), fixture(QStringLiteral("example.r07")));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("old.r07")});
    }

    void saveIntoAMissingFolderFails()
    {
        QTemporaryDir dir;
        const QString notAFolder = dir.filePath(QStringLiteral("plain"));
        writeFile(notAFolder, QByteArray());

        RadioData data;
        setUpExample(data);
        const ChannelFileResult result =
            saveChannelFile(notAFolder + QStringLiteral("/x.r07"), data);
        QVERIFY(!result.ok);
        QCOMPARE(result.message, systemMessage(ENOTDIR));
    }

#ifdef Q_OS_UNIX
    // A write that runs out of room half way (a full disk; here a file size
    // limit, which binds root too) must leave the old file as it was.
    void failedWriteKeepsTheOldFile()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("old.r07"));
        const QByteArray oldBytes = "the file that was there\r\n";
        writeFile(path, oldBytes);

        RadioData data;
        setUpExample(data);
        std::optional<FileSizeLimit> limit(std::in_place, 4096);
        QVERIFY(limit->isSet());
        const ChannelFileResult result = saveChannelFile(path, data);
        limit.reset();

        QVERIFY(!result.ok);
        QCOMPARE(result.message, systemMessage(EFBIG));
        QCOMPARE(readFile(path), oldBytes);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("old.r07")});
    }
#endif

    void extensionAndCaption_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("saved");
        QTest::newRow("no extension") << "/tmp/radio"
                                      << "/tmp/radio.r07";
        QTest::newRow("own extension") << "/tmp/radio.txt"
                                       << "/tmp/radio.txt";
        QTest::newRow("r07") << "/tmp/radio.r07"
                             << "/tmp/radio.r07";
        QTest::newRow("dot in folder only") << "/tmp/a.b/radio"
                                            << "/tmp/a.b/radio.r07";
    }

    void extensionAndCaption()
    {
        QFETCH(QString, typed);
        QFETCH(QString, saved);
        QCOMPARE(withChannelFileExtension(typed), saved);
        QCOMPARE(channelFileCaption(QStringLiteral("400-470MHz")),
                 QStringLiteral("RPX-207    [400-470MHz]"));
    }
};

QTEST_GUILESS_MAIN(TestChannelFile)
#include "tst_channelfile.moc"
