#include "CatalogModel.h"

#include <algorithm>
#include <unordered_map>

#include "browser/ShellNamespace.h"
#include "diagram/BoundedText.h"

namespace {

constexpr qsizetype kTooltipWidth = 80;
// Background results wait this long to be applied together.
constexpr int kBatchMilliseconds = 40;

}  // namespace

CatalogModel::CatalogModel(QObject* parent) : QAbstractListModel(parent)
{
    batchTimer_.setSingleShot(true);
    batchTimer_.setInterval(kBatchMilliseconds);
    connect(&batchTimer_, &QTimer::timeout, this, &CatalogModel::TakeBackgroundResults);
}

// The reader's workers are joined before the rest of the model goes.
CatalogModel::~CatalogModel() = default;

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

void CatalogModel::CancelBackground()
{
    if (reader_)
        reader_->Cancel();
    pending_.clear();
    fillStarted_ = false;
    batchTimer_.stop();
}

void CatalogModel::ClearCatalog(CatalogFeedback& feedback)
{
    CancelBackground();
    beginResetModel();
    catalog_.ClearCatalog(feedback);
    endResetModel();
}

std::string CatalogModel::ListFolder(const std::string& folder, CaptionChoice choice, CatalogFeedback& feedback,
                                     std::vector<ReadFault>& faults)
{
    CancelBackground();
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
    // Captions are words the filter matches.
    if (!catalog_.Filter().IsEmpty())
        ChangeShownRows([this] { catalog_.Refilter(); });
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
    pending_.erase(catalog_.Item(row).entry.get());
    beginRemoveRows(QModelIndex(), row, row);
    catalog_.RemoveFileEntry(row);
    endRemoveRows();
}

