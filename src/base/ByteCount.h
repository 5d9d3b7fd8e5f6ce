// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

#pragma once

#include <QString>
#include <QtGlobal>

// A byte count as the window's three size labels show it: the digits
// without separators, one blank before the last three when there are more
// than three, then " bytes": "1234 567 bytes".
QString formatBytes(qint64 count);

// A byte count as messages and tooltips give it: a blank between every
// three digits, and "byte" for one: "1 234 567 bytes", "1 byte".
QString bytesText(qint64 count);
