#include <gtest/gtest.h>

#include <QPixmap>

#include "diagram/DiagramLabels.h"
#include "diagram/Goniogram.h"
#include "diagram/PictogramStrip.h"
#include "diagram/RecordingCanvas.h"

namespace {

using Kind = CanvasOp::Kind;

// A 200 x 200 diagram of a type C record whose maximum is `maximum`: with
// rx = 90 the label height stays -11 for the maxima used here.
tIES Record(double maximum)
{
    tIES ies;
    ies.PhotometricType = 1;
    ies.LampLumens = 3450;
    ies.Multiplier = 1;
    ies.LampCount = 2;
    ies.InputWatts = 72;
    ies.UnitsType = 2;
    ies.Width = 0.6;
    ies.Length = 1.2;
    ies.HorzAngles = {0, 90, 180, 270};
    ies.VertAngles = {0, 90};
    ies.HorzCount = 4;
    ies.VertCount = 2;
    ies.Candela.assign(4, tArrEx{maximum, maximum / 2});
    return ies;
}

DiagramOptions TextOptions()
{
    DiagramOptions options;
    options.TextLabels = true;
    options.WarningIcon = QIcon(QPixmap(16, 16));
    return options;
}

DiagramOptions PictogramOptions()
{
    DiagramOptions options = TextOptions();
    options.TextLabels = false;
    return options;
}

class LabelsTest : public ::testing::Test {
protected:
    void Draw(const tIES& ies, const DiagramOptions& options, double factor = 1.0, int plane = 0)
    {
        canvas_.Clear();
        result_ = DrawGoniogram(canvas_, 200, 200, ies, kGonioNormal, factor, plane, options);
        ASSERT_TRUE(result_.drawn);
    }
    QPoint TextAt(const char* text) const
    {
        const CanvasOp* op = canvas_.FindText(QString::fromUtf8(text));
        EXPECT_NE(op, nullptr) << text;
        return op != nullptr ? op->point : QPoint(-1, -1);
    }
    // Places where strip cell `cell` was drawn.
    std::vector<QRect> CellsAt(int cell) const
    {
        std::vector<QRect> boxes;
        for (const CanvasOp& op : canvas_.OpsOf(Kind::Image))
            if (op.source == QRect(16 * cell, 0, 16, 16))
                boxes.push_back(op.box);
        return boxes;
    }

