// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

#pragma once

#include "ContainerHeader.h"
#include "DatFile.h"
#include "carrier/Carrier.h"
#include "carrier/Outcome.h"

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

    // Writes header and entries into the pixel area and replaces the bitmap
    // at path. On failure the file is left as it was.
    Outcome write(const QString &path, bool usePassword, const QByteArray &password);

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
    ContainerHeader m_header;
    DatFile m_file;
    LoadReport m_report;
    QByteArray m_password;
    bool m_found = false;
    bool m_passwordRefused = false;
};
