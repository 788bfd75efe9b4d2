#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <utility>

#include <QPixmap>

#include "diagram/FormatValue.h"
#include "diagram/Goniogram.h"
#include "diagram/RecordingCanvas.h"

namespace {

using Kind = CanvasOp::Kind;

tIES Record(std::vector<double> horz, std::vector<double> vert, double value = 100, int type = 1)
{
    tIES ies;
    ies.PhotometricType = static_cast<std::uint16_t>(type);
    ies.Multiplier = 1;
    ies.LampLumens = 1000;
    ies.LampCount = 1;
    ies.UnitsType = 2;
    ies.HorzAngles = std::move(horz);
    ies.VertAngles = std::move(vert);
    ies.HorzCount = static_cast<std::uint16_t>(ies.HorzAngles.size());
    ies.VertCount = static_cast<std::uint16_t>(ies.VertAngles.size());
    ies.Candela.assign(ies.HorzAngles.size(), tArrEx(ies.VertAngles.size(), value));
    return ies;
}

DiagramOptions Options()
{
    DiagramOptions options;
    options.Colors.ButtonFace = QColor(1, 2, 3);
    options.Colors.ButtonShadow = QColor(4, 5, 6);
    options.Colors.WindowText = QColor(7, 8, 9);
    return options;
}

std::vector<std::vector<QPoint>> LinesInColor(const RecordingCanvas& canvas, const QColor& color)
{
    std::vector<std::vector<QPoint>> lines;
    for (const CanvasOp& op : canvas.Ops()) {
        if (op.state.pen.color != color)
            continue;
        if (op.kind == Kind::MoveTo)
            lines.push_back({op.point});
        else if (op.kind == Kind::LineTo && !lines.empty())
            lines.back().push_back(op.point);
    }
    return lines;
}

TEST(GoniogramTest, AxialPlaneReachesTheMarginOnBothHalves)
{
    RecordingCanvas canvas;
    const auto result = DrawGoniogram(canvas, 200, 200, Record({0}, {0, 90}), kGonioNormal, 1, 0, Options());
    ASSERT_TRUE(result.drawn);
    const auto lines = LinesInColor(canvas, kMainCurveColor);
    ASSERT_EQ(lines.size(), 2u);
    // Right half: start, the points j = 0 and 1, closed to the centre at 90 degrees.
    EXPECT_EQ(lines[0], (std::vector<QPoint>{{100, 190}, {100, 190}, {190, 100}, {100, 100}}));
    EXPECT_EQ(lines[1], (std::vector<QPoint>{{100, 190}, {100, 190}, {10, 100}, {100, 100}}));
    for (const CanvasOp& op : canvas.Ops()) {
        if (op.state.pen.color == kMainCurveColor) {
            EXPECT_EQ(op.state.pen.width, 2);
        }
    }
}

TEST(GoniogramTest, MissingOppositeClosesTheRightHalfToItsStart)
{
    // Type B from 90 to 270 without "Show complete": no opposite plane.
    tIES ies = Record({90, 180, 270}, {0, 45, 80}, 50, 2);
    RecordingCanvas canvas;
    DrawGoniogram(canvas, 200, 200, ies, kGonioNormal, 1, 0, Options());
    const auto lines = LinesInColor(canvas, kMainCurveColor);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].back(), lines[0].front());
    EXPECT_EQ(lines[0].size(), 5u);
}

TEST(GoniogramTest, NegativeFirstVerticalAngleDrawsOnlyTheRightHalf)
{
    tIES ies = Record({0, 90, 180, 270}, {-90, 0, 90}, 50, 2);
    DiagramOptions options = Options();
    options.Planes.Orthogonal = false;
    RecordingCanvas canvas;
    DrawGoniogram(canvas, 200, 200, ies, kGonioNormal, 1, 0, options);
    const auto lines = LinesInColor(canvas, kMainCurveColor);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0], (std::vector<QPoint>{{10, 100}, {10, 100}, {100, 190}, {190, 100}, {100, 100}}));
}

