#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <unordered_set>
#include <vector>

#include <QAbstractListModel>
#include <QIcon>
#include <QTimer>

#include "browser/BackgroundReader.h"
#include "browser/Catalog.h"
#include "photometry/EntryLoader.h"

// The file list's items as a model over the catalog. Every change of the
// catalog's items, reading an entry's file included, goes through here, so
// the views hear of it.
class CatalogModel : public QAbstractListModel {
    Q_OBJECT
public:
    explicit CatalogModel(QObject* parent = nullptr);
    ~CatalogModel() override;

    [[nodiscard]] int rowCount(const QModelIndex& parent = {}) const override;
    [[nodiscard]] QVariant data(const QModelIndex& index, int role) const override;
    [[nodiscard]] Qt::ItemFlags flags(const QModelIndex& index) const override;

    [[nodiscard]] Catalog& catalog() { return catalog_; }
    [[nodiscard]] const Catalog& catalog() const { return catalog_; }

    // The catalog's operations, announced to the views.
    void ClearCatalog(CatalogFeedback& feedback);
    // Lists a folder's files; returns the first file's path, empty for none.
    [[nodiscard]] std::string ListFolder(const std::string& folder, CaptionChoice choice, CatalogFeedback& feedback,
                                         std::vector<ReadFault>& faults);
    void Recaption(CaptionChoice choice, const std::string& folder, CatalogFeedback& feedback,
                   std::vector<ReadFault>& faults);
    void AddFolderEntry(const std::string& caption, const QIcon& icon);
    void InsertUpEntry(const std::string& caption, const QIcon& icon);
    void RemoveUpEntry();
    void SetUpEntryCaption(const std::string& caption);
    // A file entry added at the end, or removed.
    void AppendFileEntry(TiesData entry, CaptionChoice choice);
    void RemoveFileEntry(int row);
    // Reads the file entry at `row` from `folder` (LoadEntry); an entry found
    // written by this program gets its overlay icon.
    LoadResult ReadEntry(int row, const std::string& folder);
    // Reads the unread file entries among `rows` together on up to `workers`
    // threads (LoadEntries); what a file's read met stays for whoever selects it.
    void ReadEntries(const std::vector<int>& rows, const std::string& folder, unsigned workers);
    // Sorts the file entries; selections and the focus move with their items.
    void SortItems(CatalogFeedback& feedback);
    // The same by a details column (empty cells last either way). While a
    // column sort is kept, entries read in the background are sorted in as
    // their values arrive.
    void SortByColumn(DetailColumn column, bool descending, CatalogFeedback& feedback);
    void KeepColumnSort(std::optional<DetailColumn> column, bool descending);

    // A cell of the details view: the text, or empty when the value is absent.
    [[nodiscard]] QString DetailCell(int row, DetailColumn column) const;
    // The file at `row` was read whole and did not read (the fault mark).
    [[nodiscard]] bool ReadFailed(int row) const;

    // Shows only the file entries the filter lets through; the focus and the
    // selection stay on entries still shown. Entries the filter cannot decide
    // before they are read are read in the background (FillInBackground) and
    // hidden until then.
    void SetFilter(LibraryFilter filter);
    [[nodiscard]] const LibraryFilter& Filter() const { return catalog_.Filter(); }

    // Reads every file entry of `folder` not yet read whole, on every core,
    // `firstRows` (the rows in view) first; results reach the catalog on this
    // thread, from the event loop. A folder change (ClearCatalog, ListFolder)
    // cancels the work and drops what it would still deliver.
    void FillInBackground(const std::string& folder, const std::vector<int>& firstRows);
    // Entries handed to the background and not yet back.
    [[nodiscard]] int PendingCount() const { return static_cast<int>(pending_.size()); }
    // Applies the results that arrived (the event loop calls it; tests may).
    void TakeBackgroundResults();

signals:
    // Background results were applied: values, fault marks and the filter's counts may have changed.
    void EntriesExamined();

public:

    // The icons of file entries: the folder's first file's icon, and the
    // same with a link overlay for files this program wrote.
    void SetFileIcons(QIcon normal, QIcon changed);
    [[nodiscard]] bool HasChangedIcon() const { return !changedIcon_.isNull(); }
    [[nodiscard]] const QIcon& ChangedIcon() const { return changedIcon_; }
    void ForgetChangedIcon() { changedIcon_ = QIcon(); }

private:
    // Runs `change` on the catalog as one layout change: persistent indexes
    // (focus, selection) follow their entries; those of entries no longer
    // shown become invalid.
    template <class Change>
    void ChangeShownRows(const Change& change);
    void CancelBackground();

    Catalog catalog_;
    std::unique_ptr<BackgroundReader> reader_;
    bool fillStarted_ = false;
    // Results are taken in batches: each batch refilters and resorts the whole list.
    QTimer batchTimer_;
    std::unordered_set<const void*> pending_;  // entries out for a background read
    std::optional<DetailColumn> keptSort_;
    bool keptDescending_ = false;
    QIcon fileIcon_;
    QIcon changedIcon_;
};
