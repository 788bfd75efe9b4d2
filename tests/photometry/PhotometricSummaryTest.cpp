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

// An absolute record of `type` sampling f(horizontal, vertical) on the grid.
tIES Sampled(tArrEx vert, tArrEx horz, const Distribution& f, std::uint16_t type = 1)
{
    tIES ies{
        -1, 1, 0, 0,    0,    {},  static_cast<std::uint16_t>(vert.size()), static_cast<std::uint16_t>(horz.size()),
        2,  0, 1, type, vert, horz};
    for (double c : horz) {
        ies.Candela.emplace_back();
        for (double g : vert)
            ies.Candela.back().push_back(f(c, g));
    }
    return ies;
}

// Down light of cos^3 with a little up light.
double Body(double g)
{
    return g < 90 ? 1000 * std::pow(std::cos(g * kDeg), 3) + 10 : 10;
}

void ExpectSame(const std::optional<double>& a, const std::optional<double>& b, const std::string& what)
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
    EXPECT_TRUE(a.max_at->c == b.max_at->c && a.max_at->gamma == b.max_at->gamma);
    for (const auto& [x, y] : {std::pair{a.c0_c180, b.c0_c180}, {a.c90_c270, b.c90_c270}}) {
        ExpectSame(x.beam_deg, y.beam_deg, "beam");
        ExpectSame(x.field_deg, y.field_deg, "field");
    }
    for (std::size_t i = 0; i < kZonalBands.size(); ++i)
        ExpectSame((*a.zonal_lm)[i], (*b.zonal_lm)[i], std::string(kZonalBands[i].name));
    ExpectSame(a.cie_flux_code->n1, b.cie_flux_code->n1, "N1");
    ExpectSame(a.cie_flux_code->n3, b.cie_flux_code->n3, "N3");
}

struct AnalyticCase {
    const char* name;
    tIES ies;
    std::optional<double> flux, beam, field;
    double angleTolerance;
    std::array<double, 3> cie;  // N1..N3
    double cieTolerance;
};

void PrintTo(const AnalyticCase& c, std::ostream* os)
{
    *os << c.name;
}

class AnalyticDistribution : public ::testing::TestWithParam<AnalyticCase> {};

TEST_P(AnalyticDistribution, GivesItsKnownValues)
{
    const AnalyticCase& c = GetParam();
    const PhotometricSummary s = SummarizePhotometry(c.ies);
    if (c.flux) {
        EXPECT_NEAR(*s.flux_lm, *c.flux, 1e-12 * *c.flux);
    }
    for (const BeamField& pair : {s.c0_c180, s.c90_c270}) {
        ASSERT_EQ(pair.beam_deg.has_value(), c.beam.has_value());
        ASSERT_EQ(pair.field_deg.has_value(), c.field.has_value());
        EXPECT_NEAR(pair.beam_deg.value_or(0), c.beam.value_or(0), c.angleTolerance);
        EXPECT_NEAR(pair.field_deg.value_or(0), c.field.value_or(0), c.angleTolerance);
    }
    const double n[3] = {s.cie_flux_code->n1, s.cie_flux_code->n2, s.cie_flux_code->n3};
    for (int i = 0; i < 3; ++i)
        EXPECT_NEAR(n[i], c.cie[static_cast<std::size_t>(i)], c.cieTolerance) << "N" << i + 1;
    EXPECT_EQ((*s.zonal_lm)[5], *s.flux_lm);
    EXPECT_NEAR((*s.zonal_lm)[3] + (*s.zonal_lm)[4], *s.flux_lm, 1e-9 * *s.flux_lm);
}

