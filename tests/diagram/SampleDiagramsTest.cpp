#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "diagram/Goniogram.h"
#include "diagram/RecordingCanvas.h"
#include "photometry/EntryLoader.h"

namespace fs = std::filesystem;

namespace {

// Every photometric file of the sample library and of the shared corpus (when present).
std::vector<fs::path> RealFiles()
{
    std::vector<fs::path> files;
    for (const fs::path& folder : {fs::path(KANDORA_SOURCE_DIR) / "samples",
                                  fs::path(KANDORA_SOURCE_DIR) / ".." / "shared" / "corpus" / "photompy"}) {
        std::error_code error;
        for (const auto& entry : fs::directory_iterator(folder, error))
            if (entry.path().extension() == ".ies")
                files.push_back(entry.path());
    }
    return files;
}

// With the scale taken from the whole matrix (or, in a type C thumbnail, from
// the drawn planes) no curve point can leave the circle of the scale maximum.
TEST(SampleDiagramsTest, EveryPlaneOfEveryFileStaysInsideTheDiagram)
{
    const std::vector<fs::path> files = RealFiles();
    if (files.empty())
        GTEST_SKIP() << "no sample files";
    DiagramOptions options;
    for (const fs::path& path : files) {
        TiesData entry = UnreadEntry(path.filename().string());
        ASSERT_EQ(LoadEntry(entry, path.parent_path().string() + "/").kind, LoadResult::Kind::Loaded) << path;
        const tIES& ies = entry.Ies;
        for (int plane = 0; plane < ies.HorzCount; ++plane) {
            for (int mode : {kGonioNormal, kGonioThumbnail}) {
                RecordingCanvas canvas;
                const int size = mode == kGonioNormal ? 380 : 100;
                ASSERT_TRUE(DrawGoniogram(canvas, size, size, ies, mode, 1, plane, options).drawn) << path;
                // A thumbnail's cross-section (types A and B) may reach past the drawn planes' maximum.
                if (mode == kGonioThumbnail && ies.PhotometricType != 1)
                    break;
                const int radius = size / 2 - kDiagramMargin;
                for (const CanvasOp& op : canvas.Ops()) {
                    if (op.kind != CanvasOp::Kind::LineTo && op.kind != CanvasOp::Kind::MoveTo)
                        continue;
                    const double dx = op.point.x() - size / 2;
                    const double dy = op.point.y() - size / 2;
                    ASSERT_LE(dx * dx + dy * dy, (radius + 1.0) * (radius + 1.0))
                        << path << " plane " << plane << " mode " << mode;
                }
                if (mode == kGonioThumbnail)
                    break;  // the thumbnail always shows the 0-degree plane
            }
        }
    }
}

}  // namespace
