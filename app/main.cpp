#include <memory>

#include <QApplication>
#include <QFileInfo>
#include <QFont>
#include <QStyleFactory>
#include <QUrl>

#include <cstdio>

#include "app/Configuration.h"
#include "app/HintTracker.h"
#include "app/MainWindow.h"
#include "app/MessagePresenter.h"
#include "app/TerminationSignal.h"

namespace {

// `kandora [FILE|FOLDER]`, as launchers and "Open with" call it: the first
// argument as an absolute path (a file URI is taken too); "--" ends the options.
// Empty when none is given; -1 in `status` for bad usage, 0 after --help.
QString StartPath(const QStringList& arguments, int& status)
{
    status = 1;
    bool options = true;
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        if (options && argument == QLatin1String("--")) {
            options = false;
        } else if (options && (argument == QLatin1String("--help") || argument == QLatin1String("-h"))) {
            std::fputs("usage: kandora [FILE|FOLDER]\n", stdout);
            status = 0;
            return {};
        } else if (options && argument.startsWith(QLatin1Char('-'))) {
            std::fprintf(stderr, "kandora: unknown option '%s'\nusage: kandora [FILE|FOLDER]\n",
                         argument.toLocal8Bit().constData());
            status = -1;
            return {};
        } else {
            const QUrl url(argument);
            const QString path = url.isLocalFile() ? url.toLocalFile() : argument;
            if (!QFileInfo::exists(path))
                std::fprintf(stderr, "kandora: '%s' does not exist\n", path.toLocal8Bit().constData());
            return QFileInfo(path).absoluteFilePath();
        }
    }
    return {};
}

}  // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    int usage = 1;
    const QString startPath = StartPath(QCoreApplication::arguments(), usage);
    if (usage <= 0)
        return usage == 0 ? 0 : 2;
    QApplication::setStyle(new ImmediateHintStyle(QStyleFactory::create(QStringLiteral("Fusion"))));
    // The panels are laid out in pixels for a compact 11-pixel sans-serif font.
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(11);
    QApplication::setFont(font);

    Configuration config(Configuration::DefaultLocation());
    MessageBoxPresenter messages;
    auto window = std::make_unique<TMainWindow>(config, messages);
    window->setStartPath(startPath);
    TerminationSignal termination;
    QObject::connect(&termination, &TerminationSignal::requested, window.get(), &QWidget::close);

    window->show();
    const int status = QApplication::exec();
    // Windows go in the reverse order of their creation; the main window last,
    // reporting a failed configuration write once.
    window->FormDestroy();
    window.reset();
    return status;
}
