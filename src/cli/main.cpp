#include "CliTool.h"

#include <QCoreApplication>

#include <cstdio>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("veldra-cli"));
    QCoreApplication::setApplicationVersion(QStringLiteral("2.0"));
    QTextStream out(stdout);
    QTextStream err(stderr);
    CliTool tool(out, err);
    return tool.run(QCoreApplication::arguments());
}
