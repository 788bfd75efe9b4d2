#include <filesystem>

#include "BrowserFixture.h"
#include "photometry/EntryLoader.h"

namespace fs = std::filesystem;

namespace {

// Type B with vertical angles below 0: converts to "_C".
const char* const kTypeB =
    "IESNA:LM-63-2002\r\n[TEST] TB1\r\nTILT=NONE\r\n1 1000 1 3 2 2 2 0.5 0.6 0\r\n1 1 36\r\n"
    "-90 0 90\r\n0 90\r\n10 20 30\r\n40 50 60\r\n";
// Type C whose planes start at 90: rotates to "_R".
const char* const kFrom90 =
    "IESNA:LM-63-2002\r\n[TEST] T90\r\nTILT=NONE\r\n1 1000 1 3 3 1 2 0.5 0.6 0\r\n1 1 36\r\n"
    "0 45 90\r\n90 180 270\r\n100 80 0\r\n110 70 0\r\n100 80 0\r\n";
// Type B whose horizontal angles do not follow its vertical ones from 0.
const char* const kGridsDiffer =
    "IESNA:LM-63-2002\r\n[TEST] G\r\nTILT=NONE\r\n1 1000 1 3 2 2 2 0.5 0.6 0\r\n1 1 36\r\n"
    "-90 0 90\r\n0 45\r\n10 20 30\r\n40 50 60\r\n";

class SaveConvertedTest : public BrowserFixture {
protected:
    SaveConvertedTest()
    {
        tree_.Write("home/Lamps/tb.ies", kTypeB);
        tree_.Write("home/Lamps/r90.ies", kFrom90);
        tree_.Write("home/Lamps/grid.ies", kGridsDiffer);
    }
    void Select(const QString& caption)
    {
        Browser().NavigateToPath(Path(QStringLiteral("Lamps")));
        Focus(static_cast<int>(ListCaptions().indexOf(caption)));
        ASSERT_EQ(Browser().CurrentFilePath().section(QLatin1Char('/'), -1), caption);
    }
    std::string Lamps() const { return Home() + "/Lamps/"; }
};

}  // namespace

TEST_F(SaveConvertedTest, ConversionListsTheFileOnceAndSaysSo)
{
    Select(QStringLiteral("tb.ies"));
    Browser().SaveAsTypeC();
    ASSERT_EQ(host_.messages.size(), 1U);
    EXPECT_EQ(host_.messageCaptions[0], QStringLiteral("Save type B as C"));
    EXPECT_EQ(host_.messages[0],
              QStringLiteral("Some data can be lost.\rFile tb.ies (type B) successfully converted to tb_C.ies (type C)"));
    EXPECT_TRUE(fs::exists(Lamps() + "tb_C.ies"));
    // Sorted in, after its source, with the overlay flag of a file we wrote.
    const QStringList first = ListCaptions();
    EXPECT_EQ(first.indexOf(QStringLiteral("tb_C.ies")), first.indexOf(QStringLiteral("tb.ies")) + 1);
    const Catalog& entries = Browser().List()->Entries();
    EXPECT_TRUE(entries.Item(static_cast<int>(first.indexOf(QStringLiteral("tb_C.ies")))).entry->Changed);

    // Converting again replaces the file and its entry: still one of them.
    Select(QStringLiteral("tb.ies"));
    const auto count = ListCaptions().size();
    Browser().SaveAsTypeC();
    EXPECT_EQ(ListCaptions().size(), count);
    EXPECT_EQ(ListCaptions().count(QStringLiteral("tb_C.ies")), 1);
    EXPECT_EQ(host_.messages.size(), 2U);
}

