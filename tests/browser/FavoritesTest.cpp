#include <filesystem>

#include "BrowserFixture.h"
#include "browser/Favorites.h"

namespace fs = std::filesystem;

namespace {

class FavoritesTest : public BrowserFixture {
protected:
    FavoritesTest()
    {
        // The options panel's part: a chosen view or caption comes back as the browser's setting.
        host_.onChooseView = [this](FileListViewKind kind) { Browser().SetViewKind(kind); };
        host_.onChooseCaption = [this](CaptionChoice choice) { Browser().SetCaption(choice); };
    }
    // A path below home as the favourites take it: text.
    QString Below(const std::string& relative) const { return NameToText(Home() + "/" + relative); }
    void Open(const QString& belowHome) { Browser().NavigateToPath(Path(belowHome)); }
    int Settings(int index) { return Browser().FavoriteList().At(index).settings; }
};

}  // namespace

TEST(FavoriteSettings, PackAndUnpackThroughHexDigits)
{
    EXPECT_EQ(PackViewSettings(2, 5), 0x25);
    EXPECT_EQ(PackViewSettings(0, 0), 0x00);
    EXPECT_EQ(PackViewSettings(-1, -3), 0x20) << "no view counts as List, no caption as File name";
    // Digits are written one after the other: a caption of 16 takes two.
    EXPECT_EQ(PackViewSettings(1, 16), 0x110);
    EXPECT_EQ(UnpackViewSettings(0x125).view, 2) << "only the low byte counts";
    EXPECT_EQ(UnpackViewSettings(0x125).caption, 5);
    EXPECT_EQ(FavoriteViewIndex(FileListViewKind::Thumbnails), 0);
    EXPECT_EQ(FavoriteViewIndex(FileListViewKind::List), 2);
    EXPECT_EQ(FavoriteViewKind(1), FileListViewKind::Icons);
    // The details view came last: its number is new, the old three keep theirs.
    EXPECT_EQ(FavoriteViewIndex(FileListViewKind::Details), 3);
    EXPECT_EQ(FavoriteViewKind(3), FileListViewKind::Details);
    EXPECT_FALSE(FavoriteViewKind(4).has_value());
}

TEST_F(FavoritesTest, SortedByNameAndSameNamesBothKept)
{
    tree_.MakeFolder("home/Docs/Spots");
    FileBrowser& b = Browser();
    EXPECT_EQ(b.AddFavorite(Below("Lamps/Spots")), 0);
    EXPECT_EQ(b.AddFavorite(Below("Docs")), 0) << "goes before Spots";
    EXPECT_EQ(b.AddFavorite(Below("Lamps/Floods")), 1);
    EXPECT_EQ(b.AddFavorite(Below("Docs/Spots")), 3) << "after the Spots already there";
    EXPECT_EQ(b.AddFavorite(Below("Docs/Spots/")), -1) << "already a favourite";
    EXPECT_EQ(b.AddFavorite(Below("Lamps/A.ies")), -1) << "not a folder";
    EXPECT_EQ(b.AddFavorite(Below("Gone")), -1);

    ASSERT_EQ(b.FavoriteList().Count(), 4);
    EXPECT_EQ(b.FavoriteList().At(2).name, QStringLiteral("Spots"));
    EXPECT_EQ(b.FavoritePath(2), Below("Lamps/Spots"));
    EXPECT_EQ(b.FavoritePath(3), Below("Docs/Spots"));
    EXPECT_TRUE(b.IsFavorite(Below("Docs/Spots")));
    EXPECT_FALSE(b.IsFavorite(Below("Lamps")));

    b.RemoveFavorite(2);
    EXPECT_FALSE(b.IsFavorite(Below("Lamps/Spots")));
    EXPECT_TRUE(b.IsFavorite(Below("Docs/Spots"))) << "its namesake stays";
}

TEST_F(FavoritesTest, AddedWithListViewAndLampCaptionStores25)
{
    Open(QStringLiteral("Lamps"));
    Browser().SetCaption(CaptionChoice::Lamp);
    ASSERT_EQ(Browser().List()->ViewKind(), FileListViewKind::List);
    EXPECT_TRUE(host_.addEnabled);
    Browser().AddToFavorites1Click();  // nothing selected: the shown folder
    ASSERT_EQ(Browser().FavoriteList().Count(), 1);
    EXPECT_EQ(Browser().FavoriteList().At(0).name, QStringLiteral("Lamps"));
    EXPECT_EQ(Settings(0), 0x25);
    EXPECT_FALSE(host_.addEnabled) << "the folder is a favourite now";
    Browser().AddToFavorites1Click();
    EXPECT_EQ(Browser().FavoriteList().Count(), 1);

    // A folder entry selected: its folder is the one added.
    Focus(0);
    EXPECT_TRUE(host_.addEnabled) << "Floods is no favourite";
    Browser().AddToFavorites1Click();
    EXPECT_TRUE(Browser().IsFavorite(Below("Lamps/Floods")));
}

TEST_F(FavoritesTest, RememberSettingsOffChangesNothing)
{
    FileBrowser& b = Browser();
    b.AddFavorite(Below("Lamps"));
    const int stored = Settings(0);
    b.SetFavouriteOptions({false, true, true});
    Open(QStringLiteral("Lamps"));
    b.SetViewKind(FileListViewKind::Icons);
    b.SetCaption(CaptionChoice::Manufacturer);
    Open(QStringLiteral("Docs"));
    EXPECT_EQ(Settings(0), stored) << "leaving keeps the stored settings";
    b.StoreViewSettings(0);
    EXPECT_EQ(Settings(0), stored);
    Open(QStringLiteral("Lamps"));
    EXPECT_TRUE(host_.viewChoices.empty());
    EXPECT_TRUE(host_.captionChoices.empty());
    EXPECT_EQ(b.List()->ViewKind(), FileListViewKind::Icons);
}

