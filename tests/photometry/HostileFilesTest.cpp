#include <gtest/gtest.h>

#include <cerrno>
#include <cmath>
#include <cstring>
#include <functional>
#include <filesystem>
#include <fstream>
#include <sys/stat.h>
#include <unistd.h>

#include "photometry/EntryLoader.h"
#include "photometry/EulumdatConversion.h"
#include "photometry/EulumdatReader.h"
#include "photometry/EulumdatRecord.h"
#include "photometry/PhotometricSummary.h"
#include "tests/photometry/ChildProcess.h"
#include "tests/photometry/HostileFiles.h"

namespace fs = std::filesystem;

// Names the case in test output instead of dumping its bytes.
void PrintTo(const HostileFile& file, std::ostream* out)
{
    *out << file.name;
}

namespace {

fs::path FreshFolder(const std::string& tag)
{
    const fs::path dir = fs::temp_directory_path() / ("kandora-" + tag + "-" + std::to_string(::getpid()));
    fs::remove_all(dir);
    fs::create_directories(dir);
    return dir;
}

void WriteBytes(const fs::path& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary) << bytes;
}

// What every record handed to the drawing code must satisfy.
void ExpectSoundRecord(const tIES& ies, const std::string& name)
{
    ASSERT_EQ(ies.VertAngles.size(), ies.VertCount) << name;
    ASSERT_EQ(ies.HorzAngles.size(), ies.HorzCount) << name;
    ASSERT_EQ(ies.Candela.size(), ies.HorzCount) << name;
    for (const tArrEx& row : ies.Candela) {
        ASSERT_EQ(row.size(), ies.VertCount) << name;
        for (double v : row)
            ASSERT_TRUE(std::isfinite(v)) << name;
    }
    for (const tArrEx* angles : {&ies.VertAngles, &ies.HorzAngles})
        for (double a : *angles)
            ASSERT_TRUE(std::isfinite(a)) << name;
    for (double v : {ies.LampLumens, ies.Multiplier, ies.Width, ies.Length, ies.Height, ies.BallastFactor,
                     ies.BallastLampFactor, ies.InputWattsExact})
        ASSERT_TRUE(std::isfinite(v)) << name;
    // Whatever the record, its summary's values are numbers where it has them.
    const PhotometricSummary s = SummarizePhotometry(ies);
    for (const std::optional<double>& v : {s.flux_lm, s.lor, s.efficacy_lm_per_w, s.max_cd, s.c0_c180.beam_deg,
                                           s.c0_c180.field_deg, s.c90_c270.beam_deg, s.c90_c270.field_deg})
        ASSERT_TRUE(!v || std::isfinite(*v)) << name;
}

class HostileFileTest : public ::testing::TestWithParam<HostileFile> {
protected:
    static void SetUpTestSuite() { dir_ = FreshFolder("hostile"); }
    static void TearDownTestSuite() { fs::remove_all(dir_); }
    static fs::path dir_;
};
fs::path HostileFileTest::dir_;

TEST_P(HostileFileTest, GivesItsExpectedOutcome)
{
    const HostileFile& file = GetParam();
    WriteBytes(dir_ / file.name, file.bytes());
    std::optional<TiesData> listed = NewEntry((dir_ / file.name).string());
    ASSERT_TRUE(listed) << "a regular file is always listed";
    TiesData entry = *listed;
    const LoadResult r = LoadEntry(entry, dir_.string() + "/");

    switch (file.expected) {
    case Expected::Reads:
        EXPECT_EQ(r.kind, LoadResult::Kind::Loaded) << r.error;
        EXPECT_FALSE(r.HasHeaderFault()) << r.headerFault;
        break;
    case Expected::ReadsWithHeaderFault:
        EXPECT_EQ(r.kind, LoadResult::Kind::Loaded) << r.error;
        EXPECT_NE(r.headerFault.find(file.message), std::string::npos) << r.headerFault;
        break;
    case Expected::Refused:
        EXPECT_EQ(r.kind, LoadResult::Kind::Failed);
        EXPECT_NE(r.error.find(file.message), std::string::npos) << r.error;
        EXPECT_FALSE(entry.Loaded);
        EXPECT_FALSE(HasKeywordTexts(entry)) << "a refused file leaves the entry unread";
        break;
    }
    if (r.kind == LoadResult::Kind::Loaded) {
        EXPECT_TRUE(entry.Loaded);
        ASSERT_TRUE(HasKeywordTexts(entry));
        EXPECT_EQ(entry.Texts.fileName, file.name);
        ExpectSoundRecord(entry.Ies, file.name);
    }
    fs::remove(dir_ / file.name);
}

INSTANTIATE_TEST_SUITE_P(Table, HostileFileTest, ::testing::ValuesIn(HostileFiles()),
                         [](const ::testing::TestParamInfo<HostileFile>& param) {
                             std::string name = param.param.name.substr(0, param.param.name.size() - 4);
                             for (char& c : name)
                                 if (!std::isalnum(static_cast<unsigned char>(c)))
                                     c = '_';
                             return name;
                         });

