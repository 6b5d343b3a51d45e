#include "app/optionspage.h"

#include "model/bandranges.h"

#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>

namespace {

constexpr int LabelX = 14;
constexpr int LabelHeight = 17;
constexpr int ListHeight = 20;
constexpr int ListRows = 8;

// Each setting's list and label: their names and the label's built-in
// text, the frame, the label's top, and the list. Ring has no label; Ring
// and the band width are kept but never shown.
struct Place
{
    Setting setting;
    const char *list;
    const char *label;
    const char *text;
    bool visible;
    bool right;
    int y;
    int listX;
    int listWidth;
};

// clang-format off
const Place Places[] = {
    {Setting::APO,         "apoCombo",          "apoLabel",          "APO功能",              true,  false,  16, 120, 105},
    {Setting::BEEP,        "beepCombo",         "beepLabel",         "按键音开关",           true,  false,  48, 120, 105},
    {Setting::BatSave,     "batterySaveCombo",  "batterySaveLabel",  "电池省电",             true,  false,  80, 120, 105},
    {Setting::scankind,    "scanResumeCombo",   "scanResumeLabel",   "扫描恢复方法",         true,  false, 112, 120, 105},
    {Setting::Scramble,    "scramblerCombo",    "scramblerLabel",    "扰频功能",             true,  false, 144, 120, 105},
    {Setting::VFO_MR,      "vfoMrCombo",        "vfoMrLabel",        "VFO/ MR",              true,  false, 176, 120, 105},
    {Setting::MRfreq_MRCH, "mrDisplayCombo",    "mrDisplayLabel",    "MR freq./ MR CH",      true,  false, 208, 120, 105},
    {Setting::Squelch,     "squelchCombo",      "squelchLabel",      "静噪等级(SQL)",        true,  false, 240, 120, 105},
    {Setting::VoxControl,  "voxCombo",          "voxLabel",          "声控等级(VOX)",        true,  false, 272, 120, 105},
    {Setting::TxT_O_T,     "timeOutCombo",      "timeOutLabel",      "超时定时器(TOT)",      true,  false, 304, 120, 105},
    {Setting::Ring,        "ringCombo",         nullptr,             nullptr,                false, false, 352, 120, 105},
    {Setting::keyswitch,   "keyLockCombo",      "keyLockLabel",      "按键锁定",             true,  true,   24, 136,  97},
    {Setting::Switch_U_P,  "upDownUnlockCombo", "upDownUnlockLabel", "解除[up][down]的锁定", true,  true,   56, 136,  97},
    {Setting::DownFreq,    "reverseCombo",      "reverseLabel",      "倒频",                 true,  true,   88, 136,  97},
    {Setting::SpreadFreq,  "expansionKeyCombo", "expansionKeyLabel", "按键扩频功能",         true,  true,  120, 136,  97},
    {Setting::band,        "bandCombo",         "bandLabel",         "频段",                 true,  true,  152, 136,  97},
    {Setting::Freq_Step,   "stepCombo",         "stepLabel",         "频率步进",             true,  true,  184, 136,  97},
    {Setting::Txlight,     "txLedCombo",        "txLedLabel",        "发射LED的颜色",        true,  true,  216, 136,  97},
    {Setting::Rxlight,     "rxLedCombo",        "rxLedLabel",        "接收LED的颜色",        true,  true,  248, 136,  97},
    {Setting::BroadBand,   "bandWidthCombo",    "bandWidthLabel",    "宽/窄带",              false, true,  360, 120, 105},
};
// clang-format on

QComboBox *makeList(QWidget *parent, const QString &name)
{
    auto *combo = new QComboBox(parent);
    combo->setObjectName(name);
    combo->setEditable(false);
    combo->setMaxVisibleItems(ListRows);
    combo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    return combo;
}

QGroupBox *makeFrame(QWidget *parent, const QString &name, const QString &title, const QRect &rect)
{
    auto *frame = new QGroupBox(title, parent);
    frame->setObjectName(name);
    frame->setGeometry(rect);
    return frame;
}

} // namespace

