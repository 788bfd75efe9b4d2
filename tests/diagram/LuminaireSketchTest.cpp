#include <gtest/gtest.h>

#include <cmath>

#include "diagram/Goniogram.h"
#include "diagram/LuminaireSketch.h"
#include "diagram/PictogramStrip.h"
#include "diagram/RecordingCanvas.h"

namespace {

tIES Shape(double w, double l, double h, int units = 2, int type = 1)
{
    tIES ies;
    ies.PhotometricType = static_cast<std::uint16_t>(type);
    ies.UnitsType = static_cast<std::uint16_t>(units);
    ies.Multiplier = 1;
    ies.Width = w;
    ies.Length = l;
    ies.Height = h;
    ies.HorzAngles = {0};
    ies.VertAngles = {0, 90};
    ies.HorzCount = 1;
    ies.VertCount = 2;
    ies.Candela = {{100, 50}};
    return ies;
}

struct ShapeCase {
    double w, l, h;
    int units;
    const char* name;
    int cell;
    const char* dimensions;
};

class ShapeTest : public ::testing::TestWithParam<ShapeCase> {};

TEST_P(ShapeTest, SignsChooseTheShape)
{
    const ShapeCase& c = GetParam();
    const LuminaireShape shape = ClassifyShape(Shape(c.w, c.l, c.h, c.units));
    EXPECT_EQ(shape.name.toStdString(), c.name);
    EXPECT_EQ(shape.cell, c.cell);
    EXPECT_EQ(shape.dimensions.toStdString(), c.dimensions);
}

INSTANTIATE_TEST_SUITE_P(
    Table, ShapeTest,
    ::testing::Values(
        ShapeCase{0.6, 1.2, 0, 2, "Rect", kCellRectangle, "600x1200 mm"},
        ShapeCase{-0.3, 0, 0, 2, "Circle", kCellDisc, "D=300 mm"},
        ShapeCase{-0.3, 0, -0.3, 2, "Sphere", kCellSphere, "D=300 mm"},
        ShapeCase{-0.1, 0, 0.5, 1, "Vertical cilinder", kCellUprightCylinder, "D=0.1 H=0.5 feet"},
        ShapeCase{0.2, 0, -0.1, 2, "Horiz. cilinder || width", kCellCylinderAlongLength, "D=100 H=200 mm"},
        ShapeCase{0, 0.4, -0.1, 2, "Horiz. cilinder || length", kCellCylinderAlongWidth, "D=100 H=400 mm"},
        ShapeCase{-0.2, 0.4, 0, 2, "", kCellQuestion, "-200x400x0 mm"},
        ShapeCase{0.4, -0.2, -0.1, 2, "Ellipsoid || width", kCellUprightEllipsoid, "400x200x100 mm"},
        ShapeCase{-0.4, 0.2, -0.1, 2, "Ellipsoid || length", kCellFlatEllipsoid, "400x200x100 mm"},
        ShapeCase{0.4, -0.2, 0.1, 2, "Ellipse || width", kCellUprightEllipse, "400x200 mm"},
        ShapeCase{-0.4, 0.2, 0.1, 2, "Ellipse || length", kCellFlatEllipse, "400x200x100 mm"},
        ShapeCase{0.5, 0.5, -0.25, 1, "Box", kCellBox, "0.5x0.5x0.25 feet"},
        ShapeCase{0, 0, 0, 2, "Point", kCellPoint, "0x0x0 mm"},
        ShapeCase{0, 0, 0.2, 2, "", kCellQuestion, "0x0x200 mm"},
        ShapeCase{NAN, 0, 0, 2, "Circle", kCellDisc, "D=NAN mm"}));

TEST(DimTextTest, AbsoluteValueInTheShownUnit)
{
    const tIES metres = Shape(-0.3, 1.25, 0.0005);
    EXPECT_EQ(DimText(metres, Dimension::Width, false), QStringLiteral("300"));
    EXPECT_EQ(DimText(metres, Dimension::Length, true), QStringLiteral("1250 mm"));
    EXPECT_EQ(DimText(metres, Dimension::Height, true), QStringLiteral("0.5 mm"));
    const tIES feet = Shape(-2, 0, 0, 1);
    EXPECT_EQ(DimText(feet, Dimension::Width, true), QStringLiteral("2 feet"));
}

class SketchTest : public ::testing::Test {
protected:
    void Draw(const tIES& ies, bool labels, double factor = 1.0)
    {
        DiagramOptions options;
        options.TextLabels = labels;
        canvas_.Clear();
        ASSERT_TRUE(DrawGoniogram(canvas_, 200, 200, ies, kGonioNormal, factor, 0, options).drawn);
    }
    std::vector<QRect> CellsAt(int cell) const
    {
        std::vector<QRect> boxes;
        for (const CanvasOp& op : canvas_.OpsOf(CanvasOp::Kind::Image))
            if (op.source == QRect(16 * cell, 0, 16, 16))
                boxes.push_back(op.box);
        return boxes;
    }
    RecordingCanvas canvas_;
};

TEST_F(SketchTest, TextStyleNamesTheShapeAtTheBottomLeft)
{
    Draw(Shape(0.6, 1.2, 0), true);
    const CanvasOp* line = canvas_.FindText(QStringLiteral("Rect 600x1200 mm"));
    ASSERT_NE(line, nullptr);
    EXPECT_EQ(line->point, QPoint(5, 184));
    EXPECT_TRUE(CellsAt(kCellRectangle).empty());
    Draw(Shape(-0.2, 0.4, 0), true);
    EXPECT_NE(canvas_.FindText(QStringLiteral(" -200x400x0 mm")), nullptr);
}

TEST_F(SketchTest, PictogramStyleDrawsTheShapeCell)
{
    Draw(Shape(0.6, 1.2, 0), false);
    EXPECT_EQ(CellsAt(kCellRectangle), std::vector<QRect>{QRect(5, 182, 17, 17)});
    const CanvasOp* text = canvas_.FindText(QStringLiteral("600x1200 mm"));
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->point, QPoint(24, 184));
    Draw(Shape(-0.2, 0.4, 0), false);
    EXPECT_EQ(CellsAt(kCellQuestion).size(), 1u);
}

