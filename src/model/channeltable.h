#pragma once

#include "model/channel.h"
#include "model/valuetexts.h"

#include <QObject>
#include <QString>
#include <QStringList>

#include <array>

// The radio's 199 memory channels as text cells: 200 rows x 9 columns, row 0
// the headings, column 0 the channel numbers "001"-"199", columns 1-8 of rows
// 1-199 the channel data. The cells hold what the grid edits and the channel
// file stores, as text; channel() and setChannel() are the row as values.
class ChannelTable : public QObject
{
    Q_OBJECT

public:
    static constexpr int RowCount = 200;
    static constexpr int ColumnCount = 9;
    static constexpr int ChannelCount = 199;

    enum Column {
        ColNumber = 0,
        ColRxFreq = 1,
        ColRxTone = 2,
        ColTxFreq = 3,
        ColTxTone = 4,
        ColPower = 5,
        ColBandWidth = 6,
        ColScan = 7,
        ColBusyLock = 8,
    };

    explicit ChannelTable(QObject *parent = nullptr);

    // Text of cell (col, row); empty outside the table.
    QString cell(int col, int row) const;
    // Sets a data cell (columns 1-8, rows 1-199); other cells are ignored.
    void setCell(int col, int row, const QString &text);
    // Sets a heading of row 0 (the language load does this).
    void setHeading(int col, const QString &text);

    // Columns 1-8 of one row, and of all rows, emptied.
    void clearRow(int row);
    void clearAll();
    // Columns 1-8 of a row, for the move operations.
    ChannelCells rowData(int row) const;
    void setRowData(int row, const ChannelCells &data);
    bool isRowEmpty(int row) const;

    // The channel in a row as a write stores it, read with the table's value
    // texts (parseChannelCells); an empty channel outside rows 1-199.
    ParsedChannel channel(int row) const;
    // Fills columns 1-8 of a row with a channel that comes from outside the
    // editor (a radio, a radio image, a CSV list), in the texts of
    // textsForFilling(valueTexts()).
    void setChannel(int row, const Channel &channel);

    // The value texts of the current language (empty until one is loaded).
    const ValueTexts &valueTexts() const { return m_texts; }
    void setValueTexts(const ValueTexts &texts) { m_texts = texts; }

    // The sub-audio choices; entry 0 is the off text ("禁用" until a
    // language replaces it).
    const QStringList &toneList() const { return m_toneList; }
    void setToneOffText(const QString &offText);

    // Normalises the frequency text of cell (col, row) in place: clamps to
    // 100-550 MHz and moves it up to the next multiple of 5 kHz or 6.25 kHz.
    // Throws ConvertError when the text is not a number; the cell is then
    // left as it was.
    void normaliseFrequencyCell(int col, int row);

    // Commits a row; col is the column that was being edited. The first rule
    // that applies: a new channel (column 1 set, column 2 empty) gets its
    // receive frequency normalised and the defaults; an edited frequency in column col is
    // normalised; an empty column 1 empties the row. Throws ConvertError.
    void commitRow(int col, int row);

    // Columns 2-8 of a channel that has just got its first receive frequency:
    // transmit = receive, tones off, high power, wide, scanned, busy lock off.
    void applyNewChannelDefaults(int row);

signals:
    void cellChanged(int col, int row);
    // Several rows changed at once (first..last, inclusive).
    void rowsChanged(int first, int last);
    void headingChanged(int col);

private:
    static bool isDataCell(int col, int row);

    std::array<std::array<QString, ColumnCount>, RowCount> m_cells;
    ValueTexts m_texts;
    QStringList m_toneList;
};
