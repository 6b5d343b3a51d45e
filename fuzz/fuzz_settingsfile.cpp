// The settings file may have been edited by hand. Whatever it holds, the
// start-up load must neither crash nor give choices outside their ranges,
// and writing one key must leave everything else in the file as it read.
#include "fuzzsupport.h"
#include "model/bandranges.h"
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

struct Loaded
{
    StartupChoices choices;
    QList<std::pair<QStringList, int>> lists;
    QStringList ports;
    bool verify = false;

    friend bool operator==(const Loaded &a, const Loaded &b)
    {
        return a.choices.com == b.choices.com && a.choices.skin == b.choices.skin &&
               a.lists == b.lists && a.ports == b.ports && a.verify == b.verify;
    }
};

Loaded load(const SettingsFile &file)
{
    Loaded loaded;
    BandRanges bands;
    loaded.choices = loadSettings(file, bands);
    for (const BandRangeList *list :
         {&bands.list1_rx, &bands.list1_tx, &bands.list2_rx, &bands.list2_tx})
        loaded.lists.append({list->entries(), list->chosenIndex()});
    for (int port = 1; port <= 4; ++port)
        loaded.ports << configuredPortPath(file, port);
    loaded.verify = file.readBool(OptionsSection, VerifyKey, true);
    return loaded;
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
    const Loaded before = load(file);
    FUZZ_CHECK(before.choices.com >= 1 && before.choices.com <= 4);
    FUZZ_CHECK(before.choices.skin >= 1 && before.choices.skin <= 3);
    for (const auto &[entries, chosen] : before.lists) {
        FUZZ_CHECK(!entries.isEmpty() && entries.size() <= MaxBandEntries);
        FUZZ_CHECK(chosen >= -1 && chosen < entries.size());
    }

    // The key the program writes most: a port choice the file already has
    // must stay, and nothing else may change. Not covered: a UTF-8
    // byte-order mark after the start of the file. The INI parser skips one
    // only at the very start, and a rewrite drops lines it cannot parse, so
    // a mark behind such a line can move to the start and let the line after
    // it read as a section header.
    if (inputBytes(data, size).indexOf("\xEF\xBB\xBF", 1) < 0) {
        FUZZ_CHECK(
            file.writeInteger(QStringLiteral("open"), QStringLiteral("com"), before.choices.com));
        SettingsFile reread(path);
        FUZZ_CHECK(load(reread) == before);
    }
    QFile::remove(path);
    return 0;
}