TEST_F(FavoritesTest, LeavingStoresAndOpeningAppliesWhatIsTicked)
{
    FileBrowser& b = Browser();
    b.AddFavorite(Below("Lamps"));
    b.SetFavouriteOptions({true, true, true});
    Open(QStringLiteral("Lamps"));
    b.SetViewKind(FileListViewKind::Icons);
    b.SetCaption(CaptionChoice::Manufacturer);
    Open(QStringLiteral("Docs"));
    EXPECT_EQ(Settings(0), 0x12) << "Icons, Manufacturer";

    b.SetViewKind(FileListViewKind::List);
    Open(QStringLiteral("Lamps"));
    EXPECT_EQ(b.List()->ViewKind(), FileListViewKind::Icons);
    EXPECT_TRUE(ListCaptions().contains(QStringLiteral("Zeta"))) << "captioned by manufacturer again";

    // Only "Views": the caption kind stays as the folder change left it.
    b.SetFavouriteOptions({true, true, false});
    Open(QStringLiteral("Docs"));
    b.SetViewKind(FileListViewKind::List);
    host_.captionChoices.clear();
    Open(QStringLiteral("Lamps"));
    EXPECT_EQ(b.List()->ViewKind(), FileListViewKind::Icons);
    EXPECT_TRUE(host_.captionChoices.empty());
    EXPECT_TRUE(ListCaptions().contains(QStringLiteral("b.ies")));
}

TEST_F(FavoritesTest, TheTitleNamesTheFavouriteFolderItOpens)
{
    FileBrowser& b = Browser();
    b.SetTitleBarPath(true);
    b.AddFavorite(Below("Lamps"));
    b.SetFavouriteOptions({true, true, true});
    Open(QStringLiteral("Lamps"));
    b.SetCaption(CaptionChoice::Manufacturer);
    Open(QStringLiteral("Docs"));
    EXPECT_EQ(host_.caption, QStringLiteral("Kandora v2.9    ") + Below("Docs"));
    b.OpenFavorite(0);
    EXPECT_EQ(host_.caption, QStringLiteral("Kandora v2.9    ") + Below("Lamps"));
}

TEST_F(FavoritesTest, RefreshKeepsTheViewOfTheSelectedFavourite)
{
    FileBrowser& b = Browser();
    b.AddFavorite(Below("Lamps"));
    b.SetFavouriteOptions({true, true, true});
    Open(QStringLiteral("Lamps"));
    b.SetViewKind(FileListViewKind::Thumbnails);
    b.ButtonRefreshClick();
    EXPECT_EQ(Settings(0) >> 4, 0) << "stored before the rebuild";
    EXPECT_EQ(SelectedText(), QStringLiteral("Lamps"));
    EXPECT_EQ(b.List()->ViewKind(), FileListViewKind::Thumbnails);
}

TEST_F(FavoritesTest, StoredDigitsWithoutAMenuItemAreIgnored)
{
    FileBrowser& b = Browser();
    ASSERT_GE(b.RestoreFavorite(Below("Lamps"), 0xF9), 0);
    b.SetFavouriteOptions({true, true, true});
    Open(QStringLiteral("Lamps"));
    EXPECT_TRUE(host_.viewChoices.empty());
    EXPECT_TRUE(host_.captionChoices.empty());
    EXPECT_EQ(b.List()->ViewKind(), FileListViewKind::List);
}

TEST_F(FavoritesTest, OpeningAVanishedFavouriteSelectsTheDeepestFolderLeft)
{
    FileBrowser& b = Browser();
    const int index = b.AddFavorite(Below("Lamps/Spots/Narrow"));
    ASSERT_GE(index, 0);
    b.OpenFavorite(index);
    EXPECT_EQ(SelectedText(), QStringLiteral("Narrow"));
    fs::remove_all(tree_.Root() / "home/Lamps/Spots/Narrow");
    b.ButtonRefreshClick();
    b.OpenFavorite(index);
    EXPECT_EQ(SelectedText(), QStringLiteral("Spots"));
    b.OpenFavorite(7);  // no such favourite: nothing happens
    EXPECT_EQ(SelectedText(), QStringLiteral("Spots"));
}

TEST_F(FavoritesTest, CollectedPathsComeBackAndVanishedOnesAreDropped)
{
    // A name that is not UTF-8 is stored as its Latin-1 reading.
    const std::string odd = "Lamps/caf\xE9";
    tree_.MakeFolder("home/" + odd);
    FileBrowser& b = Browser();
    b.AddFavorite(Below(odd));
    b.AddFavorite(Below("Docs"));
    const auto lines = b.CollectFavorites();
    EXPECT_EQ(b.FavoriteList().Count(), 0);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].second, QString::fromStdString(Home()) + QStringLiteral("/Lamps/caf\u00E9"));

    fs::remove_all(tree_.Root() / "home/Docs");
    EXPECT_EQ(b.RestoreFavorite(lines[1].second, lines[1].first), -1) << "Docs has gone";
    EXPECT_EQ(b.RestoreFavorite(lines[0].second, 0x1A), 0);
    EXPECT_TRUE(b.IsFavorite(Below(odd)));
    EXPECT_EQ(Settings(0), 0x1A);
    EXPECT_EQ(b.RestoreFavorite(QStringLiteral("relative/path"), 0), -1);
}
