// The radio memory codec: channels, settings block, band edges and the
// identification block, checked against the byte layouts of the radio's
// memory, and the check that keeps unencodable data off the line.
#include "model/frequency.h"
#include "model/radiodata.h"
#include "model/tonelist.h"
#include "radio/memorycodec.h"
#include "testbytes.h"
#include "testsupport.h"

#include <QSignalSpy>
#include <QtTest>

using namespace MemoryCodec;

namespace {

// A block read reply: four leading bytes the codec must ignore, then the data.
QString reply(const QString &data)
{
    return QStringLiteral("A1B2C3D4") + data;
}

// The channel of a row as a write reads it from the cells.
Channel channelOf(const ChannelTable &table, int row)
{
    return table.channel(row).channel;
}

// Decodes a channel's replies into a row as a read does: its cells in the
// table's texts, or the row emptied when the channel cannot be read.
bool readInto(ChannelTable &table, int row, const QString &replyA, const QString &replyB)
{
    const std::optional<Channel> channel = MemoryCodec::decodeChannel(replyA, replyB);
    if (channel)
        table.setChannel(row, *channel);
    else
        table.clearRow(row);
    return channel.has_value();
}

// A full row, for a read to replace.
QStringList earlierRow()
{
    return localised({"400.00000", "D023N", "400.00000", "D023N", "Low", "Narrow", "OFF", "ON"});
}

// "Name=index" assignments, applied in order.
void apply(FunctionSettings &settings, const QStringList &assignments)
{
    for (const QString &a : assignments) {
        const int eq = a.lastIndexOf(QLatin1Char('='));
        const std::optional<Setting> s = settingByName(a.left(eq));
        QVERIFY2(s, qPrintable(a));
        QVERIFY2(settings.setIndex(*s, a.mid(eq + 1).toInt()), qPrintable(a));
    }
}

QStringList indexes(const FunctionSettings &settings)
{
    QStringList list;
    for (Setting s : allSettings())
        list << settingInfo(s).name + QLatin1Char('=') + QString::number(settings.index(s));
    return list;
}

// Every option bit and number away from its default.
const QStringList awayFromDefaults{
    "APO=0",        "BEEP=0",      "BatSave=0",        "scankind=0", "Ring=0",
    "Scramble=0",   "VFO/MR=0",    "MR freq./MR CH=0", "Squelch=9",  "VoxControl=3",
    "TxT.O.T=7",    "keyswitch=0", "Switch.U.P=0",     "DownFreq=0", "BroadBand=0",
    "SpreadFreq=1", "band=1",      "Freq.Step=0",      "Txlight=7",  "Rxlight=0"};

void chooseAll(BandRanges &bands, const QString &range)
{
    for (BandRangeList *list : bands.all()) {
        list->clear();
        list->choose(list->append(range));
    }
}

// A table, settings and band lists that can be written as they are.
void fillWritable(RadioData &data)
{
    useValueTexts(data.table, EnglishValueTexts);
    setRow(data.table, 1,
           localised({"438.12500", "88.5", "462.56250", "D023N", "High", "Wide", "ON", "OFF"}));
    setRow(data.table, 12,
           localised({"400.00000", "OFF", "470.00000", "OFF", "Low", "Narrow", "OFF", "ON"}));
    setRow(data.table, 199,
           localised({"550.00000", "254.1", "", "D754I", "High", "Wide", "ON", "OFF"}));
    chooseAll(data.bands, QStringLiteral("400-470MHz"));
}

} // namespace

