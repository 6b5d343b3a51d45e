// The channel table and the function settings, without any GUI.
#include "model/bandcheck.h"
#include "model/bandranges.h"
#include "model/channel.h"
#include "model/channeltable.h"
#include "model/converterror.h"
#include "model/frequency.h"
#include "model/functionsettings.h"
#include "model/tonelist.h"
#include "testsupport.h"

#include <QSignalSpy>
#include <QtTest>

namespace {
// Eight cells from "|"-separated texts; frequencies (columns 1 and 3) get
// the locale's separator.
ChannelCells cellsOf(const QString &joined)
{
    const QStringList texts = joined.split(QLatin1Char('|'));
    ChannelCells cells;
    for (int k = 0; k < 8; ++k)
        cells[k] = k == 0 || k == 2 ? local(texts.value(k)) : texts.value(k);
    return cells;
}

// A channel with both frequencies, tones and flags; the rows below change
// what they are about.
Channel channel(std::optional<qint64> rx, std::optional<qint64> tx, SubAudio rxSubAudio,
                SubAudio txSubAudio, Power power = Power::High,
                BandWidth bandWidth = BandWidth::Wide, bool scanned = true, bool busyLock = false)
{
    return {rx, tx, rxSubAudio, txSubAudio, power, bandWidth, scanned, busyLock};
}

const SubAudio Off = SubAudio::off();
SubAudio tone(int tenths)
{
    return SubAudio::tone(tenths);
}
SubAudio code(int octal, SubAudio::Polarity polarity = SubAudio::Polarity::Normal)
{
    return SubAudio::code(octal, polarity);
}
constexpr auto Inverted = SubAudio::Polarity::Inverted;
} // namespace

Q_DECLARE_METATYPE(Channel)

namespace QTest {
template <> char *toString(const Channel &c)
{
    const auto frequency = [](const std::optional<qint64> &f) {
        return f ? QString::number(*f) : QStringLiteral("none");
    };
    const auto subAudio = [](const SubAudio &s) {
        return QStringLiteral("%1:%2:%3").arg(int(s.kind)).arg(s.value).arg(int(s.polarity));
    };
    return qstrdup(QStringLiteral("rx %1 %2, tx %3 %4, power %5, width %6, scan %7, lock %8")
                       .arg(frequency(c.rxFrequency), subAudio(c.rxSubAudio),
                            frequency(c.txFrequency), subAudio(c.txSubAudio))
                       .arg(int(c.power))
                       .arg(int(c.bandWidth))
                       .arg(c.scanned)
                       .arg(c.busyLock)
                       .toUtf8());
}
} // namespace QTest

