// Reading speed of the IES reader over a corpus held in memory, single
// thread, against two baselines over the same numeric text: a bare
// std::from_chars loop and a loop that only finds the tokens. Rates are per
// CPU second of the one thread (the machine may be shared); the table takes
// the best of --benchmark_repetitions runs. The EULUMDAT reader is measured
// the same way over a corpus of EULUMDAT files, when there is one.
//
//   scripts/make-bench-corpus            (once: 2,000 files into bench/corpus/)
//   scripts/make-bench-corpus --format ldt   (2,000 EULUMDAT files into bench/corpus/ldt/)
//   build/bench/reader_bench [--corpus=DIR] [--ldt-corpus=DIR] [benchmark options]

#include <benchmark/benchmark.h>

#include "bench/CollectingReporter.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include <unistd.h>

#include "photometry/EntryLoader.h"
#include "photometry/EulumdatReader.h"
#include "photometry/EulumdatRecord.h"
#include "photometry/IesReader.h"

namespace fs = std::filesystem;

namespace {

struct Corpus {
    std::vector<std::string> names;
    std::vector<std::string> bytes;
    std::vector<std::string_view> numeric;  // the text after each file's TILT line
    std::size_t fileBytes = 0;
    std::size_t numericBytes = 0;
};

Corpus& TheCorpus()
{
    static Corpus corpus;
    return corpus;
}

Corpus& TheLdtCorpus()
{
    static Corpus corpus;
    return corpus;
}

bool LoadCorpus(const fs::path& folder, Corpus& corpus, const char* extension = ".ies")
{
    std::error_code ec;
    std::vector<fs::path> files;
    for (const auto& item : fs::directory_iterator(folder, ec))
        if (item.path().extension() == extension)
            files.push_back(item.path());
    if (ec || files.empty())
        return false;
    std::sort(files.begin(), files.end());
    for (const fs::path& file : files) {
        std::string bytes;
        if (!ReadWholeFile(file.string(), bytes).empty())
            continue;
        corpus.names.push_back(file.filename().string());
        corpus.fileBytes += bytes.size();
        corpus.bytes.push_back(std::move(bytes));
    }
    for (const std::string& bytes : corpus.bytes) {
        const std::string_view text = FileText(bytes);
        const std::string_view numeric = text.substr(SplitHeader(text).numericOffset);
        corpus.numeric.push_back(numeric);
        corpus.numericBytes += numeric.size();
    }
    return true;
}

inline bool IsSeparator(char c)
{
    return c == ' ' || c == '\r' || c == '\n' || c == ',';
}

// Calls `token(first, last)` for every token of `text`.
template <typename F>
inline void ForEachToken(std::string_view text, F&& token)
{
    const char* p = text.data();
    const char* const end = p + text.size();
    for (;;) {
        while (p != end && IsSeparator(*p))
            ++p;
        if (p == end)
            return;
        const char* first = p;
        while (p != end && !IsSeparator(*p))
            ++p;
        token(first, p);
    }
}

void SetRates(benchmark::State& state, std::size_t bytes, std::size_t files)
{
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes));
    state.counters["files/s"] = benchmark::Counter(static_cast<double>(state.iterations() * files),
                                                   benchmark::Counter::kIsRate);
}

// What LoadEntry does once the file's bytes are in memory.
void ReaderLoadEntryPath(benchmark::State& state)
{
    const Corpus& corpus = TheCorpus();
    for (auto _ : state) {
        for (std::size_t i = 0; i < corpus.bytes.size(); ++i) {
            TiesData entry = UnreadEntry(corpus.names[i]);
            const LoadResult result = ReadEntryBytes(entry, corpus.bytes[i]);
            benchmark::DoNotOptimize(result);
            benchmark::DoNotOptimize(entry.Ies.Candela.data());
        }
    }
    SetRates(state, corpus.fileBytes, corpus.bytes.size());
}

// What reading a EULUMDAT file into an entry takes once its bytes are in
// memory: the reader, the record and the keyword texts.
void EulumdatReaderPath(benchmark::State& state)
{
    const Corpus& corpus = TheLdtCorpus();
    if (corpus.bytes.empty()) {
        state.SkipWithError("no EULUMDAT corpus: scripts/make-bench-corpus --format ldt");
        return;
    }
    for (auto _ : state) {
        for (std::size_t i = 0; i < corpus.bytes.size(); ++i) {
            EulumdatFile file;
            const ReadResult result = ReadEulumdat(corpus.bytes[i], file);
            tIES ies = EulumdatRecord(file);
            EntryTexts texts{.fileName = corpus.names[i]};
            FillEulumdatTexts(file, texts);
            benchmark::DoNotOptimize(result);
            benchmark::DoNotOptimize(ies.Candela.data());
            benchmark::DoNotOptimize(texts.lamp.data());
        }
    }
    SetRates(state, corpus.fileBytes, corpus.bytes.size());
}

void BaselineFromChars(benchmark::State& state)
{
    const Corpus& corpus = TheCorpus();
    for (auto _ : state) {
        double sum = 0;
        for (std::string_view text : corpus.numeric)
            ForEachToken(text, [&](const char* first, const char* last) {
                double value = 0;
                std::from_chars(first, last, value);
                sum += value;
            });
        benchmark::DoNotOptimize(sum);
    }
    SetRates(state, corpus.numericBytes, corpus.bytes.size());
}

