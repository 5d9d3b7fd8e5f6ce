// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

#pragma once

#include "ContainerCommand.h"

#include <QByteArray>

#include <optional>

// A command that changes the container and writes the image back. It holds
// the image's writer lock from before the read to after the write, so that
// programs writing one image take turns and every change lands (--wait:
// how long it waits for another writer); it refuses a container that could
// not be read whole, since writing it back would drop what could not be
// read; and only with --force does it write an image file cut short.
class WritingCommand : public ContainerCommand {
    Q_DECLARE_TR_FUNCTIONS(WritingCommand)

public:
    using ContainerCommand::ContainerCommand;

    QList<CliOption> options() const override;

protected:
    Outcome prepare(ContainerSession &session, const CommandLine &line) final;
    int work(ContainerSession &session, const CommandLine &line, PasswordInput &passwords) final;
    // The change itself, on a container that can be written back.
    virtual int change(ContainerSession &session, const CommandLine &line, PasswordInput &passwords)
        = 0;

    // Writes the changed container back into the image, protected by
    // password or not, and says what the write has to tell.
    int writeBack(ContainerSession &session, const CommandLine &line, bool usePassword,
        const QByteArray &password);
    // A new password, or nothing after saying why.
    std::optional<QByteArray> freshPassword(PasswordInput &passwords);
    // Says why, and that the image was not changed; gives the status for it.
    int leaveUnchanged(const QString &why);
};
