// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

#pragma once

#include "ContainerHeader.h"
#include "ContainerLayout.h"
#include "DataReader.h"
#include "EntryTable.h"
#include "base/Outcome.h"

#include <QByteArray>
#include <QCoreApplication>

// What a write of the container stores, and how much room that takes.
class LayoutBuilder {
    Q_DECLARE_TR_FUNCTIONS(LayoutBuilder)

public:
    // Hidden bytes a container of entries entries with dataBytes of data in
    // all takes: header, records and data.
    static qint64 containerSize(qint64 entries, qint64 dataBytes);
    // Fails when a container of needed hidden bytes does not fit into
    // capacity hidden bytes.
    static Outcome checkFits(qint64 needed, qint64 capacity);

    // Fills layout with what writing header, then every entry of table from
    // hidden offset 14, stores, scrambling the data with password when the
    // header says so. Data read from the image that stay in their place with
    // the same bytes are left out when the write goes to that same image
    // (inPlace). Data that move are read through reader into the layout.
    static Outcome build(const EntryTable &table, const DataReader &reader,
        const ContainerHeader &header, const QByteArray &password, bool inPlace,
        ContainerLayout *layout);
};
