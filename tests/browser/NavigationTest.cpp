#include <filesystem>

#include "BrowserFixture.h"

namespace fs = std::filesystem;

namespace {

class NavigationTest : public BrowserFixture {};

FolderNode* Child(FolderNode* node, const QString& text)
{
    for (int i = 0; node && i < node->childCount(); ++i) {
        if (node->child(i)->text(0) == text)
            return AsFolderNode(node->child(i));
    }
    return nullptr;
}

}  // namespace

TEST_F(NavigationTest, BuildShowsHomeThenFileSystemWithPlaceholders)
{
    FolderNode* root = Browser().Tree()->Root();
    ASSERT_NE(root, nullptr);
    EXPECT_EQ(root->text(0), QStringLiteral("Desktop"));
    ASSERT_EQ(root->childCount(), 2);
    EXPECT_EQ(root->child(0)->text(0), QStringLiteral("home"));
    EXPECT_EQ(root->child(1)->text(0), QStringLiteral("fs"));
    // home has subfolders: one placeholder; the empty fs root gets none.
    ASSERT_EQ(root->child(0)->childCount(), 1);
    EXPECT_EQ(root->child(0)->child(0)->text(0), QStringLiteral("Dummy"));
    EXPECT_EQ(root->child(1)->childCount(), 0);
    EXPECT_TRUE(root->isExpanded());
}

TEST_F(NavigationTest, WalkSelectsTheFolderAndListsIt)
{
    Browser().NavigateToPath(Path(QStringLiteral("Lamps")));
    EXPECT_EQ(SelectedText(), QStringLiteral("Lamps"));
    EXPECT_EQ(Browser().Tree()->ShownFolderNode(), Browser().Tree()->Selected());
    // Subfolders in name order, then the files sorted by name.
    EXPECT_EQ(ListCaptions(), (QStringList{QStringLiteral("Floods"), QStringLiteral("Spots"), QStringLiteral("A.ies"),
                                           QStringLiteral("b.ies"), QStringLiteral("c.ies")}));
    EXPECT_EQ(Browser().SelectedDisplayPath(), Path(QStringLiteral("Lamps")));
}

TEST_F(NavigationTest, BothPathFormsSelectTheSameFolder)
{
    const IdList spots({Home(), "Lamps", "Spots"});
    const QString idForm = Browser().Navigator().IdDisplayPath(spots);
    EXPECT_EQ(idForm, QStringLiteral("Desktop/home/Lamps/Spots//"));
    Browser().NavigateToPath(idForm);
    EXPECT_EQ(Browser().SelectedDisplayPath(), Path(QStringLiteral("Lamps/Spots")));
    Browser().NavigateToPath(QStringLiteral("Desktop/"));
    Browser().NavigateToPath(Path(QStringLiteral("Lamps/Spots")));
    EXPECT_EQ(Browser().SelectedDisplayPath(), Path(QStringLiteral("Lamps/Spots")));
    EXPECT_EQ(Browser().Navigator().ParsingToDisplayPath(Home() + "/Lamps/Spots"), idForm);
    EXPECT_EQ(Browser().Navigator().ParsingToDisplayPath(Home() + "/Gone"), QString());
}

struct WalkCase {
    const char* path;
    const char* selected;
};

class WalkTest : public BrowserFixture, public ::testing::WithParamInterface<WalkCase> {};

TEST_P(WalkTest, StopsAtTheDeepestFolderThatMatchesExactly)
{
    Browser().NavigateToPath(QString::fromUtf8(GetParam().path));
    EXPECT_EQ(Browser().SelectedDisplayPath(), QString::fromUtf8(GetParam().selected));
}

