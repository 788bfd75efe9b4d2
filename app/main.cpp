#include <memory>

#include <QApplication>
#include <QFont>
#include <QStyleFactory>

#include "app/CompareWindow.h"
#include "app/Configuration.h"
#include "app/HintTracker.h"
#include "app/MainWindow.h"
#include "app/MessagePresenter.h"
#include "app/TerminationSignal.h"

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setStyle(new ImmediateHintStyle(QStyleFactory::create(QStringLiteral("Fusion"))));
    // The panels are laid out in pixels for a compact 11-pixel sans-serif font.
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(11);
    QApplication::setFont(font);

    Configuration config(Configuration::DefaultPath());
    MessageBoxPresenter messages;
    auto window = std::make_unique<TMainWindow>(config, messages);
    auto compare = std::make_unique<TBigGonioWin>();
    window->setCompareWindow(compare.get());
    TerminationSignal termination;
    QObject::connect(&termination, &TerminationSignal::requested, window.get(), &QWidget::close);

    window->show();
    const int status = QApplication::exec();
    // Windows go in the reverse order of their creation; the main window last,
    // reporting a failed configuration write once.
    window->setCompareWindow(nullptr);
    compare.reset();
    window->FormDestroy();
    window.reset();
    return status;
}
