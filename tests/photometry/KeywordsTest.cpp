#include <gtest/gtest.h>

#include "photometry/IesReader.h"
#include "photometry/Keywords.h"

namespace {

EntryTexts TextsOf(const std::string& header)
{
    EntryTexts texts{.fileName = "a.ies"};
    FillKeywordTexts(header, texts);
    return texts;
}

TEST(KeywordValue, EndsAtLineEndAndStopText)
{
    const std::string header = "IESNA:LM-63-2002\r\n[TEST] T-123 [TESTLAB] Lab\r\n[LAMP] \tLED 4000K \t\r\nTILT=NONE\r\n";
    EXPECT_EQ(KeywordValue("[TEST]", header, "["), "T-123");
    EXPECT_EQ(KeywordValue("[TEST]", header, ""), "T-123 [TESTLAB] Lab");
    EXPECT_EQ(KeywordValue("[LAMP]", header, "["), "LED 4000K");
    EXPECT_EQ(KeywordValue("[lamp]", header, "["), "") << "keywords are case-sensitive";
    EXPECT_EQ(KeywordValue("[MANUFAC]", header, "["), "");
    EXPECT_EQ(KeywordValue("[LAMP]", "[LAMP] first\n[LAMP] second\n", "["), "first");
    EXPECT_EQ(KeywordValue("[LAMP]", "[LAMP]", "["), "");
    EXPECT_EQ(TextsOf(HeaderText(SplitHeader("[TEST] a\nTILT=NONE\n[LAMP] b\n1 2"))).lamp, "")
        << "keywords after the TILT line are not found";
}

TEST(KeywordTexts, SlotsAndOldLabelledFallbacks)
{
    const auto texts = TextsOf(
        "IESNA91\r\n[TEST] 42\r\n[MANUFAC] Maker\r\n[LUMINAIRE]\r\nDESCR.-1 : Recessed downlight\r\n"
        "LM-NO.   : R-77 LM-DATE 1991-02-03\r\nLAMP     : 2 x TC-D 26W\r\n[LAMPCAT] TC-D\r\nTILT=NONE\r\n");
    EXPECT_EQ(texts, (EntryTexts{.fileName = "a.ies",
                                 .test = "42",
                                 .manufacturer = "Maker",
                                 .luminaire = "Recessed downlight",
                                 .luminaireCatalog = "R-77",
                                 .lamp = "2 x TC-D 26W",
                                 .lampCatalog = "TC-D"}));
}

TEST(KeywordTexts, ChangeMarkerIsCaseSensitive)
{
    EntryTexts texts;
    EXPECT_TRUE(FillKeywordTexts("[CHANGED] converted by Orvanek tools\r\nTILT=NONE\r\n", texts));
    EXPECT_FALSE(FillKeywordTexts("[CHANGED] converted by orvanek tools\r\nTILT=NONE\r\n", texts));
    EXPECT_FALSE(FillKeywordTexts("[CHANGED] [X] Orvanek\r\nTILT=NONE\r\n", texts)) << "the value ends at the next [";
}

TEST(KeywordText, OrderPrefixesAndNoTrailingLineEnd)
{
    const EntryTexts texts{"f.ies", "T", "M", "L", "LC", "P", "PC"};
    EXPECT_EQ(KeywordText(texts, KeywordForm::Labels),
              "Test: T\r\nManufacturer: M\r\nLuminaire catalog: LC\r\nLuminaire: L\r\nLamp catalog: PC\r\nLamp: P");
    EXPECT_EQ(KeywordText(texts, KeywordForm::KeywordLines),
              "[TEST] T\r\n[MANUFAC]  M\r\n[LUMCAT] LC\r\n[LUMINAIRE] L\r\n[LAMPCAT] PC\r\n[LAMP] P");
    EXPECT_EQ(KeywordText({.fileName = "f.ies", .lamp = "Only lamp"}, KeywordForm::Labels), "Lamp: Only lamp");
    EXPECT_EQ(KeywordText({.fileName = "f.ies"}, KeywordForm::Labels), "");
}

}  // namespace
