#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

#include <array>

// One band range list: range texts such as "400-470MHz" with one chosen
// entry (-1 while nothing is chosen).
class BandRangeList : public QObject
{
    Q_OBJECT

public:
    BandRangeList(const QString &name, QObject *parent = nullptr);

    // "list1_rx", "list1_tx", "list2_rx" or "list2_tx".
    QString name() const { return m_name; }

    QStringList entries() const { return m_entries; }
    int count() const { return m_entries.size(); }
    // Appends an entry and returns its index.
    int append(const QString &text);
    // Replaces every entry; nothing is chosen afterwards.
    void clear();

    int chosenIndex() const { return m_chosen; }
    // An index the list does not have leaves nothing chosen.
    void choose(int index);
    QString chosenText() const { return m_entries.value(m_chosen); }

signals:
    void entriesChanged();
    // The chosen text changed (the main window caption follows it).
    void chosenTextChanged();

private:
    QString m_name;
    QStringList m_entries;
    int m_chosen = -1;
};

// The radio's two bands, each with a receive and a transmit range.
class BandRanges : public QObject
{
    Q_OBJECT

public:
    explicit BandRanges(QObject *parent = nullptr);

    BandRangeList list1_rx;
    BandRangeList list1_tx;
    BandRangeList list2_rx;
    BandRangeList list2_tx;

    // The four lists in the order above.
    std::array<BandRangeList *, 4> all();
    std::array<const BandRangeList *, 4> all() const;

signals:
    // Any list's chosen text changed.
    void chosenTextChanged();
};
