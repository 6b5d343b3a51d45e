#include "editor/channeleditor.h"

#include "editor/channelgrid.h"
#include "editor/confirmationdialog.h"
#include "editor/conversionmessage.h"
#include "editor/frequencyedit.h"
#include "editor/tonelistbox.h"
#include "model/converterror.h"
#include "model/frequency.h"
#include "model/radiodata.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QComboBox>
#include <QCoreApplication>
#include <QEvent>
#include <QTimer>

#include <algorithm>
#include <array>
#include <iterator>

namespace {

// Where an editor sits on its cell. The edit box is 18 px high on a 20 px
// row: it keeps the row's top line free and covers the text.
const QPoint EditBoxOffset(0, 1);
const QPoint ToneListOffset(0, 0);

// The auto-add step in MHz for each choice of the frequency step setting.
constexpr double AutoAddSteps[] = {0.005, 0.00625, 0.01, 0.0125, 0.02, 0.025};

bool isFrequencyColumn(int col)
{
    return col == ChannelTable::ColRxFreq || col == ChannelTable::ColTxFreq;
}

} // namespace

// Marks a list operation for its whole run, also when it stops early.
class ChannelEditor::ListOperation
{
public:
    explicit ListOperation(ChannelEditor *editor) : m_editor(editor)
    {
        ++m_editor->m_listOperation;
    }
    ~ListOperation() { --m_editor->m_listOperation; }
    ListOperation(const ListOperation &) = delete;
    ListOperation &operator=(const ListOperation &) = delete;

private:
    ChannelEditor *m_editor;
};

ChannelEditor::ChannelEditor(RadioData *data, ChannelGrid *grid, FrequencyEdit *frequencyEdit,
                             ToneListBox *toneList, QObject *parent)
    : QObject(parent), m_data(data), m_grid(grid), m_edit(frequencyEdit), m_toneList(toneList)
{
    setObjectName(QStringLiteral("channelEditor"));

    m_toneList->addItems(table().toneList());
    m_toneList->setCurrentIndex(-1);
    // An editor without the focus passes the wheel on to the grid, which
    // moves a row, instead of changing a value under the mouse.
    m_edit->installEventFilter(this);
    m_toneList->installEventFilter(this);

    m_timer = new QTimer(this);
    m_timer->setObjectName(QStringLiteral("autoAddTimer"));
    m_timer->setInterval(FirstRepeatMs);
    connect(m_timer, &QTimer::timeout, this, &ChannelEditor::autoAddRepeat);

    connect(m_grid, &ChannelGrid::selectCell, this, &ChannelEditor::beforeCellChange);
    connect(m_grid, &ChannelGrid::cellClick, this, &ChannelEditor::cellClicked);
    connect(m_grid, &ChannelGrid::keyDown, this,
            [this](int key, Qt::KeyboardModifiers) { gridKeyDown(key); });
    connect(m_grid, &ChannelGrid::keyPress, this, &ChannelEditor::gridCharacterTyped);
    connect(m_grid, &ChannelGrid::mouseWheel, this, &ChannelEditor::gridWheel);
    connect(m_grid, &ChannelGrid::gridEnter, this, &ChannelEditor::gridFocused);
    connect(m_grid, &ChannelGrid::cellsPainted, this, &ChannelEditor::gridPainted);

    connect(m_edit, &FrequencyEdit::enterPressed, this, &ChannelEditor::frequencyEntered);
    connect(m_edit, &FrequencyEdit::keyReleased, this, &ChannelEditor::frequencyTyped);
    connect(m_toneList, &QComboBox::currentIndexChanged, this, &ChannelEditor::toneChosen);
    connect(m_toneList, &ToneListBox::exited, this, &ChannelEditor::toneListLeft);
    connect(m_toneList, &ToneListBox::characterKey, this, &ChannelEditor::toneListKeyPressed);
}

ChannelTable &ChannelEditor::table() const
{
    return m_data->table;
}

