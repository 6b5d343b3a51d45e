#include "editor/channelgrid.h"

#include "editor/channeltablemodel.h"

#include "model/channeltable.h"

#include <QAbstractButton>
#include <QEvent>
#include <QGuiApplication>
#include <QHeaderView>
#include <QItemSelection>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyledItemDelegate>
#include <QWheelEvent>

#include <algorithm>

namespace {

// One notch of a mouse wheel, in eighths of a degree.
constexpr int WheelNotch = 120;

// Draws cells without focus marks: the current cell is shown by the editor
// laid over it, not by the grid.
class PlainCellDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;

protected:
    void initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const override
    {
        QStyledItemDelegate::initStyleOption(option, index);
        // Only whole rows chosen by their numbers are ever selected.
        option->state &= ~QStyle::State_HasFocus;
    }
};

// The grid keeps its own colours whatever skin the window wears: the fixed
// heading row and number column silver, data cells on the window colour.
const char *const GridStyleSheet = R"(
QTableView {
    background-color: palette(base);
    color: black;
    gridline-color: rgb(160, 160, 160);
    border: 1px solid rgb(128, 128, 128);
}
QHeaderView::section, QTableCornerButton::section {
    background-color: rgb(192, 192, 192);
    color: black;
    border: none;
    border-right: 1px solid rgb(128, 128, 128);
    border-bottom: 1px solid rgb(128, 128, 128);
    padding: 0px;
}
)";

} // namespace

ChannelGrid::ChannelGrid(QWidget *parent) : QTableView(parent)
{
    QFont gridFont(QStringLiteral("Arial"));
    gridFont.setPixelSize(12);
    setFont(gridFont);
    setStyleSheet(QString::fromLatin1(GridStyleSheet));

    setItemDelegate(new PlainCellDelegate(this));
    setEditTriggers(NoEditTriggers);
    setSelectionMode(NoSelection);
    setTabKeyNavigation(false);
    setWordWrap(false);
    setCornerButtonEnabled(false);
    // Typed characters are the editor's, not a search for a matching row.
    setAttribute(Qt::WA_InputMethodEnabled, false);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setVerticalScrollMode(ScrollPerItem);

    QHeaderView *top = horizontalHeader();
    top->setSectionResizeMode(QHeaderView::Fixed);
    top->setSectionsClickable(false);
    top->setHighlightSections(false);
    top->setMinimumSectionSize(1);
    top->setFixedHeight(RowHeight);
    top->setDefaultAlignment(Qt::AlignCenter);

    QHeaderView *left = verticalHeader();
    left->setSectionResizeMode(QHeaderView::Fixed);
    // The channel numbers choose rows (for copy, cut, paste, delete and
    // move). The view's own row selection would also move the current cell
    // behind the editor's back: the grid does it instead.
    left->setSectionsClickable(true);
    left->setHighlightSections(true);
    disconnect(left, &QHeaderView::sectionPressed, this, nullptr);
    disconnect(left, &QHeaderView::sectionEntered, this, nullptr);
    connect(left, &QHeaderView::sectionPressed, this, &ChannelGrid::rowNumberPressed);
    connect(left, &QHeaderView::sectionEntered, this, &ChannelGrid::rowNumberEntered);
    left->setMinimumSectionSize(1);
    left->setDefaultSectionSize(RowHeight);
    left->setFixedWidth(NumberColumnWidth);
    left->setDefaultAlignment(Qt::AlignCenter);

    // The corner shows the heading of the number column.
    m_corner = findChild<QAbstractButton *>(QString(), Qt::FindDirectChildrenOnly);
    if (m_corner)
        m_corner->installEventFilter(this);
}

void ChannelGrid::setChannelModel(ChannelTableModel *model)
{
    m_model = model;
    setModel(model);
    for (int col = 0; col < 8; ++col)
        horizontalHeader()->resizeSection(col, ColumnWidths[col]);
    if (m_model && m_corner)
        connect(m_model, &ChannelTableModel::cornerHeadingChanged, m_corner,
                qOverload<>(&QWidget::update));
    // The grid starts on channel 1's receive frequency, without events.
    if (m_model)
        selectionModel()->setCurrentIndex(m_model->index(0, 0), QItemSelectionModel::NoUpdate);
}