TEST(GoniogramTest, PerpendicularPairIsDrawnFirstInThePaleColour)
{
    tIES ies = Record({0, 90, 180, 270}, {0, 90});
    ies.Candela[1] = {50, 50};
    ies.Candela[3] = {50, 50};
    RecordingCanvas canvas;
    DrawGoniogram(canvas, 200, 200, ies, kGonioNormal, 1, 0, Options());
    const auto pale = LinesInColor(canvas, kPerpendicularCurveColor);
    ASSERT_EQ(pale.size(), 2u);
    EXPECT_EQ(pale[0][2], QPoint(145, 100));
    EXPECT_EQ(pale[1][2], QPoint(55, 100));
    const auto firstPale = std::find_if(canvas.Ops().begin(), canvas.Ops().end(), [](const CanvasOp& op) {
        return op.state.pen.color == kPerpendicularCurveColor;
    });
    const auto firstRed = std::find_if(canvas.Ops().begin(), canvas.Ops().end(), [](const CanvasOp& op) {
        return op.state.pen.color == kMainCurveColor;
    });
    EXPECT_LT(firstPale, firstRed);
    EXPECT_EQ(firstPale->state.pen.width, 2);

    // Another plane, or the toggle off: no perpendicular pair.
    canvas.Clear();
    DrawGoniogram(canvas, 200, 200, ies, kGonioNormal, 1, 1, Options());
    EXPECT_TRUE(LinesInColor(canvas, kPerpendicularCurveColor).empty());
}

TEST(GoniogramTest, PenWidthsFollowTheFactor)
{
    const tIES ies = Record({0, 90, 180, 270}, {0, 90});
    RecordingCanvas canvas;
    DrawGoniogram(canvas, 400, 400, ies, kGonioNormal, 2.6, 0, Options());
    for (const CanvasOp& op : canvas.Ops()) {
        if (op.state.pen.color == kMainCurveColor) {
            EXPECT_EQ(op.state.pen.width, 5);
        }
        if (op.state.pen.color == kPerpendicularCurveColor) {
            EXPECT_EQ(op.state.pen.width, 3);
        }
    }
}

TEST(GoniogramTest, CrossSectionOfTypeBIsMirroredWhenPlanesStartAtZero)
{
    tIES ies = Record({0, 90}, {-90, 0, 90}, 10, 2);
    ies.Candela[0] = {10, 100, 10};
    ies.Candela[1] = {10, 50, 10};
    RecordingCanvas canvas;
    DrawGoniogram(canvas, 200, 200, ies, kGonioNormal, 1, 0, Options());
    const auto pale = LinesInColor(canvas, kPerpendicularCurveColor);
    ASSERT_EQ(pale.size(), 2u);
    EXPECT_EQ(pale[0], (std::vector<QPoint>{{100, 190}, {100, 190}, {145, 100}}));
    EXPECT_EQ(pale[1], (std::vector<QPoint>{{100, 190}, {100, 190}, {55, 100}}));
}

TEST(GoniogramTest, CrossSectionNeedsAVerticalZeroPastTheFirstIndex)
{
    tIES ies = Record({0, 90}, {0, 45, 90}, 10, 2);
    RecordingCanvas canvas;
    DrawGoniogram(canvas, 200, 200, ies, kGonioNormal, 1, 0, Options());
    EXPECT_TRUE(LinesInColor(canvas, kPerpendicularCurveColor).empty());
}

