#pragma once

#include <vector>

#include <QAbstractListModel>
#include <QIcon>

#include "browser/Catalog.h"

// The file list's items as a model over the catalog. Bulk changes go
// through the catalog between BeginChange and EndChange.
class CatalogModel : public QAbstractListModel {
    Q_OBJECT
public:
    using QAbstractListModel::QAbstractListModel;

    [[nodiscard]] int rowCount(const QModelIndex& parent = {}) const override;
    [[nodiscard]] QVariant data(const QModelIndex& index, int role) const override;
    [[nodiscard]] Qt::ItemFlags flags(const QModelIndex& index) const override;

    [[nodiscard]] Catalog& catalog() { return catalog_; }
    [[nodiscard]] const Catalog& catalog() const { return catalog_; }

    using QAbstractListModel::beginInsertRows;
    using QAbstractListModel::endInsertRows;
    using QAbstractListModel::beginRemoveRows;
    using QAbstractListModel::endRemoveRows;

    // Around changes that add, remove or replace items.
    void BeginChange();
    void EndChange();
    // Sorts the file entries; selections and the focus move with their items.
    void SortItems(CatalogFeedback& feedback);
    // After captions changed in place.
    void CaptionsChanged();

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