INSTANTIATE_TEST_SUITE_P(Table, WalkTest, ::testing::Values(
    WalkCase{"", "Desktop/"},
    WalkCase{"Desktop/", "Desktop/"},
    WalkCase{"Anything/home/", "Desktop/home/"},                        // the root's name is not compared
    WalkCase{"Desktop/home/lamps/Spots/", "Desktop/home/"},              // letter case matters
    WalkCase{"Desktop/home/Lamps/Gone/Deeper/", "Desktop/home/Lamps/"},  // vanished folders
    WalkCase{"Desktop/home/Lamps/Spots/Narrow/", "Desktop/home/Lamps/Spots/Narrow/"},
    WalkCase{"Desktop/home/Lamps/Spots/Narrow", "Desktop/home/Lamps/Spots/"},  // an unterminated last name
    WalkCase{"Desktop/home/Dummy/", "Desktop/home/"}));                  // placeholders are not folders

TEST_F(NavigationTest, SiblingsWithTheSameDisplayNameWalkToTheFirst)
{
    // The Latin-1 byte and the UTF-8 pair both display as e acute.
    tree_.MakeFolder("home/Caf\xE9/one");
    tree_.MakeFolder("home/Caf\xC3\xA9/two");
    Browser().NavigateToPath(Path(QStringLiteral("Caf\u00e9")));
    FolderNode* selected = Browser().Tree()->Selected();
    ASSERT_NE(selected, nullptr);
    EXPECT_EQ(selected->text(0), QStringLiteral("Caf\u00e9"));
    int sameName = 0;
    for (int i = 0; i < selected->parent()->childCount(); ++i)
        sameName += selected->parent()->child(i)->text(0) == selected->text(0) ? 1 : 0;
    EXPECT_EQ(sameName, 2);
    EXPECT_EQ(selected->parent()->indexOfChild(selected), selected->parent()->indexOfChild(
        Child(AsFolderNode(selected->parent()), QStringLiteral("Caf\u00e9"))));
}

TEST_F(NavigationTest, RefreshRestoresExpandedSelectionAndTop)
{
    Browser().NavigateToPath(Path(QStringLiteral("Lamps/Spots/Narrow")));
    FolderNode* docs = Child(Child(Browser().Tree()->Root(), QStringLiteral("home")), QStringLiteral("Docs"));
    Browser().Tree()->SetExpanded(docs, true);
    const QStringList before = Browser().Navigator().RecordTreeState();
    Browser().ButtonRefreshClick();
    EXPECT_EQ(Browser().Navigator().RecordTreeState(), before);
    EXPECT_EQ(Browser().SelectedDisplayPath(), Path(QStringLiteral("Lamps/Spots/Narrow")));
    EXPECT_FALSE(Browser().Tree()->TreeUpdating());
    EXPECT_TRUE(Browser().Tree()->isEnabled());
}

TEST_F(NavigationTest, ReExpansionWorksWhateverTheOrderOfNames)
{
    Browser().NavigateToPath(Path(QStringLiteral("Lamps/Spots/Narrow")));
    Browser().Tree()->SetExpanded(Browser().Tree()->Selected(), true);
    QStringList names = Browser().Navigator().RecordTreeState();
    ASSERT_GE(names.size(), 5);
    // Deepest first: every pass can only find the shallowest remaining name.
    std::reverse(names.begin(), names.end() - 2);
    Browser().UpdateTreeView();
    Browser().Navigator().RestoreTreeState(names);
    std::reverse(names.begin(), names.end() - 2);
    EXPECT_EQ(Browser().Navigator().RecordTreeState(), names);
}

TEST_F(NavigationTest, VanishedFoldersFallBackToNodeZero)
{
    Browser().NavigateToPath(Path(QStringLiteral("Lamps/Spots/Narrow")));
    fs::remove_all(tree_.Root() / "home/Lamps");
    Browser().ButtonRefreshClick();
    EXPECT_EQ(Browser().SelectedDisplayPath(), QStringLiteral("Desktop/"));
    EXPECT_EQ(Browser().Navigator().Find(QString::fromStdString(Home() + "/Lamps")), -1);
}

