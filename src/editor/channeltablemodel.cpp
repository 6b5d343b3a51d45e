#include "editor/channeltablemodel.h"

#include "model/bandcheck.h"
#include "model/bandranges.h"
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
        // A receive frequency that comes or goes makes the row's transmit
        // frequency count or not.
        if (index.isValid() && m_bands && col == ChannelTable::ColRxFreq)
            emit dataChanged(cellIndex(ChannelTable::ColTxFreq, row),
                             cellIndex(ChannelTable::ColTxFreq, row));
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

void ChannelTableModel::setBandRanges(const BandRanges *bands)
{
    if (m_bands)
        disconnect(m_bands, nullptr, this, nullptr);
    m_bands = bands;
    if (m_bands)
        connect(m_bands, &BandRanges::chosenTextChanged, this,
                &ChannelTableModel::frequenciesChanged);
    frequenciesChanged();
}

void ChannelTableModel::frequenciesChanged()
{
    for (int col : {int(ChannelTable::ColRxFreq), int(ChannelTable::ColTxFreq)})
        emit dataChanged(cellIndex(col, 1), cellIndex(col, ChannelTable::ChannelCount));
}

QStringList ChannelTableModel::outOfBandRanges(const QModelIndex &index) const
{
    const int col = tableColumn(index);
    if (!m_bands || (col != ChannelTable::ColRxFreq && col != ChannelTable::ColTxFreq))
        return {};
    const BandDirection direction =
        col == ChannelTable::ColRxFreq ? BandDirection::Receive : BandDirection::Transmit;
    for (const OutOfBand &finding :
         outOfBand(m_table->channel(tableRow(index)).channel, BandLimits::of(*m_bands))) {
        if (finding.direction == direction)
            return finding.ranges;
    }
    return {};
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
        if (!outOfBandRanges(index).isEmpty())
            return QBrush(OutOfBandBackground);
        if (tableRow(index) % 5 == 0)
            return QBrush(ShadedRowColour);
        return {};
    case Qt::ForegroundRole:
        if (!outOfBandRanges(index).isEmpty())
            return QBrush(OutOfBandForeground);
        return {};
    case Qt::ToolTipRole: {
        const QStringList ranges = outOfBandRanges(index);
        if (ranges.isEmpty())
            return {};
        const QString joined = ranges.join(QStringLiteral(", "));
        return m_outOfBandToolTip.contains(QLatin1String("%1")) ? m_outOfBandToolTip.arg(joined)
                                                                : joined;
    }
    case OutOfBandRole:
        return outOfBandRanges(index);
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
