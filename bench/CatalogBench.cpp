// Listing a folder of 10,000 generated photometric files through the catalog:
// with the file name as caption (nothing read), with the manufacturer (each
// file's front read for its caption), sorting by manufacturer, and, as the
// ceiling a listing that reads whole files could reach, reading and
// tokenising every file in full. Times are wall-clock from a warm page cache;
// the table at the end gives the ratio and the process's peak resident size.
// The same listings of a EULUMDAT folder follow, to hold its caption read
// against the IES one.
//
//   build-release/bench/catalog_bench [--folder=DIR] [--ldt-folder=DIR] [benchmark options]
//   (without --folder, a generated folder of 10,000 files of about 21 KB;
//   without --ldt-folder, the same distributions written as EULUMDAT, or use
//   scripts/make-bench-corpus --format ldt --files 10000 DIR)

#include <benchmark/benchmark.h>

#include "bench/CollectingReporter.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <sys/resource.h>
#include <unistd.h>

#include "browser/Catalog.h"
#include "photometry/EntryLoader.h"
#include "photometry/EulumdatConversion.h"

namespace fs = std::filesystem;

namespace {

constexpr int kFiles = 10000;

// About 21 KB per file: 73 vertical angles by 37 planes.
std::string GeneratedFile(int index)
{
    std::string text = "IESNA:LM-63-2002\r\n[TEST] B" + std::to_string(index) + "\r\n[MANUFAC] Maker " +
                       std::to_string(index % 97) + "\r\n[LUMINAIRE] Generated\r\n[LAMP] LED\r\nTILT=NONE\r\n";
    text += "1 1000 1 73 37 1 2 0.1 0.2 0\r\n1 1 25\r\n";
    for (int v = 0; v < 73; ++v)
        text += std::to_string(v * 2.5).substr(0, 5) + (v % 10 == 9 ? "\r\n" : " ");
    text += "\r\n";
    for (int h = 0; h < 37; ++h)
        text += std::to_string(h * 10) + " ";
    text += "\r\n";
    for (int h = 0; h < 37; ++h) {
        for (int v = 0; v < 73; ++v)
            text += std::to_string(1000 + (index + h * 7 + v * 13) % 9000) + ".5" + (v % 10 == 9 ? "\r\n" : " ");
        text += "\r\n";
    }
    return text;
}

// The same distribution as GeneratedFile as EULUMDAT: 36 planes over the
// circle, 73 gamma angles, one number to a line.
std::string GeneratedLdt(int index)
{
    EulumdatFile f;
    // Appended, not "text" + string: g++ 12 at -O3 misreads that as an overlapping copy.
    f.Company = std::to_string(index % 97);
    f.Company.insert(0, "Maker ");
    f.Ityp = 3;
    f.Nc = 36;
    f.Dc = 10;
    f.Ng = 73;
    f.Dg = 2.5;
    f.ReportNumber = std::to_string(index);
    f.ReportNumber.insert(f.ReportNumber.begin(), 'B');
    f.LuminaireName = "Generated";
    f.ConversionFactor = 1;
    f.Lorl = 80;
    f.LampSets.push_back({1, "LED", 1000, "3000 K", "1B", 25});
    for (int h = 0; h < 36; ++h)
        f.CAngles.push_back(h * 10);
    for (int v = 0; v < 73; ++v)
        f.GAngles.push_back(v * 2.5);
    for (int h = 0; h < 36; ++h) {
        tArrEx& row = f.Intensities.emplace_back();
        for (int v = 0; v < 73; ++v)
            row.push_back(1000 + (index + h * 7 + v * 13) % 9000 + 0.5);
    }
    return EulumdatBytes(f);
}

// The folder listed: a generated one, made once and removed at exit, or the
// one named by --folder (--ldt-folder).
class BenchFolder {
public:
    explicit BenchFolder(bool eulumdat) : eulumdat_(eulumdat) {}
    void UseGiven(std::string folder) { folder_ = std::move(folder) + "/"; }
    [[nodiscard]] const std::string& Folder()
    {
        if (folder_.empty())
            Generate();
        return folder_;
    }
    [[nodiscard]] bool Generated() const { return !generated_.empty(); }
    BenchFolder(const BenchFolder&) = delete;
    BenchFolder& operator=(const BenchFolder&) = delete;
    ~BenchFolder()
    {
        std::error_code ignored;
        if (!generated_.empty())
            fs::remove_all(generated_, ignored);
    }

private:
    void Generate()
    {
        generated_ = fs::temp_directory_path() /
                     ("kandora-catalog-bench-" + std::string(eulumdat_ ? "ldt-" : "") + std::to_string(::getpid()));
        fs::create_directories(generated_);
        for (int i = 0; i < kFiles; ++i)
            std::ofstream(generated_ / ("lamp" + std::to_string(i) + (eulumdat_ ? ".ldt" : ".ies")), std::ios::binary)
                << (eulumdat_ ? GeneratedLdt(i) : GeneratedFile(i));
        folder_ = generated_.string() + "/";
    }

