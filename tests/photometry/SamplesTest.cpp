#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <filesystem>
#include <numbers>
#include <ostream>
#include <set>
#include <string>

#include "photometry/EntryLoader.h"
#include "photometry/Keywords.h"

// Every file of the bundled sample library reads as its luminaire says it should.

namespace fs = std::filesystem;

namespace {

const std::string kFolder = std::string(KANDORA_SOURCE_DIR) + "/samples/";

struct SampleCase {
    const char* file;
    int type;            // 1 C, 2 B, 3 A
    int vertCount;
    int horzCount;
    double vertFirst, vertLast;
    double horzFirst, horzLast;
    bool absolute;       // lumens -1
    double multiplier;   // as stored, after normalising
    bool changed;
    const char* headerFault;
    const char* luminaire;
};

void PrintTo(const SampleCase& c, std::ostream* os) { *os << c.file; }

constexpr double kRad = std::numbers::pi / 180;

// Weight of each angle in a trapezoid sum over [first, last].
tArrEx TrapezoidWeights(const tArrEx& angles)
{
    tArrEx w(angles.size(), 0.0);
    for (std::size_t i = 0; i + 1 < angles.size(); ++i) {
        const double half = (angles[i + 1] - angles[i]) / 2 * kRad;
        w[i] += half;
        w[i + 1] += half;
    }
    return w;
}

// Azimuth weights of type C planes over the whole circle: a single plane
// stands for all of it; symmetric grids (0-90, 0-180, 90-270) are repeated;
// other grids wrap round from the last plane to the first.
tArrEx PlaneWeights(const tArrEx& planes)
{
    if (planes.size() == 1)
        return {2 * std::numbers::pi};
    const double span = planes.back() - planes.front();
    tArrEx w = TrapezoidWeights(planes);
    if (span == 90 || span == 180 || span == 360) {
        for (double& x : w)
            x *= 360 / span;
        return w;
    }
    const double gap = (360 - span) / 2 * kRad;
    w.front() += gap;
    w.back() += gap;
    return w;
}

// Luminous flux in lumens of a read record (candela times multiplier).
double Flux(const tIES& ies)
{
    const tArrEx wv = TrapezoidWeights(ies.VertAngles);
    double total = 0;
    if (ies.PhotometricType == 1) {
        const tArrEx wh = PlaneWeights(ies.HorzAngles);
        for (std::size_t h = 0; h < ies.HorzCount; ++h)
            for (std::size_t v = 0; v < ies.VertCount; ++v)
                total += ies.Candela[h][v] * std::sin(ies.VertAngles[v] * kRad) * wv[v] * wh[h];
    } else {
        tArrEx wh = TrapezoidWeights(ies.HorzAngles);
        if (ies.HorzAngles.front() == 0)  // one half of a symmetric beam
            for (double& x : wh)
                x *= 2;
        for (std::size_t h = 0; h < ies.HorzCount; ++h)
            for (std::size_t v = 0; v < ies.VertCount; ++v) {
                // type B planes turn about the lateral axis, type A about the vertical one
                const double c = ies.PhotometricType == 2 ? ies.HorzAngles[h] : ies.VertAngles[v];
                total += ies.Candela[h][v] * std::cos(c * kRad) * wv[v] * wh[h];
            }
    }
    return total * ies.Multiplier;
}

class SampleFile : public ::testing::TestWithParam<SampleCase> {};

TEST_P(SampleFile, ReadsAsItsLuminaireSays)
{
    const SampleCase& c = GetParam();
    TiesData entry = UnreadEntry(c.file);
    const LoadResult r = LoadEntry(entry, kFolder);
    ASSERT_EQ(r.kind, LoadResult::Kind::Loaded) << r.error;
    EXPECT_EQ(r.headerFault, c.headerFault);
    EXPECT_TRUE(entry.Loaded);
    EXPECT_EQ(entry.Changed, c.changed);
    ASSERT_TRUE(HasKeywordTexts(entry));
    EXPECT_EQ(entry.Texts.luminaire, c.luminaire);

    const tIES& ies = entry.Ies;
    EXPECT_EQ(ies.PhotometricType, c.type);
    ASSERT_EQ(ies.VertCount, c.vertCount);
    ASSERT_EQ(ies.HorzCount, c.horzCount);
    ASSERT_EQ(ies.VertAngles.size(), ies.VertCount);
    ASSERT_EQ(ies.HorzAngles.size(), ies.HorzCount);
    ASSERT_EQ(ies.Candela.size(), ies.HorzCount);
    EXPECT_EQ(ies.VertAngles.front(), c.vertFirst);
    EXPECT_EQ(ies.VertAngles.back(), c.vertLast);
    EXPECT_EQ(ies.HorzAngles.front(), c.horzFirst);
    EXPECT_EQ(ies.HorzAngles.back(), c.horzLast);
    for (std::size_t i = 1; i < ies.VertAngles.size(); ++i)
        EXPECT_LT(ies.VertAngles[i - 1], ies.VertAngles[i]) << "vertical angle " << i;
    for (std::size_t i = 1; i < ies.HorzAngles.size(); ++i)
        EXPECT_LT(ies.HorzAngles[i - 1], ies.HorzAngles[i]) << "horizontal angle " << i;

    double peak = 0;
    for (const tArrEx& row : ies.Candela) {
        ASSERT_EQ(row.size(), ies.VertCount);
        for (double v : row) {
            ASSERT_GE(v, 0);
            peak = std::max(peak, v);
        }
    }
    EXPECT_GT(peak, 0);
    EXPECT_EQ(ies.Multiplier, c.multiplier);
    EXPECT_GT(ies.LampCount, 0);

    // The flux must be what a real luminaire of this kind gives.
    const double flux = Flux(ies);
    if (c.absolute) {
        EXPECT_EQ(ies.LampLumens, -1);
        ASSERT_GT(ies.InputWatts, 0);
        const double efficacy = flux / ies.InputWatts;
        EXPECT_GT(efficacy, 50) << "lm/W";
        EXPECT_LT(efficacy, 160) << "lm/W";
    } else {
        EXPECT_GT(ies.LampLumens, 0);
        const double efficiency = flux / (ies.LampLumens * ies.LampCount);
        EXPECT_GT(efficiency, 0.4);
        EXPECT_LT(efficiency, 1.0);
    }
}

// clang-format off
const SampleCase kSamples[] = {
    {"area-light-wall-pack.ies", 1, 37, 19, 0, 180, 90, 270, false, 14, false, "", "Wall pack, forward throw, prismatic refractor"},
    {"area-light-wall-pack_R.ies", 1, 37, 19, 0, 180, 0, 180, false, 14, true, "", "Wall pack, forward throw, prismatic refractor"},
    {"bollard-louvred-led.ies", 1, 37, 1, 0, 180, 0, 0, false, 1.2, false, "", "Bollard, 360 degree louvre head"},
    {"downlight-cfl-6in-open-reflector.ies", 1, 19, 1, 0, 90, 0, 0, false, 1.8, false, "", "6 in. open downlight, clear specular reflector"},
    {"downlight-halogen-narrow-spot.ies", 1, 33, 1, 0, 90, 0, 0, false, 0.9, false, "", "Recessed adjustable spot, 12 degree beam"},
    {"downlight-led-4in-15w.ies", 1, 37, 1, 0, 90, 0, 0, false, 1.6, false, "", "4 in. LED downlight, 60 degree reflector"},
    {"downlight-led-6in-misprinted-header.ies", 1, 19, 1, 0, 90, 0, 0, false, 3, false, "Line 10", "6 in. LED downlight, deep cone"},
    {"downlight-led-square-trim.ies", 1, 37, 5, 0, 90, 0, 90, false, 2.4, false, "", "Square trim LED downlight, satin lens"},
    {"floodlight-area-symmetric.ies", 2, 37, 19, -90, 90, 0, 90, false, 20.5, false, "", "Area floodlight, symmetric medium beam"},
    {"floodlight-led-wide-rectangular.ies", 2, 37, 37, -90, 90, -90, 90, true, 1, false, "", "LED floodlight, wide rectangular beam"},
    {"floodlight-narrow-beam-metal-halide.ies", 2, 37, 37, -90, 90, -90, 90, false, 36, false, "", "Floodlight, narrow beam NEMA 3x3"},
    {"floodlight-narrow-beam-metal-halide_C.ies", 1, 19, 4, 0, 90, 0, 270, false, 36, true, "", "Floodlight, narrow beam NEMA 3x3"},
    {"floodlight-sports-asymmetric.ies", 2, 73, 73, -90, 90, -90, 90, false, 155, false, "", "Sports floodlight, asymmetric visor"},
    {"high-bay-metal-halide-400w.ies", 1, 37, 1, 0, 90, 0, 0, false, 36, false, "", "22 in. aluminium high bay, open"},
    {"linear-pendant-direct-indirect.ies", 1, 37, 5, 0, 180, 0, 90, false, 5, false, "", "8 ft linear pendant, 30% down 70% up"},
    {"linear-recessed-batwing-t5.ies", 1, 37, 7, 0, 90, 0, 90, false, 0.95, false, "", "1x4 recessed linear, batwing lens"},
    {"panel-led-600-square.ies", 1, 19, 7, 0, 90, 0, 90, true, 1, false, "", "LED panel 600 x 600, micro-prismatic diffuser"},
    {"pendant-opal-globe.ies", 1, 37, 1, 0, 180, 0, 0, false, 1.75, false, "", "12 in. opal glass globe pendant"},
    {"street-light-hps-cobra-head.ies", 1, 19, 19, 0, 90, 0, 180, false, 27.5, false, "", "Cobra head, drop lens, type III medium"},
    {"street-light-led-type-ii.ies", 1, 37, 37, 0, 90, 0, 180, true, 1, false, "", "LED roadway luminaire, type II medium"},
    {"street-light-post-top.ies", 1, 19, 13, 0, 90, 0, 180, false, 16, false, "", "POST TOP, ACORN GLOBE, REFRACTOR TYPE V"},
    {"track-spot-led-24deg.ies", 1, 33, 1, 0, 90, 0, 0, true, 1, false, "", "Track spot, 24 degree optic"},
    {"troffer-2x2-parabolic-louver.ies", 1, 19, 3, 0, 90, 0, 90, false, 2.85, false, "", "2x2 parabolic troffer, 18 cell semi-specular louver"},
    {"troffer-2x4-prismatic-3-lamp.ies", 1, 19, 5, 0, 90, 0, 90, false, 3.15, false, "", "2X4 RECESSED TROFFER, 3 LAMP, PRISMATIC ACRYLIC LENS"},
    {"uplight-cove-linear.ies", 1, 19, 7, 90, 180, 0, 90, false, 1.32, false, "", "Linear cove light, asymmetric up"},
    {"uplight-in-grade-narrow.ies", 1, 19, 1, 90, 180, 0, 0, false, 1, false, "", "In-grade uplight, narrow flood"},
    {"vehicle-fog-lamp.ies", 3, 41, 37, -20, 20, -45, 45, false, 1.35, false, "", "Auxiliary fog lamp, clear lens"},
    {"wall-sconce-up-down.ies", 1, 37, 17, 0, 180, 0, 360, true, 1, false, "", "Cylinder sconce, up and down"},
    {"wall-washer-recessed-led.ies", 1, 19, 25, 0, 90, 0, 360, false, 2, false, "", "Recessed wall washer, kick reflector"},
    {"wraparound-2-lamp-acrylic.ies", 1, 37, 5, 0, 180, 0, 90, false, 3.2, false, "", "SURFACE WRAPAROUND, 2 LAMP, WHITE ACRYLIC LENS"},
};
// clang-format on

std::string CaseName(const ::testing::TestParamInfo<SampleCase>& param)
{
    std::string name = param.param.file;
    name = name.substr(0, name.find('.'));
    for (char& ch : name)
        if (!std::isalnum(static_cast<unsigned char>(ch)))
            ch = '_';
    return name;
}

INSTANTIATE_TEST_SUITE_P(Library, SampleFile, ::testing::ValuesIn(kSamples), CaseName);

TEST(SampleLibrary, EveryFileIsCheckedAndTheLibraryIsComplete)
{
    std::set<std::string> listed;
    for (const SampleCase& c : kSamples)
        listed.insert(c.file);
    std::set<std::string> present;
    for (const auto& item : fs::directory_iterator(kFolder))
        if (item.path().extension() == ".ies")
            present.insert(item.path().filename().string());
    EXPECT_EQ(present, listed);
    EXPECT_GE(present.size(), 25u);
    EXPECT_LE(present.size(), 40u);
}

// Files without bracketed keywords fall back to the labelled lines.
TEST(SampleLibrary, OldLabelledHeadersGiveTheirTexts)
{
    TiesData entry = UnreadEntry("troffer-2x4-prismatic-3-lamp.ies");
    ASSERT_EQ(LoadEntry(entry, kFolder).kind, LoadResult::Kind::Loaded);
    EXPECT_EQ(entry.Texts.test, "");
    EXPECT_EQ(entry.Texts.manufacturer, "");
    EXPECT_EQ(entry.Texts.luminaireCatalog, "EP-8604-117") << "cut at LM-DATE";
    EXPECT_EQ(entry.Texts.lamp, "(3) F40T12/CW, 3150 LUMENS EACH");
    EXPECT_EQ(entry.Texts.lampCatalog, "");

    TiesData modern = UnreadEntry("downlight-led-4in-15w.ies");
    ASSERT_EQ(LoadEntry(modern, kFolder).kind, LoadResult::Kind::Loaded);
    EXPECT_EQ(KeywordText(modern.Texts, KeywordForm::Labels),
              "Test: HLW-21-0412\r\nManufacturer: Halvard Lighting Works\r\nLuminaire catalog: HD4-15-830-60\r\n"
              "Luminaire: 4 in. LED downlight, 60 degree reflector\r\nLamp catalog: LM-1600-830\r\n"
              "Lamp: LED module 1600 lm 3000K");
}

// A converted file carries the source's keywords and principal profiles.
TEST(SampleLibrary, ConvertedCopyHoldsTheSourceProfiles)
{
    TiesData source = UnreadEntry("floodlight-narrow-beam-metal-halide.ies");
    TiesData copy = UnreadEntry("floodlight-narrow-beam-metal-halide_C.ies");
    ASSERT_EQ(LoadEntry(source, kFolder).kind, LoadResult::Kind::Loaded);
    ASSERT_EQ(LoadEntry(copy, kFolder).kind, LoadResult::Kind::Loaded);
    EntryTexts keywords = copy.Texts;
    keywords.fileName = source.Texts.fileName;
    EXPECT_EQ(keywords, source.Texts);
    const tIES& b = source.Ies;
    const tIES& c = copy.Ies;
    const std::size_t zero = 18;  // index of angle 0 on both axes of the source
    ASSERT_EQ(b.HorzAngles[zero], 0);
    ASSERT_EQ(b.VertAngles[zero], 0);
    // Values are written with 15 significant digits.
    const auto same = [](double written, double stored) { return std::abs(written - stored) <= 1e-13 * stored; };
    for (std::size_t i = 0; i < c.VertCount; ++i) {
        EXPECT_EQ(c.VertAngles[i], b.HorzAngles[zero + i]);
        EXPECT_PRED2(same, c.Candela[0][i], b.Candela[zero][zero + i]) << "C0 " << i;
        EXPECT_PRED2(same, c.Candela[1][i], b.Candela[zero + i][zero]) << "C90 " << i;
        EXPECT_PRED2(same, c.Candela[2][i], b.Candela[zero][zero - i]) << "C180 " << i;
        EXPECT_PRED2(same, c.Candela[3][i], b.Candela[zero - i][zero]) << "C270 " << i;
    }
}

}  // namespace

