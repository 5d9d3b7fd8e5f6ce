// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

#pragma once

#include <QString>

#include <cstring>

// The system's own words for an error number, as a sentence: "No space left
// on device."
inline QString systemError(int errorNumber)
{
    return QString::fromLocal8Bit(std::strerror(errorNumber)) + QLatin1Char('.');
}
