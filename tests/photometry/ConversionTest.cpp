#include <gtest/gtest.h>

#include <cerrno>
#include <clocale>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <unistd.h>

#include "TempFolderTest.h"
#include "photometry/Conversion.h"
#include "photometry/EntryLoader.h"
#include "tests/photometry/ChildProcess.h"

namespace fs = std::filesystem;

namespace {

tArrEx Steps(double from, double to, double step)
{
    tArrEx values;
    for (double a = from; a <= to; a += step)
        values.push_back(a);
    return values;
}

// One lamp, 1000 lm, multiplier 1, units 2, 0.5 x 0.6 x 0, 36 W; cell (h, v) is 1000 h + v unless given.
tIES Record(std::uint16_t type, tArrEx vert, tArrEx horz, tArrEx2 rows = {})
{
    for (std::size_t h = 0; rows.size() < horz.size(); ++h) {
        rows.emplace_back();
        for (std::size_t v = 0; v < vert.size(); ++v)
            rows.back().push_back(static_cast<double>(1000 * h + v));
    }
    const auto v = static_cast<std::uint16_t>(vert.size());
    const auto h = static_cast<std::uint16_t>(horz.size());
    tIES ies{1000, 1, 0.5, 0.6, 0, std::move(rows), v, h, 2, 36, 1, type, std::move(vert), std::move(horz)};
    ies.InputWattsExact = 36;
    return ies;
}

const EntryTexts kTexts{.fileName = "lamp.ies", .test = "T1"};

// A line of numbers joined again if it was wrapped.
std::string Numbers(std::string line)
{
    for (std::size_t at; (at = line.find("\r\n")) != std::string::npos;)
        line.erase(at, 2);
    return line;
}

std::vector<std::string> Body(const ConversionText& text)
{
    return text.lines.size() < 4 ? text.lines : std::vector<std::string>(text.lines.begin() + 4, text.lines.end());
}

TEST(Conversion, WorkedExamplesLineByLine)
{
    const ConversionText r =
        BuildConversion(Record(1, {0, 45, 90}, {90, 180, 270}, {{100, 80, 0}, {110, 70, 0}, {100, 80, 0}}), kTexts);
    ASSERT_EQ(r.fault, ConversionFault::None) << r.message;
    ASSERT_EQ(r.lines.size(), 11u);
    EXPECT_EQ(std::vector<std::string>(r.lines.begin(), r.lines.begin() + 4),
              (std::vector<std::string>{"IESNA91", "[TEST] T1", r.lines[2], "TILT=NONE"}));
    EXPECT_EQ(r.lines[2].rfind("[CHANGED] Rotated from 90 to 0", 0), 0u) << r.lines[2];
    EXPECT_EQ(Body(r), (std::vector<std::string>{"1 1000 1 3 3 1 2 0.5 0.6 0", "1 1 36", "0 45 90 ", "0 90 180 ",
                                                 "100 80 0 ", "110 70 0 ", "100 80 0 "}));

    const ConversionText c = BuildConversion(Record(2, {-90, 0, 90}, {0, 90}, {{10, 20, 30}, {40, 50, 60}}), kTexts);
    ASSERT_EQ(c.fault, ConversionFault::None) << c.message;
    EXPECT_EQ(c.lines[2].rfind("[CHANGED] Converted from type B", 0), 0u) << c.lines[2];
    EXPECT_EQ(Body(c), (std::vector<std::string>{"1 1000 1 2 3 1 2 0.5 0.6 0", "1 1 36", "0 90 ", "0 90 180",
                                                 "20 30 ", "20 50 ", "20 10 "}));
}

TEST(Conversion, TypeBGridsGiveThreeFourOrTwoPlanes)
{
    // Vertical -90..90 and horizontal 0..90, both by 5: 19 gamma angles, C180 from vertical 0 down to -90.
    const ConversionText below = BuildConversion(Record(2, Steps(-90, 90, 5), Steps(0, 90, 5)), kTexts);
    ASSERT_EQ(below.lines.size(), 11u) << below.message;
    EXPECT_EQ(below.lines[4], "1 1000 1 19 3 1 2 0.5 0.6 0");
    EXPECT_EQ(Numbers(below.lines[6]), "0 5 10 15 20 25 30 35 40 45 50 55 60 65 70 75 80 85 90 ");
    EXPECT_EQ(Numbers(below.lines[8]), "18 19 20 21 22 23 24 25 26 27 28 29 30 31 32 33 34 35 36 ");
    EXPECT_EQ(Numbers(below.lines[9]).substr(0, 25), "18 1018 2018 3018 4018 50");
    EXPECT_EQ(Numbers(below.lines[10]), "18 17 16 15 14 13 12 11 10 9 8 7 6 5 4 3 2 1 0 ");

    // Both axes -90..90 by 10: the full variant, (19 - 1) / 2 + 1 = 10 gamma angles, four planes.
    const ConversionText full = BuildConversion(Record(2, Steps(-90, 90, 10), Steps(-90, 90, 10)), kTexts);
    EXPECT_EQ(Body(full), (std::vector<std::string>{
                              "1 1000 1 10 4 1 2 0.5 0.6 0", "1 1 36", "0 10 20 30 40 50 60 70 80 90 ", "0 90 180 270",
                              "9009 9010 9011 9012 9013 9014 9015 9016 9017 9018 ",
                              "9009 10009 11009 12009 13009 14009 15009 16009 17009 18009 ",
                              "9009 9008 9007 9006 9005 9004 9003 9002 9001 9000 ",
                              "9009 8009 7009 6009 5009 4009 3009 2009 1009 9 "}));

    const ConversionText quadrant = BuildConversion(Record(2, Steps(0, 90, 30), Steps(0, 90, 30)), kTexts);
    EXPECT_EQ(Body(quadrant), (std::vector<std::string>{"1 1000 1 4 2 1 2 0.5 0.6 0", "1 1 36", "0 30 60 90 ", "0 90",
                                                        "0 1 2 3 ", "0 1000 2000 3000 "}));
}

TEST(Conversion, RotationFrom90To270KeepsTheRows)
{
    const tIES ies = Record(1, Steps(0, 180, 2.5), Steps(90, 270, 15));
    const ConversionText text = BuildConversion(ies, EntryTexts{.fileName = "wall.ies"});
    ASSERT_EQ(text.lines.size(), 8u + 13u) << text.message;
    EXPECT_EQ(text.lines[1], "") << "no keyword values: an empty line";
    EXPECT_EQ(text.lines[7], "0 15 30 45 60 75 90 105 120 135 150 165 180 ");
    for (std::size_t h = 0; h < 13; ++h) {
        std::string row;
        for (double value : ies.Candela[h])
            row += FormatIesNumber(value) + " ";
        EXPECT_EQ(Numbers(text.lines[8 + h]), row);
    }
}

TEST(Conversion, NamesAndWrapping)
{
    EXPECT_EQ(ConvertedName("lamp.ies", ConversionKind::TypeC), "lamp_C.ies");
    EXPECT_EQ(ConvertedName("a.ies.ies", ConversionKind::TypeC), "a.ies_C.ies");
    EXPECT_EQ(ConvertedName("noextension", ConversionKind::Rotation), "noextension_R");

    std::string line;
    for (int i = 100; i < 170; ++i)
        line += std::to_string(i) + ' ';  // 70 numbers, 280 characters: four pieces of 60 and one of 40
    const std::string piece = "100 101 102 103 104 105 106 107 108 109 110 111 112 113 114 ";
    const std::string wrapped = WrapLine(line);
    EXPECT_EQ(wrapped.substr(0, 62), piece + "\r\n");
    for (std::size_t at = 0; at < 4; ++at)
        EXPECT_EQ(wrapped.substr(62 * at + 59, 3), " \r\n") << at;
    EXPECT_EQ(wrapped.size(), 280u + 4 * 2);
    EXPECT_EQ(WrapLine("1,5 2,25 "), "1.5 2.25 ");
    EXPECT_EQ(WrapLine(std::string(130, '7')),
              std::string(60, '7') + "\r\n" + std::string(60, '7') + "\r\n" + std::string(10, '7'));
}

TEST(Conversion, NumbersInTheShortestFormWith15DigitsWhateverTheLocale)
{
    const std::pair<double, const char*> cases[] = {
        {1000, "1000"}, {0.5, "0.5"}, {-2.25, "-2.25"}, {-0.0, "0"}, {0.1 + 0.2, "0.3"},
        {2.0 / 3, "0.666666666666667"}, {123456789012345, "123456789012345"}, {1234567.891, "1234567.891"},
        {999999999999999.9, "1E15"}, {0.00001, "0.00001"}, {0.0000015, "1.5E-6"}, {14000.0 / 1.4, "10000"}};
    for (const auto& [value, text] : cases)
        EXPECT_EQ(FormatIesNumber(value), text) << value;

    const std::string previous = std::setlocale(LC_NUMERIC, nullptr);
    if (std::setlocale(LC_NUMERIC, "de_DE.UTF-8") == nullptr)
        GTEST_SKIP() << "no de_DE locale installed";
    const std::string german = FormatIesNumber(1234567.25);
    std::setlocale(LC_NUMERIC, previous.c_str());
    EXPECT_EQ(german, "1234567.25");
}

TEST(Conversion, RefusesGridsThatDoNotMatchWithoutReadingPastTheMatrix)
{
    const auto fault = [](const tIES& ies) { return BuildConversion(ies, kTexts).fault; };
    // Horizontal steps of 10 against vertical steps of 5: the counts written would not match.
    const ConversionText steps = BuildConversion(Record(2, Steps(-90, 90, 5), Steps(0, 90, 10)), kTexts);
    EXPECT_EQ(steps.fault, ConversionFault::GridsDiffer);
    EXPECT_TRUE(steps.lines.empty());
    // Same counts, other angles; vertical reaching less far below 0 than above; the full variant's
    // vertical index of 0 (9) beyond a three-plane matrix; horizontal angles not symmetric about 0.
    EXPECT_EQ(fault(Record(2, {0, 5, 10}, {0, 10, 20})), ConversionFault::GridsDiffer);
    EXPECT_EQ(fault(Record(2, {-30, 0, 30, 60}, {0, 30, 60})), ConversionFault::GridsDiffer);
    EXPECT_EQ(fault(Record(2, Steps(-90, 90, 10), {-10, 0, 10})), ConversionFault::GridsDiffer);
    EXPECT_EQ(fault(Record(2, Steps(-90, 90, 45), {-90, -30, 0, 45, 90})), ConversionFault::GridsDiffer);

    const ConversionText noZero = BuildConversion(Record(2, Steps(-85, 85, 10), Steps(0, 90, 10)), kTexts);
    EXPECT_EQ(noZero.fault, ConversionFault::Unexpected);
    EXPECT_EQ(noZero.message, "Unexpected error.");
    EXPECT_EQ(ZeroVertIndex(Record(2, {-5, 0, 0}, {0})), 1);
    EXPECT_EQ(fault(Record(1, {0, 90}, {0, 90})), ConversionFault::NotConvertible);
    tIES ragged = Record(1, {0, 45, 90}, {90, 180});
    ragged.Candela[1].pop_back();
    EXPECT_EQ(fault(ragged), ConversionFault::Unexpected);
}

class ConversionFileTest : public TempFolderTest {
protected:
    ConversionFileTest() : TempFolderTest("kandora-conversion-") {}
    // The file `name` in the folder, read as the list reads it.
    TiesData Load(const std::string& name)
    {
        TiesData entry = UnreadEntry(name);
        EXPECT_EQ(LoadEntry(entry, dir_.string() + "/").kind, LoadResult::Kind::Loaded);
        return entry;
    }
};

TEST_F(ConversionFileTest, WrittenFilesReadBackWithTheSameIntensities)
{
    // Type B, both axes -90..90 by 45, 2000 lm with multiplier 1, so the reader normalises.
    std::ofstream(dir_ / "flood.ies", std::ios::binary)
        << "IESNA:LM-63-2002\r\n[TEST] Bench 7\r\nTILT=NONE\r\n1 2000 1 5 5 2 2 0.3 0.3 0.1\r\n0.95 1 35.5\r\n"
           "-90 -45 0 45 90\r\n-90 -45 0 45 90\r\n1 2 3 4 5\r\n6 7 8 9 10\r\n11 12 13.1 14 15\r\n"
           "16 17 18 19 20\r\n21 22 23 24 25\r\n";
    TiesData source = Load("flood.ies");
    ASSERT_EQ(source.Ies.Multiplier, 2);
    const ConversionResult result = SaveConversion(source.Ies, source.Texts, dir_.string());
    ASSERT_TRUE(result.Written()) << result.message;
    EXPECT_EQ(result.newPath, (dir_ / "flood_C.ies").string());
    const TiesData written = Load("flood_C.ies");
    EXPECT_TRUE(written.Changed) << "the marker makes it read back as changed";
    std::ifstream text(dir_ / "flood_C.ies", std::ios::binary);
    std::string line;
    for (int i = 0; i < 6; ++i)
        std::getline(text, line);
    EXPECT_EQ(line, "0.95 1 35.5\r") << "line 6 keeps the factors and watts as read";
    EXPECT_EQ(written.Texts.test, "Bench 7") << "a caption by test value carries over";
    const tIES& c = written.Ies;
    EXPECT_EQ(c.PhotometricType, 1);
    EXPECT_EQ(c.HorzAngles, (tArrEx{0, 90, 180, 270}));
    const tArrEx2& b = source.Ies.Candela;
    for (std::size_t i = 0; i < 3; ++i) {
        const double expected[] = {b[2][2 + i], b[2 + i][2], b[2][2 - i], b[2 - i][2]};  // C0, C90, C180, C270
        for (std::size_t plane = 0; plane < 4; ++plane)
            EXPECT_NEAR(c.Candela[plane][i] * c.Multiplier, expected[plane] * 2, 1e-12) << plane << " " << i;
    }

    // Converting again replaces the file; rotating a file with a second extension keeps it.
    source.Ies.Candela[2][2] = 99;
    ASSERT_TRUE(SaveConversion(source.Ies, source.Texts, dir_.string() + "/").Written());
    EXPECT_DOUBLE_EQ(Load("flood_C.ies").Ies.Candela[0][0], 99);
    tIES rotated = Record(1, {0, 45, 90}, {90, 180});
    const ConversionResult r = SaveConversion(rotated, EntryTexts{.fileName = "a.ies.ies"}, dir_.string());
    ASSERT_EQ(r.newName, "a.ies_R.ies");
    rotated.HorzAngles = {0, 90};
    EXPECT_EQ(Load(r.newName).Ies, rotated);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()), 3);
}

