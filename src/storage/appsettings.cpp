#include "storage/appsettings.h"

#include "model/bandranges.h"
#include "storage/settingsfile.h"

namespace {

const QString OpenSection = QStringLiteral("open");
const QString ComKey = QStringLiteral("com");
const QString SkinKey = QStringLiteral("skin");
const QString PortsSection = QStringLiteral("ports");

constexpr int PortCount = 4;
constexpr int SkinCount = 3;

// The key names of one list: they follow the direction, not the band.
struct ListKeys
{
    QString now;
    QString count;
    QString entry; // followed by the entry number in decimal
};

ListKeys keysOf(const BandRangeList &list)
{
    if (list.name().endsWith(QStringLiteral("_rx")))
        return {QStringLiteral("listnow"), QStringLiteral("listcount"), QStringLiteral("combo")};
    return {QStringLiteral("list2now"), QStringLiteral("list2count"), QStringLiteral("com2bo")};
}

int checkedChoice(const SettingsFile &file, const QString &key, int count, const QString &what,
                  QStringList *warnings)
{
    const int stored = file.readInteger(OpenSection, key, 1);
    if (stored >= 1 && stored <= count)
        return stored;
    warnings->append(QStringLiteral("The stored %1 %2 does not exist; %1 1 is used instead")
                         .arg(what)
                         .arg(stored));
    return 1;
}

} // namespace

StartupChoices readStartupChoices(const SettingsFile &file)
{
    StartupChoices choices;
    choices.com = checkedChoice(file, ComKey, PortCount, QStringLiteral("port"), &choices.warnings);
    choices.skin =
        checkedChoice(file, SkinKey, SkinCount, QStringLiteral("skin"), &choices.warnings);
    return choices;
}

void loadBandRanges(const SettingsFile &file, BandRanges &bands)
{
    for (BandRangeList *list : bands.all()) {
        const ListKeys keys = keysOf(*list);
        const QString section = list->name();
        list->clear();
        const int count = qMin(file.readInteger(section, keys.count, 0), MaxBandEntries);
        if (count <= 0) {
            // The radio's own band, so that auto add and writing work before
            // any range was ever stored.
            list->append(DefaultBandRange);
            list->choose(0);
            continue;
        }
        for (int n = 0; n < count; ++n)
            list->append(
                file.readString(section, keys.entry + QString::number(n), DefaultBandRange));
        list->choose(file.readInteger(section, keys.now, 0));
    }
}

StartupChoices loadSettings(const SettingsFile &file, BandRanges &bands)
{
    const StartupChoices choices = readStartupChoices(file);
    loadBandRanges(file, bands);
    return choices;
}

SettingsSaveResult saveSettings(SettingsFile &file, int com, int skin, const BandRanges &bands)
{
    // Work on what the file holds now, so that anything written to it
    // during the run (a port entry edited by hand, say) is kept.
    file.reload();
    SettingsSaveResult result;
    auto fail = [&]() {
        result.message = file.errorString();
        return result;
    };
    if (!file.writeInteger(OpenSection, ComKey, com) ||
        !file.writeInteger(OpenSection, SkinKey, skin))
        return fail();
    for (const BandRangeList *list : bands.all()) {
        const ListKeys keys = keysOf(*list);
        const QString section = list->name();
        if (!file.writeInteger(section, keys.now, list->chosenIndex()) ||
            !file.writeInteger(section, keys.count, list->count()))
            return fail();
        const QStringList entries = list->entries();
        for (int n = 0; n < entries.size(); ++n)
            if (!file.writeString(section, keys.entry + QString::number(n), entries.at(n)))
                return fail();
    }
    result.ok = true;
    return result;
}

QString configuredPortPath(const SettingsFile &file, int port)
{
    return file.readString(PortsSection, QStringLiteral("COM%1").arg(port)).trimmed();
}

bool readVerifyOption(const SettingsFile &file)
{
    return file.readBool(OptionsSection, VerifyKey, false);
}

bool saveVerifyOption(SettingsFile &file, bool verify)
{
    return file.writeBool(OptionsSection, VerifyKey, verify);
}
