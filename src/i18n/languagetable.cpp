#include "i18n/languagetable.h"

QString LanguageTable::text(int number) const
{
    return isReadNumber(number) ? m_texts[number] : QString();
}

void LanguageTable::setText(int number, const QString &text)
{
    if (isReadNumber(number))
        m_texts[number] = text;
}