TEST(GoniogramTest, IntensityGridForV250)
{
    RecordingCanvas canvas;
    const auto result = DrawGoniogram(canvas, 200, 200, Record({0}, {0, 90}, 250), kGonioNormal, 1, 0, Options());
    EXPECT_EQ(result.gridStep, 50);
    EXPECT_EQ(result.gridCount, 5);
    EXPECT_EQ(result.labelHeight, -11);
    const auto circles = canvas.OpsOf(Kind::Ellipse);
    ASSERT_EQ(circles.size(), 6u);
    const int radii[] = {0, 18, 36, 54, 72, 90};
    const char* texts[] = {"0", "50", "100", "150", "200", "250"};
    for (int i = 0; i < 6; ++i) {
        const int l = radii[i];
        EXPECT_EQ(circles[i].box, QRect(QPoint(100 - l, 100 - l), QPoint(100 + l, 100 + l)));
        EXPECT_TRUE(circles[i].state.brush.Hollow());
        EXPECT_EQ(circles[i].state.pen, (CanvasPen{QColor(4, 5, 6), 1}));
        const CanvasOp* text = canvas.FindText(QString::fromLatin1(texts[i]));
        if (i == 4) {
            // 18 pixels apart, the 11-pixel values "200" and "250" (moved up) would overlap.
            EXPECT_EQ(text, nullptr);
            continue;
        }
        ASSERT_NE(text, nullptr) << texts[i];
        // The outermost value would run past the bottom edge: it stands inside its circle.
        EXPECT_EQ(text->point, QPoint(100, i < 5 ? 100 + l : 100 + l - 11));
        EXPECT_EQ(text->state.font, MakeDiagramFont(-11));
        EXPECT_EQ(text->state.textColor, QColor(7, 8, 9));
    }
}

// No scale value is cut by the bottom edge, on screen or on a printed square
// (whose fonts grow with the page while the margin stays 10 pixels), and no
// two values overlap (a small datasheet square with circles close together).
TEST(GoniogramTest, EveryScaleValueEndsAboveTheBottomEdge)
{
    for (const auto& [side, factor] :
         {std::pair{200, 1.0}, std::pair{326, 1.0}, std::pair{3800, 10.0}, std::pair{220, 0.58}}) {
        RecordingCanvas canvas;
        const auto result =
            DrawGoniogram(canvas, side, side, Record({0}, {0, 90}, 1250), kGonioNormal, factor, 0, Options());
        ASSERT_GT(result.gridCount, 2);
        const int text = std::abs(result.labelHeight);
        int previousBottom = 0;
        for (int i = 0; i <= result.gridCount; ++i) {
            const CanvasOp* label = canvas.FindText(FormatValue(i * result.gridStep));
            if (label == nullptr) {
                EXPECT_EQ(i + 1, result.gridCount) << side << ": only the value before the outermost may give way";
                continue;
            }
            EXPECT_LE(label->point.y() + text, side - 1) << side << ": value " << i;
            EXPECT_GE(label->point.y(), side / 2) << "below the centre";
            EXPECT_GE(label->point.y(), previousBottom) << side << ": value " << i << " overlaps the one before";
            previousBottom = label->point.y() + text;
        }
    }
}

TEST(GoniogramTest, AbsoluteValuesScaleTheGridAndTheScaleValue)
{
    tIES ies = Record({0}, {0, 90}, 500);
    ies.Multiplier = 2.5;
    DiagramOptions options = Options();
    options.AbsoluteValues = true;
    RecordingCanvas canvas;
    const auto result = DrawGoniogram(canvas, 200, 200, ies, kGonioNormal, 1, 0, options);
    EXPECT_EQ(result.gridStep, 200);  // V = 1250
    EXPECT_EQ(result.gridCount, 6);
    EXPECT_DOUBLE_EQ(result.scaleValue, 1250);
    EXPECT_NE(canvas.FindText(QStringLiteral("1 200")), nullptr);
}

TEST(GoniogramTest, SmallDiagramShrinksTheLabelFont)
{
    RecordingCanvas canvas;
    // 100 x 100: rx = 40, V = 500, T = 100: spacing 8.
    const auto result = DrawGoniogram(canvas, 100, 100, Record({0}, {0, 90}, 500), kGonioNormal, 1, 0, Options());
    EXPECT_EQ(result.labelHeight, -6);
    EXPECT_EQ(canvas.FindText(QStringLiteral("100"))->state.font.height, -6);
}