TEST_F(ConversionFileTest, RefusedOrFailedConversionsLeaveTheFolderAsItWas)
{
    const ConversionResult refused = SaveConversion(Record(2, Steps(-90, 90, 5), Steps(0, 90, 10)), kTexts, dir_.string());
    EXPECT_EQ(refused.fault, ConversionFault::GridsDiffer);
    EXPECT_TRUE(fs::is_empty(dir_));

    std::ofstream(dir_ / "lamp_C.ies") << "old";
    // The file itself may be written; only the folder is closed, and to "nobody", as root ignores it.
    fs::permissions(dir_ / "lamp_C.ies", fs::perms::owner_read | fs::perms::owner_write | fs::perms::others_read |
                                             fs::perms::others_write);
    fs::permissions(dir_, fs::perms::owner_read | fs::perms::owner_exec | fs::perms::others_read |
                              fs::perms::others_exec);
    const std::string outcome = RunInChild([&] {
        if (!DropRootPrivileges())
            return std::string("could not drop privileges");
        const ConversionResult r = SaveConversion(Record(2, {-90, 0, 90}, {0, 90}), kTexts, dir_.string());
        return std::to_string(r.fault == ConversionFault::WriteFailed) + "|" + r.message;
    });
    EXPECT_EQ(outcome, "1|Cannot create a file in the folder: " + std::string(std::strerror(EACCES)) + ".");
    std::ifstream in(dir_ / "lamp_C.ies");
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), "old");
}

}  // namespace
