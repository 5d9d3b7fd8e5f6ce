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
    };

    QList<Shown> messages;

    // Next answers; an empty queue answers as a cancel or dismissal would.
    QQueue<std::optional<QString>> files; // nothing: cancelled
    QQueue<QString> folders; // empty text: cancelled
    QQueue<std::optional<QString>> passwords; // nothing: dismissed

    QStringList fileDialogsAsked;
    int foldersAsked = 0;
    int passwordsAsked = 0;
    // Runs when the password is asked, to look at the window at that moment.
    std::function<void()> onPassword;

    void message(QWidget *, QMessageBox::Icon icon, const QString &text) override
    {
        messages.append({icon, text});
    }
    std::optional<QString> openFile(QFileDialog *dialog) override
    {
        fileDialogsAsked << dialog->objectName();
        return files.isEmpty() ? std::nullopt : files.dequeue();
    }
    QString folder(QWidget *) override
    {
        ++foldersAsked;
        return folders.isEmpty() ? QString() : folders.dequeue();
    }
    void password(QWidget *, QString &Password) override
    {
        ++passwordsAsked;
        if (onPassword)
            onPassword();
        const std::optional<QString> answer
            = passwords.isEmpty() ? std::nullopt : passwords.dequeue();
        if (answer)
            Password = *answer;
    }

    QStringList texts() const
    {
        QStringList out;
        for (const Shown &m : messages)
            out << m.text;
        return out;
    }
};