TEST_F(NavigationTest, RootNeverCollapsesAndUpdatingBlocksExpansion)
{
    FolderTree* tree = Browser().Tree();
    tree->SetExpanded(tree->Root(), false);
    EXPECT_TRUE(tree->Root()->isExpanded());
    FolderNode* home = Child(tree->Root(), QStringLiteral("home"));
    // Scrolling its placeholder to the top, as a refresh does, opens no folder.
    tree->ScrollToTop(AsFolderNode(home->child(0)));
    EXPECT_FALSE(home->isExpanded());
    EXPECT_EQ(home->child(0)->text(0), QStringLiteral("Dummy")) << "not filled while updating";
    EXPECT_FALSE(tree->TreeUpdating());
    tree->SetExpanded(home, true);
    EXPECT_TRUE(home->isExpanded());
    EXPECT_EQ(home->child(0)->text(0), QStringLiteral("Docs"));
    // A folder without subfolders gets no expand button.
    FolderNode* docs = Child(home, QStringLiteral("Docs"));
    EXPECT_EQ(docs->childCount(), 0);
}

TEST_F(NavigationTest, FolderLinkLoopsExpandOneLevelAtATime)
{
    fs::create_directory_symlink(tree_.Root() / "home/Lamps", tree_.Root() / "home/Lamps/Floods/back");
    QString path = Path(QStringLiteral("Lamps"));
    for (int i = 0; i < 6; ++i)
        path += QStringLiteral("Floods/back/");
    Browser().NavigateToPath(path);
    EXPECT_EQ(Browser().SelectedDisplayPath(), path);
    EXPECT_EQ(ListCaptions().size(), 5) << "the loop's target lists like the folder itself";
}

TEST_F(NavigationTest, ArrowKeyHeldMovesWithoutFillingAndReleaseOpens)
{
    Browser().NavigateToPath(Path(QStringLiteral("Lamps")));
    FolderTree* tree = Browser().Tree();
    FolderNode* lamps = tree->Selected();
    QKeyEvent press(QEvent::KeyPress, Qt::Key_Down, Qt::NoModifier);
    QCoreApplication::sendEvent(tree, &press);
    EXPECT_FALSE(tree->SelectionTracking());
    FolderNode* floods = Child(lamps, QStringLiteral("Floods"));
    tree->setCurrentItem(floods);
    QTest::qWait(2 * FolderTree::kChangeDelayMs);
    EXPECT_EQ(tree->ShownFolderNode(), lamps) << "held arrow keys open no folder";
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_Down, Qt::NoModifier);
    QCoreApplication::sendEvent(tree, &release);
    EXPECT_TRUE(tree->SelectionTracking());
    EXPECT_EQ(tree->ShownFolderNode(), floods);
}

TEST_F(NavigationTest, UserSelectionOpensAfterTheDelay)
{
    Browser().NavigateToPath(Path(QStringLiteral("Lamps")));
    FolderTree* tree = Browser().Tree();
    FolderNode* spots = Child(tree->Selected(), QStringLiteral("Spots"));
    tree->setCurrentItem(spots);
    EXPECT_NE(tree->ShownFolderNode(), spots);
    QTest::qWait(4 * FolderTree::kChangeDelayMs);
    EXPECT_EQ(tree->ShownFolderNode(), spots);
    EXPECT_EQ(ListCaptions(), (QStringList{QStringLiteral("Narrow"), QStringLiteral("s.ies")}));
}

TEST_F(NavigationTest, FolderThatVanishedAfterTheBuildOpensEmpty)
{
    Browser().NavigateToPath(Path(QStringLiteral("Lamps")));
    FolderNode* spots = Child(Browser().Tree()->Selected(), QStringLiteral("Spots"));
    fs::remove_all(tree_.Root() / "home/Lamps/Spots");
    Browser().Tree()->SelectNode(spots);
    EXPECT_EQ(Browser().Tree()->ShownFolderNode(), spots);
    EXPECT_TRUE(ListCaptions().isEmpty());
    Browser().Tree()->SetExpanded(spots, true);
    Browser().ButtonRefreshClick();
    EXPECT_EQ(Browser().SelectedDisplayPath(), QStringLiteral("Desktop/"));
}

