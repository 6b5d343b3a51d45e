// Backups and radio image files: names, order, pruning to the newest 50,
// the files' size rules, the data folder, and the verify option's key.
#include "storage/appsettings.h"
#include "storage/backups.h"
#include "storage/radioimage.h"
#include "storage/settingsfile.h"
#include "testsupport.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

namespace {

const QDateTime Start(QDate(2024, 3, 9), QTime(23, 59, 58, 7), Qt::UTC);

QStringList fileNames(const QStringList &paths)
{
    QStringList list;
    for (const QString &path : paths)
        list << QFileInfo(path).fileName();
    return list;
}

} // namespace

class TestBackups : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QCoreApplication::setApplicationName(Backups::ApplicationName);
        QStandardPaths::setTestModeEnabled(true);
    }

    // The data folder of the application, not of the test.
    void defaultFolder()
    {
        QVERIFY2(Backups::defaultFolder().endsWith(QStringLiteral("/qb380/backups")),
                 qPrintable(Backups::defaultFolder()));
    }

    // Names carry the UTC time to the millisecond; local times are
    // converted.
    void names_data()
    {
        QTest::addColumn<QDateTime>("time");
        QTest::addColumn<QString>("name");
        QTest::newRow("UTC") << Start << "backup-20240309-235958-007Z.img";
        QTest::newRow("two hours east")
            << QDateTime(QDate(2024, 3, 10), QTime(1, 59, 58, 7), Qt::OffsetFromUTC, 7200)
            << "backup-20240309-235958-007Z.img";
    }

    void names()
    {
        QFETCH(QDateTime, time);
        QFETCH(QString, name);
        QCOMPARE(Backups::fileName(time), name);
        QVERIFY(Backups::isBackupName(name));
    }

    // A backup is the image padded to 64 KiB, in a folder made on demand;
    // a second one in the same millisecond gets its own name and counts as
    // newer.
    void save()
    {
        QTemporaryDir dir;
        const QString folder = dir.filePath(QStringLiteral("a/backups"));
        QByteArray image(0x0C90, char(0x11));

        const Backups::BackupResult first = Backups::save(image, folder, Start);
        const Backups::BackupResult second = Backups::save(image, folder, Start);

        QVERIFY2(first.ok && second.ok, qPrintable(first.message + second.message));
        QCOMPARE(QFileInfo(first.path).fileName(),
                 QStringLiteral("backup-20240309-235958-007Z.img"));
        QCOMPARE(QFileInfo(second.path).fileName(),
                 QStringLiteral("backup-20240309-235958-007Z-2.img"));
        QCOMPARE(readFile(first.path), image + QByteArray(0x10000 - 0x0C90, char(0xFF)));
        QCOMPARE(Backups::list(folder), QStringList({second.path, first.path}));
    }

    // 51 backups: the oldest goes; files that are not backups stay.
    void pruning()
    {
        QTemporaryDir dir;
        const QString folder = dir.path();
        QStringList expected; // newest first
        for (int k = 0; k < 50; ++k) {
            const QString name = Backups::fileName(Start.addSecs(3600 * k));
            writeFile(dir.filePath(name), "old");
            expected.prepend(name);
        }
        const QStringList others{"backup.img", "backup-20240309-235958-007Z.bin", "notes.txt",
                                 "backup-2024-03-09.img"};
        for (const QString &other : others)
            writeFile(dir.filePath(other), "keep");

        const Backups::BackupResult result =
            Backups::save(QByteArray(0x10000, char(0)), folder, Start.addDays(10));

        QVERIFY(result.ok);
        const QString oldest = expected.takeLast();
        expected.prepend(QFileInfo(result.path).fileName());
        QCOMPARE(fileNames(result.removed), QStringList{oldest});
        QCOMPARE(fileNames(Backups::list(folder)), expected);
        QCOMPARE(Backups::list(folder).size(), Backups::Kept);
        for (const QString &other : others)
            QVERIFY2(QFile::exists(dir.filePath(other)), qPrintable(other));
        QCOMPARE(Backups::prune(folder, 2).size(), 48);
    }

    // A folder that cannot be made: nothing written, the reason told.
    void unwritableFolder()
    {
        QTemporaryDir dir;
        writeFile(dir.filePath(QStringLiteral("file")), "x");
        const Backups::BackupResult result =
            Backups::save(QByteArray(16, char(0)), dir.filePath(QStringLiteral("file/backups")));
        QVERIFY(!result.ok);
        QVERIFY2(result.message.contains(QStringLiteral("file/backups")),
                 qPrintable(result.message));
    }

    // No data folder (HOME unset): nothing is kept, and an empty folder
    // name never means the working folder, whose backup-named files stay.
    void noFolder()
    {
#ifndef Q_OS_UNIX
        QSKIP("the user's folders come from HOME on Unix only");
#endif
        QTemporaryDir dir;
        const QString name = Backups::fileName(Start);
        writeFile(dir.filePath(name), "x");
        const QString before = QDir::currentPath();
        QVERIFY(QDir::setCurrent(dir.path()));
        const QByteArray old = qgetenv("HOME");
        qunsetenv("HOME");
        const QString folder = Backups::defaultFolder();
        const QString problem = Backups::folderProblem();
        const Backups::BackupResult result = Backups::save(QByteArray(16, char(0)), folder);
        const QStringList listed = Backups::list(folder);
        const QStringList removed = Backups::prune(folder, 0);
        qputenv("HOME", old);
        QDir::setCurrent(before);

        QCOMPARE(folder, QString());
        QCOMPARE(problem,
                 QStringLiteral("HOME is not set, so there is no folder to keep backups in"));
        QVERIFY(!result.ok);
        QCOMPARE(result.message, problem);
        QCOMPARE(listed, QStringList());
        QCOMPARE(removed, QStringList());
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{name});
    }

    // Image files of other tools may be shorter; nothing longer than the
    // memory, and nothing that does not reach past the settings block.
    void imageFile_data()
    {
        QTest::addColumn<int>("size"); // -1: no file
        QTest::addColumn<QString>("message");
        QTest::newRow("64 KiB") << 0x10000 << "";
        QTest::newRow("to the end of the settings block") << 0x0C88 << "";
        QTest::newRow("one byte short")
            << 0x0C87 << "The file is too short for a radio image (3207 bytes; at least 3208)";
        QTest::newRow("empty")
            << 0 << "The file is too short for a radio image (0 bytes; at least 3208)";
        QTest::newRow("one byte long")
            << 0x10001 << "The file is larger than a radio image (64 KiB)";
        QTest::newRow("missing") << -1 << "(the system's text)";
    }

    void imageFile()
    {
        QFETCH(int, size);
        QFETCH(QString, message);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("radio.img"));
        QByteArray bytes;
        for (int k = 0; k < size; ++k)
            bytes.append(char(k * 7));
        if (size >= 0)
            writeFile(path, bytes);

        const RadioImageFile file = readRadioImageFile(path);

        QCOMPARE(file.ok, message.isEmpty());
        if (size < 0)
            QVERIFY(!file.message.isEmpty());
        else
            QCOMPARE(file.message, message);
        if (file.ok)
            QCOMPARE(file.image, bytes + QByteArray(0x10000 - size, char(0xFF)));
    }

    // [options] verify: off until set, then kept as 1 or 0.
    void verifyOption()
    {
        QTemporaryDir dir;
        SettingsFile file(dir.filePath(QStringLiteral("myini.ini")));
        AppSettings settings = loadAppSettings(file);
        QVERIFY(!settings.verifyAfterWriting);
        settings.verifyAfterWriting = true;
        QVERIFY(saveAppSettings(file, settings).ok);
        QVERIFY(loadAppSettings(SettingsFile(file.path())).verifyAfterWriting);
        QVERIFY(readFile(file.path()).contains("verify=1"));
        settings.verifyAfterWriting = false;
        QVERIFY(saveAppSettings(file, settings).ok);
        QVERIFY(!loadAppSettings(SettingsFile(file.path())).verifyAfterWriting);
    }
};

QTEST_GUILESS_MAIN(TestBackups)
#include "tst_backups.moc"
