#pragma once

// Helpers the tests build radio memory with, from the memory layouts (never
// by the codec under test), and read the table back by.

#include "model/channeltable.h"

#include <QByteArray>
#include <QStringList>

#include <initializer_list>

inline QByteArray bytes(std::initializer_list<int> values)
{
    QByteArray b;
    for (int v : values)
        b.append(char(v));
    return b;
}

// Eight BCD digits of a frequency in units of 10 Hz, least significant byte
// first; the digits are taken as hex so that a test can store a digit A-F.
inline QByteArray frequency(const char *digits8)
{
    const QByteArray d(digits8);
    QByteArray out;
    for (int pair = 3; pair >= 0; --pair)
        out.append(char(d.mid(2 * pair, 2).toInt(nullptr, 16)));
    return out;
}

// A 16-bit sub-audio value, low byte first.
inline QByteArray code(int value)
{
    return bytes({value & 0xFF, value >> 8});
}

// A channel record of 16 bytes: receive and transmit frequency (4 bytes each,
// from frequency()), receive and transmit sub-audio, the flags byte and
// three spare bytes 0xFF.
inline QByteArray channelRecord(const QByteArray &rx, const QByteArray &tx, int rxCode, int txCode,
                                int flags)
{
    return rx + tx + code(rxCode) + code(txCode) + bytes({flags, 0xFF, 0xFF, 0xFF});
}

// The eight data cells of a row, columns 1-8.
inline QStringList rowCells(const ChannelTable &table, int row)
{
    QStringList cells;
    for (int col = 1; col <= 8; ++col)
        cells << table.cell(col, row);
    return cells;
}
