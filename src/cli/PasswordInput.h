// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

#pragma once

#include <QByteArray>
#include <QCoreApplication>
#include <QString>

#include <optional>

// Where veldra-cli gets passwords: the first line of a file (or of standard
// input, for "-"), or else the terminal, asked without echo. Passwords come
// back in the container's one-byte character set.
class PasswordInput {
    Q_DECLARE_TR_FUNCTIONS(PasswordInput)

public:
    // passwordFile holds the current password, newPasswordFile a new one:
    // each a path, "-" for standard input, or empty for the terminal. With
    // prompts off the terminal is never asked.
    PasswordInput(QString passwordFile, QString newPasswordFile, bool prompts)
        : m_file(std::move(passwordFile)),
          m_newFile(std::move(newPasswordFile)),
          m_prompts(prompts)
    {
    }

    // The password of an existing container. Nothing, with the reason in
    // *why, when none can be had.
    std::optional<QByteArray> existing(QString *why);
    // A new password; on the terminal it is asked twice and must match.
    std::optional<QByteArray> fresh(QString *why);

    // What passwords come back as: the container's one-byte character set,
    // or, for the passphrase of a sealed container, UTF-8.
    enum class Form { OneByte, Utf8 };
    void setForm(Form form) { m_form = form; }

private:
    std::optional<QByteArray> fromFile(const QString &path, QString *why) const;
    std::optional<QString> askTerminal(const QString &prompt, QString *why) const;
    std::optional<QByteArray> encoded(const QString &text, QString *why) const;

    QString m_file;
    QString m_newFile;
    bool m_prompts;
    Form m_form = Form::OneByte;
    std::optional<QByteArray> m_current;
};
