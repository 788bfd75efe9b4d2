#include "Favorites.h"

#include <algorithm>

#include "browser/ShellNamespace.h"

int FavoriteViewIndex(FileListViewKind kind)
{
    if (kind == FileListViewKind::Details)
        return 3;
    return 2 - static_cast<int>(kind);
}

std::optional<FileListViewKind> FavoriteViewKind(int view)
{
    if (view == 3)
        return FileListViewKind::Details;
    if (view < 0 || view > 2)
        return std::nullopt;
    return static_cast<FileListViewKind>(2 - view);
}

int PackViewSettings(int view, int caption)
{
    if (view < 0)
        view = 2;
    if (caption < 0)
        caption = 0;
    // The two numbers' hexadecimal digits written one after the other.
    const QString text = QString::number(view, 16) + QString::number(caption, 16);
    bool ok = false;
    const qulonglong value = text.toULongLong(&ok, 16);
    return ok ? static_cast<int>(value & 0x7FFFFFFFu) : 0;
}

ViewSettings UnpackViewSettings(int settings)
{
    return {(settings >> 4) & 0xF, settings & 0xF};
}

int Favorites::Add(QString name, IdList id, int settings)
{
    const auto at = std::upper_bound(items_.begin(), items_.end(), name, [](const QString& n, const Favorite& f) {
        return n.compare(f.name, Qt::CaseInsensitive) < 0;
    });
    const auto placed = items_.insert(at, Favorite{std::move(name), settings, CopyIdList(id)});
    return static_cast<int>(placed - items_.begin());
}

void Favorites::Remove(int index)
{
    if (Has(index))
        items_.erase(items_.begin() + index);
}

int Favorites::Find(const IdList& id, const ShellNamespace& space) const
{
    const std::string wanted = space.ParsingName(id);
    for (int i = 0; i < Count(); ++i) {
        if (space.ParsingName(At(i).id) == wanted)
            return i;
    }
    return -1;
}

void Favorites::SetSettings(int index, int settings)
{
    if (Has(index))
        items_[static_cast<std::size_t>(index)].settings = settings;
}
