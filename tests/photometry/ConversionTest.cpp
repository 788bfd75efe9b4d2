#include <gtest/gtest.h>

#include <cerrno>
#include <clocale>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <unistd.h>

#include "photometry/Conversion.h"
#include "photometry/EntryLoader.h"
#include "photometry/Keywords.h"
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

// One lamp, 1000 lm, multiplier 1, units 2, 0.5 x 0.6 x 0, 36 W; cell (h, v) holds 1000 h + v
// unless rows are given.
tIES Record(std::uint16_t type, tArrEx vert, tArrEx horz, tArrEx2 rows = {})
{
    tIES ies;
    ies.LampCount = 1;
    ies.LampLumens = 1000;
    ies.Multiplier = 1;
    ies.UnitsType = 2;
    ies.Width = 0.5;
    ies.Length = 0.6;
    ies.InputWatts = 36;
    ies.PhotometricType = type;
    ies.VertCount = static_cast<std::uint16_t>(vert.size());
    ies.HorzCount = static_cast<std::uint16_t>(horz.size());
    if (rows.empty())
        for (std::size_t h = 0; h < horz.size(); ++h) {
            rows.emplace_back();
            for (std::size_t v = 0; v < vert.size(); ++v)
                rows.back().push_back(static_cast<double>(1000 * h + v));
        }
    ies.Candela = std::move(rows);
    ies.VertAngles = std::move(vert);
    ies.HorzAngles = std::move(horz);
    return ies;
}

const std::vector<std::string> kTexts{"", "lamp.ies", "T1", "", "", "", "", ""};

// The file's lines as written, with wrapped lines split into their pieces.
std::vector<std::string> FileLines(const std::vector<std::string>& lines)
{
    std::vector<std::string> result;
    std::string bytes = JoinLines(std::vector<std::string>(lines));
    for (std::size_t start = 0, end; (end = bytes.find("\r\n", start)) != std::string::npos; start = end + 2)
        result.push_back(bytes.substr(start, end - start));
    return result;
}

// A line of numbers as the file holds it, joined again if it was wrapped.
std::string Numbers(std::string line)
{
    for (std::size_t at; (at = line.find("\r\n")) != std::string::npos;)
        line.erase(at, 2);
    return line;
}

TEST(Conversion, RotationWorkedExampleLineByLine)
{
    const tIES ies = Record(1, {0, 45, 90}, {90, 180, 270}, {{100, 80, 0}, {110, 70, 0}, {100, 80, 0}});
    ASSERT_EQ(ChooseConversion(ies), ConversionKind::Rotation);
    const ConversionText text = BuildConversion(ies, kTexts);
    ASSERT_EQ(text.fault, ConversionFault::None) << text.message;
    ASSERT_EQ(text.lines.size(), 11u);
    const std::vector<std::string> expected{"IESNA91", "[TEST] T1", text.lines[2], "TILT=NONE",
                                            "1 1000 1 3 3 1 2 0.5 0.6 0", "1 1 36", "0 45 90 ", "0 90 180 ",
                                            "100 80 0 ", "110 70 0 ", "100 80 0 "};
    EXPECT_EQ(text.lines, expected);
    EXPECT_EQ(text.lines[2].rfind("[CHANGED] Rotated from 90 to 0", 0), 0u) << text.lines[2];
    EXPECT_NE(text.lines[2].find(kChangeMarker), std::string::npos);
}

TEST(Conversion, TypeBBelowZeroWorkedExampleLineByLine)
{
    const tIES ies = Record(2, {-90, 0, 90}, {0, 90}, {{10, 20, 30}, {40, 50, 60}});
    const ConversionText text = BuildConversion(ies, kTexts);
    ASSERT_EQ(text.fault, ConversionFault::None) << text.message;
    EXPECT_EQ(text.kind, ConversionKind::TypeC);
    EXPECT_EQ(text.lines[2].rfind("[CHANGED] Converted from type B", 0), 0u) << text.lines[2];
    const std::vector<std::string> body(text.lines.begin() + 4, text.lines.end());
    EXPECT_EQ(body, (std::vector<std::string>{"1 1000 1 2 3 1 2 0.5 0.6 0", "1 1 36", "0 90 ", "0 90 180", "20 30 ",
                                              "20 50 ", "20 10 "}));
}

