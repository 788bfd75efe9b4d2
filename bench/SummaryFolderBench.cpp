// `kandora-cli summary` of a folder against reading the same files in full,
// in the same run. Both read on every core the machine offers (ReadingWorkers)
// in batches of 256 files; the full read is the list's own loader
// (LoadEntries), the summary is the command's whole work (read, summarise,
// write JSON or CSV) with the output counted instead of printed. Times are
// wall-clock from a warm page cache; the target is summary <= 1.3 x full
// read. Each also runs on one worker, whose CPU time is the work itself on a
// machine busy with other things.
//
//   scripts/make-bench-corpus --files 10000 DIR
//   build-release/bench/summary_folder_bench --folder=DIR [benchmark options]
//   (without --folder, bench/corpus/)

#include <benchmark/benchmark.h>

#include "bench/CollectingReporter.h"

#include <algorithm>
#include <cstdio>
#include <string>
#include <string_view>

#include "browser/Catalog.h"
#include "photometry/EntryLoader.h"
#include "tools/SummaryOutput.h"

namespace {

std::string& Folder()
{
    static std::string folder = KANDORA_SOURCE_DIR "/bench/corpus/";
    return folder;
}

// The folder's photometric files in the order the command takes them.
const std::vector<std::string>& Paths()
{
    static const std::vector<std::string> paths = [] {
        QStringList complaints;
        return ExpandPhotometricInputs({QString::fromStdString(Folder())}, complaints);
    }();
    return paths;
}

constexpr std::size_t kBatch = 256;

// The benchmark's argument: 0 for every core (as the command runs), or a
// number of workers; with one, the CPU time is the work itself, whatever
// else the machine runs.
unsigned Workers(const benchmark::State& state)
{
    return state.range(0) == 0 ? ReadingWorkers() : static_cast<unsigned>(state.range(0));
}

void BM_ReadInFull(benchmark::State& state)
{
    const std::vector<std::string>& paths = Paths();
    if (paths.empty())
        state.SkipWithError("no photometric files in the folder (scripts/make-bench-corpus --files 10000 DIR)");
    std::size_t values = 0;
    for (auto _ : state) {
        values = 0;
        for (std::size_t start = 0; start < paths.size(); start += kBatch) {
            std::vector<TiesData> entries;
            std::vector<TiesData*> pointers;
            std::string folder;
            const std::size_t end = std::min(start + kBatch, paths.size());
            entries.reserve(end - start);
            for (std::size_t i = start; i < end; ++i) {
                const std::size_t slash = paths[i].rfind('/');
                folder = paths[i].substr(0, slash + 1);
                entries.push_back(UnreadEntry(paths[i].substr(slash + 1)));
            }
            for (TiesData& entry : entries)
                pointers.push_back(&entry);
            LoadEntries(pointers, folder, Workers(state));
            for (const TiesData& entry : entries)
                values += entry.Ies.Candela.size();
        }
        benchmark::DoNotOptimize(values);
    }
    state.counters["files"] = static_cast<double>(paths.size());
}

void Summary(benchmark::State& state, SummaryForm form)
{
    const std::vector<std::string>& paths = Paths();
    if (paths.empty())
        state.SkipWithError("no photometric files in the folder (scripts/make-bench-corpus --files 10000 DIR)");
    std::size_t bytes = 0;
    std::size_t failed = 0;
    for (auto _ : state) {
        bytes = 0;
        failed = WriteSummaries(
            paths, form, Workers(state), [&bytes](std::string_view text) { bytes += text.size(); },
            [](const FileSummary&) {});
    }
    state.counters["files"] = static_cast<double>(paths.size());
    state.counters["failed"] = static_cast<double>(failed);
    state.counters["out_MB"] = static_cast<double>(bytes) / 1e6;
}

void BM_SummaryJson(benchmark::State& state)
{
    Summary(state, SummaryForm::Json);
}

void BM_SummaryCsv(benchmark::State& state)
{
    Summary(state, SummaryForm::Csv);
}

class TableReporter : public CollectingReporter {
public:
    void PrintTable() const
    {
        // The fastest repetition of each: wall-clock on every core, CPU time on one.
        const auto seconds = [&](std::string_view name, bool oneWorker) {
            double best = 0;
            for (const Run& run : runs_) {
                const std::string full = run.benchmark_name();
                if (full.rfind(name, 0) != 0 || (full.find("/1/") != std::string::npos) != oneWorker)
                    continue;
                const double s = (oneWorker ? run.GetAdjustedCPUTime() : run.GetAdjustedRealTime()) / 1e3;
                best = best == 0 ? s : std::min(best, s);
            }
            return best;
        };
        std::printf("\n%zu files; fastest run, seconds\n", Paths().size());
        std::printf("%-24s %14s %14s\n", "", "wall, all cores", "CPU, 1 worker");
        const double full = seconds("BM_ReadInFull", false), fullOne = seconds("BM_ReadInFull", true);
        std::printf("%-24s %14.3f %14.3f\n", "read every file in full", full, fullOne);
        for (const auto& [name, label] : {std::pair{"BM_SummaryJson", "summary (JSON)"},
                                          std::pair{"BM_SummaryCsv", "summary --csv"}}) {
            const double all = seconds(name, false), one = seconds(name, true);
            if (full == 0 || all == 0)
                continue;
            std::printf("%-24s %14.3f %14.3f   %.2f x / %.2f x of the full read (target 1.3)\n", label, all, one,
                        all / full, fullOne > 0 ? one / fullOne : 0.0);
        }
        std::printf("workers on every core: %u\n", ReadingWorkers());
    }
};

}  // namespace

BENCHMARK(BM_ReadInFull)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_SummaryJson)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_SummaryCsv)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();

int main(int argc, char** argv)
{
    std::vector<char*> rest;
    for (int i = 0; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg.rfind("--folder=", 0) == 0)
            Folder() = std::string(arg.substr(9)) + "/";
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
