#include "i18n/languagelibrary.h"
#include "i18n/languageswitch.h"
#include "i18n/texttargets.h"
#include "model/programfolder.h"
#include "model/tonelist.h"
#include "testsupport.h"

#include <QDir>
#include <QFile>
#include <QLibrary>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTest>

#include <cstring>
#include <set>
#include <tuple>

namespace {

// Everything a load may change, flattened so that QCOMPARE shows what differs.
QStringList snapshot(const RadioData &data, const MessageSlots &messages)
{
    QStringList s;
    for (int col = 0; col < ChannelTable::ColumnCount; ++col)
        s << QStringLiteral("heading %1 %2").arg(col).arg(data.table.cell(col, 0));
    const ValueTexts &v = data.table.valueTexts();
    s << v.offText << v.onText << v.highText << v.lowText << v.wideText << v.narrowText;
    s << data.table.toneList();
    for (Setting setting : allSettings()) {
        s << QStringLiteral("%1 index %2 enabled %3 choices %4")
                 .arg(settingInfo(setting).name)
                 .arg(data.settings.index(setting))
                 .arg(data.settings.isEnabled(setting))
                 .arg(data.settings.choices(setting).join(QLatin1Char('|')));
    }
    for (const MessageTarget &target : messageTargets())
        s << messages.*target.slot;
    return s;
}

// Message slots filled with marks, to see whether a load touched them.
MessageSlots markedSlots()
{
    MessageSlots marked;
    for (const MessageTarget &target : messageTargets())
        marked.*target.slot = QStringLiteral("m%1").arg(target.number);
    return marked;
}

QStringList minuteChoices(const QString &off, const QString &unit)
{
    QStringList list{off};
    for (int m = 1; m <= 7; ++m)
        list << QString::number(m) + unit;
    return list;
}

// An index other than the default, to see that a load keeps it.
int nonDefaultIndex(Setting setting)
{
    const SettingInfo &info = settingInfo(setting);
    return (info.defaultIndex + 1) % info.choices.size();
}

const QStringList ledChoices{"1", "2", "3", "4", "5", "6", "7", "8"};

using Row = std::array<QString, 8>;

} // namespace

class TestI18n : public QObject
{
    Q_OBJECT

private slots:
    void textLimits_data();
    void textLimits();
    void missingNumbersApplyEmptyTexts();
    void unusableFileChangesNothing_data();
    void unusableFileChangesNothing();
    void removedLibraryIsMissing();

    void programLibraries_data();
    void programLibraries();

    void targetTable();
    void windowTextsInterleaved();
    void headingsValueTextsAndSlots();
    void rebuiltListsKeepIndex_data();
    void rebuiltListsKeepIndex();
    void spreadFreqRuleOnRealChangeOnly();
    void toneListAndFixedLists();

    void convertRoundTrip();
    void convertWithoutValueTextsKeepsCells();
};

void TestI18n::textLimits_data()
{
    QTest::addColumn<int>("number");
    QTest::addColumn<QByteArray>("expected");

    const QByteArray zhong("\xE4\xB8\xAD");    // 中
    const QByteArray grin("\xF0\x9F\x98\x80"); // 😀
    QTest::newRow("300 ASCII bytes") << 1 << QByteArray(253, 'a');
    QTest::newRow("exactly 253 bytes") << 2 << QByteArray(253, 'b');
    QTest::newRow("3-byte char across the limit") << 3 << QByteArray(251, 'a');
    QTest::newRow("3-byte char ending at the limit") << 4 << QByteArray(250, 'a') + zhong;
    QTest::newRow("2-byte char across the limit") << 5 << QByteArray(252, 'a');
    QTest::newRow("4-byte char across the limit") << 6 << QByteArray(250, 'a');
    QTest::newRow("4-byte char ending at the limit") << 7 << QByteArray(249, 'a') + grin;
    QTest::newRow("empty text") << 8 << QByteArray();
    QTest::newRow("300 bytes of Chinese") << 9 << zhong.repeated(84);
    QTest::newRow("short text") << 10 << QByteArray("Ten");
    QTest::newRow("number the library lacks") << 11 << QByteArray();
    QTest::newRow("own number the library lacks") << 201 << QByteArray();
    QTest::newRow("82 is never read") << 82 << QByteArray();
    QTest::newRow("87 is never read") << 87 << QByteArray();
    QTest::newRow("94 is never read") << 94 << QByteArray();
}