TEST(Conversion, TypeBGridsGiveTwoThreeOrFourPlanes)
{
    // Vertical -90..90 and horizontal 0..90, both by 5: three planes of 19 gamma angles.
    const ConversionText below = BuildConversion(Record(2, Steps(-90, 90, 5), Steps(0, 90, 5)), kTexts);
    ASSERT_EQ(below.fault, ConversionFault::None) << below.message;
    ASSERT_EQ(below.lines.size(), 11u);
    EXPECT_EQ(below.lines[4], "1 1000 1 19 3 1 2 0.5 0.6 0");
    EXPECT_EQ(Numbers(below.lines[6]), "0 5 10 15 20 25 30 35 40 45 50 55 60 65 70 75 80 85 90 ");
    EXPECT_EQ(below.lines[7], "0 90 180");
    // C0: row 0 from vertical 0 (index 18) up; C90: column 18 of every row; C180: row 0 from 18 down to 0.
    EXPECT_EQ(Numbers(below.lines[8]), "18 19 20 21 22 23 24 25 26 27 28 29 30 31 32 33 34 35 36 ");
    EXPECT_EQ(Numbers(below.lines[9]),
              "18 1018 2018 3018 4018 5018 6018 7018 8018 9018 10018 11018 12018 13018 14018 15018 16018 17018 "
              "18018 ");
    EXPECT_EQ(Numbers(below.lines[10]), "18 17 16 15 14 13 12 11 10 9 8 7 6 5 4 3 2 1 0 ");

    // Both axes -90..90 by 10: the full variant, (19 - 1) / 2 + 1 = 10 gamma angles, four planes.
    const ConversionText full = BuildConversion(Record(2, Steps(-90, 90, 10), Steps(-90, 90, 10)), kTexts);
    ASSERT_EQ(full.fault, ConversionFault::None) << full.message;
    ASSERT_EQ(full.lines.size(), 12u);
    EXPECT_EQ(full.lines[4], "1 1000 1 10 4 1 2 0.5 0.6 0");
    EXPECT_EQ(full.lines[6], "0 10 20 30 40 50 60 70 80 90 ");
    EXPECT_EQ(full.lines[7], "0 90 180 270");
    EXPECT_EQ(full.lines[8], "9009 9010 9011 9012 9013 9014 9015 9016 9017 9018 ");  // row of H 0, V 0..90
    EXPECT_EQ(full.lines[9], "9009 10009 11009 12009 13009 14009 15009 16009 17009 18009 ");
    EXPECT_EQ(full.lines[10], "9009 9008 9007 9006 9005 9004 9003 9002 9001 9000 ");
    EXPECT_EQ(full.lines[11], "9009 8009 7009 6009 5009 4009 3009 2009 1009 9 ");  // column of V 0, H 0 down to -90

    // Vertical and horizontal 0..90: two planes.
    const ConversionText quadrant = BuildConversion(Record(2, Steps(0, 90, 30), Steps(0, 90, 30)), kTexts);
    ASSERT_EQ(quadrant.fault, ConversionFault::None) << quadrant.message;
    EXPECT_EQ(quadrant.lines[4], "1 1000 1 4 2 1 2 0.5 0.6 0");
    EXPECT_EQ(std::vector<std::string>(quadrant.lines.begin() + 6, quadrant.lines.end()),
              (std::vector<std::string>{"0 30 60 90 ", "0 90", "0 1 2 3 ", "0 1000 2000 3000 "}));
}

TEST(Conversion, RotationFrom90To270KeepsTheRowsAndEveryLineFitsIn60)
{
    const tIES ies = Record(1, Steps(0, 180, 2.5), Steps(90, 270, 15));
    const ConversionText text = BuildConversion(ies, {"", "wall.ies"});
    ASSERT_EQ(text.fault, ConversionFault::None) << text.message;
    EXPECT_EQ(text.lines[1], "") << "no keyword values: an empty line";
    EXPECT_EQ(text.lines[4], "1 1000 1 73 13 1 2 0.5 0.6 0");
    EXPECT_EQ(text.lines[7], "0 15 30 45 60 75 90 105 120 135 150 165 180 ");
    ASSERT_EQ(text.lines.size(), 8u + 13u);
    for (std::size_t h = 0; h < 13; ++h) {
        std::string expected;
        for (std::size_t v = 0; v < 73; ++v)
            expected += std::to_string(1000 * h + v) + " ";
        EXPECT_EQ(Numbers(text.lines[8 + h]), expected);
    }
    for (const std::string& line : FileLines(text.lines))
        EXPECT_LE(line.size(), 60u) << line;
}

