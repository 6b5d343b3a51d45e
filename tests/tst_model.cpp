// The channel table and the function settings, without any GUI.
#include "model/bandranges.h"
#include "model/channeltable.h"
#include "model/converterror.h"
#include "model/frequency.h"
#include "model/functionsettings.h"
#include "model/tonelist.h"

#include <QSignalSpy>
#include <QtTest>

namespace {
// Expected texts are written with "."; the table uses the locale's separator.
QString local(QString text)
{
    return text.replace(QLatin1Char('.'), frequencySeparator());
}
} // namespace

class TestModel : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        // The comma run must really run under a comma locale.
        if (qgetenv("QB_EXPECT_SEPARATOR") == "comma")
            QCOMPARE(frequencySeparator(), QLatin1Char(','));
        else
            QCOMPARE(frequencySeparator(), QLatin1Char('.'));
    }

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

    void sendcell_data()
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
    void sendcell()
    {
        QFETCH(QString, typed);
        QFETCH(QString, normalised);
        ChannelTable table;
        table.setCell(1, 7, local(typed));
        table.sendcell(1, 7);
        QCOMPARE(table.cell(1, 7), local(normalised));
    }

    void sendcellRefusesNonNumbers_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("empty") << "";
        QTest::newRow("letters") << "43a.1";
        QTest::newRow("two separators") << "438.1.2";
        QTest::newRow("group separator") << "1,438.5";
    }
    void sendcellRefusesNonNumbers()
    {
        QFETCH(QString, text);
        ChannelTable table;
        table.setCell(1, 3, local(text));
        try {
            table.sendcell(1, 3);
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

    void sendallcell_data()
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
    void sendallcell()
    {
        QFETCH(QString, before);
        QFETCH(int, col);
        QFETCH(QString, after);
        ChannelTable table;
        table.setValueTexts(EnglishValueTexts);
        const QStringList cells = before.split(QLatin1Char('|'));
        for (int c = 1; c <= 8; ++c)
            table.setCell(c, 7, local(cells.at(c - 1)));
        table.sendallcell(col, 7);
        QStringList got;
        for (int c = 1; c <= 8; ++c)
            got << table.cell(c, 7);
        QCOMPARE(got.join(QLatin1Char('|')), local(after));
    }

    void newChannelWithoutLanguage()
    {
        ChannelTable table;
        table.setCell(1, 1, QStringLiteral("438"));
        table.sendallcell(1, 1);
        QCOMPARE(table.cell(3, 1), local("438.00000"));
        for (int c : {2, 4, 5, 6, 7, 8})
            QVERIFY(table.cell(c, 1).isEmpty());
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
};

QTEST_GUILESS_MAIN(TestModel)
#include "tst_model.moc"
