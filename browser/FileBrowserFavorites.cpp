// The file browser's favourite folders: the list, its view settings, and
// the folder tree's and the list's calls into it.
#include "FileBrowser.h"

#include <algorithm>

QString FileBrowser::FavoritePath(int index) const
{
    if (!favorites_.Has(index))
        return {};
    const std::string path = space_.ParsingName(favorites_.At(index).id);
    return path.empty() ? favorites_.At(index).name : NameToText(path);
}

int FileBrowser::AddFavorite(const QString& name, const IdList& id)
{
    const int view = FavoriteViewIndex(list_->ViewKind());
    const int index = favorites_.Add(name, id, PackViewSettings(view, CaptionNumber(options_.caption)));
    emit FavoriteAdded(index);
    return index;
}

std::optional<IdList> FileBrowser::ParseTextPath(const QString& path) const
{
    std::optional<IdList> id = space_.ParsePath(path.toUtf8().toStdString());
    // A name that is not UTF-8 is shown and stored as its Latin-1 reading.
    const bool latin1 = std::all_of(path.begin(), path.end(), [](QChar c) { return c.unicode() <= 0xFF; });
    if (!id && latin1)
        id = space_.ParsePath(path.toLatin1().toStdString());
    return id;
}

int FileBrowser::AddFavorite(const QString& path)
{
    const std::optional<IdList> id = ParseTextPath(path);
    if (!id || !space_.BindsAsFolder(*id) || FindFavorite(*id) >= 0)
        return -1;
    const int index = AddFavorite(space_.DisplayName(*id), *id);
    host_.SetAddEnabled(CanAddFavorite(ListTargetFolder(false)));
    return index;
}

int FileBrowser::FindFavorite(const IdList& id) const
{
    return favorites_.Find(id, space_);
}

bool FileBrowser::IsFavorite(const FolderNode* node) const
{
    return node && node->Record && FindFavorite(node->Record->AbsoluteId) >= 0;
}

bool FileBrowser::IsFavorite(const QString& path) const
{
    const std::optional<IdList> id = ParseTextPath(path);
    return id && FindFavorite(*id) >= 0;
}

bool FileBrowser::CanAddFavorite(const FolderNode* node) const
{
    // A folder without a path (the desktop) could not be found again.
    return node && node->Record && !IsFavorite(node)
           && space_.ParsePath(space_.ParsingName(node->Record->AbsoluteId)).has_value();
}

void FileBrowser::RemoveFavorite(int index)
{
    if (!favorites_.Has(index))
        return;
    favorites_.Remove(index);
    emit FavoriteRemoved(index);
}

void FileBrowser::AddToFavorites1Click()
{
    const FolderNode* node = ListTargetFolder(false);
    if (!CanAddFavorite(node))
        return;
    AddFavorite(node->text(0), node->Record->AbsoluteId);
    host_.SetAddEnabled(FindFavorite(node->Record->AbsoluteId) == -1);
}

void FileBrowser::OpenFavorite(int index)
{
    if (favorites_.Has(index))
        NavigateToPath(navigator_->IdDisplayPath(favorites_.At(index).id));
}

void FileBrowser::StoreViewSettings(int index)
{
    if (!favorites_.Has(index) || !favouriteOptions_.rememberSettings)
        return;
    ViewSettings kept = UnpackViewSettings(favorites_.At(index).settings);
    if (favouriteOptions_.views)
        kept.view = FavoriteViewIndex(list_->ViewKind());
    if (favouriteOptions_.captions)
        kept.caption = CaptionNumber(options_.caption);
    favorites_.SetSettings(index, PackViewSettings(kept.view, kept.caption));
}

void FileBrowser::ApplyViewSettings(int index)
{
    if (!favouriteOptions_.rememberSettings || !favorites_.Has(index))
        return;
    const ViewSettings stored = UnpackViewSettings(favorites_.At(index).settings);
    // A digit no "View" or "Arrange by" item has (an edited file) leaves that setting alone.
    if (favouriteOptions_.views)
        if (const std::optional<FileListViewKind> kind = FavoriteViewKind(stored.view))
            host_.ChooseView(*kind);
    if (const std::optional<CaptionChoice> caption = CaptionChoiceAt(stored.caption); favouriteOptions_.captions && caption)
        host_.ChooseCaption(*caption);
}

void FileBrowser::StoreFolderView(const FolderNode* node)
{
    if (node && node->Record)
        StoreViewSettings(FindFavorite(node->Record->AbsoluteId));
}

int FileBrowser::RestoreFavorite(const QString& storedPath, int settings)
{
    const std::optional<IdList> id = ParseTextPath(storedPath);
    if (!id || !space_.BindsAsFolder(*id))
        return -1;
    const int index = favorites_.Add(space_.DisplayName(*id), *id, settings & 0xFF);
    emit FavoriteAdded(index);
    return index;
}

std::vector<std::pair<int, QString>> FileBrowser::CollectFavorites()
{
    StoreFolderView(tree_->ShownFolderNode());
    std::vector<std::pair<int, QString>> lines;
    for (int i = 0; i < favorites_.Count(); ++i)
        lines.emplace_back(favorites_.At(i).settings & 0xFF, NameToText(space_.ParsingName(favorites_.At(i).id)));
    favorites_.Clear();
    emit FavoritesCleared();
    return lines;
}
