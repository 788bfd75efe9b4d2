// The thumbnailer as a file manager runs it, a whole process per picture,
// against ImageMagick writing a blank picture of the same size, the least a
// program that writes a PNG can cost. Both run with a bare environment, the
// way a thumbnailing sandbox starts them; times are wall-clock per process.
//
//   build-release/bench/thumbnailer_bench [--convert=PATH] [benchmark options]
//   (PATH defaults to /usr/bin/convert, Debian's ImageMagick)

#include <benchmark/benchmark.h>

#include "bench/CollectingReporter.h"

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fcntl.h>
#include <spawn.h>
#include <string>
#include <string_view>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;

namespace {

std::string& ConvertPath()
{
    static std::string path = "/usr/bin/convert";
    return path;
}

std::string OutputPath(const char* name)
{
    return (fs::temp_directory_path() / ("kandora-thumbnailer-bench-" + std::to_string(::getpid()) + name)).string();
}

// Runs the command to its end with output discarded; its wall-clock seconds,
// or a negative number when it could not be started or failed.
double RunSeconds(const std::vector<std::string>& command)
{
    std::vector<char*> argv;
    for (const std::string& word : command)
        argv.push_back(const_cast<char*>(word.c_str()));
    argv.push_back(nullptr);
    char path[] = "PATH=/usr/bin:/bin";
    char* envp[] = {path, nullptr};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    const auto start = std::chrono::steady_clock::now();
    pid_t pid = 0;
    const int spawned = ::posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), envp);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0)
        return -1;
    int status = 0;
    if (::waitpid(pid, &status, 0) != pid || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return -1;
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

std::vector<std::string> Thumbnailer(const char* sample, const std::string& out)
{
    return {KANDORA_THUMBNAILER, "-s", "256", std::string(KANDORA_SOURCE_DIR "/samples/") + sample, out};
}

std::vector<std::string> Convert(const std::string& out)
{
    return {ConvertPath(), "-size", "256x256", "xc:white", out};
}

void TimeCommand(benchmark::State& state, const std::vector<std::string>& command)
{
    for (auto _ : state) {
        const double seconds = RunSeconds(command);
        if (seconds < 0) {
            state.SkipWithError(("cannot run " + command.front()).c_str());
            break;
        }
        state.SetIterationTime(seconds);
    }
}

// A type C record: the lines alone, no Qt application.
void BM_ThumbnailerTypeC(benchmark::State& state)
{
    TimeCommand(state, Thumbnailer("pendant-opal-globe.ies", OutputPath("c.png")));
}

// A type B record: the warning icon, so the offscreen platform is loaded.
void BM_ThumbnailerWarningIcon(benchmark::State& state)
{
    TimeCommand(state, Thumbnailer("floodlight-sports-asymmetric.ies", OutputPath("b.png")));
}

void BM_ImageMagickBlank(benchmark::State& state)
{
    TimeCommand(state, Convert(OutputPath("blank.png")));
}

// The two in turn, so that both meet the same load on a shared machine: the
// time is the thumbnailer's, the counter its ratio to ImageMagick's.
void BM_TypeCAgainstImageMagick(benchmark::State& state)
{
    const auto thumbnailer = Thumbnailer("pendant-opal-globe.ies", OutputPath("pair.png"));
    const auto convert = Convert(OutputPath("pair-blank.png"));
    double ours = 0;
    double theirs = 0;
    for (auto _ : state) {
        const double a = RunSeconds(thumbnailer);
        const double b = RunSeconds(convert);
        if (a < 0 || b < 0) {
            state.SkipWithError("cannot run both programs");
            break;
        }
        ours += a;
        theirs += b;
        state.SetIterationTime(a);
    }
    if (theirs > 0)
        state.counters["ratio"] = ours / theirs;
}

class RatioReporter : public CollectingReporter {
public:
    void PrintTable() const
    {
        for (const Run& run : runs_) {
            const auto ratio = run.counters.find("ratio");
            if (ratio == run.counters.end())
                continue;
            const double value = ratio->second.value;
            std::printf("\nthumbnailer (256 px, type C) / ImageMagick blank 256 px PNG: %.2f, target <= 1.0 %s\n", value,
                        value <= 1.0 ? "met" : "NOT met");
        }
    }
};

}  // namespace

BENCHMARK(BM_ThumbnailerTypeC)->Unit(benchmark::kMillisecond)->UseManualTime()->MinTime(2.0);
BENCHMARK(BM_ThumbnailerWarningIcon)->Unit(benchmark::kMillisecond)->UseManualTime()->MinTime(2.0);
BENCHMARK(BM_ImageMagickBlank)->Unit(benchmark::kMillisecond)->UseManualTime()->MinTime(2.0);
BENCHMARK(BM_TypeCAgainstImageMagick)->Unit(benchmark::kMillisecond)->UseManualTime()->MinTime(4.0);

int main(int argc, char** argv)
{
    std::vector<char*> rest;
    for (int i = 0; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg.rfind("--convert=", 0) == 0)
            ConvertPath() = std::string(arg.substr(10));
        else
            rest.push_back(argv[i]);
    }
    int restCount = static_cast<int>(rest.size());
    benchmark::Initialize(&restCount, rest.data());
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.PrintTable();
    benchmark::Shutdown();
    for (const char* name : {"c.png", "b.png", "blank.png", "pair.png", "pair-blank.png"})
        std::remove(OutputPath(name).c_str());
    return 0;
}
