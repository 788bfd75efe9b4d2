// What a file whose header holds one 10 MB line costs the interface: its
// listing by keyword caption, its selection (full read, information text,
// label), its tooltip, a thumbnail-view paint and a sort, each with the list
// captioned by that line. Each must stay well under a tenth of a second. The
// last case measures the unbounded text for comparison: what one layout of
// the whole line costs.
//
//   build-release/bench/long_header_bench
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <string>

#include <unistd.h>

#include <QApplication>
#include <QFontMetrics>
#include <QImage>
#include <QLabel>

#include "app/InfoPanel.h"
#include "browser/FileBrowser.h"
#include "browser/ShownFile.h"
#include "browser/FileListView.h"
#include "browser/ThumbnailPainting.h"
#include "browser/ShellNamespace.h"
#include "photometry/EntryLoader.h"
#include "tests/photometry/HostileFiles.h"

namespace fs = std::filesystem;

namespace {

const std::string kName = "header-line-10MB.ies";

// A folder holding the long-line file among a few ordinary ones.
const std::string& Folder()
{
    static const std::string folder = [] {
        const fs::path dir = fs::temp_directory_path() / ("kandora-long-header-" + std::to_string(::getpid()));
        fs::create_directories(dir);
        for (const HostileFile& file : HostileFiles())
            if (file.name == kName || file.name == "lf-only.ies" || file.name == "latin1.ies")
                std::ofstream(dir / file.name, std::ios::binary) << file.bytes();
        return dir.string() + "/";
    }();
    return folder;
}

// A list over the folder captioned by the test keyword, which the long line is.
struct TestCaptionedList {
    FileListView list;
    int row = -1;

    TestCaptionedList()
    {
        std::vector<ReadFault> faults;
        list.resize(600, 400);
        list.ListFolder(Folder(), CaptionChoice::Test, false, faults);
        for (int i = 0; i < list.Entries().Count(); ++i)
            if (list.Entries().Item(i).entry && list.Entries().Item(i).entry->Texts.fileName == kName)
                row = i;
    }
};

void BM_ListByTestCaption(benchmark::State& state)
{
    for (auto _ : state) {
        TestCaptionedList view;
        view.list.FitCaptionColumn(false);
        benchmark::DoNotOptimize(view.row);
    }
}

// The selection: the full read, the information text and its label's layout.
void BM_SelectEntry(benchmark::State& state)
{
    QLabel label;
    label.resize(600, 98);
    ShownFile shown;
    for (auto _ : state) {
        TiesData entry = UnreadEntry(kName);
        benchmark::DoNotOptimize(LoadEntry(entry, Folder()));
        shown.ShowFile(entry, Folder());
        label.setText(InfoText(shown));
        benchmark::DoNotOptimize(label.sizeHint());
    }
}

// Hovering: the tooltip's text and the size it is laid out at.
void BM_Tooltip(benchmark::State& state)
{
    TestCaptionedList view;
    const QModelIndex index = view.list.Model().index(view.row);
    const QFontMetrics metrics(view.list.font());
    for (auto _ : state) {
        const QString tip = index.data(Qt::ToolTipRole).toString();
        benchmark::DoNotOptimize(metrics.boundingRect(QRect(0, 0, 800, 600), Qt::TextWordWrap, tip));
    }
}

void BM_ThumbnailViewPaint(benchmark::State& state)
{
    TestCaptionedList view;
    view.list.PrepareThumbnailView(nullptr, Folder());
    QImage target(view.list.size(), QImage::Format_RGB32);
    for (auto _ : state)
        view.list.viewport()->render(&target);
}

// The paint above keeps shaped captions; a first paint shapes the caption so.
void BM_ThumbnailCaptionShaping(benchmark::State& state)
{
    TestCaptionedList view;
    const QString caption = view.list.Model().index(view.row).data(Qt::DisplayRole).toString();
    const QFont font = view.list.font();
    for (auto _ : state) {
        CaptionCache cache;
        benchmark::DoNotOptimize(cache.Shaped(caption, font, ThumbnailGridSize(12).width()));
    }
}

void BM_SortAndRelayout(benchmark::State& state)
{
    TestCaptionedList view;
    QImage target(view.list.size(), QImage::Format_RGB32);
    for (auto _ : state) {
        view.list.SortCatalog();
        view.list.FitCaptionColumn(false);
        view.list.viewport()->render(&target);
    }
}

// For comparison: the width of the whole line, as a list measured it before.
void BM_UnboundedLineWidth(benchmark::State& state)
{
    TiesData entry = UnreadEntry(kName);
    (void)LoadEntryTexts(entry, Folder());
    const QString whole = NameToText(entry.Texts.test);
    const QFontMetrics metrics(QApplication::font());
    for (auto _ : state)
        benchmark::DoNotOptimize(metrics.horizontalAdvance(whole));
}

BENCHMARK(BM_ListByTestCaption)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SelectEntry)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Tooltip)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ThumbnailViewPaint)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ThumbnailCaptionShaping)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SortAndRelayout)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_UnboundedLineWidth)->Iterations(2)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    fs::remove_all(Folder());
    return 0;
}
