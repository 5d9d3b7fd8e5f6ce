// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

#pragma once

#include <cstddef>

// Maps in the pages of a large buffer about to be filled, in one call. A
// first write to each page would otherwise fault once per page, which on
// virtual machines costs more than copying the page. Best effort: a system
// that cannot do it leaves the pages to fault as usual.
void prefault(void *data, std::size_t size);
