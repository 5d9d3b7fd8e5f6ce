// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

#pragma once

#include "ContainerHeader.h"
#include "DatFile.h"
#include "base/Outcome.h"
#include "bitmap/Carrier.h"

#include <QByteArray>
#include <QIODevice>
#include <QString>

#include <functional>
#include <optional>

// One container opened from a bitmap and written back, with the same steps,
// tests and messages as the window's Open, Add and Write & Close, for
// callers without a window.
class ContainerSession {
public:
    // Gives the password typed for a protected container, or nothing when
    // none can be had (the reason goes into *why).
    using PasswordSource = std::function<std::optional<QByteArray>(QString *why)>;

    // Loads the bitmap and its container. A protected container asks
    // askPassword once and opens only when the hash matches; an image
    // without a container opens empty. Damage found while reading the
    // entries does not fail the open: see report().
    Outcome open(const QString &path, const PasswordSource &askPassword);

    // Hides the file at path under its bare file name, with Add's tests.
    Outcome add(const QString &path, Holding holding = Holding::InMemory);

    // Hides everything source gives, to its end, under name, with Add's tests
    // of the name and of the room left.
    Outcome addFrom(QIODevice &source, const QString &name);
    // The largest file that can still be added: the header and one more
    // record counted.
    qint64 room() const;

    // Succeeds when the bitmap at path is still, byte for byte, the one that
    // was opened; the failure says how it changed.
    Outcome checkUnchanged(const QString &path) const;

    struct WriteOptions {
        // A file cut short inside its pixels is written whole only when the
        // caller allows it: the missing pixels become black for good.
        bool mayFillMissing = false;
        // Called as the new copy is written: bytes done, bytes in all.
        std::function<void(qint64 done, qint64 total)> progress;
    };

    // Writes header and entries into the pixel area and replaces the bitmap
    // at path with a copy of the image as it was opened, whatever is at the
    // path now: callers check that first (checkUnchanged). Hidden bytes the
    // old container took beyond the end of the new one are overwritten with
    // random bits. On failure the file is left as it was.
    Outcome write(const QString &path, bool usePassword, const QByteArray &password,
        const WriteOptions &options);
    Outcome write(const QString &path, bool usePassword, const QByteArray &password)
    {
        return write(path, usePassword, password, WriteOptions());
    }
    // What the last successful write has to tell beyond its success (the
    // image had other names, which keep the old picture), or nothing.
    const QStringList &notes() const { return m_notes; }

    // Writes entry description into folder as DatFile::Extract does, but
    // never over the image the container is read from, under any name or
    // link. With keepExisting a file already there is kept and the
    // extraction fails.
    Outcome extract(
        const QString &description, const QString &folder, bool keepExisting = false) const;

    // The pixel bytes the image file lacks: it ends inside its pixels.
    qint64 missingBytes() const { return m_carrier.missingPixelBytes(); }
    // A warning that the image file is cut short, or an empty text.
    QString cutShortWarning() const;

    // True when open() failed because the file is not a plain 24-bit bitmap.
    bool formatRefused() const { return m_carrier.formatRefused(); }
    // True when open() failed because the password did not match.
    bool passwordRefused() const { return m_passwordRefused; }
    // True when the image held a container, false when it opened empty.
    bool foundContainer() const { return m_found; }
    const ContainerHeader &header() const { return m_header; }
    const DatFile &file() const { return m_file; }
    DatFile &file() { return m_file; }
    const LoadReport &report() const { return m_report; }
    // The password the container was opened with (empty when none).
    const QByteArray &password() const { return m_password; }
    qint64 capacity() const { return m_carrier.Capacity(); }
    const Carrier &carrier() const { return m_carrier; }

private:
    // What a file added now may take, header and records counted; below 0
    // when not even an empty file fits.
    qint64 roomLeft() const;

    Carrier m_carrier;
    QString m_path;
    QStringList m_notes;
    ContainerHeader m_header;
    DatFile m_file;
    LoadReport m_report;
    QByteArray m_password;
    bool m_found = false;
    bool m_passwordRefused = false;
};
