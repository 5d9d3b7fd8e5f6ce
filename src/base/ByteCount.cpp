// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

#include "ByteCount.h"

QString formatBytes(qint64 count)
{
    QString digits = QString::number(qAbs(count));
    if (digits.size() > 3)
        digits.insert(digits.size() - 3, QLatin1Char(' '));
    return (count < 0 ? QStringLiteral("-") : QString()) + digits + QStringLiteral(" bytes");
}

QString bytesText(qint64 count)
{
    QString digits = QString::number(qAbs(count));
    for (qsizetype at = digits.size() - 3; at > 0; at -= 3)
        digits.insert(at, QLatin1Char(' '));
    return (count < 0 ? QStringLiteral("-") : QString()) + digits
        + (qAbs(count) == 1 ? QStringLiteral(" byte") : QStringLiteral(" bytes"));
}
