#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <limits>
#include <ostream>

#include "photometry/EntryLoader.h"
#include "photometry/IntensityTable.h"
#include "photometry/Keywords.h"
#include "photometry/PhotometricSummary.h"

namespace fs = std::filesystem;

namespace {

tArrEx Steps(double from, double to, double step)
{
    tArrEx out;
    for (int i = 0; from + i * step <= to + 1e-9; ++i)
        out.push_back(from + i * step);
    return out;
}

// A type C record whose value at (plane k, angle i) is 1000 k + i.
tIES Grid(tArrEx vert, tArrEx horz)
{
    tIES ies;
    ies.PhotometricType = 1;
    ies.LampLumens = 1000;
    ies.Multiplier = 1;
    ies.VertAngles = std::move(vert);
    ies.HorzAngles = std::move(horz);
    for (std::size_t k = 0; k < ies.HorzAngles.size(); ++k) {
        ies.Candela.emplace_back();
        for (std::size_t i = 0; i < ies.VertAngles.size(); ++i)
            ies.Candela.back().push_back(1000.0 * static_cast<double>(k) + static_cast<double>(i));
    }
    return ies;
}

struct LayoutCase {
    const char* name;
    tArrEx vert;
    tArrEx horz;
    tArrEx planes;  // expected columns
    tArrEx angles;  // expected rows
};

std::ostream& operator<<(std::ostream& out, const LayoutCase& c)
{
    return out << c.name;
}

class IntensityTableLayout : public testing::TestWithParam<LayoutCase> {};

TEST_P(IntensityTableLayout, ColumnsAndRowsFollowTheFilesOwnGrid)
{
    const LayoutCase& c = GetParam();
    const IntensityTable table = MakeIntensityTable(Grid(c.vert, c.horz));
    EXPECT_EQ(table.planes, c.planes);
    EXPECT_EQ(table.angles, c.angles);
    ASSERT_EQ(table.values.size(), table.angles.size());
    for (const auto& row : table.values)
        EXPECT_EQ(row.size(), table.planes.size());
}

INSTANTIATE_TEST_SUITE_P(
    Grids, IntensityTableLayout,
    testing::Values(
        LayoutCase{"OnePlane", Steps(0, 90, 5), {0}, {0}, Steps(0, 90, 10)},
        LayoutCase{"FewerThanEightPlanesAllShown", Steps(0, 90, 5), Steps(0, 90, 22.5), Steps(0, 90, 22.5),
                   Steps(0, 90, 10)},
        LayoutCase{"MainPlanesOfAFullCircleWithoutItsClosingPlane", Steps(0, 180, 2.5), Steps(0, 360, 15),
                   Steps(0, 315, 45), Steps(0, 180, 10)},
        LayoutCase{"HalfCircleOnATenDegreeGridHasNoC45", Steps(0, 180, 5), Steps(0, 180, 10), {0, 90, 180},
                   Steps(0, 180, 10)},
        LayoutCase{"NoMainPlaneSpreadsEight", {0, 90}, Steps(2, 352, 10), {2, 52, 102, 152, 202, 252, 302, 352},
                   {0, 90}},
        LayoutCase{"FewerOwnAnglesThanTensAreShownAsTheyAre", {0, 15, 30, 45, 60, 75, 90}, {0}, {0},
                   {0, 15, 30, 45, 60, 75, 90}},
        LayoutCase{"UplightRangeFromNinety", Steps(90, 180, 5), {0}, {0}, Steps(90, 180, 10)},
        LayoutCase{"TypeBRangeAcrossZero", Steps(-90, 90, 5), Steps(-90, 90, 15), {-90, -45, 0, 45, 90},
                   Steps(-90, 90, 10)},
        LayoutCase{"RangeNotOnTensKeepsItsInnerTens", Steps(5, 85, 1), {0}, {0}, Steps(10, 80, 10)},
        LayoutCase{"HugeRangeTakesACoarserStep", Steps(0, 1000, 1), {0}, {0}, Steps(0, 1000, 60)},
        LayoutCase{"NoFiniteAngleGivesNothing", {std::numeric_limits<double>::quiet_NaN()}, {0}, {}, {}},
        LayoutCase{"NoPlaneGivesNothing", Steps(0, 90, 10), {}, {}, {}}),
    [](const testing::TestParamInfo<LayoutCase>& param) { return std::string(param.param.name); });

TEST(IntensityTable, ValuesAreScaledLinearBetweenAnglesAndShortRowsReadZero)
{
    tIES ies = Grid({0, 5, 12.5, 20}, {0, 45, 90});  // four own angles, three tens: the tens
    ies.Multiplier = 2;
    ies.BallastFactor = 0.5;
    ies.BallastLampFactor = 3;
    const IntensityTable table = MakeIntensityTable(ies);
    ASSERT_EQ(table.angles, (tArrEx{0, 10, 20}));
    EXPECT_DOUBLE_EQ(table.values[1][1], 3 * (1001 + 2.0 / 3));  // two thirds from 5 to 12.5
    EXPECT_DOUBLE_EQ(table.values[2][2], 3 * 2003);

    ies = Grid(Steps(0, 90, 5), {0, 90});
    ies.Candela = {{0, 10, 20, 30}, {100}};  // malformed: short rows
    const IntensityTable shortRows = MakeIntensityTable(ies);
    ASSERT_EQ(shortRows.angles, Steps(0, 90, 10));
    EXPECT_DOUBLE_EQ(shortRows.values[1][0], 20);
    EXPECT_DOUBLE_EQ(shortRows.values[0][1], 100);
    EXPECT_DOUBLE_EQ(shortRows.values[1][1], 0);
}

// Every sample's table against its record: a cell on a stored angle is the
// stored value times the summary's scale, and no cell exceeds the summary's maximum.
TEST(IntensityTable, SamplesAgreeWithTheirRecordsAndSummary)
{
    const std::string folder = std::string(KANDORA_SOURCE_DIR) + "/samples/";
    int files = 0;
    for (const auto& item : fs::directory_iterator(folder)) {
        TiesData entry = UnreadEntry(item.path().filename().string());
        if (item.path().extension() != ".ies" || LoadEntry(entry, folder).kind != LoadResult::Kind::Loaded)
            continue;
        ++files;
        const tIES& ies = entry.Ies;
        const IntensityTable table = MakeIntensityTable(ies);
        const PhotometricSummary summary = SummarizePhotometry(ies);
        ASSERT_FALSE(table.planes.empty()) << item.path();
        EXPECT_LE(table.planes.size(), kMaxTableColumns);
        EXPECT_LE(table.angles.size(), kMaxTableRows);
        for (std::size_t r = 0; r < table.angles.size(); ++r)
            for (std::size_t c = 0; c < table.planes.size(); ++c) {
                EXPECT_LE(table.values[r][c], *summary.max_cd * (1 + 1e-12)) << item.path();
                std::size_t k = 0, i = 0;
                while (ies.HorzAngles[k] != table.planes[c])
                    ++k;
                while (i < ies.VertAngles.size() && ies.VertAngles[i] != table.angles[r])
                    ++i;
                if (i < ies.VertAngles.size()) {
                    EXPECT_DOUBLE_EQ(table.values[r][c], ies.Candela[k][i] * IntensityScale(ies)) << item.path();
                }
            }
    }
    EXPECT_GT(files, 20);
}

struct HeaderCase {
    const char* text;
    const char* format;
    const char* date;
};

TEST(DatasheetKeywords, FormatFromTheFirstLineAndDateFromItsKeywords)
{
    const HeaderCase cases[] = {
        {"IESNA:LM-63-2002\r\n[TEST] x\r\n[ISSUEDATE] 14-APR-2021\r\n[DATE] old\r\n", "IES LM-63-2002", "14-APR-2021"},
        {"IES:LM-63-2019\n[ISSUEDATE] 2020-01-02 [MORE] no\n", "IES LM-63-2019", "2020-01-02"},
        {"IESNA:LM-63-1995\n[DATE] 12/5/1999\n", "IES LM-63-1995", "12/5/1999"},
        {"IESNA91\n[TESTDATE] 1991\n", "IES LM-63-1991", "1991"},
        {"IESNA:LM-63-\n", "IES LM-63", ""},
        {"EASTFIELD PHOTOMETRICS\nLM-NO.   : EP-1   LM-DATE : 06/12/86\n", "IES LM-63-1986", "06/12/86"},
        {"IESNA:LM-63-2002\n[TEST] 1\n", "IES LM-63-2002", ""},
    };
    for (const HeaderCase& c : cases) {
        EXPECT_EQ(IesFormatName(c.text, true), c.format) << c.text;
        EXPECT_EQ(DateKeyword(c.text), c.date) << c.text;
    }
    EXPECT_EQ(IesFormatName("Some company\r\nLuminaire\r\n", false), "");
}

}  // namespace
