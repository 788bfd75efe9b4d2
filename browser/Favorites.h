#pragma once

#include <optional>
#include <vector>

#include <QString>

#include "browser/IdList.h"
#include "browser/ListOptions.h"

class ShellNamespace;

// How favourite folders keep their own view settings ("Favorites" box).
struct FavouriteOptions {
    bool rememberSettings = false;  // "Remember settings"
    bool views = false;             // "Views"
    bool captions = false;          // "Captions"
};

// A favourite's view index counts as the context menu's "View" items did
// before the details view came: 0 Thumbnails, 1 Icons, 2 List; Details, the
// newest, is 3, so stored favourites keep their meaning.
[[nodiscard]] int FavoriteViewIndex(FileListViewKind kind);
// Nothing for an index no "View" item has (a hand-edited settings file).
[[nodiscard]] std::optional<FileListViewKind> FavoriteViewKind(int view);

// The settings byte: the view index as the high hexadecimal digit, the
// caption kind as the low one. A negative view counts as 2 (List), a
// negative caption as 0 (File name).
[[nodiscard]] int PackViewSettings(int view, int caption);
struct ViewSettings {
    int view = 0;
    int caption = 0;
};
// Only the low 8 bits count.
[[nodiscard]] ViewSettings UnpackViewSettings(int settings);

struct Favorite {
    QString name;  // the folder's display name
    int settings = 0;
    IdList id;     // the folder's absolute id
};

// The favourite folders in the order they are shown: alphabetical by name
// without regard to case; a name equal to one already there goes after it.
class Favorites {
public:
    // Returns the index where the favourite landed.
    int Add(QString name, IdList id, int settings);
    void Remove(int index);
    void Clear() { items_.clear(); }

    // The first favourite whose folder has the same parsing name as `id`
    // (compared exactly); -1 when none has.
    [[nodiscard]] int Find(const IdList& id, const ShellNamespace& space) const;

    [[nodiscard]] int Count() const { return static_cast<int>(items_.size()); }
    [[nodiscard]] bool Has(int index) const { return index >= 0 && index < Count(); }
    [[nodiscard]] const Favorite& At(int index) const { return items_[static_cast<std::size_t>(index)]; }
    void SetSettings(int index, int settings);

private:
    std::vector<Favorite> items_;
};
