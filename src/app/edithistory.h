#pragma once

#include "model/channel.h"
#include "model/functionsettings.h"

#include <QObject>
#include <QString>

#include <array>
#include <functional>

class QUndoStack;
struct RadioData;

// The channel table's rows 1-199, the function settings' indexes and the
// band range lists (a channel file names its band): what one undo step
// restores.
struct RadioDataState
{
    std::array<ChannelCells, 199> rows;
    std::array<int, SettingCount> settings{};
    std::array<QStringList, 4> bandEntries;
    std::array<int, 4> bandChosen{};
    friend bool operator==(const RadioDataState &, const RadioDataState &) = default;
};

// The undo history of the channel table and the function settings, and
// with it whether they differ from what was last opened, saved, read or
// imported (the stack's clean state).
//
// Every command that changes the data calls record() once it is done: what
// differs from the state after the last step becomes one step, so a command
// needs no knowledge of the cells it touched. A language switch changes the
// cells' texts but is no step: resync() takes the converted texts as the
// state to compare with, and a step undone or redone after a switch has its
// fixed texts converted to the language now in force.
class EditHistory : public QObject
{
    Q_OBJECT

public:
    explicit EditHistory(RadioData *data, QObject *parent = nullptr);
    ~EditHistory() override;

    QUndoStack *stack() const { return m_stack; }

    // One step of kind `kind` with what changed since the last step;
    // nothing when nothing changed. The step is named by the namer (its
    // text in the language now in force). A step with a non-zero mergeKey
    // joins the step before it when that has the same key (one auto-add
    // press, however long the button is held).
    void record(int kind, int mergeKey = 0);
    void setNamer(std::function<QString(int kind)> namer) { m_namer = std::move(namer); }
    // Names every step anew (after a language switch).
    void renameSteps();
    // A key for record() that no earlier step has.
    int newMergeKey() { return ++m_lastKey; }
    // Takes the data as it is now as the state to compare with, without a
    // step (after a language switch).
    void resync();
    // Records what is pending as a step named `name`, then marks the data
    // as unmodified (it was just opened, saved, read or imported).
    void markClean(int kind);
    bool isModified() const;

    RadioDataState state() const;
    // Puts a state into the data, converting the fixed texts of either
    // language to the language now in force.
    void restore(const RadioDataState &state);

signals:
    void modifiedChanged(bool modified);

private:
    class Step;

    RadioData *m_data;
    QUndoStack *m_stack;
    RadioDataState m_recorded;
    int m_lastKey = 0;
    std::function<QString(int kind)> m_namer;
};
