// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

#include "Startup.h"

#include "frmVeldra.h"

#include "base/Translations.h"
#include "io/LocalPath.h"
#include "io/TemporaryRegistry.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QFileInfo>
#include <QTimer>

#include <cstdio>
#include <optional>

bool displayAvailable()
{
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
    return !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")
        || !qEnvironmentVariableIsEmpty("DISPLAY")
        || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
#else
    return true;
#endif
}

namespace {

QStringList argumentsOf(int argc, char **argv)
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    return arguments;
}

// Qt's own options (-style, -platform, ...), known to the parser and left
// for the application.
void addQtOptions(QCommandLineParser &parser)
{
    for (const char *name : {"style", "stylesheet", "platform", "platformpluginpath",
             "platformtheme", "plugin", "qwindowgeometry", "qwindowicon", "qwindowtitle", "session",
             "display", "geometry", "title", "qmljsdebugger"}) {
        QCommandLineOption qtOption(QString::fromLatin1(name), QString(), QStringLiteral("value"));
        qtOption.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(qtOption);
    }
    for (const char *name : {"reverse", "widgetcount", "nograb", "dograb", "sync"}) {
        QCommandLineOption qtOption(QString::fromLatin1(name), QString());
        qtOption.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(qtOption);
    }
}

// Reads the command line before any window or display is needed, so that
// --help and --version work anywhere. Gives the exit status when the
// program ends here (help, version, a usage error); otherwise *bitmap is
// the absolute path of the bitmap named, or empty.
std::optional<int> readCommandLine(int argc, char **argv, QString *bitmap)
{
    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.setApplicationDescription(
        QStringLiteral("Hides files in 24-bit BMP images and takes them out again."));
    const QCommandLineOption help(
        {QStringLiteral("h"), QStringLiteral("help")}, QStringLiteral("Displays this help."));
    const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")},
        QStringLiteral("Displays version information."));
    parser.addOptions({help, version});
    addQtOptions(parser);
    parser.addPositionalArgument(QStringLiteral("bitmap"),
        QStringLiteral("The image to open at start."), QStringLiteral("[BITMAP]"));
    if (!parser.parse(argumentsOf(argc, argv)) || parser.positionalArguments().size() > 1) {
        const QString problem = parser.errorText().isEmpty()
            ? QStringLiteral("Only one bitmap can be opened.")
            : parser.errorText();
        std::fprintf(stderr, "%s\nRun \"veldra --help\" for the options.\n", qPrintable(problem));
        return 2;
    }
    if (parser.isSet(help)) {
        // Without an application object the parser cannot know its name.
        std::fputs(qPrintable(parser.helpText().replace(
                       QLatin1String("<executable_name>"), QLatin1String("veldra"))),
            stdout);
        return 0;
    }
    if (parser.isSet(version)) {
        std::printf("veldra %s\n", qPrintable(QCoreApplication::applicationVersion()));
        return 0;
    }
    // A bitmap named at start is found from the folder the program was
    // started in, before that changes.
    if (!parser.positionalArguments().isEmpty())
        *bitmap = QFileInfo(LocalPath::of(parser.positionalArguments().constFirst()))
                      .absoluteFilePath();
    return std::nullopt;
}

} // namespace

int Main(int argc, char **argv)
{
    QCoreApplication::setApplicationName(QStringLiteral("veldra"));
    QCoreApplication::setApplicationVersion(QStringLiteral(VELDRA_VERSION));
    QString bitmap;
    if (const std::optional<int> status = readCommandLine(argc, argv, &bitmap))
        return *status;

    if (!displayAvailable()) {
        std::fputs("Veldra is a desktop program and needs a graphical display, but none was "
                   "found (DISPLAY and WAYLAND_DISPLAY are not set).\nStart it from a desktop "
                   "session, or under a virtual display with: xvfb-run veldra\n",
            stderr);
        return 1;
    }
    QApplication app(argc, argv);
    // A write cut short by Ctrl-C or the session's end leaves no copy behind.
    TemporaryRegistry::installSignalHandlers();
    Translations::install();
    QApplication::setApplicationName(QStringLiteral("Veldra"));
    // Window managers find the icon through the desktop entry.
    QApplication::setDesktopFileName(QStringLiteral("org.veldra.Veldra"));

    frmVeldra window;
    window.show();
    if (!bitmap.isEmpty())
        QTimer::singleShot(0, &window, [&window, bitmap] { window.openPath(bitmap); });
    return app.exec();
}
