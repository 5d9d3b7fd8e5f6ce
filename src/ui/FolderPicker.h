// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

#pragma once

#include <QString>

class QWidget;

// Asks for a folder with a modal directory chooser titled "Pick a
// directory:", starting in start (home when start is not a folder). Gives
// the folder's path ending in exactly one "/", ready to have a file name
// appended, or an empty text when the user cancelled.
QString BrowseForFolder(QWidget *owner, const QString &start = {});

// The chosen path as BrowseForFolder gives it back.
QString folderWithSeparator(const QString &path);
