#pragma once

#include <QString>

#include <array>

// The texts of one language, addressed by language string number: 1-118,
// whose meanings every language library shares, and this program's own
// numbers 201-216 and 240-257 for what it offers beyond them (the radio
// image and CSV commands, read-back verification, backups; undo and redo,
// the row clipboard, recent files, the question about unsaved changes). Numbers 82 and 87-94 have
// no use and are never read; a number that the library lacks holds an empty text, which a load
// applies like any other.
class LanguageTable
{
public:
    static constexpr int FirstNumber = 1;
    static constexpr int LastNumber = 118;
    static constexpr int FirstOwnNumber = 201;
    static constexpr int LastOwnNumber = 257;
    // A text is at most this many bytes of UTF-8.
    static constexpr int MaxTextBytes = 253;

    // True for the numbers a load reads: 1-118 except 82 and 87-94, and
    // 201-216, 240-257.
    static constexpr bool isReadNumber(int number)
    {
        return (number >= FirstNumber && number <= LastNumber && number != 82 &&
                !(number >= 87 && number <= 94)) ||
               isOwnNumber(number);
    }
    static constexpr bool isOwnNumber(int number)
    {
        return (number >= FirstOwnNumber && number <= 216) ||
               (number >= 240 && number <= LastOwnNumber);
    }

    // The text of a number; empty for a number that is not read.
    QString text(int number) const;
    // Ignored for a number that is not read. The text is taken as it is.
    void setText(int number, const QString &text);

    bool operator==(const LanguageTable &) const = default;

private:
    std::array<QString, LastOwnNumber + 1> m_texts;
};
