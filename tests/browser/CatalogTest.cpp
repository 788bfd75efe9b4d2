#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

#include "TempTree.h"
#include "tests/photometry/ChildProcess.h"
#include "browser/Catalog.h"

namespace fs = std::filesystem;

namespace {

// Records what the catalog showed, to check the panel's kinds and cursor.
class RecordingFeedback : public CatalogFeedback {
public:
    void ShowProgress(ProgressKind kind, int maximum) override
    {
        kinds.push_back(kind);
        max = maximum;
        progress = 0;
    }
    void SetProgress(int value) override { progress = value; }
    [[nodiscard]] int Progress() const override { return progress; }
    void HideProgress() override { ++hides; }
    void BeginWait() override { ++waits; }
    void EndWait() override { --waits; ++waitsEnded; }

    std::vector<ProgressKind> kinds;
    int max = 0, progress = 0, hides = 0, waits = 0, waitsEnded = 0;
};

std::vector<std::string> Captions(const Catalog& catalog)
{
    std::vector<std::string> out;
    for (int i = 0; i < catalog.Count(); ++i)
        out.push_back(catalog.Item(i).caption);
    return out;
}

std::vector<std::string> SortedFileCaptions(const Catalog& catalog)
{
    std::vector<std::string> out = Captions(catalog);
    out.erase(out.begin(), out.begin() + catalog.FolderCount());
    std::sort(out.begin(), out.end());
    return out;
}

}  // namespace

struct CompareCase {
    const char* a;
    const char* b;
    int sign;
};

class CompareCaptionsTest : public ::testing::TestWithParam<CompareCase> {};

TEST_P(CompareCaptionsTest, OrdersByUpperCasedBytes)
{
    const CompareCase& c = GetParam();
    const int result = CompareCaptions(c.a, c.b);
    EXPECT_EQ((result > 0) - (result < 0), c.sign) << c.a << " vs " << c.b;
    const int reverse = CompareCaptions(c.b, c.a);
    EXPECT_EQ((reverse > 0) - (reverse < 0), -c.sign);
}

INSTANTIATE_TEST_SUITE_P(Table, CompareCaptionsTest, ::testing::Values(
    CompareCase{"A.ies", "a.ies", 0},
    CompareCase{"a.ies", "b.ies", -1},
    CompareCase{"B.ies", "a.ies", 1},
    CompareCase{"Z", "_", -1},          // underscore after every letter
    CompareCase{"z", "_", -1},
    CompareCase{"abc", "abcd", -1},     // a prefix sorts first
    CompareCase{"", "a", -1},
    CompareCase{"\xC3\xA9", "z", 1},    // bytes above 127 after ASCII, no locale rules
    CompareCase{"9", "A", -1}));

TEST(CatalogNames, UpEntryCaptionForEachStyle)
{
    EXPECT_EQ(UpEntryCaption("Up to", "Lamps"), "Up to 'Lamps'");
    EXPECT_EQ(UpEntryCaption("..", "Lamps"), ".. 'Lamps'");
    EXPECT_EQ(UpEntryCaption(".. only", "Lamps"), "..");
}

class CatalogTest : public ::testing::Test {
protected:
    CatalogTest()
    {
        tree_.WriteIes("b.ies", "Zeta");
        tree_.WriteIes("A.IES", "Alpha", "Halogen");
        tree_.WriteIes("a.ies", "");
        tree_.MakeFolder("folder.ies");
        tree_.Write("notes.txt", "not listed");
    }

    std::vector<ReadFault> List(CaptionChoice choice)
    {
        std::vector<ReadFault> faults;
        catalog_.ListFolder(tree_.Folder(), choice, feedback_, faults);
        return faults;
    }

    TempTree tree_;
    Catalog catalog_;
    RecordingFeedback feedback_;
};

