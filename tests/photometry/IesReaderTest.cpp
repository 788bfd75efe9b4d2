#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "photometry/IesReader.h"

namespace {

// A header, TILT=NONE, and the numbers of a 3 x 2 type C file.
std::string Simple(const std::string& lumens = "1000", const std::string& multiplier = "1")
{
    return "IESNA:LM-63-2002\r\n[TEST] T1\r\nTILT=NONE\r\n"
           "1 " + lumens + " " + multiplier + " 3 2 1 2 0.5 0.6 0.1\r\n"
           "1 1 72\r\n"
           "0 45 90\r\n0 90\r\n"
           "100 80 10\r\n200 160 20\r\n";
}

tIES Read(const std::string& text, ReadResult* out = nullptr)
{
    tIES ies;
    ReadResult r = ReadIes(text, ies);
    if (out)
        *out = r;
    return ies;
}

TEST(IesReader, ReadsFieldsInFileOrder)
{
    ReadResult r;
    const tIES ies = Read(Simple(), &r);
    EXPECT_EQ(r.status, ReadResult::Status::Ok);
    EXPECT_EQ(ies.LampCount, 1);
    EXPECT_EQ(ies.LampLumens, 1000);
    EXPECT_EQ(ies.Multiplier, 1);
    EXPECT_EQ(ies.VertCount, 3);
    EXPECT_EQ(ies.HorzCount, 2);
    EXPECT_EQ(ies.PhotometricType, 1);
    EXPECT_EQ(ies.UnitsType, 2);
    EXPECT_EQ(ies.Width, 0.5);
    EXPECT_EQ(ies.Length, 0.6);
    EXPECT_EQ(ies.Height, 0.1);
    EXPECT_EQ(ies.InputWatts, 72);
    EXPECT_EQ(ies.VertAngles, (tArrEx{0, 45, 90}));
    EXPECT_EQ(ies.HorzAngles, (tArrEx{0, 90}));
    EXPECT_EQ(ies.Candela, (tArrEx2{{100, 80, 10}, {200, 160, 20}}));
}

TEST(IesReader, LayoutOfNumbersDoesNotMatter)
{
    const tIES reference = Read(Simple());
    std::string oneLine = Simple();
    std::string commas = Simple();
    std::string crOnly = Simple();
    std::string lfOnly = Simple();
    const auto tilt = oneLine.find("TILT=NONE\r\n") + 11;
    for (std::size_t i = tilt; i < oneLine.size(); ++i) {
        if (oneLine[i] == '\r' || oneLine[i] == '\n')
            oneLine[i] = ' ';
        if (commas[i] == ' ')
            commas[i] = ',';
    }
    for (std::size_t i = 0; i < crOnly.size(); ++i)
        if (crOnly[i] == '\n')
            crOnly[i] = '\r';
    std::erase(lfOnly, '\r');
    std::string perLine = "TILT=NONE\n";
    for (char c : Simple().substr(tilt))
        perLine += (c == ' ') ? '\n' : c;
    for (const std::string& text : {oneLine, commas, crOnly, lfOnly, perLine})
        EXPECT_EQ(Read(text), reference) << text;
}

TEST(IesReader, CommaNeverDecimalAndEveryBlankSeparates)
{
    bool fault = false;
    std::string_view text = "1,5 2\t3\v4\f6 x 7";
    for (double expected : {1.0, 5.0, 2.0, 3.0, 4.0, 6.0})
        EXPECT_EQ(NextNumber(text, fault), expected);
    EXPECT_FALSE(fault);
    EXPECT_EQ(NextNumber(text, fault), 0);  // "x"
    EXPECT_TRUE(fault);
    EXPECT_EQ(NextNumber(text, fault), 7);
    EXPECT_TRUE(fault) << "the fault flag is never cleared";
    EXPECT_EQ(NextNumber(text, fault), 0) << "an exhausted text gives 0";
}

// Regression: tab-separated candela values read as one non-number each, so
// the whole matrix stored zeros and the diagram was empty.
TEST(IesReader, TabSeparatedFileReadsLikeSpaceSeparated)
{
    const std::string spaced =
        "TILT=NONE\r\n1 1000 1 3 2 1 2 0.5 0.6 0.1\r\n1 1 35\r\n0 45 90\r\n0 90\r\n"
        "11501.82 8886.24 120.5\r\n11501.82 8000 100\r\n";
    std::string tabbed = spaced;
    for (char& c : tabbed)
        if (c == ' ')
            c = '\t';
    tIES a, b;
    const ReadResult ra = ReadIes(spaced, a);
    const ReadResult rb = ReadIes(tabbed, b);
    EXPECT_EQ(ra.status, ReadResult::Status::Ok);
    EXPECT_EQ(rb.status, ReadResult::Status::Ok);
    EXPECT_EQ(a.Candela, b.Candela);
    EXPECT_EQ(a.VertAngles, b.VertAngles);
    EXPECT_EQ(a.HorzAngles, b.HorzAngles);
    ASSERT_EQ(b.Candela.size(), 2u);
    EXPECT_GT(b.Candela[0][0], 0);
}

TEST(IesReader, NumberFormsFoundInRealFiles)
{
    struct Case {
        const char* token;
        double value;
        bool fault;
    };
    const Case cases[] = {
        {"5000.", 5000, false}, {".89", 0.89, false},  {"+1", 1, false},    {"1.0E+03", 1000, false},
        {"-2.5e-1", -0.25, false}, {"007", 7, false},  {"-.5", -0.5, false}, {"nan", 0, true},
        {"inf", 0, true},       {"-inf", 0, true},     {"1e999", 0, true},  {"0x10", 0, true},
        {"1e", 0, true},        {".", 0, true},        {"+-1", 0, true},    {"1.5.2", 0, true},
        {"12abc", 0, true},     {"-", 0, true},        {"1,5", 1, false},
    };
    for (const Case& c : cases) {
        bool fault = false;
        std::string_view text = c.token;
        EXPECT_EQ(NextNumber(text, fault), c.value) << c.token;
        EXPECT_EQ(fault, c.fault) << c.token;
    }
}

TEST(IesReader, TiltVariants)
{
    const std::string numbers = "1 1000 1 2 1 1 2 0 0 0 1 1 50\n0 90\n0\n100 50\n";
    const tIES reference = Read("TILT=NONE\n" + numbers);
    ASSERT_EQ(reference.VertCount, 2);
    // Included block: geometry 1, three angles and three factors are skipped.
    EXPECT_EQ(Read("TILT=INCLUDE\n1\n3\n0 45 90\n1 0.9 0.8\n" + numbers), reference);
    EXPECT_EQ(Read("TILT=INCLUDE\n1 0\n" + numbers), reference);
    EXPECT_EQ(Read("tilt=none\n" + numbers), reference);
    EXPECT_EQ(Read("Tilt=Include\n2 1 0 1\n" + numbers), reference);
    // A separate tilt file: the numbers follow the TILT line directly.
    EXPECT_EQ(Read("TILT=lamp.tlt\n" + numbers), reference);
    EXPECT_EQ(Read("TILT= NONE\n" + numbers), reference);
    // "TILT =NONE" is not a TILT line, so the header is empty.
    EXPECT_FALSE(SplitHeader("TILT =NONE\n" + numbers).hasTilt);
    EXPECT_EQ(HeaderText(SplitHeader("A\rB\r\ntilt=x\nC")), "A\r\nB\r\ntilt=x\r\n");
    // A tilt block that claims more numbers than there are eats the rest quietly.
    ReadResult r;
    Read("TILT=INCLUDE\n1 1e9\n" + numbers, &r);
    EXPECT_EQ(r.status, ReadResult::Status::HeaderFault);
}

TEST(IesReader, Normalisation)
{
    // 1000 lm and multiplier 1: unchanged.
    tIES ies = Read(Simple("1000", "1"));
    EXPECT_EQ(ies.Multiplier, 1);
    EXPECT_EQ(ies.Candela[0][0], 100);
    // 2000 lm and multiplier 1: stored per klm, Candela x Multiplier is the file's value.
    ies = Read(Simple("2000", "1"));
    EXPECT_EQ(ies.Multiplier, 2);
    EXPECT_EQ(ies.Candela[1][0], 100);
    EXPECT_EQ(ies.Candela[1][0] * ies.Multiplier, 200);
    // An explicit multiplier is kept as it stands.
    ies = Read(Simple("2000", "1.5"));
    EXPECT_EQ(ies.Multiplier, 1.5);
    EXPECT_EQ(ies.Candela[1][0], 200);
}

TEST(IesReader, AbsolutePhotometryIsNotNormalised)
{
    for (const char* lumens : {"-1", "0"}) {
        const tIES ies = Read(Simple(lumens, "1"));
        EXPECT_EQ(ies.Multiplier, 1) << lumens;
        EXPECT_EQ(ies.Candela[1][1], 160) << lumens;
    }
    const tIES scaled = Read(Simple("-1", "1.32"));
    EXPECT_EQ(scaled.Multiplier, 1.32);
    EXPECT_EQ(scaled.Candela[0][0], 100);
}

TEST(IesReader, RoundingHalfToEvenLow16Bits)
{
    EXPECT_EQ(RoundToU16(35.5), 36);
    EXPECT_EQ(RoundToU16(36.5), 36);
    EXPECT_EQ(RoundToU16(-0.5), 0);
    EXPECT_EQ(RoundToU16(2.4999), 2);
    EXPECT_EQ(RoundToU16(65536), 0);
    EXPECT_EQ(RoundToU16(65537.5), 2);
    EXPECT_EQ(RoundToU16(-1), 65535);
    EXPECT_EQ(RoundToU16(1e300), 0);
    EXPECT_EQ(RoundToU16(NAN), 0);
    EXPECT_EQ(RoundHalfEven(2.5), 2);
    EXPECT_EQ(RoundHalfEven(-2.5), -2);
    EXPECT_EQ(RoundHalfEven(3.5), 4);
    EXPECT_EQ(Read("TILT=NONE\n1 1000 1 0 0 1 1 0 0 0 1 1 35.5").InputWatts, 36);
    EXPECT_EQ(Read("TILT=NONE\n1 1000 1 0 0 1 1 0 0 0 1 1 36.5").InputWatts, 36);
}

TEST(IesReader, KeepsFactorsAndWattsAsRead)
{
    const tIES ies = Read("TILT=NONE\n1 1000 1 0 0 1 1 0 0 0 0.95 1.00001 4.5");
    EXPECT_EQ(ies.BallastFactor, 0.95);
    EXPECT_EQ(ies.BallastLampFactor, 1.00001);
    EXPECT_EQ(ies.InputWattsExact, 4.5);
    EXPECT_EQ(ies.InputWatts, 4);
}

TEST(IesReader, HeaderFaultNamesLineOfFirstBadValue)
{
    ReadResult r;
    const tIES ies = Read("IESNA:LM-63-1995\nTILT=NONE\n1 1000 1\n2 x 1 1 0 0 0\n1 1 10\n0 90\n0\n5 6\n", &r);
    EXPECT_EQ(r.status, ReadResult::Status::HeaderFault);
    EXPECT_EQ(r.message, "Line 4");
    EXPECT_EQ(ies.VertCount, 2) << "reading goes on after a header fault";
    EXPECT_EQ(ies.InputWatts, 10);
    // Running out of text inside the header is a fault too.
    Read("TILT=NONE\n1 1000 1 2\n", &r);
    EXPECT_EQ(r.status, ReadResult::Status::HeaderFault);
}

TEST(IesReader, ShortAndLongMatrices)
{
    // Missing values are 0; surplus values are ignored; bad values are 0.
    const tIES shortFile = Read("TILT=NONE\n1 1000 1 3 1 1 2 0 0 0 1 1 0\n0 45 90\n0\n100");
    EXPECT_EQ(shortFile.Candela, (tArrEx2{{100, 0, 0}}));
    EXPECT_EQ(Read(Simple() + "1 2 3 4 5\n"), Read(Simple()));
    const tIES bad = Read("TILT=NONE\n1 1000 1 2 1 1 2 0 0 0 1 1 0\n0 9x0\n0\n1e999 nan\n");
    EXPECT_EQ(bad.VertAngles, (tArrEx{0, 0}));
    EXPECT_EQ(bad.Candela, (tArrEx2{{0, 0}}));
    const tIES empty = Read("TILT=NONE\n1 1000 1 0 0 1 2 0 0 0 1 1 0\n");
    EXPECT_TRUE(empty.VertAngles.empty());
    EXPECT_TRUE(empty.Candela.empty());
}

TEST(IesReader, RefusesAbsurdCountsBeforeAllocating)
{
    ReadResult r;
    const tIES ies = Read("TILT=NONE\n1 1000 1 65535 65535 1 2 0 0 0 1 1 0\n", &r);
    EXPECT_EQ(r.status, ReadResult::Status::Refused);
    EXPECT_FALSE(r.message.empty());
    EXPECT_EQ(ies, tIES{});
    // Just inside the bound is read (4096 x 4096 = 16 M values).
    Read("TILT=NONE\n1 1000 1 4096 4096 1 2 0 0 0 1 1 0\n", &r);
    EXPECT_EQ(r.status, ReadResult::Status::Ok);
}

TEST(IesReader, NulByteEndsTheText)
{
    const std::string withNul = Simple() + std::string(1, '\0') + "garbage 1 2 3";
    EXPECT_EQ(FileText(withNul), Simple());
}

TEST(IesRecord, CopyIsDeep)
{
    tIES source = Read(Simple());
    tIES copy;
    CopyIes(source, copy);
    ClearIes(source);
    EXPECT_EQ(source, tIES{});
    EXPECT_EQ(copy.Candela[1][2], 20);
    EXPECT_EQ(copy.HorzAngles.size(), 2u);
}

}  // namespace