class TestModel : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { verifyLocaleOfRun(); }

    void shape()
    {
        ChannelTable table;
        QCOMPARE(table.cell(0, 0), QStringLiteral("信道"));
        QCOMPARE(table.cell(8, 0), QStringLiteral("繁忙锁定"));
        QCOMPARE(table.cell(0, 1), QStringLiteral("001"));
        QCOMPARE(table.cell(0, 199), QStringLiteral("199"));
        table.setCell(0, 5, QStringLiteral("x"));
        table.setCell(1, 0, QStringLiteral("x"));
        table.setCell(1, 200, QStringLiteral("x"));
        QCOMPARE(table.cell(0, 5), QStringLiteral("005"));
        QCOMPARE(table.cell(1, 0), QStringLiteral("接收频率"));
        QVERIFY(table.cell(1, 200).isEmpty());
    }

    void toneList()
    {
        const QStringList list = makeToneList(QStringLiteral("OFF"));
        QCOMPARE(list.size(), 265);
        QCOMPARE(list.at(0), QStringLiteral("OFF"));
        QCOMPARE(list.at(1), QStringLiteral("67.0"));
        QCOMPARE(list.at(50), QStringLiteral("254.1"));
        QCOMPARE(list.at(51), QStringLiteral("D017N"));
        QCOMPARE(list.at(157), QStringLiteral("D754N"));
        QCOMPARE(list.at(158), QStringLiteral("D017I"));
        QCOMPARE(list.at(264), QStringLiteral("D754I"));
        QCOMPARE(ChannelTable().toneList().at(0), QStringLiteral("禁用"));
    }

    void normaliseFrequencyCell_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("normalised");
        QTest::newRow("below range") << "99"
                                     << "100.00000";
        QTest::newRow("nine nines") << "999999999"
                                    << "550.00000";
        QTest::newRow("zero") << "0"
                              << "100.00000";
        QTest::newRow("whole") << "438"
                               << "438.00000";
        QTest::newRow("one decimal") << "438.1"
                                     << "438.10000";
        QTest::newRow("up to 5 kHz") << "438.0012"
                                     << "438.00500";
        QTest::newRow("up to 10 kHz") << "438.0063"
                                      << "438.01000";
        QTest::newRow("6.25 kHz raster") << "438.00625"
                                         << "438.00625";
        QTest::newRow("6.25 kHz raster 2") << "462.5625"
                                           << "462.56250";
        QTest::newRow("below 100 Hz dropped") << "438.00504"
                                              << "438.00500";
        QTest::newRow("blanks around") << " 438.1 "
                                       << "438.10000";
        QTest::newRow("separator last") << "438."
                                        << "438.00000";
    }
    void normaliseFrequencyCell()
    {
        QFETCH(QString, typed);
        QFETCH(QString, normalised);
        ChannelTable table;
        table.setCell(1, 7, local(typed));
        table.normaliseFrequencyCell(1, 7);
        QCOMPARE(table.cell(1, 7), local(normalised));
    }

    void normaliseFrequencyCellRefusesNonNumbers_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("empty") << "";
        QTest::newRow("letters") << "43a.1";
        QTest::newRow("two separators") << "438.1.2";
        QTest::newRow("group separator") << "1,438.5";
    }
    void normaliseFrequencyCellRefusesNonNumbers()
    {
        QFETCH(QString, text);
        ChannelTable table;
        table.setCell(1, 3, local(text));
        try {
            table.normaliseFrequencyCell(1, 3);
            QFAIL("no ConvertError");
        } catch (const ConvertError &e) {
            QCOMPARE(e.message(),
                     QStringLiteral("'%1' is not a valid floating point value").arg(local(text)));
        }
        QCOMPARE(table.cell(1, 3), local(text));
    }

    void otherSeparatorIsNotANumber()
    {
        const QString other = frequencySeparator() == QLatin1Char('.') ? "438,1" : "438.1";
        QVERIFY_THROWS_EXCEPTION(ConvertError, parseFrequency(other));
    }

    void commitRow_data()
    {
        // Cells 1-8 before, the edited column, cells 1-8 after ("|"-separated).
        QTest::addColumn<QString>("before");
        QTest::addColumn<int>("col");
        QTest::addColumn<QString>("after");
        QTest::newRow("new channel")
            << "438.1|||||||" << 1 << "438.10000|OFF|438.10000|OFF|High|Wide|ON|OFF";
        QTest::newRow("new channel from the power cell")
            << "438.1||||High||ON|" << 5 << "438.10000|OFF|438.10000|OFF|High|Wide|ON|OFF";
        QTest::newRow("empty rx empties the row")
            << "|67.0|439.00000|OFF|High|Wide|ON|OFF" << 1 << "|||||||";
        QTest::newRow("edited rx keeps tx") << "438.0012|OFF|438.00000|OFF|High|Wide|ON|OFF" << 1
                                            << "438.00500|OFF|438.00000|OFF|High|Wide|ON|OFF";
        QTest::newRow("edited tx") << "438.00000|OFF|439.0063|OFF|Low|Wide|ON|OFF" << 3
                                   << "438.00000|OFF|439.01000|OFF|Low|Wide|ON|OFF";
        QTest::newRow("emptied tx leaves receive only")
            << "438.00000|OFF||OFF|High|Wide|ON|OFF" << 3 << "438.00000|OFF||OFF|High|Wide|ON|OFF";
        QTest::newRow("power column changes nothing")
            << "438.0012|OFF|438.0012|OFF|High|Wide|ON|OFF" << 5
            << "438.0012|OFF|438.0012|OFF|High|Wide|ON|OFF";
    }
    void commitRow()
    {
        QFETCH(QString, before);
        QFETCH(int, col);
        QFETCH(QString, after);
        ChannelTable table;
        table.setValueTexts(EnglishValueTexts);
        const QStringList cells = before.split(QLatin1Char('|'));
        for (int c = 1; c <= 8; ++c)
            table.setCell(c, 7, local(cells.at(c - 1)));
        table.commitRow(col, 7);
        QStringList got;
        for (int c = 1; c <= 8; ++c)
            got << table.cell(c, 7);
        QCOMPARE(got.join(QLatin1Char('|')), local(after));
    }

    void newChannelWithoutLanguage()
    {
        ChannelTable table;
        table.setCell(1, 1, QStringLiteral("438"));
        table.commitRow(1, 1);
        QCOMPARE(table.cell(3, 1), local("438.00000"));
        for (int c : {2, 4, 5, 6, 7, 8})
            QVERIFY(table.cell(c, 1).isEmpty());
    }

    // The one text boundary: a row's cells read as values in a language,
    // the columns that hold no value, and the cells the values are shown as
    // again in that language.
    void channelCells_data()
    {
        QTest::addColumn<QString>("language"); // English, Chinese or none
        QTest::addColumn<QString>("cells");
        QTest::addColumn<Channel>("channel");
        QTest::addColumn<QList<int>>("unreadable");
        QTest::addColumn<QString>("shown"); // the channel's cells again

        const QList<int> none;
        const QString full = "438.12500|88.5|462.56250|D023N|High|Wide|ON|OFF";
        QTest::newRow("English, new-channel flags")
            << "English" << full << channel(43812500, 46256250, tone(885), code(023)) << none
            << full;
        QTest::newRow("Chinese, every flag clear")
            << "Chinese"
            << "400.00000|禁用|470.00000|D754I|低功率|窄带|禁用|启用"
            << channel(40000000, 47000000, Off, code(0754, Inverted), Power::Low, BandWidth::Narrow,
                       false, true)
            << none << "400.00000|禁用|470.00000|D754I|低功率|窄带|禁用|启用";
        QTest::newRow("Chinese cells while English is loaded")
            << "English"
            << "438.12500|禁用|438.12500|254.1|高功率|窄带|启用|禁用"
            << channel(43812500, 43812500, Off, tone(2541), Power::High, BandWidth::Narrow) << none
            << "438.12500|OFF|438.12500|254.1|High|Narrow|ON|OFF";
        QTest::newRow("English cells while Chinese is loaded")
            << "Chinese"
            << "438.12500|OFF|438.12500|100.0|Low|Wide|OFF|ON"
            << channel(43812500, 43812500, Off, tone(1000), Power::Low, BandWidth::Wide, false,
                       true)
            << none << "438.12500|禁用|438.12500|100.0|低功率|宽带|禁用|启用";
        QTest::newRow("no language: either fixed language's texts")
            << ""
            << "438.12500|OFF|438.12500|禁用|High|窄带|ON|启用"
            << channel(43812500, 43812500, Off, Off, Power::High, BandWidth::Narrow, true, true)
            << none << "438.12500|禁用|438.12500|禁用|高功率|窄带|启用|启用";
        QTest::newRow("receive only, 6.25 kHz raster")
            << "English"
            << "462.56250|67.0||OFF|High|Wide|ON|OFF"
            << channel(46256250, std::nullopt, tone(670), Off) << none
            << "462.56250|67.0||OFF|High|Wide|ON|OFF";
        // Odd but stored as written.
        QTest::newRow("four empty flag cells are a new channel's")
            << "English"
            << "438.12500||438.12500|||||" << channel(43812500, 43812500, Off, Off) << none
            << "438.12500|OFF|438.12500|OFF|High|Wide|ON|OFF";
        QTest::newRow("one empty flag cell is its bit clear")
            << "English"
            << "438.12500|OFF|438.12500|OFF||Wide|ON|OFF"
            << channel(43812500, 43812500, Off, Off, Power::Low) << none
            << "438.12500|OFF|438.12500|OFF|Low|Wide|ON|OFF";
        QTest::newRow("tones the list lacks, blanks around")
            << "English"
            << "438.12500| 12.3 |438.12500|300.0|High|Wide|ON|OFF"
            << channel(43812500, 43812500, tone(123), tone(3000)) << none
            << "438.12500|12.3|438.12500|300.0|High|Wide|ON|OFF";
        QTest::newRow("a tone of 0 Hz, a code the list lacks")
            << "English"
            << "438.12500|00.0|438.12500|D777N|High|Wide|ON|OFF"
            << channel(43812500, 43812500, tone(0), code(0777)) << none
            << "438.12500|00.0|438.12500|D777N|High|Wide|ON|OFF";
        QTest::newRow("the other separator, by position")
            << "English"
            << (frequencySeparator() == QLatin1Char('.') ? "438,12500|OFF|462,56250"
                                                         : "438.12500|OFF|462.56250") +
                   QStringLiteral("|OFF|High|Wide|ON|OFF")
            << channel(43812500, 46256250, Off, Off) << none
            << ("438.12500|OFF|462.56250|OFF|High|Wide|ON|OFF");
        QTest::newRow("a transmit frequency without a receive one")
            << "English"
            << "|OFF|438.12500|88.5|Low|Wide|ON|OFF"
            << channel(std::nullopt, 43812500, Off, tone(885), Power::Low) << none << "|||||||";
        QTest::newRow("empty row")
            << "English"
            << "|||||||" << channel(std::nullopt, std::nullopt, Off, Off) << none << "|||||||";
        // Refused: the field is left blank or its bit clear.
        QTest::newRow("frequencies not in the stored form")
            << "English"
            << "438.1|OFF|43.81250|OFF|High|Wide|ON|OFF"
            << channel(std::nullopt, std::nullopt, Off, Off) << QList<int>{1, 3} << "|||||||";
        QTest::newRow("frequency with a blank, a six-decimal one")
            << "English"
            << " 438.12500|OFF|438.125000|OFF|High|Wide|ON|OFF"
            << channel(std::nullopt, std::nullopt, Off, Off) << QList<int>{1, 3} << "|||||||";
        QTest::newRow("sub-audio texts that are no tone or code")
            << "English"
            << "438.12500|088.5|438.12500|D018N|High|Wide|ON|OFF"
            << channel(43812500, 43812500, Off, Off) << QList<int>{2, 4}
            << "438.12500|OFF|438.12500|OFF|High|Wide|ON|OFF";
        QTest::newRow("lower-case off, a tone with two decimals")
            << "English"
            << "438.12500|off|438.12500|88.55|High|Wide|ON|OFF"
            << channel(43812500, 43812500, Off, Off) << QList<int>{2, 4}
            << "438.12500|OFF|438.12500|OFF|High|Wide|ON|OFF";
        QTest::newRow("flag texts of other columns")
            << "English"
            << "438.12500|OFF|438.12500|OFF|Wide|High|高功率|on"
            << channel(43812500, 43812500, Off, Off, Power::Low, BandWidth::Narrow, false, true)
            << QList<int>{5, 6, 7, 8} << "438.12500|OFF|438.12500|OFF|Low|Narrow|OFF|ON";
    }

    void channelCells()
    {
        QFETCH(QString, language);
        QFETCH(QString, cells);
        QFETCH(Channel, channel);
        QFETCH(QList<int>, unreadable);
        QFETCH(QString, shown);
        const ValueTexts texts = language == QLatin1String("English")   ? EnglishValueTexts
                                 : language == QLatin1String("Chinese") ? ChineseValueTexts
                                                                        : ValueTexts();

        const ParsedChannel parsed = parseChannelCells(cellsOf(cells), texts);
        QCOMPARE(parsed.channel, channel);
        QCOMPARE(parsed.unreadableColumns, unreadable);
        QCOMPARE(formatChannelCells(channel, textsForFilling(texts)), cellsOf(shown));

        // The table reads and fills a row the same way.
        ChannelTable table;
        table.setValueTexts(texts);
        table.setRowData(9, cellsOf(cells));
        QCOMPARE(table.channel(9).channel, channel);
        table.setChannel(9, channel);
        QCOMPARE(table.rowData(9), cellsOf(shown));
    }

    // Values a radio may hold that no cell text gives: digits a tone or a
    // code cannot have are shown as they are stored.
    void undefinedSubAudioText_data()
    {
        QTest::addColumn<int>("field"); // the radio's 16-bit value
        QTest::addColumn<QString>("text");
        QTest::newRow("tone below 100 Hz with A and B") << 0x0A5B << "A5.B";
        QTest::newRow("tone of 100 Hz or more with an A") << 0x1A20 << "1A2.0";
        QTest::newRow("normal code with non-octal digits") << 0x8199 << "D199N";
        QTest::newRow("inverted code with an F") << 0xC02F << "D02FI";
    }

    void undefinedSubAudioText()
    {
        QFETCH(int, field);
        QFETCH(QString, text);
        QCOMPARE(subAudioText(SubAudio::undefined(field), QStringLiteral("OFF")), text);
        QVERIFY(parseChannelCells(cellsOf("438.12500|" + text + "|||||||"), EnglishValueTexts)
                    .isUnreadable(2));
    }

    void settingsDefaults()
    {
        FunctionSettings settings;
        QCOMPARE(settings.index(Setting::Squelch), 2);
        QCOMPARE(settings.shownText(Setting::TxT_O_T), QStringLiteral("4分钟"));
        QCOMPARE(settings.index(Setting::Rxlight), 3);
        QVERIFY(!settings.isEnabled(Setting::band));
        QVERIFY(settings.isEnabled(Setting::SpreadFreq));
        QCOMPARE(settingInfo(Setting::MRfreq_MRCH).name, QStringLiteral("MR freq./MR CH"));
        QCOMPARE(settingByName(QStringLiteral("TxT.O.T")), Setting::TxT_O_T);
        for (Setting s : allSettings())
            QCOMPARE(settings.index(s), settingInfo(s).defaultIndex);
    }

    void outOfRangeIndexIsRefused()
    {
        FunctionSettings settings;
        QSignalSpy spy(&settings, &FunctionSettings::indexChanged);
        QVERIFY(!settings.setIndex(Setting::BatSave, 7));
        QVERIFY(!settings.setIndex(Setting::VoxControl, -1));
        QCOMPARE(settings.index(Setting::BatSave), 1);
        QCOMPARE(settings.index(Setting::VoxControl), 0);
        QCOMPARE(spy.count(), 0);
    }

    void spreadFreqRule()
    {
        FunctionSettings settings;
        QSignalSpy shown(&settings, &FunctionSettings::shownTextChanged);
        QVERIFY(settings.setIndex(Setting::SpreadFreq, 0)); // same index: nothing
        QCOMPARE(shown.count(), 0);

        settings.setIndex(Setting::band, 1); // may be set while disabled
        settings.setIndex(Setting::SpreadFreq, 1);
        QVERIFY(settings.isEnabled(Setting::band));
        QCOMPARE(settings.index(Setting::band), 1);

        settings.setIndex(Setting::SpreadFreq, 0);
        QVERIFY(!settings.isEnabled(Setting::band));
        QCOMPARE(settings.index(Setting::band), 0);

        // A file sets band after SpreadFreq: band 1 stays, disabled...
        settings.setIndex(Setting::band, 1);
        QCOMPARE(settings.index(Setting::band), 1);
        // ...until a new text for the same choice runs the rule again.
        settings.setChoices(Setting::SpreadFreq, {QStringLiteral("OFF"), QStringLiteral("ON")});
        QCOMPARE(settings.index(Setting::band), 0);
        // The same texts again change nothing shown: no rule.
        settings.setIndex(Setting::band, 1);
        settings.setChoices(Setting::SpreadFreq, {QStringLiteral("OFF"), QStringLiteral("ON")});
        QCOMPARE(settings.index(Setting::band), 1);
    }

    void restoreDefaultsAfterSpreadFreq()
    {
        FunctionSettings settings;
        settings.setIndex(Setting::SpreadFreq, 1);
        settings.setIndex(Setting::band, 1);
        settings.setIndex(Setting::Squelch, 9);
        settings.restoreDefaults();
        QCOMPARE(settings.index(Setting::band), 0);
        QVERIFY(!settings.isEnabled(Setting::band));
        QCOMPARE(settings.index(Setting::Squelch), 2);
    }

    void choicesKeepIndex()
    {
        FunctionSettings settings;
        settings.setIndex(Setting::TxT_O_T, 4);
        QStringList english{QStringLiteral("OFF")};
        for (int i = 1; i <= 7; ++i)
            english << QString::number(i) + QStringLiteral("min");
        settings.setChoices(Setting::TxT_O_T, english);
        QCOMPARE(settings.index(Setting::TxT_O_T), 4);
        QCOMPARE(settings.shownText(Setting::TxT_O_T), QStringLiteral("4min"));
    }

    void bandRangeLists()
    {
        BandRanges bands;
        QSignalSpy caption(&bands, &BandRanges::chosenTextChanged);
        QCOMPARE(bands.list1_rx.chosenIndex(), -1);
        bands.list1_rx.append(QStringLiteral("400-470MHz"));
        bands.list1_rx.append(QStringLiteral("420-450MHz"));
        bands.list1_rx.choose(1);
        QCOMPARE(bands.list1_rx.chosenText(), QStringLiteral("420-450MHz"));
        QCOMPARE(caption.count(), 1);
        bands.list1_rx.choose(1);
        QCOMPARE(caption.count(), 1);
        bands.list2_tx.choose(3);
        QCOMPARE(bands.list2_tx.chosenIndex(), -1);
        QCOMPARE(caption.count(), 1);
    }

    // A frequency is in band when it lies inside the chosen range of band
    // one or band two for its direction, edges included. A list with nothing
    // chosen or a text not of the form ddd-dddMHz gives no range; a
    // direction with no range at all is not checked.
    void outOfBand_data()
    {
        QTest::addColumn<QStringList>("chosen"); // list1_rx, list1_tx, list2_rx, list2_tx
        QTest::addColumn<QString>("row");        // channel 2, "|"-separated cells
        QTest::addColumn<QStringList>("expected");
        const QStringList uhf{"400-470MHz", "400-470MHz", "400-470MHz", "400-470MHz"};
        const QString rest = QStringLiteral("|OFF||OFF|High|Wide|ON|OFF");
        const QString inBand = QStringLiteral("446.00625") + rest;
        QTest::newRow("in band") << uhf << inBand << QStringList();
        QTest::newRow("lower edge")
            << uhf << "400.00000|OFF|470.00000|OFF|High|Wide|ON|OFF" << QStringList();
        QTest::newRow("receive below")
            << uhf << "146.52000|OFF|446.00625|OFF|High|Wide|ON|OFF"
            << QStringList{"Channel 002 receive frequency 146.52000 MHz is outside 400-470MHz"};
        QTest::newRow("just above, both directions")
            << uhf << "470.00625|OFF|470.00625|OFF|High|Wide|ON|OFF"
            << QStringList{"Channel 002 receive frequency 470.00625 MHz is outside 400-470MHz",
                           "Channel 002 transmit frequency 470.00625 MHz is outside 400-470MHz"};
        QTest::newRow("transmit only")
            << uhf << "446.00625|OFF|399.99375|OFF|High|Wide|ON|OFF"
            << QStringList{"Channel 002 transmit frequency 399.99375 MHz is outside 400-470MHz"};
        const QStringList twoBands{"400-470MHz", "400-470MHz", "136-174MHz", "136-174MHz"};
        QTest::newRow("inside band two")
            << twoBands << "146.52000|OFF|146.52000|OFF|High|Wide|ON|OFF" << QStringList();
        QTest::newRow("outside both bands")
            << twoBands << "300.00000|OFF|446.00625|OFF|High|Wide|ON|OFF"
            << QStringList{"Channel 002 receive frequency 300.00000 MHz is outside 400-470MHz "
                           "and 136-174MHz"};
        QTest::newRow("nothing chosen for receive")
            << QStringList{"", "400-470MHz", "", "400-470MHz"}
            << "146.52000|OFF|146.52000|OFF|High|Wide|ON|OFF"
            << QStringList{"Channel 002 transmit frequency 146.52000 MHz is outside 400-470MHz"};
        QTest::newRow("band one's text unusable")
            << QStringList{"400-470", "400-470MHz", "420-450MHz", "400-470MHz"}
            << "410.00000|OFF|446.00625|OFF|High|Wide|ON|OFF"
            << QStringList{"Channel 002 receive frequency 410.00000 MHz is outside 420-450MHz"};
        QTest::newRow("upper edge below lower")
            << QStringList{"470-400MHz", "400-470MHz", "", "400-470MHz"}
            << "146.52000|OFF|446.00625|OFF|High|Wide|ON|OFF" << QStringList();
        QTest::newRow("empty channel") << uhf << "|OFF||OFF|High|Wide|ON|OFF" << QStringList();
    }

    void outOfBand()
    {
        QFETCH(QStringList, chosen);
        QFETCH(QString, row);
        QFETCH(QStringList, expected);
        BandRanges bands;
        for (int i = 0; i < 4; ++i) {
            BandRangeList *list = bands.all()[i];
            list->append(QStringLiteral("400-470MHz"));
            if (!chosen[i].isEmpty())
                list->choose(list->append(chosen[i]));
        }
        ChannelTable table;
        table.setRowData(2, cellsOf(row));
        QStringList messages;
        for (const OutOfBandChannel &found : outOfBandChannels(table, bands)) {
            QCOMPARE(found.channel, 2);
            messages << outOfBandMessage(found);
        }
        QCOMPARE(messages, expected);
    }
};

QTEST_GUILESS_MAIN(TestModel)
#include "tst_model.moc"