    bool eulumdat_;
    std::string folder_;
    fs::path generated_;
};

BenchFolder& TheFolder()
{
    static BenchFolder folder(false);
    return folder;
}

BenchFolder& TheLdtFolder()
{
    static BenchFolder folder(true);
    return folder;
}

double PeakResidentMB()
{
    rusage usage {};
    ::getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;  // kilobytes on Linux
}

void ListWithCaption(benchmark::State& state, CaptionChoice choice, BenchFolder& listed = TheFolder())
{
    const std::string& folder = listed.Folder();
    const std::size_t expected = MatchPhotometricFiles(folder).size();
    SilentFeedback feedback;
    std::size_t faultCount = 0;
    for (auto _ : state) {
        Catalog catalog;
        std::vector<ReadFault> faults;
        catalog.ListFolder(folder, choice, feedback, faults);
        if (static_cast<std::size_t>(catalog.FileCount()) != expected || (listed.Generated() && !faults.empty()))
            state.SkipWithError("the folder did not list cleanly");
        faultCount = faults.size();
        benchmark::DoNotOptimize(catalog.Item(0).caption.data());
    }
    state.counters["files"] = static_cast<double>(expected);
    state.counters["faults"] = static_cast<double>(faultCount);
    state.counters["peak_MB"] = PeakResidentMB();
}

void BM_ListFileNames(benchmark::State& state)
{
    ListWithCaption(state, CaptionChoice::FileName);
}

void BM_ListManufacturers(benchmark::State& state)
{
    ListWithCaption(state, CaptionChoice::Manufacturer);
}

void BM_ListLdtFileNames(benchmark::State& state)
{
    ListWithCaption(state, CaptionChoice::FileName, TheLdtFolder());
}

void BM_ListLdtManufacturers(benchmark::State& state)
{
    ListWithCaption(state, CaptionChoice::Manufacturer, TheLdtFolder());
}

void BM_SortManufacturers(benchmark::State& state)
{
    const std::string& folder = TheFolder().Folder();
    SilentFeedback feedback;
    for (auto _ : state) {
        state.PauseTiming();
        Catalog catalog;
        std::vector<ReadFault> faults;
        catalog.ListFolder(folder, CaptionChoice::Manufacturer, feedback, faults);
        state.ResumeTiming();
        benchmark::DoNotOptimize(catalog.SortCatalog(feedback));
    }
}

// Every file read whole and tokenised in full, one at a time, nothing kept.
void ReadAllInFull(benchmark::State& state, BenchFolder& listed)
{
    const std::string& folder = listed.Folder();
    const std::vector<std::string> names = MatchPhotometricFiles(folder);
    std::string bytes;
    std::size_t total = 0;
    for (auto _ : state) {
        total = 0;
        for (const std::string& name : names) {
            if (!ReadWholeFile(folder + name, bytes).empty())
                continue;
            total += bytes.size();
            TiesData entry = UnreadEntry(name);
            benchmark::DoNotOptimize(ReadEntryBytes(entry, bytes));
        }
    }
    state.counters["MB"] = static_cast<double>(total) / 1e6;
    state.counters["peak_MB"] = PeakResidentMB();
}

void BM_ReadAllInFull(benchmark::State& state)
{
    ReadAllInFull(state, TheFolder());
}

void BM_ReadAllLdtInFull(benchmark::State& state)
{
    ReadAllInFull(state, TheLdtFolder());
}

// The usual output, then a summary table.
class TableReporter : public CollectingReporter {
public:

