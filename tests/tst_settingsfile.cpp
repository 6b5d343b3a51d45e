// The settings file "myini.ini": what start-up reads, what the end of a run
// writes, and the INI access under it.
#include "model/bandranges.h"
#include "model/programfolder.h"
#include "model/radiodata.h"
#include "storage/appsettings.h"
#include "storage/backups.h"
#include "storage/channelfile.h"
#include "storage/gbk.h"
#include "storage/settingsfile.h"
#include "storage/settingslocation.h"
#include "testsupport.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

#include <climits>
#include <cstring>
#include <optional>

namespace {

// The file's non-empty lines.
QList<QByteArray> keyLines(const QString &path)
{
    QList<QByteArray> lines = linesOf(readFile(path));
    lines.removeAll(QByteArray());
    return lines;
}

// One section of the file: its heading and its key lines.
QList<QByteArray> sectionLines(const QString &path, const QByteArray &heading)
{
    const QList<QByteArray> lines = keyLines(path);
    qsizetype first = lines.indexOf(heading);
    if (first < 0)
        return {};
    qsizetype end = first + 1;
    while (end < lines.size() && !lines.at(end).startsWith('['))
        ++end;
    return lines.mid(first, end - first);
}

QList<QByteArray> defaultKeyLines()
{
    return {"[open]",
            "com=1",
            "skin=1",
            "[list1_rx]",
            "listnow=0",
            "listcount=1",
            "combo0=400-470MHz",
            "[list1_tx]",
            "list2now=0",
            "list2count=1",
            "com2bo0=400-470MHz",
            "[list2_rx]",
            "listnow=0",
            "listcount=1",
            "combo0=400-470MHz",
            "[list2_tx]",
            "list2now=0",
            "list2count=1",
            "com2bo0=400-470MHz",
            "[options]",
            "verify=0",
            "backupfirst=0"};
}

// The settings with the band range lists of `bands`.
AppSettings withBands(AppSettings settings, const BandRanges &bands)
{
    settings.bandLists = storedBandLists(bands);
    return settings;
}

// Loads the file into the settings and the band range lists.
AppSettings loadInto(const SettingsFile &file, BandRanges &bands)
{
    const AppSettings settings = loadAppSettings(file);
    fillBandRanges(bands, settings.bandLists);
    return settings;
}

} // namespace

class TestSettingsFile : public QObject
{
    Q_OBJECT

private:
    std::optional<ProgramFolder> m_folder;

    QString iniPath() const { return m_folder->path(QStringLiteral("myini.ini")); }

private slots:
    void init()
    {
        m_folder.emplace();
        QVERIFY(m_folder->isValid());
    }

    void cleanup() { m_folder.reset(); }

    void firstRun()
    {
        QCOMPARE(SettingsFile::defaultPath(), iniPath());
        SettingsFile file;
        QStringList warnings;
        const AppSettings settings = loadAppSettings(file, &warnings);
        QCOMPARE(settings.port, 1);
        QCOMPARE(settings.skin, Skin::Blue);
        QVERIFY(!settings.verifyAfterWriting);
        QCOMPARE(settings.portDevices, (std::array<QString, 4>{}));
        QVERIFY(warnings.isEmpty());
        // Each list gets the radio's band, chosen, so a first run can write.
        for (const StoredBandList &list : settings.bandLists)
            QCOMPARE(list, (StoredBandList{{QStringLiteral("400-470MHz")}, 0}));
        BandRanges bands;
        QSignalSpy chosen(&bands, &BandRanges::chosenTextChanged);
        fillBandRanges(bands, settings.bandLists);
        for (const BandRangeList *list : bands.all()) {
            QCOMPARE(list->entries(), QStringList{QStringLiteral("400-470MHz")});
            QCOMPARE(list->chosenIndex(), 0);
        }
        QCOMPARE(chosen.count(), 4);
        QCOMPARE(storedBandLists(bands), settings.bandLists);
        QVERIFY(!QFile::exists(iniPath()));

        const SettingsSaveResult result = saveAppSettings(file, settings);
        QVERIFY2(result.ok, qPrintable(result.message));
        QCOMPARE(keyLines(iniPath()), defaultKeyLines());
    }

