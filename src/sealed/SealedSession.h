// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

#pragma once

#include "SealedKeys.h"
#include "SealedStream.h"
#include "base/Outcome.h"
#include "bitmap/Carrier.h"
#include "container/ContainerSpace.h"
#include "container/EntryData.h"
#include "container/InjectResult.h"
#include "io/FileSource.h"
#include "io/ImageLock.h"

#include <QByteArray>
#include <QHash>
#include <QIODevice>
#include <QList>
#include <QString>

#include <chrono>
#include <functional>
#include <memory>

// A sealed container opened from a bitmap, or started anew, and written
// back as a new one: the same steps and policies for the window and for
// veldra-cli, as ContainerSession has them for plain containers.
class SealedSession {
public:
    SealedSession();
    ~SealedSession();
    SealedSession(const SealedSession &) = delete;
    SealedSession &operator=(const SealedSession &) = delete;

    // Opens the sealed container of the bitmap at path. Kind::NoSealedContainer
    // when none opens with passphrase (there is none, or it is another);
    // Kind::Damaged when one opens but its table cannot be read.
    Outcome open(const QString &path, QByteArrayView passphrase);
    // Loads the bitmap at path for a new, empty sealed container; nothing of
    // what it held is read.
    Outcome startNew(const QString &path);

    const QList<SealedEntry> &entries() const { return m_entries; }

    // Adds the file at path under its file name, or what source gives under
    // name, with the tests of names and room.
    Outcome add(const QString &path, bool readNow = true);
    Outcome addFrom(QIODevice &source, const QString &name);
    Outcome remove(const QString &name);
    // Whether a file of size bytes can be added under name: the tests of
    // names and room, before anything is read.
    Outcome admits(const QString &name, qint64 size) const;

    // capacity: what the container's files may take in all, their names
    // counted as none; used: what they take; room: the largest file that
    // can still be added, under a name of one byte.
    using Space = ContainerSpace;
    Space space() const;
    // The room a new sealed container in the bitmap at path would have, or
    // a failure when the bitmap cannot take one.
    static Outcome roomIn(const QString &path, qint64 *room);

    // The data of entry name, one piece after another into sink.
    using Sink = std::function<Outcome(const char *data, qint64 size)>;
    Outcome streamData(const QString &name, const Sink &sink) const;
    // Writes entry name into folder, never over the image and, with
    // keepExisting, never over any file (Kind::Exists).
    Outcome extract(const QString &name, const QString &folder, bool keepExisting = false) const;
    // The file name entry name is extracted under.
    QString extractionName(const QString &name) const;

    Outcome lockImage(const QString &path, std::chrono::milliseconds wait = ImageLock::DefaultWait,
        const ImageLock::WaitCallback &keepWaiting = {});

    struct WriteOptions {
        bool overwriteChanged = false;
        std::chrono::milliseconds wait = ImageLock::DefaultWait;
        ImageLock::WaitCallback keepWaiting;
        std::function<void(qint64 done, qint64 total)> progress;
        // Hidden bytes of a plain container from the start of the pixel area
        // that are re-randomised: the container being sealed.
        qint64 plainBytesToClear = 0;
    };
    // Writes a new sealed container, with a new salt, into the image at
    // path under passphrase: takes the lock, checks the image is still the
    // one opened, writes, lets go of the lock.
    Outcome writeBack(const QString &path, QByteArrayView passphrase, const WriteOptions &options);

    // A change for the copy of the image a plain container is written into,
    // which gives the salt of any sealed container in it new random bits
    // (and so makes it unreadable for good), apart from the bytes before
    // keepBelow, which the plain container takes.
    static std::function<Outcome(qint64 pos, char *bytes, qint64 size)> saltWiper(
        const Carrier &carrier, qint64 keepBelow);

    const Carrier &carrier() const { return m_carrier; }
    // What the last write has to tell beside its success.
    const QStringList &notes() const { return m_notes; }
    void setCost(const SealedKeys::Cost &cost) { m_cost = cost; }

private:
    struct Item;
    // Loads the bitmap at path for a container, its fingerprint still open.
    Outcome load(const QString &path);
    Outcome take(const QString &name, const InjectResult &read, EntryData data);
    qint64 roomFor(qint64 nameBytes) const;
    // The stored container read anew from its start, from the image as
    // opened; with atData, past its head and table.
    struct Stored;
    Outcome reopen(std::unique_ptr<Stored> *stored, bool atData) const;
    Outcome write(const QString &path, QByteArrayView passphrase, const WriteOptions &options);

    Carrier m_carrier;
    ImageLock m_lock;
    QString m_path;
    SealedKeys::Cost m_cost;
    std::optional<SealedKeys::Keys> m_keys; // of the container opened
    QList<SealedEntry> m_entries;
    QList<Item> m_items;
    // extractionName()'s answers, made when first asked for after a change.
    mutable std::optional<QHash<QString, QString>> m_extractionNames;
    QStringList m_notes;
};