std::string CaseName(const std::string& file)
{
    std::string name = file.substr(0, file.rfind('.'));
    for (char& c : name)
        if (!std::isalnum(static_cast<unsigned char>(c)))
            c = '_';
    return name;
}

class HostileEulumdatTest : public ::testing::TestWithParam<HostileFile> {};

// The record of whatever reads, and the IES file written from it, must be
// sound: the drawing code trusts both.
TEST_P(HostileEulumdatTest, GivesItsExpectedOutcome)
{
    const HostileFile& file = GetParam();
    const std::string bytes = file.bytes();
    EulumdatFile ldt;
    const ReadResult r = ReadEulumdat(bytes, ldt);

    // A caption's read of the items alone agrees with the full read on them.
    EulumdatFile head;
    const ReadResult h = ReadEulumdatHeader(bytes, head);
    if (!h.Read()) {
        EXPECT_EQ(h.message, r.message);
    } else if (r.Read()) {
        EulumdatFile items = ldt;
        items.DirectRatios = {};
        items.CAngles.clear();
        items.GAngles.clear();
        items.Intensities.clear();
        EXPECT_EQ(head, items);
        if (h.status == ReadResult::Status::HeaderFault) {
            EXPECT_EQ(h.message, r.message);
        }
    }

    const Expected got = !r.Read() ? Expected::Refused
                         : r.status == ReadResult::Status::HeaderFault ? Expected::ReadsWithHeaderFault
                                                                       : Expected::Reads;
    ASSERT_EQ(ExpectedName(got), ExpectedName(file.expected)) << r.message;
    EXPECT_NE(r.message.find(file.message), std::string::npos) << r.message;
    if (!r.Read()) {
        EXPECT_EQ(ldt, EulumdatFile{});
        return;
    }
    const tIES ies = EulumdatRecord(ldt);
    ExpectSoundRecord(ies, file.name);
    const FormatConversion written = BuildIesFromEulumdat(ldt);
    ASSERT_TRUE(written.Written()) << written.message;
    tIES back;
    ASSERT_EQ(ReadIes(written.bytes, back).status, ReadResult::Status::Ok);
    ExpectSoundRecord(back, file.name);
}

INSTANTIATE_TEST_SUITE_P(Table, HostileEulumdatTest, ::testing::ValuesIn(HostileEulumdatFiles()),
                         [](const ::testing::TestParamInfo<HostileFile>& param) { return CaseName(param.param.name); });

// Reads one hostile case straight from the table by name.
TiesData LoadCase(const std::string& name)
{
    for (const HostileFile& file : HostileFiles()) {
        if (file.name != name)
            continue;
        const fs::path dir = FreshFolder("case");
        WriteBytes(dir / name, file.bytes());
        TiesData entry = UnreadEntry(name);
        (void)LoadEntry(entry, dir.string() + "/");
        fs::remove_all(dir);
        return entry;
    }
    ADD_FAILURE() << "no case " << name;
    return {};
}

TEST(HostileFileContent, NonNumbersAndOutOfRangeValuesBecomeZero)
{
    const TiesData entry = LoadCase("nan-inf-values.ies");
    ASSERT_TRUE(entry.Loaded);
    EXPECT_EQ(entry.Ies.VertAngles, (tArrEx{0, 45, 0}));
    EXPECT_EQ(entry.Ies.HorzAngles, (tArrEx{0, 0}));
    EXPECT_EQ(entry.Ies.Candela, (tArrEx2{{0, 0, 0}, {0, 1e308, -1e308}}));
}

TEST(HostileFileContent, NormalisingPastTheDoubleRangeGivesZeroNotInfinity)
{
    const TiesData entry = LoadCase("huge-values-normalised.ies");
    ASSERT_TRUE(entry.Loaded);
    EXPECT_DOUBLE_EQ(entry.Ies.Multiplier, 0.5);
    EXPECT_EQ(entry.Ies.Candela, (tArrEx2{{0, 0}}));
}

TEST(HostileFileContent, CountsKeepTheirLow16Bits)
{
    const TiesData big = LoadCase("counts-2pow31.ies");
    EXPECT_EQ(big.Ies.VertCount, 0);
    EXPECT_EQ(big.Ies.HorzCount, 2);
    const TiesData negative = LoadCase("counts-negative.ies");
    EXPECT_EQ(negative.Ies.VertCount, 65535);
    EXPECT_EQ(negative.Ies.HorzCount, 1);
}

TEST(HostileFileContent, MissingNumbersAreZeroAndTheRestIsKept)
{
    const TiesData entry = LoadCase("fewer-numbers-than-declared.ies");
    ASSERT_EQ(entry.Ies.VertCount, 181);
    ASSERT_EQ(entry.Ies.HorzCount, 73);
    EXPECT_EQ(entry.Ies.VertAngles[3], 3);
    EXPECT_EQ(entry.Ies.VertAngles[4], 0);
    EXPECT_EQ(entry.Ies.Candela[72][180], 0);
}

