#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <functional>
#include <numbers>
#include <ostream>

#include "photometry/Conversion.h"
#include "photometry/EntryLoader.h"
#include "photometry/IesReader.h"
#include "photometry/PhotometricSummary.h"

namespace fs = std::filesystem;

namespace {

constexpr double kPi = std::numbers::pi;
constexpr double kDeg = kPi / 180;

using Distribution = std::function<double(double c, double gamma)>;

tArrEx Steps(double from, double to, double step)
{
    tArrEx out;
    for (int i = 0; from + i * step <= to + 1e-9; ++i)
        out.push_back(from + i * step);
    return out;
}

// An absolute type C (or other type) record sampling `f` on the grid.
tIES Sampled(tArrEx vert, tArrEx horz, const Distribution& f, std::uint16_t type = 1)
{
    tIES ies;
    ies.LampLumens = -1;
    ies.Multiplier = 1;
    ies.LampCount = 1;
    ies.PhotometricType = type;
    for (double c : horz) {
        ies.Candela.emplace_back();
        for (double g : vert)
            ies.Candela.back().push_back(f(c, g));
    }
    ies.VertCount = static_cast<std::uint16_t>(vert.size());
    ies.HorzCount = static_cast<std::uint16_t>(horz.size());
    ies.VertAngles = std::move(vert);
    ies.HorzAngles = std::move(horz);
    return ies;
}

double Lambert(double, double g)
{
    return g <= 90 ? 100 * std::cos(g * kDeg) : 0;
}

// Beam 12 degrees exactly (2^-1 at 6 degrees), field 2 x 6 sqrt(log2 10).
double Spot(double, double g)
{
    return 1000 * std::pow(2.0, -(g / 6) * (g / 6));
}

struct AnalyticCase {
    const char* name;
    tIES ies;
    std::optional<double> flux;
    std::optional<double> beam, field;
    double angleTolerance;
    std::optional<std::array<double, 3>> cie;  // N1..N3
    double cieTolerance;
};

void PrintTo(const AnalyticCase& c, std::ostream* os) { *os << c.name; }

class AnalyticDistribution : public ::testing::TestWithParam<AnalyticCase> {};

TEST_P(AnalyticDistribution, GivesItsKnownValues)
{
    const AnalyticCase& c = GetParam();
    const PhotometricSummary s = SummarizePhotometry(c.ies);
    ASSERT_TRUE(s.flux_lm);
    if (c.flux) {
        EXPECT_NEAR(*s.flux_lm, *c.flux, 1e-12 * *c.flux);
    }
    for (const BeamField& pair : {s.c0_c180, s.c90_c270}) {
        ASSERT_EQ(pair.beam_deg.has_value(), c.beam.has_value());
        ASSERT_EQ(pair.field_deg.has_value(), c.field.has_value());
        if (c.beam) {
            EXPECT_NEAR(*pair.beam_deg, *c.beam, c.angleTolerance);
        }
        if (c.field) {
            EXPECT_NEAR(*pair.field_deg, *c.field, c.angleTolerance);
        }
    }
    ASSERT_TRUE(s.cie_flux_code);
    if (c.cie) {
        EXPECT_NEAR(s.cie_flux_code->n1, (*c.cie)[0], c.cieTolerance);
        EXPECT_NEAR(s.cie_flux_code->n2, (*c.cie)[1], c.cieTolerance);
        EXPECT_NEAR(s.cie_flux_code->n3, (*c.cie)[2], c.cieTolerance);
    }
    ASSERT_TRUE(s.zonal_lm);
    EXPECT_EQ((*s.zonal_lm)[5], *s.flux_lm) << "the band 0-180 is the flux";
    EXPECT_NEAR((*s.zonal_lm)[3] + (*s.zonal_lm)[4], *s.flux_lm, 1e-9 * *s.flux_lm);
    ASSERT_TRUE(s.max_at);
    EXPECT_EQ(s.max_at->gamma, 0);
}

// Lambertian: pi I0 exactly (the intensity is linear in cos gamma), a beam of
// 120 and a field of 2 arccos 0.1 = 168.52 within a 5-degree grid. Uniform:
// 4 pi I with nothing below half. Spot: beam 12.
INSTANTIATE_TEST_SUITE_P(
    Summary, AnalyticDistribution,
    ::testing::Values(
        AnalyticCase{"lambertian", Sampled(Steps(0, 180, 5), {0}, Lambert), 100 * kPi, 120,
                     2 * std::acos(0.1) / kDeg, 0.01, std::array<double, 3>{43.75, 75, 93.75}, 0.01},
        AnalyticCase{"uniform_sphere", Sampled(Steps(0, 180, 10), Steps(0, 345, 15), [](double, double) { return 50.0; }),
                     4 * kPi * 50, std::nullopt, std::nullopt, 0, std::array<double, 3>{25, 50, 75}, 1e-9},
        AnalyticCase{"narrow_spot", Sampled(Steps(0, 90, 0.5), Steps(0, 90, 22.5), Spot), std::nullopt, 12,
                     12 * std::sqrt(std::log2(10.0)), 0.02, std::array<double, 3>{100, 100, 100}, 1e-6}),
    [](const ::testing::TestParamInfo<AnalyticCase>& param) { return std::string(param.param.name); });

void ExpectSame(const std::optional<double>& a, const std::optional<double>& b, const char* what)
{
    ASSERT_EQ(a.has_value(), b.has_value()) << what;
    if (a) {
        EXPECT_NEAR(*a, *b, 1e-9 * std::max(1.0, std::abs(*b))) << what;
    }
}

void ExpectSameSummary(const PhotometricSummary& a, const PhotometricSummary& b)
{
    ExpectSame(a.flux_lm, b.flux_lm, "flux");
    ExpectSame(a.max_cd, b.max_cd, "max");
    ASSERT_TRUE(a.max_at && b.max_at);
    EXPECT_EQ(a.max_at->c, b.max_at->c);
    EXPECT_EQ(a.max_at->gamma, b.max_at->gamma);
    ExpectSame(a.c0_c180.beam_deg, b.c0_c180.beam_deg, "beam C0-C180");
    ExpectSame(a.c0_c180.field_deg, b.c0_c180.field_deg, "field C0-C180");
    ExpectSame(a.c90_c270.beam_deg, b.c90_c270.beam_deg, "beam C90-C270");
    ExpectSame(a.c90_c270.field_deg, b.c90_c270.field_deg, "field C90-C270");
    ASSERT_TRUE(a.zonal_lm && b.zonal_lm);
    for (std::size_t i = 0; i < kZonalBands.size(); ++i)
        ExpectSame((*a.zonal_lm)[i], (*b.zonal_lm)[i], kZonalBands[i].name.data());
    ASSERT_TRUE(a.cie_flux_code && b.cie_flux_code);
    ExpectSame(a.cie_flux_code->n1, b.cie_flux_code->n1, "N1");
    ExpectSame(a.cie_flux_code->n3, b.cie_flux_code->n3, "N3");
}

// Down light of cos^3 with a little up light, shaped round the circle.
double Body(double g)
{
    return g < 90 ? 1000 * std::pow(std::cos(g * kDeg), 3) + 10 : 10;
}

struct SymmetryCase {
    const char* name;
    tArrEx planes;
    tArrEx fullCircle;
    Distribution f;
};

void PrintTo(const SymmetryCase& c, std::ostream* os) { *os << c.name; }

class Symmetry : public ::testing::TestWithParam<SymmetryCase> {};

TEST_P(Symmetry, GivesTheValuesOfTheFullCircle)
{
    const SymmetryCase& c = GetParam();
    const PhotometricSummary part = SummarizePhotometry(Sampled(Steps(0, 180, 5), c.planes, c.f));
    const PhotometricSummary full = SummarizePhotometry(Sampled(Steps(0, 180, 5), c.fullCircle, c.f));
    ExpectSameSummary(part, full);
    EXPECT_TRUE(part.c0_c180.beam_deg && part.c90_c270.field_deg) << "the case reaches the beam walk";
}

INSTANTIATE_TEST_SUITE_P(
    Summary, Symmetry,
    ::testing::Values(
        SymmetryCase{"one_plane", {0}, Steps(0, 345, 15), [](double, double g) { return Body(g); }},
        SymmetryCase{"quadrant", Steps(0, 90, 15), Steps(0, 360, 15),
                     [](double c, double g) { return Body(g) * (1 + 0.4 * std::cos(2 * c * kDeg)); }},
        SymmetryCase{"half_c0_c180", Steps(0, 180, 15), Steps(0, 345, 15),
                     [](double c, double g) { return Body(g) * (1 + 0.3 * std::cos(c * kDeg) + 0.2 * std::cos(2 * c * kDeg)); }},
        SymmetryCase{"half_c90_c270", Steps(90, 270, 15), Steps(0, 360, 15),
                     [](double c, double g) { return Body(g) * (1 + 0.3 * std::sin(c * kDeg)); }}),
    [](const ::testing::TestParamInfo<SymmetryCase>& param) { return std::string(param.param.name); });

// Planes 40 apart read C90, C180 and C270 between their neighbours, as a grid
// holding those interpolated planes does; and so do flux and bands (linear in C).
TEST(PhotometricSummary, PlanesOffTheGridAreLinearInC)
{
    const auto f = [](double c, double g) { return Body(g) * (1.2 + std::cos(c * kDeg) + 0.3 * std::sin(2 * c * kDeg)); };
    const tIES coarse = Sampled(Steps(0, 180, 5), Steps(0, 320, 40), f);
    tIES fine = Sampled(Steps(0, 180, 5), Steps(0, 350, 10), f);
    for (std::size_t h = 0; h < 36; ++h)
        for (std::size_t k = 0; k < fine.VertAngles.size(); ++k) {
            const double a = coarse.Candela[h / 4][k], b = coarse.Candela[(h / 4 + 1) % 9][k];
            fine.Candela[h][k] = a + (b - a) * static_cast<double>(h % 4) / 4;
        }
    ExpectSameSummary(SummarizePhotometry(coarse), SummarizePhotometry(fine));
}

tIES Read(const std::string& text)
{
    tIES ies;
    EXPECT_EQ(ReadIes(text, ies).status, ReadResult::Status::Ok);
    return ies;
}

TEST(PhotometricSummary, AbsoluteRelativeFactorsAndNulls)
{
    const std::string grid = " 3 1 1 2 0 0 0\n";
    const std::string body = "0 45 90\n0\n300 200 100\n";
    const PhotometricSummary absolute = SummarizePhotometry(Read("TILT=NONE\n2 -1 1" + grid + "1 1 35.5\n" + body));
    const PhotometricSummary relative = SummarizePhotometry(Read("TILT=NONE\n2 2000 1" + grid + "1 1 35.5\n" + body));
    ASSERT_TRUE(absolute.flux_lm && relative.flux_lm);
    EXPECT_NEAR(*relative.flux_lm, *absolute.flux_lm, 1e-12 * *absolute.flux_lm) << "both are the file's candela";
    EXPECT_FALSE(absolute.lamp_flux_lm || absolute.lor || absolute.cie_flux_code->n4 || absolute.cie_flux_code->n5);
    EXPECT_EQ(relative.lamp_flux_lm, 4000);
    EXPECT_DOUBLE_EQ(*relative.lor, *relative.flux_lm / 4000);
    EXPECT_DOUBLE_EQ(*relative.cie_flux_code->n5, 100 * *relative.lor);
    EXPECT_DOUBLE_EQ(*absolute.efficacy_lm_per_w, *absolute.flux_lm / 35.5);
    EXPECT_EQ(absolute.max_cd, 300);

    // Both factors scale every intensity; angles stay.
    const PhotometricSummary dimmed = SummarizePhotometry(Read("TILT=NONE\n2 -1 1" + grid + "0.5 0.9 0\n" + body));
    EXPECT_NEAR(*dimmed.flux_lm, 0.45 * *absolute.flux_lm, 1e-12 * *absolute.flux_lm);
    EXPECT_NEAR(*dimmed.max_cd, 0.45 * 300, 1e-9);
    EXPECT_EQ(dimmed.c0_c180.beam_deg, absolute.c0_c180.beam_deg);
    EXPECT_FALSE(dimmed.input_watts || dimmed.efficacy_lm_per_w) << "no watts, no efficacy";

    // Nothing downward: no CIE code; no grid: nothing but the lamp and the watts.
    const PhotometricSummary up = SummarizePhotometry(Read("TILT=NONE\n1 1000 1" + grid + "1 1 10\n90 135 180\n0\n0 5 9\n"));
    EXPECT_FALSE(up.cie_flux_code);
    EXPECT_EQ((*up.zonal_lm)[3], 0);
    EXPECT_GT((*up.zonal_lm)[4], 0);
    const PhotometricSummary empty = SummarizePhotometry(Read("TILT=NONE\n1 1000 1 0 0 1 2 0 0 0 1 1 10\n"));
    EXPECT_FALSE(empty.flux_lm || empty.max_cd || empty.max_at || empty.lor || empty.zonal_lm || empty.cie_flux_code ||
                 empty.c0_c180.beam_deg || empty.c90_c270.field_deg);
    EXPECT_EQ(empty.lamp_flux_lm, 1000);
    EXPECT_EQ(empty.input_watts, 10);
}

TEST(PhotometricSummary, TypeBInItsOwnCoordinates)
{
    // Uniform over the front hemisphere: 2 pi I, whether the lateral half is mirrored or written.
    const auto uniform = [](double, double) { return 100.0; };
    const tIES whole = Sampled(Steps(-90, 90, 10), Steps(-90, 90, 10), uniform, 2);
    const tIES half = Sampled(Steps(-90, 90, 10), Steps(0, 90, 10), uniform, 2);
    EXPECT_NEAR(*SummarizePhotometry(whole).flux_lm, 2 * kPi * 100, 1e-9);
    EXPECT_NEAR(*SummarizePhotometry(half).flux_lm, 2 * kPi * 100, 1e-9);
    EXPECT_FALSE(SummarizePhotometry(whole).zonal_lm || SummarizePhotometry(whole).cie_flux_code || BandFlux(whole, 0, 90));

    // Its principal profiles give the angles of the type C file the conversion writes.
    const tIES flood = Sampled(Steps(-90, 90, 5), Steps(-90, 90, 5), [](double h, double v) {
        return 1000 * std::exp(-std::pow(h / 20, 2) - std::pow(v / 12, 2));
    }, 2);
    ConversionText text = BuildConversion(flood, {"", "flood.ies", "", "", "", "", "", ""});
    ASSERT_EQ(text.fault, ConversionFault::None) << text.message;
    const PhotometricSummary b = SummarizePhotometry(flood);
    const PhotometricSummary c = SummarizePhotometry(Read(JoinLines(std::move(text.lines))));
    ExpectSame(b.c0_c180.beam_deg, c.c0_c180.beam_deg, "beam C0-C180");
    ExpectSame(b.c0_c180.field_deg, c.c0_c180.field_deg, "field C0-C180");
    ExpectSame(b.c90_c270.beam_deg, c.c90_c270.beam_deg, "beam C90-C270");
    ExpectSame(b.c90_c270.field_deg, c.c90_c270.field_deg, "field C90-C270");
    EXPECT_LT(*b.c0_c180.beam_deg, *b.c90_c270.beam_deg) << "V 12 is narrower than H 20";
}

// ---- The band formula against a dense quadrature of the interpolated distribution.

// The plane of a type C record at azimuth c: two rows and the share of the
// second, from the file's symmetry, written independently of the summary's
// plane list.
struct Planes {
    std::size_t a = 0, b = 0;
    double t = 0;
};

Planes PlanesAt(const tIES& ies, double c)
{
    const tArrEx& h = ies.HorzAngles;
    const std::size_t n = h.size();
    if (n == 1)
        return {};
    c = std::fmod(std::fmod(c, 360) + 360, 360);
    if (h.front() == 0 && h.back() == 90) {
        c = c > 180 ? 360 - c : c;
        c = c > 90 ? 180 - c : c;
    } else if (h.front() == 0 && h.back() == 180) {
        c = c > 180 ? 360 - c : c;
    } else if (h.front() == 90 && h.back() == 270) {
        c = c < 90 ? 180 - c : c > 270 ? 540 - c : c;
    }
    while (c < h.front())  // as given: circular from the last plane to the first
        c += 360;
    for (std::size_t i = 0; i + 1 < n; ++i)
        if (c <= h[i + 1])
            return {i, i + 1, (c - h[i]) / (h[i + 1] - h[i])};
    return {n - 1, 0, (c - h.back()) / (h.front() + 360 - h.back())};
}

// Lumens in [from, to] by the midpoint rule over 720 azimuths and steps of at
// most 0.3 degrees in gamma, the intensity linear in C and gamma.
double DenseBand(const tIES& ies, double from, double to)
{
    const tArrEx& v = ies.VertAngles;
    tArrEx edges{std::max(from, v.front())};
    for (double g : v)
        if (g > from && g < to)
            edges.push_back(g);
    edges.push_back(std::min(to, v.back()));
    if (!(edges.front() < edges.back()))
        return 0;
    const int azimuths = 720;
    double sum = 0;
    for (int i = 0; i < azimuths; ++i) {
        const Planes p = PlanesAt(ies, (i + 0.5) * 360.0 / azimuths);
        std::size_t k = 0;
        for (std::size_t e = 0; e + 1 < edges.size(); ++e) {
            const int steps = std::clamp(static_cast<int>(std::ceil((edges[e + 1] - edges[e]) / 0.3)), 2, 64);
            const double step = (edges[e + 1] - edges[e]) / steps;
            for (int j = 0; j < steps; ++j) {
                const double g = edges[e] + (j + 0.5) * step;
                while (k + 2 < v.size() && v[k + 1] < g)
                    ++k;
                const auto along = [&](std::size_t row) {
                    const tArrEx& r = ies.Candela[row];
                    return r[k] + (r[k + 1] - r[k]) * (g - v[k]) / (v[k + 1] - v[k]);
                };
                const double value = along(p.a) + (along(p.b) - along(p.a)) * p.t;
                sum += value * std::sin(g * kDeg) * step * kDeg;
            }
        }
    }
    return sum * 2 * kPi / azimuths * IntensityScale(ies);
}

// How far the band formula (trapezoid in cos gamma) may lie from the exact
// integral of an intensity linear in gamma over [from, to]: per interval
// |dI| h^2 / 12 to second order, bounded here by h^2 / 8.
double FormulaBound(const tIES& ies, double from, double to)
{
    double worst = 0;
    for (const tArrEx& row : ies.Candela) {
        double sum = 0;
        for (std::size_t k = 0; k + 1 < row.size(); ++k) {
            const double lo = std::max(from, ies.VertAngles[k]), hi = std::min(to, ies.VertAngles[k + 1]);
            if (lo < hi)
                sum += std::abs(row[k + 1] - row[k]) * std::pow((hi - lo) * kDeg, 2) / 8;
        }
        worst = std::max(worst, sum);
    }
    return 2 * kPi * worst * std::abs(IntensityScale(ies));
}

TEST(PhotometricSummary, BandFluxFollowsADenseQuadratureOfTheDistribution)
{
    std::vector<fs::path> files;
    for (const fs::path& folder : {fs::path(KANDORA_SOURCE_DIR) / "samples", fs::path(KANDORA_SOURCE_DIR) / ".." / "shared" / "corpus"})
        if (fs::exists(folder))
            for (const auto& item : fs::recursive_directory_iterator(folder))
                if (item.path().extension() == ".ies")
                    files.push_back(item.path());
    int compared = 0;
    for (const fs::path& path : files) {
        TiesData entry = UnreadEntry(path.filename().string());
        ASSERT_EQ(LoadEntry(entry, path.parent_path().string() + "/").kind, LoadResult::Kind::Loaded) << path;
        const tIES& ies = entry.Ies;
        if (ies.PhotometricType != 1) {
            EXPECT_FALSE(BandFlux(ies, 0, 180)) << path;
            continue;
        }
        // Edges inside grid intervals where the sine is large test their interpolation.
        for (const auto& [from, to] : {std::pair{0.0, 180.0}, {0.0, 41.4096}, {52.5, 97.5}, {90.0, 180.0}}) {
            const double dense = DenseBand(ies, from, to);
            EXPECT_NEAR(*BandFlux(ies, from, to), dense, FormulaBound(ies, from, to) + 1e-6 * std::abs(dense))
                << path << " " << from << "-" << to;
        }
        ++compared;
    }
    EXPECT_GE(compared, 20) << "the samples alone hold more type C files";
}

}  // namespace
