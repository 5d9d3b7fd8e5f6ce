// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

#pragma once

#include <QtGlobal>

#include <optional>

class HiddenSource;

// A container of this program's stored format at the start of the hidden
// stream: its header and records are never scrambled, so anyone with this
// program reads its names and sizes at once, and its data too where no
// password protects them. Finding one is certain, not a statistic.
struct OwnContainer {
    qint32 announced = 0; // the files the header announces
    qint32 readable = 0; // of those, the ones whose records could be read
    qint64 hiddenBytes = 0; // the hidden bytes it takes, as far as it was read
    bool password = false;

    // The container at hidden offset 0, if the signature is there.
    static std::optional<OwnContainer> find(const HiddenSource &source);
};
