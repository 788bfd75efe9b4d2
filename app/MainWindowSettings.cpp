// The main window's side of the settings file: what it reads and writes.
#include "app/MainWindow.h"

#include <algorithm>

#include <QGuiApplication>
#include <QListWidget>
#include <QMoveEvent>
#include <QScreen>
#include <QSlider>
#include <QToolButton>
#include <QWindow>

#include "app/Configuration.h"
#include "app/DiagramPanel.h"
#include "app/InfoPanel.h"
#include "app/OptionsPanel.h"
#include "app/SnapSplitter.h"
#include "browser/FileBrowser.h"

QString TMainWindow::folderDisplayPath() const
{
    return browser_->SelectedDisplayPath();
}

// A stored geometry is the one of the screen it was closed on; on a smaller
// screen the window must still fit on the desktop's free area, frame and all.
QRect TMainWindow::availableArea() const
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect(0, 0, 800, 600);
}

// Both ends of a range whose upper end may fall below its lower one: the lower wins.
static int Fit(int value, int low, int high)
{
    return std::max(low, std::min(value, high));
}

void TMainWindow::setNormalWidth(int width)
{
    resize(Fit(width, minimumSizeHint().width(), availableArea().width() - frameExtent().width()), height());
}

void TMainWindow::setNormalHeight(int height)
{
    resize(width(), Fit(height, kMinHeight, availableArea().height() - frameHeightAllowance()));
}

// Before the first show the frame is not known; its title bar is what would
// push a window of the screen's height off the bottom, so room is left for one.
int TMainWindow::frameHeightAllowance() const
{
    return windowHandle() && isVisible() ? frameExtent().height() : kTitleBarAllowance;
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

// The frame's extra size around the client area, once the window has a frame
// (none before the first show, when it is not known yet).
QSize TMainWindow::frameExtent() const
{
    const QWindow* window = windowHandle();
    if (!window || !isVisible())
        return {0, 0};
    const QMargins m = window->frameMargins();
    return {m.left() + m.right(), m.top() + m.bottom()};
}

void TMainWindow::keepOnScreen()
{
    if (windowStateCode() != 0)
        return;
    const QRect area = availableArea();
    const QSize fitted = size().boundedTo(area.size() - frameExtent()).expandedTo(minimumSize());
    if (fitted != size())
        resize(fitted);
    const QRect frame = frameGeometry();
    const QPoint place(Fit(frame.x(), area.left(), area.right() + 1 - frame.width()),
                       Fit(frame.y(), area.top(), area.bottom() + 1 - frame.height()));
    if (place != frame.topLeft())
        move(place);
}

// Left and top are the frame's, as normalPosition() gives them back.
void TMainWindow::setNormalLeft(int left)
{
    const QRect area = availableArea();
    move(Fit(left, area.left(), area.right() + 1 - width() - frameExtent().width()), y());
    normalFrame_ = pos();
}

void TMainWindow::setNormalTop(int top)
{
    const QRect area = availableArea();
    move(x(), Fit(top, area.top(), area.bottom() + 1 - height() - frameHeightAllowance()));
    normalFrame_ = pos();
}

QPoint TMainWindow::normalPosition() const
{
    if (savedNormal_.isValid())
        return savedNormal_.topLeft();
    // A maximised or minimised window's own position is not the one to come back to.
    return windowStateCode() == 0 ? pos() : normalFrame_;
}

void TMainWindow::moveEvent(QMoveEvent* event)
{
    QWidget::moveEvent(event);
    if (windowStateCode() != 0 || (windowState() & Qt::WindowFullScreen))
        return;
    // The window manager tells the frame only after the first show: fit once more then.
    if (shown_ && !frameFitted_ && !frameExtent().isNull()) {
        frameFitted_ = true;
        keepOnScreen();
    }
    normalFrame_ = pos();
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
        // The frame's position, not the client area's: restoring the client's
        // as the frame's would move the window down by its title bar at each start.
        savedNormal_ = QRect(normalFrame_, normalSize());
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
    // A stored size from a larger window is cut so that the other side keeps its
    // minimum; the stored value itself stays pixels.
    auto apply = [](SnapSplitter* splitter, int& pending, bool second, int ownMin, int otherMin) {
        if (pending < 0)
            return;
        const int extent = splitter->orientation() == Qt::Horizontal ? splitter->width() : splitter->height();
        const int own = Fit(pending, ownMin, extent - splitter->handleWidth() - otherMin);
        const int rest = std::max(extent - own - splitter->handleWidth(), 0);
        splitter->setSizes(second ? QList<int>{rest, own} : QList<int>{own, rest});
        pending = -1;
    };
    // The file list keeps the right area's minimum beside the options panel.
    const int panelWidth = ui_.optionsPanel->isVisibleTo(this) ? ui_.optionsPanel->shownWidth() : 0;
    apply(ui_.columnSplitter, pendingColumn_, false, DiagramPanel::kMinWidth, MainLayout::kRightMinWidth + panelWidth);
    apply(ui_.treeDiagramSplitter, pendingTree_, true, DiagramPanel::kMinHeight, DiagramPanel::kMinHeight);
    apply(ui_.listInfoSplitter, pendingInfo_, true, 0, DiagramPanel::kMinHeight);
}

void TMainWindow::setPanelVisible(bool visible)
{
    ui_.optionsPanel->setVisible(visible);
    ui_.panelHandle->setVisible(!visible);
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

void TMainWindow::addFavorite(const QString& path, int viewByte)
{
    browser_->RestoreFavorite(path, viewByte);
}

QStringList TMainWindow::CollectFavorites()
{
    QStringList lines;
    for (const auto& [settings, path] : browser_->CollectFavorites())
        lines.append(Configuration::FavoriteLine(settings, path));
    return lines;
}

DetailsLayout TMainWindow::detailsLayout() const
{
    return browser_->List()->DetailsState();
}

void TMainWindow::setDetailsLayout(const DetailsLayout& layout)
{
    browser_->List()->SetDetailsState(layout);
}