namespace {

TEST(SplitHeader, OnlyALinesFirstEqualsNamesIt)
{
    struct Case {
        std::string text;
        bool hasTilt;
        int numericFirstLine;
        std::string tiltValue;
    };
    const Case cases[] = {
        {"A=1 TILT=NONE\n1 2", false, 1, ""},
        {"A=1=2\r\nB=3\rTILT=NONE\r\n1 2", true, 4, "NONE"},
        {"\n\n\r\r\n==\nTilt=INCLUDE", true, 7, "INCLUDE"},
        {std::string("TILT=NO\0NE\n1 2", 14), true, 2, "NO"},
        {std::string("A\0\nTILT=NONE\n1 2", 17), false, 1, ""},
        {std::string("TILT\0=NONE\n", 11), false, 1, ""},
        {" TILT=NONE\n", false, 1, ""},
    };
    for (const Case& c : cases) {
        const std::string_view text(c.text.data(), c.text.size());
        const HeaderSplit split = SplitHeader(text);
        EXPECT_EQ(split.hasTilt, c.hasTilt) << c.text;
        if (c.hasTilt) {
            EXPECT_EQ(split.numericFirstLine, c.numericFirstLine) << c.text;
            EXPECT_EQ(split.tiltValue, c.tiltValue) << c.text;
        }
    }
}

}  // namespace