void ChannelEditor::setButtons(QAbstractButton *autoAdd, QAbstractButton *clear,
                               QAbstractButton *moveUp, QAbstractButton *moveDown,
                               QAbstractButton *remove)
{
    m_autoAddButton = autoAdd;
    autoAdd->installEventFilter(this);
    connect(clear, &QAbstractButton::clicked, this, &ChannelEditor::askClearChannels);
    connect(moveUp, &QAbstractButton::clicked, this, &ChannelEditor::moveUp);
    connect(moveDown, &QAbstractButton::clicked, this, &ChannelEditor::moveDown);
    connect(remove, &QAbstractButton::clicked, this, &ChannelEditor::deleteChannel);
}

void ChannelEditor::setConfirmationDialog(ConfirmationDialog *dialog)
{
    if (m_confirm)
        disconnect(m_confirm, nullptr, this, nullptr);
    m_confirm = dialog;
    if (!dialog)
        return;
    connect(dialog, &ConfirmationDialog::actionNew, this, &ChannelEditor::newTable);
    connect(dialog, &ConfirmationDialog::actionClear, this, &ChannelEditor::clearChannels);
}

void ChannelEditor::setConfirmTexts(std::function<ConfirmTexts()> texts)
{
    m_confirmTexts = std::move(texts);
}

void ChannelEditor::watchBandRangeList(QComboBox *list)
{
    // The drop-down is a window of its own; its hiding is the list closing.
    QWidget *popup = list->view()->window();
    popup->installEventFilter(this);
    m_bandRangePopups.append(popup);
}

bool ChannelEditor::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_autoAddButton) {
        switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
            // A press whose start failed is not the button's: it stays up.
            return !startAutoAdd();
        case QEvent::MouseButtonRelease:
            autoAddReleased();
            break;
        case QEvent::Hide:
            m_timer->stop();
            break;
        default:
            break;
        }
        return false;
    }
    if ((watched == m_edit || watched == m_toneList) && event->type() == QEvent::Wheel &&
        !static_cast<QWidget *>(watched)->hasFocus()) {
        QCoreApplication::sendEvent(m_grid->viewport(), event);
        return true;
    }
    if (event->type() == QEvent::Hide && m_bandRangePopups.contains(watched))
        askNewTable();
    return QObject::eventFilter(watched, event);
}

// --- The grid's events ---------------------------------------------------

void ChannelEditor::beforeCellChange(int, int, bool *canSelect)
{
    // The row being left is committed; a text that is not a number keeps
    // the grid on it.
    *canSelect = commitCurrentRow();
}

void ChannelEditor::cellClicked()
{
    hideEditBox();
    hideToneList();
    m_currentCol = m_grid->col();
    m_currentRow = m_grid->row();
    const bool hasChannel = !table().cell(ChannelTable::ColRxFreq, m_currentRow).isEmpty();
    switch (m_currentCol) {
    case ChannelTable::ColRxFreq:
        // Also on an empty channel: this is how a new channel is begun.
        openEditBox();
        break;
    case ChannelTable::ColTxFreq:
        if (hasChannel)
            openEditBox();
        break;
    case ChannelTable::ColRxTone:
    case ChannelTable::ColTxTone:
        if (hasChannel)
            openToneList();
        break;
    default: {
        // A list operation only brings the current cell along; it never
        // switches a value.
        if (!hasChannel || m_listOperation > 0)
            break;
        if (m_skipToggle) {
            m_skipToggle = false;
            break;
        }
        const ValueTexts &v = table().valueTexts();
        const QString now = table().cell(m_currentCol, m_currentRow);
        QString next;
        if (m_currentCol == ChannelTable::ColPower)
            next = now == v.highText ? v.lowText : v.highText;
        else if (m_currentCol == ChannelTable::ColBandWidth)
            next = now == v.wideText ? v.narrowText : v.wideText;
        else
            next = now == v.offText ? v.onText : v.offText;
        table().setCell(m_currentCol, m_currentRow, next);
        reportEdit(Edit::Switch);
        break;
    }
    }
}