OptionsPage::OptionsPage(FunctionSettings *settings, BandRanges *bands, QWidget *parent)
    : QWidget(parent), m_settings(settings), m_bands(bands)
{
    setObjectName(QStringLiteral("optionsPanel"));
    buildSettings();
    buildBandPanel();

    connect(m_settings, &FunctionSettings::choicesChanged, this, &OptionsPage::showChoices);
    connect(m_settings, &FunctionSettings::indexChanged, this, &OptionsPage::showIndex);
    connect(m_settings, &FunctionSettings::enabledChanged, this, &OptionsPage::showEnabled);
}

void OptionsPage::buildSettings()
{
    // Two frames without captions.
    auto frame = [this](const char *name, int x) {
        auto *f = new QFrame(this);
        f->setObjectName(QString::fromLatin1(name));
        f->setFrameShape(QFrame::StyledPanel);
        f->setGeometry(x, 8, 249, 409);
        return f;
    };
    m_leftFrame = frame("optionsFrameLeft", 8);
    m_rightFrame = frame("optionsFrameRight", 264);

    for (const Place &place : Places) {
        QWidget *frame = place.right ? m_rightFrame : m_leftFrame;
        const int i = int(place.setting);

        if (place.label) {
            auto *label = new QLabel(QString::fromUtf8(place.text), frame);
            label->setObjectName(QString::fromLatin1(place.label));
            label->setGeometry(LabelX, place.y, place.listX - LabelX - 2, LabelHeight);
            label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
            label->setVisible(place.visible);
            m_labels[i] = label;
        }
        // The list is centred on its label's line.
        QComboBox *combo = makeList(frame, QString::fromLatin1(place.list));
        combo->setGeometry(place.listX, place.y - (ListHeight - LabelHeight) / 2, place.listWidth,
                           ListHeight);
        combo->setVisible(place.visible);
        m_combos[i] = combo;
        bindSetting(place.setting);
    }
}

void OptionsPage::buildBandPanel()
{
    // Kept for the band edges written to the radio; the user never sees it.
    m_bandPanel = new QWidget(this);
    m_bandPanel->setObjectName(QStringLiteral("bandPanel"));
    m_bandPanel->setGeometry(136, 424, 225, 265);

    struct Band
    {
        const char *frame;
        const char *title;
        int y;
        const char *rxLabel;
        const char *txLabel;
        const char *rxList;
        const char *txList;
        BandRangeList *rx;
        BandRangeList *tx;
    };
    const Band bandsToBuild[] = {
        {"band1Group", "频段一", 8, "band1RxLabel", "band1TxLabel", "band1RxCombo", "band1TxCombo",
         &m_bands->list1_rx, &m_bands->list1_tx},
        {"band2Group", "频段二", 136, "band2RxLabel", "band2TxLabel", "band2RxCombo",
         "band2TxCombo", &m_bands->list2_rx, &m_bands->list2_tx},
    };
    int list = 0;
    for (const Band &band : bandsToBuild) {
        QGroupBox *frame = makeFrame(m_bandPanel, QString::fromLatin1(band.frame),
                                     QString::fromUtf8(band.title), QRect(8, band.y, 209, 121));
        frame->hide();
        const struct
        {
            const char *label;
            const char *text;
            const char *listName;
            BandRangeList *model;
            int y;
        } rows[] = {{band.rxLabel, "接收", band.rxList, band.rx, 32},
                    {band.txLabel, "发射", band.txList, band.tx, 72}};
        for (const auto &row : rows) {
            auto *label = new QLabel(QString::fromUtf8(row.text), frame);
            label->setObjectName(QString::fromLatin1(row.label));
            label->setGeometry(LabelX, row.y, 50, LabelHeight);
            label->hide();
            QComboBox *combo = makeList(frame, QString::fromLatin1(row.listName));
            combo->setGeometry(72, row.y - 2, 121, ListHeight);
            m_bandCombos[list++] = combo;
            bindBandList(row.model, combo);
        }
    }
    m_bandPanel->setEnabled(false);
    m_bandPanel->hide();
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
