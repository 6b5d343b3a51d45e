#pragma once

#include <QObject>
#include <QPoint>
#include <QPointer>
#include <QString>

#include <functional>

class ChannelGrid;
class ChannelTable;
class ConfirmationDialog;
class FrequencyEdit;
class QAbstractButton;
class QComboBox;
class QTimer;
class ToneListBox;
struct RadioData;

// Editing of the channel grid and the channel list operations.
//
// The grid does not edit its cells: two editors are laid over the current
// cell, the frequency edit box on the receive and transmit frequencies and
// the tone list on the sub-audio cells; a click on a power, band width, scan
// or busy-lock cell switches its value. A row is committed before the
// current cell leaves it and when Enter ends an entry. Below the
// grid: auto add, clear, move up, move down and delete; the new command and
// clear ask first through the confirmation dialog.
//
// currentCol() and currentRow() are the current cell as the editor last
// took it from the grid; the commit, the editors' write-back and the list operations
// act on them.
class ChannelEditor : public QObject
{
    Q_OBJECT

public:
    // The captions and texts of the new and clear confirmations (they come
    // with the language).
    struct ConfirmTexts
    {
        QString title;
        QString newTableText;
        QString clearText;
    };

    // The kinds of change the editor makes to the data, for the undo
    // history.
    enum class Edit { Cell, Tone, Switch, AutoAdd, Move, Delete, Clear, New };
    Q_ENUM(Edit)

    // The auto-add repeat: the first repeat after 1 s, then every 200 ms.
    static constexpr int FirstRepeatMs = 1000;
    static constexpr int RepeatMs = 200;

    // The editors are hidden widgets of the grid's page, laid over the grid
    // when they open.
    ChannelEditor(RadioData *data, ChannelGrid *grid, FrequencyEdit *frequencyEdit,
                  ToneListBox *toneList, QObject *parent = nullptr);

    int currentCol() const { return m_currentCol; }
    int currentRow() const { return m_currentRow; }
    // The row the tone list writes to (in column currentCol()).
    int toneRow() const { return m_toneRow; }
    // Set by arrow keys, and by the wheel over columns 5-8: the next click on
    // a switch cell of a channel only clears it.
    bool skipsNextToggle() const { return m_skipToggle; }

    ChannelGrid *grid() const { return m_grid; }
    FrequencyEdit *frequencyEdit() const { return m_edit; }
    ToneListBox *toneList() const { return m_toneList; }
    QTimer *autoAddTimer() const { return m_timer; }

    // The five buttons under the grid. Auto add works while a mouse button
    // is held on it; it has no click, so the keyboard cannot start it.
    void setButtons(QAbstractButton *autoAdd, QAbstractButton *clear, QAbstractButton *moveUp,
                    QAbstractButton *moveDown, QAbstractButton *remove);
    // The dialog that asks before new and clear; its OK runs them.
    void setConfirmationDialog(ConfirmationDialog *dialog);
    void setConfirmTexts(std::function<ConfirmTexts()> texts);
    // Asked before the new command's confirmation (and before the band range
    // list asks for a new table): false stops the command. The window's
    // question about unsaved changes.
    void setDiscardGuard(std::function<bool()> guard) { m_discardGuard = std::move(guard); }
    // The rows the delete and move operations (and the window's copy and
    // cut) work on: those chosen by their numbers, else the current one.
    QList<int> chosenRows() const;
    // A band range list whose drop-down, when it closes, asks for a new
    // table as the new command does.
    void watchBandRangeList(QComboBox *list);

    // Commits the row of a frequency being typed (the edit box is shown) and
    // hides the edit box; hides the tone list too when hideToneList. Returns
    // false, having shown the conversion message, when the text is not a
    // number.
    bool commitEdit(bool hideToneList);

    // Makes (col, row) the current cell: the column, then the row, each with
    // the grid's select and click when it changes. False when a commit
    // failed and the grid stayed.
    bool makeCurrent(int col, int row);

public slots:
    // The cell click action: hides both editors, takes the grid's current
    // cell, and opens its editor or switches its value.
    void cellClicked();

    // Auto add: one channel at the press, then repeats until the release.
    void autoAddPressed();
    void autoAddReleased();
    void autoAddRepeat();
    void moveUp();
    void moveDown();
    void deleteChannel(); // without asking; every chosen row
    void askClearChannels();
    void askNewTable();

    // What OK on the confirmations does.
    void newTable();
    void clearChannels();

signals:
    // The data changed by the editor's doing; changes with the same non-zero
    // mergeKey belong together (one auto-add press, one tone list opening).
    void edited(ChannelEditor::Edit edit, int mergeKey);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    class ListOperation;

    void beforeCellChange(int col, int row, bool *canSelect);
    void gridKeyDown(int key);
    void gridCharacterTyped(QChar character);
    void gridWheel();
    void gridFocused();
    void gridPainted();
    void frequencyEntered();
    void frequencyTyped();
    void toneChosen(int index);
    void toneListLeft();
    void toneListKeyPressed();

    ChannelTable &table() const;
    // Commits the row of the current cell; false after the conversion
    // message.
    bool commitCurrentRow();
    void showMessage(const QString &message);

    QPoint editBoxPlace(int col, int row) const;
    QPoint toneListPlace(int col, int row) const;
    void openEditBox();
    void openToneList();
    // Selects the tone of cell (currentCol(), row) without writing it back.
    void selectTone(int row);
    void hideEditBox();
    void hideToneList();
    // A focused editor hands the focus to the grid (the tone list writes its
    // choice back as when the user leaves it).
    void leaveEditors();
    // Brings the open editor in line with the cell under it after the list
    // operations changed the cell.
    void refreshEditors();

    bool startAutoAdd();
    double autoAddStep() const;
    void addNextChannel(double step);
    bool moveChannel(int direction);
    // Moves the rows chosen by their numbers one place; each passes over its
    // neighbour.
    void moveRows(const QList<int> &rows, int direction);
    void reportEdit(Edit edit, int mergeKey = 0);
    void askConfirmation(const QString &text, int action);

    RadioData *m_data;
    ChannelGrid *m_grid;
    FrequencyEdit *m_edit;
    ToneListBox *m_toneList;
    QTimer *m_timer;
    // Only compared with the objects the filter sees, also while the button
    // is being destroyed, when it is no longer a QAbstractButton: held as a
    // QObject so that the comparison casts nothing.
    QPointer<QObject> m_autoAddButton;
    QPointer<ConfirmationDialog> m_confirm;
    std::function<ConfirmTexts()> m_confirmTexts;
    QList<QObject *> m_bandRangePopups;
    std::function<bool()> m_discardGuard;
    int m_lastMergeKey = 0;
    int m_autoAddKey = 0;
    int m_toneKey = 0;

    int m_currentCol = 1;
    int m_currentRow = 1;
    int m_toneRow = 1;
    bool m_skipToggle = false;
    // Set while the program selects a tone: only the user's choice writes.
    int m_selectingTone = 0;
    // Set while a list operation runs: its click actions open editors but
    // never switch a value.
    int m_listOperation = 0;
};