void ChannelEditor::gridKeyDown(int key)
{
    // Before the grid moves: arriving on a switch cell by arrow must not
    // switch it.
    if (key == Qt::Key_Left || key == Qt::Key_Up || key == Qt::Key_Right || key == Qt::Key_Down)
        m_skipToggle = true;
}

void ChannelEditor::gridCharacterTyped(QChar character)
{
    const bool frequencyCell = m_currentCol == ChannelTable::ColRxFreq ||
                               (m_currentCol == ChannelTable::ColTxFreq &&
                                !table().cell(ChannelTable::ColRxFreq, m_currentRow).isEmpty());
    if (!frequencyCell || m_edit->isHidden())
        return;
    if (character == QLatin1Char('\r')) {
        m_edit->setFocus(Qt::OtherFocusReason);
    } else if (character >= QLatin1Char('0') && character <= QLatin1Char('9')) {
        // The digit starts a new frequency.
        m_edit->setText(QString(character));
        m_edit->setFocus(Qt::OtherFocusReason);
        m_edit->setCursorPosition(1);
    }
}

void ChannelEditor::gridWheel()
{
    // Wheeling down a column of switches changes none of them.
    if (m_currentCol > ChannelTable::ColTxTone)
        m_skipToggle = true;
}

void ChannelEditor::gridFocused()
{
    if (!m_toneList->isHidden())
        hideToneList();
}

void ChannelEditor::gridPainted()
{
    // An editor whose cell has scrolled away is put away; nothing is
    // committed.
    if (!m_edit->isHidden() && m_edit->pos() != editBoxPlace(m_currentCol, m_currentRow))
        hideEditBox();
    if (!m_toneList->isHidden() && m_toneList->pos() != toneListPlace(m_currentCol, m_currentRow))
        hideToneList();
}

// --- The editors' events -------------------------------------------------

void ChannelEditor::frequencyEntered()
{
    m_grid->setFocus(Qt::OtherFocusReason);
    hideEditBox();
    commitCurrentRow();
    // The edit box comes back over the cell with the committed text, or with
    // the text as typed when it was not a number, so the current cell stays
    // marked.
    cellClicked();
}

void ChannelEditor::frequencyTyped()
{
    // The cell follows the typing; normalising waits for the commit.
    table().setCell(m_currentCol, m_currentRow, m_edit->text());
}

void ChannelEditor::toneChosen(int index)
{
    if (m_selectingTone)
        return;
    table().setCell(m_currentCol, m_toneRow, index >= 0 ? m_toneList->itemText(index) : QString());
    reportEdit(Edit::Tone, m_toneKey);
}

void ChannelEditor::toneListLeft()
{
    if (m_toneList->isHidden())
        return;
    // Written before a click elsewhere commits the row.
    table().setCell(m_currentCol, m_toneRow, m_toneList->currentText());
    m_toneList->hide();
    reportEdit(Edit::Tone, m_toneKey);
}

void ChannelEditor::toneListKeyPressed()
{
    // Leaving the list writes the choice (toneListLeft).
    m_grid->setFocus(Qt::OtherFocusReason);
    m_toneList->hide();
}

// --- Editors ---------------------------------------------------------------

QPoint ChannelEditor::editBoxPlace(int col, int row) const
{
    return m_grid->cellRect(col, row, m_edit->parentWidget()).topLeft() + EditBoxOffset;
}

QPoint ChannelEditor::toneListPlace(int col, int row) const
{
    return m_grid->cellRect(col, row, m_toneList->parentWidget()).topLeft() + ToneListOffset;
}

void ChannelEditor::openEditBox()
{
    m_edit->move(editBoxPlace(m_currentCol, m_currentRow));
    m_edit->setText(table().cell(m_currentCol, m_currentRow));
    m_edit->show();
    m_edit->raise();
}

