#include <QApplication>
#include <QClipboard>
#include <QMimeData>
#include <QUrl>

#include "BrowserFixture.h"
#include "RecordingDesktop.h"
#include "browser/FileListMenu.h"

namespace {

class FakeMenuHost : public ListMenuHost {
public:
    [[nodiscard]] bool OptionsPanelVisible() const override { return panelVisible; }
    void ShowOptionsPanelClick() override { ++panelClicks; }
    void ShowCompareWindow() override { ++compareShown; }
    void ChooseCaption(CaptionChoice choice) override { captions.push_back(choice); }
    void SetSortChecked(bool on) override { sorts.push_back(on); }
    void ChooseView(FileListViewKind kind) override { views.push_back(kind); }
    void ExportDatasheets(const std::vector<std::string>& paths) override { exported.push_back(paths); }

    bool panelVisible = false;
    int panelClicks = 0, compareShown = 0;
    std::vector<CaptionChoice> captions;
    std::vector<bool> sorts;
    std::vector<FileListViewKind> views;
    std::vector<std::vector<std::string>> exported;
};

class FakeFavorites : public FavoritesSource {
public:
    struct Favorite {
        QString name, path;
    };
    [[nodiscard]] int FavoriteCount() const override { return static_cast<int>(list.size()); }
    [[nodiscard]] QString FavoriteName(int index) const override { return list[static_cast<std::size_t>(index)].name; }
    [[nodiscard]] QString FavoritePath(int index) const override { return list[static_cast<std::size_t>(index)].path; }
    [[nodiscard]] bool IsFavorite(const QString& path) const override
    {
        for (const Favorite& favorite : list) {
            if (favorite.path == path)
                return true;
        }
        return false;
    }
    void AddFavorite(const QString& path) override { added << path; }
    void OpenFavorite(int index) override { opened.push_back(index); }

    std::vector<Favorite> list;
    QStringList added;
    std::vector<int> opened;
};

const char* const kTypeB =
    "IESNA:LM-63-2002\r\nTILT=NONE\r\n1 1000 1 3 2 2 2 0 0 0\r\n1 1 36\r\n-90 0 90\r\n90 180\r\n1 2 3\r\n4 5 6\r\n";
const char* const kFrom90 =
    "IESNA:LM-63-2002\r\nTILT=NONE\r\n1 1000 1 3 2 1 2 0 0 0\r\n1 1 36\r\n0 45 90\r\n90 180\r\n1 2 3\r\n4 5 6\r\n";

class ContextMenuTest : public BrowserFixture {
protected:
    ContextMenuTest()
    {
        tree_.Write("home/Lamps/typeb.ies", kTypeB);
        tree_.Write("home/Lamps/from90.ies", kFrom90);
    }
    FileListMenu& Menu()
    {
        if (!menu_) {
            Browser().SetDesktop(desktop_);
            menu_ = std::make_unique<FileListMenu>(Browser(), menuHost_);
        }
        return *menu_;
    }
    void OpenLamps() { Browser().NavigateToPath(Path(QStringLiteral("Lamps"))); }
    int Row(const QString& caption) { return static_cast<int>(ListCaptions().indexOf(caption)); }
    // Right-click selection: these rows only, the focus on the first.
    void SelectRows(std::initializer_list<int> rows)
    {
        FileListView* list = Browser().List();
        list->selectionModel()->clearSelection();
        for (const int row : rows)
            list->selectionModel()->select(list->Model().index(row), QItemSelectionModel::Select);
    }
    bool Visible(QAction* ListMenuItems::*item) { return (Menu().Items().*item)->isVisible(); }
    QString Text(QAction* ListMenuItems::*item) { return (Menu().Items().*item)->text(); }
    QStringList ArrangeCaptions()
    {
        QStringList out;
        for (const QAction* item : Menu().Items().arrange)
            out << item->text();
        return out;
    }
    static QStringList StandardCaptions()
    {
        return {QStringLiteral("File name"), QStringLiteral("Test"), QStringLiteral("Manufacturer"),
                QStringLiteral("Luminaire"), QStringLiteral("Luminaire catalog"), QStringLiteral("Lamp"),
                QStringLiteral("Lamp catalog")};
    }
    QByteArray Url(const std::string& belowHome) { return FileUrl(Home() + "/" + belowHome); }

