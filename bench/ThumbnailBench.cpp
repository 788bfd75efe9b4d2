// Thumbnails through the file list's item delegate: records read from memory
// and drawn, one thread; and one viewport of never-read files of a large
// folder (read from the page cache and drawn), the way scrolling meets them.
//
//   scripts/make-bench-corpus --files 10000 /tmp/corpus10k
//   build-release/bench/thumbnail_bench --corpus=/tmp/corpus10k
#include <benchmark/benchmark.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <QApplication>
#include <QPainter>
#include <QScrollBar>

#include "browser/FileListView.h"
#include "browser/ThumbnailDelegate.h"
#include "browser/ThumbnailPainting.h"
#include "photometry/EntryLoader.h"

namespace fs = std::filesystem;

namespace {

std::string corpusFolder = KANDORA_SOURCE_DIR "/bench/corpus";

struct FileBytes {
    std::string name;
    std::string bytes;
};

std::vector<FileBytes> ReadFolder(const fs::path& folder, std::size_t limit)
{
    std::vector<FileBytes> files;
    std::error_code error;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder, error)) {
        if (files.size() == limit)
            break;
        if (entry.path().extension() != ".ies")
            continue;
        std::ifstream in(entry.path(), std::ios::binary);
        files.push_back({entry.path().filename().string(), std::string(std::istreambuf_iterator<char>(in), {})});
    }
    return files;
}

// A list in the thumbnail view over `folder`, sized to show `columns` x `rows` cells.
struct ThumbnailList {
    FileListView list;
    QSize grid;

    ThumbnailList(const std::string& folder, int columns, int rows)
    {
        std::vector<ReadFault> faults;
        list.ListFolder(folder + "/", CaptionChoice::FileName, false, faults);
        list.PrepareThumbnailView(nullptr, folder + "/");
        grid = ThumbnailGridSize(list.fontMetrics().height());
        list.setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        const int frame = 2 * list.frameWidth();
        list.resize(grid.width() * columns + frame, grid.height() * rows + frame);
    }
    [[nodiscard]] ThumbnailDelegate& Delegate() { return list.Thumbnails(); }
};

int LoadedCount(const Catalog& catalog)
{
    int loaded = 0;
    for (int i = catalog.FolderCount(); i < catalog.Count(); ++i)
        loaded += catalog.Item(i).entry->Loaded ? 1 : 0;
    return loaded;
}

// Read from memory and drawn through the delegate's paint, caption included.
void BM_ThumbnailFromMemory(benchmark::State& state)
{
    const std::vector<FileBytes> files = ReadFolder(corpusFolder, 500);
    ThumbnailList view(KANDORA_SOURCE_DIR "/samples", 1, 1);
    Catalog& catalog = view.list.Model().catalog();
    if (files.empty() || catalog.FileCount() == 0) {
        state.SkipWithError("no corpus: run scripts/make-bench-corpus");
        return;
    }
    // One entry of the list takes each file in turn, read from memory as LoadEntry reads a file's bytes.
    TiesData& entry = *catalog.Item(catalog.FolderCount()).entry;
    const QModelIndex index = view.list.Model().index(catalog.FolderCount());
    QImage target(view.grid, QImage::Format_RGB32);
    QPainter painter(&target);
    QStyleOptionViewItem option;
    option.initFrom(&view.list);
    option.rect = QRect(QPoint(), view.grid);
    std::size_t next = 0;
    std::int64_t bytes = 0;
    for (auto _ : state) {
        const FileBytes& file = files[next++ % files.size()];
        entry = UnreadEntry(file.name);
        benchmark::DoNotOptimize(ReadEntryBytes(entry, file.bytes));
        view.Delegate().paint(&painter, option, index);
        bytes += static_cast<std::int64_t>(file.bytes.size());
    }
    state.SetItemsProcessed(state.iterations());
    state.SetBytesProcessed(bytes);
}

