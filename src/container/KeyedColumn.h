// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

#pragma once

#include "KeyedList.h"

#include <QString>

// One field of every row of a KeyedList, read as if it were a list of its
// own: the same keys, positions and order. It only looks at the rows, which
// must outlive it.
template <typename Row, typename T, T Row::*Field>
class KeyedColumn {
public:
    explicit KeyedColumn(const KeyedList<Row> &rows) : m_rows(&rows) { }

    qsizetype count() const { return m_rows->count(); }
    bool isEmpty() const { return m_rows->isEmpty(); }

    // position counts from 1.
    const T &item(qsizetype position) const { return m_rows->item(position).*Field; }

    bool contains(const QString &key) const { return m_rows->contains(key); }
    const T *find(const QString &key) const
    {
        const Row *row = m_rows->find(key);
        return row ? &(row->*Field) : nullptr;
    }

private:
    const KeyedList<Row> *m_rows;
};
