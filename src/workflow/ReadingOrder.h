// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

#pragma once

#include <QCollator>
#include <QLocale>
#include <QString>

// The order in which people read names in the user's language, without
// regard to letter case and with numbers as numbers: "été.txt" beside
// "etc.txt", not after "zeta.txt"; "9.txt" before "10.txt". Names that only
// differ in case are ordered by their code points, so no two names tie.
namespace ReadingOrder {

// The collator of the user's language. The C locale would compare code
// points, putting every accented letter after "z": it gets the general
// order of letters instead.
inline const QCollator &collator()
{
    static QCollator collator(QLocale::c());
    static QLocale made = QLocale::c();
    const QLocale wanted = QLocale().language() == QLocale::C
        ? QLocale(QLocale::English, QLocale::UnitedStates)
        : QLocale();
    if (made != wanted || collator.locale() == QLocale::c()) {
        collator = QCollator(wanted);
        collator.setCaseSensitivity(Qt::CaseInsensitive);
        collator.setNumericMode(true);
        made = wanted;
    }
    return collator;
}

// True when a is read before b.
inline bool before(const QString &a, const QString &b)
{
    const int order = collator().compare(a, b);
    return order != 0 ? order < 0 : a < b;
}

} // namespace ReadingOrder