    RecordingDesktop desktop_;
    FakeMenuHost menuHost_;
    std::unique_ptr<FileListMenu> menu_;
};

}  // namespace

TEST_F(ContextMenuTest, ItemsInOrderWithTheirCaptions)
{
    QStringList captions;
    for (const QAction* item : Menu().Menu()->actions())
        captions << (item->isSeparator() ? QStringLiteral("-") : item->objectName() + QLatin1Char('=') + item->text());
    EXPECT_EQ(captions.join(QLatin1Char('|')),
              QStringLiteral("Open1=Open|OpenNotepad1=Open with Notepad|Openfolder1=Open folder|Explore1=Explore|"
                             "AddToFavorites1=Add to favorites|-|Favorites1=Favorites|-|View1=View|-|"
                             "Arrangeby1=Arrange by|Refresh=Refresh             F5|-|SaveAsTypeC=Save as type C|"
                             "SaveAsEulumdat=Save as EULUMDAT|SaveAsIes=Save as IES|ExportDatasheet=Export datasheet…|"
                             "CopytoClipboard=Copy Filename  Ctrl-C|-|ShowOptionsPanel=Show Options Panel|"
                             "ShowCompareWindow1=Show Compare Window"));
}

TEST_F(ContextMenuTest, OneFileShowsItsOwnTextsAndTwoFilesTheStandardOnes)
{
    OpenLamps();
    SelectRows({Row(QStringLiteral("A.ies"))});
    Menu().PopupMenuPopup();
    // The single entry got the focus, which showed it.
    EXPECT_TRUE(Browser().CurrentFilePath().endsWith(QStringLiteral("/A.ies")));
    EXPECT_TRUE(Visible(&ListMenuItems::Open1));
    EXPECT_TRUE(Visible(&ListMenuItems::OpenNotepad1));
    EXPECT_TRUE(Visible(&ListMenuItems::CopytoClipboard));
    EXPECT_FALSE(Visible(&ListMenuItems::Openfolder1));
    EXPECT_FALSE(Visible(&ListMenuItems::Explore1));
    EXPECT_FALSE(Visible(&ListMenuItems::AddToFavorites1));
    EXPECT_FALSE(Visible(&ListMenuItems::SaveAsTypeC));  // type C from 0
    // Empty slots give the file name.
    EXPECT_EQ(ArrangeCaptions(), (QStringList{QStringLiteral("A.ies"), QStringLiteral("T1"), QStringLiteral("Alpha"),
                                              QStringLiteral("A.ies"), QStringLiteral("A.ies"),
                                              QStringLiteral("Halogen"), QStringLiteral("A.ies")}));

    SelectRows({Row(QStringLiteral("A.ies")), Row(QStringLiteral("typeb.ies"))});
    Menu().PopupMenuPopup();
    EXPECT_FALSE(Visible(&ListMenuItems::Open1));
    EXPECT_FALSE(Visible(&ListMenuItems::OpenNotepad1));
    EXPECT_FALSE(Visible(&ListMenuItems::CopytoClipboard));
    EXPECT_FALSE(Visible(&ListMenuItems::SaveAsTypeC));
    EXPECT_FALSE(Visible(&ListMenuItems::SaveAsEulumdat));
    EXPECT_FALSE(Visible(&ListMenuItems::Openfolder1));
    EXPECT_EQ(ArrangeCaptions(), StandardCaptions());

    // No entry selected: the folder items act on the shown folder.
    SelectRows({});
    Menu().PopupMenuPopup();
    EXPECT_FALSE(Visible(&ListMenuItems::Open1));
    EXPECT_FALSE(Visible(&ListMenuItems::SaveAsTypeC));
    EXPECT_TRUE(Visible(&ListMenuItems::Openfolder1));
    EXPECT_TRUE(Visible(&ListMenuItems::Explore1));
    EXPECT_EQ(ArrangeCaptions(), StandardCaptions());
    Menu().Items().Openfolder1->trigger();
    ASSERT_EQ(desktop_.opened.size(), 1U);
    EXPECT_EQ(desktop_.opened[0], Url("Lamps/"));
}