TEST_F(SketchTest, OrientationMarkOfEachTypeOnScreenOnly)
{
    Draw(Shape(0.6, 1.2, 0, 2, 1), false);
    EXPECT_EQ(CellsAt(kCellTypeCMark), std::vector<QRect>{QRect(92, 0, 17, 17)});
    Draw(Shape(0.6, 1.2, 0, 2, 2), true);
    EXPECT_EQ(CellsAt(kCellTypeBMark), std::vector<QRect>{QRect(0, 92, 17, 17)});
    Draw(Shape(0.6, 1.2, 0, 2, 3), false);
    EXPECT_EQ(CellsAt(kCellTypeAMark), std::vector<QRect>{QRect(0, 0, 17, 17)});
    Draw(Shape(0.6, 1.2, 0, 2, 2), true, 1.5);
    EXPECT_TRUE(CellsAt(kCellTypeBMark).empty());
    // An unknown type gets neither a mark nor a pennant (other cells would show wrong pictures).
    for (int type : {0, 4, 7}) {
        Draw(Shape(0.6, 1.2, 0, 2, type), false);
        for (int cell : std::initializer_list<int>{0, 1, 2, 3, kCellTypeCMark, kCellTypeBMark, kCellTypeAMark}) {
            const auto boxes = CellsAt(cell);
            const bool onlyTheAngleLine = cell == 3 && boxes.size() == 1 && boxes[0].topLeft() == QPoint(5, 71);
            EXPECT_TRUE(boxes.empty() || onlyTheAngleLine) << "type " << type << " cell " << cell;
        }
    }
}

}  // namespace