int ChannelGrid::col() const
{
    const QModelIndex current = currentIndex();
    return current.isValid() ? ChannelTableModel::tableColumn(current) : 0;
}

int ChannelGrid::row() const
{
    const QModelIndex current = currentIndex();
    return current.isValid() ? ChannelTableModel::tableRow(current) : 0;
}

bool ChannelGrid::setCol(int col)
{
    if (!m_model)
        return false;
    const QModelIndex target = m_model->cellIndex(col, row());
    if (!target.isValid())
        return false;
    return target == currentIndex() || moveTo(target, true);
}

bool ChannelGrid::setRow(int row)
{
    if (!m_model)
        return false;
    const QModelIndex target = m_model->cellIndex(col(), row);
    if (!target.isValid())
        return false;
    return target == currentIndex() || moveTo(target, true);
}

QRect ChannelGrid::cellRect(int col, int row, const QWidget *widget) const
{
    if (!m_model)
        return {};
    const QRect cell = visualRect(m_model->cellIndex(col, row));
    if (!cell.isValid())
        return {};
    const QPoint inWindow = viewport()->mapTo(window(), cell.topLeft());
    return QRect(widget->mapFrom(window(), inWindow), cell.size());
}

bool ChannelGrid::cursorAction(int key, CursorAction *action)
{
    switch (key) {
    case Qt::Key_Up:
        *action = MoveUp;
        return true;
    case Qt::Key_Down:
        *action = MoveDown;
        return true;
    case Qt::Key_Left:
        *action = MoveLeft;
        return true;
    case Qt::Key_Right:
        *action = MoveRight;
        return true;
    case Qt::Key_Home:
        *action = MoveHome;
        return true;
    case Qt::Key_End:
        *action = MoveEnd;
        return true;
    case Qt::Key_PageUp:
        *action = MovePageUp;
        return true;
    case Qt::Key_PageDown:
        *action = MovePageDown;
        return true;
    default:
        return false;
    }
}

bool ChannelGrid::moveTo(const QModelIndex &index, bool clickNow)
{
    bool canSelect = true;
    emit selectCell(ChannelTableModel::tableColumn(index), ChannelTableModel::tableRow(index),
                    &canSelect);
    if (!canSelect)
        return false;
    if (index != currentIndex())
        selectionModel()->setCurrentIndex(index, QItemSelectionModel::NoUpdate);
    if (clickNow)
        emit cellClick();
    return true;
}

QList<int> ChannelGrid::selectedRows() const
{
    QList<int> rows;
    if (!selectionModel())
        return rows;
    for (const QModelIndex &index : selectionModel()->selectedIndexes()) {
        const int row = ChannelTableModel::tableRow(index);
        if (!rows.contains(row))
            rows << row;
    }
    std::sort(rows.begin(), rows.end());
    return rows;
}

void ChannelGrid::selectRows(int first, int last)
{
    if (!m_model)
        return;
    if (first > last)
        std::swap(first, last);
    const QItemSelection rows(m_model->cellIndex(ChannelTable::ColRxFreq, first),
                              m_model->cellIndex(ChannelTable::ColBusyLock, last));
    selectionModel()->select(rows, QItemSelectionModel::ClearAndSelect);
}

void ChannelGrid::selectRowList(const QList<int> &rows)
{
    clearRowSelection();
    if (!m_model)
        return;
    QItemSelection chosen;
    for (int row : rows)
        chosen.select(m_model->cellIndex(ChannelTable::ColRxFreq, row),
                      m_model->cellIndex(ChannelTable::ColBusyLock, row));
    selectionModel()->select(chosen, QItemSelectionModel::Select);
}

void ChannelGrid::clearRowSelection()
{
    if (selectionModel() && selectionModel()->hasSelection())
        selectionModel()->clearSelection();
}

void ChannelGrid::rowNumberPressed(int section)
{
    if (!m_model)
        return;
    const Qt::KeyboardModifiers modifiers = QGuiApplication::keyboardModifiers();
    const int row = section + 1;
    if (modifiers & Qt::ShiftModifier && m_anchorRow >= 0) {
        selectRows(m_anchorRow + 1, row);
        return;
    }
    m_anchorRow = section;
    if (modifiers & Qt::ControlModifier) {
        const QItemSelection one(m_model->cellIndex(ChannelTable::ColRxFreq, row),
                                 m_model->cellIndex(ChannelTable::ColBusyLock, row));
        selectionModel()->select(one, QItemSelectionModel::Toggle);
        return;
    }
    selectRows(row, row);
}

