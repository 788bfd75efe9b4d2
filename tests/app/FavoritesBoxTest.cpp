#include <gtest/gtest.h>

#include <QComboBox>
#include <QDir>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>
#include <QTest>

#include "AppTestSupport.h"
#include "app/AppTexts.h"
#include "app/IniDocument.h"
#include "browser/FileBrowser.h"
#include "browser/FileListMenu.h"

namespace {

// The "Favorites" box of a window over favourite folders in a temporary folder.
class FavoritesBoxTest : public ::testing::Test, public WindowFixture {
protected:
    QString folder(const char* name) const
    {
        QDir(dir.path()).mkpath(QString::fromLatin1(name));
        return dir.filePath(QString::fromLatin1(name));
    }
    // Stored favourites a, b, c (settings 0x20) and the given favourite options.
    TMainWindow& openWithFavorites(const QByteArray& favouriteOptions = "CheckBoxFavs=0\r\n")
    {
        QByteArray ini("[Favorites]\r\n");
        int n = 0;
        for (const char* name : {"c", "a", "b"})
            ini += "folder" + QByteArray::number(n++) + "=20" + folder(name).toUtf8() + "\r\n";
        writeIni(ini + "[GroupBoxExFavorites]\r\nCollapsed=0\r\n" + favouriteOptions);
        TMainWindow& w = open();
        w.show();
        return w;
    }
    QListWidget* list() const { return options().controls().ListBoxFavorites; }
    QStringList names() const
    {
        QStringList out;
        for (int i = 0; i < list()->count(); ++i)
            out << list()->item(i)->text();
        return out;
    }
    QString shownFolder() const { return QString::fromStdString(window->browser().ShownFolderPath()); }
    QString storedFavorite(int n) const
    {
        return IniDocument::Parse(readIni())
            .value(QStringLiteral("Favorites"), QStringLiteral("folder%1").arg(n))
            .value_or(QStringLiteral("<none>"));
    }
};

}  // namespace

