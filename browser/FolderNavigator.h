#pragma once

#include <functional>
#include <string>

#include <QString>
#include <QStringList>

#include "browser/FolderTree.h"

// Names folders by display path (the display names from the desktop down,
// each followed by "/"), walks the tree along such a path, and rebuilds the
// tree keeping the expanded folders, the selection and the top node.
class FolderNavigator {
public:
    // `rebuild` clears the file list and builds the tree anew; `beforeRefresh`
    // lets the application store the shown folder's view first.
    FolderNavigator(FolderTree& tree, std::function<void()> rebuild, std::function<void()> beforeRefresh = {});

    [[nodiscard]] static QString FolderDisplayPath(const FolderNode* node);
    [[nodiscard]] QString IdDisplayPath(const IdList& absolute) const;
    // A full path in the file system as a display path; empty when it does not parse.
    [[nodiscard]] QString ParsingToDisplayPath(const std::string& path) const;

    // Selects the deepest existing folder along `path` (the root for an empty one).
    void NavigateToPath(const QString& path);
    void ButtonRefreshClick();

    // What the refresh records before it rebuilds: the parsing names of the
    // expanded nodes in tree order, then the top node's, then the selected one's.
    [[nodiscard]] QStringList RecordTreeState() const;
    // After a rebuild: expands the recorded folders, then selects and tops
    // the recorded ones, falling back to node 0 for folders that have gone.
    void RestoreTreeState(QStringList names);
    // Finds the first node in tree order whose parsing name is `name`.
    [[nodiscard]] int Find(const QString& name) const;

    static constexpr int kMaxNameLength = 255;

private:
    FolderTree& tree_;
    std::function<void()> rebuild_;
    std::function<void()> beforeRefresh_;
};
