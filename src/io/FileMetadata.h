// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

#pragma once

#include <QByteArray>

// Gives a new copy of a file what the original carries besides its bytes:
// owner, group, mode and every extended attribute, the access ACL
// ("system.posix_acl_access") among them. The original is an open
// descriptor, or else a path. What the system refuses to copy (a
// "security.*" attribute for a normal user, an owner only root may give) is
// left out: the copy still goes ahead.
//
// Returns false only when the original cannot be examined at all.
bool copyMetadata(int fromFd, const QByteArray &fromPath, int toFd);
