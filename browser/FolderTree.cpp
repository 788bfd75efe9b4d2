#include "FolderTree.h"

#include <algorithm>

#include <QApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QStyledItemDelegate>

#include "browser/FileIcons.h"

namespace {

const QString kDummy = QStringLiteral("Dummy");

// Sets a flag until the returned guard goes, then puts the old value back.
[[nodiscard]] auto FlagScope(bool& flag, bool value)
{
    const bool old = flag;
    flag = value;
    return qScopeGuard([&flag, old] { flag = old; });
}

bool IsPlaceholder(const QTreeWidgetItem* item)
{
    const FolderNode* node = AsFolderNode(const_cast<QTreeWidgetItem*>(item));
    return node && !node->Record && node->text(0) == kDummy;
}

void CollectInOrder(QTreeWidgetItem* item, std::vector<FolderNode*>& out)
{
    if (FolderNode* node = AsFolderNode(item))
        out.push_back(node);
    for (int i = 0; i < item->childCount(); ++i)
        CollectInOrder(item->child(i), out);
}

// Rows as high as the chosen icon size: an icon with no pixmap that large
// would otherwise set a row too low for the large icons of other rows.
class FolderRowDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        QSize size = QStyledItemDelegate::sizeHint(option, index);
        if (const auto* view = qobject_cast<const QAbstractItemView*>(parent()))
            size.setHeight(std::max(size.height(), view->iconSize().height() + 2));
        return size;
    }
};

}  // namespace

FolderTree::FolderTree(const ShellNamespace& space, QWidget* parent) : QTreeWidget(parent), space_(space)
{
    setObjectName(QStringLiteral("FolderTreeView"));
    setHeaderHidden(true);
    setColumnCount(1);
    setRootIsDecorated(false);
    setIndentation(19);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setUniformRowHeights(true);
    setItemDelegate(new FolderRowDelegate(this));
    setIconSize(QSize(16, 16));
    changeTimer_.setSingleShot(true);
    changeTimer_.setInterval(kChangeDelayMs);
    connect(&changeTimer_, &QTimer::timeout, this, [this] { DeliverChange(Selected()); });
    connect(this, &QTreeWidget::itemExpanded, this, &FolderTree::OnExpanded);
    connect(this, &QTreeWidget::itemCollapsed, this, &FolderTree::OnCollapsed);
    connect(this, &QTreeWidget::currentItemChanged, this, &FolderTree::OnCurrentChanged);
}

FolderTree::~FolderTree()
{
    // The nodes go after this part of the object: no handler may hear them.
    blockSignals(true);
    changeTimer_.stop();
}

void FolderTree::Rebuild()
{
    const auto updating = FlagScope(TreeUpdating_, true);
    changeTimer_.stop();
    ShownFolderNode_ = nullptr;
    {
        const auto quiet = FlagScope(reverting_, true);
        clear();
    }
    const IdList desktop = space_.DesktopId();
    auto* root = new FolderNode;
    root->Record = TShellTree{IdList(), desktop, CopyIdList(desktop), space_.DisplayName(desktop)};
    root->setText(0, root->Record->DisplayName);
    root->setIcon(0, FolderIcon(space_, desktop));
    {
        // Nothing is selected after a build, until the user or a walk selects.
        const auto quiet = FlagScope(reverting_, true);
        insertTopLevelItem(0, root);
        setCurrentItem(nullptr);
    }
    FillFolderNode(desktop, root, 1);
    SortFolderChildren(root);
}

void FolderTree::FillFolderNode(const IdList& folder, FolderNode* node, int depth)
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const auto hourGlass = qScopeGuard([] { QApplication::restoreOverrideCursor(); });
    if (depth <= 0)
        return;
    const auto items = space_.EnumerateSubfolders(folder);
    if (!items)
        return;
    for (const ItemId& item : *items) {
        IdList absolute = ConcatIdList(folder, IdList({item}));
        auto* child = new FolderNode;
        child->Record = TShellTree{folder, IdList({item}), absolute, space_.DisplayName(absolute)};
        child->setText(0, child->Record->DisplayName);
        child->setIcon(0, FolderIcon(space_, absolute));
        node->addChild(child);
        if (space_.BindsAsFolder(absolute))
            FillFolderNode(absolute, child, depth - 1);
        if (depth == 1 && space_.HasSubfolders(absolute)) {
            auto* dummy = new FolderNode;
            dummy->setText(0, kDummy);
            child->addChild(dummy);
        }
    }
}

void FolderTree::SortFolderChildren(FolderNode* node)
{
    if (!node)
        return;
    QList<QTreeWidgetItem*> children = node->takeChildren();
    std::stable_sort(children.begin(), children.end(), [this](QTreeWidgetItem* a, QTreeWidgetItem* b) {
        const FolderNode* x = AsFolderNode(a);
        const FolderNode* y = AsFolderNode(b);
        if (!x || !y || !x->Record || !y->Record)
            return false;
        return space_.Compare(x->Record->AbsoluteId, y->Record->AbsoluteId) < 0;
    });
    node->addChildren(children);
}

