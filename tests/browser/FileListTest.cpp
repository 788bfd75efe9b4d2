#include <algorithm>
#include <filesystem>

#include <QApplication>
#include <QClipboard>
#include <QScrollBar>

#include "BrowserFixture.h"
#include "browser/ProgressPanel.h"
#include "diagram/BoundedText.h"
#include "tests/photometry/HostileFiles.h"

namespace fs = std::filesystem;

namespace {

class FileListTest : public BrowserFixture {
protected:
    void OpenLamps() { Browser().NavigateToPath(Path(QStringLiteral("Lamps"))); }
    int Row(const QString& caption)
    {
        return static_cast<int>(ListCaptions().indexOf(caption));
    }
    void Key(QEvent::Type type, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QKeyEvent event(type, key, modifiers);
        QCoreApplication::sendEvent(Browser().List(), &event);
    }
};

}  // namespace

TEST_F(FileListTest, FolderChangeShowsTheFirstEntry)
{
    OpenLamps();
    // The folder change empties the diagram, and entry 0, the Floods folder
    // entry, draws nothing either; the hold is set.
    EXPECT_EQ(host_.blanks, 2);
    EXPECT_EQ(host_.filesShown, 0);
    EXPECT_TRUE(Browser().List()->ListChangeHold());
    EXPECT_EQ(Browser().List()->ShownItem().row(), 0);
    EXPECT_TRUE(Browser().CurrentFilePath().isEmpty());
}

// The thumbnail view freezes its items while it is prepared inside the
// folder change's own freeze of the list; both must end with the list painting.
TEST_F(FileListTest, FolderOpenedInThumbnailViewPaintsAgain)
{
    Browser().SetViewKind(FileListViewKind::Thumbnails);
    OpenLamps();
    EXPECT_TRUE(Browser().List()->updatesEnabled());
    EXPECT_TRUE(Browser().List()->viewport()->updatesEnabled());
    Browser().SetViewKind(FileListViewKind::List);
    EXPECT_TRUE(Browser().List()->viewport()->updatesEnabled());
}

TEST_F(FileListTest, ShowAndHoldSequence)
{
    OpenLamps();
    const int blanks = host_.blanks;
    Focus(1);  // another folder entry: held, nothing more happens
    EXPECT_EQ(host_.blanks, blanks);
    EXPECT_EQ(Browser().List()->ShownItem().row(), 0);
    Focus(Row(QStringLiteral("b.ies")));  // a file entry: shown and read on first use
    EXPECT_FALSE(Browser().List()->ListChangeHold());
    EXPECT_EQ(host_.filesShown, 1);
    EXPECT_EQ(host_.current.HorzCount, 3);
    EXPECT_TRUE(Browser().List()->Entries().Item(Row(QStringLiteral("b.ies"))).entry->Loaded);
    EXPECT_TRUE(host_.crosshair);
    EXPECT_EQ(host_.appTitle, QStringLiteral("b.ies"));
    EXPECT_EQ(Browser().CurrentFilePath(), QString::fromStdString(Home() + "/Lamps/b.ies"));
    EXPECT_EQ(host_.shown.Texts(), Browser().List()->Entries().Item(Row(QStringLiteral("b.ies"))).entry->Texts);
    EXPECT_EQ(host_.shown.FilePathBytes(), Home() + "/Lamps/b.ies");
    // Back to a folder entry: blanked, path emptied, held again.
    Focus(0);
    EXPECT_EQ(host_.blanks, blanks + 1);
    EXPECT_TRUE(Browser().CurrentFilePath().isEmpty());
    EXPECT_FALSE(host_.shown.HasFile());
    EXPECT_FALSE(host_.crosshair);
    EXPECT_EQ(host_.appTitle, QStringLiteral("Kandora"));
    EXPECT_TRUE(Browser().List()->ListChangeHold());
    Focus(1);
    EXPECT_EQ(host_.blanks, blanks + 1);
    Focus(Row(QStringLiteral("A.ies")));
    EXPECT_EQ(host_.filesShown, 2);
    EXPECT_EQ(host_.current.HorzCount, 1);
}

