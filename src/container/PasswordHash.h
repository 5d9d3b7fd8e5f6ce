// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

#pragma once

#include <QByteArrayView>
#include <QtGlobal>

// The password hash stored in a container header: h := (h * 91 + c) mod
// 16777213 over the password's one-byte character codes, starting from 0.
// Always in 0..16777212; the empty password hashes to 0.
qint32 HashPassword(QByteArrayView password);
