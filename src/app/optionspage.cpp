#include "app/optionspage.h"

#include "ui_optionspage.h"

#include "model/bandranges.h"

#include <QComboBox>
#include <QLabel>

namespace {

// Which list and label of the form show which setting; Ring has no label.
struct SettingWidgets
{
    Setting setting;
    QComboBox *Ui::OptionsPage::*combo;
    QLabel *Ui::OptionsPage::*label;
};

// clang-format off
const SettingWidgets Widgets[] = {
    {Setting::APO,         &Ui::OptionsPage::apoCombo,          &Ui::OptionsPage::apoLabel},
    {Setting::BEEP,        &Ui::OptionsPage::beepCombo,         &Ui::OptionsPage::beepLabel},
    {Setting::BatSave,     &Ui::OptionsPage::batterySaveCombo,  &Ui::OptionsPage::batterySaveLabel},
    {Setting::scankind,    &Ui::OptionsPage::scanResumeCombo,   &Ui::OptionsPage::scanResumeLabel},
    {Setting::Ring,        &Ui::OptionsPage::ringCombo,         nullptr},
    {Setting::Scramble,    &Ui::OptionsPage::scramblerCombo,    &Ui::OptionsPage::scramblerLabel},
    {Setting::VFO_MR,      &Ui::OptionsPage::vfoMrCombo,        &Ui::OptionsPage::vfoMrLabel},
    {Setting::MRfreq_MRCH, &Ui::OptionsPage::mrDisplayCombo,    &Ui::OptionsPage::mrDisplayLabel},
    {Setting::Squelch,     &Ui::OptionsPage::squelchCombo,      &Ui::OptionsPage::squelchLabel},
    {Setting::VoxControl,  &Ui::OptionsPage::voxCombo,          &Ui::OptionsPage::voxLabel},
    {Setting::TxT_O_T,     &Ui::OptionsPage::timeOutCombo,      &Ui::OptionsPage::timeOutLabel},
    {Setting::keyswitch,   &Ui::OptionsPage::keyLockCombo,      &Ui::OptionsPage::keyLockLabel},
    {Setting::Switch_U_P,  &Ui::OptionsPage::upDownUnlockCombo, &Ui::OptionsPage::upDownUnlockLabel},
    {Setting::DownFreq,    &Ui::OptionsPage::reverseCombo,      &Ui::OptionsPage::reverseLabel},
    {Setting::BroadBand,   &Ui::OptionsPage::bandWidthCombo,    &Ui::OptionsPage::bandWidthLabel},
    {Setting::SpreadFreq,  &Ui::OptionsPage::expansionKeyCombo, &Ui::OptionsPage::expansionKeyLabel},
    {Setting::band,        &Ui::OptionsPage::bandCombo,         &Ui::OptionsPage::bandLabel},
    {Setting::Freq_Step,   &Ui::OptionsPage::stepCombo,         &Ui::OptionsPage::stepLabel},
    {Setting::Txlight,     &Ui::OptionsPage::txLedCombo,        &Ui::OptionsPage::txLedLabel},
    {Setting::Rxlight,     &Ui::OptionsPage::rxLedCombo,        &Ui::OptionsPage::rxLedLabel},
};
// clang-format on

} // namespace

OptionsPage::OptionsPage(QWidget *parent)
    : QWidget(parent), m_ui(std::make_unique<Ui::OptionsPage>())
{
    m_ui->setupUi(this);
    for (const SettingWidgets &w : Widgets) {
        m_combos[int(w.setting)] = (*m_ui).*w.combo;
        m_labels[int(w.setting)] = w.label ? (*m_ui).*w.label : nullptr;
    }
    m_bandCombos = {m_ui->band1RxCombo, m_ui->band1TxCombo, m_ui->band2RxCombo, m_ui->band2TxCombo};

    // Kept but never shown (a form cannot hide a widget): Ring and the band
    // width, and the band range lists, which only carry the band edges
    // written to the radio.
    for (QWidget *w :
         {static_cast<QWidget *>(m_ui->ringCombo), static_cast<QWidget *>(m_ui->bandWidthLabel),
          static_cast<QWidget *>(m_ui->bandWidthCombo), static_cast<QWidget *>(m_ui->band1Group),
          static_cast<QWidget *>(m_ui->band1RxLabel), static_cast<QWidget *>(m_ui->band1TxLabel),
          static_cast<QWidget *>(m_ui->band2Group), static_cast<QWidget *>(m_ui->band2RxLabel),
          static_cast<QWidget *>(m_ui->band2TxLabel), m_ui->bandPanel})
        w->hide();
}

OptionsPage::~OptionsPage() = default;

QWidget *OptionsPage::bandPanel() const
{
    return m_ui->bandPanel;
}

void OptionsPage::bind(FunctionSettings *settings, BandRanges *bands)
{
    m_settings = settings;
    m_bands = bands;
    for (const SettingWidgets &w : Widgets)
        bindSetting(w.setting);
    const std::array<BandRangeList *, 4> lists = m_bands->all();
    for (int i = 0; i < 4; ++i)
        bindBandList(lists[i], m_bandCombos[i]);

    connect(m_settings, &FunctionSettings::choicesChanged, this, &OptionsPage::showChoices);
    connect(m_settings, &FunctionSettings::indexChanged, this, &OptionsPage::showIndex);
    connect(m_settings, &FunctionSettings::enabledChanged, this, &OptionsPage::showEnabled);
}

void OptionsPage::bindSetting(Setting setting)
{
    QComboBox *combo = m_combos[int(setting)];
    showChoices(setting);
    showEnabled(setting);
    connect(combo, &QComboBox::currentIndexChanged, this, [this, setting](int index) {
        if (m_syncing)
            return;
        // A refused index (none chosen) puts the model's choice back.
        if (!m_settings->setIndex(setting, index))
            showIndex(setting);
    });
}

void OptionsPage::showChoices(Setting setting)
{
    QComboBox *combo = m_combos[int(setting)];
    ++m_syncing;
    combo->clear();
    combo->addItems(m_settings->choices(setting));
    combo->setCurrentIndex(m_settings->index(setting));
    --m_syncing;
}

void OptionsPage::showIndex(Setting setting)
{
    ++m_syncing;
    m_combos[int(setting)]->setCurrentIndex(m_settings->index(setting));
    --m_syncing;
}

void OptionsPage::showEnabled(Setting setting)
{
    m_combos[int(setting)]->setEnabled(m_settings->isEnabled(setting));
}

void OptionsPage::bindBandList(BandRangeList *list, QComboBox *combo)
{
    auto showEntries = [this, list, combo] {
        ++m_syncing;
        combo->clear();
        combo->addItems(list->entries());
        combo->setCurrentIndex(list->chosenIndex());
        --m_syncing;
    };
    showEntries();
    connect(list, &BandRangeList::entriesChanged, combo, showEntries);
    connect(list, &BandRangeList::chosenTextChanged, combo, [this, list, combo] {
        ++m_syncing;
        combo->setCurrentIndex(list->chosenIndex());
        --m_syncing;
    });
    connect(combo, &QComboBox::currentIndexChanged, this, [this, list](int index) {
        if (!m_syncing)
            list->choose(index);
    });
}
