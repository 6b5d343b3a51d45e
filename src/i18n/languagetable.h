#pragma once

#include <QString>

#include <array>

// The texts of one language, addressed by language string number 1-118.
// Numbers 82 and 87-94 have no use and are never read; a number that the
// library lacks holds an empty text, which a load applies like any other.
class LanguageTable
{
public:
    static constexpr int FirstNumber = 1;
    static constexpr int LastNumber = 118;
    // A text is at most this many bytes of UTF-8.
    static constexpr int MaxTextBytes = 253;

    // True for the numbers a load reads: 1-118 except 82 and 87-94.
    static constexpr bool isReadNumber(int number)
    {
        return number >= FirstNumber && number <= LastNumber && number != 82 &&
               !(number >= 87 && number <= 94);
    }

    // The text of a number; empty for a number that is not read.
    QString text(int number) const;
    // Ignored for a number that is not read. The text is taken as it is.
    void setText(int number, const QString &text);

    bool operator==(const LanguageTable &) const = default;

private:
    std::array<QString, LastNumber + 1> m_texts;
};
