#include <gtest/gtest.h>

#include <cmath>

#include "diagram/DiagramGeometry.h"
#include "photometry/IesRecord.h"

namespace {

struct StepCase {
    double V;
    double step;
    int count;
};

class GridStepTest : public ::testing::TestWithParam<StepCase> {};

TEST_P(GridStepTest, ChoosesStepAndCount)
{
    const GridSteps g = ChooseGridStep(GetParam().V);
    EXPECT_DOUBLE_EQ(g.step, GetParam().step);
    EXPECT_EQ(g.count, GetParam().count);
}

INSTANTIATE_TEST_SUITE_P(Examples, GridStepTest,
                         ::testing::Values(StepCase{500, 100, 5}, StepCase{250, 50, 5}, StepCase{1900, 300, 6},
                                           StepCase{100, 20, 5}, StepCase{850, 100, 8}, StepCase{860, 200, 4},
                                           StepCase{3, 0.5, 6}, StepCase{1e7, 1.2e6, 8}));

// The step search in its plain form, raising k one by one.
GridSteps Reference(double V)
{
    double u = 1.0;
    while (2 * u * 100000 > V)
        u /= 10;
    const double B = u * 100000;
    double T = B;
    int N = RoundHalfEven(V / T);
    int k = 1;
    while (N > 8) {
        ++k;
        T = B * k;
        N = RoundHalfEven(V / T);
    }
    if (N < 4) {
        if (k > 1) {
            --k;
            T = B * k;
        } else {
            T = B / 2;
        }
        N = RoundHalfEven(V / T);
    }
    return {T, N};
}

TEST(GridStepTest, ShortcutAgreesWithTheOneByOneSearch)
{
    for (double V = 0.01; V < 5e8; V *= 1.37) {
        const GridSteps fast = ChooseGridStep(V);
        const GridSteps slow = Reference(V);
        ASSERT_EQ(fast.step, slow.step) << "V=" << V;
        ASSERT_EQ(fast.count, slow.count) << "V=" << V;
    }
}

TEST(GridStepTest, AbsurdMaximaFinishWithFewCircles)
{
    const GridSteps g = ChooseGridStep(1e300);
    EXPECT_GE(g.count, 4);
    EXPECT_LE(g.count, 8);
    EXPECT_EQ(ChooseGridStep(0).count, 0);
    EXPECT_EQ(ChooseGridStep(-5).step, 0);
    EXPECT_EQ(ChooseGridStep(std::nan("")).step, 0);
    EXPECT_EQ(ChooseGridStep(INFINITY).step, 0);
    EXPECT_GT(ChooseGridStep(1e-300).step, 0);
}

struct HeightCase {
    int rx;
    double factor;
    int expected;
};

class LabelHeightTest : public ::testing::TestWithParam<HeightCase> {};

TEST_P(LabelHeightTest, ShrinksWhenCirclesStandClose)
{
    EXPECT_EQ(LabelFontHeight(-11, 100, 500, GetParam().rx, GetParam().factor), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Spacings, LabelHeightTest,
                         ::testing::Values(HeightCase{90, 1, -11}, HeightCase{40, 1, -6}, HeightCase{10, 1, -1},
                                           HeightCase{65, 1, -11}, HeightCase{64, 1, -11}, HeightCase{60, 1, -10},
                                           HeightCase{90, 5.3, -58}, HeightCase{10, 6, -6}));

TEST(FrameTest, RefusesCanvasesBelowTheMarginAndUnusableScales)
{
    EXPECT_FALSE(MakeFrame(19, 200, 10).has_value());
    EXPECT_FALSE(MakeFrame(200, 19, 10).has_value());
    EXPECT_FALSE(MakeFrame(200, 200, 0).has_value());
    EXPECT_FALSE(MakeFrame(200, 200, -3).has_value());
    EXPECT_FALSE(MakeFrame(200, 200, INFINITY).has_value());
    EXPECT_FALSE(MakeFrame(200, 200, std::nan("")).has_value());
    const auto frame = MakeFrame(201, 20, 10);
    ASSERT_TRUE(frame.has_value());
    EXPECT_EQ(frame->cx, 100);
    EXPECT_EQ(frame->rx, 90);
    EXPECT_EQ(frame->ry, 0);
}

TEST(FrameTest, CurvePointsFollowTheAngles)
{
    const DiagramFrame f = *MakeFrame(200, 200, 50);
    EXPECT_EQ(CurvePoint(f, 0, 50, false), QPoint(100, 190));
    EXPECT_EQ(CurvePoint(f, 90, 50, false), QPoint(190, 100));
    EXPECT_EQ(CurvePoint(f, 90, 50, true), QPoint(10, 100));
    EXPECT_EQ(CurvePoint(f, 180, 25, false), QPoint(100, 55));
    EXPECT_EQ(CurvePoint(f, 45, 50, false), QPoint(164, 164));
    // A non-square canvas stretches the curve.
    const DiagramFrame wide = *MakeFrame(400, 200, 50);
    EXPECT_EQ(CurvePoint(wide, 90, 50, false), QPoint(390, 100));
    EXPECT_EQ(CurvePoint(wide, 0, 50, false), QPoint(200, 190));
}

TEST(FrameTest, HalvesRoundToEven)
{
    // rx = 90 and S = 4: offsets of exactly 22.5 and 67.5 pixels.
    const DiagramFrame f = *MakeFrame(200, 200, 4);
    EXPECT_EQ(CurvePoint(f, 0, 1, false), QPoint(100, 122));
    EXPECT_EQ(CurvePoint(f, 0, 3, false), QPoint(100, 168));
}

}  // namespace