TEST_F(FileListTest, ReselectingTheShownEntryDoesNothing)
{
    OpenLamps();
    const QModelIndex file = Browser().List()->Model().index(Row(QStringLiteral("c.ies")));
    Focus(file.row());
    const int shown = host_.filesShown;
    Browser().FolderListViewChange(file);
    EXPECT_EQ(host_.filesShown, shown);
}

TEST_F(FileListTest, TitleShowsFolderAndFile)
{
    OpenLamps();
    EXPECT_EQ(host_.caption, QStringLiteral("Kandora v2.9    ") + QString::fromStdString(Home() + "/Lamps"));
    Focus(Row(QStringLiteral("A.ies")));
    EXPECT_EQ(host_.caption, QStringLiteral("Kandora v2.9    ") + QString::fromStdString(Home() + "/Lamps/A.ies"));
    Browser().SetTitleBarPath(false);
    EXPECT_EQ(host_.caption, QStringLiteral("Kandora v2.9    "));
}

TEST_F(FileListTest, AHeaderLineOfMegabytesIsShownBounded)
{
    for (const HostileFile& file : HostileFiles())
        if (file.name == "header-line-10MB.ies")
            tree_.Write("home/Lamps/" + file.name, file.bytes());
    Browser().SetKeepCaption(true);
    Browser().SetCaption(CaptionChoice::Test);
    OpenLamps();
    const QStringList captions = ListCaptions();
    const auto found = std::find_if(captions.begin(), captions.end(),
                                    [](const QString& c) { return c.startsWith(QStringLiteral("xxxx")); });
    ASSERT_NE(found, captions.end());
    const QModelIndex item = Browser().List()->Model().index(static_cast<int>(found - captions.begin()));
    const QString caption = item.data(Qt::DisplayRole).toString();
    EXPECT_TRUE(caption.size() == kShownTextLimit && caption.endsWith(QChar(0x2026)));
    EXPECT_EQ(item.data(Qt::ToolTipRole).toString().remove(QLatin1Char('\n')), caption);
    Focus(item.row());
    EXPECT_EQ(host_.shown.Texts().test.size(), std::size_t{10} << 20) << "the shown file keeps the whole text";
}

// Flat bars: no hidden arrows under the thumb or at the track's ends, and the
// range ends where the content does.
TEST(FlatScrollBars, ThumbDragsFromTheStartTrackPagesAndTheEndIsTheContentsEnd)
{
    TempTree tree;
    for (int i = 0; i < 150; ++i)
        tree.WriteIes("lamp-" + std::to_string(1000 + i) + ".ies", "M");
    FileListView list;
    list.resize(420, 160);
    std::vector<ReadFault> faults;
    list.ListFolder(tree.Folder(), CaptionChoice::FileName, false, faults);
    list.FitCaptionColumn(false);
    list.SetFlatScrollBars(true);
    list.show();
    QApplication::processEvents();
    QScrollBar* bar = list.horizontalScrollBar();
    ASSERT_TRUE(bar->isVisible());
    ASSERT_GT(bar->maximum(), 3);
    const int middle = bar->height() / 2;

    QTest::mousePress(bar, Qt::LeftButton, {}, QPoint(2, middle));
    QTest::mouseMove(bar, QPoint(bar->width() / 2, middle));
    QTest::mouseRelease(bar, Qt::LeftButton, {}, QPoint(bar->width() / 2, middle));
    EXPECT_GT(bar->value(), bar->maximum() / 3) << "the thumb at the start is dragged, not stepped";

    const int before = bar->value();
    QTest::mouseClick(bar, Qt::LeftButton, {}, QPoint(bar->width() - 2, middle));
    EXPECT_EQ(bar->value(), std::min(before + bar->pageStep(), bar->maximum())) << "the track's end pages";

    bar->setValue(bar->maximum());
    const QRect last = list.visualRect(list.Model().index(list.Model().rowCount() - 1));
    EXPECT_GT(last.right(), list.viewport()->width() - list.gridSize().width())
        << "at the end the last column stands at the right edge, not alone at the left";
}

