#include "editor/channelgrid.h"

#include "editor/channeltablemodel.h"

#include <QAbstractButton>
#include <QEvent>
#include <QHeaderView>
#include <QPainter>
#include <QStyledItemDelegate>

namespace {

// Draws cells without selection or focus marks: the current cell is shown by
// the editor laid over it, not by the grid.
class PlainCellDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;

protected:
    void initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const override
    {
        QStyledItemDelegate::initStyleOption(option, index);
        option->state &= ~(QStyle::State_Selected | QStyle::State_HasFocus);
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
    setObjectName(QStringLiteral("StringAlignGrid1"));
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
    left->setSectionsClickable(false);
    left->setHighlightSections(false);
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