void TestI18n::textLimits()
{
    QFETCH(int, number);
    QFETCH(QByteArray, expected);

    ProgramFolder folder;
    QVERIFY(folder.addTestLibrary("testlang.dll", "tst.dll"));
    const std::optional<LanguageTable> texts = readLanguage("tst");
    QVERIFY(texts);
    QCOMPARE(texts->text(number).toUtf8(), expected);
    QVERIFY(texts->text(number).toUtf8().size() <= LanguageTable::MaxTextBytes);
}

void TestI18n::missingNumbersApplyEmptyTexts()
{
    ProgramFolder folder;
    QVERIFY(folder.addLanguageLibraries());
    QVERIFY(folder.addTestLibrary("testlang.dll", "tst.dll"));
    RadioData data;
    MessageSlots messages;
    QVERIFY(loadLanguage("eng", data, messages));

    // The test library holds only 1-10: everything else is applied empty.
    QVERIFY(loadLanguage("tst", data, messages));
    QCOMPARE(data.table.cell(0, 0), QString());
    QCOMPARE(data.table.valueTexts(), ValueTexts{});
    QCOMPARE(data.table.toneList().size(), ToneCodes::EntryCount);
    QCOMPARE(data.table.toneList().first(), QString());
    QCOMPARE(data.settings.choices(Setting::APO), QStringList({"", ""}));
    QCOMPARE(data.settings.choices(Setting::band), QStringList({"2", "1"}));
    QCOMPARE(data.settings.choices(Setting::Txlight), QStringList(8, QString()));
    QCOMPARE(messages, MessageSlots{});
}

void TestI18n::unusableFileChangesNothing_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<bool>("noticed");

    QTest::newRow("missing file") << "missing" << false;
    QTest::newRow("directory named xyz.dll") << "directory" << false;
    QTest::newRow("text file named xyz.dll") << "text" << true;
    QTest::newRow("empty file named xyz.dll") << "empty" << true;
    QTest::newRow("library without the lookup function") << "nosym" << true;
}

void TestI18n::unusableFileChangesNothing()
{
    QFETCH(QString, kind);
    QFETCH(bool, noticed);

    ProgramFolder folder;
    QVERIFY(folder.addLanguageLibraries());
    if (kind == "directory")
        QVERIFY(QDir(folder.path()).mkdir("xyz.dll"));
    else if (kind == "text")
        QVERIFY(folder.write("xyz.dll", "MZ this is not a library\n"));
    else if (kind == "empty")
        QVERIFY(folder.write("xyz.dll", QByteArray()));
    else if (kind == "nosym")
        QVERIFY(folder.addTestLibrary("nosym.dll", "xyz.dll"));

    RadioData data;
    MessageSlots messages = markedSlots();
    QVERIFY(loadLanguage("chn", data, messages));
    messages = markedSlots();
    data.table.setCell(ChannelTable::ColRxFreq, 1, "438.00000");
    const QStringList before = snapshot(data, messages);

    const QRegularExpression notice("xyz\\.dll");
    if (noticed)
        QTest::ignoreMessage(QtWarningMsg, notice);
    QVERIFY(!readLanguage("xyz"));
    // A second attempt on the same file is not noticed again.
    QTest::failOnWarning(notice);
    QVERIFY(!loadLanguage("xyz", data, messages));
    QCOMPARE(snapshot(data, messages), before);
}

void TestI18n::removedLibraryIsMissing()
{
    // A library stays loaded, but the file test comes first: once the file
    // is gone the language is missing, and when it is back it loads again.
    ProgramFolder folder;
    QVERIFY(folder.addLanguageLibraries());
    const std::optional<LanguageTable> first = readLanguage("eng");
    QVERIFY(first);
    QVERIFY(QFile::remove(folder.path("eng.dll")));
    QVERIFY(!readLanguage("eng"));
    QVERIFY(folder.addBuilt("eng.dll"));
    const std::optional<LanguageTable> again = readLanguage("eng");
    QVERIFY(again);
    QVERIFY(*again == *first);
}

