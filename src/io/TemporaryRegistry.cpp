// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

#include "TemporaryRegistry.h"

#include "SignalHandOn.h"

#include <atomic>
#include <cerrno>
#include <cstring>
#include <iterator>
#include <signal.h>
#include <unistd.h>

namespace {

// A slot is free, being filled (its name not complete yet: the file does
// not exist either), or holds a name in use.
enum SlotState : int { Free, Filling, InUse };

struct Slot {
    std::atomic<int> state {Free};
    char path[TemporaryRegistry::LongestPath + 1];
};

Slot g_slots[TemporaryRegistry::Slots];

constexpr int CleaningSignals[] = {SIGINT, SIGTERM, SIGHUP, SIGQUIT};
struct sigaction g_previous[std::size(CleaningSignals)];
std::atomic<bool> g_installed {false};

static_assert(std::atomic<int>::is_always_lock_free, "the handlers need lock-free slot states");

extern "C" void removeTemporaries(int signal, siginfo_t *info, void *context)
{
    const int savedErrno = errno;
    for (Slot &slot : g_slots) {
        if (slot.state.load(std::memory_order_acquire) == InUse)
            ::unlink(slot.path);
    }
    std::size_t i = 0;
    while (i < std::size(CleaningSignals) && CleaningSignals[i] != signal)
        ++i;
    handOnSignal(signal, info, context, g_previous[i]);
    errno = savedErrno;
}

} // namespace

void TemporaryRegistry::installSignalHandlers()
{
    if (g_installed.exchange(true))
        return;
    struct sigaction handler { };
    handler.sa_sigaction = removeTemporaries;
    handler.sa_flags = SA_SIGINFO | SA_RESTART;
    // One handler at a time: another of these signals waits until the
    // first has removed the files.
    ::sigemptyset(&handler.sa_mask);
    for (const int signal : CleaningSignals)
        ::sigaddset(&handler.sa_mask, signal);
    for (std::size_t i = 0; i < std::size(CleaningSignals); ++i) {
        ::sigaction(CleaningSignals[i], nullptr, &g_previous[i]);
        if ((g_previous[i].sa_flags & SA_SIGINFO) != 0 || g_previous[i].sa_handler != SIG_IGN)
            ::sigaction(CleaningSignals[i], &handler, nullptr);
    }
}

int TemporaryRegistry::enter(const QByteArray &path)
{
    if (path.size() > LongestPath || !path.startsWith('/'))
        return -1;
    for (int ticket = 0; ticket < Slots; ++ticket) {
        int expected = Free;
        if (!g_slots[ticket].state.compare_exchange_strong(expected, Filling))
            continue;
        std::memcpy(g_slots[ticket].path, path.constData(), static_cast<std::size_t>(path.size()));
        g_slots[ticket].path[path.size()] = '\0';
        g_slots[ticket].state.store(InUse, std::memory_order_release);
        return ticket;
    }
    return -1;
}

void TemporaryRegistry::leave(int ticket)
{
    if (ticket >= 0 && ticket < Slots)
        g_slots[ticket].state.store(Free, std::memory_order_release);
}
