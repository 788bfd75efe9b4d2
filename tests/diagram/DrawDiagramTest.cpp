#include <gtest/gtest.h>

#include "diagram/DrawDiagram.h"
#include "diagram/QPainterCanvas.h"
#include "diagram/RecordingCanvas.h"

namespace {

tIES Axial(double peak = 100)
{
    tIES ies;
    ies.PhotometricType = 1;
    ies.Multiplier = 1;
    ies.HorzAngles = {0};
    ies.VertAngles = {0, 45, 90};
    ies.HorzCount = 1;
    ies.VertCount = 3;
    ies.Candela = {{peak, 0.8 * peak, 0.1 * peak}};
    return ies;
}

DiagramRequest Request(const tIES& ies, int width, int height)
{
    DiagramRequest request;
    request.size = QSize(width, height);
    request.record = &ies;
    return request;
}

int RedPixels(const QImage& image)
{
    int red = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            red += image.pixel(x, y) == qRgb(255, 0, 0) ? 1 : 0;
    return red;
}

TEST(DrawDiagramTest, RepaintCopiesThePictureAndKeepsASnapshotWithItsScale)
{
    const tIES ies = Axial();
    DiagramRequest request = Request(ies, 120, 90);
    request.options.Colors.ButtonFace = QColor(10, 20, 30);
    RecordingCanvas target;
    DiagramSnapshot snapshot;
    const DiagramResult result = RepaintDiagram(target, request, &snapshot);
    ASSERT_TRUE(result.painted);
    const auto copies = target.OpsOf(CanvasOp::Kind::Copy);
    ASSERT_EQ(copies.size(), 1u);
    EXPECT_EQ(copies[0].box.topLeft(), QPoint(0, 0));
    ASSERT_FALSE(snapshot.image.isNull());
    EXPECT_EQ(snapshot.image.size(), QSize(120, 90));
    EXPECT_EQ(snapshot.image.format(), QImage::Format_RGB32);
    EXPECT_FALSE(snapshot.failed);
    EXPECT_EQ(snapshot.image.pixel(2, 2), qRgb(10, 20, 30));
    EXPECT_GT(RedPixels(snapshot.image), 60);  // the main curve
    EXPECT_EQ(result.scaleMax, 100);
    EXPECT_EQ(result.margin, kDiagramMargin);
    EXPECT_EQ(snapshot.scaleMax, 100);
    EXPECT_EQ(snapshot.margin, kDiagramMargin);
}

TEST(DrawDiagramTest, ScaleCarriesTheMultiplierOnlyInNormalMode)
{
    tIES ies = Axial(400);
    ies.Multiplier = 2.5;
    DiagramRequest request = Request(ies, 200, 200);
    request.options.AbsoluteValues = true;
    RecordingCanvas canvas;
    DiagramResult result = DrawDiagram(canvas, request);
    EXPECT_EQ(result.goniogram.scaleMax, 400);
    EXPECT_EQ(result.scaleMax, 1000);
    EXPECT_EQ(result.margin, kDiagramMargin);
    // The hover read-out reads this scale: relative values per kilolumen, but
    // absolute photometry (lumens -1) always in candela.
    request.options.AbsoluteValues = false;
    ies.LampLumens = 1000;
    EXPECT_EQ(DrawDiagram(canvas, request).scaleMax, 400);
    ies.LampLumens = -1;
    EXPECT_EQ(DrawDiagram(canvas, request).scaleMax, 1000);

    request.thumbnail = true;
    result = DrawDiagram(canvas, request);
    EXPECT_TRUE(result.goniogram.drawn);
    EXPECT_EQ(result.scaleMax, 0) << "a thumbnail has no scale to read";
    EXPECT_EQ(result.margin, 1);

    request.thumbnail = false;
    request.record = nullptr;
    result = DrawDiagram(canvas, request);
    EXPECT_TRUE(result.painted);
    EXPECT_FALSE(result.goniogram.drawn);
    EXPECT_EQ(result.margin, 1);
}

TEST(DrawDiagramTest, ThumbnailLeavesTheSnapshotAlone)
{
    const tIES ies = Axial();
    DiagramRequest request = Request(ies, 100, 100);
    request.thumbnail = true;
    RecordingCanvas target;
    DiagramSnapshot snapshot;
    snapshot.image = QImage(5, 5, QImage::Format_RGB32);
    RepaintDiagram(target, request, &snapshot);
    EXPECT_EQ(snapshot.image.size(), QSize(5, 5));
    EXPECT_EQ(target.OpsOf(CanvasOp::Kind::Copy).size(), 1u);
}

// A target that draws another diagram (as the compare window or a printed
// page would) while the first one copies its picture.
class NestingCanvas final : public Canvas {
public:
    void Rectangle(int, int, int, int) override {}
    void Ellipse(int, int, int, int) override {}
    void MoveTo(int, int) override {}
    void LineTo(int, int) override {}
    void TextOut(int, int, const QString&) override {}
    int TextWidth(const QString&) override { return 0; }
    void DrawIcon(int, int, const QIcon&, int, int) override {}
    void DrawImage(const QRect&, const QImage&, const QRect&) override {}
    void CopyImage(int, int, const QImage&) override
    {
        const tIES other = Axial(5000);
        RecordingCanvas page;
        nested = RepaintDiagram(page, Request(other, 300, 300), &nestedSnapshot);
    }
    DiagramResult nested;
    DiagramSnapshot nestedSnapshot;
};

TEST(DrawDiagramTest, TwoTargetsDrawingAtOnceKeepTheirOwnScales)
{
    const tIES ies = Axial(100);
    NestingCanvas target;
    DiagramSnapshot snapshot;
    const DiagramResult result = RepaintDiagram(target, Request(ies, 50, 50), &snapshot);
    EXPECT_TRUE(result.painted);
    EXPECT_TRUE(target.nested.painted) << "no drawing blocks another";
    EXPECT_EQ(result.scaleMax, 100);
    EXPECT_EQ(snapshot.scaleMax, 100);
    EXPECT_EQ(snapshot.image.size(), QSize(50, 50));
    EXPECT_EQ(target.nested.scaleMax, 5000);
    EXPECT_EQ(target.nestedSnapshot.image.size(), QSize(300, 300));
}

TEST(DrawDiagramTest, EmptySizeFailsAndMarksTheSnapshot)
{
    const tIES ies = Axial();
    RecordingCanvas target;
    DiagramSnapshot snapshot;
    snapshot.scaleMax = 7;
    EXPECT_FALSE(RepaintDiagram(target, Request(ies, 0, 50), &snapshot).painted);
    EXPECT_TRUE(snapshot.failed);
    EXPECT_EQ(snapshot.scaleMax, 0);
    EXPECT_TRUE(target.Ops().empty());
}

TEST(DrawDiagramTest, BackgroundOnlyForZeroScale)
{
    tIES dark = Axial();
    dark.Candela = {{0, 0, 0}};
    DiagramSnapshot snapshot;
    RecordingCanvas target;
    const DiagramResult result = RepaintDiagram(target, Request(dark, 100, 100), &snapshot);
    ASSERT_TRUE(result.painted);
    EXPECT_FALSE(result.goniogram.drawn);
    EXPECT_EQ(RedPixels(snapshot.image), 0);
    EXPECT_EQ(snapshot.margin, 1);
}

// The PNG, the off-screen repaint and a direct drawing give the same pixels.
TEST(DrawDiagramTest, OffScreenAndDirectPicturesAreIdentical)
{
    const tIES ies = Axial();
    const DiagramRequest request = Request(ies, 160, 160);
    const DiagramPicture picture = RenderDiagram(request);
    QImage direct(160, 160, QImage::Format_RGB32);
    direct.fill(Qt::white);
    {
        QPainter painter(&direct);
        QPainterCanvas canvas(painter, request.antialiased);
        DrawDiagram(canvas, request);
    }
    EXPECT_EQ(picture.image, direct);
}

}  // namespace