TEST(Conversion, NamesTakeTheSuffixBeforeTheLastExtension)
{
    EXPECT_EQ(ConvertedName("lamp.ies", ConversionKind::TypeC), "lamp_C.ies");
    EXPECT_EQ(ConvertedName("a.ies.ies", ConversionKind::TypeC), "a.ies_C.ies");
    EXPECT_EQ(ConvertedName("Wall Pack.IES", ConversionKind::Rotation), "Wall Pack_R.IES");
    EXPECT_EQ(ConvertedName("noextension", ConversionKind::Rotation), "noextension_R");
}

TEST(Conversion, WrapLineCutsAfterTheLastSpaceWithin60)
{
    std::string line;
    for (int i = 100; i < 170; ++i)
        line += std::to_string(i) + ' ';  // 70 numbers, 280 characters
    const std::string wrapped = WrapLine(line);
    std::vector<std::string> pieces;
    for (std::size_t start = 0, end;; start = end + 2) {
        end = wrapped.find("\r\n", start);
        pieces.push_back(wrapped.substr(start, end == std::string::npos ? end : end - start));
        if (end == std::string::npos)
            break;
    }
    ASSERT_EQ(pieces.size(), 5u);
    for (const std::string& piece : pieces) {
        EXPECT_LE(piece.size(), 60u);
        EXPECT_EQ(piece.back(), ' ');
    }
    EXPECT_EQ(pieces[0], "100 101 102 103 104 105 106 107 108 109 110 111 112 113 114 ");
    EXPECT_EQ(Numbers(wrapped), line);

    EXPECT_EQ(WrapLine("1,5 2,25 "), "1.5 2.25 ");
    EXPECT_EQ(WrapLine(std::string(60, '7')), std::string(60, '7'));
    // A run without a space is cut at 60 rather than looping or overrunning.
    EXPECT_EQ(WrapLine(std::string(130, '7')),
              std::string(60, '7') + "\r\n" + std::string(60, '7') + "\r\n" + std::string(10, '7'));
}

TEST(Conversion, NumbersInTheShortestFormWith15Digits)
{
    const std::pair<double, const char*> cases[] = {
        {1000, "1000"},
        {0.5, "0.5"},
        {3, "3"},
        {-2.25, "-2.25"},
        {-0.0, "0"},
        {65535, "65535"},
        {0.1 + 0.2, "0.3"},
        {1.0 / 3, "0.333333333333333"},
        {2.0 / 3, "0.666666666666667"},
        {123456789012345, "123456789012345"},
        {1234567.891, "1234567.891"},
        {999999999999999.9, "1E15"},
        {1e20, "1E20"},
        {0.00001, "0.00001"},
        {0.0000015, "1.5E-6"},
        {-1e-300, "-1E-300"},
        {14000.0 / 1.4, "10000"},
    };
    for (const auto& [value, text] : cases)
        EXPECT_EQ(FormatIesNumber(value), text) << value;
}

TEST(Conversion, NumbersIgnoreADecimalCommaLocale)
{
    const std::string previous = std::setlocale(LC_NUMERIC, nullptr);
    bool active = false;
    for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "de_DE"})
        if (std::setlocale(LC_NUMERIC, name) != nullptr) {
            active = true;
            break;
        }
    const std::string half = FormatIesNumber(0.5);
    const std::string big = FormatIesNumber(1234567.25);
    const std::string wrapped = WrapLine("0,5 ");
    std::setlocale(LC_NUMERIC, previous.c_str());
    if (!active)
        GTEST_SKIP() << "no de_DE locale installed";
    EXPECT_EQ(half, "0.5");
    EXPECT_EQ(big, "1234567.25");
    EXPECT_EQ(wrapped, "0.5 ");
}

