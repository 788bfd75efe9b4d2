#pragma once

#include <vector>

#include <QAbstractListModel>
#include <QIcon>

#include "browser/Catalog.h"
#include "photometry/EntryLoader.h"

// The file list's items as a model over the catalog. Every change of the
// catalog's items, reading an entry's file included, goes through here, so
// the views hear of it.
class CatalogModel : public QAbstractListModel {
    Q_OBJECT
public:
    using QAbstractListModel::QAbstractListModel;

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

    // The icons of file entries: the folder's first file's icon, and the
    // same with a link overlay for files this program wrote.
    void SetFileIcons(QIcon normal, QIcon changed);
    [[nodiscard]] bool HasChangedIcon() const { return !changedIcon_.isNull(); }
    [[nodiscard]] const QIcon& ChangedIcon() const { return changedIcon_; }
    void ForgetChangedIcon() { changedIcon_ = QIcon(); }

private:
    Catalog catalog_;
    QIcon fileIcon_;
    QIcon changedIcon_;
};