LoadResult CatalogModel::ReadEntry(int row, const std::string& folder)
{
    if (row < catalog_.FolderCount() || row >= catalog_.Count())
        return LoadResult{LoadResult::Kind::Missing, {}, {}};
    CatalogItem& item = catalog_.Item(row);
    TiesData& entry = *item.entry;
    const LoadResult result = LoadEntry(entry, folder);
    NoteSummary(item);
    if (result.kind == LoadResult::Kind::Failed)
        item.readFailed = true;
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
        CatalogItem& item = catalog_.Item(unreadRows[i]);
        NoteSummary(item);
        item.readFailed = !item.entry->Loaded;
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

template <class Change>
void CatalogModel::ChangeShownRows(const Change& change)
{
    emit layoutAboutToBeChanged();
    const QModelIndexList before = persistentIndexList();
    const int folders = catalog_.FolderCount();
    std::vector<const TiesData*> entries;
    entries.reserve(static_cast<std::size_t>(before.size()));
    for (const QModelIndex& old : before)
        entries.push_back(old.row() >= folders && old.row() < catalog_.Count() ? catalog_.Item(old.row()).entry.get()
                                                                                : nullptr);
    change();
    // One pass over the shown rows finds where every remembered entry went.
    std::vector<std::pair<const TiesData*, std::size_t>> wanted;
    wanted.reserve(entries.size());
    for (std::size_t k = 0; k < entries.size(); ++k)
        if (entries[k])
            wanted.emplace_back(entries[k], k);
    std::sort(wanted.begin(), wanted.end());
    std::vector<int> newRow(entries.size(), -1);
    if (!wanted.empty()) {
        for (int row = folders; row < catalog_.Count(); ++row) {
            const TiesData* entry = catalog_.Item(row).entry.get();
            auto found = std::lower_bound(wanted.begin(), wanted.end(), std::make_pair(entry, std::size_t{0}));
            for (; found != wanted.end() && found->first == entry; ++found)
                newRow[found->second] = row;
        }
    }
    QModelIndexList after;
    after.reserve(before.size());
    for (qsizetype k = 0; k < before.size(); ++k) {
        const auto at = static_cast<std::size_t>(k);
        if (!entries[at])
            after.append(before[k].row() < folders ? createIndex(before[k].row(), 0) : QModelIndex());
        else
            after.append(newRow[at] >= 0 ? createIndex(newRow[at], 0) : QModelIndex());
    }
    changePersistentIndexList(before, after);
    emit layoutChanged();
}

void CatalogModel::SortByColumn(DetailColumn column, bool descending, CatalogFeedback& feedback)
{
    if (catalog_.TotalFileCount() <= 0)
        return;
    ChangeShownRows([&] { (void)catalog_.SortByColumn(column, descending, feedback); });
}

void CatalogModel::KeepColumnSort(std::optional<DetailColumn> column, bool descending)
{
    keptSort_ = column;
    keptDescending_ = descending;
}

QString CatalogModel::DetailCell(int row, DetailColumn column) const
{
    if (row < 0 || row >= catalog_.Count())
        return {};
    const CatalogItem& item = catalog_.Item(row);
    if (!item.IsFile())
        return column == DetailColumn::Caption ? NameToShownText(item.caption) : QString();
    const std::string text =
        DetailText(column, item.caption, item.entry->Texts, item.summary ? &*item.summary : nullptr);
    if (InfoOf(column).numeric || column == DetailColumn::CieCode)
        return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
    // Texts are the file's bytes: bounded and decoded as every caption is.
    return NameToShownText(text);
}

bool CatalogModel::ReadFailed(int row) const
{
    return row >= catalog_.FolderCount() && row < catalog_.Count() && catalog_.Item(row).readFailed
           && !catalog_.Item(row).entry->Loaded;
}

void CatalogModel::SetFilter(LibraryFilter filter)
{
    ChangeShownRows([&] { catalog_.SetFilter(std::move(filter)); });
    emit EntriesExamined();
}

void CatalogModel::FillInBackground(const std::string& folder, const std::vector<int>& firstRows)
{
    if (!reader_) {
        reader_ = std::make_unique<BackgroundReader>(
            [this] {
                // From a worker: the batch is taken on this model's thread.
                QMetaObject::invokeMethod(
                    this,
                    [this] {
                        if (!batchTimer_.isActive())
                            batchTimer_.start();
                    },
                    Qt::QueuedConnection);
            },
            ReadingWorkers());
    }
    const auto job = [](const CatalogItem& item) {
        return BackgroundJob{item.entry.get(), item.entry->Texts.fileName, item.entry->Format};
    };
    std::vector<BackgroundJob> first;
    for (const int row : firstRows) {
        if (row < catalog_.FolderCount() || row >= catalog_.Count())
            continue;
        CatalogItem& item = catalog_.Item(row);
        NoteSummary(item);
        if (!item.Examined() && (!fillStarted_ || pending_.count(item.entry.get()) != 0))
            first.push_back(job(item));
    }
    if (!fillStarted_) {
        fillStarted_ = true;
        (void)reader_->Start(folder);
        std::vector<BackgroundJob> rest;
        for (int slot = catalog_.FolderCount(); slot < catalog_.TotalCount(); ++slot) {
            CatalogItem& item = catalog_.AnyItem(slot);
            NoteSummary(item);
            if (!item.Examined() && pending_.insert(item.entry.get()).second)
                rest.push_back(job(item));
        }
        reader_->Enqueue(std::move(rest), false);
    }
    // Ahead of the rest; the copy further back is skipped when its turn comes.
    reader_->Enqueue(std::move(first), true);
}

void CatalogModel::TakeBackgroundResults()
{
    if (!reader_)
        return;
    std::vector<BackgroundResult> results = reader_->TakeResults();
    const std::uint64_t generation = reader_->Generation();
    std::unordered_map<const void*, BackgroundResult*> byKey;
    for (BackgroundResult& result : results)
        if (result.generation == generation && pending_.erase(result.key) != 0)
            byKey.emplace(result.key, &result);
    if (byKey.empty())
        return;
    bool changedIcon = false;
    int firstRow = catalog_.Count();
    int lastRow = -1;
    for (int slot = catalog_.FolderCount(); slot < catalog_.TotalCount() && !byKey.empty(); ++slot) {
        CatalogItem& item = catalog_.AnyItem(slot);
        const auto found = byKey.find(item.entry.get());
        if (found == byKey.end())
            continue;
        BackgroundResult& result = *found->second;
        byKey.erase(found);
        if (const int row = catalog_.RowOfSlot(slot); row >= 0) {
            firstRow = std::min(firstRow, row);
            lastRow = std::max(lastRow, row);
        }
        TiesData& entry = *item.entry;
        if (!result.loaded) {
            item.readFailed = !entry.Loaded;
            continue;
        }
        if (!item.summary)
            item.summary = std::move(result.summary);
        if (!HasKeywordTexts(entry)) {
            // The texts a caption read would have taken; the caption itself stays.
            entry.Texts = std::move(result.texts);
            entry.KeywordsRead = true;
            entry.Changed = result.changed;
            changedIcon = changedIcon || entry.Changed;
        }
    }
    // Only the rows that got values: a thumbnail view need not draw its cells again.
    if (firstRow <= lastRow) {
        const QList<int> roles = changedIcon ? QList<int>{Qt::DisplayRole, Qt::DecorationRole} : QList<int>{Qt::DisplayRole};
        emit dataChanged(index(firstRow), index(lastRow), roles);
    }
    if (!catalog_.Filter().IsEmpty() || keptSort_) {
        SilentFeedback silent;
        ChangeShownRows([&] {
            (void)catalog_.Refilter();
            if (keptSort_)
                (void)catalog_.SortByColumn(*keptSort_, keptDescending_, silent);
        });
    }
    emit EntriesExamined();
}
