// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

#include "FolderPicker.h"

#include "Prompter.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>

QString folderWithSeparator(const QString &path)
{
    if (path.isEmpty())
        return {};
    const QString native = QDir::cleanPath(path);
    return native.endsWith(QLatin1Char('/')) ? native : native + QLatin1Char('/');
}

QString BrowseForFolder(QWidget *owner, const QString &start)
{
    QFileDialog dialog(owner, QCoreApplication::translate("FolderPicker", "Pick a directory:"),
        QFileInfo(start).isDir() ? start : QDir::homePath());
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly);
    if (!runFileDialog(&dialog) || dialog.selectedFiles().isEmpty())
        return {};
    return folderWithSeparator(dialog.selectedFiles().constFirst());
}
