#pragma once

#include <functional>

#include <QScopeGuard>
#include <QTimer>
#include <QTreeWidget>

#include "browser/ListOptions.h"
#include "browser/ShellNamespace.h"
#include "browser/ShellTree.h"

// The folder tree over the namespace, filled lazily: a build enumerates the
// desktop's folders, a node's subfolders come when it is first expanded or
// selected, and a "Dummy" child stands in for them until then.
class FolderTree : public QTreeWidget {
    Q_OBJECT
public:
    FolderTree(const ShellNamespace& space, QWidget* parent = nullptr);
    ~FolderTree() override;

    [[nodiscard]] const ShellNamespace& Space() const { return space_; }
    [[nodiscard]] FolderNode* Root() const { return AsFolderNode(topLevelItem(0)); }
    [[nodiscard]] FolderNode* Selected() const { return AsFolderNode(currentItem()); }

    // Disposes every node and builds the root with one level below it; the
    // tree counts as updating meanwhile.
    void Rebuild();
    void FillFolderNode(const IdList& folder, FolderNode* node, int depth);
    void SortFolderChildren(FolderNode* node);
    // Replaces a "Dummy" child by the node's subfolders.
    void FolderTreeViewExpand(FolderNode* node);

    // Selects `node` and runs the change handler at once, without the
    // delay the user's own moves get.
    void SelectNode(FolderNode* node);
    // Expands or collapses from code; the same rules as the user's.
    void SetExpanded(FolderNode* node, bool expanded);

    // All nodes in tree order (placeholders included) and lookups in it.
    [[nodiscard]] std::vector<FolderNode*> TreeOrder() const;
    [[nodiscard]] FolderNode* NodeAt(int treeIndex) const;
    [[nodiscard]] std::string ParsingName(const FolderNode* node) const;

    // While the tree is rebuilt or scrolled back into place, expanding,
    // collapsing and moving to unlistable nodes from code are ignored.
    [[nodiscard]] bool TreeUpdating() const { return TreeUpdating_; }
    // Scrolls `node` to the top of the view as the refresh puts the tree back:
    // no folder above it is expanded for it.
    void ScrollToTop(FolderNode* node);
    // While a walk along a display path runs, a selected folder is only
    // expanded; it opens when the walk ends.
    [[nodiscard]] bool PathNavigating() const { return PathNavigating_; }
    [[nodiscard]] QScopeGuard<std::function<void()>> WalkPath();
    // False while an arrow key is held: folders open when it is released.
    [[nodiscard]] bool SelectionTracking() const { return SelectionTracking_; }
    // The folder the file list shows; none after a build.
    [[nodiscard]] FolderNode* ShownFolderNode() const { return ShownFolderNode_; }
    void MarkShownFolder(FolderNode* node) { ShownFolderNode_ = node; }

    // Tree options.
    void ApplyOptions(const TreeViewOptions& options);
    void SetLargeIcons(bool on);
    void SetShowButtons(bool on);
    void SetShowLines(bool on);
    void SetAutoExpand(bool on);
    void SetHotTrack(bool on);
    [[nodiscard]] const TreeStyleFlags& StyleFlags() const { return style_; }

    static constexpr int kChangeDelayMs = 50;

signals:
    // The selection settled on `node` (after the delay for the user's moves).
    void FolderChanged(FolderNode* node);
    // The selection is about to leave the shown folder.
    void LeavingFolder();
    void RefreshReleased();
    // The selection moved or a key reached the tree: the user may still be walking.
    void SelectionMoving();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void drawBranches(QPainter* painter, const QRect& rect, const QModelIndex& index) const override;
    // A selected folder that was in view stays in view when the tree changes
    // size (the window settling at start, a splitter drag).
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;

private:
    [[nodiscard]] bool SelectedInView() const;
    void OnExpanded(QTreeWidgetItem* item);
    void OnCollapsed(QTreeWidgetItem* item);
    void OnCurrentChanged(QTreeWidgetItem* current, QTreeWidgetItem* previous);
    void DeliverChange(FolderNode* node);
    // Whether the user may move to `node` now: a folder we cannot list is refused.
    [[nodiscard]] bool AllowChange(FolderNode* node) const;

    const ShellNamespace& space_;
    bool TreeUpdating_ = false;
    bool PathNavigating_ = false;
    bool SelectionTracking_ = true;
    FolderNode* ShownFolderNode_ = nullptr;
    QTimer changeTimer_;
    bool reverting_ = false;
    bool immediateChange_ = false;
    bool showButtons_ = true;
    bool selectedInView_ = false;
    TreeStyleFlags style_;
};
