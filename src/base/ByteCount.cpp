// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

#include "ByteCount.h"

#include <QCoreApplication>

QString formatBytes(qint64 count)
{
    QString digits = QString::number(qAbs(count));
    if (digits.size() > 3)
        digits.insert(digits.size() - 3, QLatin1Char(' '));
    if (count < 0)
        digits.prepend(QLatin1Char('-'));
    return QCoreApplication::translate("ByteLabel", "%1 bytes").arg(digits);
}

QString bytesText(qint64 count)
{
    QString digits = QString::number(qAbs(count));
    for (qsizetype at = digits.size() - 3; at > 0; at -= 3)
        digits.insert(at, QLatin1Char(' '));
    if (count < 0)
        digits.prepend(QLatin1Char('-'));
    return qAbs(count) == 1 ? QCoreApplication::translate("ByteCount", "%1 byte").arg(digits)
                            : QCoreApplication::translate("ByteCount", "%1 bytes").arg(digits);
}
