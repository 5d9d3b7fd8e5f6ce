#include "PasswordInput.h"

#include "container/Charset.h"

#include <QCoreApplication>
#include <QFile>

#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

#include <cstdio>

namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("PasswordInput", text);
}

// Reads one line from fd, without its line end.
QByteArray readLine(int fd)
{
    QByteArray line;
    char c;
    while (::read(fd, &c, 1) == 1 && c != '\n')
        line.append(c);
    if (line.endsWith('\r'))
        line.chop(1);
    return line;
}

} // namespace

std::optional<QByteArray> PasswordInput::encoded(const QString &text, QString *why)
{
    if (const QString bad = Charset::unrepresentable(text); !bad.isEmpty()) {
        *why = tr("The password cannot be used: %1").arg(bad);
        return std::nullopt;
    }
    return Charset::encode(text);
}

std::optional<QByteArray> PasswordInput::fromFile(QString *why)
{
    if (m_cached)
        return m_cached;
    QFile file;
    const bool opened = m_file == QLatin1String("-")
        ? file.open(stdin, QIODevice::ReadOnly)
        : (file.setFileName(m_file), file.open(QIODevice::ReadOnly));
    if (!opened) {
        *why = tr("The password file %1 cannot be read: %2").arg(m_file, file.errorString());
        return std::nullopt;
    }
    QByteArray line = file.readLine();
    if (line.endsWith('\n'))
        line.chop(1);
    if (line.endsWith('\r'))
        line.chop(1);
    m_cached = encoded(QString::fromUtf8(line), why);
    return m_cached;
}

std::optional<QString> PasswordInput::askTerminal(const QString &prompt, QString *why)
{
    const int tty = ::open("/dev/tty", O_RDWR | O_NOCTTY);
    if (tty < 0) {
        *why = tr("A password is needed, but there is no terminal to ask it on: give it "
                  "with --password-file.");
        return std::nullopt;
    }
    const QByteArray text = prompt.toLocal8Bit();
    (void)!::write(tty, text.constData(), static_cast<size_t>(text.size()));
    termios saved {};
    const bool canHide = ::tcgetattr(tty, &saved) == 0;
    if (canHide) {
        termios quiet = saved;
        quiet.c_lflag &= ~static_cast<tcflag_t>(ECHO);
        ::tcsetattr(tty, TCSAFLUSH, &quiet);
    }
    const QByteArray line = readLine(tty);
    if (canHide)
        ::tcsetattr(tty, TCSAFLUSH, &saved);
    (void)!::write(tty, "\n", 1);
    ::close(tty);
    return QString::fromLocal8Bit(line);
}

std::optional<QByteArray> PasswordInput::existing(QString *why)
{
    if (!m_file.isEmpty())
        return fromFile(why);
    if (m_cached)
        return m_cached;
    const std::optional<QString> typed = askTerminal(tr("Password: "), why);
    if (!typed)
        return std::nullopt;
    m_cached = encoded(*typed, why);
    return m_cached;
}

std::optional<QByteArray> PasswordInput::fresh(QString *why)
{
    std::optional<QByteArray> password;
    if (!m_file.isEmpty()) {
        password = fromFile(why);
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
