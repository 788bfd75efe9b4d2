#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

#include "photometry/Calculations.h"
#include "photometry/Conversion.h"
#include "photometry/EntryLoader.h"
#include "photometry/EulumdatConversion.h"
#include "photometry/EulumdatReader.h"
#include "photometry/EulumdatRecord.h"
#include "photometry/IesReader.h"

// EULUMDAT files read into the same record as the same distribution written
// as IES, and the two formats convert into each other without loss.

namespace fs = std::filesystem;

namespace {

// An asymmetric distribution, then folded by each symmetry: a mirror read
// the wrong way round gives other values.
double Base(double c, double gamma)
{
    return 1000 - 2 * gamma + c / 4;
}

double Distribution(int isym, double c, double gamma)
{
    c = std::fmod(c, 360.0);
    switch (isym) {
    case 1: return Base(0, gamma);
    case 2: return Base(c <= 180 ? c : 360 - c, gamma);
    case 3: return Base(c >= 90 && c <= 270 ? c : std::fmod(540 - c, 360.0), gamma);
    case 4: {
        const double q = std::fmod(c, 180.0);
        return Base(q <= 90 ? q : 180 - q, gamma);
    }
    default: return Base(c, gamma);
    }
}

struct Generated {
    int isym;
    int nc;
    int lamps;  // negative: absolute
    double flux;
    double factor;  // conversion factor
};

void PrintTo(const Generated& g, std::ostream* os)
{
    *os << "isym " << g.isym << " nc " << g.nc << " lamps " << g.lamps;
}

const std::vector<double> kGammas{0, 15, 30, 45, 60, 75, 90, 105, 120, 135, 150, 165, 180};

std::string Num(double value)
{
    return FormatIesNumber(value);
}

// The distribution's file as a EULUMDAT writer lays it out.
std::string GeneratedLdt(const Generated& g)
{
    std::vector<std::string> lines{"Halvard Lighting Works", "3", std::to_string(g.isym), std::to_string(g.nc),
                                   Num(360.0 / g.nc), std::to_string(kGammas.size()), "15", "R-7", "Wall light",
                                   "W-7", "wall.ldt", "2024-05-01 lab", "600", "0", "80", "500", "0", "30", "30", "30",
                                   "30", "90", "75", Num(g.factor), "0", "1", std::to_string(g.lamps), "LED 3000",
                                   Num(g.flux), "3000 K", "Ra80", "24.5"};
    for (int i = 0; i < 10; ++i)
        lines.push_back("0.5");
    for (int k = 0; k < g.nc; ++k)
        lines.push_back(Num(k * 360.0 / g.nc));
    for (double gamma : kGammas)
        lines.push_back(Num(gamma));
    const int stored = StoredPlaneCount(g.isym, g.nc);
    for (int j = 0; j < stored; ++j) {
        const double c = (FirstStoredPlane(g.isym, g.nc) + j) % g.nc * 360.0 / g.nc;
        for (double gamma : kGammas)
            lines.push_back(Num(Distribution(g.isym, c, gamma)));
    }
    std::string text;
    for (const std::string& line : lines)
        text += line + "\r\n";
    return text;
}

// The same distribution as an LM-63 file, planes in its own convention.
std::string EquivalentIes(const Generated& g)
{
    const double step = 360.0 / g.nc;
    const double first = g.isym == 3 ? 90 : 0;
    const double last = g.isym == 1 ? 0 : g.isym == 4 ? 90 : g.isym == 2 ? 180 : g.isym == 3 ? 270 : 360;
    std::vector<double> planes;
    for (double c = first; c <= last; c += step)
        planes.push_back(c);
    const bool absolute = g.lamps < 0;
    const int lamps = std::abs(g.lamps);
    std::string text = "IESNA:LM-63-2002\r\nTILT=NONE\r\n" + std::to_string(lamps) + " " +
                       Num(absolute ? -1 : g.flux / lamps) + " 1 " + std::to_string(kGammas.size()) + " " +
                       std::to_string(planes.size()) + " 1 2 " + "-0.5 0 0.03\r\n1 1 24.5\r\n";
    for (double gamma : kGammas)
        text += Num(gamma) + " ";
    text += "\r\n";
    for (double c : planes)
        text += Num(c) + " ";
    text += "\r\n";
    for (double c : planes) {
        for (double gamma : kGammas)
            text += Num(Distribution(g.isym, c, gamma) * g.factor * g.flux / 1000) + " ";
        text += "\r\n";
    }
    return text;
}

void ExpectNear(double a, double b, const std::string& what)
{
    EXPECT_NEAR(a, b, 1e-12 * std::max(1.0, std::fabs(b))) << what;
}

// The same record up to the last bits of the values, and the same planes
// chosen for the diagram from every plane.
void ExpectSameRecord(const tIES& a, const tIES& b)
{
    ASSERT_EQ(a.HorzAngles, b.HorzAngles);
    ASSERT_EQ(a.VertAngles, b.VertAngles);
    EXPECT_EQ(a.HorzCount, b.HorzCount);
    EXPECT_EQ(a.VertCount, b.VertCount);
    EXPECT_EQ(a.PhotometricType, b.PhotometricType);
    EXPECT_EQ(a.UnitsType, b.UnitsType);
    EXPECT_EQ(a.LampCount, b.LampCount);
    EXPECT_EQ(a.InputWatts, b.InputWatts);
    ExpectNear(a.LampLumens, b.LampLumens, "lamp lumens");
    ExpectNear(a.Multiplier, b.Multiplier, "multiplier");
    ExpectNear(a.Width, b.Width, "width");
    ExpectNear(a.Length, b.Length, "length");
    ExpectNear(a.Height, b.Height, "height");
    ASSERT_EQ(a.Candela.size(), b.Candela.size());
    for (std::size_t h = 0; h < a.Candela.size(); ++h)
        for (std::size_t v = 0; v < a.Candela[h].size(); ++v)
            ExpectNear(a.Candela[h][v], b.Candela[h][v], "plane " + std::to_string(h) + " angle " + std::to_string(v));
    for (const bool fit : {false, true})
        for (int k = 0; k < a.HorzCount; ++k) {
            const PlaneOptions options{false, true, fit};
            const PlaneSelection sa = SelectPlanes(a, k, 0, options);
            const PlaneSelection sb = SelectPlanes(b, k, 0, options);
            EXPECT_EQ(sa.Opposite, sb.Opposite) << k;
            EXPECT_EQ(sa.Perpendicular, sb.Perpendicular) << k;
            EXPECT_EQ(sa.PerpendicularOpposite, sb.PerpendicularOpposite) << k;
            ExpectNear(sa.Extents.MaxValue, sb.Extents.MaxValue, "maximum");
        }
}

class GeneratedLdtTest : public ::testing::TestWithParam<Generated> {};

TEST_P(GeneratedLdtTest, ReadsAsItsIesEquivalent)
{
    const Generated& g = GetParam();
    EulumdatFile ldt;
    const ReadResult r = ReadEulumdat(GeneratedLdt(g), ldt);
    ASSERT_EQ(r.status, ReadResult::Status::Ok) << r.message;
    const tIES record = EulumdatRecord(ldt);
    tIES ies;
    ASSERT_EQ(ReadIes(EquivalentIes(g), ies).status, ReadResult::Status::Ok);
    ExpectSameRecord(record, ies);
    // Every plane holds the distribution at its own angle.
    const double scale = g.factor * (g.lamps < 0 ? g.flux / 1000 : g.lamps);
    for (std::size_t h = 0; h < record.HorzAngles.size(); ++h)
        for (std::size_t v = 0; v < kGammas.size(); ++v)
            ASSERT_DOUBLE_EQ(record.Candela[h][v], Distribution(g.isym, record.HorzAngles[h], kGammas[v]) * scale)
                << record.HorzAngles[h] << " " << kGammas[v];

    // Written as IES and read back, it is still the same record.
    const FormatConversion written = BuildIesFromEulumdat(ldt);
    ASSERT_TRUE(written.Written());
    EXPECT_TRUE(written.bytes.starts_with("IESNA:LM-63-2002\r\n"));
    tIES back;
    ASSERT_EQ(ReadIes(written.bytes, back).status, ReadResult::Status::Ok);
    ExpectSameRecord(back, record);
}

INSTANTIATE_TEST_SUITE_P(EverySymmetry, GeneratedLdtTest,
                         ::testing::Values(Generated{0, 24, 1, 1000, 1}, Generated{0, 36, -1, 2400, 1},
                                           Generated{1, 1, 2, 3000, 1}, Generated{1, 36, -2, 900, 1.25},
                                           Generated{2, 36, 1, 1500, 1}, Generated{2, 24, -1, 5000, 1},
                                           Generated{3, 36, 1, 1500, 1}, Generated{3, 48, 3, 4500, 0.9},
                                           Generated{4, 36, 1, 1200, 1}, Generated{4, 16, -1, 800, 1}));

// Deviations real files show, each applied to a file: it must read as the
// file itself reads.
struct Deviation {
    const char* name;
    std::string (*apply)(std::string);
};

void PrintTo(const Deviation& d, std::ostream* os)
{
    *os << d.name;
}

std::string Replace(std::string text, const std::string& from, const std::string& to)
{
    for (std::size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
    return text;
}

// Line n (from 1) of a CR LF text replaced.
std::string WithLine(std::string text, std::size_t n, const std::string& line)
{
    std::size_t start = 0;
    for (std::size_t i = 1; i < n; ++i)
        start = text.find("\r\n", start) + 2;
    return text.replace(start, text.find("\r\n", start) - start, line);
}

// The text from line `first` on changed by `change`.
std::string FromLine(const std::string& text, std::size_t first, std::string (*change)(std::string))
{
    std::size_t at = 0;
    for (std::size_t i = 1; i < first; ++i)
        at = text.find("\r\n", at) + 2;
    return text.substr(0, at) + change(text.substr(at));
}

// Lines from `first` on joined by `joint`, `per` to a line.
std::string Joined(std::string text, std::size_t first, std::size_t per)
{
    std::size_t at = 0;
    for (std::size_t i = 1; i < first; ++i)
        at = text.find("\r\n", at) + 2;
    std::string out = text.substr(0, at);
    for (std::size_t n = 0; at < text.size(); ++n) {
        const std::size_t end = text.find("\r\n", at);
        out += text.substr(at, end - at) + ((n + 1) % per == 0 ? "\r\n" : " \t ");
        at = end + 2;
    }
    return out;
}

const Generated kDeviating{3, 24, 2, 1800, 1};

const Deviation kDeviations[] = {
    {"lf", [](std::string t) { return Replace(t, "\r\n", "\n"); }},
    {"cr", [](std::string t) { return Replace(t, "\r\n", "\r"); }},
    {"bom", [](std::string t) { return "\xEF\xBB\xBF" + t; }},
    {"comma_decimals", [](std::string t) { return FromLine(t, 13, [](std::string s) { return Replace(s, ".", ","); }); }},
    {"several_per_line", [](std::string t) { return Joined(t, 33, 7); }},
    {"one_line_of_ratios_and_angles", [](std::string t) { return Joined(t, 33, 1000); }},
    {"wide_numbers", [](std::string t) { return Replace(Replace(t, "\r\n1", "\r\n00001"), "\r\n0.5", "\r\n0.500000"); }},
    {"whole_numbers_with_point", [](std::string t) { return WithLine(WithLine(t, 4, "24.0"), 3, "3.0"); }},
    {"padded_lines", [](std::string t) { return Replace(t, "\r\n", "   \r\n  "); }},
    {"empty_tilt_line", [](std::string t) { return WithLine(t, 25, ""); }},
    {"trailing_garbage", [](std::string t) { return t + "\r\n\r\nend of file\r\n"; }},
};

class DeviationTest : public ::testing::TestWithParam<Deviation> {};

TEST_P(DeviationTest, ReadsAsTheFileItself)
{
    EulumdatFile expected;
    ASSERT_EQ(ReadEulumdat(GeneratedLdt(kDeviating), expected).status, ReadResult::Status::Ok);
    EulumdatFile actual;
    const ReadResult r = ReadEulumdat(GetParam().apply(GeneratedLdt(kDeviating)), actual);
    ASSERT_EQ(r.status, ReadResult::Status::Ok) << r.message;
    EXPECT_EQ(actual, expected);
}

INSTANTIATE_TEST_SUITE_P(Table, DeviationTest, ::testing::ValuesIn(kDeviations),
                         [](const ::testing::TestParamInfo<Deviation>& p) { return std::string(p.param.name); });

TEST(EulumdatTexts, BlankLinesStayLinesAndEightBitTextBecomesUtf8)
{
    std::string text = GeneratedLdt(kDeviating);
    text = WithLine(text, 1, "Leuchten M\xFC" "ller \x80 \x93" "A\x94");  // Windows-1252
    text = WithLine(text, 9, "Wandleuchte \xC3\xA4");                      // UTF-8 stays
    text = WithLine(text, 8, "");
    text = WithLine(text, 2, "0");
    EulumdatFile ldt;
    ASSERT_EQ(ReadEulumdat(text, ldt).status, ReadResult::Status::Ok);
    EXPECT_EQ(ldt.Company, "Leuchten M\xC3\xBCller \xE2\x82\xAC \xE2\x80\x9C" "A\xE2\x80\x9D");
    EXPECT_EQ(ldt.LuminaireName, "Wandleuchte \xC3\xA4");
    EXPECT_EQ(ldt.ReportNumber, "");
    EXPECT_EQ(ldt.LuminaireNumber, "W-7");
    EXPECT_EQ(ldt.Ityp, 0);
    std::vector<std::string> texts{"", "wall.ldt"};
    EXPECT_FALSE(FillEulumdatTexts(ldt, texts));
    EXPECT_EQ(texts, (std::vector<std::string>{"", "wall.ldt", "", ldt.Company, ldt.LuminaireName, "W-7", "LED 3000", ""}));
}

// Cut anywhere before its last number, a file is refused; never does a cut crash.
TEST(EulumdatTruncated, EveryCutBeforeTheLastNumberIsRefused)
{
    const std::string text = GeneratedLdt(Generated{4, 8, 1, 1000, 1});
    const std::size_t lastNumber = text.rfind("\r\n", text.size() - 3) + 2;
    for (std::size_t at = 0; at < text.size(); ++at) {
        EulumdatFile ldt;
        const ReadResult r = ReadEulumdat(text.substr(0, at), ldt);
        ASSERT_EQ(r.Read(), at > lastNumber) << at << " " << r.message;
    }
}

// IES -> EULUMDAT -> IES: every plane of the source comes back, within the
// 15 digits written, at its own angle.
void ExpectRoundTrip(const tIES& source, const std::string& name)
{
    EulumdatWriteInputs inputs;
    inputs.luminaireFlux = 1234.5;  // cancels out; only absolute files need it
    const FormatConversion ldtBytes = BuildEulumdat(source, inputs);
    ASSERT_TRUE(ldtBytes.Written()) << name << ": " << ldtBytes.message;
    EulumdatFile ldt;
    ASSERT_EQ(ReadEulumdat(ldtBytes.bytes, ldt).status, ReadResult::Status::Ok) << name;
    const FormatConversion iesBytes = BuildIesFromEulumdat(ldt);
    ASSERT_TRUE(iesBytes.Written()) << name;
    tIES back;
    ASSERT_EQ(ReadIes(iesBytes.bytes, back).status, ReadResult::Status::Ok) << name;
    EXPECT_EQ(back.VertAngles, source.VertAngles) << name;
    EXPECT_EQ(HasAbsolutePhotometry(back), HasAbsolutePhotometry(source)) << name;
    for (std::size_t h = 0; h < source.HorzAngles.size(); ++h) {
        double angle = std::fmod(source.HorzAngles[h], 360.0);
        angle += angle < 0 ? 360 : 0;
        std::size_t k = 0;
        while (k < back.HorzAngles.size() && back.HorzAngles[k] != angle && back.HorzAngles[k] != source.HorzAngles[h])
            ++k;
        ASSERT_LT(k, back.HorzAngles.size()) << name << " plane " << source.HorzAngles[h];
        for (std::size_t v = 0; v < source.VertAngles.size(); ++v) {
            const double want = source.Candela[h][v] * source.Multiplier;
            ASSERT_NEAR(back.Candela[k][v] * back.Multiplier, want, 1e-12 * std::max(1.0, std::fabs(want)))
                << name << " plane " << source.HorzAngles[h] << " angle " << source.VertAngles[v];
        }
    }
}

std::vector<fs::path> IesFilesIn(const fs::path& folder)
{
    std::vector<fs::path> files;
    if (fs::exists(folder))
        for (const auto& item : fs::recursive_directory_iterator(folder))
            if (item.path().extension() == ".ies")
                files.push_back(item.path());
    return files;
}

TEST(EulumdatRoundTrip, SamplesAndSharedCorpusKeepTheirDistribution)
{
    int typeC = 0;
    const fs::path root(KANDORA_SOURCE_DIR);
    for (const fs::path& folder : {root / "samples", root / ".." / "shared" / "corpus"})
        for (const fs::path& file : IesFilesIn(folder)) {
            TiesData entry = UnreadEntry(file.filename().string());
            ASSERT_EQ(LoadEntry(entry, file.parent_path().string() + "/").kind, LoadResult::Kind::Loaded) << file;
            if (entry.Ies.PhotometricType != 1) {
                EXPECT_EQ(BuildEulumdat(entry.Ies, {}).fault, ConversionFault::NotConvertible) << file;
                continue;
            }
            ++typeC;
            ExpectRoundTrip(entry.Ies, file.filename().string());
        }
    EXPECT_GT(typeC, 10);
}

// The symmetry the writer chooses for each horizontal range; the round trip
// checks that the planes it stores are the right ones.
struct Range {
    std::vector<double> planes;
    int isym;
    int nc;
    double dc;
};

void PrintTo(const Range& r, std::ostream* os)
{
    *os << r.planes.front() << ".." << r.planes.back() << " (" << r.planes.size() << ")";
}

class SymmetryChoiceTest : public ::testing::TestWithParam<Range> {};

TEST_P(SymmetryChoiceTest, FollowsTheHorizontalRange)
{
    const Range& range = GetParam();
    tIES ies;
    ies.PhotometricType = 1;
    ies.UnitsType = 2;
    ies.LampCount = 1;
    ies.LampLumens = 2000;
    ies.Multiplier = 2;
    ies.VertAngles = {0, 30, 60, 90};
    ies.HorzAngles = range.planes;
    for (double plane : range.planes) {
        const double c = std::fmod(plane + 360, 360.0);  // 360 is 0 again
        ies.Candela.push_back({100 + c, 90 + c / 2, 50 - c / 8, c / 16});
    }
    ies.VertCount = 4;
    ies.HorzCount = static_cast<std::uint16_t>(range.planes.size());
    const EulumdatBuild build = EulumdatFromIes(ies, {});
    ASSERT_EQ(build.fault, ConversionFault::None) << build.message;
    EXPECT_EQ(build.file.Isym, range.isym);
    EXPECT_EQ(build.file.Nc, range.nc);
    EXPECT_EQ(build.file.Dc, range.dc);
    EXPECT_EQ(build.file.CAngles.size(), static_cast<std::size_t>(range.nc));
    ExpectRoundTrip(ies, "range");
}

std::vector<double> Steps(double first, double last, double step)
{
    std::vector<double> out;
    for (double c = first; c <= last; c += step)
        out.push_back(c);
    return out;
}

INSTANTIATE_TEST_SUITE_P(Table, SymmetryChoiceTest,
                         ::testing::Values(Range{{0}, 1, 1, 0}, Range{Steps(0, 90, 15), 4, 24, 15},
                                           Range{Steps(0, 180, 10), 2, 36, 10}, Range{Steps(90, 270, 10), 3, 36, 10},
                                           Range{Steps(90, 270, 45), 3, 8, 45},
                                           // 180 is no plane: the storage from C270 cannot hold it
                                           Range{Steps(90, 270, 60), 0, 6, 60},
                                           Range{Steps(0, 345, 15), 0, 24, 15}, Range{Steps(0, 360, 15), 0, 24, 15},
                                           Range{{0, 10, 30, 90}, 4, 12, 0}, Range{Steps(-90, 90, 30), 0, 7, 0}));

TEST(EulumdatWriter, RefusesTypesAAndBAndAbsoluteWithoutFlux)
{
    tIES ies;
    ies.PhotometricType = 2;
    EXPECT_EQ(BuildEulumdat(ies, {}).message, "EULUMDAT holds type C photometry only; this file is type B.");
    ies.PhotometricType = 1;
    ies.LampLumens = -1;
    ies.Multiplier = 1;
    ies.LampCount = 1;
    ies.VertAngles = {0, 90};
    ies.HorzAngles = {0};
    ies.Candela = {{500, 100}};
    ies.VertCount = 2;
    ies.HorzCount = 1;
    EXPECT_EQ(BuildEulumdat(ies, {}).fault, ConversionFault::Unexpected);
    EulumdatWriteInputs inputs;
    inputs.luminaireFlux = 2000;
    inputs.ballastFactor = 0.9;
    const EulumdatBuild build = EulumdatFromIes(ies, inputs);
    ASSERT_EQ(build.fault, ConversionFault::None);
    EXPECT_EQ(build.file.LampSets.at(0).Count, -1);
    EXPECT_EQ(build.file.LampSets.at(0).Flux, 2000);
    ASSERT_EQ(build.file.Intensities.size(), 1u);
    EXPECT_DOUBLE_EQ(build.file.Intensities[0].at(0), 225);  // 500 x 0.9 x 1000 / 2000
    EXPECT_DOUBLE_EQ(build.file.Intensities[0].at(1), 45);
    std::vector<std::string> texts{"", "a.ldt"};
    EXPECT_TRUE(FillEulumdatTexts(build.file, texts)) << "a written file carries the change marker";
}

// The shared corpus's EULUMDAT files: every symmetry, absolute and relative,
// several lamp sets, luminous areas of every shape.
struct CorpusFile {
    const char* name;
    int isym;
    std::size_t planes;
    double first, last;
    std::size_t lampSets;
    double lampLumens;
    double width, length, height;
};

void PrintTo(const CorpusFile& c, std::ostream* os)
{
    *os << c.name;
}

class LdtCorpusTest : public ::testing::TestWithParam<CorpusFile> {};

TEST_P(LdtCorpusTest, ReadsAndMatchesItsIesConversion)
{
    const CorpusFile& c = GetParam();
    const fs::path path = fs::path(KANDORA_SOURCE_DIR) / ".." / "shared" / "corpus" / "photometric-viewer" / "ldt" / c.name;
    if (!fs::exists(path))
        GTEST_SKIP() << "no shared corpus beside the repository";
    std::string bytes;
    ASSERT_EQ(ReadWholeFile(path.string(), bytes), "");
    EulumdatFile ldt;
    const ReadResult r = ReadEulumdat(bytes, ldt);
    ASSERT_EQ(r.status, ReadResult::Status::Ok) << r.message;
    EXPECT_EQ(ldt.Isym, c.isym);
    EXPECT_EQ(ldt.LampSets.size(), c.lampSets);
    EXPECT_EQ(ldt.Company, "ACME Inc.");
    const tIES ies = EulumdatRecord(ldt);
    ASSERT_EQ(ies.HorzAngles.size(), c.planes);
    EXPECT_EQ(ies.HorzAngles.front(), c.first);
    EXPECT_EQ(ies.HorzAngles.back(), c.last);
    EXPECT_EQ(ies.LampLumens, c.lampLumens);
    EXPECT_DOUBLE_EQ(ies.Width, c.width);
    EXPECT_DOUBLE_EQ(ies.Length, c.length);
    EXPECT_DOUBLE_EQ(ies.Height, c.height);

    const FormatConversion written = BuildIesFromEulumdat(ldt);
    ASSERT_TRUE(written.Written());
    tIES back;
    ASSERT_EQ(ReadIes(written.bytes, back).status, ReadResult::Status::Ok);
    ExpectSameRecord(back, ies);
    ExpectRoundTrip(back, c.name);
}

INSTANTIATE_TEST_SUITE_P(
    SharedCorpus, LdtCorpusTest,
    ::testing::Values(CorpusFile{"absolute.ldt", 1, 1, 0, 0, 1, -1, 0, 0, 0},
                      CorpusFile{"metadata.ldt", 1, 1, 0, 0, 1, -1, 0, 0, 0},
                      CorpusFile{"relative.ldt", 1, 1, 0, 0, 1, 250, 0, 0, 0},
                      CorpusFile{"multiple_lamp_sets.ldt", 1, 1, 0, 0, 3, 500, 0, 0, 0},
                      CorpusFile{"no_symmetry.ldt", 0, 25, 0, 360, 1, -1, 0, 0, 0},
                      CorpusFile{"symmetry_about_vertical_axis.ldt", 1, 1, 0, 0, 1, -1, 0, 0, 0},
                      CorpusFile{"symmetry_to_c0c180.ldt", 2, 19, 0, 180, 1, -1, 0, 0, 0},
                      CorpusFile{"symmetry_to_c0c90c180c270.ldt", 4, 10, 0, 90, 1, -1, 0, 0, 0},
                      CorpusFile{"symmetry_to_c90c270.ldt", 3, 19, 90, 270, 1, -1, 0, 0, 0},
                      CorpusFile{"rectangular_luminaire_rectangular_luminous_opening.ldt", 1, 1, 0, 0, 1, -1, 0.04, 0.05, 0},
                      CorpusFile{"rectangular_luminaire_rectangular_luminous_opening_with_heights.ldt", 1, 1, 0, 0, 1, -1,
                                 0.04, 0.05, 0.014},
                      CorpusFile{"rectangular_luminaire_round_luminous_opening.ldt", 1, 1, 0, 0, 1, -1, -0.05, 0, 0},
                      CorpusFile{"rectangular_luminaire_round_luminous_opening_with_heights.ldt", 1, 1, 0, 0, 1, -1,
                                 -0.05, 0, 0.014},
                      CorpusFile{"round_luminaire_rectangular_luminous_opening.ldt", 1, 1, 0, 0, 1, -1, 0.04, 0.05, 0},
                      CorpusFile{"round_luminaire_round_luminous_opening.ldt", 1, 1, 0, 0, 1, -1, -0.05, 0, 0}),
    [](const ::testing::TestParamInfo<CorpusFile>& p) {
        std::string name = p.param.name;
        name = name.substr(0, name.size() - 4);
        return name;
    });

}  // namespace
