#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <vector>

#include "photometry/Calculations.h"

namespace {

// A record with the given angles; every candela value is 100 unless set later.
tIES Record(std::vector<double> horz, std::vector<double> vert, int type = 1)
{
    tIES ies;
    ies.PhotometricType = static_cast<std::uint16_t>(type);
    ies.HorzAngles = std::move(horz);
    ies.VertAngles = std::move(vert);
    ies.HorzCount = static_cast<std::uint16_t>(ies.HorzAngles.size());
    ies.VertCount = static_cast<std::uint16_t>(ies.VertAngles.size());
    ies.Candela.assign(ies.HorzAngles.size(), tArrEx(ies.VertAngles.size(), 100.0));
    return ies;
}

std::vector<double> Steps(double from, double to, double step)
{
    std::vector<double> angles;
    for (double a = from; a <= to; a += step)
        angles.push_back(a);
    return angles;
}

struct OppositeCase {
    const char* name;
    std::vector<double> horz;
    int type;
    bool complete;
    int k;
    int expected;
};

class OppositePlaneTest : public ::testing::TestWithParam<OppositeCase> {};

TEST_P(OppositePlaneTest, FollowsTheFilesSymmetry)
{
    const OppositeCase& c = GetParam();
    PlaneOptions options;
    options.ShowComplete = c.complete;
    EXPECT_EQ(OppositePlane(Record(c.horz, {0, 90}, c.type), c.k, options), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Symmetries, OppositePlaneTest,
    ::testing::Values(
        OppositeCase{"Full4", {0, 90, 180, 270}, 1, false, 0, 2},
        OppositeCase{"Full4Plane3", {0, 90, 180, 270}, 1, false, 3, 1},
        OppositeCase{"Quadrant", Steps(0, 90, 15), 1, false, 4, 4},
        OppositeCase{"HalfPlane3", Steps(0, 180, 10), 1, false, 3, 15},
        OppositeCase{"HalfFrom90", Steps(90, 270, 10), 1, false, 2, 16},
        OppositeCase{"HalfMinus90", Steps(-90, 90, 10), 1, false, 0, 18},
        OppositeCase{"Axial", {0}, 1, false, 0, 0},
        OppositeCase{"FullNoMatchGivesLast", {0, 50, 100, 350}, 1, false, 1, 3},
        OppositeCase{"TypeBFrom90Incomplete", Steps(90, 270, 10), 2, false, 2, -1},
        OppositeCase{"TypeBFrom90Complete", Steps(90, 270, 10), 2, true, 2, 16},
        OppositeCase{"TypeAFrom90Incomplete", {90, 180}, 3, false, 0, -1},
        OppositeCase{"OutOfRangeIndex", {0, 90, 180, 270}, 1, false, 4, -1},
        OppositeCase{"NegativeIndex", {0, 90, 180, 270}, 1, false, -1, -1}),
    [](const ::testing::TestParamInfo<OppositeCase>& row) { return std::string(row.param.name); });

TEST(ZeroPlaneIndexTest, FindsTheExactZeroPlane)
{
    EXPECT_EQ(ZeroPlaneIndex(Record({0}, {0})), 0);
    EXPECT_EQ(ZeroPlaneIndex(Record({-90, -45, 0, 45, 90}, {0})), 2);
    EXPECT_EQ(ZeroPlaneIndex(Record(Steps(5, 355, 10), {0})), 0);
    EXPECT_EQ(ZeroPlaneIndex(Record({-10, 1e-300, 10}, {0})), 0);
    EXPECT_EQ(ZeroPlaneIndex(Record({-20, -10, 0}, {0})), 2);
    EXPECT_EQ(ZeroPlaneIndex(tIES{}), 0);
}

TEST(SelectPlanesTest, FullFilePlaneZeroGetsPerpendicularPair)
{
    const PlaneSelection s = SelectPlanes(Record({0, 90, 180, 270}, {0, 90}), 0, 0, PlaneOptions{});
    EXPECT_EQ(s.Plane, 0);
    EXPECT_EQ(s.Opposite, 2);
    EXPECT_EQ(s.Perpendicular, 1);
    EXPECT_EQ(s.PerpendicularOpposite, 3);
}

TEST(SelectPlanesTest, QuadrantPerpendicularIsThePlaneAt90)
{
    const PlaneSelection s = SelectPlanes(Record(Steps(0, 90, 15), {0, 90}), 0, 0, PlaneOptions{});
    EXPECT_EQ(s.Perpendicular, 6);
    EXPECT_EQ(s.PerpendicularOpposite, 6);
}

TEST(SelectPlanesTest, OnlyPlaneZeroGetsPerpendicularPlanes)
{
    const tIES ies = Record({0, 90, 180, 270}, {0, 90});
    EXPECT_FALSE(SelectPlanes(ies, 1, 0, PlaneOptions{}).Perpendicular.has_value());
    PlaneOptions flat;
    flat.Orthogonal = false;
    EXPECT_FALSE(SelectPlanes(ies, 0, 0, flat).Perpendicular.has_value());
    // The thumbnail view always takes the pair, toggle or not.
    EXPECT_EQ(SelectPlanes(ies, 3, 1, flat).Perpendicular, 1);
    EXPECT_EQ(SelectPlanes(ies, 3, 1, flat).Plane, 0);
}

TEST(SelectPlanesTest, NoPlaneAt90AddsToFirstMeansPerpendicularZero)
{
    const PlaneSelection s = SelectPlanes(Record({0, 60, 120}, {0, 90}), 0, 0, PlaneOptions{});
    EXPECT_EQ(s.Perpendicular, 0);
}

TEST(SelectPlanesTest, RequestedPlaneOutsideTheRecordFallsBackToZeroPlane)
{
    const tIES ies = Record({-90, 0, 90}, {0, 90});
    EXPECT_EQ(SelectPlanes(ies, 7, 0, PlaneOptions{}).Plane, 1);
    EXPECT_EQ(SelectPlanes(ies, -3, 0, PlaneOptions{}).Plane, 1);
}

TEST(SelectPlanesTest, FitOffScalesToTheWholeMatrix)
{
    tIES ies = Record({0, 90, 180, 270}, {0, 45, 90});
    ies.Candela[1][1] = 900;
    const PlaneSelection wide = SelectPlanes(ies, 2, 0, PlaneOptions{});
    EXPECT_EQ(wide.Extents.MaxValue, 900);
    ASSERT_TRUE(wide.Cells.MaxCell.has_value());
    EXPECT_EQ(*wide.Cells.MaxCell, (IesCell{1, 1}));

    PlaneOptions fit;
    fit.Fit = true;
    // Plane 2 with its opposite 0: the 900 in plane 1 is not drawn.
    const PlaneSelection fitted = SelectPlanes(ies, 2, 0, fit);
    EXPECT_EQ(fitted.Extents.MaxValue, 100);
    EXPECT_FALSE(fitted.Cells.MaxCell.has_value());
    // Plane 0 with the orthogonal toggle takes in the perpendicular pair too.
    EXPECT_EQ(SelectPlanes(ies, 0, 0, fit).Extents.MaxValue, 900);
}

TEST(SelectPlanesTest, FittedMaximumStartsFromTheFirstValueEvenWhenNegative)
{
    tIES ies = Record({0}, {0, 90});
    ies.Candela[0] = {-5, -7};
    PlaneOptions fit;
    fit.Fit = true;
    EXPECT_EQ(SelectPlanes(ies, 0, 0, fit).Extents.MaxValue, -5);
}

TEST(DataExtentsTest, TypeCMirrorsMaxXIntoMinX)
{
    tIES ies = Record({0, 180}, {0, 90, 135});
    ies.Candela = {{10, 250, 10}, {10, 20, 30}};
    IesExtentCells cells;
    IesExtents e;
    DataExtents(ies, cells, e);
    EXPECT_EQ(e.MaxX, 250);
    EXPECT_EQ(e.MinX, -250);
    EXPECT_FALSE(cells.MinXCell.has_value());
    EXPECT_EQ(e.MaxValue, 250);
    EXPECT_DOUBLE_EQ(e.MinY, 30 * std::cos(135 * std::numbers::pi / 180));
    EXPECT_EQ(*cells.MinYCell, (IesCell{1, 2}));

    ies.PhotometricType = 2;
    DataExtents(ies, cells, e);
    EXPECT_EQ(e.MinX, 0);
}

TEST(DataExtentsTest, FirstOfEqualMaximaKeepsTheCell)
{
    tIES ies = Record({0, 90, 180}, {0, 30, 60});
    ies.Candela = {{1, 2, 3}, {7, 4, 7}, {7, 7, 1}};
    IesExtentCells cells;
    IesExtents e;
    DataExtents(ies, cells, e);
    EXPECT_EQ(*cells.MaxCell, (IesCell{1, 0}));
}

TEST(DataExtentsTest, CellsAreNotClearedAndStartFromZero)
{
    tIES ies = Record({0}, {0, 90});
    ies.Candela = {{-1, -2}};
    IesExtentCells cells;
    cells.MaxCell = IesCell{5, 5};
    IesExtents e{99, 99, 99, 99, 99};
    DataExtents(ies, cells, e);
    EXPECT_EQ(e.MaxValue, 0);
    EXPECT_EQ(*cells.MaxCell, (IesCell{5, 5}));
    EXPECT_EQ(e.MinY, -1);
}

TEST(PlaneExtentsTest, OppositeRowIsNotMirrored)
{
    tIES ies = Record({0, 180}, {0, 90});
    ies.Candela = {{10, 40}, {10, 60}};
    IesExtents e;
    PlaneExtents(ies, 0, 1, e);
    EXPECT_EQ(e.MaxX, 60);
    EXPECT_EQ(e.MinX, 0);
    e = IesExtents{};
    PlaneExtents(ies, 0, -1, e);
    EXPECT_EQ(e.MaxX, 40);
}

TEST(CalculationsTest, MalformedRecordsAreReadWithinBounds)
{
    tIES ies = Record({0, 90, 180}, {0, 45, 90});
    ies.Candela.resize(1);          // fewer rows than planes
    ies.Candela[0].resize(2);       // shorter row than vertical angles
    IesExtents e;
    PlaneExtents(ies, 2, 1, e);
    EXPECT_EQ(e.MaxValue, 0);
    const PlaneSelection s = SelectPlanes(ies, 0, 0, PlaneOptions{});
    EXPECT_EQ(s.Extents.MaxValue, 100);
}

}  // namespace
