// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

#include "PasswordInput.h"

#include "container/Charset.h"
#include "io/SignalHandOn.h"

#include <QCoreApplication>
#include <QFile>

#include <fcntl.h>
#include <signal.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <iterator>

namespace {

// While a password is typed the terminal's echo is off. These are the
// terminal and its settings from before, for the signal handlers that put
// them back when the program is interrupted, stopped or ended meanwhile.
int g_tty = -1;
termios g_saved {};
constexpr int RestoringSignals[] = {SIGINT, SIGTERM, SIGHUP, SIGQUIT, SIGTSTP};
// The handlers in place before, such as the one that removes temporary
// files: each signal is handed on to its own after the terminal is back.
struct sigaction g_previous[std::size(RestoringSignals)] {};

// when: TCSAFLUSH drops what was typed before the prompt; TCSANOW keeps a
// line half typed when the program goes on after a stop.
void echoOff(int tty, int when)
{
    termios quiet = g_saved;
    quiet.c_lflag &= ~static_cast<tcflag_t>(ECHO);
    ::tcsetattr(tty, when, &quiet);
}

extern "C" void restoreTerminal(int signal, siginfo_t *info, void *context);

void installRestoring(int signal)
{
    struct sigaction handler { };
    handler.sa_sigaction = restoreTerminal;
    handler.sa_flags = SA_SIGINFO;
    ::sigemptyset(&handler.sa_mask);
    ::sigaction(signal, &handler, nullptr);
}

extern "C" void restoreTerminal(int signal, siginfo_t *info, void *context)
{
    const int savedErrno = errno;
    if (g_tty >= 0) {
        ::tcsetattr(g_tty, TCSANOW, &g_saved);
        if (signal != SIGTSTP)
            (void)!::write(g_tty, "\n", 1);
    }
    std::size_t i = 0;
    while (i < std::size(RestoringSignals) && RestoringSignals[i] != signal)
        ++i;
    handOnSignal(signal, info, context, g_previous[i]);
    // Continued after a stop, or the handler before returned: the password
    // is still being typed.
    installRestoring(signal);
    if (g_tty >= 0)
        echoOff(g_tty, TCSANOW);
    errno = savedErrno;
}

// Turns the echo of tty off for its lifetime and puts it back on every way
// out, a signal included.
class HiddenTyping {
public:
    explicit HiddenTyping(int tty)
    {
        if (::tcgetattr(tty, &g_saved) != 0)
            return;
        g_tty = tty;
        for (std::size_t i = 0; i < std::size(RestoringSignals); ++i) {
            ::sigaction(RestoringSignals[i], nullptr, &g_previous[i]);
            // A signal the caller chose to ignore stays ignored.
            if ((g_previous[i].sa_flags & SA_SIGINFO) != 0 || g_previous[i].sa_handler != SIG_IGN)
                installRestoring(RestoringSignals[i]);
        }
        echoOff(tty, TCSAFLUSH);
    }
    ~HiddenTyping()
    {
        if (g_tty < 0)
            return;
        ::tcsetattr(g_tty, TCSAFLUSH, &g_saved);
        for (std::size_t i = 0; i < std::size(RestoringSignals); ++i)
            ::sigaction(RestoringSignals[i], &g_previous[i], nullptr);
        g_tty = -1;
    }
    HiddenTyping(const HiddenTyping &) = delete;
    HiddenTyping &operator=(const HiddenTyping &) = delete;
};

// A password longer than this is a mistake (a file that is not a password
// file, /dev/zero): it is refused rather than read on and on.
constexpr qsizetype LongestPassword = 4096;

QString tooLong()
{
    return QCoreApplication::translate(
        "PasswordInput", "The password is longer than %1 bytes: is it the right file?")
        .arg(LongestPassword);
}

// Reads one line from fd, without its line end. An interrupted read goes on
// reading: a line is given whole or not at all. A line longer than any
// password keeps only enough to tell.
std::optional<QByteArray> readLine(int fd)
{
    QByteArray line;
    char c;
    for (;;) {
        const ssize_t n = ::read(fd, &c, 1);
        if (n == 1) {
            if (c == '\n')
                break;
            if (line.size() <= LongestPassword + 1)
                line.append(c);
        } else if (n == 0) {
            break;
        } else if (errno != EINTR) {
            return std::nullopt;
        }
    }
    if (line.endsWith('\r'))
        line.chop(1);
    return line;
}

} // namespace