TEST_F(FileListTest, CaptionsFollowTheChoiceAndSortOrder)
{
    OpenLamps();
    Browser().SetCaption(CaptionChoice::Manufacturer);
    EXPECT_EQ(ListCaptions().mid(2), (QStringList{QStringLiteral("Alpha"), QStringLiteral("Mid"), QStringLiteral("Zeta")}));
    Browser().SetCaption(CaptionChoice::Lamp);  // only A.ies names a lamp; B sorts before H
    EXPECT_EQ(ListCaptions().mid(2), (QStringList{QStringLiteral("b.ies"), QStringLiteral("c.ies"), QStringLiteral("Halogen")}));
    Browser().SetSort(false);
    Browser().SetCaption(CaptionChoice::FileName);
    EXPECT_EQ(ListCaptions().mid(2), (QStringList{QStringLiteral("b.ies"), QStringLiteral("c.ies"), QStringLiteral("A.ies")}))
        << "the order stays when sorting is off";
    Browser().SetSort(true);
    EXPECT_EQ(ListCaptions().mid(2), (QStringList{QStringLiteral("A.ies"), QStringLiteral("b.ies"), QStringLiteral("c.ies")}))
        << "turning sorting on sorts at once";
    EXPECT_EQ(ListCaptions().mid(0, 2), (QStringList{QStringLiteral("Floods"), QStringLiteral("Spots")}));
    // A folder change puts the caption back to the file name unless kept.
    Browser().SetCaption(CaptionChoice::Manufacturer);
    Browser().NavigateToPath(Path(QStringLiteral("Lamps/Spots")));
    EXPECT_EQ(Browser().Options().caption, CaptionChoice::FileName);
    EXPECT_EQ(host_.captionResets, 1);
    Browser().SetKeepCaption(true);
    Browser().SetCaption(CaptionChoice::Manufacturer);
    OpenLamps();
    EXPECT_EQ(Browser().Options().caption, CaptionChoice::Manufacturer);
    EXPECT_EQ(ListCaptions().mid(2), (QStringList{QStringLiteral("Alpha"), QStringLiteral("Mid"), QStringLiteral("Zeta")}));
}

TEST_F(FileListTest, CaptionChangeKeepsTheShownEntrySelected)
{
    OpenLamps();
    Focus(Row(QStringLiteral("c.ies")));
    Browser().SetCaption(CaptionChoice::Manufacturer);
    const int shownRow = Browser().List()->ShownItem().row();
    EXPECT_EQ(ListCaptions().at(shownRow), QStringLiteral("Mid")) << "the shown entry moved with its item";
    EXPECT_EQ(host_.filesShown, 1) << "a caption change shows nothing anew";
}

TEST_F(FileListTest, UpEntryOnlyBelowTheRootAndWithTheFoldersIcon)
{
    Browser().ToggleUpEntry(true);  // nothing shown yet: only the setting changes
    OpenLamps();
    EXPECT_EQ(ListCaptions().first(), QStringLiteral(".."));
    EXPECT_EQ(Browser().List()->FolderCount(), 3);
    Browser().ChangeUpEntryStyle(QStringLiteral("Up to"));
    EXPECT_EQ(ListCaptions().first(), QStringLiteral("Up to 'Lamps'"));
    Browser().ToggleUpEntry(false);
    EXPECT_EQ(ListCaptions().first(), QStringLiteral("Floods"));
    EXPECT_EQ(Browser().List()->FolderCount(), 2);
    Browser().ToggleUpEntry(false);
    EXPECT_EQ(Browser().List()->FolderCount(), 2) << "turning it off twice removes no subfolder";
    Browser().ToggleUpEntry(true);
    Browser().NavigateToPath(QStringLiteral("Desktop/"));
    EXPECT_EQ(ListCaptions(), (QStringList{QStringLiteral("home"), QStringLiteral("fs")})) << "the root has no parent";
}

