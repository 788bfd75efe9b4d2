// Time to read or refuse the costliest files a folder may hold: each of
// these must take well under half a second.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <unistd.h>

#include "photometry/EntryLoader.h"
#include "tests/photometry/HostileFiles.h"

namespace fs = std::filesystem;

namespace {

const fs::path& Folder()
{
    static const fs::path dir = [] {
        fs::path d = fs::temp_directory_path() / ("kandora-hostile-bench-" + std::to_string(::getpid()));
        fs::create_directories(d);
        return d;
    }();
    return dir;
}

void LoadHostile(benchmark::State& state, const HostileFile& file)
{
    std::ofstream(Folder() / file.name, std::ios::binary) << file.bytes();
    for (auto _ : state) {
        TiesData entry = UnreadEntry(file.name);
        benchmark::DoNotOptimize(LoadEntry(entry, Folder().string() + "/"));
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(fs::file_size(Folder() / file.name)));
    fs::remove(Folder() / file.name);
}

}  // namespace

int main(int argc, char** argv)
{
    for (const HostileFile& file : HeavyHostileFiles())
        benchmark::RegisterBenchmark(file.name.c_str(), LoadHostile, file)->Unit(benchmark::kMillisecond)->Iterations(3);
    for (const HostileFile& file : HostileFiles())
        benchmark::RegisterBenchmark(file.name.c_str(), LoadHostile, file)->Unit(benchmark::kMillisecond);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    fs::remove_all(Folder());
    return 0;
}