// Lambertian: pi I0 exactly (linear in cos gamma), beam 120, field 2 arccos 0.1
// as far as a 5-degree grid allows; uniform: 4 pi I, nothing below half; a
// spot of 2^-(gamma/6)^2: beam 12, field 12 sqrt(log2 10).
INSTANTIATE_TEST_SUITE_P(
    Summary, AnalyticDistribution,
    ::testing::Values(AnalyticCase{"lambertian",
                                   Sampled(Steps(0, 180, 5), {0},
                                           [](double, double g) { return g <= 90 ? 100 * std::cos(g * kDeg) : 0; }),
                                   100 * kPi,
                                   120,
                                   2 * std::acos(0.1) / kDeg,
                                   0.01,
                                   {43.75, 75, 93.75},
                                   0.01},
                      AnalyticCase{"uniform_sphere",
                                   Sampled(Steps(0, 180, 10), Steps(0, 345, 15), [](double, double) { return 50.0; }),
                                   4 * kPi * 50,
                                   std::nullopt,
                                   std::nullopt,
                                   0,
                                   {25, 50, 75},
                                   1e-9},
                      AnalyticCase{"narrow_spot",
                                   Sampled(Steps(0, 90, 0.5), Steps(0, 90, 22.5),
                                           [](double, double g) { return 1000 * std::pow(2.0, -(g / 6) * (g / 6)); }),
                                   std::nullopt,
                                   12,
                                   12 * std::sqrt(std::log2(10.0)),
                                   0.02,
                                   {100, 100, 100},
                                   1e-6}),
    [](const ::testing::TestParamInfo<AnalyticCase>& param) { return std::string(param.param.name); });

// The pair's curve is a circle: an uplight's beam is measured across the
// zenith, where the two planes' ends meet.
TEST(PhotometricSummary, AnUplightsBeamCrossesTheZenith)
{
    const PhotometricSummary s = SummarizePhotometry(
        Sampled(Steps(0, 180, 0.5), Steps(0, 90, 22.5),
                [](double, double g) { return 1000 * std::pow(2.0, -((180 - g) / 6) * ((180 - g) / 6)); }));
    for (const BeamField& pair : {s.c0_c180, s.c90_c270}) {
        EXPECT_NEAR(pair.beam_deg.value_or(0), 12, 0.02);
        EXPECT_NEAR(pair.field_deg.value_or(0), 12 * std::sqrt(std::log2(10.0)), 0.02);
    }
}

struct SymmetryCase {
    const char* name;
    tArrEx planes, fullCircle;
    Distribution f;
};

void PrintTo(const SymmetryCase& c, std::ostream* os)
{
    *os << c.name;
}

class Symmetry : public ::testing::TestWithParam<SymmetryCase> {};

TEST_P(Symmetry, GivesTheValuesOfTheFullCircle)
{
    const SymmetryCase& c = GetParam();
    const PhotometricSummary part = SummarizePhotometry(Sampled(Steps(0, 180, 5), c.planes, c.f));
    ExpectSameSummary(part, SummarizePhotometry(Sampled(Steps(0, 180, 5), c.fullCircle, c.f)));
    EXPECT_TRUE(part.c0_c180.beam_deg && part.c90_c270.field_deg) << "the case reaches the beam walk";
}

INSTANTIATE_TEST_SUITE_P(
    Summary, Symmetry,
    ::testing::Values(SymmetryCase{"one_plane", {0}, Steps(0, 345, 15), [](double, double g) { return Body(g); }},
                      SymmetryCase{"quadrant", Steps(0, 90, 15), Steps(0, 360, 15),
                                   [](double c, double g) { return Body(g) * (1 + 0.4 * std::cos(2 * c * kDeg)); }},
                      SymmetryCase{"half_c0_c180", Steps(0, 180, 15), Steps(0, 345, 15),
                                   [](double c, double g) {
                                       return Body(g) * (1 + 0.3 * std::cos(c * kDeg) + 0.2 * std::cos(2 * c * kDeg));
                                   }},
                      SymmetryCase{"half_c90_c270", Steps(90, 270, 15), Steps(0, 360, 15),
                                   [](double c, double g) { return Body(g) * (1 + 0.3 * std::sin(c * kDeg)); }}),
    [](const ::testing::TestParamInfo<SymmetryCase>& param) { return std::string(param.param.name); });

