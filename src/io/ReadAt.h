// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

#pragma once

#include <QtGlobal>

#include <cerrno>
#include <unistd.h>

// Reads up to count bytes of the file fd from offset, going on after an
// interrupted or partial read and stopping quietly at the end of the file;
// *got receives how many were read. False, errno set, on a read error.
inline bool readAt(int fd, char *into, qint64 offset, qint64 count, qint64 *got)
{
    qint64 total = 0;
    while (total < count) {
        const ssize_t n
            = ::pread(fd, into + total, static_cast<size_t>(count - total), offset + total);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return false;
        if (n == 0)
            break;
        total += n;
    }
    *got = total;
    return true;
}
