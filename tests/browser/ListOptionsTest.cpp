#include <gtest/gtest.h>

#include "browser/ListOptions.h"

TEST(ListOptionsTest, TreeIndicatorMatchesOnlyExactPresets)
{
    for (int value = 0; value < 8; ++value) {
        const TreeStyleFlags flags{(value & 1) != 0, (value & 2) != 0, (value & 4) != 0};
        const StylePreset expected = value == 1 ? StylePreset::Classic : value == 6 ? StylePreset::Modern : StylePreset::Custom;
        EXPECT_EQ(TreeStyleIndicator(flags), expected) << value;
    }
    // A preset's own flags always bring the indicator back to it.
    EXPECT_EQ(TreeStyleIndicator(*TreePreset(StylePreset::Classic)), StylePreset::Classic);
    EXPECT_EQ(TreeStyleIndicator(*TreePreset(StylePreset::Modern)), StylePreset::Modern);
    EXPECT_FALSE(TreePreset(StylePreset::Custom));
}

TEST(ListOptionsTest, ListIndicatorMatchesOnlyExactPresets)
{
    for (int value = 0; value < 16; ++value) {
        const ListStyleFlags flags{(value & 1) != 0, (value & 2) != 0, (value & 4) != 0, (value & 8) != 0};
        const StylePreset expected = value == 0 ? StylePreset::Classic : value == 3 ? StylePreset::Modern : StylePreset::Custom;
        EXPECT_EQ(ListStyleIndicator(flags), expected) << value;
    }
    EXPECT_EQ(ListStyleIndicator(*ListPreset(StylePreset::Modern)), StylePreset::Modern);
    EXPECT_EQ(ListStyleIndicator(*ListPreset(StylePreset::Classic)), StylePreset::Classic);
}

struct HoverCase {
    const char* text;
    std::optional<int> value;
};

class HoverTimeTest : public ::testing::TestWithParam<HoverCase> {};

TEST_P(HoverTimeTest, ParsesRoundsAndRefusesNonNumbers)
{
    EXPECT_EQ(ParseHoverTime(GetParam().text), GetParam().value) << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(Table, HoverTimeTest, ::testing::Values(
    HoverCase{"-1", -1},
    HoverCase{"250", 250},
    HoverCase{" 40 ", 40},
    HoverCase{"2.5", 2},        // halves go to the even neighbour
    HoverCase{"3.5", 4},
    HoverCase{"2.499", 2},      // 2.50 after two decimals: even neighbour again
    HoverCase{"2.506", 3},
    HoverCase{"-", std::nullopt},
    HoverCase{"", std::nullopt},
    HoverCase{"1.2.3", std::nullopt},
    HoverCase{"99999999999", std::nullopt},
    HoverCase{"1e3", 1000}));

TEST(ListOptionsTest, HoverFieldRefusesLettersAndASecondMinus)
{
    EXPECT_TRUE(HoverTimeAccepts('5', "12"));
    EXPECT_TRUE(HoverTimeAccepts('.', "12"));
    EXPECT_TRUE(HoverTimeAccepts('-', "12"));
    EXPECT_FALSE(HoverTimeAccepts('-', "-12"));
    EXPECT_FALSE(HoverTimeAccepts('a', ""));
    EXPECT_FALSE(HoverTimeAccepts(':', ""));
}
