// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

#pragma once

#include <signal.h>

// For a signal handler that has done its own part: hands the signal on to
// the handler that was in place before it (previous), or, where there was
// none, does what the signal does by default (ends or stops the program),
// after putting the default back and unblocking the signal. Uses only
// async-signal-safe calls.
void handOnSignal(int signal, siginfo_t *info, void *context, const struct sigaction &previous);