void FolderTree::FolderTreeViewExpand(FolderNode* node)
{
    if (!node || !node->Record || node->childCount() == 0 || !IsPlaceholder(node->child(0)))
        return;
    QTreeWidgetItem* top = itemAt(0, 0);
    qDeleteAll(node->takeChildren());
    if (space_.BindsAsFolder(node->Record->AbsoluteId)) {
        FillFolderNode(node->Record->AbsoluteId, node, 1);
        SortFolderChildren(node);
    }
    if (top)
        scrollToItem(top, QAbstractItemView::PositionAtTop);
}

void FolderTree::ScrollToTop(FolderNode* node)
{
    if (!node)
        return;
    // Scrolling to an item expands its ancestors; while updating, they fold back.
    const auto updating = FlagScope(TreeUpdating_, true);
    scrollToItem(node, QAbstractItemView::PositionAtTop);
}

void FolderTree::SelectNode(FolderNode* node)
{
    if (!node)
        return;
    const auto immediate = FlagScope(immediateChange_, true);
    if (currentItem() == node)
        DeliverChange(node);
    else
        setCurrentItem(node);
}

QScopeGuard<std::function<void()>> FolderTree::WalkPath()
{
    const bool was = PathNavigating_;
    PathNavigating_ = true;
    return QScopeGuard<std::function<void()>>([this, was] { PathNavigating_ = was; });
}

void FolderTree::SetExpanded(FolderNode* node, bool expanded)
{
    if (node)
        node->setExpanded(expanded);
}

std::vector<FolderNode*> FolderTree::TreeOrder() const
{
    std::vector<FolderNode*> nodes;
    for (int i = 0; i < topLevelItemCount(); ++i)
        CollectInOrder(topLevelItem(i), nodes);
    return nodes;
}

FolderNode* FolderTree::NodeAt(int treeIndex) const
{
    const std::vector<FolderNode*> nodes = TreeOrder();
    return treeIndex >= 0 && treeIndex < static_cast<int>(nodes.size()) ? nodes[static_cast<std::size_t>(treeIndex)]
                                                                        : nullptr;
}

std::string FolderTree::ParsingName(const FolderNode* node) const
{
    return node && node->Record ? space_.ParsingName(node->Record->AbsoluteId) : std::string();
}

void FolderTree::OnExpanded(QTreeWidgetItem* item)
{
    if (reverting_)
        return;
    FolderNode* node = AsFolderNode(item);
    bool allow = !TreeUpdating_ && node;
    if (allow && node == Selected()) {
        DeliverChange(node);
        FolderTreeViewExpand(node);
    } else if (allow && node->Record && space_.BindsAsFolder(node->Record->AbsoluteId)) {
        if (space_.EnumerateSubfolders(node->Record->AbsoluteId))
            FolderTreeViewExpand(node);
        else
            allow = false;
    }
    if (!allow) {
        const auto quiet = FlagScope(reverting_, true);
        item->setExpanded(false);
    }
}

void FolderTree::OnCollapsed(QTreeWidgetItem* item)
{
    if (reverting_)
        return;
    if (TreeUpdating_ || item == topLevelItem(0)) {
        const auto quiet = FlagScope(reverting_, true);
        item->setExpanded(true);
    }
}

bool FolderTree::AllowChange(FolderNode* node) const
{
    if (!node || !node->Record)
        return true;
    if (space_.BindsAsFolder(node->Record->AbsoluteId))
        return space_.EnumerateSubfolders(node->Record->AbsoluteId).has_value();
    return !TreeUpdating_;
}

void FolderTree::OnCurrentChanged(QTreeWidgetItem* current, QTreeWidgetItem* previous)
{
    if (reverting_)
        return;
    emit SelectionMoving();
    FolderNode* node = AsFolderNode(current);
    if (!node)
        return;
    if (!AllowChange(node)) {
        // The selection stays where it was.
        const auto quiet = FlagScope(reverting_, true);
        setCurrentItem(previous);
        return;
    }
    emit LeavingFolder();
    if (immediateChange_) {
        changeTimer_.stop();
        DeliverChange(node);
    } else {
        changeTimer_.start();
    }
}

void FolderTree::DeliverChange(FolderNode* node)
{
    if (!node || node == ShownFolderNode_ || !SelectionTracking_)
        return;
    if (style_.autoExpand && !TreeUpdating_ && !PathNavigating_ && ShownFolderNode_) {
        // Single-expand: the branch of the folder left behind closes, up to
        // where it meets the new one.
        std::vector<QTreeWidgetItem*> keep;
        for (QTreeWidgetItem* up = node; up; up = up->parent())
            keep.push_back(up);
        const auto quiet = FlagScope(reverting_, true);
        for (QTreeWidgetItem* up = ShownFolderNode_; up && up != Root(); up = up->parent()) {
            if (std::find(keep.begin(), keep.end(), up) != keep.end())
                break;
            up->setExpanded(false);
        }
    }
    emit FolderChanged(node);
    if (style_.autoExpand && !TreeUpdating_ && !PathNavigating_ && !node->isExpanded())
        node->setExpanded(true);
}

