#include "storage/appsettings.h"

#include "model/bandranges.h"
#include "storage/settingsfile.h"

namespace {

const QString OpenSection = QStringLiteral("open");
const QString ComKey = QStringLiteral("com");
const QString SkinKey = QStringLiteral("skin");
const QString PortsSection = QStringLiteral("ports");

// The sections of the four band range lists, in the order of
// AppSettings::bandLists.
const QString BandSections[] = {QStringLiteral("list1_rx"), QStringLiteral("list1_tx"),
                                QStringLiteral("list2_rx"), QStringLiteral("list2_tx")};

// The key names of one list: they follow the direction, not the band.
struct ListKeys
{
    QString now;
    QString count;
    QString entry; // followed by the entry number in decimal
};

ListKeys keysOf(const QString &section)
{
    if (section.endsWith(QStringLiteral("_rx")))
        return {QStringLiteral("listnow"), QStringLiteral("listcount"), QStringLiteral("combo")};
    return {QStringLiteral("list2now"), QStringLiteral("list2count"), QStringLiteral("com2bo")};
}

int checkedChoice(const SettingsFile &file, const QString &key, int count, const QString &what,
                  QStringList *warnings)
{
    const int stored = file.readInteger(OpenSection, key, 1);
    if (stored >= 1 && stored <= count)
        return stored;
    if (warnings)
        warnings->append(QStringLiteral("The stored %1 %2 does not exist; %1 1 is used instead")
                             .arg(what)
                             .arg(stored));
    return 1;
}

StoredBandList loadBandList(const SettingsFile &file, const QString &section)
{
    const ListKeys keys = keysOf(section);
    const int count = qMin(file.readInteger(section, keys.count, 0), MaxBandEntries);
    // The radio's own band, so that auto add and writing work before any
    // range was ever stored.
    if (count <= 0)
        return {{DefaultBandRange}, 0};
    StoredBandList list;
    for (int n = 0; n < count; ++n)
        list.entries.append(
            file.readString(section, keys.entry + QString::number(n), DefaultBandRange));
    const int chosen = file.readInteger(section, keys.now, 0);
    list.chosen = chosen >= 0 && chosen < count ? chosen : -1;
    return list;
}

} // namespace

AppSettings loadAppSettings(const SettingsFile &file, QStringList *warnings)
{
    AppSettings settings;
    settings.port = checkedChoice(file, ComKey, PortCount, QStringLiteral("port"), warnings);
    settings.skin = Skin(checkedChoice(file, SkinKey, SkinCount, QStringLiteral("skin"), warnings));
    for (int i = 0; i < 4; ++i)
        settings.bandLists[i] = loadBandList(file, BandSections[i]);
    settings.verifyAfterWriting = file.readBool(OptionsSection, VerifyKey, false);
    settings.backupBeforeWriting = file.readBool(OptionsSection, BackupFirstKey, false);
    for (int port = 1; port <= PortCount; ++port)
        settings.portDevices[port - 1] =
            file.readString(PortsSection, QStringLiteral("COM%1").arg(port)).trimmed();
    return settings;
}

SettingsSaveResult saveAppSettings(SettingsFile &file, const AppSettings &settings)
{
    file.reload();
    SettingsSaveResult result;
    auto fail = [&]() {
        result.message = file.errorString();
        return result;
    };
    if (!file.writeInteger(OpenSection, ComKey, settings.port) ||
        !file.writeInteger(OpenSection, SkinKey, int(settings.skin)))
        return fail();
    for (int i = 0; i < 4; ++i) {
        const StoredBandList &list = settings.bandLists[i];
        const QString &section = BandSections[i];
        const ListKeys keys = keysOf(section);
        if (!file.writeInteger(section, keys.now, list.chosen) ||
            !file.writeInteger(section, keys.count, int(list.entries.size())))
            return fail();
        for (int n = 0; n < list.entries.size(); ++n)
            if (!file.writeString(section, keys.entry + QString::number(n), list.entries.at(n)))
                return fail();
    }
    if (!file.writeBool(OptionsSection, VerifyKey, settings.verifyAfterWriting) ||
        !file.writeBool(OptionsSection, BackupFirstKey, settings.backupBeforeWriting))
        return fail();
    for (int port = 1; port <= PortCount; ++port) {
        // A port entry the file does not name and nobody assigned stays out
        // of the file, and a hand-written value is not rewritten for its
        // blanks.
        const QString key = QStringLiteral("COM%1").arg(port);
        const QString &device = settings.portDevices[port - 1];
        if (file.readString(PortsSection, key).trimmed() == device)
            continue;
        if (!file.writeString(PortsSection, key, device))
            return fail();
    }
    result.ok = true;
    return result;
}

std::array<StoredBandList, 4> storedBandLists(const BandRanges &bands)
{
    std::array<StoredBandList, 4> lists;
    const std::array<const BandRangeList *, 4> all = bands.all();
    for (int i = 0; i < 4; ++i)
        lists[i] = {all[i]->entries(), all[i]->chosenIndex()};
    return lists;
}

void fillBandRanges(BandRanges &bands, const std::array<StoredBandList, 4> &lists)
{
    const std::array<BandRangeList *, 4> all = bands.all();
    for (int i = 0; i < 4; ++i) {
        all[i]->clear();
        for (const QString &entry : lists[i].entries)
            all[i]->append(entry);
        all[i]->choose(lists[i].chosen);
    }
}
