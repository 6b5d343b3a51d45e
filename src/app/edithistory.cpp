#include "app/edithistory.h"

#include "i18n/languageswitch.h"
#include "model/radiodata.h"

#include <QUndoCommand>
#include <QUndoStack>

// One step: the state before and after it. The first redo() is the push
// itself, when the data already holds the state after.
class EditHistory::Step : public QUndoCommand
{
public:
    Step(EditHistory *history, int kind, RadioDataState before, RadioDataState after, int mergeKey)
        : m_history(history), m_before(std::move(before)), m_after(std::move(after)), m_kind(kind),
          m_mergeKey(mergeKey)
    {
        name();
    }

    void name()
    {
        if (m_history->m_namer)
            setText(m_history->m_namer(m_kind));
    }

    void undo() override { m_history->restore(m_before); }
    void redo() override
    {
        if (m_pushed)
            m_history->restore(m_after);
        m_pushed = true;
    }
    int id() const override { return m_mergeKey ? 1 : -1; }
    bool mergeWith(const QUndoCommand *other) override
    {
        const auto *next = static_cast<const Step *>(other);
        if (next->m_mergeKey != m_mergeKey)
            return false;
        m_after = next->m_after;
        setObsolete(m_after == m_before);
        return true;
    }

private:
    EditHistory *m_history;
    RadioDataState m_before;
    RadioDataState m_after;
    int m_kind;
    int m_mergeKey;
    bool m_pushed = false;
};

EditHistory::EditHistory(RadioData *data, QObject *parent)
    : QObject(parent), m_data(data), m_stack(new QUndoStack(this))
{
    m_recorded = state();
    connect(m_stack, &QUndoStack::cleanChanged, this,
            [this](bool clean) { emit modifiedChanged(!clean); });
}

EditHistory::~EditHistory()
{
    // Clearing the stack on its way out signals a last change of index and
    // clean state. Whoever listens (the main window) may be half gone by
    // now: nobody hears it.
    disconnect(m_stack, nullptr, nullptr, nullptr);
    delete m_stack;
}

RadioDataState EditHistory::state() const
{
    RadioDataState s;
    for (int row = 1; row <= ChannelTable::ChannelCount; ++row)
        s.rows[row - 1] = m_data->table.rowData(row);
    for (Setting setting : allSettings())
        s.settings[int(setting)] = m_data->settings.index(setting);
    const std::array<const BandRangeList *, 4> lists = std::as_const(m_data->bands).all();
    for (int i = 0; i < 4; ++i) {
        s.bandEntries[i] = lists[i]->entries();
        s.bandChosen[i] = lists[i]->chosenIndex();
    }
    return s;
}

void EditHistory::restore(const RadioDataState &s)
{
    for (int row = 1; row <= ChannelTable::ChannelCount; ++row)
        m_data->table.setRowData(row, s.rows[row - 1]);
    // The step may have been taken in the other language.
    convertFixedTexts(m_data->table);
    for (Setting setting : allSettings())
        m_data->settings.setIndex(setting, s.settings[int(setting)]);
    const std::array<BandRangeList *, 4> lists = m_data->bands.all();
    for (int i = 0; i < 4; ++i) {
        if (lists[i]->entries() != s.bandEntries[i]) {
            lists[i]->clear();
            for (const QString &entry : s.bandEntries[i])
                lists[i]->append(entry);
        }
        if (lists[i]->chosenIndex() != s.bandChosen[i])
            lists[i]->choose(s.bandChosen[i]);
    }
    m_recorded = state();
}

void EditHistory::record(int kind, int mergeKey)
{
    RadioDataState now = state();
    if (now == m_recorded)
        return;
    RadioDataState before = std::exchange(m_recorded, now);
    m_stack->push(new Step(this, kind, std::move(before), std::move(now), mergeKey));
}

void EditHistory::renameSteps()
{
    for (int i = 0; i < m_stack->count(); ++i)
        static_cast<Step *>(const_cast<QUndoCommand *>(m_stack->command(i)))->name();
    // The stack tells its views of the new names only on a change of index.
    const int index = m_stack->index();
    emit m_stack->indexChanged(index);
}

void EditHistory::resync()
{
    m_recorded = state();
}

void EditHistory::markClean(int kind)
{
    record(kind);
    m_stack->setClean();
}

bool EditHistory::isModified() const
{
    return !m_stack->isClean();
}