TEST(GoniogramTest, ThumbnailHasOnePixelPensAndNoGrid)
{
    const tIES ies = Record({0, 90, 180, 270}, {0, 90});
    DiagramOptions options = Options();
    options.Planes.Orthogonal = false;  // the thumbnail takes the pair anyway
    RecordingCanvas canvas;
    DrawGoniogram(canvas, 100, 100, ies, kGonioThumbnail, 1, 3, options);
    EXPECT_TRUE(canvas.OpsOf(Kind::Ellipse).empty());
    EXPECT_TRUE(canvas.OpsOf(Kind::Text).empty());
    EXPECT_TRUE(canvas.OpsOf(Kind::Icon).empty());
    EXPECT_EQ(LinesInColor(canvas, kPerpendicularCurveColor).size(), 2u);
    EXPECT_EQ(LinesInColor(canvas, kMainCurveColor).size(), 2u);
    for (const CanvasOp& op : canvas.Ops())
        EXPECT_EQ(op.state.pen.width, 1);
}

TEST(GoniogramTest, ThumbnailWarnsForTypesOtherThanC)
{
    tIES ies = Record({0, 90}, {0, 90}, 100, 2);
    DiagramOptions options = Options();
    options.WarningIcon = QIcon(QPixmap(16, 16));
    RecordingCanvas canvas;
    DrawGoniogram(canvas, 100, 100, ies, kGonioThumbnail, 1, 0, options);
    const auto icons = canvas.OpsOf(Kind::Icon);
    ASSERT_EQ(icons.size(), 1u);
    EXPECT_EQ(icons[0].box, QRect(83, 1, 16, 16));
    canvas.Clear();
    options.ShowWarning = false;
    DrawGoniogram(canvas, 100, 100, ies, kGonioThumbnail, 1, 0, options);
    EXPECT_TRUE(canvas.OpsOf(Kind::Icon).empty());
    ies.PhotometricType = 1;
    options.ShowWarning = true;
    DrawGoniogram(canvas, 100, 100, ies, kGonioThumbnail, 1, 0, options);
    EXPECT_TRUE(canvas.OpsOf(Kind::Icon).empty());
}

TEST(GoniogramTest, UnusableScaleOrCanvasDrawsNothing)
{
    RecordingCanvas canvas;
    EXPECT_FALSE(DrawGoniogram(canvas, 200, 200, Record({0}, {0, 90}, 0), kGonioNormal, 1, 0, Options()).drawn);
    EXPECT_FALSE(DrawGoniogram(canvas, 200, 200, Record({0}, {0, 90}, INFINITY), kGonioNormal, 1, 0, Options()).drawn);
    EXPECT_FALSE(DrawGoniogram(canvas, 200, 200, Record({0}, {0, 90}, NAN), kGonioNormal, 1, 0, Options()).drawn);
    EXPECT_FALSE(DrawGoniogram(canvas, 19, 200, Record({0}, {0, 90}), kGonioNormal, 1, 0, Options()).drawn);
    EXPECT_FALSE(DrawGoniogram(canvas, 200, 200, tIES{}, kGonioNormal, 1, 0, Options()).drawn);
    tIES ragged = Record({0, 90}, {0, 90});
    ragged.Candela[1].pop_back();
    EXPECT_FALSE(DrawGoniogram(canvas, 200, 200, ragged, kGonioNormal, 1, 0, Options()).drawn);
    EXPECT_TRUE(canvas.Ops().empty());
}