void ChannelEditor::openToneList()
{
    ++m_selectingTone;
    const QStringList &tones = table().toneList();
    if (m_toneList->count() != tones.size()) {
        m_toneList->clear();
        m_toneList->addItems(tones);
    } else {
        // The language load replaces the off text.
        m_toneList->setItemText(0, tones.value(0));
    }
    --m_selectingTone;
    m_toneList->move(toneListPlace(m_currentCol, m_currentRow));
    m_toneList->show();
    m_toneList->raise();
    selectTone(m_currentRow);
    m_toneRow = m_currentRow;
    m_toneKey = ++m_lastMergeKey;
}

void ChannelEditor::selectTone(int row)
{
    // The first exact match; a text that is no choice keeps the previous
    // choice, an empty cell none.
    const QString text = table().cell(m_currentCol, row);
    ++m_selectingTone;
    if (text.isEmpty()) {
        m_toneList->setCurrentIndex(-1);
    } else {
        const int index = m_toneList->findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive);
        if (index >= 0)
            m_toneList->setCurrentIndex(index);
    }
    --m_selectingTone;
}

void ChannelEditor::hideEditBox()
{
    if (m_edit->hasFocus())
        m_grid->setFocus(Qt::OtherFocusReason);
    m_edit->hide();
}

void ChannelEditor::hideToneList()
{
    if (m_toneList->hasFocus())
        m_grid->setFocus(Qt::OtherFocusReason);
    m_toneList->hide();
}

void ChannelEditor::leaveEditors()
{
    if (m_edit->hasFocus() || m_toneList->hasFocus())
        m_grid->setFocus(Qt::OtherFocusReason);
}

void ChannelEditor::refreshEditors()
{
    if (isFrequencyColumn(m_currentCol))
        m_edit->setText(table().cell(m_currentCol, m_currentRow));
    // A tone list left open on a cell whose text changed would write its
    // old choice over the new text when the user leaves it.
    if (!m_toneList->isHidden() && m_toneRow == m_currentRow &&
        (m_currentCol == ChannelTable::ColRxTone || m_currentCol == ChannelTable::ColTxTone))
        selectTone(m_toneRow);
}

// --- Commits -------------------------------------------------------------

bool ChannelEditor::commitCurrentRow()
{
    try {
        table().commitRow(m_currentCol, m_currentRow);
        // Inside a list operation the commit is part of its step.
        if (m_listOperation == 0)
            reportEdit(Edit::Cell);
        return true;
    } catch (const ConvertError &error) {
        showMessage(error.message());
        return false;
    }
}

void ChannelEditor::showMessage(const QString &message)
{
    showConversionMessage(m_grid->window(), message);
}

bool ChannelEditor::commitEdit(bool hideToneList)
{
    if (!m_edit->isHidden()) {
        if (!commitCurrentRow())
            return false;
        hideEditBox();
    }
    if (hideToneList)
        this->hideToneList();
    return true;
}

bool ChannelEditor::makeCurrent(int col, int row)
{
    return m_grid->setCol(col) && m_grid->setRow(row);
}

// --- Auto add --------------------------------------------------------------

double ChannelEditor::autoAddStep() const
{
    const int index = m_data->settings.index(Setting::Freq_Step);
    return index >= 0 && index < int(std::size(AutoAddSteps)) ? AutoAddSteps[index] : 0.0;
}

void ChannelEditor::addNextChannel(double step)
{
    // The previous channel's value plus the step, written as a plain number
    // and moved onto the raster by normaliseFrequencyCell.
    const double next = parseFrequency(table().cell(ChannelTable::ColRxFreq, m_currentRow)) + step;
    ++m_currentRow;
    table().setCell(ChannelTable::ColRxFreq, m_currentRow, formatGeneral(next));
    table().normaliseFrequencyCell(ChannelTable::ColRxFreq, m_currentRow);
    table().applyNewChannelDefaults(m_currentRow);
    makeCurrent(m_currentCol, m_currentRow);
}

