// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

#pragma once

#include <QCollator>
#include <QListWidgetItem>

// A list row that sorts as people read in the user's language, without
// regard to letter case and with numbers as numbers: "été.txt" beside
// "etc.txt", not after "zeta.txt"; "9.txt" before "10.txt".
class CaselessListItem : public QListWidgetItem {
public:
    using QListWidgetItem::QListWidgetItem;

    bool operator<(const QListWidgetItem &other) const override
    {
        const int order = collator().compare(text(), other.text());
        return order != 0 ? order < 0 : text() < other.text();
    }

private:
    // The collator of the user's language. The C locale would compare code
    // points, putting every accented letter after "z": it gets the general
    // order of letters instead.
    static const QCollator &collator()
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
};
