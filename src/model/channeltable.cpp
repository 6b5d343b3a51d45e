#include "model/channeltable.h"

#include "model/frequency.h"
#include "model/tonelist.h"

ChannelTable::ChannelTable(QObject *parent)
    : QObject(parent), m_toneList(makeToneList(QStringLiteral("禁用")))
{
    static const char *const headings[ColumnCount] = {"信道",     "接收频率",   "QT/DQT解码",
                                                      "发射频率", "QT/DQT编码", "发射功率",
                                                      "宽/窄带",  "扫描",       "繁忙锁定"};
    for (int col = 0; col < ColumnCount; ++col)
        m_cells[0][col] = QString::fromUtf8(headings[col]);
    for (int row = 1; row < RowCount; ++row)
        m_cells[row][0] = channelLabel(row);
}

bool ChannelTable::isDataCell(int col, int row)
{
    return col >= 1 && col < ColumnCount && row >= 1 && row < RowCount;
}

QString ChannelTable::cell(int col, int row) const
{
    if (col < 0 || col >= ColumnCount || row < 0 || row >= RowCount)
        return {};
    return m_cells[row][col];
}

void ChannelTable::setCell(int col, int row, const QString &text)
{
    if (!isDataCell(col, row) || m_cells[row][col] == text)
        return;
    m_cells[row][col] = text;
    emit cellChanged(col, row);
}

void ChannelTable::setHeading(int col, const QString &text)
{
    if (col < 0 || col >= ColumnCount || m_cells[0][col] == text)
        return;
    m_cells[0][col] = text;
    emit headingChanged(col);
}

void ChannelTable::clearRow(int row)
{
    if (row < 1 || row >= RowCount)
        return;
    setRowData(row, {});
}

void ChannelTable::clearAll()
{
    for (int row = 1; row < RowCount; ++row)
        for (int col = 1; col < ColumnCount; ++col)
            m_cells[row][col].clear();
    emit rowsChanged(1, ChannelCount);
}

ChannelCells ChannelTable::rowData(int row) const
{
    ChannelCells data;
    for (int col = 1; col < ColumnCount; ++col)
        data[col - 1] = cell(col, row);
    return data;
}

void ChannelTable::setRowData(int row, const ChannelCells &data)
{
    if (row < 1 || row >= RowCount)
        return;
    bool changed = false;
    for (int col = 1; col < ColumnCount; ++col) {
        if (m_cells[row][col] != data[col - 1]) {
            m_cells[row][col] = data[col - 1];
            changed = true;
        }
    }
    if (changed)
        emit rowsChanged(row, row);
}

bool ChannelTable::isRowEmpty(int row) const
{
    for (int col = 1; col < ColumnCount; ++col)
        if (!cell(col, row).isEmpty())
            return false;
    return true;
}

ParsedChannel ChannelTable::channel(int row) const
{
    if (row < 1 || row >= RowCount)
        return {};
    return parseChannelCells(rowData(row), m_texts);
}

void ChannelTable::setChannel(int row, const Channel &channel)
{
    setRowData(row, formatChannelCells(channel, textsForFilling(m_texts)));
}

void ChannelTable::setToneOffText(const QString &offText)
{
    m_toneList[0] = offText;
}

void ChannelTable::normaliseFrequencyCell(int col, int row)
{
    setCell(col, row, frequencyCellText(normaliseFrequency(parseFrequency(cell(col, row)))));
}

void ChannelTable::applyNewChannelDefaults(int row)
{
    setCell(ColTxFreq, row, cell(ColRxFreq, row));
    setCell(ColRxTone, row, m_texts.offText);
    setCell(ColTxTone, row, m_texts.offText);
    setCell(ColPower, row, m_texts.highText);
    setCell(ColBandWidth, row, m_texts.wideText);
    setCell(ColScan, row, m_texts.onText);
    setCell(ColBusyLock, row, m_texts.offText);
}

void ChannelTable::commitRow(int col, int row)
{
    if (row >= 1 && !cell(ColRxFreq, row).isEmpty() && cell(ColRxTone, row).isEmpty()) {
        // The receive frequency is what makes the new channel, whichever
        // column the editor was on (a row opened from a file can be
        // committed from its power cell): normalise column 1, not col.
        normaliseFrequencyCell(ColRxFreq, row);
        applyNewChannelDefaults(row);
    } else if (row >= 1 && !cell(col, row).isEmpty() && (col == ColRxFreq || col == ColTxFreq)) {
        normaliseFrequencyCell(col, row);
    } else if (cell(ColRxFreq, row).isEmpty()) {
        for (int c = ColRxTone; c < ColumnCount; ++c)
            setCell(c, row, QString());
    }
}
