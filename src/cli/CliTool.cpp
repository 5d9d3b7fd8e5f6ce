// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

#include "CliTool.h"

#include "AddCommand.h"
#include "AnalyseCommand.h"
#include "CarrierCommand.h"
#include "ExtractCommand.h"
#include "InfoCommand.h"
#include "ListCommand.h"
#include "ProtectCommand.h"
#include "RemoveCommand.h"
#include "SealCommand.h"
#include "SealedReadCommands.h"
#include "SealedWriteCommands.h"
#include "TerminalText.h"

#include <QCommandLineParser>

namespace {

// Where the descriptions of the help's list of commands start.
constexpr qsizetype DescriptionColumn = 39;

} // namespace

CliTool::CliTool(QTextStream &out, QTextStream &err) : m_out(out), m_err(err)
{
    m_commands.push_back(std::make_unique<InfoCommand>(out, err));
    m_commands.push_back(std::make_unique<ListCommand>(out, err));
    m_commands.push_back(std::make_unique<AddCommand>(out, err));
    m_commands.push_back(std::make_unique<RemoveCommand>(out, err));
    m_commands.push_back(std::make_unique<ExtractCommand>(out, err));
    m_commands.push_back(std::make_unique<ProtectCommand>(ProtectCommand::Protect, out, err));
    m_commands.push_back(std::make_unique<ProtectCommand>(ProtectCommand::Unprotect, out, err));
    m_commands.push_back(std::make_unique<CarrierCommand>(out, err));
    m_commands.push_back(std::make_unique<AnalyseCommand>(out, err));
    m_commands.push_back(std::make_unique<SealCommand>(out, err));
    m_commands.push_back(std::make_unique<UnsealCommand>(out, err));
    m_sealedCommands.push_back(std::make_unique<SealedInfoCommand>(out, err));
    m_sealedCommands.push_back(std::make_unique<SealedListCommand>(out, err));
    m_sealedCommands.push_back(std::make_unique<SealedAddCommand>(out, err));
    m_sealedCommands.push_back(std::make_unique<SealedRemoveCommand>(out, err));
    m_sealedCommands.push_back(std::make_unique<SealedExtractCommand>(out, err));
}

CliTool::~CliTool() = default;

CliCommand *CliTool::command(const QString &name) const
{
    for (const std::unique_ptr<CliCommand> &command : m_commands) {
        if (command->name() == name)
            return command.get();
    }
    return nullptr;
}

int CliTool::usage(const QString &problem)
{
    m_err << escapeControls(problem) << '\n'
          << tr("Run \"%1 --help\" for the commands and options.")
                 .arg(QCoreApplication::applicationName())
          << '\n';
    m_err.flush();
    return CliCommand::UsageError;
}

QString CliTool::description() const
{
    QString text = tr("Hides files in 24-bit BMP images and takes them out again.") + "\n\n"
        + tr("Commands:") + '\n';
    for (const std::vector<std::unique_ptr<CliCommand>> *list : {&m_commands, &m_sealedCommands}) {
        for (const std::unique_ptr<CliCommand> &command : *list) {
            for (const CliCommand::HelpLine &line : command->help()) {
                QString synopsis = QStringLiteral("  ") + line.synopsis;
                // A synopsis too long for its column has the description below.
                synopsis = synopsis.size() < DescriptionColumn - 1
                    ? synopsis.leftJustified(DescriptionColumn)
                    : synopsis + '\n' + QString(DescriptionColumn, ' ');
                text += synopsis + line.description + '\n';
            }
        }
    }
    return text + '\n'
        + tr("The password scrambling keeps casual eyes out, not an attacker: to keep files\n"
             "secret, seal them (a sealed container cannot be found or read without its\n"
             "passphrase). Writing a plain container, or another sealed one, into a sealed\n"
             "image destroys it.");
}

void CliTool::prepare(QCommandLineParser &parser) const
{
    parser.setApplicationDescription(description());
    parser.addOptions({QCommandLineOption({"h", "help"}, tr("Displays this help.")),
        QCommandLineOption({"v", "version"}, tr("Displays version information."))});
    for (const CliOption option : cliOptionsForHelp())
        parser.addOption(parserOption(option));
    parser.addPositionalArgument("command",
        tr("info, list, add, remove, extract, protect, unprotect, carrier, analyse, seal or "
           "unseal"));
    parser.addPositionalArgument("bitmap", tr("the 24-bit BMP image (for carrier: the picture)"));
    parser.addPositionalArgument("arguments",
        tr("files to add, names to remove or extract, the BMP to make"), "[ARGUMENTS...]");
}

int CliTool::run(const QStringList &arguments)
{
    QCommandLineParser parser;
    prepare(parser);
    if (!parser.parse(arguments)) {
        // A file whose name starts with "-" reads as options.
        if (!parser.unknownOptionNames().isEmpty()) {
            m_err << escapeControls(parser.errorText()) << '\n';
            return usage(tr("To name a file that starts with \"-\", put \"--\" before it: "
                            "veldra-cli add BITMAP -- -file.txt"));
        }
        return usage(parser.errorText());
    }
    if (parser.isSet(QStringLiteral("help"))) {
        // Without an application object the parser cannot know its name.
        m_out << parser.helpText().replace(
            QLatin1String("<executable_name>"), QCoreApplication::applicationName());
        return CliCommand::Success;
    }
    if (parser.isSet(QStringLiteral("version"))) {
        m_out << QCoreApplication::applicationName() << ' '
              << QCoreApplication::applicationVersion() << '\n';
        return CliCommand::Success;
    }
    return dispatch(parser);
}

int CliTool::dispatch(const QCommandLineParser &parser)
{
    QStringList positional = parser.positionalArguments();
    if (positional.isEmpty())
        return usage(tr("No command given."));
    const QString name = positional.takeFirst();
    CliCommand *const chosen = command(name);
    if (!chosen)
        return usage(tr("Unknown command \"%1\".").arg(name));
    if (positional.isEmpty())
        return usage(tr("No bitmap given."));

    CommandLine line(parser);
    line.bitmap = positional.takeFirst();
    line.arguments = positional;
    if (line.isSet(CliOption::Wait)) {
        const QString given = line.value(CliOption::Wait);
        const std::optional<std::chrono::milliseconds> seconds = parseSeconds(given);
        if (!seconds)
            return usage(tr("--wait takes a number of seconds, 0 or more, not \"%1\".").arg(given));
        line.wait = *seconds;
    }
    CliCommand *run = chosen;
    if (line.isSet(CliOption::Sealed)) {
        for (const std::unique_ptr<CliCommand> &sealed : m_sealedCommands) {
            if (sealed->name() == name)
                run = sealed.get();
        }
    }
    if (const QString problem = run->usageProblem(line); !problem.isEmpty())
        return usage(problem);
    return run->run(line);
}
