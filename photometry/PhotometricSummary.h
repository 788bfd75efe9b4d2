#pragma once

#include <array>
#include <optional>
#include <string_view>

#include "IesRecord.h"

// The derived values of one record: a record in, plain numbers out; nothing
// is shown, nothing throws, and any record (also a malformed one) gives an
// answer. A value that cannot be had is empty.
//
// Intensity is the record's candela x multiplier x ballast factor x
// ballast-lamp factor, so a relative file is the luminaire at its rated lamp
// lumens. Between grid points intensity is linear in each angle.
//
// Type C: the planes are expanded over the whole circle by the file's
// symmetry (one plane; 0-90 a quadrant; 0-180 mirrored about C0-C180; 90-270
// mirrored about C90-C270; any other grid as given). Each plane weighs half
// the angular gap to each neighbour, circularly, over 360 degrees.
//
// Types A and B are summed in their own coordinates: the pole of type B is
// its lateral axis (an element of solid angle is cos H dH dV), that of type A
// the vertical axis (cos V dV dH); an axis whose angles lie on one side of 0
// stands for both sides. Their beam pairs are the two principal profiles as
// the conversion to type C maps them: `c0_c180` the plane H 0 over V,
// `c90_c270` the profile V 0 over H. Zonal lumens and the CIE flux code are
// defined from the nadir, which such files do not index: they stay empty.

struct SummaryDirection {
    double c = 0;      // type C plane; types A and B: the horizontal angle
    double gamma = 0;  // type C gamma; types A and B: the vertical angle
};

// Full angle between the two crossings of 50 % (beam) and 10 % (field) of a
// plane pair's maximum, in degrees. The pair's signed curve (gamma on the
// first plane, -gamma on the opposite one) is walked out from the maximum
// nearest gamma 0; a curve that reaches the zenith on both planes is a
// circle, so an uplight's beam is measured across it. Empty when a side
// never falls below.
struct BeamField {
    std::optional<double> beam_deg;
    std::optional<double> field_deg;
};

struct ZonalBand {
    std::string_view name;
    double from = 0;  // gamma, degrees
    double to = 0;
};

inline constexpr std::array<ZonalBand, 6> kZonalBands{{
    {"0-30", 0, 30},
    {"0-40", 0, 40},
    {"0-60", 0, 60},
    {"0-90", 0, 90},
    {"90-180", 90, 180},
    {"0-180", 0, 180},
}};

// N1..N3: per cent of the downward flux within the cones of pi/2, pi and
// 3 pi/2 sr; N4, N5: downward and total flux per cent of the lamp flux.
// Unrounded.
struct CieFluxCode {
    double n1 = 0;
    double n2 = 0;
    double n3 = 0;
    std::optional<double> n4;  // empty for absolute photometry
    std::optional<double> n5;
};

struct PhotometricSummary {
    std::optional<double> flux_lm;            // empty without candela values
    std::optional<double> lamp_flux_lm;       // lamp count x lumens per lamp; empty for absolute photometry
    std::optional<double> lor;                // flux / lamp flux, a fraction
    std::optional<double> input_watts;        // as read; empty when not positive
    std::optional<double> efficacy_lm_per_w;  // flux / input watts
    std::optional<double> max_cd;             // the grid's largest intensity
    std::optional<SummaryDirection> max_at;   // the first of them in file order
    BeamField c0_c180;
    BeamField c90_c270;
    std::optional<std::array<double, kZonalBands.size()>> zonal_lm;  // in kZonalBands' order; type C only
    std::optional<CieFluxCode> cie_flux_code;                        // type C with downward flux only
};

[[nodiscard]] PhotometricSummary SummarizePhotometry(const tIES& ies);

// Lumens of a type C record between gamma `from` and `to` (degrees): per
// plane 2 pi sum (cos g[k] - cos g[k+1]) (I[k] + I[k+1]) / 2 over the grid
// points inside the band and its two edges (interpolated linearly in gamma),
// nothing outside the file's vertical range; weighted over the planes as
// above. Empty for types A and B.
[[nodiscard]] std::optional<double> BandFlux(const tIES& ies, double from, double to);

// Candela per stored value: multiplier x ballast factor x ballast-lamp factor.
[[nodiscard]] double IntensityScale(const tIES& ies);
