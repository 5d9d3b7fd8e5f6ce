// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

#include "LocalPath.h"

namespace LocalPath {

QString of(const QString &path)
{
    return path.startsWith(QLatin1Char(':')) ? QStringLiteral("./") + path : path;
}

QString inFolder(const QString &folder, const QString &name)
{
    const QString base = folder.isEmpty() ? QStringLiteral(".") : of(folder);
    return base.endsWith(QLatin1Char('/')) ? base + name : base + QLatin1Char('/') + name;
}

} // namespace LocalPath
