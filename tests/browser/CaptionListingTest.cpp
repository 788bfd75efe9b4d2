#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <initializer_list>
#include <fstream>
#include <iterator>
#include <sys/stat.h>

#include "TempTree.h"
#include "browser/Catalog.h"
#include "photometry/EntryLoader.h"
#include "tests/photometry/HeaderEdgeFiles.h"
#include "tests/photometry/HostileFiles.h"

// Listing by a keyword reads only the files' fronts; the list, its faults
// and its sorted order must be what reading every file in full gives.

namespace fs = std::filesystem;

namespace {

struct Row {
    std::string file, caption;
    bool changed = false;
    bool operator==(const Row&) const = default;
};

void PrintTo(const Row& row, std::ostream* out)
{
    *out << row.file << " | " << row.caption << (row.changed ? " | changed" : "");
}

struct Listing {
    std::vector<Row> rows;
    std::vector<std::string> faults;  // "name: message", header faults marked
};

std::string FaultText(const std::string& name, const std::string& message, bool header)
{
    return name + (header ? " [header] " : ": ") + message;
}

// The list as the catalog makes it, sorted.
Listing CatalogListing(const std::string& folder, CaptionChoice choice)
{
    Catalog catalog;
    SilentFeedback feedback;
    std::vector<ReadFault> faults;
    catalog.ListFolder(folder, choice, feedback, faults);
    catalog.SortCatalog(feedback);
    Listing out;
    for (int i = catalog.FolderCount(); i < catalog.Count(); ++i) {
        const TiesData& entry = *catalog.Item(i).entry;
        EXPECT_FALSE(entry.Loaded) << entry.Texts.fileName << ": a listing reads no record";
        out.rows.push_back({entry.Texts.fileName, catalog.Item(i).caption, entry.Changed});
    }
    for (const ReadFault& fault : faults)
        out.faults.push_back(FaultText(fault.fileName, fault.message, fault.headerFault));
    return out;
}

// The same list from reading every file in full, sorted the same way.
Listing FullReadListing(const std::string& folder, CaptionChoice choice)
{
    Listing out;
    for (const std::string& name : MatchPhotometricFiles(folder)) {
        TiesData entry = UnreadEntry(name);
        const LoadResult r = LoadEntry(entry, folder);
        if (r.kind == LoadResult::Kind::Failed)
            out.faults.push_back(FaultText(name, r.error, false));
        else if (r.HasHeaderFault())
            out.faults.push_back(FaultText(name, r.headerFault, true));
        out.rows.push_back({name, CaptionText(entry.Texts, choice), entry.Changed});
    }
    std::stable_sort(out.rows.begin(), out.rows.end(),
                     [](const Row& a, const Row& b) { return CompareCaptions(a.caption, b.caption) < 0; });
    return out;
}

void ExpectSameListings(const std::string& folder, const std::string& what,
                        std::initializer_list<CaptionChoice> choices = {CaptionChoice::Test, CaptionChoice::Manufacturer,
                                                              CaptionChoice::LuminaireCatalog, CaptionChoice::Lamp})
{
    for (const CaptionChoice choice : choices) {
        const Listing caption = CatalogListing(folder, choice);
        const Listing full = FullReadListing(folder, choice);
        EXPECT_EQ(caption.rows, full.rows) << what << ", caption " << CaptionNumber(choice);
        EXPECT_EQ(caption.faults, full.faults) << what << ", caption " << CaptionNumber(choice);
    }
}

std::string ReadBytes(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST(CaptionListing, SamplesAndCorpusListAsTheFullRead)
{
    ExpectSameListings(std::string(KANDORA_SOURCE_DIR) + "/samples/", "samples");
    const fs::path corpus = fs::path(KANDORA_SOURCE_DIR) / ".." / "shared" / "corpus";
    if (!fs::exists(corpus))
        GTEST_SKIP() << "no shared corpus beside the repository";
    // The corpus files gathered into one folder, as a user's download folder.
    TempTree tree;
    for (const auto& item : fs::recursive_directory_iterator(corpus))
        if (item.is_regular_file() && IsPhotometricName(item.path().filename().string()))
            tree.Write(item.path().filename().string(), ReadBytes(item.path()));
    ExpectSameListings(tree.Folder(), "corpus");
}

TEST(CaptionListing, HostileAndGeneratedFilesListAsTheFullRead)
{
    TempTree tree;
    for (const HostileFile& file : HostileFiles())
        tree.Write(file.name, file.bytes());
    for (const GeneratedFile& file : HeaderEdgeFiles())
        tree.Write(file.name, file.bytes);
    ASSERT_EQ(::mkfifo((tree.Root() / "pipe.ies").c_str(), 0644), 0);
    // Two choices only: the table's 10 MB headers are slow to read each time.
    ExpectSameListings(tree.Folder(), "hostile and generated", {CaptionChoice::Manufacturer, CaptionChoice::Lamp});
}

// Workers take names in turns; whatever thread read a file, the entries and
// faults must come back in the names' order and as one thread reads them.
TEST(CaptionListing, ThreadedReadsMatchOneThread)
{
    TempTree tree;
    for (const HostileFile& file : HostileFiles())
        tree.Write(file.name, file.bytes());
    for (const GeneratedFile& file : HeaderEdgeFiles())
        tree.Write(file.name, file.bytes);
    // Enough plain files that every worker takes several turns.
    for (int i = 0; i < 300; ++i)
        tree.Write("plain" + std::to_string(i) + ".ies",
                   "IESNA:LM-63-2002\r\n[MANUFAC] M" + std::to_string(i % 7) +
                       "\r\nTILT=NONE\r\n1 -1 1 1 1 1 2 0 0 0\r\n1 1 0\r\n0\r\n0\r\n1\r\n");
    std::vector<std::string> names = MatchPhotometricFiles(tree.Folder());
    names.push_back("vanished.ies");  // listed by the scan, gone before the read
    const std::vector<ListedFile> one = ListFiles(tree.Folder(), names, CaptionChoice::Manufacturer, 1);
    const std::vector<ListedFile> many = ListFiles(tree.Folder(), names, CaptionChoice::Manufacturer, 4);
    ASSERT_EQ(one.size(), names.size());
    ASSERT_EQ(many.size(), names.size());
    EXPECT_EQ(one.back().entry, nullptr);
    int faults = 0;
    for (std::size_t i = 0; i < names.size(); ++i) {
        ASSERT_EQ(one[i].entry == nullptr, many[i].entry == nullptr) << names[i];
        if (one[i].entry) {
            EXPECT_EQ(one[i].entry->Texts, many[i].entry->Texts) << names[i];
            EXPECT_EQ(one[i].entry->Changed, many[i].entry->Changed) << names[i];
            EXPECT_EQ(one[i].entry->Texts.fileName, names[i]);
        }
        ASSERT_EQ(one[i].fault.has_value(), many[i].fault.has_value()) << names[i];
        if (one[i].fault) {
            ++faults;
            EXPECT_EQ(one[i].fault->message, many[i].fault->message) << names[i];
            EXPECT_EQ(one[i].fault->fileName, names[i]);
        }
    }
    EXPECT_GT(faults, 0) << "the hostile files give faults to order";

    // Reading the records on several threads gives each entry what one thread gives.
    std::vector<TiesData*> alone, shared;
    for (std::size_t i = 0; i + 1 < names.size(); ++i) {
        alone.push_back(one[i].entry.get());
        shared.push_back(many[i].entry.get());
    }
    LoadEntries(alone, tree.Folder(), 1);
    LoadEntries(shared, tree.Folder(), 4);
    int loaded = 0;
    for (std::size_t i = 0; i < alone.size(); ++i) {
        EXPECT_EQ(alone[i]->Loaded, shared[i]->Loaded) << names[i];
        EXPECT_TRUE(alone[i]->Ies == shared[i]->Ies) << names[i];
        loaded += alone[i]->Loaded ? 1 : 0;
    }
    EXPECT_GT(loaded, 300);
}

}  // namespace
