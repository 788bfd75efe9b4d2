#include <QCoreApplication>
#include <QGuiApplication>

#include <cstdio>
#include <cstring>
#include <memory>
#include <optional>

#include "CliCommands.h"
#include "RuntimeFolder.h"

namespace {

void PrintUsage()
{
    std::fputs("usage: kandora-cli dump FILE...\n"
               "       kandora-cli calc FILE [options]\n"
               "       kandora-cli diagram FILE --out OUT.png [options]\n"
               "       kandora-cli convert [--to ldt|ies] FILE... [--out-dir DIR]\n"
               "       kandora-cli render FILE --out OUT.png [options]\n"
               "       kandora-cli list FOLDER [--caption CAPTION] [--sort]\n"
               "       kandora-cli print FILE --out OUT.pdf [options]\n"
               "       kandora-cli datasheet FILE|FOLDER... --out OUT.pdf [--paper A4|Letter]\n"
               "       kandora-cli summary FILE|FOLDER... [--csv]\n",
               stderr);
}

}  // namespace

int main(int argc, char* argv[])
{
    // Drawing needs fonts, the other commands nothing of the GUI. A picture
    // drawn here must not depend on a display (over ssh, in a thumbnailer, in
    // CI there is none), so the off-screen platform draws it unless the caller
    // names a platform.
    const bool draws = argc > 1 && (std::strcmp(argv[1], "diagram") == 0 || std::strcmp(argv[1], "print") == 0 ||
                                     std::strcmp(argv[1], "datasheet") == 0);
    // Declared before the application, which uses it until it is gone: a
    // script run without a session would otherwise leave Qt's
    // `$TMPDIR/runtime-$USER` behind and a warning on standard error.
    std::optional<PrivateRuntimeFolder> runtime;
    std::unique_ptr<QCoreApplication> app;
    if (draws) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        runtime.emplace();
        app = std::make_unique<QGuiApplication>(argc, argv);
    } else
        app = std::make_unique<QCoreApplication>(argc, argv);
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
    if (command == QLatin1String("calc"))
        return RunCalc(arguments);
    if (command == QLatin1String("diagram"))
        return RunDiagram(arguments);
    if (command == QLatin1String("convert"))
        return RunConvert(arguments);
    if (command == QLatin1String("render"))
        return RunRender(arguments);
    if (command == QLatin1String("list"))
        return RunList(arguments);
    if (command == QLatin1String("print"))
        return RunPrint(arguments);
    if (command == QLatin1String("datasheet"))
        return RunDatasheet(arguments);
    if (command == QLatin1String("summary"))
        return RunSummary(arguments);
    std::fprintf(stderr, "kandora-cli: unknown command '%s'\n", command.toLocal8Bit().constData());
    PrintUsage();
    return 2;
}
