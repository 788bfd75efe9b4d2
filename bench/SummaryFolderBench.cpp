// `kandora-cli summary` of a folder against reading the same files in full,
// in the same run. Both read on every core the machine offers (ReadingWorkers)
// in batches of 256 files; the full read is the list's own loader
// (LoadEntries), the summary is the command's whole work (read, summarise,
// write JSON or CSV) with the output counted instead of printed. Times are
// wall-clock from a warm page cache; the target is summary <= 1.3 x full read.
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
            LoadEntries(pointers, folder, ReadingWorkers());
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
            paths, form, ReadingWorkers(), [&bytes](std::string_view text) { bytes += text.size(); },
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
        const double full = seconds("BM_ReadInFull");
        const double json = seconds("BM_SummaryJson");
        const double csv = seconds("BM_SummaryCsv");
        if (full == 0 || json == 0)
            return;
        std::printf("\n%zu files, %u workers; wall-clock, fastest run\n", Paths().size(), ReadingWorkers());
        std::printf("%-36s %8.3f s\n", "read every file in full", full);
        std::printf("%-36s %8.3f s  %.2f x, %s\n", "summary (JSON)", json, json / full,
                    json / full <= 1.3 ? "met" : "NOT met");
        if (csv > 0)
            std::printf("%-36s %8.3f s  %.2f x, %s\n", "summary --csv", csv, csv / full,
                        csv / full <= 1.3 ? "met" : "NOT met");
    }
};

}  // namespace

BENCHMARK(BM_ReadInFull)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_SummaryJson)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_SummaryCsv)->Unit(benchmark::kMillisecond)->UseRealTime();

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
