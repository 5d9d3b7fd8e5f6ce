// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

#pragma once

#include <QString>
#include <QtGlobal>

// A byte count as the window's size labels and every message show it: the
// digits without separators, one blank before the last three when there
// are more than three, then " bytes": "1234 567 bytes".
QString formatBytes(qint64 count);
