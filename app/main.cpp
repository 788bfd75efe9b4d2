#include <memory>

#include <QApplication>
#include <QDialog>
#include <QFont>
#include <QIcon>
#include <QStyleFactory>
#include <QSysInfo>

#include <cstdio>

#include "app/CompareWindow.h"
#include "app/Configuration.h"
#include "app/HintTracker.h"
#include "app/MainWindow.h"
#include "app/MessagePresenter.h"
#include "app/RenderWindowLink.h"
#include "app/ShutdownPresenter.h"
#include "app/StartArguments.h"
#include "app/TerminationSignal.h"
#include "browser/ShownFile.h"

namespace {

// Closes whatever modal dialog is open, innermost first, so that nothing
// holds the program once it is told to end.
void CloseModalDialogs()
{
    QWidget* last = nullptr;
    while (QWidget* modal = QApplication::activeModalWidget()) {
        if (modal == last)
            break;
        last = modal;
        if (auto* dialog = qobject_cast<QDialog*>(modal))
            dialog->reject();
        else
            modal->close();
    }
}

}  // namespace

int main(int argc, char** argv)
{
    // Decided before Qt looks for a display: --version and a wrong option need none.
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    const StartRequest start = ParseStartArguments(arguments, QSysInfo::machineHostName());
    for (const QString& message : start.messages)
        std::fprintf(stderr, "kandora: %s\n", message.toLocal8Bit().constData());
    switch (start.action) {
    case StartRequest::Action::Help:
        std::fputs(StartUsage(), stdout);
        return 0;
    case StartRequest::Action::Version:
        std::fputs("kandora " KANDORA_VERSION "\n", stdout);
        return 0;
    case StartRequest::Action::Usage:
        std::fputs(StartUsage(), stderr);
        return 2;
    case StartRequest::Action::Run:
        break;
    }

    QApplication app(argc, argv);
    // Without a desktop session the icon theme is bare "hicolor": the menus'
    // icons then come from Adwaita when it is installed. Set before any lookup.
    if (QIcon::themeName().isEmpty() || QIcon::themeName() == QLatin1String("hicolor"))
        QIcon::setFallbackThemeName(QStringLiteral("Adwaita"));
    // Ties the windows to the installed launcher (its name and icon) on the
    // desktop: the Wayland app id; on X11 the launcher's StartupWMClass names
    // the window class, the application name the main window sets.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.kandora.Kandora"));
    QGuiApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral("org.kandora.Kandora")));
    QApplication::setStyle(new ImmediateHintStyle(QStyleFactory::create(QStringLiteral("Fusion"))));
    // The panels are laid out in pixels for a compact 11-pixel sans-serif font.
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(11);
    QApplication::setFont(font);

    Configuration config(Configuration::DefaultLocation());
    MessageBoxPresenter boxes;
    ShutdownPresenter messages(boxes);
    // The shown file outlives every window that reads it.
    ShownFile shown;
    auto window = std::make_unique<TMainWindow>(config, messages, shown);
    window->setStartPath(start.path);
    auto render = std::make_unique<RenderWindowLink>(*window, shown, config, messages);
    auto compare = std::make_unique<TBigGonioWin>();
    window->setCompareWindow(compare.get());
    // A logout or Ctrl+C closes the window as the user would, which writes the
    // settings; whatever goes wrong from then on is told on standard error.
    TerminationSignal termination;
    QObject::connect(&termination, &TerminationSignal::requested, window.get(), [&messages, &window] {
        messages.SessionEnding();
        CloseModalDialogs();
        window->close();
    });

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
