// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

#pragma once

#include "workflow/WindowUser.h"

class Prompter;
class QFileDialog;
class QWidget;

// The window's controller meets the user through the window's Prompter: its
// message boxes over the window, the window's Add dialog, the folder picker
// and the password dialog.
class PrompterUser : public WindowUser {
public:
    PrompterUser(Prompter &prompter, QWidget *window, QFileDialog *addDialog);

    void tell(Tone tone, const QString &text, const QString &detail) override;
    bool ask(const QString &text, const QString &detail) override;
    std::optional<QString> password(PasswordKind kind) override;
    QStringList filesToAdd(const QString &start) override;
    QString folder(const QString &start) override;

private:
    Prompter &m_prompter;
    QWidget *m_window;
    QFileDialog *m_addDialog;
};
