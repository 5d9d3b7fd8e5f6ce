// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

#pragma once

#include "base/Outcome.h"

#include <QString>
#include <QtGlobal>

#include <functional>

// Writes a file's new content beside it and puts it in place only once the
// content is complete and on disk. Until commit() succeeds the target stays
// as it was, and a failure, or destruction without commit(), leaves nothing
// behind.
//
// The content goes into a file without a name (O_TMPFILE) where the file
// system allows it, so that nothing is left behind even when the process is
// killed. commit() syncs it, links it under a temporary name and renames
// that over the target. Where the system refuses, the file has a temporary
// name from the start (see TemporaryName.h), which the handlers of
// TemporaryRegistry remove when a signal ends the program; after SIGKILL the
// next writer that holds the image's lock removes it (ImageLock::acquire).
// Failures come back with the system's words for them.
class AtomicFile {
public:
    enum class Mode {
        // The target is edited: a link is followed to the file it names, the
        // file must be writable, and its owner, group, mode and extended
        // attributes (its ACL among them) are kept where the system allows.
        // The rename itself is synced too.
        Edit,
        // The target is replaced: a link or a file at the path gives way to a
        // new file with the usual permissions.
        Replace,
        // The target is created: as Replace, but an existing file, link or
        // anything else at the path is never replaced; commit() then fails
        // and alreadyExists() says so.
        Create,
    };

    AtomicFile(QString path, Mode mode);
    ~AtomicFile();
    AtomicFile(const AtomicFile &) = delete;
    AtomicFile &operator=(const AtomicFile &) = delete;

    // Edit: takes owner, group, mode and attributes from the open file fd
    // (the file as it was opened) rather than from the file at the path,
    // which may have been deleted or replaced since. fd must stay open until
    // commit() and remains the caller's.
    void keepMetadataOf(int fd) { m_metadataFd = fd; }

    Outcome open();
    Outcome write(const char *data, qint64 size);
    // Puts the file in place. lastCheck, when given, runs once the content is
    // on disk, right before the target is replaced: its failure leaves the
    // target as it is.
    Outcome commit(const std::function<Outcome()> &lastCheck = {});

    // True when the last open() or commit() of a Create failed because
    // something already exists at the path.
    bool alreadyExists() const { return m_exists; }

    // Removes the temporary copies that Edit writes of image left behind
    // when a process was killed. Only the holder of the image's lock may.
    static void removeLeftovers(const QString &image);

    // For tests: false makes open() use named temporaries, as on a file
    // system without O_TMPFILE.
    static inline bool unnamedTemporaries = true;

private:
    Outcome openNamed();
    Outcome nameUnnamed();
    // Drops the file and fails with the system's words for error.
    Outcome failWith(int error);
    Outcome createTarget(const QByteArray &target);
    Outcome replaceTarget(const QByteArray &target);
    void applyMetadata(const QByteArray &target);
    void forgetName();
    void discard();

    QString m_target;
    Mode m_mode;
    int m_metadataFd = -1;
    QByteArray m_folder;
    QByteArray m_stem;
    QByteArray m_temporary; // the full path of the named temporary, if any
    int m_ticket = -1; // its entry in TemporaryRegistry
    int m_fd = -1;
    bool m_exists = false;
};
