#include "editor/channeltablemodel.h"

#include "model/channeltable.h"

#include <QBrush>
#include <QColor>

namespace {
// Every fifth channel is shaded so the eye can count rows.
const QColor ShadedRowColour(227, 227, 227);
} // namespace

ChannelTableModel::ChannelTableModel(ChannelTable *table, QObject *parent)
    : QAbstractTableModel(parent), m_table(table)
{
    connect(m_table, &ChannelTable::cellChanged, this, [this](int col, int row) {
        const QModelIndex index = cellIndex(col, row);
        if (index.isValid())
            emit dataChanged(index, index, {Qt::DisplayRole});
    });
    connect(m_table, &ChannelTable::rowsChanged, this, [this](int first, int last) {
        first = qMax(first, 1);
        last = qMin(last, int(ChannelTable::ChannelCount));
        if (first <= last)
            emit dataChanged(cellIndex(1, first), cellIndex(ChannelTable::ColumnCount - 1, last),
                             {Qt::DisplayRole});
    });
    connect(m_table, &ChannelTable::headingChanged, this, [this](int col) {
        if (col == ChannelTable::ColNumber)
            emit cornerHeadingChanged();
        else
            emit headerDataChanged(Qt::Horizontal, col - 1, col - 1);
    });
}

QModelIndex ChannelTableModel::cellIndex(int col, int row) const
{
    return index(row - 1, col - 1);
}

QString ChannelTableModel::cornerHeading() const
{
    return m_table->cell(ChannelTable::ColNumber, 0);
}

int ChannelTableModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ChannelTable::ChannelCount;
}

int ChannelTableModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ChannelTable::ColumnCount - 1;
}

QVariant ChannelTableModel::data(const QModelIndex &index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid))
        return {};
    switch (role) {
    case Qt::DisplayRole:
        return m_table->cell(tableColumn(index), tableRow(index));
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(Qt::Alignment(Qt::AlignCenter));
    case Qt::BackgroundRole:
        if (tableRow(index) % 5 == 0)
            return QBrush(ShadedRowColour);
        return {};
    default:
        return {};
    }
}

QVariant ChannelTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(Qt::Alignment(Qt::AlignCenter));
    if (role != Qt::DisplayRole || section < 0)
        return {};
    if (orientation == Qt::Horizontal)
        return section < columnCount() ? m_table->cell(section + 1, 0) : QVariant();
    return section < rowCount() ? m_table->cell(ChannelTable::ColNumber, section + 1) : QVariant();
}

Qt::ItemFlags ChannelTableModel::flags(const QModelIndex &index) const
{
    // Cells are edited by the grid's own in-place editors, never by a delegate.
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable;
}
