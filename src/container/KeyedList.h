// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

#pragma once

#include "Charset.h"

#include <QHash>
#include <QList>
#include <QString>

// A list of items under text keys. Keys compare without regard to letter
// case and occur at most once; items keep the order in which they were
// added and are reached by position, 1 to count(), or by key. Lookups and
// appends take constant time, so tables of many entries stay fast.
template <typename T>
class KeyedList {
public:
    qsizetype count() const { return m_slots.size(); }
    bool isEmpty() const { return m_slots.isEmpty(); }

    // position counts from 1.
    const T &item(qsizetype position) const { return m_slots.at(position - 1).item; }

    bool contains(const QString &key) const { return m_index.contains(Charset::fold(key)); }
    const T *find(const QString &key) const
    {
        const auto it = m_index.constFind(Charset::fold(key));
        return it == m_index.constEnd() ? nullptr : &m_slots.at(*it).item;
    }

    // Appends the item; false, changing nothing, when the key is taken.
    bool add(const QString &key, T item)
    {
        const QString folded = Charset::fold(key);
        if (m_index.contains(folded))
            return false;
        m_index.insert(folded, m_slots.size());
        m_slots.append({folded, std::move(item)});
        return true;
    }

    // Removes the item under key, closing the gap; false when there is none.
    bool remove(const QString &key)
    {
        const auto it = m_index.constFind(Charset::fold(key));
        if (it == m_index.constEnd())
            return false;
        const qsizetype at = *it;
        m_index.erase(it);
        m_slots.removeAt(at);
        for (qsizetype i = at; i < m_slots.size(); ++i)
            m_index[m_slots.at(i).folded] = i;
        return true;
    }

private:
    struct Slot {
        QString folded;
        T item;
    };

    QList<Slot> m_slots;
    QHash<QString, qsizetype> m_index; // folded key -> index into m_slots
};
