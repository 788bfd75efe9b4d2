// The main window's side of the settings file: what it reads and writes.
#include "app/MainWindow.h"

#include <algorithm>
#include <memory>

#include <QGuiApplication>
#include <QListWidget>
#include <QScreen>
#include <QSlider>
#include <QToolButton>

#include "app/Configuration.h"
#include "app/DiagramPanel.h"
#include "app/OptionsPanel.h"
#include "app/SnapSplitter.h"
#include "browser/FileBrowser.h"

QString TMainWindow::folderDisplayPath() const
{
    return browser_->SelectedDisplayPath();
}

// An absurd stored size would only cost a huge window buffer; it is cut to
// twice the desktop, which leaves room for a file written on a larger screen setup.
QSize TMainWindow::maximumNormalSize() const
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QSize desktop = screen ? screen->virtualSize() : QSize(800, 600);
    return desktop.expandedTo(QSize(800, 600)) * 2;
}

void TMainWindow::setNormalWidth(int width)
{
    resize(std::clamp(width, minimumSizeHint().width(), maximumNormalSize().width()), height());
}

void TMainWindow::setNormalHeight(int height)
{
    resize(width(), std::clamp(height, kMinHeight, std::max(kMinHeight, maximumNormalSize().height())));
}

QSize TMainWindow::normalSize() const
{
    if (savedNormal_.isValid())
        return savedNormal_.size();
    return (windowState() & (Qt::WindowMaximized | Qt::WindowMinimized)) && normalGeometry().isValid()
               ? normalGeometry().size()
               : size();
}

QSize TMainWindow::screenSize() const
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->size() : QSize(800, 600);
}

void TMainWindow::setNormalLeft(int left)
{
    move(left, y());
}

void TMainWindow::setNormalTop(int top)
{
    move(x(), top);
}

QPoint TMainWindow::normalPosition() const
{
    if (savedNormal_.isValid())
        return savedNormal_.topLeft();
    return pos();
}

void TMainWindow::setOrtho(bool down)
{
    ui_.diagramPanel->orthoButton()->setChecked(down);
}

bool TMainWindow::ortho() const
{
    return ui_.diagramPanel->orthoButton()->isChecked();
}

void TMainWindow::setFit(bool down)
{
    ui_.diagramPanel->fitButton()->setChecked(down);
}

bool TMainWindow::fit() const
{
    return ui_.diagramPanel->fitButton()->isChecked();
}

void TMainWindow::setWindowStateCode(int code)
{
    setWindowState(code == 1 ? Qt::WindowMinimized : code == 2 ? Qt::WindowMaximized : Qt::WindowNoState);
}

int TMainWindow::windowStateCode() const
{
    const Qt::WindowStates state = windowState();
    return state & Qt::WindowMinimized ? 1 : state & Qt::WindowMaximized ? 2 : 0;
}

void TMainWindow::restoreNormalState()
{
    if (windowStateCode() != 0) {
        // The restored geometry is known now; the platform may apply the new state later.
        savedNormal_ = QRect(normalGeometry().isValid() ? normalGeometry().topLeft() : pos(), normalSize());
        setWindowState(Qt::WindowNoState);
    }
}

void TMainWindow::setTreeHeight(int height)
{
    pendingTree_ = height;
    applyPendingSizes();
}

int TMainWindow::treeHeight() const
{
    return pendingTree_ >= 0 ? pendingTree_ : ui_.diagramPanel->height();
}

void TMainWindow::setColumnWidth(int width)
{
    pendingColumn_ = width;
    applyPendingSizes();
}

int TMainWindow::columnWidth() const
{
    return pendingColumn_ >= 0 ? pendingColumn_ : ui_.panelLeftAll->width();
}

void TMainWindow::setInfoHeight(int height)
{
    pendingInfo_ = height;
    applyPendingSizes();
}

int TMainWindow::infoHeight() const
{
    return pendingInfo_ >= 0 ? pendingInfo_ : ui_.panelInfo->height();
}

// Splitter sizes need the window laid out; until it is, they wait.
void TMainWindow::applyPendingSizes()
{
    if (pendingTree_ < 0 && pendingColumn_ < 0 && pendingInfo_ < 0)
        return;
    if (!isVisible())
        return;
    auto apply = [](SnapSplitter* splitter, int& pending, bool second) {
        if (pending < 0)
            return;
        const int extent = splitter->orientation() == Qt::Horizontal ? splitter->width() : splitter->height();
        const int rest = std::max(extent - pending - splitter->handleWidth(), 0);
        splitter->setSizes(second ? QList<int>{rest, pending} : QList<int>{pending, rest});
        pending = -1;
    };
    apply(ui_.columnSplitter, pendingColumn_, false);
    apply(ui_.treeDiagramSplitter, pendingTree_, true);
    apply(ui_.listInfoSplitter, pendingInfo_, true);
}

void TMainWindow::setPanelVisible(bool visible)
{
    ui_.optionsPanel->setVisible(visible);
}

bool TMainWindow::panelVisible() const
{
    return ui_.optionsPanel->isVisibleTo(const_cast<TMainWindow*>(this));
}

QSlider* TMainWindow::trackBarK() const
{
    return ui_.optionsPanel->controls().TrackBarK;
}

QSlider* TMainWindow::trackBarR() const
{
    return ui_.optionsPanel->controls().TrackBarR;
}

QList<TGroupBoxEx*> TMainWindow::optionGroupBoxes() const
{
    return ui_.optionsPanel->groupBoxes();
}

void TMainWindow::addFavorite(const QString& displayName, const QString& path, int viewByte)
{
    auto* item = new QListWidgetItem(displayName);
    item->setData(Qt::UserRole, path);
    item->setData(Qt::UserRole + 1, viewByte & 0xFF);
    ui_.optionsPanel->controls().ListBoxFavorites->addItem(item);
}

QStringList TMainWindow::CollectFavorites()
{
    auto* list = ui_.optionsPanel->controls().ListBoxFavorites;
    QStringList lines;
    while (list->count() > 0) {
        std::unique_ptr<QListWidgetItem> item(list->takeItem(0));
        lines.append(Configuration::FavoriteLine(item->data(Qt::UserRole + 1).toInt(),
                                                 item->data(Qt::UserRole).toString()));
    }
    return lines;
}