TEST_F(FavoritesBoxTest, RemovesExactlyTheSelectedOnes)
{
    openWithFavorites();
    EXPECT_EQ(names(), QStringList({QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")}));
    EXPECT_FALSE(options().controls().ButtonRemove->isEnabled());
    list()->item(0)->setSelected(true);
    list()->item(2)->setSelected(true);
    EXPECT_TRUE(options().controls().ButtonRemove->isEnabled());
    options().controls().ButtonRemove->click();
    EXPECT_EQ(names(), QStringList({QStringLiteral("b")}));
    EXPECT_EQ(window->browser().FavoriteList().Count(), 1);
    EXPECT_FALSE(options().controls().ButtonRemove->isEnabled());
    closeWindow();
    EXPECT_EQ(storedFavorite(0), QStringLiteral("20") + folder("b"));
    EXPECT_EQ(storedFavorite(1), QStringLiteral("<none>"));
}

TEST_F(FavoritesBoxTest, DoubleClickOrEnterInAMultipleSelectionOpensOnlyThatOne)
{
    openWithFavorites();
    list()->selectAll();
    list()->setCurrentRow(1, QItemSelectionModel::NoUpdate);
    QTest::keyClick(list(), Qt::Key_Return);
    EXPECT_EQ(list()->selectedItems().size(), 1);
    EXPECT_TRUE(list()->item(1)->isSelected());
    EXPECT_EQ(shownFolder(), folder("b") + QStringLiteral("/"));

    list()->selectAll();
    const QPoint c = list()->visualItemRect(list()->item(2)).center();
    // A user's double click: press, release, then the double click.
    QTest::mouseClick(list()->viewport(), Qt::LeftButton, Qt::NoModifier, c);
    QTest::mouseDClick(list()->viewport(), Qt::LeftButton, Qt::NoModifier, c);
    EXPECT_EQ(list()->selectedItems().size(), 1);
    EXPECT_TRUE(list()->item(2)->isSelected());
    EXPECT_EQ(shownFolder(), folder("c") + QStringLiteral("/"));
}

TEST_F(FavoritesBoxTest, HoveringAFavouriteShowsItsPathInTheTitle)
{
    TMainWindow& w = openWithFavorites();
    QWidget* viewport = list()->viewport();
    QEnterEvent enter(QPointF(1, 1), QPointF(1, 1), QPointF(1, 1));
    QApplication::sendEvent(viewport, &enter);
    const QPoint over = list()->visualItemRect(list()->item(1)).center();
    QMouseEvent move(QEvent::MouseMove, over, viewport->mapToGlobal(over), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(viewport, &move);
    EXPECT_EQ(w.windowTitle(), AppTexts::MainTitle() + folder("b"));

    const QPoint below(over.x(), viewport->height() - 2);
    QMouseEvent away(QEvent::MouseMove, below, viewport->mapToGlobal(below), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(viewport, &away);
    EXPECT_FALSE(w.windowTitle().contains(folder("b"))) << w.windowTitle().toStdString();
}

TEST_F(FavoritesBoxTest, AddWithListViewAndLampCaptionStores25)
{
    writeIni("[GroupBoxExFavorites]\r\nCollapsed=0\r\n");
    TMainWindow& w = open();
    w.show();
    const QString lamps = folder("Lamps");
    w.browser().NavigateToPath(w.browser().Navigator().ParsingToDisplayPath(lamps.toStdString()));
    QPushButton* add = options().controls().ButtonAdd;
    EXPECT_TRUE(add->isEnabled());
    options().controls().ComboBoxCaption->setCurrentIndex(5);  // "Lamp"
    add->click();
    EXPECT_EQ(names(), QStringList({QStringLiteral("Lamps")}));
    EXPECT_FALSE(add->isEnabled());
    EXPECT_TRUE(w.browser().IsFavorite(lamps));
    closeWindow();
    EXPECT_EQ(storedFavorite(0), QStringLiteral("25") + lamps);
    EXPECT_TRUE(names().isEmpty()) << "handed over at close";
}

TEST_F(FavoritesBoxTest, RememberedViewComesBackAfterARestart)
{
    openWithFavorites("CheckBoxFavs=1\r\nCheckBoxFavViews=1\r\nCheckBoxFavCaptions=1\r\n");
    EXPECT_TRUE(options().controls().CheckBoxFavViews->isEnabled());
    window->browser().OpenFavorite(0);  // a: List, File name
    control<QRadioButton>("RadioButtonThumbnails")->click();
    options().controls().ComboBoxCaption->setCurrentIndex(3);
    closeWindow();  // the shown favourite keeps what it shows
    EXPECT_EQ(storedFavorite(0), QStringLiteral("03") + folder("a"));
    window.reset();

    TMainWindow& w = open();
    w.show();
    w.browser().OpenFavorite(1);  // b: List, File name
    EXPECT_TRUE(chosen("RadioButtonList"));
    w.browser().OpenFavorite(0);
    EXPECT_TRUE(chosen("RadioButtonThumbnails"));
    EXPECT_EQ(options().controls().ComboBoxCaption->currentIndex(), 3);
    EXPECT_EQ(w.browser().List()->ViewKind(), FileListViewKind::Thumbnails);
}

TEST_F(FavoritesBoxTest, TheListMenuReachesTheSameFavourites)
{
    const QString d = folder("d");
    TMainWindow& w = openWithFavorites();
    w.browser().NavigateToPath(w.browser().Navigator().ParsingToDisplayPath(dir.path().toStdString()));
    FileListView& files = *w.browser().List();
    auto selectEntry = [&files](const QString& caption) {
        for (int row = 0; row < files.Model().rowCount(); ++row)
            if (files.Model().index(row).data(Qt::DisplayRole).toString() == caption)
                files.setCurrentIndex(files.Model().index(row));
    };
    FileListMenu& menu = w.listMenu();

    selectEntry(QStringLiteral("a"));
    menu.PopupMenuPopup();
    EXPECT_FALSE(menu.Items().AddToFavorites1->isVisible()) << "a is a favourite";
    const QList<QAction*> items = menu.Items().Favorites1->menu()->actions();
    ASSERT_EQ(items.size(), 3);
    EXPECT_EQ(items[1]->text(), QStringLiteral("b"));

    selectEntry(QStringLiteral("d"));
    menu.PopupMenuPopup();
    ASSERT_TRUE(menu.Items().AddToFavorites1->isVisible());
    menu.Items().AddToFavorites1->trigger();
    EXPECT_EQ(names(), QStringList({QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c"), QStringLiteral("d")}));
    EXPECT_FALSE(options().controls().ButtonAdd->isEnabled());

    // The submenu is made anew at each opening.
    menu.PopupMenuPopup();
    QAction* second = menu.Items().Favorites1->menu()->actions().value(1);
    ASSERT_NE(second, nullptr);
    second->trigger();
    EXPECT_EQ(shownFolder(), folder("b") + QStringLiteral("/"));
}
