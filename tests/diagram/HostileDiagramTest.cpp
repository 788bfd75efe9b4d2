#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <unistd.h>

#include "diagram/Goniogram.h"
#include "diagram/RecordingCanvas.h"
#include "diagram/DrawDiagram.h"
#include "photometry/EntryLoader.h"
#include "tests/photometry/HostileFiles.h"

namespace fs = std::filesystem;

namespace {

constexpr int kSize = 200;
// Far outside any sane drawing; a NaN or an overflow turned into an int
// lands at INT_MIN on this hardware, which this catches.
constexpr int kWild = 64 * kSize;

bool Sane(const QPoint& p)
{
    return std::abs(p.x()) < kWild && std::abs(p.y()) < kWild;
}

bool Sane(const QRect& r)
{
    return Sane(r.topLeft()) && Sane(r.bottomRight());
}

// Every coordinate the diagram handed to the canvas is near the canvas.
void ExpectSaneDrawing(const RecordingCanvas& canvas, const std::string& what)
{
    for (const CanvasOp& op : canvas.Ops()) {
        ASSERT_TRUE(Sane(op.point)) << what << ": point " << op.point.x() << "," << op.point.y();
        ASSERT_TRUE(Sane(op.box)) << what << ": box " << op.box.left() << "," << op.box.top();
    }
}

std::vector<DiagramOptions> OptionSets()
{
    std::vector<DiagramOptions> sets;
    for (int bits = 0; bits < 16; ++bits) {
        DiagramOptions options;
        options.Planes.Fit = bits & 1;
        options.Planes.Orthogonal = bits & 2;
        options.Planes.ShowComplete = bits & 4;
        options.AbsoluteValues = bits & 8;
        options.TextLabels = true;
        sets.push_back(options);
    }
    return sets;
}

void DrawEveryWay(const tIES& ies, const std::string& name)
{
    for (const DiagramOptions& options : OptionSets()) {
        for (int plane : {0, std::max(0, ies.HorzCount - 1), ies.HorzCount / 2}) {
            RecordingCanvas canvas;
            DrawDiagramBackground(canvas, kSize, kSize, false, options.Colors);
            (void)DrawGoniogram(canvas, kSize, kSize, ies, kGonioNormal, 1.0, plane, options);
            ExpectSaneDrawing(canvas, name + " normal, plane " + std::to_string(plane));
        }
        RecordingCanvas thumbnail;
        (void)DrawGoniogram(thumbnail, kSize / 2, kSize / 2, ies, kGonioThumbnail, 1.0, 0, options);
        ExpectSaneDrawing(thumbnail, name + " thumbnail");
    }
    // The full repaint paints through QPainter onto an image.
    RecordingCanvas target;
    DiagramRequest request;
    request.size = QSize(kSize, kSize);
    request.record = &ies;
    request.options = OptionSets()[3];
    (void)RepaintDiagram(target, request);
    ExpectSaneDrawing(target, name + " repaint");
}

// Every hostile file that reads must draw, or decline to draw, sanely.
TEST(HostileDiagram, EveryReadableHostileFileDrawsWithinTheCanvas)
{
    const fs::path dir = fs::temp_directory_path() / ("kandora-hostile-diagram-" + std::to_string(::getpid()));
    fs::create_directories(dir);
    int drawn = 0;
    for (const HostileFile& file : HostileFiles()) {
        std::ofstream(dir / file.name, std::ios::binary) << file.bytes();
        TiesData entry = UnreadEntry(file.name);
        if (LoadEntry(entry, dir.string() + "/").kind != LoadResult::Kind::Loaded)
            continue;
        ++drawn;
        DrawEveryWay(entry.Ies, file.name);
        fs::remove(dir / file.name);
    }
    fs::remove_all(dir);
    EXPECT_GT(drawn, 20);
}

tIES Extreme(double value, double multiplier, double angle, int type)
{
    tIES ies;
    ies.PhotometricType = static_cast<std::uint16_t>(type);
    ies.LampLumens = 1000;
    ies.Multiplier = multiplier;
    ies.VertAngles = {0, angle, 90};
    ies.HorzAngles = {0, angle};
    ies.VertCount = 3;
    ies.HorzCount = 2;
    ies.Candela = {{value, -value, value}, {value / 3, value, 0}};
    ies.Width = ies.Length = ies.Height = value;
    return ies;
}

// What a file may legally hold once read: the largest finite values, of
// either sign, in candela, multiplier, angles and dimensions.
TEST(HostileDiagram, ExtremeFiniteRecordsDrawWithinTheCanvas)
{
    for (int type : {1, 2, 3})
        for (double value : {1e308, -1e308, 1e-308, 0.0})
            for (double multiplier : {1e308, 1.0, -1.0, 0.0})
                for (double angle : {1e308, -1e308, 45.0}) {
                    const std::string name = "type " + std::to_string(type) + " value " + std::to_string(value) +
                                             " multiplier " + std::to_string(multiplier) + " angle " +
                                             std::to_string(angle);
                    DrawEveryWay(Extreme(value, multiplier, angle, type), name);
                }
}

}  // namespace
