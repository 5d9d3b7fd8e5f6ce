// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

#pragma once

#include "base/Outcome.h"
#include "container/ContainerSpace.h"
#include "io/ImageLock.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <chrono>
#include <functional>

class ContainerSession;

// The container the window holds open, plain or sealed: what the list, the
// figures, Add, Remove, Extract and Write & Close need of it. The
// controller works through this alone, whichever kind is open.
class OpenContainer {
public:
    struct Entry {
        QString name;
        qint64 size = 0;
        // The name the image stores it under when that is another, and why;
        // both empty otherwise.
        QString storedAs;
        QString whyStoredAs;
    };
    // The figures the window shows: capacity, used and free as its labels
    // say, room the largest file that still fits.
    using Space = ContainerSpace;
    // What was found at Open that Write & Close must ask about.
    struct Condition {
        qint64 unread = 0; // hidden files that could not be read
        QString damage; // why they could not
        QString damageWarning; // what to tell at Open, or an empty text
        qint64 missingBytes = 0; // the image file is cut short by these
        QString cutShortWarning; // what to tell at Open, or an empty text
    };
    struct WriteSettings {
        // The box and the password in force; a sealed container keeps its
        // passphrase and looks at neither.
        bool usePassword = false;
        QByteArray password;
        bool mayLoseUnreadable = false;
        bool mayFillMissing = false;
        bool overwriteChanged = false;
        std::chrono::milliseconds wait = ImageLock::DefaultWait;
        ImageLock::WaitCallback keepWaiting;
        std::function<void(qint64 done, qint64 total)> progress;
    };

    virtual ~OpenContainer() = default;

    virtual bool isSealed() const = 0;
    // In stored order, then in the order added.
    virtual QList<Entry> entries() const = 0;
    virtual Space space() const = 0;
    // What every file needs beyond its data, in a sentence.
    virtual QString overheadNote() const = 0;
    virtual Condition condition() const = 0;

    // Hides the file at path under its file name, with Add's tests.
    virtual Outcome add(const QString &path) = 0;
    virtual Outcome remove(const QString &name) = 0;
    // Writes entry name into folder, never over the image.
    virtual Outcome extract(const QString &name, const QString &folder) const = 0;
    // The file name entry name is extracted under.
    virtual QString extractionName(const QString &name) const = 0;

    // Writes the container back into the image at path as a container of
    // its kind; Kind::ChangedOnDisk when another program changed the image.
    virtual Outcome writeBack(const QString &path, const WriteSettings &settings) = 0;
    // False when the image the container was read from has been written
    // into since: its hidden files are gone.
    virtual bool stillIntact() const = 0;
    // What the last write has to tell beyond its success.
    virtual QStringList notes() const = 0;

    // The plain container's session, or none for a sealed one.
    virtual const ContainerSession *plainSession() const { return nullptr; }
};
