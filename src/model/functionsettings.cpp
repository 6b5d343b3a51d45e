#include "model/functionsettings.h"

#include <QHash>

namespace {

QStringList digits(int first, int last)
{
    QStringList list;
    for (int i = first; i <= last; ++i)
        list << QString::number(i);
    return list;
}

const std::array<SettingInfo, SettingCount> &infos()
{
    const QString on = QStringLiteral("启用");
    const QString off = QStringLiteral("禁用");
    // clang-format off
    static const std::array<SettingInfo, SettingCount> table{{
        {"APO", {on, off}, 1},
        {"BEEP", {off, on}, 1},
        {"BatSave", {off, on}, 1},
        {"scankind", {"CO", "TO"}, 1},
        {"Ring", {off, on}, 1},
        {"Scramble", {on, off}, 1},
        {"VFO/MR", {"MR", "VFO."}, 1},
        {"MR freq./MR CH", {"MR CH", "MR freq."}, 1},
        {"Squelch", digits(0, 9), 2},
        {"VoxControl", {"OFF", "1", "2", "3", "4"}, 0},
        {"TxT.O.T", {"OFF", "1分钟", "2分钟", "3分钟", "4分钟", "5分钟", "6分钟", "7分钟"}, 4},
        {"keyswitch", {on, off}, 1},
        {"Switch.U.P", {on, off}, 1},
        {"DownFreq", {on, off}, 1},
        {"BroadBand", {"窄带", "宽带"}, 1},
        {"SpreadFreq", {off, on}, 0},
        {"band", {"频段2", "频段1"}, 0},
        {"Freq.Step", {"5kHz", "6.25kHZ", "10kHz", "12.5kHz", "20kHz", "25kHz"}, 5},
        {"Txlight", digits(1, 8), 1},
        {"Rxlight", digits(1, 8), 3},
    }};
    // clang-format on
    return table;
}

} // namespace

const SettingInfo &settingInfo(Setting setting)
{
    return infos()[static_cast<int>(setting)];
}

std::optional<Setting> settingByName(const QString &name)
{
    for (Setting s : allSettings())
        if (settingInfo(s).name == name)
            return s;
    return std::nullopt;
}

const std::array<Setting, SettingCount> &allSettings()
{
    static const std::array<Setting, SettingCount> all = [] {
        std::array<Setting, SettingCount> a{};
        for (int i = 0; i < SettingCount; ++i)
            a[i] = static_cast<Setting>(i);
        return a;
    }();
    return all;
}

FunctionSettings::FunctionSettings(QObject *parent) : QObject(parent)
{
    for (Setting s : allSettings()) {
        State &state = m_states[static_cast<int>(s)];
        state.choices = settingInfo(s).choices;
        state.index = settingInfo(s).defaultIndex;
    }
    m_states[static_cast<int>(Setting::band)].enabled = false;
}

int FunctionSettings::index(Setting setting) const
{
    return m_states[static_cast<int>(setting)].index;
}

QString FunctionSettings::shownText(Setting setting) const
{
    const State &state = m_states[static_cast<int>(setting)];
    return state.choices.value(state.index);
}

bool FunctionSettings::setIndex(Setting setting, int index)
{
    State &state = m_states[static_cast<int>(setting)];
    if (index < 0 || index >= state.choices.size())
        return false;
    if (state.index == index)
        return true;
    const QString before = shownText(setting);
    state.index = index;
    emit indexChanged(setting);
    notifyShownText(setting, before);
    return true;
}

QStringList FunctionSettings::choices(Setting setting) const
{
    return m_states[static_cast<int>(setting)].choices;
}

void FunctionSettings::setChoices(Setting setting, const QStringList &choices)
{
    State &state = m_states[static_cast<int>(setting)];
    const QString before = shownText(setting);
    const int oldIndex = state.index;
    state.choices = choices;
    if (state.index >= choices.size())
        state.index = -1;
    emit choicesChanged(setting);
    if (state.index != oldIndex)
        emit indexChanged(setting);
    notifyShownText(setting, before);
}

bool FunctionSettings::isEnabled(Setting setting) const
{
    return m_states[static_cast<int>(setting)].enabled;
}

void FunctionSettings::setEnabled(Setting setting, bool enabled)
{
    State &state = m_states[static_cast<int>(setting)];
    if (state.enabled == enabled)
        return;
    state.enabled = enabled;
    emit enabledChanged(setting);
}

void FunctionSettings::restoreDefaults()
{
    // The order of the new command: band last, after SpreadFreq's rule.
    static const Setting order[] = {
        Setting::APO,        Setting::BEEP,       Setting::BatSave,   Setting::scankind,
        Setting::Ring,       Setting::Scramble,   Setting::VFO_MR,    Setting::MRfreq_MRCH,
        Setting::Squelch,    Setting::VoxControl, Setting::TxT_O_T,   Setting::keyswitch,
        Setting::Switch_U_P, Setting::DownFreq,   Setting::BroadBand, Setting::SpreadFreq,
        Setting::Freq_Step,  Setting::Txlight,    Setting::Rxlight,   Setting::band};
    for (Setting s : order)
        setIndex(s, settingInfo(s).defaultIndex);
}

void FunctionSettings::notifyShownText(Setting setting, const QString &before)
{
    if (shownText(setting) == before)
        return;
    emit shownTextChanged(setting);
    if (setting == Setting::SpreadFreq)
        applySpreadFreqRule();
}

void FunctionSettings::applySpreadFreqRule()
{
    // Only while the key frequency-expansion function is on can a band be
    // chosen; switching it off puts the band back to its first choice.
    if (index(Setting::SpreadFreq) != 0) {
        setEnabled(Setting::band, true);
    } else {
        setIndex(Setting::band, 0);
        setEnabled(Setting::band, false);
    }
}
