#include "Startup.h"

#include "frmVeldra.h"

#include <QApplication>
#include <QDir>

#include <cstdio>

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

int Main(int argc, char **argv)
{
    if (!displayAvailable()) {
        std::fputs("Veldra is a desktop program and needs a graphical display, but none was "
                   "found (DISPLAY and WAYLAND_DISPLAY are not set).\nStart it from a desktop "
                   "session, or under a virtual display with: xvfb-run veldra\n",
            stderr);
        return 1;
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Veldra"));
    QApplication::setApplicationVersion(QStringLiteral("2.0"));
    QApplication::setDesktopFileName(QStringLiteral("veldra"));

    // Relative bitmap paths are resolved against the program's own folder.
    QDir::setCurrent(QCoreApplication::applicationDirPath());

    frmVeldra window;
    window.show();
    return app.exec();
}
