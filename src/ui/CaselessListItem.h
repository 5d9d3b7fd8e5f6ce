// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

#pragma once

#include "workflow/ReadingOrder.h"

#include <QListWidgetItem>

// A list row that sorts in reading order (see ReadingOrder.h): as people
// read in the user's language, without regard to letter case and with
// numbers as numbers.
class CaselessListItem : public QListWidgetItem {
public:
    using QListWidgetItem::QListWidgetItem;

    bool operator<(const QListWidgetItem &other) const override
    {
        return ReadingOrder::before(text(), other.text());
    }
};
