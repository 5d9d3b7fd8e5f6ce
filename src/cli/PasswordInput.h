#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

// Where veldra-cli gets passwords: the first line of a file (or of standard
// input, for "-"), or else the terminal, asked without echo. Passwords come
// back in the container's one-byte character set.
class PasswordInput {
public:
    // passwordFile: a path, "-" for standard input, or empty for the terminal.
    explicit PasswordInput(QString passwordFile) : m_file(std::move(passwordFile)) { }

    // The password of an existing container. Nothing, with the reason in
    // *why, when none can be had.
    std::optional<QByteArray> existing(QString *why);
    // A new password; on the terminal it is asked twice and must match.
    std::optional<QByteArray> fresh(QString *why);

private:
    std::optional<QByteArray> fromFile(QString *why);
    static std::optional<QString> askTerminal(const QString &prompt, QString *why);
    static std::optional<QByteArray> encoded(const QString &text, QString *why);

    QString m_file;
    std::optional<QByteArray> m_cached;
};