void TestI18n::programLibraries_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<ValueTexts>("valueTexts");

    QTest::newRow("chn") << "chn" << ChineseValueTexts;
    QTest::newRow("eng") << "eng" << EnglishValueTexts;
}

void TestI18n::programLibraries()
{
    QFETCH(QString, name);
    QFETCH(ValueTexts, valueTexts);

    ProgramFolder folder;
    QVERIFY(folder.addLanguageLibraries());
    const std::optional<LanguageTable> texts = readLanguage(name);
    QVERIFY(texts);

    QCOMPARE(texts->text(55), valueTexts.offText);
    QCOMPARE(texts->text(56), valueTexts.onText);
    QCOMPARE(texts->text(57), valueTexts.highText);
    QCOMPARE(texts->text(58), valueTexts.lowText);
    QCOMPARE(texts->text(59), valueTexts.wideText);
    QCOMPARE(texts->text(60), valueTexts.narrowText);

    // Read the raw texts too: a text of ours must never need the cut.
    QLibrary library(folder.path(name + ".dll"));
    const auto lookup =
        reinterpret_cast<const char *(*)(int)>(library.resolve(LanguageLookupSymbol));
    QVERIFY(lookup);
    for (int n = LanguageTable::FirstNumber; n <= LanguageTable::LastOwnNumber; ++n) {
        if (!LanguageTable::isReadNumber(n))
            continue;
        QVERIFY2(!texts->text(n).isEmpty(), qPrintable(QString("number %1").arg(n)));
        QVERIFY2(std::strlen(lookup(n)) <= LanguageTable::MaxTextBytes,
                 qPrintable(QString("number %1").arg(n)));
        if (name == "eng")
            QVERIFY2(!hasChineseCharacter(texts->text(n)), qPrintable(texts->text(n)));
    }

    if (name == "chn") {
        // The Chinese library holds the texts the windows are designed with.
        const ChannelTable designed;
        for (int col = 0; col < ChannelTable::ColumnCount; ++col)
            QCOMPARE(texts->text(46 + col), designed.cell(col, 0));
        QCOMPARE(texts->text(81), "分钟");
        QCOMPARE(texts->text(76), "频段");
    }
}

