// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

#include "CommandLine.h"
#include "io/LocalPath.h"

#include <QCommandLineParser>
#include <QRegularExpression>

#include <cmath>

namespace {

// Options whose values are paths of the user's files.
bool isPath(CliOption option)
{
    return option == CliOption::Output || option == CliOption::PasswordFile
        || option == CliOption::NewPasswordFile;
}

} // namespace

CommandLine::CommandLine(const QCommandLineParser &parser)
{
    for (const CliOption option : cliOptions()) {
        if (const QString name = optionName(option); parser.isSet(name))
            m_given.emplace(
                option, isPath(option) ? LocalPath::of(parser.value(name)) : parser.value(name));
    }
}

QString CommandLine::value(CliOption option) const
{
    const auto given = m_given.find(option);
    return given == m_given.end() ? QString() : given->second;
}

std::optional<std::chrono::milliseconds> parseSeconds(const QString &text)
{
    static const QRegularExpression plain(QStringLiteral("^[0-9]{1,9}(\\.[0-9]+)?$"));
    if (!plain.match(text).hasMatch())
        return std::nullopt;
    return std::chrono::milliseconds(std::llround(text.toDouble() * 1000));
}