std::optional<QByteArray> PasswordInput::encoded(const QString &text, QString *why) const
{
    if (m_form == Form::Utf8)
        return text.toUtf8();
    if (const QString bad = Charset::unrepresentable(text); !bad.isEmpty()) {
        *why = tr("The password cannot be used: %1").arg(bad);
        return std::nullopt;
    }
    return Charset::encode(text);
}

std::optional<QByteArray> PasswordInput::fromFile(const QString &path, QString *why) const
{
    QFile file;
    const bool opened = path == QLatin1String("-")
        ? file.open(stdin, QIODevice::ReadOnly)
        : (file.setFileName(path), file.open(QIODevice::ReadOnly));
    if (!opened) {
        *why = tr("The password file %1 cannot be read: %2").arg(path, file.errorString());
        return std::nullopt;
    }
    // One byte for the line end, one more to tell a line that goes on.
    QByteArray line = file.readLine(LongestPassword + 3);
    if (line.endsWith('\n'))
        line.chop(1);
    if (line.endsWith('\r'))
        line.chop(1);
    if (line.size() > LongestPassword) {
        *why = tr("The password file %1 cannot be used.").arg(path) + QLatin1Char(' ') + tooLong();
        return std::nullopt;
    }
    const QString text = QString::fromUtf8(line);
    if (m_form == Form::Utf8 && text.toUtf8() != line) {
        *why = tr("The password file %1 cannot be used: its first line is not UTF-8 text.")
                   .arg(path);
        return std::nullopt;
    }
    return encoded(text, why);
}

std::optional<QString> PasswordInput::askTerminal(const QString &prompt, QString *why) const
{
    if (!m_prompts) {
        *why = tr("A password is needed: give it with --password-file.");
        return std::nullopt;
    }
    const int tty = ::open("/dev/tty", O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (tty < 0) {
        *why = tr("A password is needed, but there is no terminal to ask it on: give it "
                  "with --password-file.");
        return std::nullopt;
    }
    const QByteArray text = prompt.toLocal8Bit();
    (void)!::write(tty, text.constData(), static_cast<size_t>(text.size()));
    std::optional<QByteArray> line;
    {
        HiddenTyping hidden(tty);
        line = readLine(tty);
    }
    (void)!::write(tty, "\n", 1);
    ::close(tty);
    if (!line) {
        *why = tr("The password could not be read from the terminal.");
        return std::nullopt;
    }
    if (line->size() > LongestPassword) {
        *why = tooLong();
        return std::nullopt;
    }
    return QString::fromLocal8Bit(*line);
}

std::optional<QByteArray> PasswordInput::existing(QString *why)
{
    if (m_current)
        return m_current;
    if (!m_file.isEmpty()) {
        m_current = fromFile(m_file, why);
        return m_current;
    }
    const std::optional<QString> typed = askTerminal(tr("Password: "), why);
    if (!typed)
        return std::nullopt;
    m_current = encoded(*typed, why);
    return m_current;
}

std::optional<QByteArray> PasswordInput::fresh(QString *why)
{
    // Without a file of its own, the new password is the one given with
    // --password-file, when there is one.
    std::optional<QByteArray> password;
    if (!m_newFile.isEmpty()) {
        password = fromFile(m_newFile, why);
    } else if (!m_file.isEmpty()) {
        password = existing(why);
    } else {
        const std::optional<QString> first = askTerminal(tr("New password: "), why);
        if (!first)
            return std::nullopt;
        const std::optional<QString> second = askTerminal(tr("Repeat the new password: "), why);
        if (!second)
            return std::nullopt;
        if (*first != *second) {
            *why = tr("The two passwords differ.");
            return std::nullopt;
        }
        password = encoded(*first, why);
    }
    if (password && password->isEmpty()) {
        *why = tr("The new password is empty.");
        return std::nullopt;
    }
    return password;
}