void TestI18n::targetTable()
{
    const std::span<const TextTarget> targets = textTargets();
    QVERIFY(!targets.empty());
    std::set<std::tuple<LanguageWindow, QString, int, int>> seen;
    int previous = 0;
    for (const TextTarget &target : targets) {
        QVERIFY(target.number >= previous);
        QVERIFY(LanguageTable::isReadNumber(target.number));
        previous = target.number;
        const auto key = std::make_tuple(target.window, QString::fromLatin1(target.objectName),
                                         target.index, target.item);
        QVERIFY2(seen.insert(key).second, target.objectName);
    }

    // One text for two places.
    QCOMPARE(textTargetsOf(28).size(), 2);
    QCOMPARE(textTargetsOf(28).at(1).kind, TextTargetKind::WindowCaption);
    QCOMPARE(textTargetsOf(28).at(1).window, LanguageWindow::AboutBox);
    // 97 is the programming dialog's Close only; the confirmation and
    // serial port dialogs' Cancel has 260 of its own.
    QCOMPARE(textTargetsOf(97).size(), 1);
    QCOMPARE(textTargetsOf(260).size(), 2);
    QCOMPARE(textTargetsOf(260).at(0).window, LanguageWindow::ConfirmationDialog);
    QCOMPARE(textTargetsOf(260).at(1).window, LanguageWindow::SerialPortDialog);
    QCOMPARE(textTargetsOf(105).size(), 3);
    QCOMPARE(textTargetsOf(105).at(0).window, LanguageWindow::ConfirmationDialog);
    QCOMPARE(textTargetsOf(105).at(1).window, LanguageWindow::AboutBox);
    QCOMPARE(textTargetsOf(105).at(2).window, LanguageWindow::SerialPortDialog);
    // Model-only numbers have no window target.
    for (int n : {55, 56, 57, 58, 59, 60, 81, 95, 96, 103, 104, 106, 107, 108, 109, 110, 111, 118})
        QVERIFY2(textTargetsOf(n).isEmpty(), qPrintable(QString::number(n)));
    // The program's own numbers after everything else: menu items
    // (201-204, 220, 242-244, 261-263), the recent files menu (245), the
    // serial port dialog's caption, list headings and find button (221-226,
    // 228), the confirmation and serial port dialogs' Cancel (260); the
    // rest are message slots.
    QCOMPARE(targets.back().number, 263);
    for (int n = LanguageTable::FirstOwnNumber; n <= LanguageTable::LastOwnNumber; ++n) {
        if (!LanguageTable::isOwnNumber(n)) {
            QVERIFY(textTargetsOf(n).isEmpty());
            continue;
        }
        const QList<TextTarget> own = textTargetsOf(n);
        const bool menuItem =
            (n >= 201 && n <= 204) || n == 220 || (n >= 242 && n <= 245) || (n >= 261 && n <= 263);
        const bool dialog = (n >= 221 && n <= 226) || n == 228;
        QCOMPARE(own.size(), n == 260 ? 2 : menuItem || dialog ? 1 : 0);
        if (menuItem) {
            QCOMPARE(own.constFirst().kind,
                     n == 245 ? TextTargetKind::Menu : TextTargetKind::MenuItem);
            QCOMPARE(own.constFirst().window, LanguageWindow::MainWindow);
        }
        if (dialog) {
            QCOMPARE(own.constFirst().window, LanguageWindow::SerialPortDialog);
            QCOMPARE(own.constFirst().kind, n == 221   ? TextTargetKind::WindowCaption
                                            : n == 228 ? TextTargetKind::Button
                                                       : TextTargetKind::ListHeading);
            if (n >= 222 && n <= 226)
                QCOMPARE(own.constFirst().index, n - 222);
        }
    }
    // The gaps between the blocks are not read.
    for (int n : {119, 200, 217, 219, 279, LanguageTable::LastOwnNumber + 1})
        QVERIFY2(!LanguageTable::isReadNumber(n), qPrintable(QString::number(n)));
    for (int n : {201, 216, 220, 239, 240, 259, 260, 278})
        QVERIFY2(LanguageTable::isReadNumber(n), qPrintable(QString::number(n)));
    // Every grid heading, button bar section and item is there.
    int headings = 0, sections = 0, items = 0;
    for (const TextTarget &target : targets) {
        headings += target.kind == TextTargetKind::GridHeading;
        sections += target.kind == TextTargetKind::ButtonBarSection;
        items += target.kind == TextTargetKind::ButtonBarItem;
    }
    QCOMPARE(headings, 9);
    QCOMPARE(sections, 3);
    QCOMPARE(items, 8);

    // The message slots: 95, 96, 103, 104, 106-110, 205-216, 227, 229-239,
    // 240, 241, 246-259 and 264-278, each a slot of its own and none a
    // window's text.
    QList<int> numbers;
    MessageSlots texts;
    QSet<QString *> filled;
    for (const MessageTarget &target : messageTargets()) {
        numbers << target.number;
        QVERIFY(textTargetsOf(target.number).isEmpty());
        QCOMPARE(messageSlot(texts, target.number), &(texts.*target.slot));
        filled.insert(&(texts.*target.slot));
    }
    QList<int> expected{95, 96, 103, 104, 106, 107, 108, 109, 110};
    for (int n = 205; n <= LanguageTable::LastOwnNumber; ++n)
        if (LanguageTable::isOwnNumber(n) && textTargetsOf(n).isEmpty())
            expected << n;
    QCOMPARE(numbers, expected);
    QCOMPARE(filled.size(), expected.size());
    QVERIFY(!messageSlot(texts, 105));
}