// The drawing alone: every entry read beforehand.
void BM_ThumbnailDrawOnly(benchmark::State& state)
{
    ThumbnailList view(KANDORA_SOURCE_DIR "/samples", 1, 1);
    const Catalog& catalog = view.list.Model().catalog();
    std::vector<int> rows;
    for (int i = catalog.FolderCount(); i < catalog.Count(); ++i)
        rows.push_back(i);
    view.list.Model().ReadEntries(rows, KANDORA_SOURCE_DIR "/samples/", 1);
    QImage target(view.grid, QImage::Format_RGB32);
    QPainter painter(&target);
    QStyleOptionViewItem option;
    option.initFrom(&view.list);
    option.rect = QRect(QPoint(), view.grid);
    int row = catalog.FolderCount();
    for (auto _ : state) {
        view.Delegate().paint(&painter, option, view.list.Model().index(row));
        row = row + 1 < catalog.Count() ? row + 1 : catalog.FolderCount();
    }
    state.SetItemsProcessed(state.iterations());
}

// The two halves of a paint: the goniogram into the cell, and the caption.
void BM_PictureOnly(benchmark::State& state)
{
    ThumbnailList view(KANDORA_SOURCE_DIR "/samples", 1, 1);
    const Catalog& catalog = view.list.Model().catalog();
    std::vector<const tIES*> records;
    for (int i = catalog.FolderCount(); i < catalog.Count(); ++i) {
        TiesData& entry = *view.list.Model().catalog().Item(i).entry;
        (void)LoadEntry(entry, KANDORA_SOURCE_DIR "/samples/");
        records.push_back(&entry.Ies);
    }
    QImage cell(kThumbnailSide, kThumbnailSide, QImage::Format_ARGB32_Premultiplied);
    const DiagramOptions options = DefaultDiagramOptions();
    std::size_t next = 0;
    for (auto _ : state)
        DrawThumbnailPicture(cell, *records[next++ % records.size()], options);
    state.SetItemsProcessed(state.iterations());
}

void BM_CaptionOnly(benchmark::State& state)
{
    ThumbnailList view(KANDORA_SOURCE_DIR "/samples", 1, 1);
    QImage target(view.grid, QImage::Format_RGB32);
    QPainter painter(&target);
    const ThumbnailCellLayout cell = ThumbnailCell(QRect(QPoint(), view.grid), view.list.fontMetrics().height());
    CaptionLook look{view.list.font(), Qt::black, Qt::white, false};
    const QString text = QStringLiteral("floodlight-narrow-beam-metal-halide_C.ies");
    // A caption met for the first time, as scrolling to a new place meets it.
    for (auto _ : state) {
        CaptionCache captions;
        DrawCaption(painter, cell.label, captions.Shaped(text, look.font, cell.label.width()), look);
    }
    state.SetItemsProcessed(state.iterations());
}

// The list's viewport painted where no file was read yet, as a scroll to a new
// place paints it: 60 cells (10 x 6), every file read from the page cache.
void BM_ViewportOfNeverReadFiles(benchmark::State& state)
{
    ThumbnailList view(corpusFolder, 10, 6);
    const Catalog& catalog = view.list.Model().catalog();
    if (catalog.FileCount() < 9000) {
        state.SkipWithError("needs a folder of 10,000 files: scripts/make-bench-corpus --files 10000");
        return;
    }
    view.list.setAttribute(Qt::WA_DontShowOnScreen);
    view.list.show();
    QApplication::processEvents();
    state.counters["read_before_first_viewport"] = LoadedCount(catalog);
    QImage target(view.list.viewport()->size(), QImage::Format_RGB32);
    QScrollBar* scroll = view.list.verticalScrollBar();
    int page = 0;
    int read = 0;
    for (auto _ : state) {
        state.PauseTiming();
        // Six rows further down each round: 60 entries never painted before.
        scroll->setValue(++page * 6 * view.grid.height());
        const int before = LoadedCount(catalog);
        state.ResumeTiming();
        view.list.viewport()->render(&target);
        state.PauseTiming();
        read += LoadedCount(catalog) - before;
        state.ResumeTiming();
    }
    state.counters["files_read_per_viewport"] = static_cast<double>(read) / static_cast<double>(state.iterations());
}

BENCHMARK(BM_ThumbnailFromMemory)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ThumbnailDrawOnly)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PictureOnly)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_CaptionOnly)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ViewportOfNeverReadFiles)->Iterations(100)->Unit(benchmark::kMillisecond);

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
