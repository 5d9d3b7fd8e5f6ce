#include "FolderPicker.h"

#include <QDir>
#include <QFileDialog>

QString folderWithSeparator(const QString &path)
{
    if (path.isEmpty())
        return {};
    const QString native = QDir::cleanPath(path);
    return native.endsWith(QLatin1Char('/')) ? native : native + QLatin1Char('/');
}

QString BrowseForFolder(QWidget *owner)
{
    const QString chosen = QFileDialog::getExistingDirectory(
        owner, QStringLiteral("Pick a directory:"), QDir::homePath(), QFileDialog::ShowDirsOnly);
    return folderWithSeparator(chosen);
}
