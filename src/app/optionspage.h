#pragma once

#include "model/functionsettings.h"

#include <QWidget>

#include <array>
#include <memory>

class BandRangeList;
class BandRanges;
class QComboBox;
class QLabel;

namespace Ui {
class OptionsPage;
}

// The function-options page (optionspage.ui): one drop-down list per
// function setting with its label, in two frames, and the hidden panel of
// the four band range lists. Once bound, every list shows its model and
// writes the user's choice back to it; the model stays the data.
class OptionsPage : public QWidget
{
    Q_OBJECT

public:
    explicit OptionsPage(QWidget *parent = nullptr);
    ~OptionsPage() override;

    // Shows the settings and band range lists and takes the user's choices
    // into them. Called once.
    void bind(FunctionSettings *settings, BandRanges *bands);

    QComboBox *combo(Setting setting) const { return m_combos[int(setting)]; }
    // Null for Ring, which has no label.
    QLabel *label(Setting setting) const { return m_labels[int(setting)]; }
    // The band range lists list1_rx, list1_tx, list2_rx, list2_tx (0-3).
    QComboBox *bandRangeCombo(int list) const { return m_bandCombos[list]; }
    QWidget *bandPanel() const;

private:
    void bindSetting(Setting setting);
    void bindBandList(BandRangeList *list, QComboBox *combo);

    void showChoices(Setting setting);
    void showIndex(Setting setting);
    void showEnabled(Setting setting);

    std::unique_ptr<Ui::OptionsPage> m_ui;
    FunctionSettings *m_settings = nullptr;
    BandRanges *m_bands = nullptr;
    std::array<QComboBox *, SettingCount> m_combos{};
    std::array<QLabel *, SettingCount> m_labels{};
    std::array<QComboBox *, 4> m_bandCombos{};
    // Set while a list is being brought in line with its model, so the
    // list's own change signal is not taken for a user's choice.
    int m_syncing = 0;
};
