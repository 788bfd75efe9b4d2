#include <gtest/gtest.h>

#include "browser/LibraryFilter.h"

namespace {

// A downlight whose two plane pairs differ: beam 28 / 44 degrees.
PhotometricSummary Downlight()
{
    PhotometricSummary s;
    s.flux_lm = 2000;
    s.input_watts = 18.5;
    s.efficacy_lm_per_w = 2000 / 18.5;  // 108.1
    s.max_cd = 4100;
    s.lor = 0.83;
    s.c0_c180.beam_deg = 28;
    s.c90_c270.beam_deg = 44;
    s.c0_c180.field_deg = 61.5;
    return s;
}

struct Case {
    const char* filter;
    bool matches;
};

class FilterMatchTest : public testing::TestWithParam<Case> {};

TEST_P(FilterMatchTest, MatchesTheDownlightAsTheUnitsShow)
{
    const PhotometricSummary summary = Downlight();
    const FilterSubject subject{{"dl-30.ies", "ACME Lighting", "Recessed DOWNLIGHT Ø 200", "LED 830"}, &summary};
    const LibraryFilter filter = ParseFilter(GetParam().filter);
    EXPECT_TRUE(filter.faults.empty()) << GetParam().filter;
    EXPECT_EQ(FilterMatches(filter, subject), GetParam().matches) << GetParam().filter;
}

INSTANTIATE_TEST_SUITE_P(
    Terms, FilterMatchTest,
    testing::Values(
        Case{"", true}, Case{"downlight", true}, Case{"ACME downlight", true}, Case{"acme uplight", false},
        Case{"\"lighting recessed\"", false}, Case{"\"acme light\"", true}, Case{"dl-30", true},
        Case{"ø", true},  // Latin-1 capitals fold too: "Ø" in the text
        Case{"downlight flux>=1500 flux<=2500 beam<40 lm/w>100", true},
        Case{"flux>2000", false}, Case{"flux>=2000", true}, Case{"flux = 2000", true}, Case{"flux<2000lm", false},
        Case{"watts=18.5", true}, Case{"watts=18", false}, Case{"watts=19", true}, Case{"watts=18,5W", true},
        Case{"lm/w>108", true}, Case{"LM/W>109", false},
        // beam and field hold when either pair meets them
        Case{"beam<30", true}, Case{"beam>40", true}, Case{"beam>50", false}, Case{"beam=44°", true},
        Case{"field<62", true}, Case{"field>62", false},  // the second pair has no field angle
        Case{"imax>4000cd", true}, Case{"lor>=83%", true}, Case{"lor>83", false}, Case{"lor = 83", true},
        Case{"beam < 40", true}, Case{"beam< 20", false}, Case{"flux>-1", true}));

TEST(LibraryFilterTest, ComparisonsNeedTheValue)
{
    const FilterSubject unread{{"a.ies"}, nullptr};
    EXPECT_FALSE(FilterMatches(ParseFilter("flux>0"), unread));
    EXPECT_TRUE(FilterMatches(ParseFilter("a.ies"), unread));
    PhotometricSummary absolute = Downlight();
    absolute.lor.reset();
    EXPECT_FALSE(FilterMatches(ParseFilter("lor<200"), {{}, &absolute}));
}

TEST(LibraryFilterTest, MalformedTermsAreMarkedAndLeftOut)
{
    struct Bad {
        const char* text;
        std::size_t begin, length;
    };
    for (const Bad& bad : {Bad{"downlight flux>=abc", 10, 9}, Bad{"beam<", 0, 5}, Bad{"flx>3 lamp", 0, 5},
                           Bad{"x flux>=1,500", 2, 11}, Bad{"beam<40lm", 0, 9}, Bad{"lor>>3", 0, 6}}) {
        const LibraryFilter filter = ParseFilter(bad.text);
        ASSERT_EQ(filter.faults.size(), 1u) << bad.text;
        EXPECT_EQ(filter.faults[0].begin, bad.begin) << bad.text;
        EXPECT_EQ(filter.faults[0].length, bad.length) << bad.text;
    }
    // What remains still filters.
    const PhotometricSummary summary = Downlight();
    const LibraryFilter filter = ParseFilter("flx>3 lamp");
    ASSERT_EQ(filter.terms.size(), 1u);
    EXPECT_FALSE(FilterMatches(filter, {{"led.ies"}, &summary}));
    EXPECT_TRUE(FilterMatches(filter, {{"Lamp.ies"}, &summary}));
}

}  // namespace