TEST_F(NavigationTest, ArrowKeyReleasedElsewhereDoesNotStopFolderOpening)
{
    Browser().NavigateToPath(Path(QStringLiteral("Lamps")));
    FolderTree* tree = Browser().Tree();
    FolderNode* floods = Child(tree->Selected(), QStringLiteral("Floods"));
    QKeyEvent press(QEvent::KeyPress, Qt::Key_Down, Qt::NoModifier);
    QCoreApplication::sendEvent(tree, &press);
    tree->setCurrentItem(floods);
    EXPECT_NE(tree->ShownFolderNode(), floods);
    QFocusEvent focusOut(QEvent::FocusOut, Qt::ActiveWindowFocusReason);
    QCoreApplication::sendEvent(tree, &focusOut);
    EXPECT_TRUE(tree->SelectionTracking());
    EXPECT_EQ(tree->ShownFolderNode(), floods);
}

TEST_F(NavigationTest, AutoExpandClosesOnlyTheBranchLeftBehind)
{
    FolderTree* tree = Browser().Tree();
    tree->SetAutoExpand(true);
    Browser().NavigateToPath(Path(QStringLiteral("Lamps/Spots")));
    FolderNode* spots = tree->Selected();
    FolderNode* lamps = AsFolderNode(spots->parent());
    FolderNode* docs = Child(AsFolderNode(lamps->parent()), QStringLiteral("Docs"));
    tree->SelectNode(Child(lamps, QStringLiteral("Floods")));
    EXPECT_TRUE(lamps->isExpanded()) << "the shared part of the branch stays open";
    EXPECT_FALSE(spots->isExpanded());
    tree->SelectNode(docs);
    EXPECT_FALSE(lamps->isExpanded());
    // A refresh restores what was open, whatever the option.
    tree->SetExpanded(lamps, true);
    tree->SetExpanded(Child(lamps, QStringLiteral("Spots")), true);
    const QStringList before = Browser().Navigator().RecordTreeState();
    Browser().ButtonRefreshClick();
    EXPECT_EQ(Browser().Navigator().RecordTreeState(), before);
}

TEST_F(NavigationTest, RowsAreAsHighAsTheChosenIcons)
{
    FolderTree* tree = Browser().Tree();
    Browser().NavigateToPath(Path(QStringLiteral("Lamps")));
    for (const bool large : {true, false, true}) {
        tree->SetLargeIcons(large);
        QCoreApplication::processEvents();  // the view lays its rows out again when it gets to it
        const int side = tree->iconSize().height();
        for (const FolderNode* node : {tree->Root(), tree->Selected()})
            EXPECT_GE(tree->visualItemRect(node).height(), side) << (large ? "large" : "small");
    }
}

// The selected folder stays in sight: when the tree shrinks (the window
// settling at start) and when large icons make every row higher.
TEST_F(NavigationTest, TheSelectedFolderStaysInViewThroughResizesAndLargeIcons)
{
    for (int i = 0; i < 40; ++i)
        tree_.MakeFolder("home/Many/f" + std::to_string(10 + i));
    FolderTree* tree = Browser().Tree();
    widgets_.show();
    tree->resize(300, 500);
    Browser().NavigateToPath(Path(QStringLiteral("Many/f49")));
    auto inView = [tree] { return tree->viewport()->rect().contains(tree->visualItemRect(tree->Selected())); };
    ASSERT_TRUE(inView());
    tree->resize(300, 150);
    QCoreApplication::processEvents();
    EXPECT_TRUE(inView()) << "after the tree shrank";
    tree->SetLargeIcons(true);
    QCoreApplication::processEvents();
    EXPECT_TRUE(inView()) << "after large icons";
}