void ChannelGrid::rowNumberEntered(int section)
{
    if (m_anchorRow >= 0 && (QGuiApplication::mouseButtons() & Qt::LeftButton))
        selectRows(m_anchorRow + 1, section + 1);
}

void ChannelGrid::mousePressEvent(QMouseEvent *event)
{
    event->accept();
    m_clickOnRelease = false;
    clearRowSelection();
    if (event->button() != Qt::LeftButton)
        return;
    const QModelIndex index = indexAt(event->position().toPoint());
    // A press on the current cell commits its row as a press elsewhere does.
    if (index.isValid())
        m_clickOnRelease = moveTo(index, false);
}

void ChannelGrid::mouseReleaseEvent(QMouseEvent *event)
{
    event->accept();
    if (event->button() == Qt::LeftButton && m_clickOnRelease) {
        m_clickOnRelease = false;
        emit cellClick();
    }
}

void ChannelGrid::mouseDoubleClickEvent(QMouseEvent *event)
{
    // The second press of a double click neither commits nor clicks: a
    // double click on a switch cell switches it once.
    event->accept();
    m_clickOnRelease = false;
}

void ChannelGrid::mouseMoveEvent(QMouseEvent *event)
{
    // Dragging never moves the current cell.
    event->accept();
}

void ChannelGrid::keyPressEvent(QKeyEvent *event)
{
    event->accept();
    emit keyDown(event->key(), event->modifiers());
    CursorAction action;
    if (cursorAction(event->key(), &action)) {
        clearRowSelection();
        const QModelIndex target = moveCursor(action, event->modifiers());
        if (target.isValid() && target != currentIndex())
            moveTo(target, true);
        return;
    }
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        emit keyPress(QLatin1Char('\r'));
        return;
    }
    const QString text = event->text();
    if (!text.isEmpty())
        emit keyPress(text.at(0));
}

void ChannelGrid::wheelEvent(QWheelEvent *event)
{
    event->accept();
    const int delta = event->angleDelta().y();
    if (delta == 0)
        return;
    // Fine-grained wheels add up to whole notches; a change of direction
    // starts afresh.
    if ((delta > 0) != (m_wheelRest > 0))
        m_wheelRest = 0;
    m_wheelRest += delta;
    while (qAbs(m_wheelRest) >= WheelNotch) {
        const bool up = m_wheelRest > 0;
        m_wheelRest -= up ? WheelNotch : -WheelNotch;
        emit mouseWheel();
        const int next = row() + (up ? -1 : 1);
        if (next >= 1 && next <= ChannelTable::ChannelCount)
            setRow(next);
    }
}

void ChannelGrid::focusInEvent(QFocusEvent *event)
{
    QTableView::focusInEvent(event);
    // Coming back from a drop-down or another window is not entering the
    // grid from another part of the window.
    if (event->reason() != Qt::PopupFocusReason && event->reason() != Qt::ActiveWindowFocusReason)
        emit gridEnter();
}

void ChannelGrid::paintEvent(QPaintEvent *event)
{
    QTableView::paintEvent(event);
    emit cellsPainted();
}

void ChannelGrid::scrollContentsBy(int dx, int dy)
{
    QTableView::scrollContentsBy(dx, dy);
    emit cellsPainted();
}

bool ChannelGrid::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_corner && event->type() == QEvent::Paint) {
        paintCorner(m_corner);
        return true;
    }
    return QTableView::eventFilter(watched, event);
}

void ChannelGrid::paintCorner(QWidget *corner)
{
    QStyleOptionHeader option;
    option.initFrom(corner);
    option.state |= QStyle::State_Enabled;
    option.rect = corner->rect();
    option.position = QStyleOptionHeader::OnlyOneSection;
    option.text = m_model ? m_model->cornerHeading() : QString();
    option.textAlignment = Qt::AlignCenter;
    QPainter painter(corner);
    corner->style()->drawControl(QStyle::CE_Header, &option, &painter, corner);
}
