// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

#include "AnalyseCommand.h"

#include "analysis/ImageAnalysis.h"
#include "base/FailureText.h"

#include <QJsonDocument>
#include <QJsonObject>

QList<CliCommand::HelpLine> AnalyseCommand::help() const
{
    return {{QStringLiteral("analyse BITMAP [--json]"),
        tr("how visible hidden data are in the image")}};
}

QList<CliOption> AnalyseCommand::options() const
{
    // It needs no password, but takes the password options as the commands
    // on the container do, for scripts that give them to every command.
    return {CliOption::Json, CliOption::PasswordFile, CliOption::NoPrompt};
}

int AnalyseCommand::run(const CommandLine &line)
{
    ImageAnalysis result;
    if (Outcome done = analyseImage(line.bitmap, &result); !done)
        return fail(done);
    if (line.isSet(CliOption::Json)) {
        const QJsonValue hcf = result.hcfComRatio ? QJsonValue(*result.hcfComRatio) : QJsonValue();
        const QJsonObject object {{"pixel_bytes", result.pixelBytes},
            {"missing_bytes", result.missingBytes}, {"detected", result.detected},
            {"run_end", result.runEnd}, {"margin", result.margin},
            {"nonzero_fill_bytes", result.nonzeroFillBytes},
            {"whole_image_rate", result.wholeImageRate}, {"hcf_com_ratio", hcf},
            {"verdict", result.verdict}};
        out() << QJsonDocument(object).toJson(QJsonDocument::Indented);
        return Success;
    }
    const double share = result.pixelBytes > 0 ? double(result.runEnd) / result.pixelBytes : 0;
    out() << "pixel bytes: " << result.pixelBytes << '\n';
    // Only a file cut short has this line, so that the lines of a whole one
    // stay where scripts expect them.
    if (result.missingBytes > 0)
        out() << "missing bytes: " << result.missingBytes << '\n';
    out() << "hidden run: " << (result.detected ? "detected" : "not detected") << '\n'
          << "run end: " << result.runEnd << " (" << QString::number(100.0 * share, 'f', 1)
          << " % of the pixel bytes)\n"
          << "margin: " << QString::number(result.margin, 'f', 2) << " (1.0 counts as present)\n"
          << "row fill bytes not zero: " << result.nonzeroFillBytes << '\n'
          << "whole-image rate: " << QString::number(result.wholeImageRate, 'f', 3)
          << " (for data scattered over the image; it says nothing about a run's length)\n"
          << "hcf-com ratio: "
          << (result.hcfComRatio ? QString::number(*result.hcfComRatio, 'f', 4)
                                 : QStringLiteral("none"))
          << " (lower when pixel bytes were changed by one; clean photographs vary from about "
             "0.85 to 1.3)\n"
          << "verdict: " << result.verdict << '\n';
    return Success;
}
