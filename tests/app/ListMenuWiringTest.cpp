#include <gtest/gtest.h>

#include <QComboBox>

#include "AppTestSupport.h"
#include "app/AppTexts.h"
#include "browser/FileBrowser.h"
#include "browser/FileListMenu.h"

namespace {

class OneFavorite : public FavoritesSource {
public:
    [[nodiscard]] int FavoriteCount() const override { return 1; }
    [[nodiscard]] QString FavoriteName(int) const override { return QStringLiteral("Lamps"); }
    [[nodiscard]] QString FavoritePath(int) const override { return QStringLiteral("/data/Lamps"); }
    [[nodiscard]] bool IsFavorite(const QString&) const override { return false; }
    void AddFavorite(const QString&) override {}
    void OpenFavorite(int) override {}
};

class ListMenuWiringTest : public ::testing::Test, public WindowFixture {};

}  // namespace

// The menu's items act on the options panel's controls, whose handlers do the work.
TEST_F(ListMenuWiringTest, ItemsWorkThroughThePanelsControls)
{
    TMainWindow& w = open();
    FileListMenu& menu = w.listMenu();
    menu.PopupMenuPopup();
    const bool sorted = ticked("CheckBoxSort");
    EXPECT_EQ(menu.Items().Sort1->isChecked(), sorted);
    menu.Items().Sort1->trigger();
    EXPECT_EQ(ticked("CheckBoxSort"), !sorted);
    EXPECT_EQ(w.browser().Options().sort, !sorted);

    menu.Items().Icons1->trigger();
    EXPECT_TRUE(chosen("RadioButtonIcons"));
    EXPECT_EQ(w.browser().List()->ViewKind(), FileListViewKind::Icons);
    menu.Items().List1->trigger();
    EXPECT_TRUE(chosen("RadioButtonList"));

    menu.Items().arrange[CaptionNumber(CaptionChoice::Lamp)]->trigger();
    EXPECT_EQ(control<QComboBox>("ComboBoxCaption")->currentIndex(), 5);
    EXPECT_EQ(w.browser().Options().caption, CaptionChoice::Lamp);
    menu.PopupMenuPopup();
    EXPECT_TRUE(menu.Items().arrange[CaptionNumber(CaptionChoice::Lamp)]->isChecked());

    // A highlighted favourite shows its path in the title bar.
    OneFavorite favorites;
    menu.SetFavorites(&favorites);
    menu.PopupMenuPopup();
    QAction* favorite = menu.Items().Favorites1->menu()->actions().value(0);
    ASSERT_NE(favorite, nullptr);
    favorite->hover();
    EXPECT_EQ(w.windowTitle(), AppTexts::MainTitle() + QStringLiteral("/data/Lamps"));
    emit menu.HintChanged(QString());
    EXPECT_FALSE(w.windowTitle().contains(QStringLiteral("/data/Lamps")));
}
