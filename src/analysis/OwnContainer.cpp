// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

#include "OwnContainer.h"

#include "container/ContainerHeader.h"
#include "container/EntryTable.h"
#include "container/TableLoader.h"

std::optional<OwnContainer> OwnContainer::find(const HiddenSource &source)
{
    ContainerHeader header;
    if (!header.ReadHeader(source) || !header.HasSignature())
        return std::nullopt;
    EntryTable table;
    const LoadReport report = TableLoader::load(source, header, &table);
    OwnContainer found;
    found.announced = report.expected;
    found.readable = report.loaded;
    found.hiddenBytes = report.storedEnd;
    found.password = header.UsePassword;
    return found;
}
