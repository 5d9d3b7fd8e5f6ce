// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

#include "PlainCarryOver.h"

#include "SealedSession.h"
#include "container/ContainerSession.h"

#include <QBuffer>

Outcome carryOverPlainFiles(const ContainerSession &plain, SealedSession &sealed, QString *name)
{
    const DatFile &table = plain.file();
    for (qsizetype i = 1, n = table.colDescriptions().count(); i <= n; ++i) {
        *name = table.colDescriptions().item(i);
        if (Outcome fits = sealed.admits(*name, table.colFiles().item(i).size); !fits)
            return fits;
        QBuffer data;
        if (Outcome read = table.readData(*name, &data.buffer()); !read)
            return read;
        data.open(QIODevice::ReadOnly);
        if (Outcome added = sealed.addFrom(data, *name); !added)
            return added;
    }
    name->clear();
    return Outcome::success();
}
