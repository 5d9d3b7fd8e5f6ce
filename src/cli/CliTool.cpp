// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

// The command line of veldra-cli: its options, the checks of what goes with
// what, and the help.

#include "CliTool.h"

#include "TerminalText.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QRegularExpression>

#include <cmath>

namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("CliTool", text);
}

const QStringList Commands
    = {"info", "list", "add", "remove", "extract", "protect", "unprotect", "carrier", "analyse"};

// Seconds as a number of milliseconds: digits, with a fraction or without.
// Nothing for anything else, a sign included.
std::optional<std::chrono::milliseconds> parseSeconds(const QString &text)
{
    static const QRegularExpression plain(QStringLiteral("^[0-9]{1,9}(\\.[0-9]+)?$"));
    if (!plain.match(text).hasMatch())
        return std::nullopt;
    return std::chrono::milliseconds(std::llround(text.toDouble() * 1000));
}

} // namespace

int CliTool::usage(const QString &problem)
{
    m_err << escapeControls(problem) << '\n'
          << tr("Run \"%1 --help\" for the commands and options.")
                 .arg(QCoreApplication::applicationName())
          << '\n';
    m_err.flush();
    return UsageError;
}

int CliTool::run(const QStringList &arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(tr(
        "Hides files in 24-bit BMP images and takes them out again.\n\n"
        "Commands:\n"
        "  info BITMAP [--json]                 capacity, used and free space, files, protection\n"
        "  list BITMAP [--json]                 size and name of every hidden file\n"
        "  add BITMAP FILE... [--protect | --no-protect]\n"
        "                                       hide files and write the image back\n"
        "  add BITMAP - --name NAME             hide standard input under NAME\n"
        "  remove BITMAP NAME...                remove hidden files and write the image back\n"
        "  extract BITMAP [NAME...] [-o DIR] [--no-clobber]\n"
        "                                       write hidden files (all when none is named)\n"
        "  extract BITMAP NAME -o -             write one hidden file to standard output\n"
        "  protect BITMAP                       set or change the password\n"
        "  unprotect BITMAP                     remove the password\n"
        "  carrier PICTURE OUTPUT.bmp|- [--force]\n"
        "                                       make a 24-bit BMP from any picture\n"
        "  analyse BITMAP [--json]              how visible hidden data are in the image\n\n"
        "The password scrambling keeps casual eyes out, not an attacker: encrypt a file\n"
        "with a real cipher first to keep it secret."));
    const QCommandLineOption helpOption({"h", "help"}, tr("Displays this help."));
    const QCommandLineOption versionOption({"v", "version"}, tr("Displays version information."));
    parser.addOptions({helpOption, versionOption});
    const QCommandLineOption json("json", tr("info, list, analyse: print one JSON document."));
    const QCommandLineOption force("force",
        tr("carrier: replace an existing OUTPUT. add, remove, protect, unprotect: write an image "
           "file that is cut short all the same (its missing pixels become black)."));
    const QCommandLineOption noClobber(
        "no-clobber", tr("extract: keep files that already exist instead of replacing them."));
    const QCommandLineOption name(
        "name", tr("add: the name to hide standard input (\"-\") under."), "NAME");
    const QCommandLineOption protect(
        "protect", tr("add: scramble the hidden data with a new password."));
    const QCommandLineOption noProtect(
        "no-protect", tr("add: store the hidden data without password."));
    const QCommandLineOption output({"o", "output"},
        tr("extract: write into DIR (default: here); - writes the one named file to standard "
           "output."),
        "DIR");
    const QCommandLineOption passwordFile("password-file",
        tr("Read the password from the first line of FILE (- for standard input)."), "FILE");
    const QCommandLineOption newPasswordFile("new-password-file",
        tr("protect, add --protect: read the new password from the first line of FILE."), "FILE");
    const QCommandLineOption noPrompt(
        "no-prompt", tr("Never ask for a password on the terminal; fail instead."));
    const QCommandLineOption wait("wait",
        tr("add, remove, protect, unprotect: wait up to SECONDS for another program writing the "
           "image (default 5; 0: do not wait)."),
        "SECONDS");
    parser.addOptions({json, force, noClobber, name, protect, noProtect, output, passwordFile,
        newPasswordFile, noPrompt, wait});
    parser.addPositionalArgument(
        "command", tr("info, list, add, remove, extract, protect, unprotect, carrier or analyse"));
    parser.addPositionalArgument("bitmap", tr("the 24-bit BMP image (for carrier: the picture)"));
    parser.addPositionalArgument("arguments",
        tr("files to add, names to remove or extract, the BMP to make"), "[ARGUMENTS...]");

    if (!parser.parse(arguments)) {
        // A file whose name starts with "-" reads as options.
        if (!parser.unknownOptionNames().isEmpty()) {
            m_err << escapeControls(parser.errorText()) << '\n';
            return usage(tr("To name a file that starts with \"-\", put \"--\" before it: "
                            "veldra-cli add BITMAP -- -file.txt"));
        }
        return usage(parser.errorText());
    }
    if (parser.isSet(helpOption)) {
        // Without an application object the parser cannot know its name.
        m_out << parser.helpText().replace(
            QLatin1String("<executable_name>"), QCoreApplication::applicationName());
        return Success;
    }
    if (parser.isSet(versionOption)) {
        m_out << QCoreApplication::applicationName() << ' '
              << QCoreApplication::applicationVersion() << '\n';
        return Success;
    }

    Request request;
    QStringList positional = parser.positionalArguments();
    if (positional.isEmpty())
        return usage(tr("No command given."));
    request.command = positional.takeFirst();
    const QString &command = request.command;
    if (!Commands.contains(command))
        return usage(tr("Unknown command \"%1\".").arg(command));
    if (positional.isEmpty())
        return usage(tr("No bitmap given."));
    request.bitmap = positional.takeFirst();
    request.arguments = positional;
    request.json = parser.isSet(json);
    request.force = parser.isSet(force);
    request.noClobber = parser.isSet(noClobber);
    request.name = parser.value(name);
    request.output = parser.isSet(output) ? parser.value(output) : QStringLiteral(".");
    request.protection = parser.isSet(protect) ? Request::Protect
        : parser.isSet(noProtect)              ? Request::Unprotect
                                               : Request::Keep;
    request.passwordFile = parser.value(passwordFile);
    request.newPasswordFile = parser.value(newPasswordFile);
    request.prompts = !parser.isSet(noPrompt);
    if (parser.isSet(wait)) {
        const std::optional<std::chrono::milliseconds> seconds = parseSeconds(parser.value(wait));
        if (!seconds)
            return usage(tr("--wait takes a number of seconds, 0 or more, not \"%1\".")
                             .arg(parser.value(wait)));
        request.wait = *seconds;
    }

    // What goes with what.
    const auto only = [&](const QCommandLineOption &option, const QStringList &commands) {
        return !parser.isSet(option) || commands.contains(command);
    };
    if (!only(json, {"info", "list", "analyse"}))
        return usage(tr("--json goes with info, list and analyse only."));
    if (!only(force, {"carrier", "add", "remove", "protect", "unprotect"}))
        return usage(tr("--force goes with carrier and the commands that write the image only."));
    if (!only(noClobber, {"extract"}))
        return usage(tr("--no-clobber goes with extract only."));
    if (parser.isSet(noClobber) && request.output == QLatin1String("-"))
        return usage(tr("--no-clobber does not go with -o -."));
    if (command == QLatin1String("carrier") && positional.size() != 1)
        return usage(tr("carrier takes a picture and the BMP file to make."));
    if (command == QLatin1String("carrier")
        && (parser.isSet(passwordFile) || parser.isSet(noPrompt)))
        return usage(tr("carrier needs no password."));
    if (!only(protect, {"add"}) || !only(noProtect, {"add"}))
        return usage(tr("--protect and --no-protect go with add only."));
    if (parser.isSet(protect) && parser.isSet(noProtect))
        return usage(tr("--protect and --no-protect exclude each other."));
    if (!only(output, {"extract"}))
        return usage(tr("-o goes with extract only."));
    if (!only(name, {"add"}))
        return usage(tr("--name goes with add only."));
    if (!only(wait, {"add", "remove", "protect", "unprotect"}))
        return usage(tr("--wait goes with add, remove, protect and unprotect only."));
    if (!only(newPasswordFile, {"protect", "add"})
        || (command == QLatin1String("add") && parser.isSet(newPasswordFile)
            && !parser.isSet(protect)))
        return usage(tr("--new-password-file goes with protect and add --protect only."));
    if (QStringList {"info", "list", "protect", "unprotect", "analyse"}.contains(command)
        && !positional.isEmpty())
        return usage(tr("%1 takes only the bitmap.").arg(command));
    if (command == QLatin1String("add") && positional.isEmpty())
        return usage(tr("add needs at least one file."));
    if (command == QLatin1String("remove") && positional.isEmpty())
        return usage(tr("remove needs at least one name."));
    const qsizetype fromInput
        = command == QLatin1String("add") ? positional.count(QStringLiteral("-")) : 0;
    if (fromInput > 1)
        return usage(tr("Standard input (\"-\") can be added only once."));
    if ((fromInput == 1) != parser.isSet(name))
        return usage(tr("add - needs --name NAME, and --name goes with \"-\" only."));
    if (request.output == QLatin1String("-") && positional.size() != 1)
        return usage(tr("extract -o - writes exactly one named file."));
    if (fromInput + (request.passwordFile == QLatin1String("-"))
            + (request.newPasswordFile == QLatin1String("-"))
        > 1)
        return usage(tr("Standard input (\"-\") can serve only one purpose at a time."));
    return execute(request);
}
