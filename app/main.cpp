#include <memory>
#include <optional>

#include <QApplication>
#include <QFileInfo>
#include <QFont>
#include <QIcon>
#include <QStyleFactory>
#include <QUrl>

#include <cstdio>
#include <cstring>

#include "app/CompareWindow.h"
#include "app/Configuration.h"
#include "app/HintTracker.h"
#include "app/MainWindow.h"
#include "app/MessagePresenter.h"
#include "app/RenderWindowLink.h"
#include "app/TerminationSignal.h"
#include "browser/ShownFile.h"

namespace {

// `kandora [FILE|FOLDER]`, as launchers and "Open with" call it.
struct StartArguments {
    QString path;                   // absolute; empty when none is given
    std::optional<int> exitStatus;  // set when the program is to end at once
};

// The first argument as an absolute path (a file URI is taken too); "--" ends the options.
StartArguments ParseStartArguments(const QStringList& arguments)
{
    bool options = true;
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        if (options && argument == QLatin1String("--")) {
            options = false;
        } else if (options && argument.startsWith(QLatin1Char('-'))) {
            std::fprintf(stderr, "kandora: unknown option '%s'\nusage: kandora [FILE|FOLDER]\n",
                         argument.toLocal8Bit().constData());
            return {{}, 2};
        } else {
            const QUrl url(argument);
            const QString path = url.isLocalFile() ? url.toLocalFile() : argument;
            // The usual start-up follows; the window opens the stored folder.
            if (!QFileInfo::exists(path))
                std::fprintf(stderr, "kandora: '%s' does not exist\n", path.toLocal8Bit().constData());
            return {QFileInfo(path).absoluteFilePath(), std::nullopt};
        }
    }
    return {};
}

}  // namespace

int main(int argc, char** argv)
{
    // Answered before Qt looks for a display.
    for (int i = 1; i < argc && std::strcmp(argv[i], "--") != 0; ++i) {
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
            std::fputs("usage: kandora [FILE|FOLDER]\n", stdout);
            return 0;
        }
    }
    QApplication app(argc, argv);
    // Without a desktop session the icon theme is bare "hicolor": the menus'
    // icons then come from Adwaita when it is installed. Set before any lookup.
    if (QIcon::themeName().isEmpty() || QIcon::themeName() == QLatin1String("hicolor"))
        QIcon::setFallbackThemeName(QStringLiteral("Adwaita"));
    // Ties the windows to the installed launcher (its name and icon) on the desktop.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.kandora.Kandora"));
    QGuiApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral("org.kandora.Kandora")));
    const StartArguments start = ParseStartArguments(QCoreApplication::arguments());
    if (start.exitStatus)
        return *start.exitStatus;
    QApplication::setStyle(new ImmediateHintStyle(QStyleFactory::create(QStringLiteral("Fusion"))));
    // The panels are laid out in pixels for a compact 11-pixel sans-serif font.
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(11);
    QApplication::setFont(font);

    Configuration config(Configuration::DefaultLocation());
    MessageBoxPresenter messages;
    // The shown file outlives every window that reads it.
    ShownFile shown;
    auto window = std::make_unique<TMainWindow>(config, messages, shown);
    window->setStartPath(start.path);
    auto render = std::make_unique<RenderWindowLink>(*window, shown, config, messages);
    auto compare = std::make_unique<TBigGonioWin>();
    window->setCompareWindow(compare.get());
    TerminationSignal termination;
    QObject::connect(&termination, &TerminationSignal::requested, window.get(), &QWidget::close);

    window->show();
    const int status = QApplication::exec();
    // Windows go in the reverse order of their creation: the compare window,
    // the render window, which writes its section, then the main window,
    // which reports a failed write once.
    window->setCompareWindow(nullptr);
    compare.reset();
    render.reset();
    window->FormDestroy();
    window.reset();
    return status;
}
