// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

// veldra-carrier PICTURE OUTPUT|- [--force]: the picture reading of
// "veldra-cli carrier", kept out of veldra-cli so that its other commands
// need not load Qt's graphics libraries. veldra-cli has checked the
// arguments; this program writes the carrier and says what it made.

#include "PictureCarrier.h"
#include "base/FailureText.h"
#include "base/SystemError.h"
#include "base/Translations.h"
#include "io/TemporaryRegistry.h"

#include <QCoreApplication>
#include <QLoggingCategory>
#include <QTextStream>

#include <cerrno>
#include <unistd.h>

namespace {

// Writes size bytes at data to the file descriptor fd, or says why it could
// not.
Outcome writeAll(int fd, const char *data, qint64 size)
{
    while (size > 0) {
        const ssize_t done = ::write(fd, data, size_t(size));
        if (done < 0 && errno == EINTR)
            continue;
        if (done <= 0) {
            return Outcome::failure(
                QCoreApplication::translate("veldra-carrier", "The output could not be written."),
                systemError(done < 0 ? errno : EIO));
        }
        data += done;
        size -= done;
    }
    return Outcome::success();
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    TemporaryRegistry::installSignalHandlers();
    Translations::install();
    // Image readers' own complaints (a colour profile libpng does not like)
    // say nothing the user can act on.
    QLoggingCategory::setFilterRules(QStringLiteral("qt.gui.imageio.warning=false"));
    QStringList arguments = QCoreApplication::arguments().mid(1);
    const bool force = arguments.removeAll(QStringLiteral("--force")) > 0;
    QTextStream err(stderr);
    if (arguments.size() != 2) {
        err << "Usage: veldra-cli carrier PICTURE OUTPUT.bmp [--force]\n";
        return 2;
    }
    // "-" sends the BMP down a pipe, as "extract -o -" does a hidden file,
    // and the capacity line to standard error; --force has nothing to replace.
    const bool toOutput = arguments[1] == QLatin1String("-");
    const auto toStandardOutput = [](const char *data, qint64 size) {
        return writeAll(STDOUT_FILENO, data, size);
    };
    PictureCarrier::Made made;
    if (Outcome written = toOutput ? PictureCarrier::stream(arguments[0], toStandardOutput, &made)
                                   : PictureCarrier::make(arguments[0], arguments[1], force, &made);
        !written) {
        err << fullText(written) << '\n';
        return 1;
    }
    if (made.lossy) {
        err << QCoreApplication::translate("veldra-carrier",
            "Warning: %1 was stored as %2, which loses detail. The hidden files live "
            "only in the BMP: saving it as %2 again would destroy them.")
                   .arg(arguments[0], made.format.toUpper())
            << '\n';
    }
    const QByteArray line = "capacity: " + QByteArray::number(made.capacity) + '\n';
    if (toOutput) {
        err << line;
        return 0;
    }
    err.flush();
    if (Outcome written = writeAll(STDOUT_FILENO, line.constData(), line.size()); !written) {
        // The BMP is made, but a script cannot learn its capacity.
        err << fullText(written) << '\n';
        return 1;
    }
    return 0;
}