namespace {

// Negative dimensions stand for round shapes; the library must keep every
// kind so that the luminaire sketch has them all to draw.
TEST(SampleLibrary, OpeningShapesAndUnitsOfEveryKind)
{
    bool rectangle = false, circle = false, ellipse = false, sphere = false, feet = false, metres = false;
    for (const SampleCase& c : kSamples) {
        TiesData entry = UnreadEntry(c.file);
        ASSERT_EQ(LoadEntry(entry, kFolder).kind, LoadResult::Kind::Loaded) << c.file;
        const tIES& ies = entry.Ies;
        rectangle |= ies.Width > 0 && ies.Length > 0;
        circle |= ies.Width < 0 && ies.Width == ies.Length && ies.Height == 0;
        ellipse |= ies.Width < 0 && ies.Length < 0 && ies.Width != ies.Length;
        sphere |= ies.Width < 0 && ies.Length < 0 && ies.Height < 0;
        feet |= ies.UnitsType == 1;
        metres |= ies.UnitsType == 2;
        EXPECT_TRUE(ies.UnitsType == 1 || ies.UnitsType == 2) << c.file;
    }
    EXPECT_TRUE(rectangle);
    EXPECT_TRUE(circle);
    EXPECT_TRUE(ellipse);
    EXPECT_TRUE(sphere);
    EXPECT_TRUE(feet);
    EXPECT_TRUE(metres);
}

}  // namespace