TEST_F(FileListTest, ListTargetFolderForEachSelection)
{
    Browser().ToggleUpEntry(true);
    OpenLamps();
    FolderNode* lamps = Browser().Tree()->Selected();
    Browser().List()->clearSelection();
    EXPECT_EQ(Browser().ListTargetFolder(true), AsFolderNode(lamps->child(0)));
    EXPECT_EQ(Browser().ListTargetFolder(false), lamps);
    Browser().List()->selectionModel()->select(Browser().List()->Model().index(0), QItemSelectionModel::ClearAndSelect);
    EXPECT_EQ(Browser().ListTargetFolder(true), AsFolderNode(lamps->parent()));
    EXPECT_EQ(Browser().ListTargetFolder(false), lamps);
    Browser().List()->selectionModel()->select(Browser().List()->Model().index(2), QItemSelectionModel::ClearAndSelect);
    EXPECT_EQ(Browser().ListTargetFolder(true), AsFolderNode(lamps->child(1)));
    Browser().List()->selectionModel()->select(Browser().List()->Model().index(3), QItemSelectionModel::ClearAndSelect);
    EXPECT_EQ(Browser().ListTargetFolder(true), nullptr) << "a file entry stands for no folder";
}

TEST_F(FileListTest, DoubleClickOnFolderEntriesWalksDownAndUp)
{
    Browser().ToggleUpEntry(true);
    OpenLamps();
    Browser().List()->selectionModel()->select(Browser().List()->Model().index(2), QItemSelectionModel::ClearAndSelect);
    Browser().FolderListViewDblClick();
    EXPECT_EQ(Browser().SelectedDisplayPath(), Path(QStringLiteral("Lamps/Spots")));
    Browser().List()->selectionModel()->select(Browser().List()->Model().index(0), QItemSelectionModel::ClearAndSelect);
    Browser().FolderListViewDblClick();
    EXPECT_EQ(Browser().SelectedDisplayPath(), Path(QStringLiteral("Lamps")));
}