void BaselineTokeniseOnly(benchmark::State& state)
{
    const Corpus& corpus = TheCorpus();
    for (auto _ : state) {
        std::size_t sum = 0;
        for (std::string_view text : corpus.numeric)
            ForEachToken(text, [&](const char* first, const char* last) {
                sum += static_cast<std::size_t>(last - first) ^ static_cast<unsigned char>(*first);
            });
        benchmark::DoNotOptimize(sum);
    }
    SetRates(state, corpus.numericBytes, corpus.bytes.size());
}

// The usual output, then a summary table.
class TableReporter : public CollectingReporter {
public:

    void PrintTable(const Corpus& corpus) const
    {
        const auto rate = [&](const char* name, const char* counter) {
            double value = 0;
            for (const Run& run : runs_)
                if (run.benchmark_name().rfind(name, 0) == 0 && run.counters.count(counter))
                    value = std::max(value, static_cast<double>(run.counters.at(counter)));  // best repetition
            return value;
        };
        const double reader = rate("ReaderLoadEntryPath", "bytes_per_second") / 1e6;
        const double fromChars = rate("BaselineFromChars", "bytes_per_second") / 1e6;
        const double tokenise = rate("BaselineTokeniseOnly", "bytes_per_second") / 1e6;
        if (reader == 0 || fromChars == 0 || tokenise == 0)
            return;
        std::printf("\nCorpus: %zu files, %.1f MB of file text, %.1f MB of numeric text\n", corpus.bytes.size(),
                    static_cast<double>(corpus.fileBytes) / 1e6, static_cast<double>(corpus.numericBytes) / 1e6);
        std::printf("%-28s %10s %10s\n", "single thread", "MB/s", "files/s");
        std::printf("%-28s %10.0f %10.0f\n", "reader (LoadEntry path)", reader,
                    rate("ReaderLoadEntryPath", "files/s"));
        std::printf("%-28s %10.0f %10.0f\n", "std::from_chars loop", fromChars, rate("BaselineFromChars", "files/s"));
        std::printf("%-28s %10.0f %10.0f\n", "tokenise only", tokenise, rate("BaselineTokeniseOnly", "files/s"));
        const auto verdict = [](bool met) { return met ? "met" : "NOT met"; };
        std::printf("reader >= 600 MB/s: %.0f MB/s, %s\n", reader, verdict(reader >= 600));
        std::printf("reader / from_chars >= 1.5: %.2f, %s\n", reader / fromChars, verdict(reader >= 1.5 * fromChars));
        std::printf("tokenise / reader <= 2: %.2f, %s\n", tokenise / reader, verdict(tokenise <= 2 * reader));
        const double ldt = rate("EulumdatReaderPath", "bytes_per_second") / 1e6;
        if (ldt == 0)
            return;
        const Corpus& ldtCorpus = TheLdtCorpus();
        std::printf("\nEULUMDAT corpus: %zu files, %.1f MB\n", ldtCorpus.bytes.size(),
                    static_cast<double>(ldtCorpus.fileBytes) / 1e6);
        std::printf("%-28s %10.0f %10.0f\n", "EULUMDAT reader + record", ldt, rate("EulumdatReaderPath", "files/s"));
        std::printf("EULUMDAT / IES reader >= 0.5: %.2f, %s\n", ldt / reader, verdict(ldt >= 0.5 * reader));
    }
};

}  // namespace

BENCHMARK(ReaderLoadEntryPath)->Unit(benchmark::kMillisecond);
BENCHMARK(EulumdatReaderPath)->Unit(benchmark::kMillisecond);
BENCHMARK(BaselineFromChars)->Unit(benchmark::kMillisecond);
BENCHMARK(BaselineTokeniseOnly)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    fs::path folder = fs::path(KANDORA_SOURCE_DIR) / "bench" / "corpus";
    if (const char* env = std::getenv("KANDORA_BENCH_CORPUS"))
        folder = env;
    fs::path ldtFolder;
    std::vector<char*> rest;
    for (int i = 0; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg.rfind("--corpus=", 0) == 0)
            folder = std::string(arg.substr(9));
        else if (arg.rfind("--ldt-corpus=", 0) == 0)
            ldtFolder = std::string(arg.substr(13));
        else
            rest.push_back(argv[i]);
    }
    int restCount = static_cast<int>(rest.size());
    benchmark::Initialize(&restCount, rest.data());
    if (!LoadCorpus(folder, TheCorpus())) {
        std::fprintf(stderr, "reader_bench: no IES files in %s; run scripts/make-bench-corpus first\n",
                     folder.c_str());
        return 1;
    }
    if (ldtFolder.empty())
        ldtFolder = folder / "ldt";
    LoadCorpus(ldtFolder, TheLdtCorpus(), ".ldt");
    int unclean = 0;
    for (const std::string& bytes : TheLdtCorpus().bytes) {
        EulumdatFile file;
        unclean += ReadEulumdat(bytes, file).status != ReadResult::Status::Ok;
    }
    if (unclean > 0)
        std::fprintf(stderr, "reader_bench: %d EULUMDAT files do not read cleanly\n", unclean);
    TableReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.PrintTable(TheCorpus());
    benchmark::Shutdown();
    return 0;
}
