#include "model/bandranges.h"

BandRangeList::BandRangeList(const QString &name, QObject *parent) : QObject(parent), m_name(name)
{}

int BandRangeList::append(const QString &text)
{
    m_entries.append(text);
    emit entriesChanged();
    return m_entries.size() - 1;
}

void BandRangeList::clear()
{
    const QString before = chosenText();
    m_entries.clear();
    m_chosen = -1;
    emit entriesChanged();
    if (!before.isEmpty())
        emit chosenTextChanged();
}

void BandRangeList::choose(int index)
{
    if (index < 0 || index >= m_entries.size())
        index = -1;
    if (index == m_chosen)
        return;
    const QString before = chosenText();
    m_chosen = index;
    if (chosenText() != before)
        emit chosenTextChanged();
}

BandRanges::BandRanges(QObject *parent)
    : QObject(parent), list1_rx(QStringLiteral("list1_rx"), this),
      list1_tx(QStringLiteral("list1_tx"), this), list2_rx(QStringLiteral("list2_rx"), this),
      list2_tx(QStringLiteral("list2_tx"), this)
{
    for (BandRangeList *list : all())
        connect(list, &BandRangeList::chosenTextChanged, this, &BandRanges::chosenTextChanged);
}

std::array<BandRangeList *, 4> BandRanges::all()
{
    return {&list1_rx, &list1_tx, &list2_rx, &list2_tx};
}

std::array<const BandRangeList *, 4> BandRanges::all() const
{
    return {&list1_rx, &list1_tx, &list2_rx, &list2_tx};
}
