#pragma once

#include <vector>

#include <QAbstractListModel>
#include <QIcon>

#include "browser/Catalog.h"

// The file list's items as a model over the catalog. Every change of the
// catalog's items goes through here, so the views hear of it.
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
    // An entry's icon changed (it was read and found written by this program).
    void EntryIconChanged(int row);
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
