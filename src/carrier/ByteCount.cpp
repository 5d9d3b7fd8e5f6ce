#include "ByteCount.h"

QString formatBytes(qint64 count)
{
    QString digits = QString::number(qAbs(count));
    if (digits.size() > 3)
        digits.insert(digits.size() - 3, QLatin1Char(' '));
    return (count < 0 ? QStringLiteral("-") : QString()) + digits + QStringLiteral(" bytes");
}
