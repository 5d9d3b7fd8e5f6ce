// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

#include "AnalyseCommand.h"

#include "TerminalText.h"

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
    const auto optional = [](const std::optional<double> &value) {
        return value ? QJsonValue(*value) : QJsonValue();
    };
    if (line.isSet(CliOption::Json)) {
        QJsonValue container;
        if (result.container) {
            container = QJsonObject {{"files", result.container->announced},
                {"readable_files", result.container->readable},
                {"hidden_bytes", result.container->hiddenBytes},
                {"password", result.container->password}};
        }
        const QJsonObject object {{"pixel_bytes", result.pixelBytes},
            {"missing_bytes", result.missingBytes}, {"detected", result.detected()},
            {"certain", result.certain()}, {"container", container},
            {"nonzero_fill_bytes", result.nonzeroFillBytes}, {"judged", result.judged()},
            {"run_end", result.runEnd()}, {"statistical_run_end", result.statisticalRunEnd},
            {"run_end_error", result.runEndError}, {"margin", result.margin},
            {"whole_image_rate", result.wholeImageRate},
            {"whole_image_rate_error", optional(result.wholeImageRateError)},
            {"hcf_com_ratio", optional(result.hcfComRatio)}, {"verdict", result.verdict}};
        out() << printableJson(QJsonDocument(object));
        return Success;
    }
    const auto share = [&](qint64 bytes) {
        return QString::number(
            result.pixelBytes > 0 ? 100.0 * double(bytes) / double(result.pixelBytes) : 0.0, 'f',
            2);
    };
    out() << "pixel bytes: " << result.pixelBytes << '\n';
    // Only a file cut short has this line, so that the lines of a whole one
    // stay where scripts expect them.
    if (result.missingBytes > 0)
        out() << "missing bytes: " << result.missingBytes << '\n';
    out() << "hidden run: "
          << (result.detected()        ? "detected"
                     : result.judged() ? "not detected"
                                       : "cannot be judged")
          << '\n'
          << "run end: " << result.runEnd() << " (" << share(result.runEnd())
          << " % of the pixel bytes";
    if (!result.container && result.runFound)
        out() << ", give or take " << result.runEndError << " pixel bytes";
    out() << ")\n"
          << "container of this program: "
          << (!result.container ? QStringLiteral("none")
                     : result.container->announced == 1
                     ? QStringLiteral("yes, 1 file")
                     : QStringLiteral("yes, %1 files").arg(result.container->announced))
          << '\n'
          << "margin: " << QString::number(result.margin, 'f', 2) << " (1.0 counts as present)\n"
          << "row fill bytes not zero: " << result.nonzeroFillBytes << '\n'
          << "hcf-com ratio: "
          << (result.hcfComRatio ? QString::number(*result.hcfComRatio, 'f', 4)
                                 : QStringLiteral("none"))
          << " (lower when pixel bytes were changed by one; clean photographs vary from about "
             "0.85 to 1.3)\n"
          << "verdict: " << result.verdict << '\n';
    return Success;
}
