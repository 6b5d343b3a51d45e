#pragma once

#include "model/functionsettings.h"

#include <QWidget>

#include <array>

class BandRangeList;
class BandRanges;
class QComboBox;
class QFrame;
class QLabel;

// The function-options page: one drop-down list per function setting with
// its label, in two frames, and the hidden panel of the four band range
// lists. Every list shows its model and writes the user's choice back to it;
// the model stays the data.
class OptionsPage : public QWidget
{
    Q_OBJECT

public:
    OptionsPage(FunctionSettings *settings, BandRanges *bands, QWidget *parent = nullptr);

    QComboBox *combo(Setting setting) const { return m_combos[int(setting)]; }
    // Null for Ring, which has no label.
    QLabel *label(Setting setting) const { return m_labels[int(setting)]; }
    // The band range lists list1_rx, list1_tx, list2_rx, list2_tx (0-3).
    QComboBox *bandRangeCombo(int list) const { return m_bandCombos[list]; }
    QWidget *bandPanel() const { return m_bandPanel; }

private:
    void buildSettings();
    void buildBandPanel();
    void bindSetting(Setting setting);
    void bindBandList(BandRangeList *list, QComboBox *combo);

    void showChoices(Setting setting);
    void showIndex(Setting setting);
    void showEnabled(Setting setting);

    FunctionSettings *m_settings;
    BandRanges *m_bands;
    std::array<QComboBox *, SettingCount> m_combos{};
    std::array<QLabel *, SettingCount> m_labels{};
    std::array<QComboBox *, 4> m_bandCombos{};
    QFrame *m_leftFrame = nullptr;
    QFrame *m_rightFrame = nullptr;
    QWidget *m_bandPanel = nullptr;
    // Set while a list is being brought in line with its model, so the
    // list's own change signal is not taken for a user's choice.
    int m_syncing = 0;
};
