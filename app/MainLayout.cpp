#include "app/MainLayout.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListView>
#include <QProgressBar>
#include <QToolButton>
#include <QTreeView>
#include <QVBoxLayout>

#include "app/DiagramPanel.h"
#include "app/InfoPanel.h"
#include "app/OptionsPanel.h"
#include "app/SnapSplitter.h"

namespace {

template <class T>
T* Named(T* widget, const char* name)
{
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

QWidget* BuildProcessingPanel(QWidget* parent)
{
    auto* panel = Named(new QFrame(parent), "PanelProcessing");
    panel->setFrameShape(QFrame::Panel);
    panel->setFrameShadow(QFrame::Raised);
    panel->setAutoFillBackground(true);
    panel->setGeometry(16, 160, 209, 49);
    auto* label = Named(new QLabel(panel), "LabelProcessing");
    QFont bold = label->font();
    bold.setBold(true);
    label->setFont(bold);
    label->setAlignment(Qt::AlignCenter);
    label->setGeometry(4, 4, 201, 18);
    Named(new QProgressBar(panel), "ProgressBar")->setGeometry(8, 26, 193, 16);
    panel->hide();
    return panel;
}

}  // namespace

MainLayout MainLayout::Build(QWidget* window, QTreeView* folderTree, QListView* folderList, QWidget* filterBar)
{
    MainLayout l;
    auto* outer = new QHBoxLayout(window);
    outer->setContentsMargins(0, 0, 0, 0);
    l.columnSplitter = Named(new SnapSplitter(Qt::Horizontal, window), "Splitter");
    l.columnSplitter->setHandleWidth(kSplitterWidth);
    outer->addWidget(l.columnSplitter);

    l.panelLeftAll = Named(new QWidget(l.columnSplitter), "PanelLeftAll");
    l.panelLeftAll->setMinimumWidth(DiagramPanel::kMinWidth);
    auto* leftLayout = new QVBoxLayout(l.panelLeftAll);
    leftLayout->setContentsMargins(0, 0, 0, 0);
    l.treeDiagramSplitter = Named(new SnapSplitter(Qt::Vertical, l.panelLeftAll), "Splitter1");
    l.treeDiagramSplitter->setHandleWidth(kSplitterWidth);
    leftLayout->addWidget(l.treeDiagramSplitter);
    l.folderTree = folderTree;
    l.treeDiagramSplitter->addWidget(folderTree);
    l.folderTree->setMinimumHeight(DiagramPanel::kMinHeight);
    l.diagramPanel = new DiagramPanel(l.treeDiagramSplitter);
    l.treeDiagramSplitter->setStretchFactor(0, 1);
    l.treeDiagramSplitter->setStretchFactor(1, 0);

    l.panelRightAll = Named(new QWidget(l.columnSplitter), "PanelRightAll");
    l.panelRightAll->setMinimumWidth(kRightMinWidth);
    auto* rightLayout = new QVBoxLayout(l.panelRightAll);
    rightLayout->setContentsMargins(0, 0, 0, 0);
    l.listInfoSplitter = Named(new SnapSplitter(Qt::Vertical, l.panelRightAll), "Splitter2");
    l.listInfoSplitter->setHandleWidth(kSplitterWidth);
    rightLayout->addWidget(l.listInfoSplitter);

    auto* listArea = Named(new QWidget(l.listInfoSplitter), "PanelListArea");
    auto* listLayout = new QHBoxLayout(listArea);
    listLayout->setContentsMargins(0, 0, 0, 0);
    listLayout->setSpacing(0);
    l.folderList = folderList;
    // The filter box stands above the list, beside neither panel.
    auto* listColumn = Named(new QWidget(listArea), "PanelListColumn");
    auto* columnLayout = new QVBoxLayout(listColumn);
    columnLayout->setContentsMargins(0, 0, 0, 0);
    columnLayout->setSpacing(0);
    if (filterBar)
        columnLayout->addWidget(filterBar);
    columnLayout->addWidget(l.folderList, 1);
    listLayout->addWidget(listColumn, 1);
    l.optionsPanel = new OptionsPanel(listArea);
    listLayout->addWidget(l.optionsPanel);
    // While the panel is out, a slim strip on the list's right edge says where it went.
    l.panelHandle = Named(new QToolButton(listArea), "ButtonShowPanel");
    l.panelHandle->setArrowType(Qt::LeftArrow);
    l.panelHandle->setAutoRaise(true);
    l.panelHandle->setFixedWidth(kPanelHandleWidth);
    l.panelHandle->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Expanding);
    l.panelHandle->setToolTip(QStringLiteral("Show Options Panel"));
    l.panelHandle->setFocusPolicy(Qt::NoFocus);
    l.panelHandle->hide();
    listLayout->addWidget(l.panelHandle);

    l.panelInfo = new InfoPanel(l.listInfoSplitter);
    l.listInfoSplitter->setStretchFactor(0, 1);
    l.listInfoSplitter->setStretchFactor(1, 0);

    l.columnSplitter->setStretchFactor(0, 0);
    l.columnSplitter->setStretchFactor(1, 1);
    l.panelProcessing = BuildProcessingPanel(l.panelRightAll);
    return l;
}
