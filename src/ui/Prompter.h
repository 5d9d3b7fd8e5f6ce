// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

#pragma once

#include "workflow/WindowUser.h"

#include <QCoreApplication>
#include <QMessageBox>
#include <QString>

#include <optional>

class QFileDialog;
class QWidget;

// Every modal question the window asks goes through here: message boxes, the
// open-file dialogs, the folder picker and the password dialog. In use the
// real dialogs are shown; tests put a scripted answerer in its place.
class Prompter {
    Q_DECLARE_TR_FUNCTIONS(Prompter)

public:
    // Which password dialog: "Enter password..." (Enter, and Confirm to
    // repeat a new one), "Enter passphrase..." for a sealed container's,
    // "New passphrase..." (NewPassphrase, and ConfirmPassphrase to repeat
    // it); the window's own kinds.
    using PasswordKind = WindowUser::PasswordKind;

    virtual ~Prompter() = default;

    // A modal box captioned "Veldra" with the icon and one OK button; the
    // detail, when there is one, follows the text as the reason behind it.
    // Both show as plain text, never as markup.
    virtual void message(
        QWidget *parent, QMessageBox::Icon icon, const QString &text, const QString &detail = {});
    // A warning with Yes and No; No, the default, gives false.
    virtual bool question(QWidget *parent, const QString &text, const QString &detail);
    // The chosen file's full path, or nothing when the user cancelled.
    virtual std::optional<QString> openFile(QFileDialog *dialog);
    // The chosen files' full paths; none when the user cancelled.
    virtual QStringList openFiles(QFileDialog *dialog);
    // A folder ending in "/", or an empty text when the user cancelled. The
    // chooser starts in start when it is a folder.
    virtual QString folder(QWidget *owner, const QString &start);
    // Shows the password dialog; OK stores the typed text in Password and
    // gives true, a dismissal leaves it unchanged and gives false.
    virtual bool password(
        QWidget *parent, QString &Password, PasswordKind kind = PasswordKind::Enter);

    // The prompter the program uses unless told otherwise.
    static Prompter &standard();
};

// Shows a file dialog modally; true when the user made a choice. No popup of
// the dialog stays on screen after it has closed.
bool runFileDialog(QFileDialog *dialog);
