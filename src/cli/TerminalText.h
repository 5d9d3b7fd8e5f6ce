// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

#pragma once

#include <QString>

// Text from a bitmap (hidden names above all) made safe to print: control
// characters, which could move the cursor or recolour a terminal, appear as
// escapes ("\t", "\n", "\x1b"), and a backslash as "\\", so that every
// printed name stands for exactly one stored name.
QString escapeControls(const QString &text);