TEST_F(ContextMenuTest, ConversionItemFollowsTheShownRecord)
{
    OpenLamps();
    struct Case {
        const char* file;
        bool visible;
        const char* caption;
    };
    // A type B file converts whatever its angles, even from 90.
    for (const Case& c : {Case{"typeb.ies", true, "Save as type C"}, Case{"from90.ies", true, "Rotate to zero"},
                          Case{"c.ies", false, nullptr}}) {
        SelectRows({Row(QString::fromLatin1(c.file))});
        Menu().PopupMenuPopup();
        EXPECT_EQ(Visible(&ListMenuItems::SaveAsTypeC), c.visible) << c.file;
        if (c.visible) {
            EXPECT_EQ(Text(&ListMenuItems::SaveAsTypeC), QString::fromLatin1(c.caption)) << c.file;
        }
    }
    // The item runs the rotation on the shown file.
    SelectRows({Row(QStringLiteral("from90.ies"))});
    Menu().PopupMenuPopup();
    Menu().Items().SaveAsTypeC->trigger();
    EXPECT_TRUE(ListCaptions().contains(QStringLiteral("from90_R.ies")));
    ASSERT_FALSE(host_.messageCaptions.empty());
    EXPECT_EQ(host_.messageCaptions.back(), QStringLiteral("Rotate from 90 to 0"));

    // Each format offers the other, and the item writes it.
    SelectRows({Row(QStringLiteral("c.ies"))});
    Menu().PopupMenuPopup();
    EXPECT_TRUE(Visible(&ListMenuItems::SaveAsEulumdat));
    EXPECT_FALSE(Visible(&ListMenuItems::SaveAsIes));
    Menu().Items().SaveAsEulumdat->trigger();
    ASSERT_TRUE(ListCaptions().contains(QStringLiteral("c.ldt")));
    SelectRows({Row(QStringLiteral("c.ldt"))});
    Menu().PopupMenuPopup();
    EXPECT_FALSE(Visible(&ListMenuItems::SaveAsEulumdat));
    EXPECT_TRUE(Visible(&ListMenuItems::SaveAsIes));
}

// The selected files in the list's order, folders left out; with no file
// selected there is nothing to export.
TEST_F(ContextMenuTest, ExportDatasheetHandsTheSelectedFilesToTheHost)
{
    OpenLamps();
    SelectRows({Row(QStringLiteral("typeb.ies")), Row(QStringLiteral("Spots")), Row(QStringLiteral("A.ies"))});
    Menu().PopupMenuPopup();
    ASSERT_TRUE(Visible(&ListMenuItems::ExportDatasheet));
    Menu().Items().ExportDatasheet->trigger();
    ASSERT_EQ(menuHost_.exported.size(), 1U);
    const std::string folder = Browser().ShownFolderPath();
    EXPECT_EQ(menuHost_.exported[0], (std::vector<std::string>{folder + "A.ies", folder + "typeb.ies"}));

    SelectRows({Row(QStringLiteral("Spots"))});
    Menu().PopupMenuPopup();
    EXPECT_FALSE(Visible(&ListMenuItems::ExportDatasheet));
}

TEST_F(ContextMenuTest, FavouritesSubmenuAndAddingOne)
{
    OpenLamps();
    SelectRows({Row(QStringLiteral("Spots"))});
    Menu().PopupMenuPopup();
    QMenu* favorites = Menu().Items().Favorites1->menu();
    ASSERT_EQ(favorites->actions().size(), 1);
    EXPECT_EQ(favorites->actions()[0]->text(), QStringLiteral("None"));
    EXPECT_FALSE(favorites->actions()[0]->isEnabled());
    EXPECT_FALSE(Visible(&ListMenuItems::AddToFavorites1)) << "nothing to add to without favourites";

    FakeFavorites source;
    const QString spots = QString::fromStdString(Home() + "/Lamps/Spots");
    source.list = {{QStringLiteral("Home"), QString::fromStdString(Home())}, {QStringLiteral("Spots"), spots}};
    Menu().SetFavorites(&source);
    Menu().PopupMenuPopup();
    ASSERT_EQ(favorites->actions().size(), 2);
    EXPECT_EQ(favorites->actions()[1]->text(), QStringLiteral("Spots"));
    QString hint;
    QObject::connect(&Menu(), &FileListMenu::HintChanged, [&hint](const QString& text) { hint = text; });
    favorites->actions()[1]->hover();
    EXPECT_EQ(hint, QStringLiteral("?") + spots);
    favorites->actions()[1]->trigger();
    EXPECT_EQ(source.opened, std::vector<int>{1});
    // Spots is a favourite already; Floods is not.
    EXPECT_FALSE(Visible(&ListMenuItems::AddToFavorites1));
    SelectRows({Row(QStringLiteral("Floods"))});
    Menu().PopupMenuPopup();
    ASSERT_TRUE(Visible(&ListMenuItems::AddToFavorites1));
    Menu().Items().AddToFavorites1->trigger();
    EXPECT_EQ(source.added, QStringList{QString::fromStdString(Home() + "/Lamps/Floods")});
    // Two folder entries: nothing to add.
    SelectRows({Row(QStringLiteral("Floods")), Row(QStringLiteral("Spots"))});
    Menu().PopupMenuPopup();
    EXPECT_FALSE(Visible(&ListMenuItems::AddToFavorites1));
}