TEST(HostileFileContent, KeywordTextsSurviveOddEncodingsAndHugeLines)
{
    EXPECT_EQ(LoadCase("latin1.ies").Texts.manufacturer, "Leuchten M\xFCller \xA9");
    EXPECT_EQ(LoadCase("utf8.ies").Texts.luminaire, "\xE2\x82\xAC \xF0\x9F\x92\xA1");
    EXPECT_EQ(LoadCase("header-line-10MB.ies").Texts.test.size(), std::size_t{10} << 20);
    const TiesData many = LoadCase("keyword-lines-100000.ies");
    EXPECT_EQ(many.Ies.Candela, (tArrEx2{{100, 80, 60}, {90, 70, 50}}));
    const TiesData crOnly = LoadCase("cr-only.ies");
    EXPECT_EQ(crOnly.Texts.test, "T-1");
    EXPECT_EQ(crOnly.Ies.Candela, many.Ies.Candela);
}

// What a folder listing may hold besides regular files.
struct SpecialFile {
    std::string name;
    std::function<void(const fs::path& dir)> make;
    bool listed;               // NewEntry yields an entry
    LoadResult::Kind kind;     // what LoadEntry reports for it
    std::string message;       // part of the message expected
};

void PrintTo(const SpecialFile& file, std::ostream* out)
{
    *out << file.name;
}

std::vector<SpecialFile> SpecialFiles()
{
    using K = LoadResult::Kind;
    return {
        {"x.ies", [](const fs::path& dir) { fs::create_directory(dir / "x.ies"); }, false, K::Failed, "folder"},
        // Opening a FIFO without a writer would block without O_NONBLOCK.
        {"p.ies", [](const fs::path& dir) { ASSERT_EQ(::mkfifo((dir / "p.ies").c_str(), 0600), 0); }, true, K::Failed,
         "named pipe"},
        {"loop.ies", [](const fs::path& dir) {
             fs::create_symlink("loop2.ies", dir / "loop.ies");
             fs::create_symlink("loop.ies", dir / "loop2.ies");
         }, false, K::Failed, "symbolic links"},
        {".ies", [](const fs::path& dir) { fs::create_symlink("/dev/zero", dir / ".ies"); }, true, K::Failed, "device"},
        {"dangling.ies", [](const fs::path& dir) { fs::create_symlink("gone.ies", dir / "dangling.ies"); }, false,
         K::Missing, ""},
        // A sparse file: refused by its size before a byte is read.
        {"sparse-65MB.ies", [](const fs::path& dir) {
             std::ofstream(dir / "sparse-65MB.ies") << "TILT=NONE\n";
             fs::resize_file(dir / "sparse-65MB.ies", std::uintmax_t{65} << 20);
         }, true, K::Failed, "larger than 64 MB"},
    };
}

class SpecialFileTest : public ::testing::TestWithParam<SpecialFile> {};

TEST_P(SpecialFileTest, IsRefusedWithoutBlockingAndSaysWhy)
{
    const SpecialFile& file = GetParam();
    const fs::path dir = FreshFolder("special");
    file.make(dir);
    EXPECT_EQ(NewEntry((dir / file.name).string()).has_value(), file.listed);

    // An entry may outlive the file it was listed for: load it anyway.
    TiesData entry = UnreadEntry(file.name);
    const LoadResult r = LoadEntry(entry, dir.string() + "/");
    EXPECT_EQ(r.kind, file.kind) << r.error;
    EXPECT_NE(r.error.find(file.message), std::string::npos) << r.error;
    EXPECT_EQ(r.error.empty(), file.kind != LoadResult::Kind::Failed) << r.error;
    EXPECT_FALSE(entry.Loaded);
    EXPECT_FALSE(HasKeywordTexts(entry));
    fs::remove_all(dir);
}

INSTANTIATE_TEST_SUITE_P(Listing, SpecialFileTest, ::testing::ValuesIn(SpecialFiles()),
                         [](const ::testing::TestParamInfo<SpecialFile>& param) {
                             std::string name = "_" + param.param.name;
                             for (char& c : name)
                                 if (!std::isalnum(static_cast<unsigned char>(c)))
                                     c = '_';
                             return name;
                         });

TEST(SpecialFile, UnreadableFileIsRefusedWithTheSystemsReason)
{
    const fs::path dir = FreshFolder("unreadable");
    fs::permissions(dir, fs::perms::owner_all | fs::perms::others_exec | fs::perms::group_exec);
    WriteBytes(dir / "secret.ies", "TILT=NONE\n1 1000 1 1 1 1 2 0 0 0 1 1 9\n0\n0\n5\n");
    fs::permissions(dir / "secret.ies", fs::perms::none);
    // CI runs as root, whom permission bits do not stop: read as "nobody".
    const std::string outcome = RunInChild([&] {
        if (!DropRootPrivileges())
            return std::string("could not drop privileges");
        TiesData entry = UnreadEntry("secret.ies");
        const LoadResult r = LoadEntry(entry, dir.string() + "/");
        if (r.kind != LoadResult::Kind::Failed)
            return std::string("not refused");
        return r.error + (entry.Loaded || HasKeywordTexts(entry) ? " (entry changed)" : "");
    });
    EXPECT_EQ(outcome, std::strerror(EACCES));
    fs::remove_all(dir);
}

}  // namespace