TEST(Conversion, GridsThatDoNotMatchAreRefusedWithoutReadingPastTheMatrix)
{
    // Horizontal steps of 10 against vertical steps of 5: the counts written would not match.
    const ConversionText steps = BuildConversion(Record(2, Steps(-90, 90, 5), Steps(0, 90, 10)), kTexts);
    EXPECT_EQ(steps.fault, ConversionFault::GridsDiffer);
    EXPECT_TRUE(steps.lines.empty());
    EXPECT_NE(steps.message.find("Cannot convert to type C"), std::string::npos);
    // Same counts but other angles: the values would land on the wrong gamma angles.
    EXPECT_EQ(BuildConversion(Record(2, {0, 5, 10}, {0, 10, 20}), kTexts).fault, ConversionFault::GridsDiffer);
    // Vertical below 0 reaching less far than above: the C180 plane would be short.
    EXPECT_EQ(BuildConversion(Record(2, {-30, 0, 30, 60}, {0, 30, 60}), kTexts).fault, ConversionFault::GridsDiffer);
    // Full variant whose vertical index of 0 (9) is no row of a three-plane file.
    EXPECT_EQ(BuildConversion(Record(2, Steps(-90, 90, 10), {-10, 0, 10}), kTexts).fault,
              ConversionFault::GridsDiffer);
    // Horizontal angles not symmetric about 0 in the full variant: C270 would not fit.
    EXPECT_EQ(BuildConversion(Record(2, Steps(-90, 90, 45), {-90, -30, 0, 45, 90}), kTexts).fault,
              ConversionFault::GridsDiffer);

    // No vertical angle 0 at all, or the full variant with 0 first: the unexpected error.
    const ConversionText noZero = BuildConversion(Record(2, Steps(-85, 85, 10), Steps(0, 90, 10)), kTexts);
    EXPECT_EQ(noZero.fault, ConversionFault::Unexpected);
    EXPECT_EQ(noZero.message, "Unexpected error.");
    EXPECT_EQ(ZeroVertIndex(Record(2, Steps(-85, 85, 10), {0})), -1);
    EXPECT_EQ(ZeroVertIndex(Record(2, {-5, 0, 0}, {0})), 1);

    // A type C file starting at 0 is neither converted nor rotated.
    EXPECT_EQ(BuildConversion(Record(1, {0, 90}, {0, 90}), kTexts).fault, ConversionFault::NotConvertible);
    // A record whose rows do not hold its counts is refused, not read past.
    tIES ragged = Record(1, {0, 45, 90}, {90, 180});
    ragged.Candela[1].pop_back();
    EXPECT_EQ(BuildConversion(ragged, kTexts).fault, ConversionFault::Unexpected);
}

class ConversionFileTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        dir_ = fs::temp_directory_path() / ("kandora-conversion-" + std::to_string(::getpid()));
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    void TearDown() override
    {
        std::error_code ignored;
        fs::permissions(dir_, fs::perms::owner_all, ignored);
        fs::remove_all(dir_, ignored);
    }
    static std::string Contents(const fs::path& path)
    {
        std::ifstream in(path, std::ios::binary);
        std::ostringstream out;
        out << in.rdbuf();
        return out.str();
    }
    // Reads `text` as the file `name` would be read.
    static TiesData Read(const std::string& text, const std::string& name)
    {
        TiesData entry = UnreadEntry(name);
        EXPECT_EQ(ReadEntryBytes(entry, text, name).kind, LoadResult::Kind::Loaded);
        return entry;
    }
    fs::path dir_;
};

// Type B, vertical and horizontal -90..90 by 45, 2000 lm with multiplier 1 (so the reader
// normalises), test value "Bench 7".
const char* const kTypeB =
    "IESNA:LM-63-2002\r\n[TEST] Bench 7\r\n[LAMP] 35W\r\nTILT=NONE\r\n"
    "1 2000 1 5 5 2 2 0.3 0.3 0.1\r\n1 1 35.5\r\n-90 -45 0 45 90\r\n-90 -45 0 45 90\r\n"
    "1 2 3 4 5\r\n6 7 8 9 10\r\n11 12 13.1 14 15\r\n16 17 18 19 20\r\n21 22 23 24 25\r\n";