void ChannelEditor::autoAddPressed()
{
    startAutoAdd();
}

bool ChannelEditor::startAutoAdd()
{
    m_timer->setInterval(FirstRepeatMs);
    m_timer->start();
    leaveEditors();
    // One undo step for the press and every repeat while it is held.
    m_autoAddKey = ++m_lastMergeKey;
    struct Report
    {
        ChannelEditor *editor;
        ~Report() { editor->reportEdit(Edit::AutoAdd, editor->m_autoAddKey); }
    } report{this};
    ListOperation operation(this);
    ChannelTable &t = table();
    try {
        if (m_currentRow < 1)
            m_currentRow = 1;
        const double step = autoAddStep();
        if (t.cell(ChannelTable::ColRxFreq, m_currentRow).isEmpty()) {
            // An empty channel starts at the lower edge of band one.
            const QString start = m_data->bands.list1_rx.chosenText().left(3);
            t.setCell(ChannelTable::ColRxFreq, m_currentRow, start);
            try {
                t.normaliseFrequencyCell(ChannelTable::ColRxFreq, m_currentRow);
            } catch (const ConvertError &) {
                t.setCell(ChannelTable::ColRxFreq, m_currentRow, QString());
                throw;
            }
            t.applyNewChannelDefaults(m_currentRow);
            makeCurrent(m_currentCol, m_currentRow);
        } else if (t.cell(ChannelTable::ColRxTone, m_currentRow).isEmpty()) {
            // A receive frequency typed but not committed: the press only
            // completes that channel.
            t.commitRow(m_currentCol, m_currentRow);
        } else if (m_currentRow < ChannelTable::ChannelCount) {
            // An edited frequency of this channel is committed first, so it
            // does not stay as typed when the grid moves on.
            t.commitRow(m_currentCol, m_currentRow);
            addNextChannel(step);
        }
        if (isFrequencyColumn(m_currentCol))
            m_edit->setText(t.cell(m_currentCol, m_currentRow));
        return true;
    } catch (const ConvertError &error) {
        // One message per press; the repeat stops with it.
        m_timer->stop();
        showMessage(error.message());
        return false;
    }
}

void ChannelEditor::autoAddReleased()
{
    m_timer->stop();
}

void ChannelEditor::autoAddRepeat()
{
    m_timer->setInterval(RepeatMs);
    // At channel 199 the timer ticks on idle until the button is released.
    if (m_currentRow >= ChannelTable::ChannelCount)
        return;
    ListOperation operation(this);
    if (m_currentRow < 1)
        m_currentRow = 1;
    try {
        addNextChannel(autoAddStep());
        reportEdit(Edit::AutoAdd, m_autoAddKey);
        if (isFrequencyColumn(m_currentCol))
            m_edit->setText(table().cell(m_currentCol, m_currentRow));
    } catch (const ConvertError &error) {
        m_timer->stop();
        showMessage(error.message());
    }
}

// --- Move, delete, clear, new ---------------------------------------------

bool ChannelEditor::moveChannel(int direction)
{
    leaveEditors();
    ListOperation operation(this);
    ChannelTable &t = table();
    if (!commitCurrentRow())
        return false;

    const int neighbour = m_currentRow + direction;
    const bool hasNeighbour = neighbour >= 1 && neighbour <= ChannelTable::ChannelCount;
    std::array<QString, 8> copy;
    if (hasNeighbour) {
        // Taken before the select event commits the neighbour, so its texts
        // come back exactly as they were.
        copy = t.rowData(neighbour);
        m_currentRow = neighbour;
        const bool moved = makeCurrent(m_currentCol, m_currentRow);
        m_currentRow -= direction;
        if (!moved)
            return false;
    }
    // Only a channel whose current cell holds a text moves; the current cell
    // travels with it.
    if (hasNeighbour && m_currentCol > 0 && !t.cell(m_currentCol, m_currentRow).isEmpty()) {
        const std::array<QString, 8> moving = t.rowData(m_currentRow);
        t.setRowData(neighbour, moving);
        t.setRowData(m_currentRow, copy);
        m_currentRow = neighbour;
    }
    m_currentRow = qBound(1, m_currentRow, int(ChannelTable::ChannelCount));
    refreshEditors();
    return true;
}

