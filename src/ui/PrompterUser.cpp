// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

#include "PrompterUser.h"

#include "Prompter.h"

#include <QFileDialog>

PrompterUser::PrompterUser(Prompter &prompter, QWidget *window, QFileDialog *addDialog)
    : m_prompter(prompter),
      m_window(window),
      m_addDialog(addDialog)
{
}

void PrompterUser::tell(Tone tone, const QString &text, const QString &detail)
{
    QMessageBox::Icon icon = QMessageBox::Information;
    if (tone == Tone::Warning)
        icon = QMessageBox::Warning;
    else if (tone == Tone::Critical)
        icon = QMessageBox::Critical;
    m_prompter.message(m_window, icon, text, detail);
}

bool PrompterUser::ask(const QString &text, const QString &detail)
{
    return m_prompter.question(m_window, text, detail);
}

std::optional<QString> PrompterUser::password(PasswordKind kind)
{
    // The dialog starts empty and sets the text only when accepted.
    QString typed;
    if (!m_prompter.password(m_window, typed, kind))
        return std::nullopt;
    return typed;
}

QStringList PrompterUser::filesToAdd(const QString &start)
{
    if (!start.isEmpty())
        m_addDialog->setDirectory(start);
    return m_prompter.openFiles(m_addDialog);
}

QString PrompterUser::folder(const QString &start)
{
    return m_prompter.folder(m_window, start);
}
