#pragma once

class DiagramPanel;
class InfoPanel;
class OptionsPanel;
class QListView;
class QProgressBar;
class QToolButton;
class QTreeView;
class QWidget;
class SnapSplitter;

// The main window's areas, built once on the window and owned by it:
// the left column (folder tree over the diagram panel), the right area (file
// list beside the options panel, over the information panel).
struct MainLayout {
    SnapSplitter* columnSplitter = nullptr;   // `Splitter`: left column | right area
    QWidget* panelLeftAll = nullptr;
    SnapSplitter* treeDiagramSplitter = nullptr;  // `Splitter1`: tree | diagram panel
    QTreeView* folderTree = nullptr;    // `FolderTreeView`, the browser's folder tree
    DiagramPanel* diagramPanel = nullptr;
    QWidget* panelRightAll = nullptr;
    SnapSplitter* listInfoSplitter = nullptr;  // `Splitter2`: list and options | information panel
    QListView* folderList = nullptr;    // `FolderListView`, the browser's file list
    OptionsPanel* optionsPanel = nullptr;
    QToolButton* panelHandle = nullptr;  // `ButtonShowPanel`: the edge that brings the slid-out panel back
    InfoPanel* panelInfo = nullptr;  // `PanelInfo`, the information panel
    QWidget* panelProcessing = nullptr;

    static constexpr int kSplitterWidth = 3;
    static constexpr int kRightMinWidth = 200;
    static constexpr int kPanelHandleWidth = 12;

    // Builds every area on `window` (which gets the layout), placing the
    // browser's folder tree and file list in theirs.
    static MainLayout Build(QWidget* window, QTreeView* folderTree, QListView* folderList, QWidget* filterBar = nullptr);
};
