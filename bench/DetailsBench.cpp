// The details view and the filter over a large folder, with a warm page cache:
// the time from opening the folder until every row has its values, a sort by
// a numeric column, one filter keystroke (the list laid out again), and
// `list --where`'s work against reading every file in full, in the same run.
//
//   scripts/make-bench-corpus --files 10000 /tmp/corpus10k
//   build-release/bench/details_bench --corpus=/tmp/corpus10k
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include <QApplication>
#include <QElapsedTimer>
#include <QHeaderView>

#include "browser/FileListView.h"
#include "photometry/EntryLoader.h"

namespace {

std::string corpusFolder = KANDORA_SOURCE_DIR "/bench/corpus";

std::string Folder()
{
    return corpusFolder.back() == '/' ? corpusFolder : corpusFolder + "/";
}

// A details view of the corpus, shown off screen at a usual size.
struct DetailsList {
    FileListView list;
    explicit DetailsList(bool fill)
    {
        list.setAttribute(Qt::WA_DontShowOnScreen);
        list.resize(900, 600);
        list.ShowAsDetails();
        list.show();
        std::vector<ReadFault> faults;
        list.ListFolder(Folder(), CaptionChoice::FileName, true, faults);
        if (fill)
            WaitFilled();
    }
    void WaitFilled()
    {
        list.viewport()->repaint();
        // Sleeps between events as the window's loop does (a loop that spins
        // would take a core from the readers).
        while (list.Model().PendingCount() > 0)
            QApplication::processEvents(QEventLoop::WaitForMoreEvents);
        QApplication::processEvents();
    }
};

bool EnoughFiles(benchmark::State& state, const Catalog& catalog)
{
    if (catalog.TotalFileCount() >= 9000)
        return true;
    state.SkipWithError("needs a folder of 10,000 files: scripts/make-bench-corpus --files 10000");
    return false;
}

// From the folder's opening to the last row's values on screen.
void BM_DetailsFilled(benchmark::State& state)
{
    for (auto _ : state) {
        DetailsList view(false);
        if (!EnoughFiles(state, view.list.Entries()))
            return;
        view.WaitFilled();
        view.list.viewport()->repaint();
        state.PauseTiming();
        state.counters["files"] = view.list.Entries().TotalFileCount();
        state.ResumeTiming();
    }
}

// A click on "lm/W" in a filled view: sorted and laid out again.
void BM_SortByEfficacy(benchmark::State& state)
{
    DetailsList view(true);
    if (!EnoughFiles(state, view.list.Entries()))
        return;
    QHeaderView& header = view.list.DetailsHeader();
    const int column = static_cast<int>(DetailColumn::Efficacy);
    bool descending = false;
    for (auto _ : state) {
        header.setSortIndicator(column, descending ? Qt::DescendingOrder : Qt::AscendingOrder);
        QApplication::processEvents();
        view.list.viewport()->repaint();
        descending = !descending;
    }
}

// One keystroke in the filter box: parsed, the whole folder matched, the
// list laid out and painted again.
void BM_FilterKeystroke(benchmark::State& state)
{
    DetailsList view(true);
    if (!EnoughFiles(state, view.list.Entries()))
        return;
    const std::string texts[] = {"flux>=1500 flux<=2500 beam<40 lm/w>10", "flux>=1500 flux<=2500 beam<40 lm/w>100"};
    int k = 0;
    for (auto _ : state) {
        const std::string& text = texts[k++ % 2];
        view.list.SetFilter(ParseFilter(text));
        QApplication::processEvents();
        view.list.viewport()->repaint();
    }
    state.counters["shown"] = view.list.Entries().FileCount();
}

// list --where's work: list, read every file whole and summarise, filter.
void BM_ListWhere(benchmark::State& state)
{
    for (auto _ : state) {
        Catalog catalog;
        SilentFeedback silent;
        std::vector<ReadFault> faults;
        (void)catalog.ListFolder(Folder(), CaptionChoice::FileName, silent, faults);
        if (!EnoughFiles(state, catalog))
            return;
        (void)ExamineEntries(catalog, Folder(), ReadingWorkers());
        (void)catalog.SetFilter(ParseFilter("flux>=1500 flux<=2500 beam<40 lm/w>100"));
        benchmark::DoNotOptimize(catalog.FileCount());
    }
}

// The yardstick: list and read every file in full, on every core.
void BM_ReadEveryFileInFull(benchmark::State& state)
{
    for (auto _ : state) {
        Catalog catalog;
        SilentFeedback silent;
        std::vector<ReadFault> faults;
        (void)catalog.ListFolder(Folder(), CaptionChoice::FileName, silent, faults);
        if (!EnoughFiles(state, catalog))
            return;
        std::vector<TiesData*> entries;
        for (int i = catalog.FolderCount(); i < catalog.Count(); ++i)
            entries.push_back(catalog.Item(i).entry.get());
        LoadEntries(entries, Folder(), ReadingWorkers());
        benchmark::DoNotOptimize(entries.front()->Loaded);
    }
}

BENCHMARK(BM_DetailsFilled)->Iterations(5)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SortByEfficacy)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FilterKeystroke)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadEveryFileInFull)->Iterations(5)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ListWhere)->Iterations(5)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadEveryFileInFull)->Iterations(5)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg.rfind("--corpus=", 0) == 0)
            corpusFolder = arg.substr(9);
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
