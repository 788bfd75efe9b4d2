#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "diagram/DrawDiagram.h"
#include "diagram/RecordingCanvas.h"
#include "photometry/EntryLoader.h"
#include "photometry/EulumdatConversion.h"
#include "photometry/FormatSave.h"
#include "tests/photometry/TempFolderTest.h"

// Every EULUMDAT file draws as its IES conversion draws: each plane's
// diagram (curves, scale, labels or pictograms, the luminaire's sketch) and
// the thumbnail make the same canvas calls, points within a pixel.

namespace fs = std::filesystem;

namespace {

// An asymmetric distribution folded as the symmetry says, so that a plane
// taken from the wrong side draws another curve.
double Folded(int isym, double c, double gamma)
{
    if (isym == 1)
        c = 0;
    else if (isym == 2 && c > 180)
        c = 360 - c;
    else if (isym == 3 && (c < 90 || c > 270))
        c = std::fmod(540 - c, 360.0);
    else if (isym == 4)
        c = std::fmod(c, 180.0) <= 90 ? std::fmod(c, 180.0) : 180 - std::fmod(c, 180.0);
    return (400 + c) * std::pow(std::cos(gamma * M_PI / 360), 4) + 20 * std::sin(c * M_PI / 90);
}

struct Shape {
    const char* name;
    int ityp, isym, nc;
    int lamps;  // negative: absolute
    double areaLength, areaWidth;
};

// A file of each symmetry; a linear luminaire's long narrow opening; a round one.
const Shape kShapes[] = {
    {"none.ldt", 3, 0, 24, 1, 300, 300},        {"vertical-axis.ldt", 1, 1, 1, 2, 200, 0},
    {"c0-c180.ldt", 3, 2, 24, 1, 600, 100},     {"c90-c270.ldt", 3, 3, 24, 1, 600, 100},
    {"both-planes.ldt", 3, 4, 36, 3, 500, 500}, {"linear.ldt", 2, 4, 24, 1, 1500, 60},
    {"absolute.ldt", 3, 2, 12, -1, 0, 0},
};

std::string Generated(const Shape& shape)
{
    EulumdatFile f;
    f.Company = "Halvard Lighting Works";
    f.Ityp = shape.ityp;
    f.Isym = shape.isym;
    f.Nc = shape.nc;
    f.Dc = 360.0 / shape.nc;
    f.Dg = 5;
    f.Ng = 37;
    f.ReportNumber = "R-1";
    f.LuminaireName = shape.name;
    f.AreaLength = shape.areaLength;
    f.AreaWidth = shape.areaWidth;
    f.AreaHeights = {40, 40, 40, 40};
    f.LuminaireLength = shape.areaLength;
    f.Lorl = 80;
    f.DownwardFlux = 100;
    f.ConversionFactor = 1;
    f.LampSets.push_back({shape.lamps, "LED", 3000, "3000 K", "1B", 31.5});
    for (int k = 0; k < shape.nc; ++k)
        f.CAngles.push_back(k * 360.0 / shape.nc);
    for (int j = 0; j < f.Ng; ++j)
        f.GAngles.push_back(j * 5.0);
    for (int i = 0; i < StoredPlaneCount(shape.isym, shape.nc); ++i) {
        const double c = f.CAngles[static_cast<std::size_t>((FirstStoredPlane(shape.isym, shape.nc) + i) % shape.nc)];
        tArrEx& row = f.Intensities.emplace_back();
        for (double gamma : f.GAngles)
            row.push_back(Folded(shape.isym, c, gamma));
    }
    return EulumdatBytes(f);
}

// The same distribution written as LM-63 by hand, in its own plane
// convention for the symmetry: what a reader of the EULUMDAT file must draw.
std::string IndependentIes(const Shape& shape)
{
    const double first = shape.isym == 3 ? 90 : 0;
    const double last = shape.isym == 1 ? 0 : shape.isym == 4 ? 90 : shape.isym == 2 ? 180 : shape.isym == 3 ? 270 : 360;
    std::vector<double> planes;
    for (double c = first; c <= last; c += 360.0 / shape.nc)
        planes.push_back(c);
    const auto n = [](double value) { return FormatIesNumber(value); };  // locale-free
    const bool round = shape.areaWidth == 0;
    std::string text = "IESNA:LM-63-2002\r\nTILT=NONE\r\n" + std::to_string(std::abs(shape.lamps)) + " " +
                       (shape.lamps < 0 ? std::string("-1") : n(3000.0 / shape.lamps)) + " 1 37 " +
                       std::to_string(planes.size()) + " 1 2 " + n(round ? -shape.areaLength / 1000 : shape.areaWidth / 1000) +
                       " " + n(round ? 0 : shape.areaLength / 1000) + " 0.04\r\n1 1 31.5\r\n";
    for (int j = 0; j < 37; ++j)
        text += n(j * 5.0) + " ";
    text += "\r\n";
    for (double c : planes)
        text += n(c) + " ";
    for (double c : planes) {
        text += "\r\n";
        for (int j = 0; j < 37; ++j)
            text += n(Folded(shape.isym, std::fmod(c, 360.0), j * 5.0) * 3) + " ";
    }
    return text + "\r\n";
}

void ExpectSameDrawing(const tIES& ldt, const tIES& ies, const std::string& name)
{
    ASSERT_EQ(ldt.HorzCount, ies.HorzCount) << name;
    for (int plane = 0; plane < ldt.HorzCount; ++plane) {
        for (const bool thumbnail : {false, true}) {
            for (const bool labels : {false, true}) {
                DiagramRequest request;
                request.size = thumbnail ? QSize(100, 100) : QSize(380, 380);
                request.planeIndex = plane;
                request.thumbnail = thumbnail;
                request.options.TextLabels = labels;
                RecordingCanvas a, b;
                request.record = &ldt;
                const bool drawn = DrawDiagram(a, request).goniogram.drawn;
                request.record = &ies;
                DrawDiagram(b, request);
                const std::string where = name + " plane " + std::to_string(plane) + (thumbnail ? " thumbnail" : "") +
                                          (labels ? " labels" : "");
                ASSERT_TRUE(drawn) << where;
                ASSERT_EQ(a.Ops().size(), b.Ops().size()) << where;
                for (std::size_t i = 0; i < a.Ops().size(); ++i) {
                    const CanvasOp& x = a.Ops()[i];
                    const CanvasOp& y = b.Ops()[i];
                    ASSERT_EQ(x.kind, y.kind) << where << " call " << i;
                    EXPECT_EQ(x.text, y.text) << where << " call " << i;
                    EXPECT_LE(std::abs(x.point.x() - y.point.x()) + std::abs(x.point.y() - y.point.y()), 1)
                        << where << " call " << i;
                    EXPECT_LE((x.box.topLeft() - y.box.topLeft()).manhattanLength() +
                                  (x.box.bottomRight() - y.box.bottomRight()).manhattanLength(),
                              2)
                        << where << " call " << i;
                }
                if (thumbnail)
                    break;  // a thumbnail shows no labels
            }
        }
    }
}

// The EULUMDAT file `name` in `folder` and its IES conversion written into `out`.
void CompareWithConversion(const std::string& folder, const std::string& name, const std::string& out)
{
    TiesData ldt = UnreadEntry(name);
    ASSERT_EQ(LoadEntry(ldt, folder).kind, LoadResult::Kind::Loaded) << name;
    const FormatSaveResult saved = SaveInFormat(folder, name, PhotometricFormat::Ies, out);
    ASSERT_TRUE(saved.Written()) << name << ": " << saved.message;
    TiesData ies = UnreadEntry(saved.newName);
    ASSERT_EQ(LoadEntry(ies, out).kind, LoadResult::Kind::Loaded) << saved.newPath;
    ExpectSameDrawing(ldt.Ies, ies.Ies, name);
}

class EulumdatDiagramTest : public TempFolderTest {
protected:
    EulumdatDiagramTest() : TempFolderTest("kandora-ldt-diagram-") {}
    void SetUp() override
    {
        TempFolderTest::SetUp();
        fs::create_directories(dir_ / "out");
    }
    [[nodiscard]] std::string Folder() const { return dir_.string() + "/"; }
    [[nodiscard]] std::string Out() const { return dir_.string() + "/out/"; }
};

// Each generated file draws as its conversion and as the same light written
// as IES by hand: a symmetry unfolded the wrong way round draws another curve.
TEST_F(EulumdatDiagramTest, GeneratedFilesOfEverySymmetryDrawAsTheirConversions)
{
    for (const Shape& shape : kShapes) {
        std::ofstream(dir_ / shape.name, std::ios::binary) << Generated(shape);
        CompareWithConversion(Folder(), shape.name, Out());
        const std::string ies = std::string(shape.name) + ".ies";
        std::ofstream(dir_ / ies, std::ios::binary) << IndependentIes(shape);
        TiesData ldt = UnreadEntry(shape.name), byHand = UnreadEntry(ies);
        ASSERT_EQ(LoadEntry(ldt, Folder()).kind, LoadResult::Kind::Loaded);
        ASSERT_EQ(LoadEntry(byHand, Folder()).kind, LoadResult::Kind::Loaded);
        ASSERT_EQ(ldt.Ies.HorzAngles, byHand.Ies.HorzAngles) << shape.name;
        ExpectSameDrawing(ldt.Ies, byHand.Ies, std::string(shape.name) + " by hand");
    }
}

TEST_F(EulumdatDiagramTest, SharedCorpusFilesDrawAsTheirConversions)
{
    const fs::path folder = fs::path(KANDORA_SOURCE_DIR) / ".." / "shared" / "corpus" / "photometric-viewer" / "ldt";
    if (!fs::exists(folder))
        GTEST_SKIP() << "no shared corpus beside the repository";
    int files = 0;
    for (const auto& item : fs::directory_iterator(folder)) {
        CompareWithConversion(folder.string() + "/", item.path().filename().string(), Out());
        ++files;
    }
    EXPECT_EQ(files, 15);
}

}  // namespace
