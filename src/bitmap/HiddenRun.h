// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

#pragma once

#include "base/Outcome.h"

#include <QList>
#include <QtGlobal>

#include <functional>

// A run of hidden bytes to be stored from hidden offset start. Its bytes are
// made on demand, a piece at a time, so that a writer needs no second copy
// of them: fill(out, from, count) puts bytes from .. from + count of the run
// into out. A failure (the bytes come from a file that could not be read)
// stops the write.
struct HiddenRun {
    qint64 start = 0;
    qint64 length = 0;
    std::function<Outcome(char *out, qint64 from, qint64 count)> fill;
};

// Runs in ascending order of start, none overlapping another.
using HiddenRuns = QList<HiddenRun>;