void TestI18n::windowTextsInterleaved()
{
    ProgramFolder folder;
    QVERIFY(folder.addLanguageLibraries());
    const std::optional<LanguageTable> texts = readLanguage("eng");
    QVERIFY(texts);

    RadioData data;
    MessageSlots messages;
    QList<int> numbers;
    QStringList bandChoicesAt76, bandChoicesAt77, timeOutAt80;
    QString offTextAt61, clearTextAt105;
    auto sink = [&](const TextTarget &target, const QString &text) {
        numbers << target.number;
        QCOMPARE(text, texts->text(target.number));
        if (target.number == 61)
            offTextAt61 = data.table.valueTexts().offText;
        if (target.number == 76)
            bandChoicesAt76 = data.settings.choices(Setting::band);
        if (target.number == 77)
            bandChoicesAt77 = data.settings.choices(Setting::band);
        if (target.number == 80)
            timeOutAt80 = data.settings.choices(Setting::TxT_O_T);
        if (target.number == 105)
            clearTextAt105 = messages.clearConfirmText;
    };
    applyLanguage(*texts, data, messages, sink);

    QList<int> expected;
    for (const TextTarget &target : textTargets())
        expected << target.number;
    QCOMPARE(numbers, expected);
    // The label of 76 comes before its list; everything before 81 sees the
    // built-in time-out list, and 105 comes before the slot of 110.
    QCOMPARE(offTextAt61, "OFF");
    QCOMPARE(bandChoicesAt76, settingInfo(Setting::band).choices);
    QCOMPARE(bandChoicesAt77, QStringList({"Band 2", "Band 1"}));
    QCOMPARE(timeOutAt80, settingInfo(Setting::TxT_O_T).choices);
    QCOMPARE(clearTextAt105, QString());
}

void TestI18n::headingsValueTextsAndSlots()
{
    ProgramFolder folder;
    QVERIFY(folder.addLanguageLibraries());
    for (const QString name : {"eng", "chn"}) {
        const std::optional<LanguageTable> texts = readLanguage(name);
        QVERIFY(texts);
        RadioData data;
        MessageSlots messages;
        QVERIFY(loadLanguage(name, data, messages));

        for (int col = 0; col < ChannelTable::ColumnCount; ++col)
            QCOMPARE(data.table.cell(col, 0), texts->text(46 + col));
        QCOMPARE(data.table.valueTexts(), name == "eng" ? EnglishValueTexts : ChineseValueTexts);
        QCOMPARE(messages.readCaption, texts->text(95));
        QCOMPARE(messages.writeCaption, texts->text(96));
        QCOMPARE(messages.errorTitle, texts->text(103));
        QCOMPARE(messages.linkFailedText, texts->text(104));
        QCOMPARE(messages.portFailedText, texts->text(106));
        QCOMPARE(messages.unusedText, texts->text(107));
        QCOMPARE(messages.confirmTitle, texts->text(108));
        QCOMPARE(messages.newConfirmText, texts->text(109));
        QCOMPARE(messages.clearConfirmText, texts->text(110));
        const std::pair<int, const QString *> own[] = {
            {205, &messages.verifyingText},      {206, &messages.verifiedText},
            {207, &messages.verifyDiffersText},  {208, &messages.verifyFailedText},
            {209, &messages.backupText},         {210, &messages.noBackupText},
            {211, &messages.imageFilterText},    {212, &messages.csvFilterText},
            {213, &messages.allFilesFilterText}, {214, &messages.importedText},
            {215, &messages.exportedText},       {216, &messages.warningTitle},
        };
        for (const auto &[number, slot] : own)
            QCOMPARE(*slot, texts->text(number));
        // The texts that take a file name or a count have the place for it.
        for (int n : {209, 214, 215})
            QVERIFY2(texts->text(n).contains("%1"), qPrintable(texts->text(n)));
    }
}

