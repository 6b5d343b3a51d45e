#pragma once

#include <QString>
#include <QStringList>

#include <array>

class BandRanges;
class SettingsFile;

// What the program remembers between runs in its settings file "myini.ini":
//
//   [open]      com=1..4  skin=1..3
//   [list1_rx]  listnow  listcount   combo0 ...   (list2_rx the same)
//   [list1_tx]  list2now list2count  com2bo0 ...  (list2_tx the same)
//   [ports]     COM1..COM4 = the device behind each port entry
//   [options]   verify = 1/0  backupfirst = 1/0
//
// The receive lists use listnow/listcount/comboN, the transmit lists
// list2now/list2count/com2boN, whatever the band.

// The band text of a stored entry that has no key, and the radio's band.
inline const QString DefaultBandRange = QStringLiteral("400-470MHz");

// Section and key of the "Verify after writing" option.
inline const QString OptionsSection = QStringLiteral("options");
inline const QString VerifyKey = QStringLiteral("verify");
// Key of the "Back up the radio before writing" option, in OptionsSection.
inline const QString BackupFirstKey = QStringLiteral("backupfirst");

// The port entries COM1-COM4.
constexpr int PortCount = 4;
// At most this many entries of a band range list are read.
constexpr int MaxBandEntries = 256;

// The three skins, stored by number.
enum class Skin {
    Blue = 1,   // "蓝色一族"
    Steel = 2,  // "钢板"
    Coffee = 3, // "咖啡"
};
constexpr int SkinCount = 3;

// One band range list as stored: its entries and the chosen index (-1 when
// nothing is chosen).
struct StoredBandList
{
    QStringList entries;
    int chosen = -1;

    bool operator==(const StoredBandList &) const = default;
};

// Everything the settings file holds for the program.
struct AppSettings
{
    // The chosen port entry, 1-4 ("COM1" ... "COM4").
    int port = 1;
    Skin skin = Skin::Blue;
    // list1_rx, list1_tx, list2_rx, list2_tx.
    std::array<StoredBandList, 4> bandLists;
    bool verifyAfterWriting = false;
    bool backupBeforeWriting = false;
    // [ports]: the device assigned to each port entry (COM1-COM4), blanks
    // around it removed; empty when none is, and the entry then opens the
    // serial link's default device (portDeviceName).
    std::array<QString, PortCount> portDevices;

    bool operator==(const AppSettings &) const = default;
};

// Reads the settings, with the file's defaults for whatever is missing:
// - com and skin from [open], default 1 each; a number without a menu entry
//   (only a hand edit makes one) gives 1 and a line in *warnings, and the
//   file is put right at the next save. Integers may be decimal or
//   hexadecimal ("0x", "$"); any other text counts as missing.
// - each band range list: count entries (at most MaxBandEntries), each
//   entry's text (default "400-470MHz"), then the stored chosen index; an
//   index the list does not have leaves nothing chosen. A list the file gives
//   no entries (count 0 or less, or no file at all) gets the one entry
//   "400-470MHz", chosen, so a first run can add channels and write the
//   radio.
// - the verify and backup-first options, each off when missing or not a
//   yes/no value (SettingsFile::readBool); the [ports] map.
AppSettings loadAppSettings(const SettingsFile &file, QStringList *warnings = nullptr);

// What a save came to.
struct SettingsSaveResult
{
    bool ok = false;
    QString message; // "Unable to write to <full path>: <reason>" when !ok
};

// Writes, key by key and each at once, to the file as it is now on disk
// (so that a hand edit made during the run is kept): com and skin in
// [open]; then for list1_rx, list1_tx, list2_rx, list2_tx the chosen index,
// the count and every entry in list order; then [options] verify and
// backupfirst as 1 or 0; then in [ports] each COMn whose device differs from
// the file's (blanks aside): a file that names no device keeps no [ports]
// until one is assigned. Nothing is removed: entry keys beyond a shorter
// count stay. The first key that cannot be written stops the save; the keys
// before it are in the file.
SettingsSaveResult saveAppSettings(SettingsFile &file, const AppSettings &settings);

// The band range lists as stored, and back: filling drops what the lists
// held, appends the stored entries and chooses the stored index, list by
// list (so each restored choice raises the lists' chosenTextChanged).
std::array<StoredBandList, 4> storedBandLists(const BandRanges &bands);
void fillBandRanges(BandRanges &bands, const std::array<StoredBandList, 4> &lists);