TEST_F(ContextMenuTest, FolderItemsOnTheUpEntryFolderEntriesAndTheShownFile)
{
    Browser().ToggleUpEntry(true);
    OpenLamps();
    ASSERT_TRUE(Browser().List()->Entries().HasUpEntry());
    SelectRows({0});
    Menu().PopupMenuPopup();
    EXPECT_TRUE(Visible(&ListMenuItems::Openfolder1));
    EXPECT_TRUE(Visible(&ListMenuItems::Explore1));
    EXPECT_FALSE(Menu().Items().ShowCompareWindow1->isEnabled()) << "no file shown, nothing to compare";
    // The up entry stands for the shown folder, not its parent.
    Menu().Items().Openfolder1->trigger();
    Menu().Items().Explore1->trigger();
    ASSERT_EQ(desktop_.opened.size(), 1U);
    EXPECT_EQ(desktop_.opened[0], Url("Lamps/"));
    ASSERT_EQ(desktop_.calls.size(), 1U);
    EXPECT_EQ(desktop_.calls[0].method, QStringLiteral("ShowFolders"));
    EXPECT_EQ(desktop_.calls[0].urls, QList<QByteArray>{Url("Lamps/")});

    // A subfolder's entry; no file manager on the bus: the folder opens instead.
    desktop_.fileManagerAnswers = false;
    SelectRows({Row(QStringLiteral("Spots"))});
    Menu().PopupMenuPopup();
    Menu().Items().Explore1->trigger();
    EXPECT_EQ(desktop_.calls.back().urls, QList<QByteArray>{Url("Lamps/Spots/")});
    EXPECT_EQ(desktop_.opened.back(), Url("Lamps/Spots/"));

    // A shown file: its folder, with the file selected.
    desktop_.fileManagerAnswers = true;
    SelectRows({Row(QStringLiteral("c.ies"))});
    Menu().PopupMenuPopup();
    EXPECT_TRUE(Menu().Items().ShowCompareWindow1->isEnabled());
    Browser().Explore1Click();
    EXPECT_EQ(desktop_.calls.back().method, QStringLiteral("ShowItems"));
    EXPECT_EQ(desktop_.calls.back().urls, QList<QByteArray>{Url("Lamps/c.ies")});
    Menu().Items().Open1->trigger();
    EXPECT_EQ(desktop_.opened.back(), Url("Lamps/c.ies"));
}

TEST_F(ContextMenuTest, HandlersReachTheHostAndTheDefaultItemFollowsTheDoubleClick)
{
    OpenLamps();
    SelectRows({Row(QStringLiteral("c.ies"))});
    Menu().PopupMenuPopup();
    EXPECT_EQ(Text(&ListMenuItems::ShowOptionsPanel), QStringLiteral("Show Options Panel"));
    EXPECT_EQ(Menu().Menu()->defaultAction(), nullptr);  // "Double click" off
    menuHost_.panelVisible = true;
    Browser().SetDoubleClick(true);
    Browser().SetDoubleClickAction(DoubleClickChoice::OpenWithTextEditor);
    Menu().PopupMenuPopup();
    EXPECT_EQ(Text(&ListMenuItems::ShowOptionsPanel), QStringLiteral("Hide Options Panel"));
    EXPECT_EQ(Menu().Menu()->defaultAction(), Menu().Items().OpenNotepad1);
    EXPECT_TRUE(Menu().Items().Sort1->isChecked());

    Menu().Items().arrange[CaptionNumber(CaptionChoice::Manufacturer)]->trigger();
    Menu().Items().Sort1->trigger();
    Menu().Items().Icons1->trigger();
    Menu().Items().ShowOptionsPanel->trigger();
    Menu().Items().ShowCompareWindow1->trigger();
    EXPECT_EQ(menuHost_.captions, std::vector<CaptionChoice>{CaptionChoice::Manufacturer});
    EXPECT_TRUE(Menu().Items().arrange[CaptionNumber(CaptionChoice::Manufacturer)]->isChecked());
    EXPECT_EQ(menuHost_.sorts, std::vector<bool>{false});
    EXPECT_EQ(menuHost_.views, std::vector<FileListViewKind>{FileListViewKind::Icons});
    EXPECT_EQ(menuHost_.panelClicks, 1);
    EXPECT_EQ(menuHost_.compareShown, 1);

    tree_.MakeFolder("home/Lamps/Fresh");
    Menu().Items().Refresh->trigger();
    EXPECT_TRUE(ListCaptions().contains(QStringLiteral("Fresh")));
}