void TestI18n::rebuiltListsKeepIndex_data()
{
    QTest::addColumn<Setting>("setting");
    QTest::addColumn<int>("index");
    QTest::addColumn<QStringList>("chinese");
    QTest::addColumn<QStringList>("english");

    const QStringList onOffZh{"启用", "禁用"}, offOnZh{"禁用", "启用"};
    const QStringList onOffEn{"ON", "OFF"}, offOnEn{"OFF", "ON"};
    QTest::newRow("APO") << Setting::APO << 0 << onOffZh << onOffEn;
    QTest::newRow("BEEP") << Setting::BEEP << 0 << offOnZh << offOnEn;
    QTest::newRow("BatSave") << Setting::BatSave << 0 << offOnZh << offOnEn;
    QTest::newRow("Scramble") << Setting::Scramble << 0 << onOffZh << onOffEn;
    QTest::newRow("keyswitch") << Setting::keyswitch << 0 << onOffZh << onOffEn;
    QTest::newRow("Switch.U.P") << Setting::Switch_U_P << 0 << onOffZh << onOffEn;
    QTest::newRow("DownFreq") << Setting::DownFreq << 0 << onOffZh << onOffEn;
    QTest::newRow("SpreadFreq") << Setting::SpreadFreq << 1 << offOnZh << offOnEn;
    QTest::newRow("TxT.O.T 0") << Setting::TxT_O_T << 0 << minuteChoices("禁用", "分钟")
                               << minuteChoices("OFF", " min");
    QTest::newRow("TxT.O.T 7") << Setting::TxT_O_T << 7 << minuteChoices("禁用", "分钟")
                               << minuteChoices("OFF", " min");
    QTest::newRow("band") << Setting::band << 1 << QStringList{"频段2", "频段1"}
                          << QStringList{"Band 2", "Band 1"};
    QTest::newRow("Txlight") << Setting::Txlight << 7 << ledChoices << ledChoices;
    QTest::newRow("Rxlight") << Setting::Rxlight << 0 << ledChoices << ledChoices;
}

void TestI18n::rebuiltListsKeepIndex()
{
    QFETCH(Setting, setting);
    QFETCH(int, index);
    QFETCH(QStringList, chinese);
    QFETCH(QStringList, english);

    ProgramFolder folder;
    QVERIFY(folder.addLanguageLibraries());
    RadioData data;
    MessageSlots messages;
    // band keeps a chosen value only while SpreadFreq is on.
    QVERIFY(data.settings.setIndex(Setting::SpreadFreq, 1));
    QVERIFY(data.settings.setIndex(setting, index));
    QVERIFY(index != settingInfo(setting).defaultIndex);

    for (const QString name : {"chn", "eng", "chn"}) {
        QVERIFY(loadLanguage(name, data, messages));
        QCOMPARE(data.settings.choices(setting), name == "eng" ? english : chinese);
        QCOMPARE(data.settings.index(setting), index);
        QCOMPARE(data.settings.shownText(setting), data.settings.choices(setting).at(index));
    }
}

void TestI18n::spreadFreqRuleOnRealChangeOnly()
{
    ProgramFolder folder;
    QVERIFY(folder.addLanguageLibraries());
    RadioData data;
    MessageSlots messages;
    FunctionSettings &settings = data.settings;

    // SpreadFreq off: band may hold a value while disabled, until the rule
    // next runs.
    QVERIFY(settings.setIndex(Setting::band, 1));
    QVERIFY(loadLanguage("eng", data, messages)); // "禁用" -> "OFF": the rule runs
    QCOMPARE(settings.index(Setting::band), 0);
    QVERIFY(!settings.isEnabled(Setting::band));

    QVERIFY(settings.setIndex(Setting::band, 1));
    QSignalSpy shown(&settings, &FunctionSettings::shownTextChanged);
    QVERIFY(loadLanguage("eng", data, messages)); // same texts: the rule does not run
    QCOMPARE(settings.index(Setting::band), 1);
    for (const QList<QVariant> &args : shown)
        QVERIFY(args.at(0).value<Setting>() != Setting::SpreadFreq);

    QVERIFY(loadLanguage("chn", data, messages)); // real change again
    QCOMPARE(settings.index(Setting::band), 0);
    QVERIFY(!settings.isEnabled(Setting::band));

    // SpreadFreq on: the rule keeps band enabled and its value alone.
    QVERIFY(settings.setIndex(Setting::SpreadFreq, 1));
    QVERIFY(settings.setIndex(Setting::band, 1));
    QVERIFY(loadLanguage("eng", data, messages));
    QCOMPARE(settings.index(Setting::band), 1);
    QVERIFY(settings.isEnabled(Setting::band));
    QCOMPARE(settings.shownText(Setting::band), "Band 1");
}

