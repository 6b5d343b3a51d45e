#include "i18n/languageswitch.h"

#include "i18n/languagelibrary.h"

namespace {

// The on/off lists refilled after the minute unit, in this order; each keeps
// its own item order, which is what the radio and the channel file carry.
struct OnOffList
{
    Setting setting;
    bool onFirst;
};
constexpr OnOffList onOffLists[] = {
    {Setting::APO, true},      {Setting::BEEP, false},       {Setting::BatSave, false},
    {Setting::Scramble, true}, {Setting::keyswitch, true},   {Setting::Switch_U_P, true},
    {Setting::DownFreq, true}, {Setting::SpreadFreq, false},
};

void setValueText(ChannelTable &table, int number, const QString &text)
{
    ValueTexts texts = table.valueTexts();
    switch (number) {
    case 55:
        texts.offText = text;
        break;
    case 56:
        texts.onText = text;
        break;
    case 57:
        texts.highText = text;
        break;
    case 58:
        texts.lowText = text;
        break;
    case 59:
        texts.wideText = text;
        break;
    case 60:
        texts.narrowText = text;
        break;
    }
    table.setValueTexts(texts);
    if (number == 55)
        table.setToneOffText(text);
}

void refillMinuteLists(FunctionSettings &settings, const ValueTexts &values, const QString &unit)
{
    QStringList timeOut{values.offText};
    for (int minutes = 1; minutes <= 7; ++minutes)
        timeOut << QString::number(minutes) + unit;
    settings.setChoices(Setting::TxT_O_T, timeOut);

    for (const OnOffList &list : onOffLists) {
        settings.setChoices(list.setting, list.onFirst
                                              ? QStringList{values.onText, values.offText}
                                              : QStringList{values.offText, values.onText});
    }
}

void refillLedLists(FunctionSettings &settings, const LanguageTable &texts)
{
    QStringList colours;
    for (int n = 111; n <= 118; ++n)
        colours << texts.text(n);
    settings.setChoices(Setting::Txlight, colours);
    settings.setChoices(Setting::Rxlight, colours);
}

void applyModelText(int number, const QString &text, const LanguageTable &texts, RadioData &data,
                    MessageSlots &messages)
{
    if (number >= 46 && number <= 54) {
        data.table.setHeading(number - 46, text);
    } else if (number >= 55 && number <= 60) {
        setValueText(data.table, number, text);
    } else if (number == 76) {
        data.settings.setChoices(Setting::band, {text + QLatin1Char('2'), text + QLatin1Char('1')});
    } else if (number == 81) {
        refillMinuteLists(data.settings, data.table.valueTexts(), text);
    } else if (QString *slot = messageSlot(messages, number)) {
        *slot = text;
        if (number == 110)
            refillLedLists(data.settings, texts);
    }
}

} // namespace

void applyLanguage(const LanguageTable &texts, RadioData &data, MessageSlots &messages,
                   const WindowTextSink &windowTexts)
{
    const std::span<const TextTarget> targets = textTargets();
    auto target = targets.begin();
    for (int n = LanguageTable::FirstNumber; n <= LanguageTable::LastOwnNumber; ++n) {
        if (!LanguageTable::isReadNumber(n))
            continue;
        const QString text = texts.text(n);
        for (; target != targets.end() && target->number <= n; ++target) {
            if (target->number == n && windowTexts)
                windowTexts(*target, text);
        }
        applyModelText(n, text, texts, data, messages);
    }
}

bool loadLanguage(const QString &name, RadioData &data, MessageSlots &messages,
                  const WindowTextSink &windowTexts)
{
    const std::optional<LanguageTable> texts = readLanguage(name);
    if (!texts)
        return false;
    applyLanguage(*texts, data, messages, windowTexts);
    return true;
}

void convertFixedTexts(ChannelTable &table)
{
    const ValueTexts &now = table.valueTexts();
    const ValueTexts &zh = ChineseValueTexts;
    const ValueTexts &en = EnglishValueTexts;

    struct Rule
    {
        QString chinese, english;
        const QString *replacement;
    };
    const Rule offRule{zh.offText, en.offText, &now.offText};
    const Rule onRule{zh.onText, en.onText, &now.onText};
    const QList<Rule> toneRules{offRule};
    const QList<Rule> powerRules{{zh.highText, en.highText, &now.highText},
                                 {zh.lowText, en.lowText, &now.lowText}};
    const QList<Rule> widthRules{{zh.wideText, en.wideText, &now.wideText},
                                 {zh.narrowText, en.narrowText, &now.narrowText}};
    const QList<Rule> switchRules{offRule, onRule};

    auto rulesOf = [&](int col) -> const QList<Rule> * {
        switch (col) {
        case ChannelTable::ColRxTone:
        case ChannelTable::ColTxTone:
            return &toneRules;
        case ChannelTable::ColPower:
            return &powerRules;
        case ChannelTable::ColBandWidth:
            return &widthRules;
        case ChannelTable::ColScan:
        case ChannelTable::ColBusyLock:
            return &switchRules;
        }
        return nullptr;
    };

    for (int row = 1; row <= ChannelTable::ChannelCount; ++row) {
        for (int col = ChannelTable::ColRxFreq; col < ChannelTable::ColumnCount; ++col) {
            const QList<Rule> *rules = rulesOf(col);
            if (!rules)
                continue;
            const QString cell = table.cell(col, row);
            for (const Rule &rule : *rules) {
                if ((cell == rule.chinese || cell == rule.english) &&
                    !rule.replacement->isEmpty()) {
                    table.setCell(col, row, *rule.replacement);
                    break;
                }
            }
        }
    }
}