TEST(GoniogramTest, ZeroMultiplierWithAbsoluteValuesDrawsCurvesWithoutGrid)
{
    tIES ies = Record({0}, {0, 90});
    ies.Multiplier = 0;
    DiagramOptions options = Options();
    options.AbsoluteValues = true;
    RecordingCanvas canvas;
    EXPECT_TRUE(DrawGoniogram(canvas, 200, 200, ies, kGonioNormal, 1, 0, options).drawn);
    EXPECT_TRUE(canvas.OpsOf(Kind::Ellipse).empty());
    EXPECT_FALSE(LinesInColor(canvas, kMainCurveColor).empty());
}

TEST(GoniogramTest, RestoresTheCanvasState)
{
    RecordingCanvas canvas;
    canvas.SetPen(Qt::green, 7);
    canvas.SetSolidBrush(Qt::blue);
    canvas.SetFont(MakeDiagramFont(-30));
    DrawGoniogram(canvas, 200, 200, Record({0}, {0, 90}), kGonioNormal, 1, 0, Options());
    EXPECT_EQ(canvas.State().pen, (CanvasPen{Qt::green, 7}));
    EXPECT_EQ(canvas.State().brush.color, QColor(Qt::blue));
    EXPECT_EQ(canvas.State().font.height, -30);
}

TEST(GoniogramTest, FitScalesEachPlanePair)
{
    tIES ies = Record({0, 90, 180, 270}, {0, 90}, 50);
    ies.Candela[1] = {100, 100};
    DiagramOptions options = Options();
    EXPECT_EQ(DrawGoniogram(*std::make_unique<RecordingCanvas>(), 200, 200, ies, kGonioNormal, 1, 2, options).scaleMax,
              100);
    options.Planes.Fit = true;
    RecordingCanvas canvas;
    EXPECT_EQ(DrawGoniogram(canvas, 200, 200, ies, kGonioNormal, 1, 2, options).scaleMax, 50);
    EXPECT_EQ(LinesInColor(canvas, kMainCurveColor)[0][1], QPoint(100, 190));
}

TEST(BackgroundTest, NormalBackgroundHasFrameCrossCentreCircleAndRadials)
{
    RecordingCanvas canvas;
    DrawDiagramBackground(canvas, 200, 180, false, Options().Colors);
    const auto rects = canvas.OpsOf(Kind::Rectangle);
    ASSERT_EQ(rects.size(), 1u);
    EXPECT_EQ(rects[0].box, QRect(QPoint(0, 0), QPoint(200, 180)));
    EXPECT_EQ(rects[0].state.brush.color, QColor(1, 2, 3));
    EXPECT_EQ(rects[0].state.pen, (CanvasPen{QColor(4, 5, 6), 1}));
    const auto circles = canvas.OpsOf(Kind::Ellipse);
    ASSERT_EQ(circles.size(), 1u);
    EXPECT_EQ(circles[0].box, QRect(QPoint(90, 80), QPoint(110, 100)));
    const auto lines = canvas.Polylines();
    ASSERT_EQ(lines.size(), 2u + 37u);
    EXPECT_EQ(lines[0], (std::vector<QPoint>{{0, 90}, {200, 90}}));
    EXPECT_EQ(lines[1], (std::vector<QPoint>{{100, 0}, {100, 180}}));
    EXPECT_EQ(lines[2], (std::vector<QPoint>{{110, 90}, {200, 90}}));
    EXPECT_EQ(lines[11], (std::vector<QPoint>{{100, 100}, {100, 180}}));  // 90 degrees
    EXPECT_EQ(lines[2 + 36], lines[2]);
    EXPECT_EQ(canvas.State().pen, CanvasPen{});  // restored
}

TEST(BackgroundTest, ThumbnailBackgroundIsFrameAndCrossOnly)
{
    RecordingCanvas canvas;
    DrawDiagramBackground(canvas, 100, 100, true, Options().Colors);
    EXPECT_TRUE(canvas.OpsOf(Kind::Ellipse).empty());
    EXPECT_EQ(canvas.Polylines().size(), 2u);
}

}  // namespace