void ChannelEditor::moveRows(const QList<int> &rows, int direction)
{
    leaveEditors();
    ListOperation operation(this);
    if (!commitCurrentRow())
        return;
    hideEditBox();
    hideToneList();
    if (rows.isEmpty() ||
        (direction < 0 ? rows.first() <= 1 : rows.last() >= ChannelTable::ChannelCount))
        return;
    ChannelTable &t = table();
    QList<int> order = rows;
    if (direction > 0)
        std::reverse(order.begin(), order.end());
    // Each row changes place with the row it moves onto, so a block slides
    // over its neighbour and the neighbour comes out at the other end.
    for (int row : std::as_const(order)) {
        const ChannelCells moving = t.rowData(row);
        t.setRowData(row, t.rowData(row + direction));
        t.setRowData(row + direction, moving);
    }
    QList<int> moved;
    for (int row : rows)
        moved << row + direction;
    m_grid->selectRowList(moved);
    if (rows.contains(m_currentRow)) {
        m_currentRow += direction;
        makeCurrent(m_currentCol, m_currentRow);
    }
}

void ChannelEditor::moveUp()
{
    const QList<int> rows = m_grid->selectedRows();
    if (rows.isEmpty())
        moveChannel(-1);
    else
        moveRows(rows, -1);
    reportEdit(Edit::Move);
}

void ChannelEditor::moveDown()
{
    const QList<int> rows = m_grid->selectedRows();
    if (rows.isEmpty())
        moveChannel(+1);
    else
        moveRows(rows, +1);
    reportEdit(Edit::Move);
}

QList<int> ChannelEditor::chosenRows() const
{
    QList<int> rows = m_grid->selectedRows();
    if (rows.isEmpty() && m_currentRow > 0)
        rows << m_currentRow;
    return rows;
}

void ChannelEditor::deleteChannel()
{
    leaveEditors();
    // No commit and no closing up: the channels' rows are emptied in place.
    for (int row : chosenRows())
        table().clearRow(row);
    m_edit->clear();
    hideEditBox();
    hideToneList();
    reportEdit(Edit::Delete);
}

void ChannelEditor::reportEdit(Edit edit, int mergeKey)
{
    emit edited(edit, mergeKey);
}

void ChannelEditor::askConfirmation(const QString &text, int action)
{
    if (m_confirm)
        m_confirm->showMessage(m_confirmTexts ? m_confirmTexts().title : QString(), text, action);
}

void ChannelEditor::askClearChannels()
{
    askConfirmation(m_confirmTexts ? m_confirmTexts().clearText : QString(),
                    ConfirmationDialog::ActionClear);
}

void ChannelEditor::askNewTable()
{
    if (m_discardGuard && !m_discardGuard())
        return;
    askConfirmation(m_confirmTexts ? m_confirmTexts().newTableText : QString(),
                    ConfirmationDialog::ActionNew);
}

void ChannelEditor::clearChannels()
{
    leaveEditors();
    ListOperation operation(this);
    table().clearAll();
    makeCurrent(ChannelTable::ColRxFreq, 1);
    hideToneList();
    hideEditBox();
    reportEdit(Edit::Clear);
}

void ChannelEditor::newTable()
{
    leaveEditors();
    ListOperation operation(this);
    m_edit->clear();
    m_data->settings.restoreDefaults();
    table().clearAll();
    // When the current cell changes, the (empty) edit box opens on channel
    // 1's receive frequency.
    makeCurrent(ChannelTable::ColRxFreq, 1);
    reportEdit(Edit::New);
}
