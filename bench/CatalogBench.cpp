// Listing a folder of 10,000 generated photometric files through the catalog,
// once with the file name as caption (nothing read) and once with the
// manufacturer (every file read). Run from a warm page cache.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

#include "browser/Catalog.h"

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

// The generated folder, made once and removed at exit.
class GeneratedFolder {
public:
    GeneratedFolder()
    {
        path_ = fs::temp_directory_path() / ("kandora-catalog-bench-" + std::to_string(::getpid()));
        fs::create_directories(path_);
        for (int i = 0; i < kFiles; ++i)
            std::ofstream(path_ / ("lamp" + std::to_string(i) + ".ies"), std::ios::binary) << GeneratedFile(i);
    }
    GeneratedFolder(const GeneratedFolder&) = delete;
    GeneratedFolder& operator=(const GeneratedFolder&) = delete;
    ~GeneratedFolder()
    {
        std::error_code ignored;
        fs::remove_all(path_, ignored);
    }
    [[nodiscard]] std::string Folder() const { return path_.string() + "/"; }

private:
    fs::path path_;
};

const GeneratedFolder& Folder()
{
    static const GeneratedFolder folder;
    return folder;
}

void ListWithCaption(benchmark::State& state, int choice)
{
    const std::string folder = Folder().Folder();
    SilentFeedback feedback;
    for (auto _ : state) {
        Catalog catalog;
        std::vector<ReadFault> faults;
        catalog.ListFolder(folder, choice, feedback, faults);
        if (catalog.FileCount() != kFiles || !faults.empty())
            state.SkipWithError("the generated folder did not list cleanly");
        benchmark::DoNotOptimize(catalog.Item(0).caption.data());
    }
    state.counters["files"] = kFiles;
}

void BM_ListFileNames(benchmark::State& state)
{
    ListWithCaption(state, CaptionFileName);
}

void BM_ListManufacturers(benchmark::State& state)
{
    ListWithCaption(state, CaptionManufacturer);
}

void BM_SortManufacturers(benchmark::State& state)
{
    const std::string folder = Folder().Folder();
    SilentFeedback feedback;
    for (auto _ : state) {
        state.PauseTiming();
        Catalog catalog;
        std::vector<ReadFault> faults;
        catalog.ListFolder(folder, CaptionManufacturer, feedback, faults);
        state.ResumeTiming();
        benchmark::DoNotOptimize(catalog.SortCatalog(feedback));
    }
}

}  // namespace

BENCHMARK(BM_ListFileNames)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ListManufacturers)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SortManufacturers)->Unit(benchmark::kMillisecond)->Iterations(3);

BENCHMARK_MAIN();
