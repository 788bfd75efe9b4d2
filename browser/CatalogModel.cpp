#include "CatalogModel.h"

#include "browser/ShellNamespace.h"

int CatalogModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : catalog_.Count();
}

QVariant CatalogModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= catalog_.Count())
        return {};
    const CatalogItem& item = catalog_.Item(index.row());
    switch (role) {
    case Qt::DisplayRole:
    case Qt::ToolTipRole:
        return NameToText(item.caption);
    case Qt::DecorationRole:
        if (!item.IsFile())
            return item.folderIcon;
        if (item.entry->Changed && !changedIcon_.isNull())
            return changedIcon_;
        return fileIcon_;
    default:
        return {};
    }
}

Qt::ItemFlags CatalogModel::flags(const QModelIndex& index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsDragEnabled | Qt::ItemNeverHasChildren;
}

void CatalogModel::BeginChange()
{
    beginResetModel();
}

void CatalogModel::EndChange()
{
    endResetModel();
}

void CatalogModel::SortItems(CatalogFeedback& feedback)
{
    if (catalog_.FileCount() <= 0)
        return;
    emit layoutAboutToBeChanged();
    const std::vector<int> oldIndexOfNew = catalog_.SortCatalog(feedback);
    std::vector<int> newIndexOfOld(oldIndexOfNew.size());
    for (std::size_t i = 0; i < oldIndexOfNew.size(); ++i)
        newIndexOfOld[static_cast<std::size_t>(oldIndexOfNew[i])] = static_cast<int>(i);
    const QModelIndexList before = persistentIndexList();
    QModelIndexList after;
    after.reserve(before.size());
    for (const QModelIndex& index : before) {
        const auto old = static_cast<std::size_t>(index.row());
        after.append(old < newIndexOfOld.size() ? createIndex(newIndexOfOld[old], 0) : QModelIndex());
    }
    changePersistentIndexList(before, after);
    emit layoutChanged();
}

void CatalogModel::CaptionsChanged()
{
    if (catalog_.Count() > 0)
        emit dataChanged(index(0), index(catalog_.Count() - 1), {Qt::DisplayRole, Qt::DecorationRole});
}

void CatalogModel::SetFileIcons(QIcon normal, QIcon changed)
{
    fileIcon_ = std::move(normal);
    changedIcon_ = std::move(changed);
}
