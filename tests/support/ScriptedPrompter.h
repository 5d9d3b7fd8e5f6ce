// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

#pragma once

// Answers the window's questions from a script instead of showing dialogs,
// and remembers what the window asked and showed.

#include "ui/Prompter.h"

#include <QFileDialog>
#include <QQueue>

#include <functional>
#include <optional>

class ScriptedPrompter : public Prompter {
public:
    struct Shown {
        QMessageBox::Icon icon;
        QString text;
        QString detail;
    };

    QList<Shown> messages;
    QList<Shown> questionsAsked;

    // Next answers; an empty queue answers as a cancel or dismissal would.
    QQueue<std::optional<QString>> files; // nothing: cancelled
    QQueue<QStringList> fileLists; // for several at once; taken before files
    QQueue<QString> folders; // empty text: cancelled
    QQueue<std::optional<QString>> passwords; // nothing: dismissed
    QQueue<bool> answers; // to questions; empty: the default, No
    // "enter", "confirm", "passphrase", "new passphrase" or "confirm
    // passphrase", in the order asked
    QStringList passwordKinds;

    QStringList fileDialogsAsked;
    QStringList fileDialogStarts; // the folder each file dialog was shown in
    QStringList folderStarts; // the folder each folder picker started in
    int foldersAsked = 0;
    int passwordsAsked = 0;
    // Runs when the password is asked, to look at the window at that moment.
    std::function<void()> onPassword;

    void message(
        QWidget *, QMessageBox::Icon icon, const QString &text, const QString &detail) override
    {
        messages.append({icon, text, detail});
    }
    bool question(QWidget *, const QString &text, const QString &detail) override
    {
        questionsAsked.append({QMessageBox::Warning, text, detail});
        return !answers.isEmpty() && answers.dequeue();
    }
    QStringList openFiles(QFileDialog *dialog) override
    {
        fileDialogsAsked << dialog->objectName();
        fileDialogStarts << dialog->directory().absolutePath();
        if (!fileLists.isEmpty())
            return fileLists.dequeue();
        const std::optional<QString> one = files.isEmpty() ? std::nullopt : files.dequeue();
        return one ? QStringList {*one} : QStringList();
    }
    QString folder(QWidget *, const QString &start) override
    {
        folderStarts << start;
        ++foldersAsked;
        return folders.isEmpty() ? QString() : folders.dequeue();
    }
    bool password(QWidget *, QString &Password, PasswordKind kind) override
    {
        ++passwordsAsked;
        static const QStringList names
            = {"enter", "confirm", "passphrase", "new passphrase", "confirm passphrase"};
        passwordKinds << names.value(int(kind));
        if (onPassword)
            onPassword();
        const std::optional<QString> answer
            = passwords.isEmpty() ? std::nullopt : passwords.dequeue();
        if (answer)
            Password = *answer;
        return answer.has_value();
    }

    QStringList texts() const
    {
        QStringList out;
        for (const Shown &m : messages)
            out << m.text;
        return out;
    }
    // Each message with its detail, as one line.
    QStringList fullTexts() const
    {
        QStringList out;
        for (const Shown &m : messages)
            out << (m.detail.isEmpty() ? m.text : m.text + ' ' + m.detail);
        return out;
    }
};
