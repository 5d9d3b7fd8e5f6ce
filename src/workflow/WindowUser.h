// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

#pragma once

#include <QString>
#include <QStringList>

#include <optional>

// The user at the window, as the window's controller meets them: messages,
// questions with Yes and No, passwords, and the choice of files to add and
// of a folder to extract into. The window answers with its dialogs; tests
// answer from a script.
class WindowUser {
public:
    enum class Tone { Information, Warning, Critical };
    enum class PasswordKind {
        Enter, // a password is asked for
        Confirm, // a new password is asked for again
        Passphrase, // the passphrase of a sealed container to open
        NewPassphrase, // the passphrase of a new sealed container
        ConfirmPassphrase, // that new passphrase again
    };

    virtual ~WindowUser() = default;

    // Tells the user text; the detail, when there is one, gives the reason
    // behind it. Both are plain text, never markup.
    virtual void tell(Tone tone, const QString &text, const QString &detail = {}) = 0;
    // Asks a question; true for Yes. No is the default answer.
    virtual bool ask(const QString &text, const QString &detail) = 0;
    // The password or passphrase typed, or nothing when the user dismissed
    // the dialog. A password holds only what a plain container can store; a
    // passphrase is any text.
    virtual std::optional<QString> password(PasswordKind kind) = 0;
    // The files the user chose to add, with the chooser starting in start
    // (where it was last left when start is empty); none when cancelled.
    virtual QStringList filesToAdd(const QString &start) = 0;
    // A folder ending in "/", chosen starting in start, or an empty text
    // when the user cancelled.
    virtual QString folder(const QString &start) = 0;
};