    // Where the file lives: beside the program while its folder is
    // writable, where preparing it creates nothing; otherwise in the
    // user's configuration folder, where preparing it writes the first-run
    // settings (the same keys a first run writes at its end).
    void location()
    {
        SettingsLocation::Location beside = SettingsLocation::prepare();
        QCOMPARE(beside.place, SettingsLocation::Place::ProgramFolder);
        QCOMPARE(beside.path, iniPath());
        QVERIFY(!QFile::exists(iniPath()));

#ifdef Q_OS_UNIX
        if (::geteuid() == 0)
            QSKIP("root may write every folder; scripts/test-package checks this as nobody");
#endif
        QTemporaryDir config;
        QVERIFY(config.isValid());
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(config.path()));
        QCoreApplication::setApplicationName(Backups::ApplicationName);
        const QFileDevice::Permissions before = QFile::permissions(m_folder->path());
        QVERIFY(QFile::setPermissions(m_folder->path(),
                                      QFileDevice::ReadOwner | QFileDevice::ExeOwner));
        QString error;
        const SettingsLocation::Location user = SettingsLocation::prepare(&error);
        QFile::setPermissions(m_folder->path(), before);
        qunsetenv("XDG_CONFIG_HOME");
        QCOMPARE(user.place, SettingsLocation::Place::UserConfigFolder);
        QCOMPARE(user.path, config.filePath(QStringLiteral("qb380/myini.ini")));
        QVERIFY2(error.isEmpty(), qPrintable(error));
        QCOMPARE(keyLines(user.path), defaultKeyLines());
        QVERIFY(!QFile::exists(iniPath()));
    }

    void portAndSkinWritten()
    {
        SettingsFile file;
        AppSettings settings = loadAppSettings(file);
        settings.port = 3;
        settings.skin = Skin::Steel;
        settings.verifyAfterWriting = true;
        settings.backupBeforeWriting = true;
        QVERIFY(saveAppSettings(file, settings).ok);
        const QList<QByteArray> lines = keyLines(iniPath());
        QCOMPARE(lines.mid(0, 3), QList<QByteArray>({"[open]", "com=3", "skin=2"}));
        QCOMPARE(lines.mid(lines.size() - 3),
                 QList<QByteArray>({"[options]", "verify=1", "backupfirst=1"}));

        QCOMPARE(loadAppSettings(SettingsFile()), settings);
    }

    void storedChoices_data()
    {
        QTest::addColumn<QByteArray>("com");
        QTest::addColumn<QByteArray>("skin");
        QTest::addColumn<int>("expectedCom");
        QTest::addColumn<int>("expectedSkin");
        QTest::addColumn<int>("warnings");
        QTest::newRow("highest") << QByteArray("4") << QByteArray("3") << 4 << 3 << 0;
        QTest::newRow("hexadecimal") << QByteArray("0x3") << QByteArray("$2") << 3 << 2 << 0;
        QTest::newRow("no entry for them") << QByteArray("7") << QByteArray("0") << 1 << 1 << 2;
        QTest::newRow("negative") << QByteArray("-1") << QByteArray("2") << 1 << 2 << 1;
        QTest::newRow("not numbers") << QByteArray("COM3") << QByteArray("") << 1 << 1 << 0;
    }

    void storedChoices()
    {
        QFETCH(QByteArray, com);
        QFETCH(QByteArray, skin);
        QFETCH(int, expectedCom);
        QFETCH(int, expectedSkin);
        QFETCH(int, warnings);
        writeFile(iniPath(), "[open]\r\ncom=" + com + "\r\nskin=" + skin + "\r\n");
        QStringList found;
        const AppSettings settings = loadAppSettings(SettingsFile(), &found);
        QCOMPARE(settings.port, expectedCom);
        QCOMPARE(int(settings.skin), expectedSkin);
        QCOMPARE(found.size(), warnings);
    }

    void bandLists_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QStringList>("entries"); // of list1_rx
        QTest::addColumn<int>("chosen");

        QTest::newRow("count 2, one entry key")
            << QByteArray("[list1_rx]\r\nlistcount=2\r\ncombo0=136-174MHz\r\nlistnow=1\r\n")
            << QStringList{"136-174MHz", "400-470MHz"} << 1;
        QTest::newRow("chosen index missing")
            << QByteArray("[list1_rx]\r\nlistcount=1\r\ncombo0=136-174MHz\r\nlistnow=5\r\n")
            << QStringList{"136-174MHz"} << -1;
        QTest::newRow("nothing chosen")
            << QByteArray("[list1_rx]\r\nlistcount=1\r\ncombo0=136-174MHz\r\nlistnow=-1\r\n")
            << QStringList{"136-174MHz"} << -1;
        QTest::newRow("no listnow")
            << QByteArray("[list1_rx]\r\nlistcount=2\r\ncombo0=A\r\ncombo1=B\r\n")
            << QStringList{"A", "B"} << 0;
        QTest::newRow("count 0") << QByteArray("[list1_rx]\r\nlistcount=0\r\ncombo0=A\r\n")
                                 << QStringList{"400-470MHz"} << 0;
        QTest::newRow("negative count")
            << QByteArray("[list1_rx]\r\nlistcount=-3\r\n") << QStringList{"400-470MHz"} << 0;
        QTest::newRow("count not a number")
            << QByteArray("[list1_rx]\r\nlistcount=two\r\n") << QStringList{"400-470MHz"} << 0;
        QTest::newRow("hexadecimal count")
            << QByteArray("[list1_rx]\r\nlistcount=$2\r\nlistnow=0x1\r\n")
            << QStringList{"400-470MHz", "400-470MHz"} << 1;
        QTest::newRow("empty entry")
            << QByteArray("[list1_rx]\r\nlistcount=1\r\ncombo0=\r\n") << QStringList{""} << 0;
        QTest::newRow("GBK entry")
            << "[list1_rx]\r\nlistcount=1\r\ncombo0=" + toGbk(QString::fromUtf8("频段一")) + "\r\n"
            << QStringList{QString::fromUtf8("频段一")} << 0;
        QTest::newRow("huge count")
            << QByteArray("[list1_rx]\r\nlistcount=2000000000\r\n")
            << QStringList(MaxBandEntries, QStringLiteral("400-470MHz")) << 0;
        // The receive key names in a transmit section are not its keys.
        QTest::newRow("keys of the other direction")
            << QByteArray("[list1_rx]\r\nlist2count=1\r\ncom2bo0=A\r\n")
            << QStringList{"400-470MHz"} << 0;
    }

    void bandLists()
    {
        QFETCH(QByteArray, content);
        QFETCH(QStringList, entries);
        QFETCH(int, chosen);
        writeFile(iniPath(), content);
        BandRanges bands;
        bands.list1_rx.append(QStringLiteral("left from before"));
        loadInto(SettingsFile(), bands);
        QCOMPARE(bands.list1_rx.entries(), entries);
        QCOMPARE(bands.list1_rx.chosenIndex(), chosen);
        QCOMPARE(bands.list2_tx.entries(), QStringList{QStringLiteral("400-470MHz")});
    }

    void transmitListsUseTheirOwnKeys()
    {
        writeFile(iniPath(),
                  "[list1_tx]\r\nlist2count=2\r\ncom2bo0=A\r\ncom2bo1=B\r\nlist2now=1\r\n"
                  "[list2_rx]\r\nlistcount=1\r\ncombo0=C\r\nlistnow=0\r\n"
                  "[list2_tx]\r\nlist2count=1\r\ncom2bo0=D\r\nlist2now=0\r\n");
        SettingsFile file;
        BandRanges bands;
        const AppSettings settings = loadInto(file, bands);
        QCOMPARE(bands.list1_tx.chosenText(), QStringLiteral("B"));
        QCOMPARE(bands.list2_rx.chosenText(), QStringLiteral("C"));
        QCOMPARE(bands.list2_tx.chosenText(), QStringLiteral("D"));
        bands.list2_tx.choose(-1);
        QVERIFY(saveAppSettings(file, withBands(settings, bands)).ok);
        QCOMPARE(sectionLines(iniPath(), "[list2_tx]"),
                 QList<QByteArray>({"[list2_tx]", "list2count=1", "com2bo0=D", "list2now=-1"}));
    }

    void integers_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<int>("value"); // 42: the default, the text is no integer
        QTest::newRow("decimal") << QByteArray("12") << 12;
        QTest::newRow("negative") << QByteArray("-1") << -1;
        QTest::newRow("0x") << QByteArray("0x3") << 3;
        QTest::newRow("0X upper case") << QByteArray("0X1f") << 31;
        QTest::newRow("dollar") << QByteArray("$2") << 2;
        QTest::newRow("dollar hex digits") << QByteArray("$fF") << 255;
        QTest::newRow("hex all ones") << QByteArray("0xFFFFFFFF") << -1;
        QTest::newRow("largest") << QByteArray("2147483647") << INT_MAX;
        QTest::newRow("smallest") << QByteArray("-2147483648") << INT_MIN;
        QTest::newRow("blanks around") << QByteArray("  7  ") << 7;
        QTest::newRow("too large") << QByteArray("2147483648") << 42;
        QTest::newRow("hex too large") << QByteArray("0x100000000") << 42;
        QTest::newRow("trailing letter") << QByteArray("3x") << 42;
        QTest::newRow("letters") << QByteArray("abc") << 42;
        QTest::newRow("empty") << QByteArray("") << 42;
        QTest::newRow("sign only") << QByteArray("-") << 42;
        QTest::newRow("0x only") << QByteArray("0x") << 42;
        QTest::newRow("dollar only") << QByteArray("$") << 42;
        QTest::newRow("plus") << QByteArray("+3") << 42;
        QTest::newRow("negative hex") << QByteArray("-0x3") << 42;
        QTest::newRow("fraction") << QByteArray("1.5") << 42;
        QTest::newRow("blank inside") << QByteArray("1 2") << 42;
    }

    void integers()
    {
        QFETCH(QByteArray, text);
        QFETCH(int, value);
        writeFile(iniPath(), "[t]\r\nk=" + text + "\r\n");
        QCOMPARE(SettingsFile().readInteger(QStringLiteral("t"), QStringLiteral("k"), 42), value);
    }

    void namesIgnoreCase()
    {
        writeFile(iniPath(), "[OPEN]\r\nCOM=3\r\nSkin=2\r\n"
                             "[List1_RX]\r\nListCount=1\r\nCOMBO0=136-174MHz\r\nLISTNOW=0\r\n");
        SettingsFile file;
        BandRanges bands;
        AppSettings settings = loadInto(file, bands);
        QCOMPARE(settings.port, 3);
        QCOMPARE(settings.skin, Skin::Steel);
        QCOMPARE(bands.list1_rx.entries(), QStringList{QStringLiteral("136-174MHz")});
        QCOMPARE(bands.list1_rx.chosenIndex(), 0);

        // Writing finds the same keys: no second section or key appears.
        settings.port = 4;
        QVERIFY(saveAppSettings(file, settings).ok);
        const QList<QByteArray> lines = keyLines(iniPath());
        QCOMPARE(lines.mid(0, 3), QList<QByteArray>({"[OPEN]", "COM=4", "Skin=2"}));
        QCOMPARE(lines.mid(3, 4), QList<QByteArray>({"[List1_RX]", "ListCount=1",
                                                     "COMBO0=136-174MHz", "LISTNOW=0"}));
        QVERIFY(!lines.contains("[open]"));
        QVERIFY(!lines.contains("[list1_rx]"));
    }

    void bandFromAChannelFileIsKept()
    {
        writeFile(iniPath(), "[list1_rx]\r\nlistnow=0\r\nlistcount=1\r\ncombo0=400-470MHz\r\n");
        RadioData data;
        SettingsFile file;
        const AppSettings settings = loadInto(file, data.bands);

        QByteArray bytes = fixture(QStringLiteral("example.r07"));
        bytes.replace("BAND 400-470MHz", "BAND 136-174MHz");
        const QString channelPath = m_folder->path(QStringLiteral("band.r07"));
        writeFile(channelPath, bytes);
        QVERIFY(openChannelFile(channelPath, data).ok);

        QVERIFY(saveAppSettings(file, withBands(settings, data.bands)).ok);
        QCOMPARE(sectionLines(iniPath(), "[list1_rx]"),
                 QList<QByteArray>({"[list1_rx]", "listnow=1", "listcount=2", "combo0=400-470MHz",
                                    "combo1=136-174MHz"}));

        BandRanges next;
        loadInto(SettingsFile(), next);
        QCOMPARE(next.list1_rx.entries(),
                 QStringList({QStringLiteral("400-470MHz"), QStringLiteral("136-174MHz")}));
        QCOMPARE(next.list1_rx.chosenText(), QStringLiteral("136-174MHz"));
    }

    void keepsWhatItDoesNotKnow()
    {
        const QByteArray gbkText = toGbk(QString::fromUtf8("频段"));
        writeFile(iniPath(),
                  "; written by hand\r\n[ports]\r\nCOM1=/dev/ttyACM0\r\n"
                  "[x]\r\ntext=" +
                      gbkText +
                      "\r\n"
                      "[list1_rx]\r\nlistcount=3\r\ncombo0=A\r\ncombo1=B\r\ncombo2=C\r\n");
        SettingsFile file;
        BandRanges bands;
        AppSettings settings = loadInto(file, bands);
        QCOMPARE(settings.portDevices[0], QStringLiteral("/dev/ttyACM0"));
        QCOMPARE(settings.portDevices[1], QString());
        QCOMPARE(file.readString(QStringLiteral("X"), QStringLiteral("TEXT")),
                 QString::fromUtf8("频段"));

        bands.list1_rx.clear();
        bands.list1_rx.append(QStringLiteral("A"));
        bands.list1_rx.choose(0);
        // Of the port map only an entry given a device of its own is
        // written; the hand-written entry stays as it was, and entries
        // nobody assigned stay out of the file.
        settings.portDevices[1] = QStringLiteral("/dev/ttyUSB7");
        settings.port = 2;
        settings.skin = Skin::Coffee;
        QVERIFY(saveAppSettings(file, withBands(settings, bands)).ok);
        const QList<QByteArray> lines = keyLines(iniPath());
        QVERIFY(lines.contains("; written by hand"));
        QVERIFY(lines.contains("COM1=/dev/ttyACM0"));
        QVERIFY(lines.contains("text=" + gbkText));
        // Entry keys beyond the shorter count stay, unread.
        QVERIFY(lines.contains("listcount=1"));
        QVERIFY(lines.contains("combo1=B"));
        QVERIFY(lines.contains("combo2=C"));
        QVERIFY(lines.contains("COM2=/dev/ttyUSB7"));
        QVERIFY(!readFile(iniPath()).contains("COM3"));
        QVERIFY(!readFile(iniPath()).contains("COM4"));
        BandRanges next;
        loadInto(SettingsFile(), next);
        QCOMPARE(next.list1_rx.entries(), QStringList{QStringLiteral("A")});
    }

    void configuredPorts()
    {
        writeFile(iniPath(), "[Ports]\r\ncom3= /dev/ttyS0 \r\nCOM4=\r\n");
        const AppSettings settings = loadAppSettings(SettingsFile());
        QCOMPARE(settings.portDevices,
                 (std::array<QString, 4>{QString(), QString(), QStringLiteral("/dev/ttyS0"),
                                         QString()}));
    }

    void options_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<bool>("defaultValue");
        QTest::addColumn<bool>("value");
        QTest::newRow("missing, default off") << QByteArray() << false << false;
        QTest::newRow("missing, default on") << QByteArray() << true << true;
        QTest::newRow("1") << QByteArray("[options]\nverify=1\n") << false << true;
        QTest::newRow("0") << QByteArray("[options]\nverify=0\n") << true << false;
        QTest::newRow("true") << QByteArray("[Options]\nVerify=TRUE\n") << false << true;
        QTest::newRow("false") << QByteArray("[options]\nverify=false\n") << true << false;
        QTest::newRow("hex zero") << QByteArray("[options]\nverify=0x0\n") << true << false;
        QTest::newRow("other text") << QByteArray("[options]\nverify=yes\n") << false << false;
    }

    void options()
    {
        QFETCH(QByteArray, content);
        QFETCH(bool, defaultValue);
        QFETCH(bool, value);
        if (!content.isEmpty())
            writeFile(iniPath(), content);
        SettingsFile file;
        QCOMPARE(file.readBool(OptionsSection, VerifyKey, defaultValue), value);

        QVERIFY(file.writeBool(OptionsSection, VerifyKey, !value));
        QCOMPARE(SettingsFile().readBool(OptionsSection, VerifyKey, value), !value);
        QVERIFY(keyLines(iniPath()).contains(!value ? "verify=1" : "verify=0") ||
                keyLines(iniPath()).contains(!value ? "Verify=1" : "Verify=0"));
    }

    void valuesStayOneLine()
    {
        SettingsFile file;
        QVERIFY(file.writeString(QStringLiteral("list1_rx"), QStringLiteral("combo0"),
                                 QStringLiteral("400-470MHz\r\nlistcount=9")));
        QCOMPARE(keyLines(iniPath()),
                 QList<QByteArray>({"[list1_rx]", "combo0=400-470MHz  listcount=9"}));
    }

    void unableToWrite()
    {
        const QString plain = m_folder->path(QStringLiteral("plain"));
        writeFile(plain, "not a folder");
        setProgramFolder(plain);
        SettingsFile file;
        AppSettings settings = loadAppSettings(file);
        QCOMPARE(settings.port, 1);
        settings.port = 2;
        const SettingsSaveResult result = saveAppSettings(file, settings);
        QVERIFY(!result.ok);
        const QString prefix =
            QStringLiteral("Unable to write to ") +
            QDir::toNativeSeparators(QDir(plain).filePath(QStringLiteral("myini.ini"))) +
            QStringLiteral(": ");
        QVERIFY2(result.message.startsWith(prefix) && result.message.size() > prefix.size(),
                 qPrintable(result.message));
        QCOMPARE(readFile(plain), QByteArray("not a folder"));
    }

