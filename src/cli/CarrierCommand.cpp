// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

#include "CarrierCommand.h"

#include "base/Outcome.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <unistd.h>
#include <vector>

QList<CliCommand::HelpLine> CarrierCommand::help() const
{
    return {{QStringLiteral("carrier PICTURE OUTPUT.bmp|- [--force]"),
        tr("make a 24-bit BMP from any picture")}};
}

QList<CliOption> CarrierCommand::options() const
{
    return {CliOption::Force};
}

QString CarrierCommand::optionsAndArgumentsProblem(const CommandLine &line) const
{
    if (QString refused = refusedOption(line, CliOption::Json, CliOption::NoClobber);
        !refused.isEmpty())
        return refused;
    // The picture and the BMP to make come before the options of the
    // commands on a container, which carrier has none of.
    if (QString problem = argumentsProblem(line); !problem.isEmpty())
        return problem;
    return refusedOption(line, CliOption::PasswordFile);
}

QString CarrierCommand::argumentsProblem(const CommandLine &line) const
{
    if (line.arguments.size() != 1)
        return tr("carrier takes a picture and the BMP file to make.");
    return {};
}

QString CarrierCommand::helperPath()
{
    // The helper sits beside this program in a build, in the library folder
    // once installed.
    char self[4096];
    const ssize_t length = ::readlink("/proc/self/exe", self, sizeof self - 1);
    const QString folder = length > 0
        ? QFileInfo(QFile::decodeName(QByteArray(self, length))).absolutePath()
        : QString();
    for (const QString &candidate : {folder + QStringLiteral("/veldra-carrier"),
             folder + QStringLiteral("/" VELDRA_HELPER_FROM_BIN "/veldra-carrier")}) {
        if (QFileInfo(candidate).isExecutable())
            return candidate;
    }
    return {};
}

int CarrierCommand::run(const CommandLine &line)
{
    const QString helper = helperPath();
    if (helper.isEmpty()) {
        return fail(
            Outcome::failure(tr("Pictures cannot be read: the helper veldra-carrier is missing."),
                tr("Install Veldra again.")));
    }
    QList<QByteArray> arguments = {QFile::encodeName(helper), QFile::encodeName(line.bitmap),
        QFile::encodeName(line.arguments.constFirst())};
    if (line.isSet(CliOption::Force))
        arguments << "--force";
    std::vector<char *> argv;
    for (QByteArray &argument : arguments)
        argv.push_back(argument.data());
    argv.push_back(nullptr);
    out().flush();
    err().flush();
    std::fflush(nullptr);
    ::execv(argv[0], argv.data());
    return fail(Outcome::failure(tr("The helper veldra-carrier could not be started."),
        QString::fromLocal8Bit(std::strerror(errno))));
}