TEST_F(ContextMenuTest, MenuKeyShiftF10AndRightButtonOpenIt)
{
    OpenLamps();
    Menu();
    Focus(Row(QStringLiteral("b.ies")));
    QKeyEvent menuKey(QEvent::KeyRelease, Qt::Key_Menu, Qt::NoModifier);
    QCoreApplication::sendEvent(Browser().List(), &menuKey);
    EXPECT_TRUE(Menu().Menu()->isVisible());
    EXPECT_TRUE(Visible(&ListMenuItems::Open1));
    Menu().Menu()->hide();
    QKeyEvent shiftF10(QEvent::KeyRelease, Qt::Key_F10, Qt::ShiftModifier);
    QCoreApplication::sendEvent(Browser().List(), &shiftF10);
    EXPECT_TRUE(Menu().Menu()->isVisible());
    Menu().Menu()->hide();
    const QRect item = Browser().List()->visualRect(Browser().List()->Model().index(Row(QStringLiteral("Spots"))));
    QTest::mouseClick(Browser().List()->viewport(), Qt::RightButton, Qt::NoModifier, item.center());
    EXPECT_TRUE(Menu().Menu()->isVisible());
    EXPECT_TRUE(Visible(&ListMenuItems::Openfolder1));
    EXPECT_FALSE(Visible(&ListMenuItems::Open1));
    Menu().Menu()->hide();
}

TEST_F(ContextMenuTest, CopyWithoutAFileLeavesAnEmptyText)
{
    OpenLamps();
    QApplication::clipboard()->setText(QStringLiteral("stale"));
    Browser().CopytoClipboardClick();
    EXPECT_EQ(QApplication::clipboard()->text(), QString());
    SelectRows({Row(QStringLiteral("b.ies"))});
    Menu().PopupMenuPopup();
    Menu().Items().CopytoClipboard->trigger();
    EXPECT_EQ(QApplication::clipboard()->text(), QString::fromStdString(Home() + "/Lamps/b.ies"));
}

TEST_F(ContextMenuTest, DragOffersTheSelectedFilesInListOrder)
{
    OpenLamps();
    const QStringList captions = ListCaptions();
    // Whatever order they were selected in.
    SelectRows({Row(QStringLiteral("c.ies")), Row(QStringLiteral("A.ies")), Row(QStringLiteral("b.ies"))});
    std::vector<QList<QUrl>> dragged;
    QString text;
    Browser().SetDragRunner([&](QMimeData* data, QWidget*) {
        dragged.push_back(data->urls());
        text = data->text();
        delete data;
    });
    Browser().StartFileDrag();
    ASSERT_EQ(dragged.size(), 1U);
    const std::string lamps = Home() + "/Lamps/";
    EXPECT_EQ(dragged[0], (QList<QUrl>{QUrl::fromLocalFile(QString::fromStdString(lamps + "A.ies")),
                                       QUrl::fromLocalFile(QString::fromStdString(lamps + "b.ies")),
                                       QUrl::fromLocalFile(QString::fromStdString(lamps + "c.ies"))}));
    EXPECT_EQ(text, QString::fromStdString(lamps + "A.ies\n" + lamps + "b.ies\n" + lamps + "c.ies"));
    EXPECT_TRUE(host_.messages.empty());
    // Only folder entries: nothing to drag.
    SelectRows({Row(QStringLiteral("Spots"))});
    EXPECT_EQ(Browser().FileDragData(), nullptr);
}
