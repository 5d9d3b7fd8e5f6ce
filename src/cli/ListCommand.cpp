// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

#include "ListCommand.h"

#include "TerminalText.h"
#include "container/ContainerSession.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

QList<CliCommand::HelpLine> ListCommand::help() const
{
    return {{QStringLiteral("list BITMAP [--json]"), tr("size and name of every hidden file")}};
}

QList<CliOption> ListCommand::options() const
{
    return ContainerCommand::options() << CliOption::Json;
}

int ListCommand::work(ContainerSession &session, const CommandLine &line, PasswordInput &)
{
    if (line.isSet(CliOption::Json)) {
        printJson(session);
        return Success;
    }
    // A line per file: names from elsewhere reach the terminal escaped.
    const DatFile &table = session.file();
    for (qsizetype i = 1; i <= table.colFiles().count(); ++i)
        out() << table.colFiles().item(i).size << '\t'
              << escapeControls(table.colDescriptions().item(i)) << '\n';
    return Success;
}

void ListCommand::printJson(const ContainerSession &session)
{
    // JSON escapes what cannot be printed: the names stay exact.
    const DatFile &table = session.file();
    QJsonArray entries;
    for (qsizetype i = 1; i <= table.colFiles().count(); ++i) {
        entries.append(QJsonObject {
            {"name", table.colDescriptions().item(i)}, {"size", table.colFiles().item(i).size}});
    }
    // Entries that could not be read have no name to list: one last object,
    // without a name, says how many there are.
    if (const LoadReport &report = session.report(); !report.damage.isEmpty()) {
        entries.append(QJsonObject {
            {"damaged", true}, {"unreadable", report.unread()}, {"reason", report.damage}});
    }
    out() << printableJson(QJsonDocument(entries));
}
