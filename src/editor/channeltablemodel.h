#pragma once

#include <QAbstractTableModel>

class ChannelTable;

// The channel table as an item model for the grid: model cell (r, c) is
// table cell (c + 1, r + 1), so the 199 channels are rows 0-198 and the
// eight data columns are columns 0-7. The headings of row 0 are the
// horizontal header, the channel numbers "001"-"199" of column 0 the
// vertical header; the heading of column 0 sits in the grid's corner.
class ChannelTableModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    explicit ChannelTableModel(ChannelTable *table, QObject *parent = nullptr);

    ChannelTable *table() const { return m_table; }

    // The model index of table cell (col 1-8, row 1-199); invalid elsewhere.
    QModelIndex cellIndex(int col, int row) const;
    // The table column and row of a model index.
    static int tableColumn(const QModelIndex &index) { return index.column() + 1; }
    static int tableRow(const QModelIndex &index) { return index.row() + 1; }

    // The heading of the channel-number column.
    QString cornerHeading() const;

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

signals:
    void cornerHeadingChanged();

private:
    ChannelTable *m_table;
};
