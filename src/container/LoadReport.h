// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

#pragma once

#include <QCoreApplication>
#include <QString>
#include <QStringList>
#include <QtGlobal>

// What Load could make of the stored entries.
struct LoadReport {
    qint32 expected = 0; // the entries the header announces (0 when it announces none)
    qint32 loaded = 0;
    static constexpr qsizetype RenamedListed = 10;

    QString damage; // why the walk stopped early; empty when it did not
    // The hidden offset just past the last byte the stored container takes,
    // as far as it was read: what a smaller container written over it frees.
    qint64 storedEnd = 0;
    qint64 renamedCount = 0; // entries renamed because their name was taken
    QStringList renamed; // "stored name" -> "name given", the first few of them

    bool isComplete() const { return damage.isEmpty() && renamedCount == 0; }
    // Entries the header announces that could not be read.
    qint64 unread() const { return damage.isEmpty() ? 0 : qint64(expected) - loaded; }
    // One text telling the user what happened, empty when complete.
    QString message() const;

    Q_DECLARE_TR_FUNCTIONS(LoadReport)
};
