#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sys/stat.h>
#include <unistd.h>

#include "photometry/EntryLoader.h"

namespace fs = std::filesystem;

namespace {

class EntryLoaderTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        dir_ = fs::temp_directory_path() / ("kandora-loader-" + std::to_string(::getpid()));
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }

    std::string Folder() const { return dir_.string() + "/"; }
    void Write(const std::string& name, const std::string& text) const
    {
        std::ofstream(dir_ / name, std::ios::binary) << text;
    }
    TiesData Entry(const std::string& name) const
    {
        auto entry = NewEntry(Folder() + name);
        return entry ? *entry : UnreadEntry(name);
    }

    fs::path dir_;
};

const char* const kFile =
    "IESNA:LM-63-2002\r\n[TEST] 17\r\n[LAMP] x\r\n[LAMP] second\r\n[LUMINAIRE] Spot\r\n[CHANGED] Orvanek\r\nTILT=NONE\r\n"
    "1 1000 1 2 1 1 2 0 0 0 1 1 9\r\n0 90\r\n0\r\n10 5\r\n";

TEST_F(EntryLoaderTest, LoadsRecordTextsAndMarker)
{
    Write("spot.ies", kFile);
    TiesData entry = Entry("spot.ies");
    ASSERT_FALSE(HasKeywordTexts(entry));
    const LoadResult r = LoadEntry(entry, Folder());
    EXPECT_EQ(r.kind, LoadResult::Kind::Loaded);
    EXPECT_TRUE(entry.Loaded);
    EXPECT_TRUE(entry.Changed);
    ASSERT_TRUE(HasKeywordTexts(entry));
    EXPECT_EQ(entry.Texts.fileName, "spot.ies");
    EXPECT_EQ(entry.Texts.test, "17");
    EXPECT_EQ(entry.Texts.luminaire, "Spot");
    EXPECT_EQ(entry.Texts.lamp, "x") << "only the first keyword counts";
    EXPECT_EQ(entry.Ies.Candela, (tArrEx2{{10, 5}}));
    // A second read gives the same entry.
    const TiesData first = entry;
    LoadEntry(entry, Folder());
    EXPECT_EQ(entry.Texts, first.Texts);
}

TEST_F(EntryLoaderTest, MissingUnreadableAndSpecialFilesLeaveEntryAlone)
{
    TiesData missing = UnreadEntry("gone.ies");
    EXPECT_EQ(LoadEntry(missing, Folder()).kind, LoadResult::Kind::Missing);
    EXPECT_FALSE(NewEntry(Folder() + "gone.ies"));
    EXPECT_FALSE(HasKeywordTexts(missing));

    fs::create_directory(dir_ / "dir.ies");
    ASSERT_EQ(::mkfifo((dir_ / "pipe.ies").c_str(), 0600), 0);
    for (const char* name : {"dir.ies", "pipe.ies"}) {
        TiesData entry = UnreadEntry(name);
        const LoadResult r = LoadEntry(entry, Folder());
        EXPECT_EQ(r.kind, LoadResult::Kind::Failed) << name;
        EXPECT_FALSE(r.error.empty()) << name;
        EXPECT_FALSE(entry.Loaded) << name;
    }

    Write("huge.ies", "TILT=NONE\n1 1000 1 65535 65535 1 2 0 0 0 1 1 0\n");
    TiesData huge = Entry("huge.ies");
    EXPECT_EQ(LoadEntry(huge, Folder()).kind, LoadResult::Kind::Failed);
    EXPECT_FALSE(huge.Loaded);
    EXPECT_FALSE(HasKeywordTexts(huge));
}

TEST_F(EntryLoaderTest, HeaderFaultStillLoads)
{
    Write("bad.ies", "TILT=NONE\n1 lots 1 1 1 1 2 0 0 0 1 1 9\n0\n0\n10\n");
    TiesData entry = Entry("bad.ies");
    const LoadResult r = LoadEntry(entry, Folder());
    EXPECT_EQ(r.kind, LoadResult::Kind::Loaded);
    EXPECT_EQ(r.headerFault, "Line 2");
    EXPECT_TRUE(entry.Loaded);
}

// Real files written by others must read cleanly with positive intensities.
TEST(SharedCorpus, ReadsWithoutHeaderFaultAndPositiveCandela)
{
    const fs::path corpus = fs::path(KANDORA_SOURCE_DIR) / ".." / "shared" / "corpus";
    if (!fs::exists(corpus))
        GTEST_SKIP() << "no shared corpus beside the repository";
    int files = 0;
    for (const auto& item : fs::recursive_directory_iterator(corpus)) {
        if (item.path().extension() != ".ies")
            continue;
        ++files;
        TiesData entry = UnreadEntry(item.path().filename().string());
        const LoadResult r = LoadEntry(entry, item.path().parent_path().string() + "/");
        EXPECT_EQ(r.kind, LoadResult::Kind::Loaded) << item.path();
        EXPECT_FALSE(r.HasHeaderFault()) << item.path() << " " << r.headerFault;
        EXPECT_GT(entry.Ies.VertCount, 0) << item.path();
        for (const tArrEx& row : entry.Ies.Candela)
            for (double v : row)
                ASSERT_GE(v, 0) << item.path();
        EXPECT_GT(entry.Ies.Multiplier, 0) << item.path();
    }
    EXPECT_GT(files, 0);
}

}  // namespace

namespace {

// The reader finds a zero byte itself instead of searching each file for one
// first: wherever it stands, what follows must not count.
TEST(ReadEntryBytes, ZeroByteAnywhereEndsTheText)
{
    const std::string file =
        "IESNA:LM-63-2002\r\n[TEST] T-7\r\n[LUMINAIRE] Spot\nTILT=INCLUDE\r\n1 2 0 90 1 .9\r\n"
        "1 2000 1 3 2 1 2 0.5 0.6 0\r\n1 1 36\r\n0 45 90 0 90 100 80.5 10 200 160 20\r\n";
    for (std::size_t at = 0; at <= file.size(); ++at) {
        const std::string prefix = file.substr(0, at);
        const std::string withNul = prefix + std::string(1, '\0') + "9 9 9\r\nTILT=NONE\r\n7 7 7 7";
        TiesData expected = UnreadEntry("a.ies");
        TiesData actual = UnreadEntry("a.ies");
        const LoadResult e = ReadEntryBytes(expected, prefix);
        const LoadResult a = ReadEntryBytes(actual, withNul);
        ASSERT_EQ(a.kind, e.kind) << at;
        EXPECT_EQ(a.headerFault, e.headerFault) << at;
        EXPECT_EQ(actual.Texts, expected.Texts) << at;
        EXPECT_EQ(actual.Ies, expected.Ies) << at;
    }
}

}  // namespace
