// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

// (The kernel's own file copy was tried for the pieces nothing changes: on
// ext4 it copies through a small pipe and is slower than this loop.)

#include "ImageCopy.h"

#include "base/FailureText.h"
#include "base/Prefault.h"
#include "io/AtomicFile.h"
#include "io/FileIdentity.h"
#include "io/ReadAt.h"

#include <QByteArray>
#include <QCoreApplication>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <optional>

namespace {

class Texts {
    Q_DECLARE_TR_FUNCTIONS(Carrier)
public:
    static Outcome failed(const Outcome &why)
    {
        return Outcome::failure(why.kind(), tr("The bitmap could not be written."),
            fullText(why) + QLatin1Char(' ') + tr("The image on disk was left unchanged."));
    }
    static Outcome sourceWritten()
    {
        return Outcome::failure(Outcome::Kind::ChangedOnDisk,
            tr("Another program wrote into the image while it was being written."));
    }
    static Outcome targetChanged()
    {
        return Outcome::failure(Outcome::Kind::ChangedOnDisk,
            tr("Another program replaced or changed the image while it was being written."));
    }
};

// What the target path names, so that a program that replaces or writes it
// meanwhile is noticed before the rename.
struct TargetState {
    std::optional<FileIdentity> file; // nothing: there is no file at the path

    static TargetState at(const QString &path) { return {FileIdentity::ofPath(path)}; }
    bool same(const TargetState &other) const
    {
        if (!file || !other.file)
            return !file && !other.file;
        return file->sameStamp(*other.file);
    }
};

} // namespace

Outcome ImageCopy::writeTo(const QString &target) const
{
    const std::optional<FileIdentity> sourceBefore = FileIdentity::ofDescriptor(source);
    if (!sourceBefore)
        return Texts::failed(Outcome::systemError(errno));
    const TargetState targetBefore = TargetState::at(target);

    AtomicFile file(target, AtomicFile::Mode::Edit);
    file.keepMetadataOf(source);
    if (Outcome opened = file.open(); !opened)
        return Texts::failed(opened);
    ::posix_fadvise(source, 0, 0, POSIX_FADV_SEQUENTIAL);

    // The length is the source's as it is checked against after the copy:
    // bytes another program appends meanwhile are found, not cut off.
    const qint64 total = std::max(sourceBefore->size, minimumLength);
    QByteArray buffer;
    for (qint64 pos = 0; pos < total;) {
        const qint64 n = qBound<qint64>(pos + 1, pieceEnd(pos), total) - pos;
        if (n > buffer.size()) {
            buffer.resize(static_cast<qsizetype>(n));
            prefault(buffer.data(), static_cast<std::size_t>(n));
        }
        qint64 got = 0;
        if (!readAt(source, buffer.data(), pos, n, &got))
            return Texts::failed(Outcome::systemError(errno));
        // Past the end of a file cut short: the missing bytes are zero.
        std::memset(buffer.data() + got, 0, static_cast<std::size_t>(n - got));
        if (change) {
            if (Outcome changed = change(pos, buffer.data(), n); !changed)
                return Texts::failed(changed);
        }
        if (Outcome written = file.write(buffer.constData(), n); !written)
            return Texts::failed(written);
        pos += n;
        if (progress)
            progress(pos, total);
    }

    const auto unchanged = [&]() {
        const std::optional<FileIdentity> sourceAfter = FileIdentity::ofDescriptor(source);
        if (!sourceAfter || !sourceAfter->sameStamp(*sourceBefore))
            return Texts::sourceWritten();
        if (!TargetState::at(target).same(targetBefore))
            return Texts::targetChanged();
        return Outcome::success();
    };
    if (Outcome committed = file.commit(unchanged); !committed)
        return Texts::failed(committed);
    return Outcome::success();
}