TEST_F(CatalogTest, FileNameCaptionListsWithoutReading)
{
    EXPECT_TRUE(List(CaptionChoice::FileName).empty());
    EXPECT_EQ(SortedFileCaptions(catalog_), (std::vector<std::string>{"A.IES", "a.ies", "b.ies"}));
    for (int i = 0; i < catalog_.Count(); ++i)
        EXPECT_FALSE(catalog_.Item(i).entry->Loaded);
    EXPECT_TRUE(feedback_.kinds.empty()) << "no panel when nothing is read";
    EXPECT_EQ(feedback_.waits, 0);
    EXPECT_EQ(feedback_.waitsEnded, 1);
}

TEST_F(CatalogTest, KeywordCaptionReadsEveryFileAndFallsBackToTheName)
{
    EXPECT_TRUE(List(CaptionChoice::Manufacturer).empty());
    EXPECT_EQ(SortedFileCaptions(catalog_), (std::vector<std::string>{"Alpha", "Zeta", "a.ies"}));
    EXPECT_EQ(feedback_.kinds, (std::vector<ProgressKind>{ProgressKind::LoadingQuiet}));
    EXPECT_EQ(feedback_.hides, 1);
}

TEST_F(CatalogTest, SortKeepsFolderEntriesOnTopAndEqualCaptionsTogether)
{
    catalog_.AddFolderEntry("zz-sub", QIcon());
    catalog_.InsertUpEntry("Up to 'x'", QIcon());
    List(CaptionChoice::FileName);
    const std::vector<int> order = catalog_.SortCatalog(feedback_);
    const auto captions = Captions(catalog_);
    ASSERT_EQ(captions.size(), 5u);
    EXPECT_EQ(captions[0], "Up to 'x'");
    EXPECT_EQ(captions[1], "zz-sub");
    EXPECT_EQ(captions[4], "b.ies");
    EXPECT_EQ(order[0], 0);
    EXPECT_EQ(order[1], 1);
    EXPECT_EQ(feedback_.kinds.back(), ProgressKind::Sorting);
    EXPECT_EQ(feedback_.max, 3);
    EXPECT_GE(feedback_.progress, 2);
}

TEST_F(CatalogTest, BackToFileNameCaptionReadsNothing)
{
    List(CaptionChoice::FileName);
    std::vector<ReadFault> faults;
    catalog_.Recaption(CaptionChoice::Lamp, tree_.Folder(), feedback_, faults);
    const int alpha = catalog_.IndexOf(catalog_.Item(catalog_.FolderCount()).entry.get());
    EXPECT_EQ(alpha, catalog_.FolderCount());
    EXPECT_EQ(SortedFileCaptions(catalog_), (std::vector<std::string>{"Halogen", "a.ies", "b.ies"}));
    // Remove the files: going back to names must not need them.
    fs::remove(tree_.Root() / "b.ies");
    catalog_.Recaption(CaptionChoice::FileName, tree_.Folder(), feedback_, faults);
    EXPECT_EQ(SortedFileCaptions(catalog_), (std::vector<std::string>{"A.IES", "a.ies", "b.ies"}));
    EXPECT_TRUE(faults.empty());
}

TEST_F(CatalogTest, ProbesAskForThePanelOnlyWhileUnread)
{
    List(CaptionChoice::FileName);
    EXPECT_FALSE(catalog_.ProbesUnread(CaptionChoice::FileName));
    EXPECT_TRUE(catalog_.ProbesUnread(CaptionChoice::Test));
    std::vector<ReadFault> faults;
    catalog_.Recaption(CaptionChoice::Test, tree_.Folder(), feedback_, faults);
    EXPECT_FALSE(catalog_.ProbesUnread(CaptionChoice::Lamp));
}