#ifdef Q_OS_UNIX
    // Each key is written at once: when one cannot be written (here a file
    // size limit, which binds root too), the keys before it are in a whole,
    // readable file and the later ones keep their old values.
    void keysBeforeAFailureStay()
    {
        writeFile(iniPath(), "[open]\ncom=1\nskin=1\n[list2_tx]\nlist2count=1\ncom2bo0=OLD\n");
        SettingsFile file;
        AppSettings settings = loadAppSettings(file);
        settings.port = 3;
        settings.skin = Skin::Steel;
        settings.bandLists[3] = {{QStringLiteral("NEW")}, -1};

        std::optional<FileSizeLimit> limit(std::in_place, 100);
        QVERIFY(limit->isSet());
        const SettingsSaveResult result = saveAppSettings(file, settings);
        limit.reset();

        QVERIFY(!result.ok);
        QCOMPARE(result.message, QStringLiteral("Unable to write to ") + iniPath() +
                                     QStringLiteral(": ") +
                                     QString::fromLocal8Bit(strerror(EFBIG)));
        QVERIFY(readFile(iniPath()).size() <= 100);
        QVERIFY(readFile(iniPath()).endsWith('\n'));
        SettingsFile after;
        QCOMPARE(loadAppSettings(after).port, 3);
        QCOMPARE(loadAppSettings(after).skin, Skin::Steel);
        QCOMPARE(after.readString(QStringLiteral("list2_tx"), QStringLiteral("com2bo0")),
                 QStringLiteral("OLD"));
        QVERIFY(!after.readString(QStringLiteral("list1_rx"), QStringLiteral("listnow")).isNull());
        QCOMPARE(QDir(m_folder->path()).entryList(QDir::Files),
                 QStringList{QStringLiteral("myini.ini")});
    }
#endif
};

QTEST_GUILESS_MAIN(TestSettingsFile)
#include "tst_settingsfile.moc"
