#pragma once

#include <QTableView>

class ChannelTableModel;

// The channel grid: 199 channel rows under a heading row, the channel numbers
// in a fixed column on the left. Fixed cell sizes, centred texts, every fifth
// row shaded. The grid never edits a cell itself and never highlights the
// current cell: in-place editors laid over visualRect(currentIndex()) do the
// editing and mark it.
class ChannelGrid : public QTableView
{
    Q_OBJECT

public:
    // Width of the channel-number column, then of data columns 1-8.
    static constexpr int NumberColumnWidth = 35;
    static constexpr int ColumnWidths[8] = {66, 73, 66, 72, 60, 48, 35, 61};
    static constexpr int RowHeight = 20;

    explicit ChannelGrid(QWidget *parent = nullptr);

    void setChannelModel(ChannelTableModel *model);
    ChannelTableModel *channelModel() const { return m_model; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void paintCorner(QWidget *corner);

    ChannelTableModel *m_model = nullptr;
    QWidget *m_corner = nullptr;
};
