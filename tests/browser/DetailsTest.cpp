#include <gtest/gtest.h>

#include <atomic>

#include <QCoreApplication>
#include <QPersistentModelIndex>
#include <QTest>

#include <QLabel>

#include "TempTree.h"
#include "browser/BackgroundReader.h"
#include "browser/CatalogModel.h"
#include "browser/FileListView.h"
#include "browser/ListFilterBar.h"
#include "browser/DetailColumns.h"
#include "photometry/EntryLoader.h"

namespace {

// A small valid file whose flux is `multiplier` times that of IesText's, at
// 10 W. The multiplier is whole, so its text needs no decimal mark, which
// std::to_string would take from the locale the test runs in.
std::string ScaledIes(const std::string& manufacturer, int multiplier)
{
    std::string text = IesText(manufacturer, "LED", 1);
    const std::string from = "1 1000 1 3 ";
    text.replace(text.find(from), from.size(), "1 1000 " + std::to_string(multiplier) + " 3 ");
    return text;
}

std::vector<std::string> Names(const Catalog& catalog)
{
    std::vector<std::string> names;
    for (int i = catalog.FolderCount(); i < catalog.Count(); ++i)
        names.push_back(catalog.Item(i).entry->Texts.fileName);
    return names;
}

// Waits until every entry handed to the background is back.
bool WaitForFill(CatalogModel& model)
{
    return QTest::qWaitFor([&model] { return model.PendingCount() == 0; }, 20000);
}

PhotometricSummary WithFlux(std::optional<double> flux)
{
    PhotometricSummary summary;
    summary.flux_lm = flux;
    return summary;
}

struct SortCase {
    DetailColumn column;
    bool descending;
    std::vector<std::string> expected;
};

class ColumnSortTest : public ::testing::TestWithParam<SortCase> {};

// Empty cells stay last whichever the direction; numbers compare as numbers
// (1000 after 200), texts as captions do; equal cells keep caption order.
TEST_P(ColumnSortTest, EmptyCellsLastInBothDirections)
{
    Catalog catalog;
    const std::vector<std::pair<std::string, std::optional<double>>> rows = {
        {"a", 200}, {"b", std::nullopt}, {"c", 50}, {"d", 1000}, {"e", std::nullopt}, {"f", 200}};
    for (const auto& [name, flux] : rows) {
        TiesData entry = UnreadEntry(name + ".ies");
        entry.Texts.manufacturer = flux ? (*flux > 100 ? "Zeta" : "alpha") : "";
        catalog.AddFileEntry(std::move(entry), CaptionChoice::FileName);
        if (name != "e")
            catalog.Item(catalog.Count() - 1).summary = WithFlux(flux);  // "e" was never read
    }
    SilentFeedback silent;
    (void)catalog.SortByColumn(GetParam().column, GetParam().descending, silent);
    EXPECT_EQ(Names(catalog), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Columns, ColumnSortTest,
    ::testing::Values(SortCase{DetailColumn::Flux, false, {"c.ies", "a.ies", "f.ies", "d.ies", "b.ies", "e.ies"}},
                      SortCase{DetailColumn::Flux, true, {"d.ies", "a.ies", "f.ies", "c.ies", "b.ies", "e.ies"}},
                      SortCase{DetailColumn::Manufacturer, false, {"c.ies", "a.ies", "d.ies", "f.ies", "b.ies", "e.ies"}},
                      SortCase{DetailColumn::Manufacturer, true, {"a.ies", "d.ies", "f.ies", "c.ies", "b.ies", "e.ies"}}));

// A sort while the filter hides entries: the shown rows' old places come back
// right (the model moves focus and selection by them), and the hidden
// entries take their sorted places when the filter lets them back.
TEST(CatalogFilterTest, SortWhileFilteredReturnsShownPlacesAndSortsTheHiddenToo)
{
    Catalog catalog;
    catalog.AddFolderEntry("sub", QIcon());
    const std::vector<std::pair<std::string, double>> files = {{"k-5.ies", 5}, {"x-1.ies", 1}, {"k-3.ies", 3},
                                                               {"x-4.ies", 4}, {"k-2.ies", 2}, {"x-0.ies", 0.5}};
    for (const auto& [name, flux] : files) {
        catalog.AddFileEntry(UnreadEntry(name), CaptionChoice::FileName);
        catalog.Item(catalog.Count() - 1).summary = WithFlux(flux);
    }
    (void)catalog.SetFilter(ParseFilter("k-"));
    const std::vector<std::string> before = Names(catalog);
    SilentFeedback silent;
    const std::vector<int> oldOfNew = catalog.SortByColumn(DetailColumn::Flux, false, silent);
    EXPECT_EQ(Names(catalog), (std::vector<std::string>{"k-2.ies", "k-3.ies", "k-5.ies"}));
    ASSERT_EQ(oldOfNew.size(), static_cast<std::size_t>(catalog.Count()));
    EXPECT_EQ(oldOfNew[0], 0) << "the folder entry stays";
    for (int row = catalog.FolderCount(); row < catalog.Count(); ++row)
        EXPECT_EQ(before[static_cast<std::size_t>(oldOfNew[static_cast<std::size_t>(row)] - 1)],
                  catalog.Item(row).entry->Texts.fileName);
    (void)catalog.SetFilter(ParseFilter(""));
    EXPECT_EQ(Names(catalog),
              (std::vector<std::string>{"x-0.ies", "x-1.ies", "k-2.ies", "k-3.ies", "x-4.ies", "k-5.ies"}));
}

// The reader itself: a key queued twice is read once; a cancel drops what was
// queued and what was under way.
TEST(BackgroundReaderTest, ReadsAKeyOnceAndCancelDropsEverything)
{
    TempTree tree;
    tree.Write("a.ies", ScaledIes("A", 1));
    std::atomic<int> wakes{0};
    BackgroundReader reader([&wakes] { ++wakes; }, 2);
    const int key = 0;
    (void)reader.Start(tree.Folder());
    reader.Enqueue({BackgroundJob{&key, "a.ies", PhotometricFormat::Ies}}, false);
    reader.Enqueue({BackgroundJob{&key, "a.ies", PhotometricFormat::Ies}}, true);
    ASSERT_TRUE(QTest::qWaitFor([&reader] { return reader.Idle(); }, 10000));
    const std::vector<BackgroundResult> results = reader.TakeResults();
    ASSERT_EQ(results.size(), 1U);
    EXPECT_TRUE(results[0].loaded);
    EXPECT_EQ(results[0].texts.manufacturer, "A");
    EXPECT_TRUE(results[0].summary.has_value());
    EXPECT_EQ(wakes.load(), 1);

    std::vector<BackgroundJob> many;
    std::vector<int> keys(500);
    for (int& k : keys)
        many.push_back(BackgroundJob{&k, "a.ies", PhotometricFormat::Ies});
    const std::uint64_t generation = reader.Generation();
    reader.Enqueue(std::move(many), false);
    reader.Cancel();
    EXPECT_NE(reader.Generation(), generation);
    ASSERT_TRUE(QTest::qWaitFor([&reader] { return reader.Idle(); }, 10000));
    EXPECT_TRUE(reader.TakeResults().empty());
}

TEST(DetailsLayoutTest, TextRoundTripAndDefaultsForWhatIsMissing)
{
    DetailsLayout layout = DefaultDetailsLayout();
    std::rotate(layout.order.begin(), layout.order.begin() + 3, layout.order.end());
    layout.widths[static_cast<std::size_t>(DetailColumn::Imax)] = 90;
    layout.hidden[static_cast<std::size_t>(DetailColumn::CieCode)] = true;
    layout.sortColumn = DetailColumn::BeamC90;
    EXPECT_EQ(DetailsLayoutFromText(DetailsLayoutToText(layout)), layout);
    EXPECT_EQ(DetailsLayoutFromText({}), DefaultDetailsLayout()) << "nothing stored: the designed columns";

    const DetailsLayout odd = DetailsLayoutFromText({"flux,flux,caption", "5,7,99999", "caption,watts", "", "1"});
    EXPECT_EQ(odd.order.front(), DetailColumn::Flux) << "a column listed twice counts once";
    EXPECT_EQ(odd.widths[static_cast<std::size_t>(DetailColumn::Flux)], 16);
    EXPECT_EQ(odd.widths[static_cast<std::size_t>(DetailColumn::Caption)], 2000);
    EXPECT_FALSE(odd.hidden[static_cast<std::size_t>(DetailColumn::Caption)]) << "the name column is never hidden";
    EXPECT_TRUE(odd.hidden[static_cast<std::size_t>(DetailColumn::Watts)]);
}

// The filter over the catalog: which entries remain, the counts beside the
// box, and entries it cannot decide yet (not read) hidden until they are.
TEST(CatalogFilterTest, KeepsMatchesCountsAndHidesUndecided)
{
    Catalog catalog;
    catalog.AddFolderEntry("sub", QIcon());
    const std::vector<std::pair<std::string, double>> files = {
        {"downlight-a.ies", 1800}, {"downlight-b.ies", 900}, {"flood.ies", 2000}, {"downlight-c.ies", 0}};
    for (const auto& [name, flux] : files) {
        catalog.AddFileEntry(UnreadEntry(name), CaptionChoice::FileName);
        if (flux > 0)
            catalog.Item(catalog.Count() - 1).summary = WithFlux(flux);
    }
    EXPECT_TRUE(catalog.SetFilter(ParseFilter("DOWNLIGHT flux>=1500")));
    EXPECT_EQ(Names(catalog), std::vector<std::string>{"downlight-a.ies"});
    EXPECT_EQ(catalog.FolderCount(), 1) << "folder entries are never filtered";
    EXPECT_EQ(catalog.FileCount(), 1);
    EXPECT_EQ(catalog.TotalFileCount(), 4);

    // "downlight-c" is unread: undecided, hidden, until its summary comes.
    CatalogItem& unread = catalog.AnyItem(4);
    EXPECT_TRUE(catalog.Undecided(unread));
    unread.summary = WithFlux(1600);
    EXPECT_TRUE(catalog.Refilter());
    EXPECT_EQ(Names(catalog), (std::vector<std::string>{"downlight-a.ies", "downlight-c.ies"}));

    EXPECT_TRUE(catalog.SetFilter(ParseFilter("")));
    EXPECT_EQ(catalog.FileCount(), 4) << "an empty filter shows everything again, in order";
    EXPECT_EQ(Names(catalog).back(), "downlight-c.ies");
}

class BackgroundFillTest : public ::testing::Test {
protected:
    TempTree tree;
    CatalogModel model;
    SilentFeedback silent;
    std::vector<ReadFault> faults;
};

// The background read and the foreground read give the same cells for every
// sample (one path against the other), and a file that does not read gets the mark.
TEST_F(BackgroundFillTest, SameCellsAsAForegroundReadAndFaultMark)
{
    const std::string samples = std::string(KANDORA_SOURCE_DIR) + "/samples/";
    (void)model.ListFolder(samples, CaptionChoice::FileName, silent, faults);
    ASSERT_GT(model.catalog().FileCount(), 10);
    model.FillInBackground(samples, {3, 4});
    ASSERT_TRUE(WaitForFill(model));
    for (int row = 0; row < model.catalog().Count(); ++row) {
        const CatalogItem& item = model.catalog().Item(row);
        TiesData entry = UnreadEntry(item.entry->Texts.fileName);
        ASSERT_EQ(LoadEntry(entry, samples).kind, LoadResult::Kind::Loaded) << entry.Texts.fileName;
        const PhotometricSummary summary = SummarizePhotometry(entry.Ies);
        EXPECT_FALSE(item.entry->Loaded) << "the background keeps no record";
        EXPECT_EQ(item.entry->Texts, entry.Texts);
        for (const DetailColumnInfo& info : DetailColumns())
            EXPECT_EQ(model.DetailCell(row, info.column).toStdString(),
                      DetailText(info.column, item.caption, entry.Texts, &summary))
                << entry.Texts.fileName << " " << info.key;
    }

    // list --where's path: the same summaries, and no record kept.
    Catalog examined;
    (void)examined.ListFolder(samples, CaptionChoice::FileName, silent, faults);
    EXPECT_TRUE(ExamineEntries(examined, samples, 2).empty());
    for (int row = examined.FolderCount(); row < examined.Count(); ++row) {
        const CatalogItem& item = examined.Item(row);
        const int inModel = model.catalog().FindFileEntry(item.entry->Texts.fileName);
        ASSERT_GE(inModel, 0);
        EXPECT_FALSE(item.entry->Loaded);
        for (const DetailColumnInfo& info : DetailColumns())
            EXPECT_EQ(DetailText(info.column, item.caption, item.entry->Texts, &*item.summary),
                      model.DetailCell(inModel, info.column).toStdString())
                << item.entry->Texts.fileName << " " << info.key;
    }

    // Counts no file can hold: refused.
    tree.Write("broken.ies", "IESNA:LM-63-2002\r\nTILT=NONE\r\n1 1000 1 60000 60000 1 2 0 0 0\r\n1 1 10\r\n");
    tree.Write("good.ies", ScaledIes("M", 1));
    (void)model.ListFolder(tree.Folder(), CaptionChoice::FileName, silent, faults);
    model.FillInBackground(tree.Folder(), {});
    ASSERT_TRUE(WaitForFill(model));
    const int broken = model.catalog().FindFileEntry("broken.ies");
    const int good = model.catalog().FindFileEntry("good.ies");
    EXPECT_TRUE(model.ReadFailed(broken));
    EXPECT_FALSE(model.ReadFailed(good));
    EXPECT_TRUE(model.DetailCell(broken, DetailColumn::Flux).isEmpty());
    EXPECT_FALSE(model.DetailCell(good, DetailColumn::Flux).isEmpty());
}

// A folder change cancels the work: nothing read for the old folder lands on
// the new folder's entries of the same names.
TEST_F(BackgroundFillTest, FolderChangeDropsTheOldFoldersResults)
{
    tree.MakeFolder("old");
    tree.MakeFolder("new");
    for (int i = 0; i < 400; ++i) {
        const std::string name = "f" + std::to_string(i) + ".ies";
        tree.Write("old/" + name, ScaledIes("Old", 1));
        tree.Write("new/" + name, ScaledIes("New", 3));
    }
    const std::string oldFolder = tree.Folder() + "old/";
    const std::string newFolder = tree.Folder() + "new/";
    (void)model.ListFolder(oldFolder, CaptionChoice::FileName, silent, faults);
    model.FillInBackground(oldFolder, {});
    (void)model.ListFolder(newFolder, CaptionChoice::FileName, silent, faults);
    // Long enough for work under way to finish and post its results.
    QTest::qWait(300);
    model.TakeBackgroundResults();
    for (int row = 0; row < model.catalog().Count(); ++row)
        ASSERT_FALSE(model.catalog().Item(row).summary.has_value()) << row;

    model.FillInBackground(newFolder, {});
    ASSERT_TRUE(WaitForFill(model));
    const QString flux = model.DetailCell(0, DetailColumn::Flux);
    for (int row = 0; row < model.catalog().Count(); ++row) {
        ASSERT_EQ(model.catalog().Item(row).entry->Texts.manufacturer, "New");
        ASSERT_EQ(model.DetailCell(row, DetailColumn::Flux), flux);
    }
}

// The focused entry stays focused when it still matches and is let go when
// it does not; values arriving in the background bring undecided entries in.
TEST_F(BackgroundFillTest, FilterKeepsTheFocusedEntryWhileItMatches)
{
    for (int i = 1; i <= 6; ++i)
        tree.Write("e" + std::to_string(i) + ".ies", ScaledIes("M", i));
    (void)model.ListFolder(tree.Folder(), CaptionChoice::FileName, silent, faults);
    model.SortItems(silent);
    model.SetFilter(ParseFilter("lm/w>0"));
    EXPECT_EQ(model.rowCount(), 0) << "nothing is decided before it is read";
    model.FillInBackground(tree.Folder(), {});
    ASSERT_TRUE(WaitForFill(model));
    ASSERT_EQ(model.rowCount(), 6);
    const QPersistentModelIndex focused(model.index(4));
    ASSERT_EQ(model.catalog().Item(focused.row()).entry->Texts.fileName, "e5.ies");

    const double e4 = model.catalog().Item(3).summary->efficacy_lm_per_w.value();
    model.SetFilter(ParseFilter("lm/w>" + std::to_string(e4 + 0.5)));
    EXPECT_EQ(model.rowCount(), 2);
    ASSERT_TRUE(focused.isValid());
    EXPECT_EQ(focused.row(), 0);
    model.SetFilter(ParseFilter("lm/w<" + std::to_string(e4 + 0.5)));
    EXPECT_FALSE(focused.isValid());
}

// The box: "N of M" beside it, a term it cannot read marked on its own
// characters (after a non-ASCII word) while the rest still filters, Escape empties it.
TEST(ListFilterBarTest, CountsMarksTheBadTermAndEscapeClears)
{
    TempTree tree;
    for (const char* name : {"downlight-1.ies", "downlight-2.ies", "flood.ies"})
        tree.Write(name, ScaledIes("M", 1));
    QWidget window;
    FileListView list(&window);
    ListFilterBar bar(list, &window);
    std::vector<ReadFault> faults;
    list.ListFolder(tree.Folder(), CaptionChoice::FileName, true, faults);
    EXPECT_EQ(bar.Count().text(), QStringLiteral("3 of 3"));

    bar.Edit().setText(QStringLiteral("\u00e9t\u00e9 flx>3 downlight"));
    ASSERT_EQ(bar.MarkedRanges().size(), 1);
    EXPECT_EQ(bar.MarkedRanges()[0], std::make_pair(4, 5)) << "characters, not bytes";
    bar.Edit().setText(QStringLiteral("flx>3 downlight"));
    EXPECT_EQ(bar.Count().text(), QStringLiteral("2 of 3"));

    QTest::keyClick(&bar.Edit(), Qt::Key_Escape);
    EXPECT_TRUE(bar.Edit().text().isEmpty());
    EXPECT_EQ(bar.Count().text(), QStringLiteral("3 of 3"));
}

}  // namespace
