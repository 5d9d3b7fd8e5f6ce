#pragma once

#include "Charset.h"

#include <QList>
#include <QString>

// A list of items under text keys. Keys compare without regard to letter
// case and occur at most once; items keep the order in which they were
// added and are reached by position, 1 to count(), or by key.
template <typename T>
class KeyedList
{
public:
    qsizetype count() const { return m_slots.size(); }
    bool isEmpty() const { return m_slots.isEmpty(); }

    // position counts from 1.
    const T &item(qsizetype position) const { return m_slots.at(position - 1).item; }
    const QString &key(qsizetype position) const { return m_slots.at(position - 1).key; }

    bool contains(const QString &key) const { return indexOf(key) >= 0; }
    const T *find(const QString &key) const
    {
        const qsizetype i = indexOf(key);
        return i < 0 ? nullptr : &m_slots.at(i).item;
    }

    // Appends the item; false, changing nothing, when the key is taken.
    bool add(const QString &key, T item)
    {
        if (contains(key))
            return false;
        m_slots.append({key, Charset::fold(key), std::move(item)});
        return true;
    }

    // Removes the item under key; false when there is none.
    bool remove(const QString &key)
    {
        const qsizetype i = indexOf(key);
        if (i < 0)
            return false;
        m_slots.removeAt(i);
        return true;
    }

private:
    struct Slot
    {
        QString key;
        QString folded;
        T item;
    };

    qsizetype indexOf(const QString &key) const
    {
        const QString folded = Charset::fold(key);
        for (qsizetype i = 0; i < m_slots.size(); ++i) {
            if (m_slots.at(i).folded == folded)
                return i;
        }
        return -1;
    }

    QList<Slot> m_slots;
};
