#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <string>
#include <tuple>
#include <vector>

#include "photometry/Calculations.h"
#include "photometry/EntryLoader.h"
#include "photometry/EulumdatConversion.h"
#include "photometry/EulumdatReader.h"
#include "photometry/EulumdatRecord.h"

// EULUMDAT files read into the same record as the same distribution written
// as IES, and the two formats convert into each other without loss.

namespace fs = std::filesystem;

namespace {

// An asymmetric distribution folded by each symmetry: a mirror read the
// wrong way round gives other values.
double Distribution(int isym, double c, double gamma)
{
    c = std::fmod(c, 360.0);
    if (isym == 1)
        c = 0;
    else if (isym == 2 && c > 180)
        c = 360 - c;
    else if (isym == 3 && (c < 90 || c > 270))
        c = std::fmod(540 - c, 360.0);
    else if (isym == 4)
        c = std::fmod(c, 180.0) <= 90 ? std::fmod(c, 180.0) : 180 - std::fmod(c, 180.0);
    return 1000 - 2 * gamma + c / 4;
}

struct Generated {
    int isym;
    int nc;
    int lamps;  // negative: absolute
    double flux;
    double factor;  // conversion factor
};

const std::vector<double> kGammas{0, 15, 30, 45, 60, 75, 90, 105, 120, 135, 150, 165, 180};
const auto N = [](double value) { return FormatIesNumber(value); };

// The distribution's file, one item or number to a line.
std::vector<std::string> GeneratedLines(const Generated& g)
{
    std::vector<std::string> lines{"Halvard Lighting Works", "3", std::to_string(g.isym), std::to_string(g.nc),
                                   N(360.0 / g.nc), std::to_string(kGammas.size()), "15", "R-7", "Wall light",
                                   "W-7", "wall.ldt", "2024-05-01 lab", "600", "0", "80", "500", "0", "30", "30", "30",
                                   "30", "90", "75", N(g.factor), "0", "1", std::to_string(g.lamps), "LED 3000",
                                   N(g.flux), "3000 K", "Ra80", "24.5"};
    lines.insert(lines.end(), 10, "0.5");
    for (int k = 0; k < g.nc; ++k)
        lines.push_back(N(k * 360.0 / g.nc));
    for (double gamma : kGammas)
        lines.push_back(N(gamma));
    for (int j = 0; j < StoredPlaneCount(g.isym, g.nc); ++j)
        for (double gamma : kGammas)
            lines.push_back(N(Distribution(g.isym, (FirstStoredPlane(g.isym, g.nc) + j) % g.nc * 360.0 / g.nc, gamma)));
    return lines;
}

std::string Joined(const std::vector<std::string>& lines, const std::string& eol = "\r\n")
{
    std::string text;
    for (const std::string& line : lines)
        text += line + eol;
    return text;
}

// The same distribution as an LM-63 file, planes in its own convention.
std::string EquivalentIes(const Generated& g)
{
    const double first = g.isym == 3 ? 90 : 0;
    const double last = g.isym == 1 ? 0 : g.isym == 4 ? 90 : g.isym == 2 ? 180 : g.isym == 3 ? 270 : 360;
    std::vector<double> planes;
    for (double c = first; c <= last; c += 360.0 / g.nc)
        planes.push_back(c);
    std::string text = "TILT=NONE\r\n" + std::to_string(std::abs(g.lamps)) + " " +
                       N(g.lamps < 0 ? -1 : g.flux / g.lamps) + " 1 " + std::to_string(kGammas.size()) + " " +
                       std::to_string(planes.size()) + " 1 2 -0.5 0 0.03\r\n1 1 24.5\r\n";
    for (double gamma : kGammas)
        text += N(gamma) + " ";
    for (double c : planes)
        text += N(c) + " ";
    for (double c : planes)
        for (double gamma : kGammas)
            text += N(Distribution(g.isym, c, gamma) * g.factor * g.flux / 1000) + " ";
    return text;
}

void ExpectNear(double a, double b)
{
    EXPECT_NEAR(a, b, 1e-12 * std::max(1.0, std::fabs(b)));
}

// The same record up to the last bits of the values, and the same planes
// and scale chosen for the diagram from every plane.
void ExpectSameRecord(const tIES& a, const tIES& b)
{
    ASSERT_EQ(a.HorzAngles, b.HorzAngles);
    ASSERT_EQ(a.VertAngles, b.VertAngles);
    EXPECT_EQ(std::tie(a.HorzCount, a.VertCount, a.PhotometricType, a.UnitsType, a.LampCount, a.InputWatts),
              std::tie(b.HorzCount, b.VertCount, b.PhotometricType, b.UnitsType, b.LampCount, b.InputWatts));
    for (auto field : {&tIES::LampLumens, &tIES::Multiplier, &tIES::Width, &tIES::Length, &tIES::Height,
                       &tIES::InputWattsExact})
        ExpectNear(a.*field, b.*field);
    for (std::size_t h = 0; h < a.Candela.size(); ++h)
        for (std::size_t v = 0; v < a.Candela[h].size(); ++v)
            ExpectNear(a.Candela[h][v], b.Candela[h][v]);
    for (const bool fit : {false, true})
        for (int k = 0; k < a.HorzCount; ++k) {
            const PlaneSelection sa = SelectPlanes(a, k, 0, {false, true, fit});
            const PlaneSelection sb = SelectPlanes(b, k, 0, {false, true, fit});
            EXPECT_EQ(std::tie(sa.Opposite, sa.Perpendicular, sa.PerpendicularOpposite),
                      std::tie(sb.Opposite, sb.Perpendicular, sb.PerpendicularOpposite)) << k;
            ExpectNear(sa.Extents.MaxValue, sb.Extents.MaxValue);
        }
}

class GeneratedLdtTest : public ::testing::TestWithParam<Generated> {};

TEST_P(GeneratedLdtTest, ReadsAsItsIesEquivalent)
{
    const Generated& g = GetParam();
    EulumdatFile ldt;
    const ReadResult r = ReadEulumdat(Joined(GeneratedLines(g)), ldt);
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

    const FormatConversion written = BuildIesFromEulumdat(ldt);
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

// Deviations real files show: each must read as the plain file reads.
struct Deviation {
    const char* name;
    void (*apply)(std::vector<std::string>&);
    const char* eol;
};

const Generated kDeviating{3, 24, 2, 1800, 1};
constexpr std::size_t kRatios = 32;  // index of the first direct ratio

// The lines from the direct ratios on, `per` to a line.
void Merge(std::vector<std::string>& lines, std::size_t per)
{
    std::vector<std::string> merged(lines.begin(), lines.begin() + kRatios);
    for (std::size_t i = kRatios; i < lines.size(); ++i) {
        if ((i - kRatios) % per == 0)
            merged.push_back(lines[i]);
        else
            merged.back().append(" \t ").append(lines[i]);
    }
    lines = std::move(merged);
}

const Deviation kDeviations[] = {
    {"lf", [](std::vector<std::string>&) {}, "\n"},
    {"cr", [](std::vector<std::string>&) {}, "\r"},
    {"bom", [](std::vector<std::string>& l) { l[0] = "\xEF\xBB\xBF" + l[0]; }, "\r\n"},
    {"comma_decimals", [](std::vector<std::string>& l) { for (std::size_t i = 12; i < l.size(); ++i) std::replace(l[i].begin(), l[i].end(), '.', ','); }, "\r\n"},
    {"several_per_line", [](std::vector<std::string>& l) { Merge(l, 7); }, "\r\n"},
    {"ratios_and_blocks_on_one_line", [](std::vector<std::string>& l) { Merge(l, 100000); }, "\r\n"},
    {"wide_numbers", [](std::vector<std::string>& l) { for (std::size_t i = kRatios; i < l.size(); ++i) l[i] = "000" + l[i] + (l[i].find('.') == std::string::npos ? ".0000" : "0000"); }, "\r\n"},
    {"whole_numbers_with_point", [](std::vector<std::string>& l) { l[2] += ".0"; l[3] += ".0"; l[26] += ".0"; }, "\r\n"},
    {"padded_lines", [](std::vector<std::string>& l) { for (std::string& s : l) s = "  " + s + " \t "; }, "\r\n"},
    {"empty_tilt_line", [](std::vector<std::string>& l) { l[24].clear(); }, "\r\n"},
    {"trailing_garbage", [](std::vector<std::string>& l) { l.insert(l.end(), {"", "end of file"}); }, "\r\n"},
};

class DeviationTest : public ::testing::TestWithParam<Deviation> {};

TEST_P(DeviationTest, ReadsAsThePlainFile)
{
    EulumdatFile expected;
    ASSERT_EQ(ReadEulumdat(Joined(GeneratedLines(kDeviating)), expected).status, ReadResult::Status::Ok);
    std::vector<std::string> lines = GeneratedLines(kDeviating);
    GetParam().apply(lines);
    EulumdatFile actual;
    const ReadResult r = ReadEulumdat(Joined(lines, GetParam().eol), actual);
    ASSERT_EQ(r.status, ReadResult::Status::Ok) << r.message;
    EXPECT_EQ(actual, expected);
}

INSTANTIATE_TEST_SUITE_P(Table, DeviationTest, ::testing::ValuesIn(kDeviations),
                         [](const ::testing::TestParamInfo<Deviation>& p) { return std::string(p.param.name); });

TEST(EulumdatTexts, BlankLinesStayLinesAndEightBitTextBecomesUtf8)
{
    std::vector<std::string> lines = GeneratedLines(kDeviating);
    lines[0] = "Leuchten M\xFC" "ller \x80 \x93" "A\x94";  // Windows-1252
    lines[8] = "Wandleuchte \xC3\xA4";                       // UTF-8 stays
    lines[7].clear();
    lines[1] = "0";
    EulumdatFile ldt;
    ASSERT_EQ(ReadEulumdat(Joined(lines), ldt).status, ReadResult::Status::Ok);
    EXPECT_EQ(ldt.Company, "Leuchten M\xC3\xBCller \xE2\x82\xAC \xE2\x80\x9C" "A\xE2\x80\x9D");
    EXPECT_EQ(ldt.Ityp, 0);
    EntryTexts texts{.fileName = "wall.ldt"};
    EXPECT_FALSE(FillEulumdatTexts(ldt, texts));
    EXPECT_EQ(texts, (EntryTexts{.fileName = "wall.ldt",
                                 .test = "",
                                 .manufacturer = ldt.Company,
                                 .luminaire = "Wandleuchte \xC3\xA4",
                                 .luminaireCatalog = "W-7",
                                 .lamp = "LED 3000",
                                 .lampCatalog = ""}));
}

// Cut anywhere before its last number, a file is refused.
TEST(EulumdatTruncated, EveryCutBeforeTheLastNumberIsRefused)
{
    const std::string text = Joined(GeneratedLines(Generated{4, 8, 1, 1000, 1}));
    const std::size_t lastNumber = text.rfind("\r\n", text.size() - 3) + 2;
    for (std::size_t at = 0; at < text.size(); ++at) {
        EulumdatFile ldt;
        ASSERT_EQ(ReadEulumdat(text.substr(0, at), ldt).Read(), at > lastNumber) << at;
    }
}

// IES -> EULUMDAT -> IES: every plane of the source comes back at its own
// angle, within the 15 digits written.
void ExpectRoundTrip(const tIES& source, const std::string& name)
{
    EulumdatWriteInputs inputs;
    inputs.luminaireFlux = 1234.5;  // cancels out; only absolute files need it
    const FormatConversion ldtBytes = BuildEulumdat(source, inputs);
    ASSERT_TRUE(ldtBytes.Written()) << name << ": " << ldtBytes.message;
    EulumdatFile ldt;
    ASSERT_EQ(ReadEulumdat(ldtBytes.bytes, ldt).status, ReadResult::Status::Ok) << name;
    tIES back;
    ASSERT_EQ(ReadIes(BuildIesFromEulumdat(ldt).bytes, back).status, ReadResult::Status::Ok) << name;
    EXPECT_EQ(back.VertAngles, source.VertAngles) << name;
    EXPECT_EQ(HasAbsolutePhotometry(back), HasAbsolutePhotometry(source)) << name;
    for (std::size_t h = 0; h < source.HorzAngles.size(); ++h) {
        const double angle = std::fmod(source.HorzAngles[h] + 360, 360.0);
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

TEST(EulumdatRoundTrip, SamplesAndSharedCorpusKeepTheirDistribution)
{
    int typeC = 0;
    const fs::path root(KANDORA_SOURCE_DIR);
    for (const fs::path& folder : {root / "samples", root / ".." / "shared" / "corpus"}) {
        if (!fs::exists(folder))
            continue;
        for (const auto& item : fs::recursive_directory_iterator(folder)) {
            if (item.path().extension() != ".ies")
                continue;
            TiesData entry = UnreadEntry(item.path().filename().string());
            ASSERT_EQ(LoadEntry(entry, item.path().parent_path().string() + "/").kind, LoadResult::Kind::Loaded);
            if (entry.Ies.PhotometricType != 1) {
                EXPECT_EQ(BuildEulumdat(entry.Ies, {}).fault, ConversionFault::NotConvertible) << item.path();
                continue;
            }
            ++typeC;
            ExpectRoundTrip(entry.Ies, item.path().filename().string());
        }
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

class SymmetryChoiceTest : public ::testing::TestWithParam<Range> {};

TEST_P(SymmetryChoiceTest, FollowsTheHorizontalRange)
{
    const Range& range = GetParam();
    tIES ies;
    ies.PhotometricType = 1;
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
    EXPECT_EQ(std::tie(build.file.Isym, build.file.Nc, build.file.Dc), std::tie(range.isym, range.nc, range.dc));
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
    ies = tIES{-1, 1, 0, 0, 0, {{500, 100}}, 2, 1, 2, 0, 1, 1, {0, 90}, {0}};
    EXPECT_EQ(BuildEulumdat(ies, {}).fault, ConversionFault::Unexpected);
    EulumdatWriteInputs inputs;
    inputs.luminaireFlux = 2000;
    inputs.ballastFactor = 0.9;
    const EulumdatBuild build = EulumdatFromIes(ies, inputs);
    ASSERT_EQ(build.fault, ConversionFault::None);
    EXPECT_EQ(build.file.LampSets.at(0).Count, -1);
    EXPECT_EQ(build.file.LampSets.at(0).Flux, 2000);
    EXPECT_DOUBLE_EQ(build.file.Intensities.at(0).at(0), 225);  // 500 x 0.9 x 1000 / 2000
    EntryTexts texts{.fileName = "a.ldt"};
    EXPECT_TRUE(FillEulumdatTexts(build.file, texts)) << "a written file carries the change marker";
}

// The shared corpus's EULUMDAT files: every symmetry, absolute and relative,
// several lamp sets, luminous areas of every shape.
struct CorpusFile {
    const char* name;
    int isym;
    double first, last;
    std::size_t planes, lampSets;
    double lampLumens, width, length, height;
};

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
    EXPECT_EQ(ldt.Company, "ACME Inc.");
    EXPECT_EQ(ldt.LampSets.size(), c.lampSets);
    const tIES ies = EulumdatRecord(ldt);
    ASSERT_EQ(ies.HorzAngles.size(), c.planes);
    EXPECT_EQ(std::tie(ies.HorzAngles.front(), ies.HorzAngles.back(), ies.LampLumens), std::tie(c.first, c.last, c.lampLumens));
    EXPECT_DOUBLE_EQ(ies.Width, c.width);
    EXPECT_DOUBLE_EQ(ies.Length, c.length);
    EXPECT_DOUBLE_EQ(ies.Height, c.height);

    tIES back;
    ASSERT_EQ(ReadIes(BuildIesFromEulumdat(ldt).bytes, back).status, ReadResult::Status::Ok);
    ExpectSameRecord(back, ies);
    ExpectRoundTrip(back, c.name);
}

INSTANTIATE_TEST_SUITE_P(
    SharedCorpus, LdtCorpusTest,
    ::testing::Values(CorpusFile{"absolute.ldt", 1, 0, 0, 1, 1, -1, 0, 0, 0}, CorpusFile{"metadata.ldt", 1, 0, 0, 1, 1, -1, 0, 0, 0},
                      CorpusFile{"relative.ldt", 1, 0, 0, 1, 1, 250, 0, 0, 0},
                      CorpusFile{"multiple_lamp_sets.ldt", 1, 0, 0, 1, 3, 500, 0, 0, 0},
                      CorpusFile{"no_symmetry.ldt", 0, 0, 360, 25, 1, -1, 0, 0, 0},
                      CorpusFile{"symmetry_about_vertical_axis.ldt", 1, 0, 0, 1, 1, -1, 0, 0, 0},
                      CorpusFile{"symmetry_to_c0c180.ldt", 2, 0, 180, 19, 1, -1, 0, 0, 0},
                      CorpusFile{"symmetry_to_c0c90c180c270.ldt", 4, 0, 90, 10, 1, -1, 0, 0, 0},
                      CorpusFile{"symmetry_to_c90c270.ldt", 3, 90, 270, 19, 1, -1, 0, 0, 0},
                      CorpusFile{"rectangular_luminaire_rectangular_luminous_opening.ldt", 1, 0, 0, 1, 1, -1, 0.04, 0.05, 0},
                      CorpusFile{"rectangular_luminaire_rectangular_luminous_opening_with_heights.ldt", 1, 0, 0, 1, 1, -1, 0.04, 0.05, 0.014},
                      CorpusFile{"rectangular_luminaire_round_luminous_opening.ldt", 1, 0, 0, 1, 1, -1, -0.05, 0, 0},
                      CorpusFile{"rectangular_luminaire_round_luminous_opening_with_heights.ldt", 1, 0, 0, 1, 1, -1, -0.05, 0, 0.014},
                      CorpusFile{"round_luminaire_rectangular_luminous_opening.ldt", 1, 0, 0, 1, 1, -1, 0.04, 0.05, 0},
                      CorpusFile{"round_luminaire_round_luminous_opening.ldt", 1, 0, 0, 1, 1, -1, -0.05, 0, 0}),
    [](const ::testing::TestParamInfo<CorpusFile>& p) { return std::string(p.param.name).substr(0, std::string(p.param.name).size() - 4); });

}  // namespace
