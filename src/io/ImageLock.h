// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

#pragma once

#include "base/Outcome.h"

#include <QString>

#include <QByteArray>

#include <chrono>
#include <functional>

// Serialises the programs that write one bitmap. The bitmap is replaced by a
// rename, so its own inode cannot carry a lock: a lock file beside it does,
// locked with flock(). The system lets go of the lock of a process that
// dies, so a crash never leaves the image locked; the holder removes the
// file as it lets go. Readers need no lock, since the replacement is atomic.
class ImageLock {
public:
    static constexpr std::chrono::seconds DefaultWait {5};

    ImageLock();
    ~ImageLock();
    ImageLock(const ImageLock &) = delete;
    ImageLock &operator=(const ImageLock &) = delete;

    // The lock file for the bitmap at image: beside the file that a link at
    // that path names, so that every path to one image shares one lock.
    static QString lockFilePath(const QString &image);

    // Called between tries while another program holds the lock, with the
    // time waited so far and whether the wait asked for is over. Before
    // that, false gives up at once; once it is over, true waits as long
    // again.
    using WaitCallback = std::function<bool(std::chrono::milliseconds waited, bool timeUp)>;

    // Waits up to wait for the lock (0: tries once), as keepWaiting decides
    // when given. Fails, saying that another program is writing the image,
    // when it cannot be had. Once it has the lock it removes what writers of
    // the image killed before they could clean up left beside it.
    Outcome acquire(const QString &image, std::chrono::milliseconds wait = DefaultWait,
        const WaitCallback &keepWaiting = {});
    void release();
    bool isHeld() const { return m_fd >= 0; }

    // Runs work with the lock on image held, taking it first unless it is
    // held already, and lets it go whatever came of the work: a caller that
    // asks the user what to do next must not keep other writers waiting.
    Outcome whileHeld(const QString &image, std::chrono::milliseconds wait,
        const WaitCallback &keepWaiting, const std::function<Outcome()> &work);

private:
    static Outcome cannotCreate(const QString &path, int error);

    int m_fd = -1;
    QByteArray m_path;
};
