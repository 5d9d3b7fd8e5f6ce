#include "FileProbe.h"

#include <QFile>

bool FileExists(const QString &path)
{
    if (path.isEmpty())
        return false;
    QFile file(path);
    return file.open(QIODevice::ReadOnly | QIODevice::ExistingOnly);
}

qint64 FileSize(const QString &path)
{
    if (path.isEmpty())
        return -1;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::ExistingOnly))
        return -1;
    return file.size();
}