TEST_F(CatalogTest, UnreadableFileIsReportedAndTheListingGoesOn)
{
    tree_.WriteIes("locked.ies", "Hidden");
    ::chmod((tree_.Root() / "locked.ies").c_str(), 0);
    // Permission bits do not stop root, so the listing runs as "nobody".
    const std::string seen = RunInChild([this] {
        if (!DropRootPrivileges())
            return std::string("could not drop privileges");
        const auto faults = List(CaptionChoice::Manufacturer);
        std::string out;
        for (const ReadFault& fault : faults)
            out += fault.fileName + (fault.headerFault ? " header;" : " unread;");
        for (const std::string& caption : SortedFileCaptions(catalog_))
            out += " " + caption;
        return out;
    });
    EXPECT_EQ(seen, "locked.ies unread; Alpha Zeta a.ies locked.ies");
}

TEST_F(CatalogTest, HeaderFaultIsCollectedAndTheEntryCountsAsRead)
{
    tree_.Write("bad.ies", "[MANUFAC] Broken\r\nTILT=NONE\r\n1 x 1 1 1 1 1 0 0 0\r\n1 1 1\r\n0\r\n0\r\n5\r\n");
    const auto faults = List(CaptionChoice::Manufacturer);
    ASSERT_EQ(faults.size(), 1u);
    EXPECT_TRUE(faults[0].headerFault);
    EXPECT_EQ(faults[0].message.rfind("Line ", 0), 0u);
}

TEST_F(CatalogTest, DanglingLinksLoopsAndFifosNeverStopTheListing)
{
    fs::create_symlink(tree_.Root() / "gone.ies", tree_.Root() / "dangling.ies");
    fs::create_symlink(tree_.Root() / "loop.ies", tree_.Root() / "loop.ies");
    ASSERT_EQ(::mkfifo((tree_.Root() / "pipe.ies").c_str(), 0644), 0);
    const auto faults = List(CaptionChoice::Manufacturer);
    EXPECT_EQ(SortedFileCaptions(catalog_), (std::vector<std::string>{"Alpha", "Zeta", "a.ies", "pipe.ies"}));
    ASSERT_EQ(faults.size(), 1u) << "the FIFO is refused, not waited on";
    EXPECT_EQ(faults[0].fileName, "pipe.ies");
}

TEST_F(CatalogTest, EmptyFolderListsNothingAndShowsNoWaitCursor)
{
    TempTree empty;
    std::vector<ReadFault> faults;
    EXPECT_EQ(catalog_.ListFolder(empty.Folder(), CaptionChoice::Manufacturer, feedback_, faults), "");
    EXPECT_EQ(catalog_.Count(), 0);
    EXPECT_EQ(feedback_.waitsEnded, 0);
    EXPECT_EQ(catalog_.ListFolder(empty.Folder() + "missing/", CaptionChoice::FileName, feedback_, faults), "");
}

TEST_F(CatalogTest, UpEntryIsInsertedAndRemovedOnlyOnce)
{
    catalog_.AddFolderEntry("Sub", QIcon());
    catalog_.InsertUpEntry("Up to 'x'", QIcon());
    catalog_.InsertUpEntry("Up to 'x'", QIcon());
    EXPECT_EQ(catalog_.FolderCount(), 2);
    catalog_.SetUpEntryCaption("..");
    EXPECT_EQ(catalog_.Item(0).caption, "..");
    catalog_.RemoveUpEntry();
    catalog_.RemoveUpEntry();
    EXPECT_EQ(catalog_.FolderCount(), 1);
    EXPECT_EQ(catalog_.Item(0).caption, "Sub") << "a subfolder entry is never taken for the up entry";
}

TEST_F(CatalogTest, ClearEmptiesEverythingWithTheClearingPanel)
{
    catalog_.AddFolderEntry("Sub", QIcon());
    List(CaptionChoice::FileName);
    catalog_.ClearCatalog(feedback_);
    EXPECT_EQ(catalog_.Count(), 0);
    EXPECT_EQ(catalog_.FolderCount(), 0);
    EXPECT_FALSE(catalog_.HasUpEntry());
    EXPECT_EQ(feedback_.kinds.back(), ProgressKind::Clearing);
}
