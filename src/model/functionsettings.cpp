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
        {"APO", "APO功能", 62, "bsSkinComboBox1", "bsSkinStdLabel1", {on, off}, 1, true},
        {"BEEP", "按键音开关", 63, "bsSkinComboBox2", "bsSkinStdLabel2", {off, on}, 1, true},
        {"BatSave", "电池省电", 64, "bsSkinComboBox3", "bsSkinStdLabel3", {off, on}, 1, true},
        {"scankind", "扫描恢复方法", 65, "bsSkinComboBox4", "bsSkinStdLabel4", {"CO", "TO"}, 1, true},
        {"Ring", "", 0, "bsSkinComboBox5", "", {off, on}, 1, false},
        {"Scramble", "扰频功能", 66, "bsSkinComboBox6", "bsSkinStdLabel5", {on, off}, 1, true},
        {"VFO/MR", "VFO/ MR", 67, "bsSkinComboBox7", "bsSkinStdLabel6", {"MR", "VFO."}, 1, true},
        {"MR freq./MR CH", "MR freq./ MR CH", 68, "bsSkinComboBox8", "bsSkinStdLabel7",
         {"MR CH", "MR freq."}, 1, true},
        {"Squelch", "静噪等级(SQL)", 69, "bsSkinComboBox9", "bsSkinStdLabel8", digits(0, 9), 2, true},
        {"VoxControl", "声控等级(VOX)", 70, "bsSkinComboBox10", "bsSkinStdLabel9",
         {"OFF", "1", "2", "3", "4"}, 0, true},
        {"TxT.O.T", "超时定时器(TOT)", 71, "bsSkinComboBox11", "bsSkinStdLabel10",
         {"OFF", "1分钟", "2分钟", "3分钟", "4分钟", "5分钟", "6分钟", "7分钟"}, 4, true},
        {"keyswitch", "按键锁定", 72, "bsSkinComboBox12", "bsSkinStdLabel11", {on, off}, 1, true},
        {"Switch.U.P", "解除[up][down]的锁定", 73, "bsSkinComboBox13", "bsSkinStdLabel12",
         {on, off}, 1, true},
        {"DownFreq", "倒频", 74, "bsSkinComboBox14", "bsSkinStdLabel13", {on, off}, 1, true},
        {"BroadBand", "宽/窄带", 80, "bsSkinComboBox15", "bsSkinStdLabel19", {"窄带", "宽带"}, 1, false},
        {"SpreadFreq", "按键扩频功能", 75, "bsSkinComboBox16", "bsSkinStdLabel14", {off, on}, 0, true},
        {"band", "频段", 76, "bsSkinComboBox22", "bsSkinStdLabel15", {"频段2", "频段1"}, 0, true},
        {"Freq.Step", "频率步进", 77, "bsSkinComboBox17", "bsSkinStdLabel16",
         {"5kHz", "6.25kHZ", "10kHz", "12.5kHz", "20kHz", "25kHz"}, 5, true},
        {"Txlight", "发射LED的颜色", 78, "bsSkinComboBox18", "bsSkinStdLabel17", digits(1, 8), 1, true},
        {"Rxlight", "接收LED的颜色", 79, "bsSkinComboBox19", "bsSkinStdLabel18", digits(1, 8), 3, true},
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
