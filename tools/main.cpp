#include <QCoreApplication>
#include <QTextStream>

#include <cstdio>

#include "CliCommands.h"

namespace {

void PrintUsage()
{
    std::fputs("usage: kandora-cli dump FILE...\n", stderr);
}

}  // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("kandora-cli"));
    QStringList arguments = QCoreApplication::arguments();
    arguments.removeFirst();
    if (arguments.isEmpty()) {
        PrintUsage();
        return 2;
    }
    const QString command = arguments.takeFirst();
    if (command == QLatin1String("dump"))
        return RunDump(arguments);
    std::fprintf(stderr, "kandora-cli: unknown command '%s'\n", command.toLocal8Bit().constData());
    PrintUsage();
    return 2;
}
