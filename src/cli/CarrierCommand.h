// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

#pragma once

#include "CliCommand.h"

// carrier PICTURE OUTPUT.bmp|- [--force]: a 24-bit BMP made from any
// picture. Reading pictures needs Qt's graphics libraries, which take
// longer to load than most commands take to run, so the helper
// veldra-carrier does the work in this process's place.
class CarrierCommand : public CliCommand {
    Q_DECLARE_TR_FUNCTIONS(CarrierCommand)

public:
    using CliCommand::CliCommand;

    QString name() const override { return QStringLiteral("carrier"); }
    QList<HelpLine> help() const override;
    QList<CliOption> options() const override;
    bool takesPaths() const override { return true; }
    // Hands over to the helper; comes back only when it cannot be started.
    int run(const CommandLine &line) override;

protected:
    QString optionsAndArgumentsProblem(const CommandLine &line) const override;
    QString argumentsProblem(const CommandLine &line) const override;

private:
    // The helper's path, or an empty text when it is missing.
    static QString helperPath();
};
