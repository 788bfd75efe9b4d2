#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <sys/stat.h>
#include <unistd.h>

#include "TempFolderTest.h"
#include "photometry/EntryLoader.h"
#include "photometry/EulumdatReader.h"
#include "tests/photometry/HeaderEdgeFiles.h"
#include "tests/photometry/HostileFiles.h"

// A caption read (the keyword texts and the header values from the file's
// front) must find what a full read finds: texts, change marker, header
// fault, refusal; completing the entry afterwards must give the full read.

namespace fs = std::filesystem;

namespace {

struct Case {
    std::string name;
    std::string bytes;
};

std::string ReadBytes(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::vector<Case> FilesIn(const fs::path& folder)
{
    std::vector<Case> cases;
    if (!fs::exists(folder))
        return cases;
    for (const auto& item : fs::recursive_directory_iterator(folder))
        if (item.is_regular_file() && IsPhotometricName(item.path().filename().string()))
            cases.push_back({item.path().filename().string(), ReadBytes(item.path())});
    return cases;
}

std::vector<Case> AllCases()
{
    std::vector<Case> cases = FilesIn(fs::path(KANDORA_SOURCE_DIR) / "samples");
    for (Case& c : FilesIn(fs::path(KANDORA_SOURCE_DIR) / ".." / "shared" / "corpus"))
        cases.push_back(std::move(c));
    for (const HostileFile& file : HostileFiles())
        cases.push_back({file.name, file.bytes()});
    for (GeneratedFile& file : HeaderEdgeFiles())
        cases.push_back({file.name, std::move(file.bytes)});
    return cases;
}

class CaptionReadTest : public TempFolderTest {
protected:
    CaptionReadTest() : TempFolderTest("kandora-caption-") {}
    [[nodiscard]] std::string Folder() const { return dir_.string() + "/"; }

};

void ExpectSameEntry(const TiesData& a, const TiesData& b, const std::string& name)
{
    EXPECT_EQ(a.Texts, b.Texts) << name;
    EXPECT_EQ(a.Changed, b.Changed) << name;
    EXPECT_EQ(a.Loaded, b.Loaded) << name;
    EXPECT_TRUE(a.Ies == b.Ies) << name;
    EXPECT_TRUE(a.Eulumdat == b.Eulumdat) << name;
}

TEST_F(CaptionReadTest, FindsWhatTheFullReadFindsAndCompletesToIt)
{
    bool sawFault = false, sawRefusal = false, sawChanged = false;
    for (const Case& c : AllCases()) {
        std::ofstream(dir_ / c.name, std::ios::binary) << c.bytes;
        TiesData full = UnreadEntry(c.name);
        const LoadResult f = LoadEntry(full, Folder());
        TiesData captioned = UnreadEntry(c.name);
        const LoadResult t = LoadEntryTexts(captioned, Folder());

        EXPECT_EQ(t.kind, f.kind) << c.name;
        EXPECT_EQ(t.error, f.error) << c.name;
        EXPECT_EQ(t.headerFault, f.headerFault) << c.name;
        EXPECT_EQ(captioned.Texts, full.Texts) << c.name;
        EXPECT_EQ(captioned.Changed, full.Changed) << c.name;
        EXPECT_FALSE(captioned.Loaded) << c.name;
        EXPECT_TRUE(captioned.Ies == tIES{}) << c.name << ": the record waits for LoadEntry";
        sawFault |= f.HasHeaderFault();
        sawRefusal |= f.kind == LoadResult::Kind::Failed;
        sawChanged |= full.Changed;

        // Completing the captioned entry gives the full read, without
        // reporting the header fault a second time.
        const LoadResult done = LoadEntry(captioned, Folder());
        EXPECT_EQ(done.kind, f.kind) << c.name;
        EXPECT_FALSE(done.HasHeaderFault()) << c.name;
        ExpectSameEntry(captioned, full, c.name);
        // A loaded entry is not read again for a caption.
        EXPECT_FALSE(LoadEntryTexts(full, Folder()).HasHeaderFault()) << c.name;
        fs::remove(dir_ / c.name);
    }
    EXPECT_TRUE(sawFault && sawRefusal && sawChanged) << "the cases cover faults, refusals and markers";
}

// Wherever the front the reader took ends, it either asks for more or
// already knows what the whole file gives.
TEST_F(CaptionReadTest, AnyFrontIsEitherTooShortOrConclusive)
{
    std::vector<Case> cases = FilesIn(fs::path(KANDORA_SOURCE_DIR) / "samples");
    for (Case& c : FilesIn(fs::path(KANDORA_SOURCE_DIR) / ".." / "shared" / "corpus" / "photometric-viewer" / "ldt"))
        cases.push_back(std::move(c));
    for (const auto& hostile : {HostileFiles(), HostileEulumdatFiles()})
        for (const HostileFile& file : hostile)
            if (file.name.find("10MB") == std::string::npos && file.name != "keyword-lines-100000.ies")
                cases.push_back({file.name, file.bytes()});
    for (const Case& c : cases) {
        TiesData whole = UnreadEntry(c.name);
        const std::optional<LoadResult> w = ReadEntryTexts(whole, c.bytes, true);
        ASSERT_TRUE(w) << c.name;
        const std::size_t last = std::min<std::size_t>(c.bytes.size(), 32768);
        for (std::size_t cut = 0; cut <= last; cut += cut < 1024 ? 1 : 97) {
            TiesData entry = UnreadEntry(c.name);
            const std::optional<LoadResult> r = ReadEntryTexts(entry, std::string_view(c.bytes).substr(0, cut), false);
            if (!r) {
                EXPECT_FALSE(HasKeywordTexts(entry)) << c.name << " cut at " << cut;
                continue;
            }
            ASSERT_EQ(r->kind, w->kind) << c.name << " cut at " << cut;
            ASSERT_EQ(r->error, w->error) << c.name << " cut at " << cut;
            ASSERT_EQ(r->headerFault, w->headerFault) << c.name << " cut at " << cut;
            ASSERT_EQ(entry.Texts, whole.Texts) << c.name << " cut at " << cut;
            ASSERT_EQ(entry.Changed, whole.Changed) << c.name << " cut at " << cut;
        }
    }
}

// A EULUMDAT caption read takes the lines through the lamp sets: it finds
// their faults and refusals as the full read does. What lies past them (the
// angles and intensities) only the full read sees, and completing the entry
// reports it then, as a first full read would.
TEST_F(CaptionReadTest, EulumdatCaptionTellsTheHeaderAndCompletionTheRest)
{
    bool sawLateFault = false, sawLateRefusal = false;
    for (const HostileFile& file : HostileEulumdatFiles()) {
        std::ofstream(dir_ / file.name, std::ios::binary) << file.bytes();
        TiesData full = UnreadEntry(file.name);
        const LoadResult f = LoadEntry(full, Folder());
        TiesData captioned = UnreadEntry(file.name);
        const LoadResult t = LoadEntryTexts(captioned, Folder());
        EulumdatFile head;
        const ReadResult h = ReadEulumdatHeader(ReadBytes(dir_ / file.name), head);

        EXPECT_EQ(t.kind == LoadResult::Kind::Failed, !h.Read()) << file.name;
        EXPECT_EQ(t.headerFault, h.status == ReadResult::Status::HeaderFault ? h.message : "") << file.name;
        const bool late = f.kind != t.kind || f.headerFault != t.headerFault;
        sawLateFault |= late && f.HasHeaderFault();
        sawLateRefusal |= late && f.kind == LoadResult::Kind::Failed;
        if (t.kind == LoadResult::Kind::Loaded) {
            if (f.kind == LoadResult::Kind::Loaded) {
                EXPECT_EQ(captioned.Texts, full.Texts) << file.name;
            }
            const LoadResult done = LoadEntry(captioned, Folder());
            EXPECT_EQ(done.kind, f.kind) << file.name;
            EXPECT_EQ(done.error, f.error) << file.name;
            EXPECT_EQ(done.headerFault, late ? f.headerFault : "") << file.name;
            if (f.kind == LoadResult::Kind::Loaded) {
                ExpectSameEntry(captioned, full, file.name);
            }
        }
        fs::remove(dir_ / file.name);
    }
    EXPECT_TRUE(sawLateFault && sawLateRefusal) << "faults and refusals in the blocks past the lamp sets";
}

// Bytes this process has read through read() so far.
std::size_t BytesRead()
{
    std::ifstream io("/proc/self/io");
    std::string key;
    std::size_t value = 0;
    while (io >> key >> value)
        if (key == "rchar:")
            return value;
    return 0;
}

TEST_F(CaptionReadTest, ReadsOnlyTheFrontOfALargeFile)
{
    if (BytesRead() == 0)
        GTEST_SKIP() << "no /proc/self/io";
    // 20 MB each; the zeros past the header are sparse, so quick to make.
    const std::uintmax_t size = std::uintmax_t{20} << 20;
    std::ofstream(dir_ / "big.ies", std::ios::binary) << "[MANUFAC] Big\r\nTILT=NONE\r\n1 1000 1 2000 1000 1 2 0 0 0 1 1 35\r\n";
    fs::resize_file(dir_ / "big.ies", size);
    TiesData entry = UnreadEntry("big.ies");
    const std::size_t before = BytesRead();
    const LoadResult r = LoadEntryTexts(entry, Folder());
    const std::size_t read = BytesRead() - before;
    EXPECT_EQ(r.kind, LoadResult::Kind::Loaded);
    EXPECT_EQ(entry.Texts.manufacturer, "Big");
    EXPECT_LE(read, kCaptionFrontBytes + 4096) << "a caption read takes the front only";

    // The header values past the first front: it reads on, but not the rest.
    std::ofstream(dir_ / "late.ies", std::ios::binary)
        << "[MANUFAC] Late\r\n" + std::string(100000, ' ') + "\r\nTILT=NONE\r\n1 1000 1 2000 1000 1 2 0 0 0 1 1 35\r\n";
    fs::resize_file(dir_ / "late.ies", size);
    TiesData late = UnreadEntry("late.ies");
    const std::size_t lateBefore = BytesRead();
    EXPECT_EQ(LoadEntryTexts(late, Folder()).kind, LoadResult::Kind::Loaded);
    EXPECT_LE(BytesRead() - lateBefore, std::size_t{2} << 20);
    EXPECT_EQ(late.Texts.manufacturer, "Late");
}

}  // namespace
