// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

#include "PasswordHash.h"

qint32 HashPassword(QByteArrayView password)
{
    constexpr qint32 Modulus = 16777213;
    constexpr qint32 Multiplier = 91;
    qint32 h = 0;
    for (char c : password)
        h = (h * Multiplier + static_cast<unsigned char>(c)) % Modulus;
    return h;
}