TEST_F(FileListTest, KeysCopyGoUpAndRefresh)
{
    OpenLamps();
    Focus(Row(QStringLiteral("A.ies")));
    QApplication::clipboard()->clear();
    Key(QEvent::KeyRelease, Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_NE(QApplication::clipboard()->text(), Browser().CurrentFilePath()) << "Ctrl+Shift+C does not copy";
    Key(QEvent::KeyRelease, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(), Browser().CurrentFilePath());
    // Ctrl let go before C, as fingers (and xdotool) often do: still the path, never the caption.
    QApplication::clipboard()->clear();
    Key(QEvent::KeyPress, Qt::Key_C, Qt::ControlModifier);
    EXPECT_NE(QApplication::clipboard()->text(), Browser().List()->currentIndex().data().toString()) << "the view's own copy ran";
    Key(QEvent::KeyRelease, Qt::Key_Control);
    Key(QEvent::KeyRelease, Qt::Key_C);
    EXPECT_EQ(QApplication::clipboard()->text(), Browser().CurrentFilePath());
    Key(QEvent::KeyRelease, Qt::Key_C);
    QApplication::clipboard()->clear();
    Key(QEvent::KeyRelease, Qt::Key_C);
    EXPECT_TRUE(QApplication::clipboard()->text().isEmpty()) << "a plain C after the copy copies nothing";
    Key(QEvent::KeyPress, Qt::Key_Backspace);
    EXPECT_EQ(Browser().SelectedDisplayPath(), QStringLiteral("Desktop/home/"));
    Key(QEvent::KeyPress, Qt::Key_Backspace);
    Key(QEvent::KeyPress, Qt::Key_Backspace);  // at the desktop: nothing happens
    EXPECT_EQ(Browser().SelectedDisplayPath(), QStringLiteral("Desktop/"));
    OpenLamps();
    tree_.MakeFolder("home/Lamps/New");
    Key(QEvent::KeyRelease, Qt::Key_F5);
    EXPECT_TRUE(ListCaptions().contains(QStringLiteral("New")));
    EXPECT_EQ(Browser().SelectedDisplayPath(), Path(QStringLiteral("Lamps")));
}

TEST_F(FileListTest, HeaderFaultOfTheSelectedFileIsShownAfterwards)
{
    tree_.Write("home/Lamps/bad.ies", "TILT=NONE\r\n1 x 1 1 1 1 1 0 0 0\r\n1 1 1\r\n0\r\n0\r\n5\r\n");
    OpenLamps();
    Focus(Row(QStringLiteral("bad.ies")));
    EXPECT_TRUE(host_.messages.empty()) << "no box inside the selection handler";
    ASSERT_EQ(Browser().Messages().Waiting().size(), 1u);
    DeliverQueuedMessages();
    ASSERT_EQ(host_.messages.size(), 1u);
    EXPECT_TRUE(host_.messages[0].startsWith(QStringLiteral("Line ")));
    EXPECT_EQ(host_.messageCaptions[0], QStringLiteral("Error!"));
    EXPECT_EQ(host_.messageDetails[0], QStringLiteral("bad.ies")) << "the box names the file";
    EXPECT_EQ(host_.filesShown, 1) << "the file is still drawn";
}

TEST_F(FileListTest, ListingFaultsMakeOneBoxNamingTheFirstFew)
{
    for (int i = 0; i < 7; ++i)
        ASSERT_EQ(::mkfifo((tree_.Root() / ("home/Lamps/pipe" + std::to_string(i) + ".ies")).c_str(), 0644), 0);
    Browser().SetKeepCaption(true);
    Browser().SetCaption(CaptionChoice::Manufacturer);
    OpenLamps();
    DeliverQueuedMessages();
    ASSERT_EQ(host_.messages.size(), 1u);
    EXPECT_TRUE(host_.messages[0].startsWith(QStringLiteral("Faults in 7 files:")));
    EXPECT_EQ(host_.messages[0].count(QLatin1Char('\n')), MessageQueue::kNamedFaults + 1);
    EXPECT_EQ(ListCaptions().size(), 2 + 3 + 7) << "the listing went on";
}

TEST_F(FileListTest, VanishedFileIsShownEmpty)
{
    OpenLamps();
    fs::remove(tree_.Root() / "home/Lamps/c.ies");
    Focus(Row(QStringLiteral("c.ies")));
    EXPECT_EQ(host_.filesShown, 1);
    EXPECT_EQ(host_.current.HorzCount, 0);
    EXPECT_FALSE(Browser().List()->Entries().Item(Row(QStringLiteral("c.ies"))).entry->Loaded);
    DeliverQueuedMessages();
    EXPECT_TRUE(host_.messages.empty());
}

TEST_F(FileListTest, SuspensionsNestAndTheHandlerComesBackOnce)
{
    FileListView* list = Browser().List();
    list->SuspendListChange();
    list->SuspendListChange();
    list->ResumeListChange();
    EXPECT_FALSE(list->ListChangeAttached());
    list->ResumeListChange();
    EXPECT_TRUE(list->ListChangeAttached());
    list->ResumeListChange();  // an extra resume does not go below zero
    list->SuspendListChange();
    EXPECT_FALSE(list->ListChangeAttached());
    list->ResumeListChange();
}

TEST_F(FileListTest, ProgressPanelFitsANarrowList)
{
    FileListView* list = Browser().List();
    list->resize(150, 300);
    list->Panel().ShowProgress(ProgressKind::Sorting, 10);
    EXPECT_EQ(list->Panel().width(), 110);
    EXPECT_EQ(list->Panel().x(), 20);
    EXPECT_EQ(list->Panel().LabelText(), QStringLiteral("Sorting data..."));
    list->Panel().ShowProgress(ProgressKind::LoadingQuiet, 10);
    EXPECT_TRUE(list->Panel().LabelText().isEmpty());
    EXPECT_EQ(list->Panel().CaptionText(), QStringLiteral("Loading the IES files..."));
    EXPECT_FALSE(list->Panel().GaugeShown());
    list->resize(400, 300);
    list->Panel().ShowProgress(ProgressKind::Clearing, 10);
    EXPECT_EQ(list->Panel().width(), ProgressPanel::kWidth);
    EXPECT_EQ(list->Panel().x(), (400 - ProgressPanel::kWidth) / 2);
    list->Panel().HideProgress();
    EXPECT_FALSE(list->Panel().isVisible());
}

TEST_F(FileListTest, FilesThisProgramWroteGetTheLinkOverlay)
{
    tree_.Write("home/Lamps/d_C.ies", "[MANUFAC] Conv\r\n[CHANGED] Orvanek\r\n" + IesText("", "", 1).substr(18));
    Browser().SetKeepCaption(true);
    Browser().SetCaption(CaptionChoice::Manufacturer);
    OpenLamps();
    auto& model = Browser().List()->Model();
    const auto icon = [&](const QString& caption) {
        return model.data(model.index(Row(caption)), Qt::DecorationRole).value<QIcon>().cacheKey();
    };
    EXPECT_EQ(icon(QStringLiteral("Alpha")), icon(QStringLiteral("Zeta")));
    EXPECT_NE(icon(QStringLiteral("Conv")), icon(QStringLiteral("Alpha")));
    EXPECT_NE(icon(QStringLiteral("Floods")), icon(QStringLiteral("Alpha"))) << "folders keep their own icon";
}

TEST_F(FileListTest, CaptionColumnFitsTheWidestCaption)
{
    tree_.WriteIes("home/Lamps/e.ies", "A manufacturer with a much longer name than the others");
    OpenLamps();
    FileListView* list = Browser().List();
    const QFontMetrics metrics(list->font());
    const int wwww = metrics.horizontalAdvance(QStringLiteral("WWWW"));
    EXPECT_EQ(list->gridSize().width(), wwww + metrics.horizontalAdvance(QStringLiteral("Floods")));
    Browser().SetCaption(CaptionChoice::Manufacturer);
    EXPECT_EQ(list->gridSize().width(),
              wwww + metrics.horizontalAdvance(QStringLiteral("A manufacturer with a much longer name than the others")));
}

TEST_F(FileListTest, RefreshShowsTheShownFileAgainWhileItIsThere)
{
    for (int i = 0; i < 60; ++i)  // the shown entry lies below the first screen
        tree_.WriteIes("home/Lamps/z" + std::to_string(100 + i) + ".ies", "Filler");
    OpenLamps();
    const int last = Row(QStringLiteral("z159.ies"));
    Focus(last);
    const QString path = Browser().CurrentFilePath();
    Key(QEvent::KeyRelease, Qt::Key_F5);
    FileListView* list = Browser().List();
    EXPECT_EQ(list->currentIndex().row(), last);
    EXPECT_EQ(Browser().CurrentFilePath(), path);
    EXPECT_TRUE(list->viewport()->rect().intersects(list->visualRect(list->currentIndex())));
    fs::remove(tree_.Root() / "home/Lamps/z159.ies");
    Key(QEvent::KeyRelease, Qt::Key_F5);
    EXPECT_TRUE(Browser().CurrentFilePath().isEmpty()) << "a vanished file is not shown";
}

// Passing through a faulty folder opens nothing; stopping on it shows its boxes once.
TEST_F(FileListTest, ListingFaultBoxOnlyForTheFolderTheTreeStoppedOn)
{
    ASSERT_EQ(::mkfifo((tree_.Root() / "home/Docs/pipe.ies").c_str(), 0644), 0);
    Browser().SetKeepCaption(true);
    Browser().SetCaption(CaptionChoice::Manufacturer);
    Browser().NavigateToPath(Path(QStringLiteral("Docs")));
    EXPECT_TRUE(Browser().Messages().BoxesHeld());
    Browser().NavigateToPath(Path(QStringLiteral("Lamps")));
    EXPECT_FALSE(Browser().Messages().BoxesHeld());
    Browser().NavigateToPath(Path(QStringLiteral("Docs")));
    DeliverQueuedMessages();
    ASSERT_EQ(host_.messages.size(), 2u) << "the listing's box and the focused entry's";
    EXPECT_TRUE(host_.messages[0].startsWith(QStringLiteral("Faults in 1 file:")));
    DeliverQueuedMessages();
    EXPECT_EQ(host_.messages.size(), 2u);
}
