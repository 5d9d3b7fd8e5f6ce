// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

#include "FileSource.h"

#include "FileProbe.h"
#include "ReadAt.h"
#include "base/SystemError.h"

#include <QCoreApplication>
#include <QFile>

#include <cerrno>

namespace {

// This file's texts, translated under the context "FileSource".
class Texts {
    Q_DECLARE_TR_FUNCTIONS(FileSource)
};

// The file read last stays open, so that a file read piece by piece is
// opened once; any number of sources never hold more than this one open.
struct LastOpened {
    quint64 source = 0;
    QFile file;
};

LastOpened &lastOpened()
{
    static LastOpened last;
    return last;
}

quint64 nextSourceId()
{
    static quint64 id = 0;
    return ++id;
}

} // namespace

FileSource::~FileSource()
{
    if (lastOpened().source == m_id) {
        lastOpened().file.close();
        lastOpened().source = 0;
    }
}

Outcome FileSource::open(const QString &path)
{
    QFile file;
    if (Outcome opened = openRegularFile(path, file); !opened)
        return opened;
    const std::optional<FileIdentity> identity = FileIdentity::ofDescriptor(file.handle());
    if (!identity)
        return Outcome::systemError(errno);
    m_path = path;
    m_identity = *identity;
    m_id = nextSourceId();
    return Outcome::success();
}

Outcome FileSource::read(char *out, qint64 offset, qint64 count) const
{
    LastOpened &last = lastOpened();
    if (last.source != m_id || !last.file.isOpen()) {
        last.file.close();
        last.source = 0;
        if (Outcome opened = openRegularFile(m_path, last.file); !opened)
            return opened;
        last.source = m_id;
    }
    QFile &file = last.file;
    if (!m_identity.stillMatches(file.handle())) {
        return Outcome::failure(
            Texts::tr("%1 changed while it was being hidden. Hide it again.").arg(m_path));
    }
    qint64 got = 0;
    if (!readAt(file.handle(), out, offset, count, &got))
        return Outcome::systemError(errno);
    if (got < count)
        return Outcome::failure(Texts::tr("%1 ended early.").arg(m_path));
    return Outcome::success();
}