TEST_F(ConversionFileTest, AConvertedFileReadsBackWithTheSameIntensities)
{
    const TiesData source = Read(kTypeB, "flood.ies");
    ASSERT_EQ(source.Ies.Multiplier, 2);
    const ConversionResult result = SaveConversion(source.Ies, source.Texts, dir_.string());
    ASSERT_TRUE(result.Written()) << result.message;
    EXPECT_EQ(result.newName, "flood_C.ies");
    EXPECT_EQ(result.newPath, (dir_ / "flood_C.ies").string());

    TiesData written = UnreadEntry("flood_C.ies");
    ASSERT_EQ(LoadEntry(written, dir_.string() + "/").kind, LoadResult::Kind::Loaded);
    EXPECT_TRUE(written.Changed) << "the marker makes it read back as changed";
    EXPECT_EQ(written.Texts[2], "Bench 7") << "a caption by test value carries over";
    EXPECT_EQ(written.Texts[6], "35W");
    const tIES& c = written.Ies;
    EXPECT_EQ(c.PhotometricType, 1);
    EXPECT_EQ(c.InputWatts, 36);
    EXPECT_EQ(c.VertAngles, (tArrEx{0, 45, 90}));
    EXPECT_EQ(c.HorzAngles, (tArrEx{0, 90, 180, 270}));
    const auto same = [&](double writtenValue, double sourceValue) {
        EXPECT_NEAR(writtenValue * c.Multiplier, sourceValue * source.Ies.Multiplier, 1e-12);
    };
    // C0 is the source row of horizontal 0 from vertical 0; C270 its column of vertical 0 downwards.
    for (std::size_t i = 0; i < 3; ++i) {
        same(c.Candela[0][i], source.Ies.Candela[2][2 + i]);
        same(c.Candela[1][i], source.Ies.Candela[2 + i][2]);
        same(c.Candela[2][i], source.Ies.Candela[2][2 - i]);
        same(c.Candela[3][i], source.Ies.Candela[2 - i][2]);
    }
    EXPECT_DOUBLE_EQ(c.Candela[0][0] * c.Multiplier, 13.1);

    // A second conversion replaces the first file.
    const tIES before = c;
    TiesData again = source;
    again.Ies.Candela[2][2] = 99;
    ASSERT_TRUE(SaveConversion(again.Ies, again.Texts, dir_.string() + "/").Written());
    ASSERT_EQ(LoadEntry(written, dir_.string() + "/").kind, LoadResult::Kind::Loaded);
    EXPECT_DOUBLE_EQ(written.Ies.Candela[0][0] * written.Ies.Multiplier, 99 * 2);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()), 1);
}

TEST_F(ConversionFileTest, ARotatedFileReadsBackWithPlanesFromZero)
{
    const TiesData source = Read("IESNA91\r\n[TEST] T1\r\nTILT=NONE\r\n1 1000 1 3 3 1 2 0.5 0.6 0\r\n1 1 36\r\n"
                                 "0 45 90\r\n90 180 270\r\n100 80 0\r\n110 70 0\r\n100 80 0\r\n",
                                 "a.ies.ies");
    const ConversionResult result = SaveConversion(source.Ies, source.Texts, dir_.string());
    ASSERT_TRUE(result.Written()) << result.message;
    EXPECT_EQ(result.newName, "a.ies_R.ies");
    const TiesData written = Read(Contents(result.newPath), result.newName);
    EXPECT_TRUE(written.Changed);
    tIES expected = source.Ies;
    expected.HorzAngles = {0, 90, 180};
    EXPECT_EQ(written.Ies, expected);
}

TEST_F(ConversionFileTest, RefusedOrFailedConversionsLeaveTheFolderAsItWas)
{
    const tIES mismatched = Record(2, Steps(-90, 90, 5), Steps(0, 90, 10));
    const ConversionResult refused = SaveConversion(mismatched, kTexts, dir_.string());
    EXPECT_EQ(refused.fault, ConversionFault::GridsDiffer);
    EXPECT_TRUE(fs::is_empty(dir_));

    std::ofstream(dir_ / "lamp_C.ies") << "old";
    // The file itself may be written; only the folder is closed.
    fs::permissions(dir_ / "lamp_C.ies", fs::perms::owner_read | fs::perms::owner_write | fs::perms::others_read |
                                             fs::perms::others_write);
    fs::permissions(dir_, fs::perms::owner_read | fs::perms::owner_exec | fs::perms::others_read |
                              fs::perms::others_exec);
    // Permission bits do not stop root: write as "nobody".
    const std::string outcome = RunInChild([&] {
        if (!DropRootPrivileges())
            return std::string("could not drop privileges");
        const ConversionResult r = SaveConversion(Record(2, {-90, 0, 90}, {0, 90}), kTexts, dir_.string());
        return std::to_string(static_cast<int>(r.fault)) + "|" + r.message + "|" + r.newPath;
    });
    EXPECT_EQ(outcome, std::to_string(static_cast<int>(ConversionFault::WriteFailed)) +
                           "|Cannot create a file in the folder: " + std::strerror(EACCES) + ".|" +
                           (dir_ / "lamp_C.ies").string());
    EXPECT_EQ(Contents(dir_ / "lamp_C.ies"), "old");
}

}  // namespace