// Planes 40 apart read C90, C180 and C270 between their neighbours, as a grid
// holding those interpolated planes does; so do flux and bands (linear in C).
TEST(PhotometricSummary, PlanesOffTheGridAreLinearInC)
{
    const auto f = [](double c, double g) {
        return Body(g) * (1.2 + std::cos(c * kDeg) + 0.3 * std::sin(2 * c * kDeg));
    };
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
    const std::string grid = " 3 1 1 2 0 0 0\n", body = "0 45 90\n0\n300 200 100\n";
    const PhotometricSummary absolute = SummarizePhotometry(Read("TILT=NONE\n2 -1 1" + grid + "1 1 35.5\n" + body));
    const PhotometricSummary relative = SummarizePhotometry(Read("TILT=NONE\n2 2000 1" + grid + "1 1 35.5\n" + body));
    EXPECT_NEAR(*relative.flux_lm, *absolute.flux_lm, 1e-12 * *absolute.flux_lm) << "both are the file's candela";
    EXPECT_FALSE(absolute.lamp_flux_lm || absolute.lor || absolute.cie_flux_code->n4 || absolute.cie_flux_code->n5);
    EXPECT_EQ(relative.lamp_flux_lm, 4000);
    EXPECT_DOUBLE_EQ(*relative.cie_flux_code->n5, 100 * *relative.lor);
    EXPECT_DOUBLE_EQ(*absolute.efficacy_lm_per_w, *absolute.flux_lm / 35.5);

    // Both factors scale every intensity; angles stay.
    const PhotometricSummary dimmed = SummarizePhotometry(Read("TILT=NONE\n2 -1 1" + grid + "0.5 0.9 0\n" + body));
    EXPECT_NEAR(*dimmed.flux_lm, 0.45 * *absolute.flux_lm, 1e-12 * *absolute.flux_lm);
    EXPECT_NEAR(*dimmed.max_cd, 0.45 * 300, 1e-9);
    EXPECT_EQ(dimmed.c0_c180.beam_deg, absolute.c0_c180.beam_deg);
    EXPECT_FALSE(dimmed.input_watts || dimmed.efficacy_lm_per_w) << "no watts, no efficacy";

    // Nothing downward: no CIE code; no grid: nothing but the lamp and the watts.
    const PhotometricSummary up =
        SummarizePhotometry(Read("TILT=NONE\n1 1000 1" + grid + "1 1 10\n90 135 180\n0\n0 5 9\n"));
    EXPECT_TRUE(!up.cie_flux_code && (*up.zonal_lm)[3] == 0 && (*up.zonal_lm)[4] > 0);
    const PhotometricSummary empty = SummarizePhotometry(Read("TILT=NONE\n1 1000 1 0 0 1 2 0 0 0 1 1 10\n"));
    EXPECT_FALSE(empty.flux_lm || empty.max_cd || empty.max_at || empty.lor || empty.zonal_lm || empty.cie_flux_code
                 || empty.c0_c180.beam_deg || empty.c90_c270.field_deg);
    EXPECT_TRUE(empty.lamp_flux_lm == 1000 && empty.input_watts == 10);
}

TEST(PhotometricSummary, TypeBInItsOwnCoordinates)
{
    // Uniform over the front hemisphere: 2 pi I, whether the lateral half is mirrored or written.
    const auto uniform = [](double, double) { return 100.0; };
    const tIES whole = Sampled(Steps(-90, 90, 10), Steps(-90, 90, 10), uniform, 2);
    EXPECT_NEAR(*SummarizePhotometry(whole).flux_lm, 2 * kPi * 100, 1e-9);
    EXPECT_NEAR(*SummarizePhotometry(Sampled(Steps(-90, 90, 10), Steps(0, 90, 10), uniform, 2)).flux_lm, 2 * kPi * 100,
                1e-9);
    EXPECT_FALSE(SummarizePhotometry(whole).zonal_lm || SummarizePhotometry(whole).cie_flux_code
                 || BandFlux(whole, 0, 90));

    // Its principal profiles give the angles of the type C file the conversion writes.
    const tIES flood = Sampled(
        Steps(-90, 90, 5), Steps(-90, 90, 5),
        [](double h, double v) { return 1000 * std::exp(-std::pow(h / 20, 2) - std::pow(v / 12, 2)); }, 2);
    ConversionText text = BuildConversion(flood, EntryTexts{.fileName = "flood.ies"});
    const PhotometricSummary b = SummarizePhotometry(flood);
    const PhotometricSummary c = SummarizePhotometry(Read(JoinLines(std::move(text.lines))));
    for (const auto& [x, y] : {std::pair{b.c0_c180, c.c0_c180}, {b.c90_c270, c.c90_c270}}) {
        ExpectSame(x.beam_deg, y.beam_deg, "beam");
        ExpectSame(x.field_deg, y.field_deg, "field");
    }
    EXPECT_LT(*b.c0_c180.beam_deg, *b.c90_c270.beam_deg) << "V 12 is narrower than H 20";
}