    void PrintTable() const
    {
        // The fastest repetition of each, in seconds of wall-clock time.
        const auto seconds = [&](std::string_view name) {
            double best = 0;
            for (const Run& run : runs_) {
                if (run.benchmark_name().rfind(name, 0) != 0)
                    continue;
                const double s = run.GetAdjustedRealTime() / 1e3;  // reported in milliseconds
                best = best == 0 ? s : std::min(best, s);
            }
            return best;
        };
        const double names = seconds("BM_ListFileNames");
        const double manufacturers = seconds("BM_ListManufacturers");
        const double sorting = seconds("BM_SortManufacturers");
        const double full = seconds("BM_ReadAllInFull");
        if (names == 0 || manufacturers == 0 || full == 0)
            return;
        const auto verdict = [](bool met) { return met ? "met" : "NOT met"; };
        const double peak = PeakResidentMB();
        std::printf("\n%-44s %10s\n", "wall-clock, fastest run", "seconds");
        std::printf("%-44s %10.3f\n", "list by file name", names);
        std::printf("%-44s %10.3f\n", "list by manufacturer (caption read)", manufacturers);
        std::printf("%-44s %10.3f\n", "sort by manufacturer", sorting);
        std::printf("%-44s %10.3f\n", "read and tokenise every file in full", full);
        std::printf("by manufacturer / full read: %.2f\n", manufacturers / full);
        std::printf("by manufacturer < 0.25 s: %.3f s, %s\n", manufacturers, verdict(manufacturers < 0.25));
        std::printf("peak resident size of the process < 64 MB: %.1f MB, %s\n", peak, verdict(peak < 64));
        const double ldtNames = seconds("BM_ListLdtFileNames");
        const double ldtManufacturers = seconds("BM_ListLdtManufacturers");
        const double ldtFull = seconds("BM_ReadAllLdtInFull");
        if (ldtManufacturers == 0 || ldtFull == 0)
            return;
        std::printf("%-44s %10.3f\n", "EULUMDAT: list by file name", ldtNames);
        std::printf("%-44s %10.3f\n", "EULUMDAT: list by manufacturer (caption read)", ldtManufacturers);
        std::printf("%-44s %10.3f\n", "EULUMDAT: read every file in full", ldtFull);
        std::printf("EULUMDAT / IES caption listing <= 1.1: %.2f, %s\n", ldtManufacturers / manufacturers,
                    verdict(ldtManufacturers / manufacturers <= 1.1));
    }
};

}  // namespace

BENCHMARK(BM_ListFileNames)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ListManufacturers)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_SortManufacturers)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();
BENCHMARK(BM_ReadAllInFull)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ListLdtFileNames)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ListLdtManufacturers)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ReadAllLdtInFull)->Unit(benchmark::kMillisecond)->UseRealTime();

int main(int argc, char** argv)
{
    std::vector<char*> rest;
    for (int i = 0; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg.rfind("--folder=", 0) == 0)
            TheFolder().UseGiven(std::string(arg.substr(9)));
        else if (arg.rfind("--ldt-folder=", 0) == 0)
            TheLdtFolder().UseGiven(std::string(arg.substr(13)));
        else
            rest.push_back(argv[i]);
    }
    int restCount = static_cast<int>(rest.size());
    benchmark::Initialize(&restCount, rest.data());
    TableReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.PrintTable();
    benchmark::Shutdown();
    return 0;
}
