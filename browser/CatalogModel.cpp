#include "CatalogModel.h"

#include <algorithm>

#include "browser/ShellNamespace.h"
#include "diagram/BoundedText.h"

namespace {

constexpr qsizetype kTooltipWidth = 80;

}  // namespace

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
        return NameToShownText(item.caption);
    case Qt::ToolTipRole:
        // A tooltip is one line per line of text: a long caption would reach past the screen.
        return BrokenLines(NameToShownText(item.caption), kTooltipWidth);
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
    // Only files are dragged out; a folder entry stands for a place in the tree.
    const Qt::ItemFlags drag = index.row() >= catalog_.FolderCount() ? Qt::ItemIsDragEnabled : Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren | drag;
}

void CatalogModel::ClearCatalog(CatalogFeedback& feedback)
{
    beginResetModel();
    catalog_.ClearCatalog(feedback);
    endResetModel();
}

std::string CatalogModel::ListFolder(const std::string& folder, CaptionChoice choice, CatalogFeedback& feedback,
                                     std::vector<ReadFault>& faults)
{
    beginResetModel();
    std::string first = catalog_.ListFolder(folder, choice, feedback, faults);
    endResetModel();
    return first;
}

void CatalogModel::Recaption(CaptionChoice choice, const std::string& folder, CatalogFeedback& feedback,
                             std::vector<ReadFault>& faults)
{
    catalog_.Recaption(choice, folder, feedback, faults);
    if (catalog_.Count() > 0)
        emit dataChanged(index(0), index(catalog_.Count() - 1), {Qt::DisplayRole, Qt::DecorationRole});
}

void CatalogModel::AddFolderEntry(const std::string& caption, const QIcon& icon)
{
    const int row = catalog_.FolderCount();
    beginInsertRows(QModelIndex(), row, row);
    catalog_.AddFolderEntry(caption, icon);
    endInsertRows();
}

void CatalogModel::InsertUpEntry(const std::string& caption, const QIcon& icon)
{
    if (catalog_.HasUpEntry())
        return;
    beginInsertRows(QModelIndex(), 0, 0);
    catalog_.InsertUpEntry(caption, icon);
    endInsertRows();
}

void CatalogModel::RemoveUpEntry()
{
    if (!catalog_.HasUpEntry())
        return;
    beginRemoveRows(QModelIndex(), 0, 0);
    catalog_.RemoveUpEntry();
    endRemoveRows();
}

void CatalogModel::SetUpEntryCaption(const std::string& caption)
{
    catalog_.SetUpEntryCaption(caption);
    if (catalog_.HasUpEntry())
        emit dataChanged(index(0), index(0));
}

void CatalogModel::AppendFileEntry(TiesData entry, CaptionChoice choice)
{
    const int row = catalog_.Count();
    beginInsertRows(QModelIndex(), row, row);
    catalog_.AddFileEntry(std::move(entry), choice);
    endInsertRows();
}

void CatalogModel::RemoveFileEntry(int row)
{
    if (row < catalog_.FolderCount() || row >= catalog_.Count())
        return;
    beginRemoveRows(QModelIndex(), row, row);
    catalog_.RemoveFileEntry(row);
    endRemoveRows();
}

LoadResult CatalogModel::ReadEntry(int row, const std::string& folder)
{
    if (row < catalog_.FolderCount() || row >= catalog_.Count())
        return LoadResult{LoadResult::Kind::Missing, {}, {}};
    TiesData& entry = *catalog_.Item(row).entry;
    const LoadResult result = LoadEntry(entry, folder);
    if (entry.Changed)
        emit dataChanged(index(row), index(row), {Qt::DecorationRole});
    return result;
}

void CatalogModel::ReadEntries(const std::vector<int>& rows, const std::string& folder, unsigned workers)
{
    std::vector<TiesData*> unread;
    std::vector<int> unreadRows;
    for (const int row : rows) {
        if (row < catalog_.FolderCount() || row >= catalog_.Count())
            continue;
        TiesData* entry = catalog_.Item(row).entry.get();
        if (!entry->Loaded && std::find(unread.begin(), unread.end(), entry) == unread.end()) {
            unread.push_back(entry);
            unreadRows.push_back(row);
        }
    }
    LoadEntries(unread, folder, workers);
    for (std::size_t i = 0; i < unread.size(); ++i) {
        if (unread[i]->Changed)
            emit dataChanged(index(unreadRows[i]), index(unreadRows[i]), {Qt::DecorationRole});
    }
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

void CatalogModel::SetFileIcons(QIcon normal, QIcon changed)
{
    fileIcon_ = std::move(normal);
    changedIcon_ = std::move(changed);
}
