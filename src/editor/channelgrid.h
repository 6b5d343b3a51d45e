#pragma once

#include <QTableView>

class ChannelTableModel;

// The channel grid: 199 channel rows under a heading row, the channel numbers
// in a fixed column on the left. Fixed cell sizes, centred texts, every fifth
// row shaded. The grid never edits a cell itself and never highlights the
// current cell: in-place editors laid over its cells do the editing and mark
// it.
//
// The grid owns the moves of its current cell and raises the events the
// editor relies on, in a fixed order: selectCell before the current cell is
// set (a handler may keep the grid where it is), cellClick after it. Both
// come for a left mouse press on any data cell, the current one too (the
// click on release), for an arrow, Page Up/Down, Home or End key that moves,
// for a wheel notch (one row up or down within channels 1-199) and whenever
// setCol or setRow changes the current cell. The second press of a double
// click raises neither. Columns and rows here are those of the channel table:
// data columns 1-8, channel rows 1-199.
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

    // The current cell, table column 1-8 and row 1-199.
    int col() const;
    int row() const;
    // Moves the current cell to another column or row. A value equal to the
    // present one raises nothing; otherwise selectCell, the move and
    // cellClick. Returns false when the select handler kept the grid where it
    // was.
    bool setCol(int col);
    bool setRow(int row);

    // The rows chosen by their numbers on the left (a press chooses one, with
    // Shift a range from the last one pressed, with Ctrl one more or one
    // fewer; dragging down the numbers chooses a range), ascending; empty
    // when none is chosen. A press on a data cell or an arrow key drops
    // them. The current cell stays where it is.
    QList<int> selectedRows() const;
    void selectRows(int first, int last);
    void selectRowList(const QList<int> &rows);
    void clearRowSelection();

    // Cell (col, row) in the coordinates of `widget`; the cell's bottom and
    // right grid lines belong to it.
    QRect cellRect(int col, int row, const QWidget *widget) const;

signals:
    // Before the current cell moves to (col, row); clear *canSelect to keep it.
    void selectCell(int col, int row, bool *canSelect);
    // After the current cell was set (for the mouse: on the button release).
    void cellClick();
    // Every key pressed while the grid has the focus, before the grid moves.
    void keyDown(int key, Qt::KeyboardModifiers modifiers);
    // A character typed while the grid has the focus (Enter is "\r").
    void keyPress(QChar character);
    // One wheel notch over the grid, before the current cell moves.
    void mouseWheel();
    // The grid got the keyboard focus from another part of the window.
    void gridEnter();
    // Cells were painted or scrolled: editors check they still sit on their
    // cell.
    void cellsPainted();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    void paintCorner(QWidget *corner);
    void rowNumberPressed(int section);
    void rowNumberEntered(int section);
    // The keys that move the current cell, as the view's cursor moves.
    static bool cursorAction(int key, CursorAction *action);
    // selectCell, the move, cellClick; false when the move was refused.
    bool moveTo(const QModelIndex &index, bool clickNow);

    ChannelTableModel *m_model = nullptr;
    QWidget *m_corner = nullptr;
    // A press moved (or stayed on) the current cell; its release clicks.
    bool m_clickOnRelease = false;
    // Wheel angle not yet spent on whole notches.
    int m_wheelRest = 0;
    // The row number pressed last without Shift (model row), -1 for none.
    int m_anchorRow = -1;
};
