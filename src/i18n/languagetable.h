#pragma once

#include <QString>

#include <array>

// The texts of one language, addressed by language string number: 1-118,
// whose meanings every language library shares, and this program's own
// numbers for what it offers beyond them, in blocks (OwnNumberBlocks):
// 201-216 (the radio image and CSV commands, read-back verification,
// backups), 220-239 (the serial port dialog and why a port cannot be
// opened), 240-259 (undo and redo, the row clipboard, recent files, the
// question about unsaved changes) and 260-278 (printing, the band check
// before a write, backing up before a write, the confirmation dialog's
// Cancel, demo mode). Numbers 82 and 87-94 have no use and are never read;
// a number that the library lacks holds an empty text, which a load
// applies like any other.
class LanguageTable
{
public:
    static constexpr int FirstNumber = 1;
    static constexpr int LastNumber = 118;
    // The blocks of the program's own numbers, first and last, ascending.
    static constexpr int OwnNumberBlocks[][2] = {
        {201, 216},
        {220, 239},
        {240, 259},
        {260, 278},
    };
    static constexpr int FirstOwnNumber = 201;
    // The end of the numbers kept for the program's own texts; only those
    // inside a block are read.
    static constexpr int LastOwnNumber = 279;
    // A text is at most this many bytes of UTF-8.
    static constexpr int MaxTextBytes = 253;

    // True for the numbers a load reads: 1-118 except 82 and 87-94, and
    // the program's own numbers.
    static constexpr bool isReadNumber(int number)
    {
        return (number >= FirstNumber && number <= LastNumber && number != 82 &&
                !(number >= 87 && number <= 94)) ||
               isOwnNumber(number);
    }
    static constexpr bool isOwnNumber(int number)
    {
        for (const auto &block : OwnNumberBlocks)
            if (number >= block[0] && number <= block[1])
                return true;
        return false;
    }

    // The text of a number; empty for a number that is not read.
    QString text(int number) const;
    // Ignored for a number that is not read. The text is taken as it is.
    void setText(int number, const QString &text);

    bool operator==(const LanguageTable &) const = default;

private:
    std::array<QString, LastOwnNumber + 1> m_texts;
};
