#pragma once

#include <QString>
#include <QStringList>

class BandRanges;
class SettingsFile;

// What the program remembers between runs in its settings file "myini.ini":
//
//   [open]      com=1..4  skin=1..3
//   [list1_rx]  listnow  listcount   combo0 ...   (list2_rx the same)
//   [list1_tx]  list2now list2count  com2bo0 ...  (list2_tx the same)
//   [ports]     COM1..COM4 = the device behind each port entry
//   [options]   verify = 1/0 and later yes/no options
//
// The receive lists use listnow/listcount/comboN, the transmit lists
// list2now/list2count/com2boN, whatever the band.

// The band text of a stored entry that has no key, and the radio's band.
inline const QString DefaultBandRange = QStringLiteral("400-470MHz");

// Section and key of the "Verify after writing" option.
inline const QString OptionsSection = QStringLiteral("options");
inline const QString VerifyKey = QStringLiteral("verify");

// The port and skin to activate at start-up, in this order (port command,
// then skin command), exactly as if the user had picked them.
struct StartupChoices
{
    int com = 1;  // 1-4
    int skin = 1; // 1-3
    // A stored number without a menu entry (only a hand edit makes one): the
    // start-up default is used instead and the file is put right at the
    // next save.
    QStringList warnings;
};

// Reads com and skin from [open] (default 1 each). A number outside 1-4 or
// 1-3 gives 1.
StartupChoices readStartupChoices(const SettingsFile &file);

// Fills the four band range lists from their sections (any entries they
// held are dropped first): count entries, each entry's text (default
// "400-470MHz"), then the stored chosen index; an index the list does not
// have leaves nothing chosen. A list the file gives no entries (count 0 or
// less, or no file at all) gets the one entry "400-470MHz", chosen, so a
// first run can add channels and write the radio. At most MaxBandEntries
// entries are read.
void loadBandRanges(const SettingsFile &file, BandRanges &bands);
constexpr int MaxBandEntries = 256;

// readStartupChoices() then loadBandRanges(): the start-up load. The caller
// performs the port command, then the skin command of the result.
StartupChoices loadSettings(const SettingsFile &file, BandRanges &bands);

// What a save came to.
struct SettingsSaveResult
{
    bool ok = false;
    QString message; // "Unable to write to <full path>" when !ok
};

// Writes, key by key and each at once: com and skin in [open], then for
// list1_rx, list1_tx, list2_rx, list2_tx the chosen index (-1 when nothing
// is chosen), the count and every entry in list order. Nothing is removed:
// entry keys beyond a shorter count stay. The first key that cannot be
// written stops the save; the keys before it are in the file.
SettingsSaveResult saveSettings(SettingsFile &file, int com, int skin, const BandRanges &bands);

// The device the user configured for port entry n (1-4): the text of
// [ports] "COM<n>" with surrounding blanks removed; empty when the key is
// missing or empty. The default devices are the serial link's business
// (portDeviceName), so this only reports what the file says.
QString configuredPortPath(const SettingsFile &file, int port);

// The "Verify after writing" option: [options] verify, off when missing or
// not a yes/no value (SettingsFile::readBool).
bool readVerifyOption(const SettingsFile &file);
// Writes it as 1 or 0 at once; false when the file cannot be written
// (file.errorString() says why).
bool saveVerifyOption(SettingsFile &file, bool verify);
