// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

#pragma once

#include <QtGlobal>

// A container's figures, in bytes: the hidden bytes the image holds for it,
// those its files and their records take, those left, and the largest file
// that can still be added.
struct ContainerSpace {
    qint64 capacity = 0;
    qint64 used = 0;
    qint64 free = 0;
    qint64 room = 0;
};
