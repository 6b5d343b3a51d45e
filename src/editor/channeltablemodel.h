#pragma once

#include <QAbstractTableModel>
#include <QColor>
#include <QPointer>
#include <QStringList>

class BandRanges;
class ChannelTable;

// The channel table as an item model for the grid: model cell (r, c) is
// table cell (c + 1, r + 1), so the 199 channels are rows 0-198 and the
// eight data columns are columns 0-7. The headings of row 0 are the
// horizontal header, the channel numbers "001"-"199" of column 0 the
// vertical header; the heading of column 0 sits in the grid's corner.
//
// With the band ranges set (setBandRanges), a receive or transmit frequency
// outside the chosen ranges of its direction (model/bandcheck.h) is marked:
// a coloured cell, a tool tip naming the ranges, and the ranges under
// OutOfBandRole (empty for a cell in band).
class ChannelTableModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    // The range texts ("400-470MHz") a frequency cell lies outside, as a
    // QStringList; empty for a cell in band or not a frequency.
    static constexpr int OutOfBandRole = Qt::UserRole + 1;
    // How an out-of-band cell is shown.
    static inline const QColor OutOfBandBackground{255, 214, 204};
    static inline const QColor OutOfBandForeground{160, 0, 0};

    explicit ChannelTableModel(ChannelTable *table, QObject *parent = nullptr);

    ChannelTable *table() const { return m_table; }

    // The model index of table cell (col 1-8, row 1-199); invalid elsewhere.
    QModelIndex cellIndex(int col, int row) const;
    // The table column and row of a model index.
    static int tableColumn(const QModelIndex &index) { return index.column() + 1; }
    static int tableRow(const QModelIndex &index) { return index.row() + 1; }

    // The band ranges frequencies are checked against; none (the default)
    // marks nothing. The model follows changes of the chosen ranges.
    void setBandRanges(const BandRanges *bands);
    // The tool tip of an out-of-band cell: "%1" is replaced by the ranges.
    void setOutOfBandToolTip(const QString &text) { m_outOfBandToolTip = text; }

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
    QStringList outOfBandRanges(const QModelIndex &index) const;
    void frequenciesChanged();

    ChannelTable *m_table;
    QPointer<const BandRanges> m_bands;
    QString m_outOfBandToolTip;
};
