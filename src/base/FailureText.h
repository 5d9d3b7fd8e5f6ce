// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

#pragma once

#include "Outcome.h"

#include <QString>

// How the programs put a failure into words: the window in a message box,
// veldra-cli on its error stream.

// The fixed text for the kinds that have one ("Bitmap file not found!",
// "Error!", ...), or an empty text.
QString fixedText(Outcome::Kind kind);

// The first thing the user reads: the kind's fixed text, else what failed.
QString headline(const Outcome &outcome);

// The headline followed by the reason, on one line.
QString fullText(const Outcome &outcome);
