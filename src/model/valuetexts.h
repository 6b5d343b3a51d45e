#pragma once

#include <QString>

// The texts of the fixed cell values in the current language (language
// strings 55-60). Empty until a language library has been loaded.
struct ValueTexts
{
    QString OffText;    // 55: tone off, scan off, busy lock off
    QString OnText;     // 56
    QString HighText;   // 57: high transmit power
    QString LowText;    // 58
    QString WideText;   // 59: wide band
    QString NarrowText; // 60

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
