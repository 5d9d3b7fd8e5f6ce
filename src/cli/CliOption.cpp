// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

#include "CliOption.h"

#include <QCoreApplication>

QList<CliOption> cliOptions(CliOption first, CliOption last)
{
    QList<CliOption> options;
    for (int option = int(first); option <= int(last); ++option)
        options << CliOption(option);
    return options;
}

QList<CliOption> cliOptionsForHelp()
{
    return {CliOption::Json, CliOption::Force, CliOption::NoClobber, CliOption::Name,
        CliOption::Protect, CliOption::NoProtect, CliOption::Output, CliOption::PasswordFile,
        CliOption::NewPasswordFile, CliOption::NoPrompt, CliOption::Wait, CliOption::Sealed};
}

QString optionName(CliOption option)
{
    return parserOption(option).names().constLast();
}

QCommandLineOption parserOption(CliOption option)
{
    switch (option) {
    case CliOption::Json:
        return {"json",
            QCoreApplication::translate(
                "CliOption", "info, list, analyse: print one JSON document.")};
    case CliOption::Force:
        return {"force",
            QCoreApplication::translate("CliOption",
                "carrier: replace an existing OUTPUT. add, remove, protect, unprotect: write an "
                "image file that is cut short all the same (its missing pixels become black).")};
    case CliOption::NoClobber:
        return {"no-clobber",
            QCoreApplication::translate(
                "CliOption", "extract: keep files that already exist instead of replacing them.")};
    case CliOption::Name:
        return {"name",
            QCoreApplication::translate(
                "CliOption", "add: the name to hide standard input (\"-\") under."),
            "NAME"};
    case CliOption::Protect:
        return {"protect",
            QCoreApplication::translate(
                "CliOption", "add: scramble the hidden data with a new password.")};
    case CliOption::NoProtect:
        return {"no-protect",
            QCoreApplication::translate(
                "CliOption", "add: store the hidden data without password.")};
    case CliOption::Output:
        return {{"o", "output"},
            QCoreApplication::translate("CliOption",
                "extract: write into DIR (default: here); - writes the one named file to standard "
                "output."),
            "DIR"};
    case CliOption::PasswordFile:
        return {"password-file",
            QCoreApplication::translate("CliOption",
                "Read the password from the first line of FILE (- for standard input)."),
            "FILE"};
    case CliOption::NewPasswordFile:
        return {"new-password-file",
            QCoreApplication::translate("CliOption",
                "protect, add --protect: read the new password from the first line of FILE."),
            "FILE"};
    case CliOption::NoPrompt:
        return {"no-prompt",
            QCoreApplication::translate(
                "CliOption", "Never ask for a password on the terminal; fail instead.")};
    case CliOption::Wait:
        return {"wait",
            QCoreApplication::translate("CliOption",
                "add, remove, protect, unprotect, seal, unseal: wait up to SECONDS for another "
                "program writing the image (default 5; 0: do not wait)."),
            "SECONDS"};
    case CliOption::Sealed:
        return {"sealed",
            QCoreApplication::translate("CliOption",
                "info, list, add, remove, extract: work on the sealed container that the "
                "passphrase opens (see seal).")};
    }
    Q_UNREACHABLE();
}

QString refusal(CliOption option, const QString &command)
{
    switch (option) {
    case CliOption::Json:
        return QCoreApplication::translate(
            "CliOption", "--json goes with info, list and analyse only.");
    case CliOption::Force:
        return QCoreApplication::translate(
            "CliOption", "--force goes with carrier and the commands that write the image only.");
    case CliOption::NoClobber:
        return QCoreApplication::translate("CliOption", "--no-clobber goes with extract only.");
    case CliOption::PasswordFile:
    case CliOption::NoPrompt:
        return QCoreApplication::translate("CliOption", "%1 needs no password.").arg(command);
    case CliOption::Protect:
    case CliOption::NoProtect:
        return QCoreApplication::translate(
            "CliOption", "--protect and --no-protect go with add only.");
    case CliOption::Output:
        return QCoreApplication::translate("CliOption", "-o goes with extract only.");
    case CliOption::Name:
        return QCoreApplication::translate("CliOption", "--name goes with add only.");
    case CliOption::Wait:
        return QCoreApplication::translate(
            "CliOption", "--wait goes with add, remove, protect, unprotect, seal and unseal only.");
    case CliOption::NewPasswordFile:
        return QCoreApplication::translate(
            "CliOption", "--new-password-file goes with protect and add --protect only.");
    case CliOption::Sealed:
        return QCoreApplication::translate(
            "CliOption", "--sealed goes with info, list, add, remove and extract only.");
    }
    Q_UNREACHABLE();
}
