// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

#pragma once

#include <QByteArray>

// Names of the temporary files written beside a target, made from the
// target's own name so that a file left behind shows whose it is:
//
//   .photo.bmp.veldra-Xy12Ab        a new copy of the image photo.bmp
//   .photo.bmp.veldra-new-Xy12Ab    a new file photo.bmp, such as an extract
//
// A name of more than 200 bytes is replaced by its SHA-1 in hex
// (".veldra-<hash>-Xy12Ab", ".veldra-new-<hash>-Xy12Ab"), so that every
// name stays well within the 255 bytes a folder entry allows. The last six
// characters are random letters and digits.
//
// Only a copy of an image can be left over for its next writer to remove:
// the two kinds never match each other's pattern, nor that of another
// target, nor the image's lock file.
namespace TemporaryName {

enum class Kind {
    ImageCopy, // a new copy of an existing image, written under its lock
    NewFile, // any other file
};

// The name up to its random part, for the target's file name (no folder).
QByteArray stem(const QByteArray &fileName, Kind kind);

// stem followed by six random letters and digits.
QByteArray fresh(const QByteArray &stem);

// True when name is stem followed by six letters and digits.
bool matches(const QByteArray &name, const QByteArray &stem);

// Removes the image copies of fileName that writers killed before they
// could clean up left in folder; only regular files go. Call it only while
// holding the image's lock: then no other writer can be using one.
void removeLeftImageCopies(const QByteArray &folder, const QByteArray &fileName);

} // namespace TemporaryName