// ---- The band formula against a dense quadrature of the interpolated distribution.

// A type C record's plane at azimuth c, linear in C between two rows, its
// symmetry unfolded independently of the summary's plane list.
struct Plane {
    std::size_t a = 0, b = 0;
    double t = 0;
};

Plane PlaneAt(const tIES& ies, double c)
{
    const tArrEx& h = ies.HorzAngles;
    const std::size_t n = h.size();
    if (n > 1 && h.front() == 0 && (h.back() == 90 || h.back() == 180))
        c = c > 180 ? 360 - c : c;
    if (n > 1 && h.front() == 0 && h.back() == 90)
        c = c > 90 ? 180 - c : c;
    if (n > 1 && h.front() == 90 && h.back() == 270)
        c = c < 90 ? 180 - c : c > 270 ? 540 - c : c;
    while (c < h.front())
        c += 360;
    const std::size_t i = static_cast<std::size_t>(std::lower_bound(h.begin() + 1, h.end(), c) - h.begin()) - 1;
    const std::size_t next = i + 1 < n ? i + 1 : 0;  // circular past the last plane
    const double gap = (next == 0 ? h.front() + 360 : h[next]) - h[i];
    return n == 1 ? Plane{} : Plane{i, next, (c - h[i]) / gap};
}

// Lumens in [from, to]: midpoints of 720 azimuths and of gamma steps of at
// most 0.3 degrees, the intensity linear in C and in gamma.
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
    double sum = 0;
    for (int i = 0; i < 720; ++i) {
        const Plane p = PlaneAt(ies, (i + 0.5) / 2);
        const tArrEx &ra = ies.Candela[p.a], &rb = ies.Candela[p.b];
        std::size_t k = 0;
        for (std::size_t e = 0; e + 1 < edges.size(); ++e) {
            const int steps = std::max(2, static_cast<int>(std::ceil((edges[e + 1] - edges[e]) / 0.3)));
            const double step = (edges[e + 1] - edges[e]) / steps;
            for (int j = 0; j < steps; ++j) {
                const double g = edges[e] + (j + 0.5) * step;
                while (v[k + 1] < g)
                    ++k;
                const double u = (g - v[k]) / (v[k + 1] - v[k]);
                const double a = ra[k] + (ra[k + 1] - ra[k]) * u, b = rb[k] + (rb[k + 1] - rb[k]) * u;
                sum += (a + (b - a) * p.t) * std::sin(g * kDeg) * step * kDeg;
            }
        }
    }
    return sum * 2 * kPi / 720 * IntensityScale(ies);
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
    const fs::path corpus = fs::path(KANDORA_SOURCE_DIR) / ".." / "shared" / "corpus";
    std::vector<fs::path> folders{fs::path(KANDORA_SOURCE_DIR) / "samples"};
    if (fs::exists(corpus))
        folders.push_back(corpus);
    int compared = 0;
    for (const fs::path& folder : folders)
        for (const auto& item : fs::recursive_directory_iterator(folder)) {
            if (item.path().extension() != ".ies")
                continue;
            TiesData entry = UnreadEntry(item.path().filename().string());
            ASSERT_EQ(LoadEntry(entry, item.path().parent_path().string() + "/").kind, LoadResult::Kind::Loaded);
            if (entry.Ies.PhotometricType != 1)
                continue;
            // Edges inside grid intervals where the sine is large test their interpolation.
            for (const auto& [from, to] : {std::pair{0.0, 180.0}, {0.0, 41.4096}, {52.5, 97.5}, {90.0, 180.0}}) {
                const double dense = DenseBand(entry.Ies, from, to);
                EXPECT_NEAR(*BandFlux(entry.Ies, from, to), dense,
                            FormulaBound(entry.Ies, from, to) + 1e-6 * std::abs(dense))
                    << item.path() << " " << from << "-" << to;
            }
            ++compared;
        }
    EXPECT_GE(compared, 20);
}

}  // namespace