void TestI18n::toneListAndFixedLists()
{
    ProgramFolder folder;
    QVERIFY(folder.addLanguageLibraries());
    RadioData data;
    MessageSlots messages;
    data.bands.list1_rx.append("400-470MHz");
    data.bands.list1_rx.append("430-440MHz");
    data.bands.list1_rx.choose(1);
    const QList<Setting> fixed{Setting::scankind,    Setting::Ring,     Setting::VFO_MR,
                               Setting::MRfreq_MRCH, Setting::Squelch,  Setting::VoxControl,
                               Setting::BroadBand,   Setting::Freq_Step};
    for (Setting setting : fixed)
        QVERIFY(data.settings.setIndex(setting, nonDefaultIndex(setting)));

    const QStringList tonesAfterOff = makeToneList(QString()).mid(1);
    for (const QString name : {"chn", "eng", "chn"}) {
        QVERIFY(loadLanguage(name, data, messages));
        const QStringList &tones = data.table.toneList();
        QCOMPARE(tones.size(), ToneCodes::EntryCount);
        QCOMPARE(tones.first(), data.table.valueTexts().offText);
        QCOMPARE(tones.mid(1), tonesAfterOff);
        for (Setting setting : fixed) {
            QCOMPARE(data.settings.choices(setting), settingInfo(setting).choices);
            QCOMPARE(data.settings.index(setting), nonDefaultIndex(setting));
        }
        QCOMPARE(data.bands.list1_rx.entries(), QStringList({"400-470MHz", "430-440MHz"}));
        QCOMPARE(data.bands.list1_rx.chosenIndex(), 1);
    }
}

void TestI18n::convertRoundTrip()
{
    ProgramFolder folder;
    QVERIFY(folder.addLanguageLibraries());
    RadioData data;
    MessageSlots messages;
    ChannelTable &table = data.table;

    // Every fixed value in every column it may stand in, plus texts that must
    // stay: a DCS code, a CTCSS tone, frequencies, and fixed texts of the
    // wrong column.
    const Row chinese1{"438.00000", "禁用", "438.00000", "D023N", "高功率", "宽带", "启用", "禁用"};
    const Row chinese2{"439.12500", "67.0", "", "禁用", "低功率", "窄带", "禁用", "启用"};
    const Row chinese3{"440.00000", "启用", "440.00000", "高功率", "禁用", "OFF", "高功率", ""};
    const Row english1{"438.00000", "OFF", "438.00000", "D023N", "High", "Wide", "ON", "OFF"};
    const Row english2{"439.12500", "67.0", "", "OFF", "Low", "Narrow", "OFF", "ON"};
    const Row english3{"440.00000", "启用", "440.00000", "高功率", "禁用", "OFF", "高功率", ""};

    QVERIFY(loadLanguage("chn", data, messages));
    table.setRowData(1, chinese1);
    table.setRowData(150, chinese2);
    table.setRowData(199, chinese3);
    table.setRowData(2, english1); // a row left in the other language

    QVERIFY(loadLanguage("eng", data, messages));
    convertFixedTexts(table);
    QCOMPARE(table.rowData(1), english1);
    QCOMPARE(table.rowData(2), english1);
    QCOMPARE(table.rowData(150), english2);
    QCOMPARE(table.rowData(199), english3);
    QVERIFY(table.isRowEmpty(3));
    QCOMPARE(table.cell(0, 1), "001");

    // The language already in force changes no cell.
    QSignalSpy cells(&table, &ChannelTable::cellChanged);
    QSignalSpy rows(&table, &ChannelTable::rowsChanged);
    QVERIFY(loadLanguage("eng", data, messages));
    convertFixedTexts(table);
    QCOMPARE(cells.count(), 0);
    QCOMPARE(rows.count(), 0);

    QVERIFY(loadLanguage("chn", data, messages));
    convertFixedTexts(table);
    QCOMPARE(table.rowData(1), chinese1);
    QCOMPARE(table.rowData(2), chinese1);
    QCOMPARE(table.rowData(150), chinese2);
    QCOMPARE(table.rowData(199), chinese3);
}

void TestI18n::convertWithoutValueTextsKeepsCells()
{
    // No language was ever loaded: the value texts are empty, and a switch
    // whose library is missing must not empty the channels' values.
    ChannelTable table;
    const Row row{"438.00000", "禁用", "438.00000", "OFF", "High", "窄带", "ON", "禁用"};
    table.setRowData(5, row);
    convertFixedTexts(table);
    QCOMPARE(table.rowData(5), row);
}

QTEST_GUILESS_MAIN(TestI18n)
#include "tst_i18n.moc"
