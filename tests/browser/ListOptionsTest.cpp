#include <gtest/gtest.h>

#include "browser/ListOptions.h"

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
