// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

#pragma once

// Answers the window controller from a script, with no widget and no dialog,
// and logs everything it was told and asked, in order.

#include "workflow/WindowUser.h"

#include <QList>
#include <QQueue>

#include <functional>

class ScriptedUser : public WindowUser {
public:
    struct Said {
        Tone tone;
        QString text;
        QString detail;
    };

    QList<Said> told;
    QList<Said> asked;
    // "told: TEXT", "asked: TEXT", "password: KIND" (enter, confirm,
    // passphrase, new passphrase, confirm passphrase), "files from START",
    // "folder from START"; tests add their own lines.
    QStringList log;

    // Next answers; an empty queue answers as No, a dismissal or a cancel.
    QQueue<bool> answers;
    QQueue<std::optional<QString>> passwords;
    QQueue<QStringList> fileLists;
    QQueue<QString> folders;
    // Runs when a question is asked, before it is answered.
    std::function<void()> onAsk;

    void tell(Tone tone, const QString &text, const QString &detail) override
    {
        told.append({tone, text, detail});
        log << "told: " + text;
    }
    bool ask(const QString &text, const QString &detail) override
    {
        asked.append({Tone::Warning, text, detail});
        log << "asked: " + text;
        if (onAsk)
            onAsk();
        return !answers.isEmpty() && answers.dequeue();
    }
    std::optional<QString> password(PasswordKind kind) override
    {
        static const QStringList names
            = {"enter", "confirm", "passphrase", "new passphrase", "confirm passphrase"};
        log << "password: " + names.value(int(kind));
        return passwords.isEmpty() ? std::nullopt : passwords.dequeue();
    }
    QStringList filesToAdd(const QString &start) override
    {
        log << "files from " + start;
        return fileLists.isEmpty() ? QStringList() : fileLists.dequeue();
    }
    QString folder(const QString &start) override
    {
        log << "folder from " + start;
        return folders.isEmpty() ? QString() : folders.dequeue();
    }
};
