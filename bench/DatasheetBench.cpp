// Datasheet catalogues written as a PDF, 100 and 1,000 files: datasheet
// pages (one per file) per second, the target being at least 20; and how
// far the resident size rises above its level at the start of a write,
// sampled every tenth step. A write that held its pages would rise ten times
// more for 1,000 files than for 100; a bounded one rises about the same.
//
//   build-release/bench/datasheet_bench [--folder=DIR] [benchmark options]
//   (without --folder: bench/corpus/ from scripts/make-bench-corpus when it
//   holds 1,000 files, otherwise the samples over and over)

#include <benchmark/benchmark.h>

#include "bench/CollectingReporter.h"

#include <QGuiApplication>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

#include "browser/Catalog.h"
#include "diagram/Datasheets.h"

namespace fs = std::filesystem;

namespace {

std::string& GivenFolder()
{
    static std::string folder;
    return folder;
}

// The first `count` photometric files of the folder, by name, repeated when it has fewer.
std::vector<std::string> CataloguePaths(std::size_t count)
{
    std::string folder = GivenFolder();
    if (folder.empty()) {
        folder = KANDORA_SOURCE_DIR "/bench/corpus/";
        if (MatchPhotometricFiles(folder).size() < 1000)
            folder = KANDORA_SOURCE_DIR "/samples/";
    }
    if (folder.back() != '/')
        folder += '/';
    std::vector<std::string> names = MatchPhotometricFiles(folder);
    std::sort(names.begin(), names.end());
    std::vector<std::string> paths;
    for (std::size_t i = 0; i < count && !names.empty(); ++i)
        paths.push_back(folder + names[i % names.size()]);
    return paths;
}

double ResidentMB()
{
    std::ifstream statm("/proc/self/statm");
    double size = 0, resident = 0;
    statm >> size >> resident;
    return resident * static_cast<double>(::sysconf(_SC_PAGESIZE)) / (1024.0 * 1024.0);
}

void BM_DatasheetCatalogue(benchmark::State& state)
{
    const std::vector<std::string> paths = CataloguePaths(static_cast<std::size_t>(state.range(0)));
    QTemporaryDir dir;
    const QString out = dir.filePath(QStringLiteral("catalogue.pdf"));
    double rise = 0;
    int pages = 0;
    for (auto _ : state) {
        const double start = ResidentMB();
        const DatasheetOutcome outcome =
            WriteDatasheets(paths, out, DatasheetPaperSize::A4, [&](int done, int) {
                if (done % 10 == 0)
                    rise = std::max(rise, ResidentMB() - start);
                return true;
            });
        if (outcome.status != DatasheetOutcome::Status::Written)
            state.SkipWithError("the catalogue was not written");
        pages = outcome.pages;
    }
    state.counters["pages"] = pages;
    state.counters["pages_per_s"] = benchmark::Counter(static_cast<double>(paths.size()), benchmark::Counter::kIsIterationInvariantRate);
    state.counters["rise_MB"] = rise;
    state.counters["pdf_MB"] = static_cast<double>(fs::file_size(out.toStdString())) / 1e6;
}

class TableReporter : public CollectingReporter {
public:
    void PrintTable() const
    {
        std::printf("\n%-28s %8s %12s %10s\n", "catalogue", "pages", "pages/s", "rise MB");
        for (const Run& run : runs_) {
            const auto counter = [&](const char* name) {
                const auto it = run.counters.find(name);
                return it == run.counters.end() ? 0.0 : static_cast<double>(it->second);
            };
            std::printf("%-28s %8.0f %12.1f %10.1f\n", run.benchmark_name().c_str(), counter("pages"),
                        counter("pages_per_s"), counter("rise_MB"));
        }
        std::printf("target: at least 20 pages/s, and the rise of 1,000 files near that of 100\n");
    }
};

}  // namespace

BENCHMARK(BM_DatasheetCatalogue)->Arg(100)->Arg(1000)->Unit(benchmark::kSecond)->Iterations(1)->UseRealTime();

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    std::vector<char*> rest;
    for (int i = 0; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg.rfind("--folder=", 0) == 0)
            GivenFolder() = std::string(arg.substr(9));
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
