#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

#include <array>
#include <optional>

// The twenty function settings in their canonical order (the order of the
// channel file). The value of a setting is the index of its choice, never
// the text: the texts depend on the language.
enum class Setting {
    APO,
    BEEP,
    BatSave,
    scankind,
    Ring,
    Scramble,
    VFO_MR,      // "VFO/MR"
    MRfreq_MRCH, // "MR freq./MR CH"
    Squelch,
    VoxControl,
    TxT_O_T, // "TxT.O.T"
    keyswitch,
    Switch_U_P, // "Switch.U.P"
    DownFreq,
    BroadBand,
    SpreadFreq,
    band,
    Freq_Step, // "Freq.Step"
    Txlight,
    Rxlight,
};
constexpr int SettingCount = 20;

// What never changes about a setting.
struct SettingInfo
{
    QString name;        // as in the channel file: "APO", "MR freq./MR CH", ...
    QStringList choices; // built-in choice texts
    int defaultIndex;
};

const SettingInfo &settingInfo(Setting setting);
std::optional<Setting> settingByName(const QString &name);
// All settings in canonical order, for range-for loops.
const std::array<Setting, SettingCount> &allSettings();

// The current values of the twenty settings with their choice lists.
//
// An index outside a setting's choice list is refused: setIndex() returns
// false and the setting keeps its value. So a setting always holds a valid
// choice, and nothing else can reach the radio or a channel file.
class FunctionSettings : public QObject
{
    Q_OBJECT

public:
    explicit FunctionSettings(QObject *parent = nullptr);

    int index(Setting setting) const;
    // Selects a choice. The change reaction (shownTextChanged) runs only when
    // the shown text changes. Returns false, changing nothing, for an index
    // outside the choice list.
    bool setIndex(Setting setting, int index);
    QString shownText(Setting setting) const;

    QStringList choices(Setting setting) const;
    // Replaces the choice texts keeping the index (the language load).
    void setChoices(Setting setting, const QStringList &choices);

    bool isEnabled(Setting setting) const;
    void setEnabled(Setting setting, bool enabled);

    // Every setting back to its default, in the order the new command uses.
    void restoreDefaults();

signals:
    void indexChanged(Setting setting);
    void shownTextChanged(Setting setting);
    void choicesChanged(Setting setting);
    void enabledChanged(Setting setting);

private:
    struct State
    {
        QStringList choices;
        int index = -1;
        bool enabled = true;
    };

    void notifyShownText(Setting setting, const QString &before);
    void applySpreadFreqRule();

    std::array<State, SettingCount> m_states;
};
