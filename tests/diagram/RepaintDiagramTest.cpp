#include <gtest/gtest.h>

#include "diagram/Goniogram.h"
#include "diagram/RecordingCanvas.h"
#include "diagram/RepaintDiagram.h"

namespace {

tIES Axial()
{
    tIES ies;
    ies.PhotometricType = 1;
    ies.Multiplier = 1;
    ies.HorzAngles = {0};
    ies.VertAngles = {0, 45, 90};
    ies.HorzCount = 1;
    ies.VertCount = 3;
    ies.Candela = {{100, 80, 10}};
    return ies;
}

TEST(RepaintDiagramTest, CopiesThePictureAndKeepsASnapshot)
{
    RecordingCanvas target;
    DiagramSnapshot snapshot;
    DiagramOptions options;
    options.Colors.ButtonFace = QColor(10, 20, 30);
    ASSERT_TRUE(RepaintDiagram(target, 120, 90, Axial(), kRepaintBackground | kRepaintGoniogram, 0, options,
                               &snapshot));
    const auto copies = target.OpsOf(CanvasOp::Kind::Copy);
    ASSERT_EQ(copies.size(), 1u);
    EXPECT_EQ(copies[0].box.topLeft(), QPoint(0, 0));
    ASSERT_FALSE(snapshot.image.isNull());
    EXPECT_EQ(snapshot.image.size(), QSize(120, 90));
    EXPECT_FALSE(snapshot.failed);
    EXPECT_EQ(snapshot.image.pixel(2, 2), qRgb(10, 20, 30));
    int red = 0;
    for (int y = 0; y < 90; ++y)
        for (int x = 0; x < 120; ++x)
            red += snapshot.image.pixel(x, y) == qRgb(255, 0, 0) ? 1 : 0;
    EXPECT_GT(red, 60);  // the main curve
    EXPECT_FALSE(DiagramRepaintRunning());
}

TEST(RepaintDiagramTest, ThumbnailLeavesTheSnapshotAlone)
{
    RecordingCanvas target;
    DiagramSnapshot snapshot;
    snapshot.image = QImage(5, 5, QImage::Format_RGB32);
    RepaintDiagram(target, 100, 100, Axial(), 7, 0, DiagramOptions{}, &snapshot);
    EXPECT_EQ(snapshot.image.size(), QSize(5, 5));
    EXPECT_EQ(target.OpsOf(CanvasOp::Kind::Copy).size(), 1u);
}

// A target that asks for another repaint while the first one copies its picture.
class ReentrantCanvas final : public Canvas {
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
        runningDuringCopy = DiagramRepaintRunning();
        RecordingCanvas other;
        nestedResult = RepaintDiagram(other, 50, 50, Axial(), 3, 0, DiagramOptions{});
    }
    bool runningDuringCopy = false;
    bool nestedResult = true;
};

TEST(RepaintDiagramTest, RepaintRequestedWhileOneRunsIsDropped)
{
    ReentrantCanvas target;
    EXPECT_TRUE(RepaintDiagram(target, 50, 50, Axial(), 3, 0, DiagramOptions{}));
    EXPECT_TRUE(target.runningDuringCopy);
    EXPECT_FALSE(target.nestedResult);
    EXPECT_FALSE(DiagramRepaintRunning());
}

TEST(RepaintDiagramTest, EmptySizeFailsAndMarksTheSnapshot)
{
    RecordingCanvas target;
    DiagramSnapshot snapshot;
    EXPECT_FALSE(RepaintDiagram(target, 0, 50, Axial(), 3, 0, DiagramOptions{}, &snapshot));
    EXPECT_TRUE(snapshot.failed);
    EXPECT_TRUE(target.Ops().empty());
    EXPECT_FALSE(DiagramRepaintRunning());
}

TEST(RepaintDiagramTest, BackgroundOnlyForZeroScale)
{
    tIES dark = Axial();
    dark.Candela = {{0, 0, 0}};
    DiagramSnapshot snapshot;
    RecordingCanvas target;
    DiagramOptions options;
    ASSERT_TRUE(RepaintDiagram(target, 100, 100, dark, 3, 0, options, &snapshot));
    for (int y = 0; y < 100; ++y)
        for (int x = 0; x < 100; ++x)
            ASSERT_NE(snapshot.image.pixel(x, y), qRgb(255, 0, 0)) << x << "," << y;
}

}  // namespace
