#include <gtest/gtest.h>

#include "photometry/EntryTexts.h"
#include "photometry/IesRecord.h"

namespace {

const EntryTexts kFull{"f.ies", "T", "M", "L", "LC", "P", "PC"};

struct CaptionCase {
    CaptionChoice choice;
    const char* caption;
};

class CaptionOf : public ::testing::TestWithParam<CaptionCase> {};

// Each choice shows its own field, and the file name when that is empty.
TEST_P(CaptionOf, ChosenFieldOrTheFileName)
{
    const CaptionCase& c = GetParam();
    EXPECT_EQ(CaptionText(kFull, c.choice), c.caption);
    EXPECT_EQ(CaptionText(EntryTexts{.fileName = "f.ies"}, c.choice), "f.ies");
    EXPECT_EQ(CaptionChoiceAt(CaptionNumber(c.choice)), c.choice) << "the stored number comes back";
    EXPECT_EQ(KindOf(c.choice).choice, c.choice);
}

INSTANTIATE_TEST_SUITE_P(EveryChoice, CaptionOf,
                         ::testing::Values(CaptionCase{CaptionChoice::FileName, "f.ies"},
                                           CaptionCase{CaptionChoice::Test, "T"},
                                           CaptionCase{CaptionChoice::Manufacturer, "M"},
                                           CaptionCase{CaptionChoice::Luminaire, "L"},
                                           CaptionCase{CaptionChoice::LuminaireCatalog, "LC"},
                                           CaptionCase{CaptionChoice::Lamp, "P"},
                                           CaptionCase{CaptionChoice::LampCatalog, "PC"}));

TEST(CaptionChoices, StoredNumbersOutsideTheChooserGiveNothing)
{
    EXPECT_FALSE(CaptionChoiceAt(-1));
    EXPECT_FALSE(CaptionChoiceAt(kCaptionChoiceCount));
}

TEST(PhotometricNames, IesAndLdtInAnyLetterCaseOnly)
{
    EXPECT_EQ(FormatOfName("a.ies"), PhotometricFormat::Ies);
    EXPECT_TRUE(IsPhotometricName("B.IES"));
    EXPECT_TRUE(IsPhotometricName("c.IeS"));
    EXPECT_TRUE(IsPhotometricName(".ies"));
    EXPECT_FALSE(IsPhotometricName("d.iesx"));
    EXPECT_FALSE(IsPhotometricName("ies"));
    EXPECT_EQ(FormatOfName("e.ldt"), PhotometricFormat::Eulumdat);
    EXPECT_EQ(FormatOfName("F.LdT"), PhotometricFormat::Eulumdat);
    EXPECT_EQ(UnreadEntry("G.LDT").Format, PhotometricFormat::Eulumdat);
    EXPECT_FALSE(IsPhotometricName("h.ldt.bak"));
    // Named by no reader, a file handed over by content is read as LM-63.
    EXPECT_EQ(UnreadEntry("lamp").Format, PhotometricFormat::Ies);
}

}  // namespace
