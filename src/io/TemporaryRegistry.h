// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

#pragma once

#include <QByteArray>

// The named temporary files this process has in use, for the signal
// handlers that remove them when SIGINT, SIGTERM, SIGHUP or SIGQUIT ends the
// program. A file written without a name needs no entry: the system drops it
// with the process, even after SIGKILL.
//
// The names live in fixed static storage and the handlers only read it and
// call unlink(), so they are safe at any moment; entering and leaving names
// is safe from any thread.
class TemporaryRegistry {
public:
    static constexpr int Slots = 16;
    static constexpr int LongestPath = 4095;

    // Installs the handlers (once; later calls do nothing). A signal the
    // program ignores stays ignored. After removing the files a handler
    // hands the signal on to the handler it replaced, or else lets it do
    // what it does by default: end the program.
    static void installSignalHandlers();

    // Enters an absolute path before the file is created under it. Gives
    // the ticket for leave(), or -1 when the registry is full or the path
    // too long: the file is then only not removed on a signal.
    static int enter(const QByteArray &path);
    // Forgets the name entered with ticket (nothing for -1).
    static void leave(int ticket);
};