void FolderTree::keyPressEvent(QKeyEvent* event)
{
    emit SelectionMoving();
    if (!event->isAutoRepeat() && (event->key() == Qt::Key_Up || event->key() == Qt::Key_Down))
        SelectionTracking_ = false;
    QTreeWidget::keyPressEvent(event);
}

void FolderTree::keyReleaseEvent(QKeyEvent* event)
{
    if (event->isAutoRepeat()) {
        QTreeWidget::keyReleaseEvent(event);
        return;
    }
    if (event->key() == Qt::Key_F5) {
        emit RefreshReleased();
    } else if (event->key() == Qt::Key_Up || event->key() == Qt::Key_Down) {
        SelectionTracking_ = true;
        changeTimer_.stop();
        DeliverChange(Selected());
    } else {
        QTreeWidget::keyReleaseEvent(event);
    }
}

void FolderTree::focusOutEvent(QFocusEvent* event)
{
    QTreeWidget::focusOutEvent(event);
    // An arrow key released elsewhere would otherwise leave folders unopened for good.
    if (!SelectionTracking_) {
        SelectionTracking_ = true;
        changeTimer_.stop();
        DeliverChange(Selected());
    }
}

void FolderTree::ApplyOptions(const TreeViewOptions& options)
{
    SetLargeIcons(options.largeIcons);
    SetShowButtons(options.showButtons);
    SetShowLines(options.style.lines);
    SetAutoExpand(options.style.autoExpand);
    SetHotTrack(options.style.hotTrack);
}

void FolderTree::SetLargeIcons(bool on)
{
    const QSize size = on ? QSize(32, 32) : QSize(16, 16);
    const bool changed = size != iconSize();
    setIconSize(size);
    setIndentation(19);
    // Every row's height changed: the selected folder would be left somewhere out of sight.
    if (changed && currentIndex().isValid())
        scrollTo(currentIndex());
}

bool FolderTree::SelectedInView() const
{
    const QModelIndex selected = currentIndex();
    return selected.isValid() && viewport()->rect().contains(visualRect(selected));
}

void FolderTree::resizeEvent(QResizeEvent* event)
{
    QTreeWidget::resizeEvent(event);
    if (selectedInView_ && !SelectedInView())
        scrollTo(currentIndex());
    selectedInView_ = SelectedInView();
}

void FolderTree::scrollContentsBy(int dx, int dy)
{
    QTreeWidget::scrollContentsBy(dx, dy);
    selectedInView_ = SelectedInView();
}

void FolderTree::currentChanged(const QModelIndex& current, const QModelIndex& previous)
{
    QTreeWidget::currentChanged(current, previous);
    selectedInView_ = SelectedInView();
}

void FolderTree::SetShowButtons(bool on)
{
    showButtons_ = on;
    viewport()->update();
}

void FolderTree::SetShowLines(bool on)
{
    style_.lines = on;
    viewport()->update();
}

void FolderTree::SetAutoExpand(bool on)
{
    style_.autoExpand = on;
}

void FolderTree::SetHotTrack(bool on)
{
    style_.hotTrack = on;
    viewport()->setAttribute(Qt::WA_Hover, on);
    viewport()->update();
}

void FolderTree::drawBranches(QPainter* painter, const QRect& rect, const QModelIndex& index) const
{
    const QTreeWidgetItem* item = itemFromIndex(index);
    if (!item || rect.width() <= 0)
        return;
    const int step = indentation();
    const int midY = rect.center().y();
    painter->save();
    painter->setPen(QPen(palette().color(QPalette::Mid), 1, Qt::DotLine));
    auto hasNextSibling = [](const QTreeWidgetItem* it) {
        const QTreeWidgetItem* parent = it->parent();
        return parent && parent->indexOfChild(const_cast<QTreeWidgetItem*>(it)) < parent->childCount() - 1;
    };
    // The item's own column sits just left of its icon; ancestors' columns further left.
    int column = rect.right() + 1 - step;
    const int ownX = column + step / 2;
    if (style_.lines) {
        painter->drawLine(ownX, rect.top(), ownX, hasNextSibling(item) ? rect.bottom() : midY);
        painter->drawLine(ownX, midY, column + step, midY);
        const QTreeWidgetItem* ancestor = item->parent();
        for (int x = column - step; ancestor && ancestor->parent() && x >= rect.left(); x -= step) {
            if (hasNextSibling(ancestor))
                painter->drawLine(x + step / 2, rect.top(), x + step / 2, rect.bottom());
            ancestor = ancestor->parent();
        }
    }
    if (showButtons_ && item->childCount() > 0) {
        const QRect box(ownX - 4, midY - 4, 8, 8);
        painter->setPen(palette().color(QPalette::Dark));
        painter->setBrush(palette().color(QPalette::Base));
        painter->drawRect(box);
        painter->setPen(palette().color(QPalette::Text));
        painter->drawLine(box.left() + 2, midY, box.right() - 2, midY);
        if (!item->isExpanded())
            painter->drawLine(ownX, box.top() + 2, ownX, box.bottom() - 2);
    }
    painter->restore();
}