class TestCodec : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { verifyLocaleOfRun(); }

    void hexDigitValue_data()
    {
        QTest::addColumn<QString>("digit");
        QTest::addColumn<int>("value");
        QTest::newRow("0") << "0" << 0;
        QTest::newRow("9") << "9" << 9;
        QTest::newRow("A") << "A" << 10;
        QTest::newRow("F") << "F" << 15;
        QTest::newRow("lower case") << "f" << 0;
        QTest::newRow("G") << "G" << 0;
        QTest::newRow("empty") << "" << 0;
        QTest::newRow("two characters") << "1F" << 0;
    }

    void hexDigitValue()
    {
        QFETCH(QString, digit);
        QFETCH(int, value);
        QCOMPARE(MemoryCodec::hexDigitValue(digit), value);
    }

    // ---- Channels ------------------------------------------------------

    void encodeChannel_data()
    {
        QTest::addColumn<QStringList>("cells");
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("second");
        QTest::newRow("438.125 / 462.5625, 88.5 / D023N, new-channel flags")
            << QStringList{"438.12500", "88.5", "462.56250", "D023N", "High", "Wide", "ON", "OFF"}
            << "0025814350622546"
            << "85082380FFFFFFFF";
        QTest::newRow("67.0 / 100.0, low narrow scan off busy lock on")
            << QStringList{"438.12500", "67.0", "438.12500", "100.0", "Low", "Narrow", "OFF", "ON"}
            << "0025814300258143"
            << "70060010F0FFFFFF";
        QTest::newRow("254.1 / D754I, high narrow scan off busy lock off")
            << QStringList{"438.12500", "254.1",  "438.12500", "D754I",
                           "High",      "Narrow", "OFF",       "OFF"}
            << "0025814300258143"
            << "412554C7F9FFFFFF";
        QTest::newRow("receive only, tones off")
            << QStringList{"462.56250", "OFF", "", "OFF", "Low", "Wide", "ON", "ON"}
            << "50622546FFFFFFFF"
            << "FFFFFFFFF6FFFFFF";
        QTest::newRow("band limits 100 / 550 MHz")
            << QStringList{"100.00000", "OFF", "550.00000", "OFF", "High", "Wide", "ON", "OFF"}
            << "0000001000000055"
            << "FFFFFFFFFFFFFFFF";
        QTest::newRow("empty flag cells give FF")
            << QStringList{"438.12500", "88.5", "438.12500", "88.5", "", "", "", ""}
            << "0025814300258143"
            << "85088508FFFFFFFF";
        QTest::newRow("one empty flag cell adds nothing")
            << QStringList{"438.12500", "", "438.12500", "", "", "Wide", "ON", "OFF"}
            << "0025814300258143"
            << "FFFFFFFFF7FFFFFF";
        QTest::newRow("tone with blanks around")
            << QStringList{"438.12500", " 88.5 ", "438.12500", "  D023N",
                           "High",      "Wide",   "ON",        "OFF"}
            << "0025814300258143"
            << "85082380FFFFFFFF";
        QTest::newRow("tone outside the list but encodable")
            << QStringList{"438.12500", "12.3", "438.12500", "D777I", "High", "Wide", "ON", "OFF"}
            << "0025814300258143"
            << "230177C7FFFFFFFF";
        QTest::newRow("tone of 300 Hz and a lower-case off are not stored")
            << QStringList{"438.12500", "300.0", "438.12500", "off", "High", "Wide", "ON", "OFF"}
            << "0025814300258143"
            << "FFFFFFFFFFFFFFFF";
        QTest::newRow("transmit frequency without a receive one")
            << QStringList{"", "", "462.56250", "", "", "", "", ""} << "FFFFFFFF50622546"
            << "FFFFFFFFFFFFFFFF";
        QTest::newRow("empty row")
            << QStringList{"", "", "", "", "", "", "", ""} << "FFFFFFFFFFFFFFFF"
            << "FFFFFFFFFFFFFFFF";
    }

    void encodeChannel()
    {
        QFETCH(QStringList, cells);
        QFETCH(QString, first);
        QFETCH(QString, second);
        ChannelTable table;
        useValueTexts(table, EnglishValueTexts);
        setRow(table, 42, localised(cells));
        const Channel channel = channelOf(table, 42);
        const ChannelBlocks blocks = MemoryCodec::encodeChannel(channel);
        QCOMPARE(blocks.first, first);
        QCOMPARE(blocks.second, second);
        QCOMPARE(encodeFrequency(channel.rxFrequency), first.left(8));
        QCOMPARE(encodeFrequency(channel.txFrequency), first.mid(8));
        QCOMPARE(encodeSubAudio(channel.rxSubAudio), second.left(4));
        QCOMPARE(encodeSubAudio(channel.txSubAudio), second.mid(4, 4));
        QCOMPARE(encodeFlags(channel), second.mid(8, 2));
    }

    // The digits are taken by position, so a text with the other separator
    // (a file from another locale) encodes the same.
    void encodeEitherSeparator()
    {
        ChannelTable table;
        table.setCell(1, 3, QStringLiteral("438.12500"));
        table.setCell(3, 3, QStringLiteral("462,56250"));
        QCOMPARE(MemoryCodec::encodeChannel(channelOf(table, 3)).first,
                 QStringLiteral("0025814350622546"));
    }

    void decodeChannel_data()
    {
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("second");
        QTest::addColumn<QStringList>("cells");
        QTest::newRow("438.125 / 462.5625, 88.5 / D023N, flags FF")
            << "0025814350622546"
            << "85082380FFFFFFFF"
            << QStringList{"438.12500", "88.5", "462.56250", "D023N", "High", "Wide", "ON", "OFF"};
        QTest::newRow("67.0 / 100.0, flags F0")
            << "0025814300258143"
            << "70060010F0FFFFFF"
            << QStringList{"438.12500", "67.0", "438.12500", "100.0", "Low", "Narrow", "OFF", "ON"};
        QTest::newRow("254.1 / D754I, flags F9")
            << "0025814300258143"
            << "412554C7F9FFFFFF" << QStringList{"438.12500", "254.1",  "438.12500", "D754I",
                                                 "High",      "Narrow", "OFF",       "OFF"};
        QTest::newRow("receive all FF empties the row")
            << "FFFFFFFF50622546"
            << "85082380F0FFFFFF" << QStringList{"", "", "", "", "", "", "", ""};
        QTest::newRow("transmit all FF")
            << "00258143FFFFFFFF"
            << "FFFF8508F6FFFFFF"
            << QStringList{"438.12500", "OFF", "", "88.5", "Low", "Wide", "ON", "ON"};
        QTest::newRow("top nibble F reads off whatever follows")
            << "0025814300258143"
            << "23F10000FFFFFFFF"
            << QStringList{"438.12500", "OFF", "438.12500", "00.0", "High", "Wide", "ON", "OFF"};
        QTest::newRow("unknown top nibble reads like a low tone")
            << "0025814300258143"
            << "23318508FFFFFFFF"
            << QStringList{"438.12500", "12.3", "438.12500", "88.5", "High", "Wide", "ON", "OFF"};
        QTest::newRow("flags high nibble ignored (0F)")
            << "0025814300258143"
            << "FFFFFFFF0FFFFFFF"
            << QStringList{"438.12500", "OFF", "438.12500", "OFF", "High", "Wide", "ON", "OFF"};
        QTest::newRow("flags high nibble ignored (30)")
            << "0025814300258143"
            << "FFFFFFFF30FFFFFF"
            << QStringList{"438.12500", "OFF", "438.12500", "OFF", "Low", "Narrow", "OFF", "ON"};
        QTest::newRow("spare bytes ignored")
            << "0025814300258143"
            << "85082380FF123456"
            << QStringList{"438.12500", "88.5", "438.12500", "D023N", "High", "Wide", "ON", "OFF"};
        QTest::newRow("digits a tone or code cannot have read as stored")
            << "0025814300258143"
            << "5B0A9981FFFFFFFF"
            << QStringList{"438.12500", "A5.B", "438.12500", "D199N", "High", "Wide", "ON", "OFF"};
        QTest::newRow("below 100 MHz keeps two integer digits")
            << "5012380450123804"
            << "FFFFFFFFFFFFFFFF"
            << QStringList{"43.81250", "OFF", "43.81250", "OFF", "High", "Wide", "ON", "OFF"};
    }

    void decodeChannel()
    {
        QFETCH(QString, first);
        QFETCH(QString, second);
        QFETCH(QStringList, cells);
        ChannelTable table;
        useValueTexts(table, EnglishValueTexts);
        // Whatever the row held before is replaced.
        setRow(table, 7, earlierRow());
        QVERIFY(readInto(table, 7, reply(first), reply(second)));
        QCOMPARE(rowCells(table, 7), localised(cells));
        QCOMPARE(table.cell(0, 7), QStringLiteral("007"));
    }

    void decodeFrequencyPositions()
    {
        const QString r = reply(QStringLiteral("0025814350622546"));
        // 438.125 MHz and 462.5625 MHz in units of 10 Hz.
        QVERIFY(decodeFrequency(r, 15).readable);
        QCOMPARE(decodeFrequency(r, 15).frequency, std::optional<qint64>(43812500));
        QVERIFY(decodeFrequency(r, 23).readable);
        QCOMPARE(decodeFrequency(r, 23).frequency, std::optional<qint64>(46256250));
        const QString blank = reply(QStringLiteral("FFFFFFFF50622546"));
        QVERIFY(decodeFrequency(blank, 15).readable);
        QCOMPARE(decodeFrequency(blank, 15).frequency, std::nullopt);
    }

    // Every tone-list entry encodes as its value (tenths of a hertz as BCD,
    // or 0x8000 / 0xC000 + the code digits), low byte first, and reads back.
    void toneRoundTrip()
    {
        ChannelTable table;
        useValueTexts(table, EnglishValueTexts);
        const QStringList tones = makeToneList(QStringLiteral("OFF"));
        QCOMPARE(tones.size(), 265);
        for (const QString &tone : tones) {
            QString value;
            if (tone == QLatin1String("OFF"))
                value = QStringLiteral("FFFF");
            else if (tone.endsWith(QLatin1Char('N')))
                value = QLatin1Char('8') + tone.mid(1, 3);
            else if (tone.endsWith(QLatin1Char('I')))
                value = QLatin1Char('C') + tone.mid(1, 3);
            else
                value = QString(tone).remove(QLatin1Char('.')).rightJustified(4, QLatin1Char('0'));
            const QString stored = value.mid(2, 2) + value.left(2);
            table.setCell(ChannelTable::ColTxTone, 5, tone);
            QCOMPARE(encodeSubAudio(channelOf(table, 5).txSubAudio), stored);
            QCOMPARE(subAudioText(decodeSubAudio(stored), QStringLiteral("OFF")), tone);
        }
    }

    // Bit 3 high power, bit 2 wide, bit 1 scanned, bit 0 busy lock OFF.
    void flagRoundTrip()
    {
        ChannelTable table;
        useValueTexts(table, EnglishValueTexts);
        for (int v = 0; v < 16; ++v) {
            const QString digit = QString::number(v, 16).toUpper();
            Channel channel;
            channel.rxFrequency = 43812500;
            decodeFlags(digit, channel);
            table.setChannel(9, channel);
            const QStringList expected{v & 8 ? "High" : "Low", v & 4 ? "Wide" : "Narrow",
                                       v & 2 ? "ON" : "OFF", v & 1 ? "OFF" : "ON"};
            QCOMPARE(rowCells(table, 9).mid(4), expected);
            QCOMPARE(encodeFlags(channelOf(table, 9)), QStringLiteral("F") + digit);
        }
    }

    // ---- Settings block ------------------------------------------------

    void settingsEncoding_data()
    {
        QTest::addColumn<QStringList>("assignments");
        QTest::addColumn<QString>("data");
        QTest::newRow("defaults") << QStringList{} << "FF020004CF060204";
        QTest::newRow("APO on") << QStringList{"APO=0"} << "FE020004CF060204";
        QTest::newRow("MR CH") << QStringList{"MR freq./MR CH=0"} << "7F020004CF060204";
        QTest::newRow("BEEP off, Ring off")
            << QStringList{"BEEP=0", "Ring=0"} << "ED020004CF060204";
        QTest::newRow("SpreadFreq on, band one")
            << QStringList{"SpreadFreq=1", "band=1"} << "FF020004FF060204";
        QTest::newRow("keyswitch on, narrow")
            << QStringList{"keyswitch=0", "BroadBand=0"} << "FF020004C6060204";
        QTest::newRow("away from every default") << awayFromDefaults << "00090307F0010801";
    }

    void settingsEncoding()
    {
        QFETCH(QStringList, assignments);
        QFETCH(QString, data);
        FunctionSettings settings;
        apply(settings, assignments);
        QCOMPARE(encodeSettingsBlock(settings), data);
        QCOMPARE(encodeOptionByte0(settings), data.left(2));
        QCOMPARE(encodeOptionByte4(settings), data.mid(8, 2));
    }

    void settingsDecoding_data()
    {
        QTest::addColumn<QStringList>("before");
        QTest::addColumn<QString>("data");
        QTest::addColumn<QStringList>("after");
        // Only the settings named in "after" change.
        QTest::newRow("defaults") << awayFromDefaults << "FF020004CF060204"
                                  << indexes(FunctionSettings());
        QTest::newRow("squelch high nibble ignored")
            << QStringList{} << "FF150004CF060204" << QStringList{"Squelch=5"};
        QTest::newRow("byte 4 0x0F reads like 0xCF")
            << awayFromDefaults << "000903070F010801"
            << QStringList{"keyswitch=1", "Switch.U.P=1", "DownFreq=1",
                           "BroadBand=1", "SpreadFreq=0", "band=0"};
        QTest::newRow("FF in bytes 6 and 7")
            << awayFromDefaults << "00090307F001FFFF" << QStringList{"Txlight=2", "Rxlight=4"};
        QTest::newRow("erased block")
            << awayFromDefaults << "FFFFFFFFFFFFFFFF"
            << QStringList{"APO=1",       "BEEP=1",       "BatSave=1",  "scankind=1",
                           "Ring=1",      "Scramble=1",   "VFO/MR=1",   "MR freq./MR CH=1",
                           "keyswitch=1", "Switch.U.P=1", "DownFreq=1", "BroadBand=1",
                           "Txlight=2",   "Rxlight=4"};
        QTest::newRow("nibbles A-E leave settings unchanged")
            << QStringList{} << "FF0A0B0CCF0D0E0A" << QStringList{};
        QTest::newRow("values outside the choices refused")
            << QStringList{} << "FF0A0708CF000909" << QStringList{};
        QTest::newRow("highest values") << QStringList{} << "FF090407CF060808"
                                        << QStringList{"Squelch=9",   "VoxControl=4", "TxT.O.T=7",
                                                       "Freq.Step=5", "Txlight=7",    "Rxlight=7"};
        QTest::newRow("SpreadFreq off keeps band one")
            << QStringList{"SpreadFreq=1"} << "FF020004EF060204"
            << QStringList{"SpreadFreq=0", "band=1"};
    }

    void settingsDecoding()
    {
        QFETCH(QStringList, before);
        QFETCH(QString, data);
        QFETCH(QStringList, after);
        FunctionSettings settings;
        apply(settings, before);
        FunctionSettings expected;
        apply(expected, before);
        apply(expected, after);
        QVERIFY(decodeSettingsBlock(settings, reply(data)));
        QCOMPARE(indexes(settings), indexes(expected));
    }

    // SpreadFreq is set before band: off with band one leaves band at one
    // but disabled.
    void settingsDecodingBandDisabled()
    {
        FunctionSettings settings;
        apply(settings, {"SpreadFreq=1"});
        QVERIFY(settings.isEnabled(Setting::band));
        QVERIFY(decodeSettingsBlock(settings, reply(QStringLiteral("FF020004EF060204"))));
        QCOMPARE(settings.index(Setting::band), 1);
        QVERIFY(!settings.isEnabled(Setting::band));
    }

    void settingsDecodingRefusesMalformedReplies_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("empty") << "";
        QTest::newRow("leading bytes only") << "A1B2C3D4";
        QTest::newRow("seven data bytes") << "A1B2C3D4FF020004CF0602";
        QTest::newRow("non-hex digit") << "A1B2C3D4FF0200X4CF060204";
        QTest::newRow("lower case") << "A1B2C3D4ff020004cf060204";
    }

    void settingsDecodingRefusesMalformedReplies()
    {
        QFETCH(QString, text);
        FunctionSettings settings;
        apply(settings, awayFromDefaults);
        QSignalSpy spy(&settings, &FunctionSettings::indexChanged);
        QVERIFY(!decodeSettingsBlock(settings, text));
        QCOMPARE(spy.count(), 0);
    }

    // ---- Band edges and identification ---------------------------------

    void bandEdges_data()
    {
        QTest::addColumn<QString>("rx");
        QTest::addColumn<QString>("tx");
        QTest::addColumn<QString>("data");
        QTest::newRow("400-470 both") << "400-470MHz"
                                      << "400-470MHz"
                                      << "0040004700400047";
        QTest::newRow("420-450 receive") << "420-450MHz"
                                         << "400-470MHz"
                                         << "0042004500400047";
        QTest::newRow("odd megahertz") << "425-447MHz"
                                       << "420-450MHz"
                                       << "5042704400420045";
        QTest::newRow("none chosen") << ""
                                     << "400-470MHz"
                                     << "FFFFFFFF00400047";
    }

    void bandEdges()
    {
        QFETCH(QString, rx);
        QFETCH(QString, tx);
        QFETCH(QString, data);
        BandRanges bands;
        if (!rx.isEmpty())
            bands.list1_rx.choose(bands.list1_rx.append(rx));
        bands.list1_tx.choose(bands.list1_tx.append(tx));
        QCOMPARE(encodeBandEdges(bands.list1_rx, bands.list1_tx), data);
    }

    void identBlock()
    {
        const QByteArray bytes = QByteArray("\x00\x00\xF3", 3) + "5174Q";
        QCOMPARE(IdentBlockData, QString::fromLatin1(bytes.toHex().toUpper()));
        QCOMPARE(IdentBlockData, QStringLiteral("0000F33531373451"));
    }

    void memoryMap()
    {
        QCOMPARE(channelAddress(1), 0x0010);
        QCOMPARE(channelAddress(199), 0x0C70);
        QCOMPARE(SettingsBlockAddress, 0x0C80);
        QCOMPARE(IdentBlockAddress, 0x0C90);
        QCOMPARE(BandOneEdgesAddress, 0x0CA0);
        QCOMPARE(BandTwoEdgesAddress, 0x0CA8);
    }

    // ---- Cells in the other language -----------------------------------

    void otherLanguageTexts_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QStringList>("cells");
        QTest::addColumn<QString>("second");
        const QStringList chineseSet{"禁用", "禁用", "高功率", "宽带", "启用", "禁用"};
        const QStringList chineseClear{"禁用", "禁用", "低功率", "窄带", "禁用", "启用"};
        const QStringList englishSet{"OFF", "OFF", "High", "Wide", "ON", "OFF"};
        const QStringList englishClear{"OFF", "OFF", "Low", "Narrow", "OFF", "ON"};
        QTest::newRow("Chinese cells, English loaded")
            << "English" << chineseSet << "FFFFFFFFFFFFFFFF";
        QTest::newRow("Chinese cells cleared, English loaded")
            << "English" << chineseClear << "FFFFFFFFF0FFFFFF";
        QTest::newRow("English cells, Chinese loaded")
            << "Chinese" << englishSet << "FFFFFFFFFFFFFFFF";
        QTest::newRow("English cells cleared, Chinese loaded")
            << "Chinese" << englishClear << "FFFFFFFFF0FFFFFF";
        QTest::newRow("English cells, no language") << "" << englishSet << "FFFFFFFFFFFFFFFF";
        QTest::newRow("Chinese cells cleared, no language")
            << "" << chineseClear << "FFFFFFFFF0FFFFFF";
    }

    void otherLanguageTexts()
    {
        QFETCH(QString, language);
        QFETCH(QStringList, cells);
        QFETCH(QString, second);
        RadioData data;
        fillWritable(data);
        data.table.setValueTexts(ValueTexts());
        data.table.setToneOffText(QStringLiteral("禁用"));
        if (language == QLatin1String("English"))
            useValueTexts(data.table, EnglishValueTexts);
        else if (language == QLatin1String("Chinese"))
            useValueTexts(data.table, ChineseValueTexts);
        setRow(data.table, 30,
               localised(QStringList{"438.12500", cells[0], "438.12500", cells[1]} + cells.mid(2)));
        QCOMPARE(MemoryCodec::encodeChannel(channelOf(data.table, 30)).second, second);
        QCOMPARE(preflightCheck(data), QStringList());
    }

    void decodingWritesCurrentLanguage_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QStringList>("cells");
        QTest::newRow("Chinese") << "Chinese"
                                 << QStringList{"禁用", "禁用", "高功率", "窄带", "禁用", "启用"};
        QTest::newRow("English") << "English"
                                 << QStringList{"OFF", "OFF", "High", "Narrow", "OFF", "ON"};
        // Without a language the built-in texts keep the flags, so a read
        // followed by a write gives the radio back what it held.
        QTest::newRow("none: built-in texts")
            << "" << QStringList{"禁用", "禁用", "高功率", "窄带", "禁用", "启用"};
    }

    void decodingWritesCurrentLanguage()
    {
        QFETCH(QString, language);
        QFETCH(QStringList, cells);
        ChannelTable table;
        if (language == QLatin1String("English"))
            useValueTexts(table, EnglishValueTexts);
        else if (language == QLatin1String("Chinese"))
            useValueTexts(table, ChineseValueTexts);
        QVERIFY(readInto(table, 2, reply(QStringLiteral("0025814300258143")),
                         reply(QStringLiteral("FFFFFFFFF8FFFFFF"))));
        const QStringList row = rowCells(table, 2);
        QCOMPARE((QStringList{row[1], row[3]} + row.mid(4)), cells);
        QCOMPARE(encodeFlags(channelOf(table, 2)), QStringLiteral("F8"));
    }

    // ---- Unreadable channels -------------------------------------------

    void decodeChannelUnreadable_data()
    {
        QTest::addColumn<QString>("replyA");
        QTest::addColumn<QString>("replyB");
        const QString goodB = reply(QStringLiteral("85082380FFFFFFFF"));
        QTest::newRow("receive nibble A-E") << reply("0025A14350622546") << goodB;
        QTest::newRow("transmit nibble A-E") << reply("002581435062B546") << goodB;
        QTest::newRow("receive F mixed with digits") << reply("FFFF814350622546") << goodB;
        QTest::newRow("transmit F mixed with digits") << reply("00258143FFFFFF46") << goodB;
        QTest::newRow("non-hex character") << reply("0025814X50622546") << goodB;
        QTest::newRow("lower-case F") << reply("ffffffff50622546") << goodB;
        QTest::newRow("first reply empty") << "" << goodB;
        QTest::newRow("first reply short") << reply("00258143506225") << goodB;
        QTest::newRow("second reply empty") << reply("0025814350622546") << "";
        QTest::newRow("second reply short") << reply("0025814350622546") << reply("85082380F");
        QTest::newRow("second reply non-hex")
            << reply("0025814350622546") << reply("8508238XFFFFFFFF");
    }

    void decodeChannelUnreadable()
    {
        QFETCH(QString, replyA);
        QFETCH(QString, replyB);
        ChannelTable table;
        useValueTexts(table, EnglishValueTexts);
        setRow(table, 5, earlierRow());
        QVERIFY(!readInto(table, 5, replyA, replyB));
        QVERIFY(table.isRowEmpty(5));
    }

    // An empty receive frequency makes an empty channel, readable, whatever
    // the second reply holds.
    void decodeEmptyChannelIgnoresSecondReply()
    {
        ChannelTable table;
        useValueTexts(table, EnglishValueTexts);
        setRow(table, 5, earlierRow());
        QVERIFY(readInto(table, 5, reply(QStringLiteral("FFFFFFFF0000A000")), QString()));
        QVERIFY(table.isRowEmpty(5));
    }

    void decodersSafeOnBadInput()
    {
        const QString r = reply(QStringLiteral("0025814350622546"));
        QVERIFY(!decodeFrequency(r, 0).readable);
        QVERIFY(!decodeFrequency(r, 5).readable);
        QVERIFY(!decodeFrequency(r, 24).readable);
        QVERIFY(!decodeFrequency(r, 1000).readable);
        QVERIFY(!decodeFrequency(QString(), 15).readable);
        QCOMPARE(decodeSubAudio(QString()), SubAudio::off());
        QCOMPARE(decodeSubAudio(QStringLiteral("85")), SubAudio::off());
        QCOMPARE(decodeSubAudio(QStringLiteral("850823")), SubAudio::off());
        QCOMPARE(decodeSubAudio(QStringLiteral("85X8")), SubAudio::off());
        QVERIFY(!MemoryCodec::decodeChannel(QString(), QString()));

        Channel channel;
        decodeFlags(QString(), channel);
        QCOMPARE(encodeFlags(channel), QStringLiteral("F0"));

        // Rows outside the table are left alone and read as empty channels.
        ChannelTable table;
        useValueTexts(table, EnglishValueTexts);
        channel.rxFrequency = 43812500;
        table.setChannel(0, channel);
        table.setChannel(200, channel);
        QCOMPARE(table.cell(1, 0), QStringLiteral("接收频率"));
        QCOMPARE(MemoryCodec::encodeChannel(channelOf(table, 0)).first,
                 QStringLiteral("FFFFFFFFFFFFFFFF"));

        FunctionSettings settings;
        decodeOptionBits(settings, QString(), QStringLiteral("F"));
        QCOMPARE(encodeOptionByte0(settings), QStringLiteral("00"));
    }

    // ---- Before a write ------------------------------------------------

    void preflightAcceptsWritableData()
    {
        RadioData data;
        fillWritable(data);
        QCOMPARE(preflightCheck(data), QStringList());
        // A fresh table with only band lists chosen is writable too.
        RadioData fresh;
        chooseAll(fresh.bands, QStringLiteral("420-450MHz"));
        QCOMPARE(preflightCheck(fresh), QStringList());
    }

    void preflightAccepts_data()
    {
        QTest::addColumn<int>("col");
        QTest::addColumn<QString>("text");
        QTest::newRow("the other separator")
            << 1 << (frequencySeparator() == QLatin1Char('.') ? "438,12500" : "438.12500");
        QTest::newRow("tone outside the list") << 2 << "12.3";
        QTest::newRow("code outside the list") << 4 << "D777N";
        QTest::newRow("tone with blanks") << 2 << " 88.5 ";
        QTest::newRow("Chinese off tone") << 4 << "禁用";
        QTest::newRow("empty tone") << 2 << "";
        QTest::newRow("Chinese power") << 5 << "低功率";
        QTest::newRow("empty flag") << 8 << "";
    }

    void preflightAccepts()
    {
        QFETCH(int, col);
        QFETCH(QString, text);
        RadioData data;
        fillWritable(data);
        data.table.setCell(col, 12, text);
        QCOMPARE(preflightCheck(data), QStringList());
    }

    void preflightRefusesChannels_data()
    {
        QTest::addColumn<int>("col");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("problem");
        const auto frequency = [](const char *which, const QString &text) {
            return QStringLiteral("Channel 012: %1 frequency \"%2\" cannot be stored "
                                  "(100–550 MHz, five decimals)")
                .arg(QLatin1String(which), text);
        };
        const auto tone = [](const char *which, const QString &text) {
            return QStringLiteral("Channel 012: %1 sub-audio \"%2\" cannot be stored (off, a "
                                  "tone such as 88.5 or a code such as D023N)")
                .arg(QLatin1String(which), text);
        };
        const auto flag = [](const char *name, const QString &text, const char *values) {
            return QStringLiteral("Channel 012: %1 \"%2\" is not a known value (%3)")
                .arg(QLatin1String(name), text, QLatin1String(values));
        };
        const QString low = local(QStringLiteral("43.81250"));
        QTest::newRow("below 100 MHz read from a radio") << 1 << low << frequency("receive", low);
        const QString under = local(QStringLiteral("099.99999"));
        QTest::newRow("just under 100 MHz") << 3 << under << frequency("transmit", under);
        const QString over = local(QStringLiteral("550.00001"));
        QTest::newRow("over 550 MHz") << 1 << over << frequency("receive", over);
        const QString four = local(QStringLiteral("438.1250"));
        QTest::newRow("four decimals") << 1 << four << frequency("receive", four);
        const QString six = local(QStringLiteral("438.125000"));
        QTest::newRow("six decimals") << 3 << six << frequency("transmit", six);
        const QString blank = local(QStringLiteral(" 438.12500"));
        QTest::newRow("leading blank") << 1 << blank << frequency("receive", blank);
        QTest::newRow("other separator character")
            << 1 << "438x12500" << frequency("receive", "438x12500");
        QTest::newRow("not a number") << 3 << "abc" << frequency("transmit", "abc");
        QTest::newRow("tone with two decimals") << 2 << "88.55" << tone("receive", "88.55");
        QTest::newRow("code with a non-octal digit") << 4 << "D018N" << tone("transmit", "D018N");
        QTest::newRow("code with another polarity") << 4 << "D023X" << tone("transmit", "D023X");
        QTest::newRow("tone of 300 Hz") << 2 << "300.0" << tone("receive", "300.0");
        QTest::newRow("lower-case off") << 2 << "off" << tone("receive", "off");
        QTest::newRow("unknown power") << 5 << "Medium" << flag("power", "Medium", "High or Low");
        QTest::newRow("band width text in power")
            << 5 << "Wide" << flag("power", "Wide", "High or Low");
        QTest::newRow("power text in band width")
            << 6 << "High" << flag("band width", "High", "Wide or Narrow");
        QTest::newRow("power text in scan") << 7 << "高功率" << flag("scan", "高功率", "ON or OFF");
        QTest::newRow("lower-case busy lock") << 8 << "on" << flag("busy lock", "on", "ON or OFF");
    }

    void preflightRefusesChannels()
    {
        QFETCH(int, col);
        QFETCH(QString, text);
        QFETCH(QString, problem);
        RadioData data;
        fillWritable(data);
        data.table.setCell(col, 12, text);
        QCOMPARE(preflightCheck(data), QStringList{problem});
    }

    void preflightRefusesSettingsAndBands()
    {
        RadioData data;
        fillWritable(data);
        // A shorter choice list leaves nothing selected; a longer one lets an
        // index past the radio's values through the model.
        QVERIFY(data.settings.setIndex(Setting::VoxControl, 4));
        data.settings.setChoices(Setting::VoxControl, {"OFF", "1"});
        QStringList squelch;
        for (int i = 0; i < 12; ++i)
            squelch << QString::number(i);
        data.settings.setChoices(Setting::Squelch, squelch);
        QVERIFY(data.settings.setIndex(Setting::Squelch, 11));
        data.bands.list1_rx.clear();
        data.bands.list1_rx.choose(data.bands.list1_rx.append(QStringLiteral("400-470 MHz")));
        data.bands.list2_tx.clear();
        data.bands.list2_tx.append(QStringLiteral("400-470MHz"));
        QCOMPARE(preflightCheck(data),
                 (QStringList{"Setting Squelch: value 11 is outside its choices (0–9)",
                              "Setting VoxControl: no choice is selected",
                              "Band range list list1_rx: range \"400-470 MHz\" is not of the form "
                              "400-470MHz",
                              "Band range list list2_tx: no range is chosen"}));
    }

    // Every problem is named, not only the first.
    void preflightListsEveryProblem()
    {
        RadioData data;
        fillWritable(data);
        data.table.setCell(1, 1, local(QStringLiteral("43.81250")));
        data.table.setCell(4, 1, QStringLiteral("D999N"));
        data.table.setCell(7, 199, QStringLiteral("maybe"));
        const QStringList problems = preflightCheck(data);
        QCOMPARE(problems.size(), 3);
        QVERIFY(problems[0].startsWith(QLatin1String("Channel 001: receive frequency")));
        QVERIFY(problems[1].startsWith(QLatin1String("Channel 001: transmit sub-audio")));
        QVERIFY(problems[2].startsWith(QLatin1String("Channel 199: scan")));
    }
};

QTEST_GUILESS_MAIN(TestCodec)
#include "tst_codec.moc"
