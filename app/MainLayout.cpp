#include "app/MainLayout.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListView>
#include <QProgressBar>
#include <QTreeView>
#include <QVBoxLayout>

#include "app/DiagramPanel.h"
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

MainLayout MainLayout::Build(QWidget* window, QTreeView* folderTree, QListView* folderList)
{
    MainLayout l;
    auto* outer = new QHBoxLayout(window);
    outer->setContentsMargins(0, 0, 0, 0);
    l.splitter = Named(new SnapSplitter(Qt::Horizontal, window), "Splitter");
    l.splitter->setHandleWidth(kSplitterWidth);
    outer->addWidget(l.splitter);

    l.panelLeftAll = Named(new QWidget(l.splitter), "PanelLeftAll");
    l.panelLeftAll->setMinimumWidth(DiagramPanel::kMinWidth);
    auto* leftLayout = new QVBoxLayout(l.panelLeftAll);
    leftLayout->setContentsMargins(0, 0, 0, 0);
    l.splitter1 = Named(new SnapSplitter(Qt::Vertical, l.panelLeftAll), "Splitter1");
    l.splitter1->setHandleWidth(kSplitterWidth);
    leftLayout->addWidget(l.splitter1);
    l.folderTree = folderTree;
    l.splitter1->addWidget(folderTree);
    l.folderTree->setMinimumHeight(DiagramPanel::kMinHeight);
    l.panelImage = new DiagramPanel(l.splitter1);
    l.splitter1->setStretchFactor(0, 1);
    l.splitter1->setStretchFactor(1, 0);

    l.panelRightAll = Named(new QWidget(l.splitter), "PanelRightAll");
    l.panelRightAll->setMinimumWidth(kRightMinWidth);
    auto* rightLayout = new QVBoxLayout(l.panelRightAll);
    rightLayout->setContentsMargins(0, 0, 0, 0);
    l.splitter2 = Named(new SnapSplitter(Qt::Vertical, l.panelRightAll), "Splitter2");
    l.splitter2->setHandleWidth(kSplitterWidth);
    rightLayout->addWidget(l.splitter2);

    auto* listArea = Named(new QWidget(l.splitter2), "PanelListArea");
    auto* listLayout = new QHBoxLayout(listArea);
    listLayout->setContentsMargins(0, 0, 0, 0);
    listLayout->setSpacing(0);
    l.folderList = folderList;
    listLayout->addWidget(l.folderList, 1);
    l.panelMain = new OptionsPanel(listArea);
    listLayout->addWidget(l.panelMain);

    l.panelInfo = Named(new QWidget(l.splitter2), "PanelInfo");
    auto* infoLayout = new QVBoxLayout(l.panelInfo);
    infoLayout->setContentsMargins(11, 2, 2, 0);
    l.labelInfo = Named(new QLabel(l.panelInfo), "LabelInfo");
    l.labelInfo->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    infoLayout->addWidget(l.labelInfo);
    l.splitter2->setStretchFactor(0, 1);
    l.splitter2->setStretchFactor(1, 0);

    l.splitter->setStretchFactor(0, 0);
    l.splitter->setStretchFactor(1, 1);
    l.panelProcessing = BuildProcessingPanel(l.panelRightAll);
    return l;
}
