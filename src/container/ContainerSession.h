// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

#pragma once

#include "ContainerHeader.h"
#include "ContainerSpace.h"
#include "DatFile.h"
#include "base/Outcome.h"
#include "bitmap/Carrier.h"
#include "io/ImageLock.h"

#include <QByteArray>
#include <QIODevice>
#include <QString>

#include <chrono>
#include <functional>
#include <optional>

// One container opened from a bitmap and written back, with the same steps,
// tests and policies for the window and for veldra-cli: the room figures,
// what Add admits, the writer lock and the changed-on-disk check around a
// write, and extraction that never replaces the image.
class ContainerSession {
public:
    // Gives the password typed for a protected container, or nothing when
    // none can be had (the reason goes into *why).
    using PasswordSource = std::function<std::optional<QByteArray>(QString *why)>;

    // Loads the bitmap and its container. A protected container asks
    // askPassword once and opens only when the hash matches
    // (Kind::WrongPassword otherwise); an image without a container opens
    // empty. Damage found while reading the entries does not fail the open:
    // see report().
    Outcome open(const QString &path, const PasswordSource &askPassword);

    // Hides the file at path under its bare file name, with Add's tests.
    Outcome add(const QString &path, Holding holding = Holding::InMemory);
    // Hides everything source gives, to its end, under name, with Add's tests
    // of the name and of the room left.
    Outcome addFrom(QIODevice &source, const QString &name);

    // The figures the window shows and veldra-cli prints. free leaves out
    // the header and the records, as the window's label does; room is the
    // largest file that can still be added, its record and the header
    // counted.
    using Space = ContainerSpace;
    Space space() const;

    // Writes entry description into folder as DatFile::Extract does, but
    // never over the image the container is read from, under any name or
    // link. With keepExisting a file already there is kept and the
    // extraction fails (Kind::Exists).
    Outcome extract(
        const QString &description, const QString &folder, bool keepExisting = false) const;

    // Succeeds when the bitmap at path is still, byte for byte, the one that
    // was opened; the failure (Kind::ChangedOnDisk) says how it changed.
    Outcome checkUnchanged(const QString &path) const;

    // Takes the writer lock of the image at path and keeps it until the
    // session ends or has written back. A writer that reads, changes and
    // writes takes it before open(), so that no other writer comes between.
    Outcome lockImage(const QString &path, std::chrono::milliseconds wait = ImageLock::DefaultWait,
        const ImageLock::WaitCallback &keepWaiting = {});

    struct WriteOptions {
        // A container whose files could not all be read is written only when
        // the caller allows it: those files are lost.
        bool mayLoseUnreadable = false;
        // A file cut short inside its pixels is written whole only when the
        // caller allows it: the missing pixels become black for good.
        bool mayFillMissing = false;
        // Write even though the image on disk is not the one opened: the
        // user said to overwrite it.
        bool overwriteChanged = false;
        // How long to wait for another writer, and what to do meanwhile.
        std::chrono::milliseconds wait = ImageLock::DefaultWait;
        ImageLock::WaitCallback keepWaiting;
        // Called as the new copy is written: bytes done, bytes in all.
        std::function<void(qint64 done, qint64 total)> progress;
        // Changes the copy further, piece by piece, once the container is
        // stored in it: what another kind of container left is wiped.
        std::function<Outcome(qint64 pos, char *bytes, qint64 size)> alsoChange;
    };

    // Writes the container back into the image at path: takes the writer
    // lock (unless the session holds it), checks that the image is still
    // the one opened (unless told to overwrite it), then writes header and
    // entries into a copy of the image as it was opened and puts it in
    // place. Hidden bytes the old container took beyond the end of the new
    // one are overwritten with random bits. On failure the file is left as
    // it was; Kind::ChangedOnDisk means another program changed or replaced
    // the image, before or during the write, and the lock is let go.
    Outcome writeBack(const QString &path, bool usePassword, const QByteArray &password,
        const WriteOptions &options);
    Outcome writeBack(const QString &path, bool usePassword, const QByteArray &password)
    {
        return writeBack(path, usePassword, password, WriteOptions());
    }
    // Fails (Kind::Damaged) when writing back would lose hidden files that
    // could not be read, as writeBack does unless told otherwise.
    Outcome checkWritable() const;
    // What the last successful write has to tell beyond its success (the
    // image had other names, which keep the old picture), or nothing.
    const QStringList &notes() const { return m_notes; }
    // How many names the file at path has (1 when it cannot be told), and
    // what a write must say when other names still show the image as it was.
    static qint64 linksOf(const QString &path);
    static QString otherNamesNote(qint64 links, const QString &path);

    // The pixel bytes the image file lacks: it ends inside its pixels.
    qint64 missingBytes() const { return m_carrier.missingPixelBytes(); }
    // A warning that the image file is cut short, or an empty text.
    QString cutShortWarning() const;

    // True when the image held a container, false when it opened empty.
    bool foundContainer() const { return m_found; }
    const ContainerHeader &header() const { return m_header; }
    const DatFile &file() const { return m_file; }
    DatFile &file() { return m_file; }
    const LoadReport &report() const { return m_report; }
    // The password the container was opened with (empty when none).
    const QByteArray &password() const { return m_password; }
    const Carrier &carrier() const { return m_carrier; }

private:
    // What a file added now may take, header and records counted; below 0
    // when not even an empty file fits.
    qint64 roomLeft() const;
    // The write itself, under the lock and after the checks.
    Outcome write(const QString &path, bool usePassword, const QByteArray &password,
        const WriteOptions &options);

    Carrier m_carrier;
    ImageLock m_lock;
    QString m_path;
    QStringList m_notes;
    ContainerHeader m_header;
    DatFile m_file;
    LoadReport m_report;
    QByteArray m_password;
    bool m_found = false;
};
