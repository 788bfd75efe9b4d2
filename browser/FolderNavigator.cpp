#include "FolderNavigator.h"

#include <QApplication>
#include <QScopeGuard>

#include "browser/UpdatesFrozen.h"

namespace {

QString ParsingText(const FolderTree& tree, const FolderNode* node)
{
    const std::string bytes = tree.ParsingName(node);
    // Raw bytes, so that names that are not UTF-8 still compare exactly.
    return QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

// Takes the text before the next "/" off `rest`; empty when no "/" is left.
QString NextSegment(QString& rest)
{
    const qsizetype slash = rest.indexOf(QLatin1Char('/'));
    if (slash < 0) {
        rest.clear();
        return {};
    }
    QString segment = rest.left(slash);
    rest.remove(0, slash + 1);
    return segment;
}

// Puts the tree back into its normal state on every path out of a walk.

}  // namespace

FolderNavigator::FolderNavigator(FolderTree& tree, std::function<void()> rebuild, std::function<void()> beforeRefresh)
    : tree_(tree), rebuild_(std::move(rebuild)), beforeRefresh_(std::move(beforeRefresh))
{
}

QString FolderNavigator::FolderDisplayPath(const FolderNode* node)
{
    QString path;
    for (const QTreeWidgetItem* up = node; up; up = up->parent())
        path.prepend(up->text(0).left(kMaxNameLength) + QLatin1Char('/'));
    return path;
}

QString FolderNavigator::IdDisplayPath(const IdList& absolute) const
{
    IdList copy = CopyIdList(absolute);
    QString path = tree_.Space().DisplayName(copy) + QStringLiteral("//");
    while (!copy.IsEmpty()) {
        StripLastId(copy);
        path.prepend(tree_.Space().DisplayName(copy) + QLatin1Char('/'));
    }
    return path;
}

QString FolderNavigator::ParsingToDisplayPath(const std::string& path) const
{
    const std::optional<IdList> id = tree_.Space().ParsePath(path);
    return id ? IdDisplayPath(*id) : QString();
}

void FolderNavigator::NavigateToPath(const QString& path)
{
    FolderNode* node = tree_.Root();
    if (!node)
        return;
    const auto frozen = UpdatesFrozen(tree_);
    FolderNode* target = node;
    QString rest = path;
    NextSegment(rest);  // the root's own name is never compared
    {
        const auto walking = tree_.WalkPath();
        while (node) {
            target = node;
            const QString segment = NextSegment(rest);
            node = nullptr;
            for (int i = 0; i < target->childCount(); ++i) {
                FolderNode* child = AsFolderNode(target->child(i));
                // Placeholders are not folders, whatever their text.
                if (child && child->Record && child->text(0) == segment) {
                    node = child;
                    break;
                }
            }
            if (node)
                tree_.SetExpanded(node, true);
        }
    }
    tree_.SelectNode(target);
    tree_.scrollToItem(target);
}

QStringList FolderNavigator::RecordTreeState() const
{
    QStringList names;
    const std::vector<FolderNode*> nodes = tree_.TreeOrder();
    for (std::size_t i = 1; i < nodes.size(); ++i) {
        if (nodes[i]->Record && nodes[i]->isExpanded())
            names.append(ParsingText(tree_, nodes[i]));
    }
    const FolderNode* top = AsFolderNode(tree_.itemAt(0, 0));
    names.append(top && top->Record ? ParsingText(tree_, top) : QStringLiteral("TopItem"));
    const FolderNode* selected = tree_.Selected();
    names.append(selected && selected->Record ? ParsingText(tree_, selected) : QStringLiteral("Selected"));
    return names;
}

int FolderNavigator::Find(const QString& name) const
{
    const std::vector<FolderNode*> nodes = tree_.TreeOrder();
    for (std::size_t i = 0; i < nodes.size(); ++i) {
        if (nodes[i]->Record && ParsingText(tree_, nodes[i]) == name)
            return static_cast<int>(i);
    }
    return -1;
}

void FolderNavigator::ButtonRefreshClick()
{
    if (beforeRefresh_)
        beforeRefresh_();
    QWidget* active = QApplication::focusWidget();
    tree_.setEnabled(false);
    const auto frozen = UpdatesFrozen(tree_);
    const auto finally = qScopeGuard([this, active] {
        tree_.setEnabled(true);
        if (active)
            active->setFocus();
    });

    const QStringList names = RecordTreeState();
    rebuild_();
    RestoreTreeState(names);
}

void FolderNavigator::RestoreTreeState(QStringList names)
{
    if (names.size() < 2)
        return;
    // Each pass expands the first name it can find; its children then exist
    // for the next pass, so nested folders come back in any recorded order.
    bool found = true;
    while (found && names.size() > 2) {
        found = false;
        for (qsizetype i = 0; i < names.size() - 2; ++i) {
            if (FolderNode* node = tree_.NodeAt(Find(names[i]))) {
                tree_.SetExpanded(node, true);
                names.removeAt(i);
                found = true;
                break;
            }
        }
    }
    FolderNode* selected = tree_.NodeAt(std::max(Find(names.back()), 0));
    if (selected) {
        const bool expanded = selected->isExpanded();
        tree_.SelectNode(selected);
        tree_.SetExpanded(selected, expanded);
    }
    tree_.ScrollToTop(tree_.NodeAt(std::max(Find(names[names.size() - 2]), 0)));
}
