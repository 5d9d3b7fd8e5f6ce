// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

#include "LoadReport.h"

QString LoadReport::message() const
{
    QStringList parts;
    if (!damage.isEmpty())
        parts << damage;
    if (renamedCount > 0) {
        QString list = renamed.join(QStringLiteral(", "));
        if (renamedCount > renamed.size())
            list += tr(" and %1 more").arg(renamedCount - renamed.size());
        parts << tr("Some hidden files had the same name as an earlier one and were renamed: %1.")
                     .arg(list);
    }
    return parts.join(QLatin1Char(' '));
}