    RecordingCanvas canvas_;
    GoniogramResult result_;
};

TEST_F(LabelsTest, TextLabelsOfTheTwoLampExample)
{
    Draw(Record(312.5), TextOptions());
    ASSERT_EQ(result_.labelHeight, -11);
    EXPECT_EQ(TextAt("Lamp=3 450 lm"), QPoint(5, 5));
    EXPECT_EQ(TextAt("Max=312.5 cd/klm"), QPoint(5, 16));
    EXPECT_EQ(TextAt("P 2x36=72 W"), QPoint(5, 27));
    EXPECT_EQ(TextAt("Multiplier=1"), QPoint(5, 38));
    EXPECT_EQ(TextAt("Degrees=0"), QPoint(5, 49));
    EXPECT_EQ(TextAt("Type C"), QPoint(200 - 36 - 5, 5));  // six characters of six pixels
    EXPECT_TRUE(canvas_.OpsOf(Kind::Icon).empty());
    const CanvasOp* max = canvas_.FindText(QStringLiteral("Max=312.5 cd/klm"));
    EXPECT_EQ(max->state.font, MakeDiagramFont(-11));
}

// Lumens 0 is not normalised either, so its values are candela. The text
// lines close up (no empty first line); the pictograms keep their column.
TEST_F(LabelsTest, TextLinesCloseUpWithoutLampLumens)
{
    tIES ies = Record(312.5);
    ies.LampLumens = 0;
    Draw(ies, TextOptions());
    for (const CanvasOp& op : canvas_.OpsOf(Kind::Text))
        EXPECT_FALSE(op.text.startsWith(QStringLiteral("Lamp="))) << op.text.toStdString();
    EXPECT_EQ(TextAt("Max=312.5 cd"), QPoint(5, 5));
    EXPECT_EQ(TextAt("P 2x36=72 W"), QPoint(5, 16));
    Draw(ies, PictogramOptions());
    EXPECT_TRUE(CellsAt(kCellBulbRays).empty());
    EXPECT_EQ(TextAt("=312.5 cd"), QPoint(24, 21));
}

struct PowerCase {
    int lamps;
    int watts;
    const char* text;
    const char* pictogramText;
    int bulbs;
};

class PowerLabelTest : public LabelsTest, public ::testing::WithParamInterface<PowerCase> {};

TEST_P(PowerLabelTest, PowerLineAndBulbs)
{
    tIES ies = Record(312.5);
    ies.LampCount = static_cast<std::uint16_t>(GetParam().lamps);
    ies.InputWatts = static_cast<std::uint16_t>(GetParam().watts);
    Draw(ies, TextOptions());
    EXPECT_EQ(TextAt(GetParam().text), QPoint(5, 27));
    Draw(ies, PictogramOptions());
    EXPECT_EQ(TextAt(GetParam().pictogramText), QPoint(24, 38));
    const auto bulbs = CellsAt(kCellBulb);
    ASSERT_EQ(static_cast<int>(bulbs.size()), GetParam().bulbs);
    for (int i = 0; i < GetParam().bulbs; ++i)
        EXPECT_EQ(bulbs[static_cast<std::size_t>(i)], QRect(5 + 17 * i, 200 - 5 - 33, 17, 17));
    const CanvasOp* count = canvas_.FindText(QStringLiteral("x%1").arg(GetParam().lamps));
    if (GetParam().lamps > 4) {
        ASSERT_NE(count, nullptr);
        EXPECT_EQ(count->point, QPoint(24, 200 - 5 - 28));
    } else {
        EXPECT_EQ(count, nullptr);
    }
}

INSTANTIATE_TEST_SUITE_P(Lamps, PowerLabelTest,
                         ::testing::Values(PowerCase{0, 72, "Power=72 W", "=72 W", 1},
                                           PowerCase{1, 36, "Power=36 W", "=36 W", 1},
                                           PowerCase{2, 73, "P 2x36=73 W", " 2x36=73 W", 2},
                                           PowerCase{4, 100, "P 4x25=100 W", " 4x25=100 W", 4},
                                           PowerCase{6, 300, "P 6x50=300 W", " 6x50=300 W", 1}));

TEST_F(LabelsTest, AbsoluteValuesMultiplyTheMaximumAndDropPerKilolumen)
{
    tIES ies = Record(312.5);
    ies.Multiplier = 3.45;
    DiagramOptions options = TextOptions();
    options.AbsoluteValues = true;
    Draw(ies, options);
    EXPECT_NE(canvas_.FindText(QStringLiteral("Max=1 078.1 cd")), nullptr);
    EXPECT_NE(canvas_.FindText(QStringLiteral("Multiplier=3.45")), nullptr);
}

// Regression: absolute photometry (lumens -1) is not normalised, yet its
// maximum was labelled per kilolumen when "Absolute values" was off.
TEST_F(LabelsTest, AbsolutePhotometryIsLabelledInCandelaEitherWay)
{
    tIES ies = Record(312.5);
    ies.LampLumens = -1;
    ies.Multiplier = 2;
    for (bool absoluteValues : {false, true}) {
        DiagramOptions text = TextOptions();
        text.AbsoluteValues = absoluteValues;
        Draw(ies, text);
        EXPECT_NE(canvas_.FindText(QStringLiteral("Max=625 cd")), nullptr) << absoluteValues;
        DiagramOptions pictograms = PictogramOptions();
        pictograms.AbsoluteValues = absoluteValues;
        Draw(ies, pictograms);
        EXPECT_NE(canvas_.FindText(QStringLiteral("=625 cd")), nullptr) << absoluteValues;
    }
}

TEST_F(LabelsTest, MaximumIsRoundedToOneDecimalWithDigitGroups)
{
    Draw(Record(1234.56), TextOptions());
    EXPECT_NE(canvas_.FindText(QStringLiteral("Max=1 234.6 cd/klm")), nullptr);
    Draw(Record(1234.56), PictogramOptions());
    EXPECT_NE(canvas_.FindText(QStringLiteral("=1 234.6 cd/klm")), nullptr);
}

TEST_F(LabelsTest, DegreesShowTheChosenPlanesAngle)
{
    tIES ies = Record(100);
    ies.HorzAngles = {0, 22.5, 180, 270};
    Draw(ies, TextOptions(), 1.0, 1);
    EXPECT_NE(canvas_.FindText(QStringLiteral("Degrees=22.5")), nullptr);
    Draw(ies, PictogramOptions(), 1.0, 1);
    EXPECT_EQ(TextAt("=22.5"), QPoint(24, 71));
}

TEST_F(LabelsTest, PictogramPlacesAtNormalHeight)
{
    tIES ies = Record(312.5);
    ies.PhotometricType = 2;
    Draw(ies, PictogramOptions());
    EXPECT_EQ(CellsAt(1), std::vector<QRect>{QRect(178, 5, 17, 17)});  // pennant B
    EXPECT_EQ(CellsAt(kCellBulbRays), std::vector<QRect>{QRect(5, 3, 17, 17)});
    EXPECT_EQ(TextAt("=3 450 lm"), QPoint(24, 5));
    EXPECT_EQ(CellsAt(kCellMaxBulb), std::vector<QRect>{QRect(5, 21, 17, 17)});
    EXPECT_EQ(CellsAt(kCellSmallBolt), std::vector<QRect>{QRect(5, 38, 17, 17)});
    EXPECT_EQ(CellsAt(kCellTwoBulbs), std::vector<QRect>{QRect(5, 55, 17, 17)});
    EXPECT_EQ(TextAt("=1x"), QPoint(24, 55));
    EXPECT_EQ(CellsAt(kCellAngle), std::vector<QRect>{QRect(5, 71, 17, 17)});
    const auto icons = canvas_.OpsOf(Kind::Icon);
    ASSERT_EQ(icons.size(), 1u);
    EXPECT_EQ(icons[0].box, QRect(167, 5, 17, 17));
    EXPECT_TRUE(canvas_.OpsOf(Kind::Text).size() > 0);
    for (const CanvasOp& op : canvas_.OpsOf(Kind::Text))
        EXPECT_FALSE(op.text.startsWith(QStringLiteral("Type")));
}

TEST_F(LabelsTest, WarningIconStandsLeftOfTheTypeText)
{
    tIES ies = Record(312.5);
    ies.PhotometricType = 3;
    Draw(ies, TextOptions());
    EXPECT_EQ(TextAt("Type A"), QPoint(159, 5));
    auto icons = canvas_.OpsOf(Kind::Icon);
    ASSERT_EQ(icons.size(), 1u);
    EXPECT_EQ(icons[0].box, QRect(143, 5, 17, 17));
    DiagramOptions quiet = TextOptions();
    quiet.ShowWarning = false;
    Draw(ies, quiet);
    EXPECT_TRUE(canvas_.OpsOf(Kind::Icon).empty());
}

TEST_F(LabelsTest, FactorOtherThanOneForcesTextLabelsScaledFromTheEdge)
{
    Draw(Record(312.5), PictogramOptions(), 2.0);
    EXPECT_TRUE(canvas_.OpsOf(Kind::Image).empty());  // no pictograms, no orientation mark
    ASSERT_EQ(result_.labelHeight, -22);
    EXPECT_EQ(TextAt("Lamp=3 450 lm"), QPoint(10, 10));
    EXPECT_EQ(TextAt("Max=312.5 cd/klm"), QPoint(10, 32));
    EXPECT_EQ(TextAt("Rect 600x1200 mm"), QPoint(5, 200 - 5 - 22));
}

TEST_F(LabelsTest, SmallDiagramShrinksThePictograms)
{
    // 100 x 100 with V = 500: h = -6, so s = Round(6 / 11 x 17) = 9.
    canvas_.Clear();
    DrawGoniogram(canvas_, 100, 100, Record(500), kGonioNormal, 1, 0, PictogramOptions());
    EXPECT_EQ(CellsAt(kCellMaxBulb), std::vector<QRect>{QRect(5, 14, 9, 9)});
    EXPECT_EQ(TextAt("=500 cd/klm"), QPoint(16, 14));
}

TEST(PictogramStripTest, StripHasThirtyCellsWithTransparency)
{
    const QImage& strip = PictogramStrip();
    ASSERT_FALSE(strip.isNull());
    EXPECT_EQ(strip.size(), QSize(480, 16));
    EXPECT_TRUE(strip.hasAlphaChannel());
    const auto opaque = [&](int cell) {
        int count = 0;
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x)
                count += qAlpha(strip.pixel(16 * cell + x, y)) > 128 ? 1 : 0;
        return count;
    };
    for (int cell = 0; cell <= kCellPoint; ++cell) {
        EXPECT_GT(opaque(cell), 12) << "cell " << cell;
        EXPECT_LT(opaque(cell), 256) << "cell " << cell;  // every cell lets the diagram show through
    }
    for (int cell = 27; cell < 30; ++cell)
        EXPECT_EQ(opaque(cell), 0) << "cell " << cell;
    EXPECT_EQ(qAlpha(strip.pixel(16 * kCellTypeAMark + 8, 8)), 0);  // the ring's hole
}

TEST(PictogramStripTest, DrawStripCellScalesOneCell)
{
    RecordingCanvas canvas;
    DrawStripCell(canvas, 5, 10, 20, 34);
    DrawStripCell(canvas, 30, 0, 0, 16);
    DrawStripCell(canvas, -1, 0, 0, 16);
    DrawStripCell(canvas, 3, 0, 0, 0);
    const auto images = canvas.OpsOf(CanvasOp::Kind::Image);
    ASSERT_EQ(images.size(), 1u);
    EXPECT_EQ(images[0].box, QRect(10, 20, 34, 34));
    EXPECT_EQ(images[0].source, QRect(80, 0, 16, 16));
}

}  // namespace
