#pragma once

#include <QString>

// The texts of the fixed cell values in the current language (language
// strings 55-60). Empty until a language library has been loaded.
struct ValueTexts
{
    QString offText;    // 55: tone off, scan off, busy lock off
    QString onText;     // 56
    QString highText;   // 57: high transmit power
    QString lowText;    // 58
    QString wideText;   // 59: wide band
    QString narrowText; // 60

    bool operator==(const ValueTexts &) const = default;
};

// The two languages' fixed texts. Cells are recognised by exactly these, so
// the language libraries hold them verbatim under 55-60.
inline const ValueTexts ChineseValueTexts{QStringLiteral("禁用"),   QStringLiteral("启用"),
                                          QStringLiteral("高功率"), QStringLiteral("低功率"),
                                          QStringLiteral("宽带"),   QStringLiteral("窄带")};
inline const ValueTexts EnglishValueTexts{QStringLiteral("OFF"),  QStringLiteral("ON"),
                                          QStringLiteral("High"), QStringLiteral("Low"),
                                          QStringLiteral("Wide"), QStringLiteral("Narrow")};

// The texts to write into cells that are filled from outside the editor (a
// read from the radio, an imported list): the language's texts, with the
// built-in (Chinese) ones standing in for any that are empty because no
// language library was loaded. Empty texts would lose the values: a flag
// cell left empty is written back as the flag's other state.
inline ValueTexts textsForFilling(const ValueTexts &language)
{
    ValueTexts texts = language;
    for (QString ValueTexts::*member :
         {&ValueTexts::offText, &ValueTexts::onText, &ValueTexts::highText, &ValueTexts::lowText,
          &ValueTexts::wideText, &ValueTexts::narrowText}) {
        if ((texts.*member).isEmpty())
            texts.*member = ChineseValueTexts.*member;
    }
    return texts;
}

// Whether text is the value text `member` of the current language or of
// either fixed language. A cell saved in one language and opened while the
// other is loaded keeps its texts until the language switch converts it, and
// still means what it says.
inline bool isValueText(const ValueTexts &current, const QString &text, QString ValueTexts::*member)
{
    return !text.isEmpty() && (text == current.*member || text == ChineseValueTexts.*member ||
                               text == EnglishValueTexts.*member);
}
