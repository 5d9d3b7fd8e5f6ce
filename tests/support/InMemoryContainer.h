// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

#pragma once

// A container written into a pixel area held in memory, for tests that look
// at the stored bytes without a bitmap file around them.

#include "HiddenStream.h"
#include "container/ContainerHeader.h"
#include "container/ContainerLayout.h"
#include "container/DatFile.h"

// Writes the header's stored form at hidden offset 0.
inline Outcome writeHeader(HiddenStream &stream, const ContainerHeader &header)
{
    return stream.WriteHidden(header.toBytes(), ContainerHeader::Size, ContainerHeader::Offset);
}

// Writes every entry of table from hidden offset 14, scrambled with password
// when the header says so; the header itself is writeHeader's. Refuses,
// writing nothing, a container that does not fit.
inline Outcome saveEntries(const DatFile &table, HiddenStream &stream,
    const ContainerHeader &header, const QByteArray &password)
{
    if (Outcome fits = table.CheckFits(stream.Capacity()); !fits)
        return fits;
    ContainerLayout layout;
    if (Outcome made = table.makeLayout(header, password, false, &layout); !made)
        return made;
    return stream.WriteRuns(layout.runs().mid(1));
}