TEST_F(SaveConvertedTest, RotationWithKeywordCaptionsReadsTheNewEntry)
{
    Browser().SetSort(false);
    Select(QStringLiteral("r90.ies"));
    Browser().SetCaption(CaptionChoice::Test);
    // The caption change keeps the focus on the file; the selection is that entry.
    Focus(static_cast<int>(ListCaptions().indexOf(QStringLiteral("T90"))));
    Browser().SaveAsTypeC();
    ASSERT_EQ(host_.messages.size(), 1U);
    EXPECT_EQ(host_.messageCaptions[0], QStringLiteral("Rotate from 90 to 0"));
    EXPECT_EQ(host_.messages[0], QStringLiteral("File r90.ies successfully rotated and saved to r90_R.ies"));
    // The entry was read for its caption: the test value the keyword lines carried over,
    // and it is sorted in although "Sort" is off.
    const QStringList captions = ListCaptions();
    EXPECT_EQ(captions.count(QStringLiteral("T90")), 2);
    const int row = static_cast<int>(captions.lastIndexOf(QStringLiteral("T90")));
    const TiesData& entry = *Browser().List()->Entries().Item(row).entry;
    EXPECT_TRUE(entry.Loaded);
    EXPECT_TRUE(entry.Changed);
    EXPECT_EQ(entry.Ies.HorzAngles[0], 0.0);
}

TEST_F(SaveConvertedTest, RefusalsAndFailedWritesLeaveTheListAlone)
{
    Select(QStringLiteral("grid.ies"));
    const QStringList before = ListCaptions();
    Browser().SaveAsTypeC();
    ASSERT_EQ(host_.messages.size(), 1U);
    EXPECT_EQ(host_.messageCaptions[0], QStringLiteral("Save type B as C"));
    EXPECT_TRUE(host_.messages[0].contains(QStringLiteral("grid"))) << host_.messages[0].toStdString();
    EXPECT_FALSE(fs::exists(Lamps() + "grid_C.ies"));
    EXPECT_EQ(ListCaptions(), before);

    // A folder in the new file's place: the rename fails with the system's text.
    tree_.MakeFolder("home/Lamps/tb_C.ies/keep");
    Browser().ButtonRefreshClick();
    Select(QStringLiteral("tb.ies"));
    const QStringList listed = ListCaptions();
    Browser().SaveAsTypeC();
    ASSERT_EQ(host_.messages.size(), 2U);
    EXPECT_EQ(host_.messageCaptions[1], FileBrowser::kWindowCaption);
    EXPECT_FALSE(host_.messages[1].isEmpty());
    EXPECT_EQ(ListCaptions(), listed);
    EXPECT_TRUE(fs::is_directory(Lamps() + "tb_C.ies/keep"));

    // A type C file from 0 is neither: nothing is written or said.
    Select(QStringLiteral("A.ies"));
    Browser().SaveAsTypeC();
    EXPECT_EQ(host_.messages.size(), 2U);
    EXPECT_FALSE(fs::exists(Lamps() + "A_R.ies"));
}

// "Save as EULUMDAT": the new file listed after its source and told; shown,
// it is a EULUMDAT file with its own values. Refusals are the core's tests.
TEST_F(SaveConvertedTest, SavingAsEulumdatListsTheNewFile)
{
    Select(QStringLiteral("r90.ies"));
    Browser().SaveInFormat(PhotometricFormat::Eulumdat);
    ASSERT_EQ(host_.messages.size(), 1U);
    EXPECT_EQ(host_.messageCaptions[0], QStringLiteral("Save as EULUMDAT"));
    EXPECT_EQ(host_.messages[0], QStringLiteral("File r90.ies successfully saved as EULUMDAT to r90.ldt"));
    const QStringList captions = ListCaptions();
    EXPECT_EQ(captions.indexOf(QStringLiteral("r90.ldt")), captions.indexOf(QStringLiteral("r90.ies")) + 1);

    Select(QStringLiteral("r90.ldt"));
    ASSERT_TRUE(Browser().Shown().Eulumdat());
    EXPECT_EQ(Browser().Shown().Eulumdat()->Isym, 3);
    EXPECT_EQ(Browser().Shown().Texts().test, "T90");
}
