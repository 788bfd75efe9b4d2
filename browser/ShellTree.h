#pragma once

#include <optional>

#include <QString>
#include <QTreeWidgetItem>

#include "browser/IdList.h"

// The record of one folder node of the tree.
struct TShellTree {
    IdList ParentFolder;  // the folder that holds the item, from the desktop
    IdList ItemId;        // the item relative to ParentFolder
    IdList AbsoluteId;    // ParentFolder followed by ItemId
    QString DisplayName;
};

// A node of the folder tree; "Dummy" placeholders carry no record.
class FolderNode : public QTreeWidgetItem {
public:
    static constexpr int kType = QTreeWidgetItem::UserType + 1;
    FolderNode() : QTreeWidgetItem(kType) {}
    std::optional<TShellTree> Record;
};

[[nodiscard]] inline FolderNode* AsFolderNode(QTreeWidgetItem* item)
{
    return item && item->type() == FolderNode::kType ? static_cast<FolderNode*>(item) : nullptr;
}
