// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

#pragma once

#include "base/Outcome.h"

#include <QString>
#include <QtGlobal>

#include <functional>

// A new copy of an open image, streamed piece by piece into a file beside
// the target and put in its place only once every piece is written and
// synced, and only if neither the image read nor the file at the target
// changed meanwhile (Kind::ChangedOnDisk otherwise): a program that wrote
// either would lose its work to the rename, and the copy might hold half of
// each. On any failure the target is left as it was and nothing remains.
//
// The copy's owner, mode and attributes are those of the image read, which
// the target path may no longer name.
struct ImageCopy {
    int source = -1; // the open image
    // The copy is as long as the source when the copy starts, and at least
    // this long: bytes past the source's end are zero.
    qint64 minimumLength = 0;
    // Where the piece that starts at pos ends: after pos, at most total.
    std::function<qint64(qint64 pos)> pieceEnd;
    // Changes a piece, bytes from file offset pos, before it is written.
    std::function<Outcome(qint64 pos, char *bytes, qint64 size)> change;
    // Told the bytes written so far, and in all, after each piece.
    std::function<void(qint64 done, qint64 total)> progress;

    Outcome writeTo(const QString &target) const;
};
