#include "PhotometricSummary.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <numbers>
#include <vector>

namespace {

constexpr double kDegree = std::numbers::pi / 180;

std::optional<double> Finite(double value)
{
    return std::isfinite(value) ? std::optional<double>(value) : std::nullopt;
}

std::size_t RowCount(const tIES& ies)
{
    return std::min(ies.HorzAngles.size(), ies.Candela.size());
}

// A malformed record's short row reads 0 past its end.
double Value(const tIES& ies, std::size_t row, std::size_t k)
{
    const tArrEx& values = ies.Candela[row];
    return k < values.size() ? values[k] : 0;
}

double Lerp(double x0, double x1, double v0, double v1, double x)
{
    return v0 + (v1 - v0) * (x - x0) / (x1 - x0);
}

// Along the pole axis a band's solid angle is the difference of a primitive:
// -cos gamma for type C, sin of the latitude for types A and B.
enum class Pole { Gamma, Latitude };

double Primitive(Pole pole, double degrees)
{
    return pole == Pole::Gamma ? -std::cos(degrees * kDegree) : std::sin(degrees * kDegree);
}

std::vector<double> Primitives(Pole pole, const std::vector<double>& angles)
{
    std::vector<double> out(angles.size());
    for (std::size_t k = 0; k < angles.size(); ++k)
        out[k] = Primitive(pole, angles[k]);
    return out;
}

// Sum of (P(hi) - P(lo)) (I(lo) + I(hi)) / 2 over the profile's intervals
// inside [from, to], the edges interpolated linearly in the angle. An
// interval that does not ascend (a malformed grid) adds nothing.
double BandSum(const std::vector<double>& angles, const std::vector<double>& primitive,
               const std::vector<double>& values, Pole pole, double from, double to)
{
    if (!(from < to))
        return 0;
    double sum = 0;
    const std::size_t n = std::min(angles.size(), values.size());
    for (std::size_t k = 0; k + 1 < n; ++k) {
        const double g0 = angles[k];
        const double g1 = angles[k + 1];
        if (!(g0 < g1) || g1 <= from || g0 >= to)
            continue;
        double p0 = primitive[k], p1 = primitive[k + 1], i0 = values[k], i1 = values[k + 1];
        if (g0 < from) {
            i0 = Lerp(g0, g1, values[k], values[k + 1], from);
            p0 = Primitive(pole, from);
        }
        if (g1 > to) {
            i1 = Lerp(g0, g1, values[k], values[k + 1], to);
            p1 = Primitive(pole, to);
        }
        sum += (p1 - p0) * (i0 + i1) / 2;
    }
    return sum;
}

// A signed profile through the axis, ascending in angle.
struct Curve {
    std::vector<double> angle;
    std::vector<double> value;
};

// Full angle between the crossings of `fraction` of the curve's maximum,
// walking out from the maximum nearest 0 (the positive side on a tie).
std::optional<double> SpreadAngle(const Curve& curve, double fraction)
{
    const std::size_t n = curve.value.size();
    if (n == 0)
        return std::nullopt;
    std::size_t m = 0;
    for (std::size_t j = 1; j < n; ++j) {
        const double v = curve.value[j], best = curve.value[m];
        const double a = std::abs(curve.angle[j]), bestA = std::abs(curve.angle[m]);
        if (v > best || (v == best && (a < bestA || (a == bestA && curve.angle[j] > curve.angle[m]))))
            m = j;
    }
    const double peak = curve.value[m];
    if (!(peak > 0))
        return std::nullopt;
    const double threshold = fraction * peak;
    // A curve from -180 to 180 is a whole circle: its two ends are the
    // zenith, so an uplight's walk goes on across it instead of stopping.
    const bool closed = n > 2 && curve.angle.front() == -180 && curve.angle.back() == 180;
    const auto walk = [&](bool forward) -> std::optional<double> {
        std::size_t prev = m, j = m;
        double prevTurn = 0, turn = 0;
        while (true) {
            if (forward && j + 1 < n) {
                ++j;
            } else if (!forward && j > 0) {
                --j;
            } else if (closed) {
                j = forward ? 1 : n - 2;
                turn += forward ? 360 : -360;
            } else {
                return std::nullopt;
            }
            if (turn != 0 && (forward ? j >= m : j <= m))
                return std::nullopt;  // round the circle and never below
            if (curve.value[j] < threshold)
                return Lerp(curve.value[prev], curve.value[j], curve.angle[prev] + prevTurn, curve.angle[j] + turn,
                            threshold);
            prev = j;
            prevTurn = turn;
        }
    };
    const std::optional<double> right = walk(true), left = walk(false);
    if (!right || !left)
        return std::nullopt;
    return Finite(*right - *left);
}

BeamField Spread(const Curve& curve)
{
    return {SpreadAngle(curve, 0.5), SpreadAngle(curve, 0.1)};
}

// ---- Type C: planes over the whole circle.

struct PlaneImage {
    double c;
    std::size_t row;
};

// The file's planes and their images by symmetry, ascending from the first
// and spanning at most 360 degrees.
std::vector<PlaneImage> CirclePlanes(const tArrEx& horz, std::size_t rows)
{
    std::vector<PlaneImage> out;
    out.reserve(4 * rows);
    const auto add = [&](double c, std::size_t row) { out.push_back({c, row}); };
    const double first = horz[0], last = horz[rows - 1];
    if (rows > 1 && first == 0 && last == 90) {
        for (std::size_t i = 0; i < rows; ++i)
            add(horz[i], i);
        for (std::size_t i = rows; i-- > 0;)
            add(180 - horz[i], i);
        for (std::size_t i = 0; i < rows; ++i)
            add(180 + horz[i], i);
        for (std::size_t i = rows; i-- > 0;)
            add(360 - horz[i], i);
    } else if (rows > 1 && first == 0 && last == 180) {
        for (std::size_t i = 0; i < rows; ++i)
            add(horz[i], i);
        for (std::size_t i = rows; i-- > 0;)
            add(360 - horz[i], i);
    } else if (rows > 1 && first == 90 && last == 270) {
        for (std::size_t i = rows; i-- > 0;)
            add(180 - horz[i], i);
        for (std::size_t i = 0; i < rows; ++i)
            add(horz[i], i);
    } else {
        for (std::size_t i = 0; i < rows; ++i)
            add(horz[i], i);
    }
    bool ordered = out.back().c - out.front().c <= 360;
    for (std::size_t i = 1; i < out.size() && ordered; ++i)
        ordered = out[i - 1].c <= out[i].c;
    if (!ordered) {
        // A grid that is not ascending or spans more than a turn is taken round the circle once.
        for (PlaneImage& p : out) {
            p.c = std::isfinite(p.c) ? std::fmod(p.c, 360.0) : 0;
            if (p.c < 0)
                p.c += 360;
        }
        std::stable_sort(out.begin(), out.end(), [](const PlaneImage& a, const PlaneImage& b) { return a.c < b.c; });
    }
    return out;
}

// Each row's share of the circle: half the gap to each neighbour over 360,
// summed over its images; they add up to 1.
std::vector<double> RowWeights(const std::vector<PlaneImage>& planes, std::size_t rows)
{
    std::vector<double> weights(rows, 0.0);
    if (rows == 1) {
        weights[0] = 1;
        return weights;
    }
    const std::size_t n = planes.size();
    const double wrap = planes.front().c + 360 - planes.back().c;
    for (std::size_t i = 0; i < n; ++i) {
        const double before = i > 0 ? planes[i].c - planes[i - 1].c : wrap;
        const double after = i + 1 < n ? planes[i + 1].c - planes[i].c : wrap;
        weights[planes[i].row] += (before + after) / 720;
    }
    return weights;
}

// The plane at angle c: two rows and the share of the second.
struct PlaneBlend {
    std::size_t a = 0;
    std::size_t b = 0;
    double t = 0;
};

PlaneBlend BlendAt(const std::vector<PlaneImage>& planes, double c)
{
    const double base = planes.front().c;
    double x = std::fmod(c - base, 360.0);
    if (x < 0)
        x += 360;
    x += base;
    const auto it = std::lower_bound(planes.begin(), planes.end(), x,
                                     [](const PlaneImage& p, double angle) { return p.c < angle; });
    if (it != planes.end() && it->c == x)
        return {it->row, it->row, 0};
    if (it == planes.begin())  // only when x rounded below the base
        return {it->row, it->row, 0};
    const PlaneImage& lo = *(it - 1);
    const PlaneImage& hi = it == planes.end() ? planes.front() : *it;
    const double hiC = it == planes.end() ? hi.c + 360 : hi.c;
    return {lo.row, hi.row, (x - lo.c) / (hiC - lo.c)};
}

double Blended(const tIES& ies, const PlaneBlend& blend, std::size_t k)
{
    const double a = Value(ies, blend.a, k);
    return blend.t == 0 ? a : a + (Value(ies, blend.b, k) - a) * blend.t;
}

// The weighted mean of the planes over the circle, per vertical angle.
struct CircleProfile {
    std::vector<PlaneImage> planes;
    std::vector<double> mean;       // stored values, not yet scaled
    std::vector<double> primitive;  // -cos gamma
};

CircleProfile MakeCircleProfile(const tIES& ies)
{
    CircleProfile p;
    const std::size_t rows = RowCount(ies);
    const std::size_t v = ies.VertAngles.size();
    p.mean.assign(v, 0.0);
    p.primitive = Primitives(Pole::Gamma, ies.VertAngles);
    if (rows == 0)
        return p;
    p.planes = CirclePlanes(ies.HorzAngles, rows);
    const std::vector<double> weights = RowWeights(p.planes, rows);
    for (std::size_t h = 0; h < rows; ++h) {
        const tArrEx& row = ies.Candela[h];
        const std::size_t n = std::min(row.size(), v);
        const double w = weights[h];
        for (std::size_t k = 0; k < n; ++k)
            p.mean[k] += w * row[k];
    }
    return p;
}

double CircleBand(const tIES& ies, const CircleProfile& p, double from, double to)
{
    return 2 * std::numbers::pi * IntensityScale(ies)
           * BandSum(ies.VertAngles, p.primitive, p.mean, Pole::Gamma, from, to);
}

// Gamma on plane c1, -gamma on plane c2.
Curve CirclePair(const tIES& ies, const CircleProfile& p, double c1, double c2)
{
    Curve curve;
    const std::size_t v = ies.VertAngles.size();
    curve.angle.reserve(2 * v);
    curve.value.reserve(2 * v);
    const PlaneBlend first = BlendAt(p.planes, c1);
    const PlaneBlend opposite = BlendAt(p.planes, c2);
    for (std::size_t k = v; k-- > 0;) {
        curve.angle.push_back(-ies.VertAngles[k]);
        curve.value.push_back(Blended(ies, opposite, k));
    }
    for (std::size_t k = 0; k < v; ++k) {
        curve.angle.push_back(ies.VertAngles[k]);
        curve.value.push_back(Blended(ies, first, k));
    }
    return curve;
}

void SummarizeTypeC(const tIES& ies, PhotometricSummary& s)
{
    const CircleProfile p = MakeCircleProfile(ies);
    std::array<double, kZonalBands.size()> zonal{};
    bool finite = true;
    for (std::size_t i = 0; i < kZonalBands.size(); ++i) {
        zonal[i] = CircleBand(ies, p, kZonalBands[i].from, kZonalBands[i].to);
        finite = finite && std::isfinite(zonal[i]);
    }
    const double total = zonal[5];
    const double down = zonal[3];
    s.flux_lm = Finite(total);
    if (finite)
        s.zonal_lm = zonal;
    s.c0_c180 = Spread(CirclePair(ies, p, 0, 180));
    s.c90_c270 = Spread(CirclePair(ies, p, 90, 270));

    if (!(down > 0) || !finite)
        return;
    // The cones of pi/2, pi and 3 pi/2 sr about the nadir.
    static const double cones[3] = {std::acos(0.75) / kDegree, 60, std::acos(0.25) / kDegree};
    CieFluxCode code;
    code.n1 = 100 * CircleBand(ies, p, 0, cones[0]) / down;
    code.n2 = 100 * CircleBand(ies, p, 0, cones[1]) / down;
    code.n3 = 100 * CircleBand(ies, p, 0, cones[2]) / down;
    if (!std::isfinite(code.n1) || !std::isfinite(code.n2) || !std::isfinite(code.n3))
        return;
    if (s.lamp_flux_lm) {
        code.n4 = Finite(100 * down / *s.lamp_flux_lm);
        code.n5 = Finite(100 * total / *s.lamp_flux_lm);
    }
    s.cie_flux_code = code;
}

// ---- Types A and B: two linear axes.

// An axis of angles with the grid index each one reads; an axis whose angles
// lie on one side of 0 gets the other side mirrored.
struct LinearAxis {
    std::vector<double> angle;
    std::vector<std::size_t> index;
};

LinearAxis ExpandAxis(const tArrEx& angles, std::size_t n)
{
    LinearAxis axis;
    axis.angle.reserve(2 * n);
    axis.index.reserve(2 * n);
    const auto add = [&](double a, std::size_t i) {
        axis.angle.push_back(a);
        axis.index.push_back(i);
    };
    const bool fromZero = n > 1 && angles[0] == 0 && angles[n - 1] > 0;
    const bool toZero = n > 1 && angles[n - 1] == 0 && angles[0] < 0;
    if (fromZero)
        for (std::size_t i = n; i-- > 1;)
            add(-angles[i], i);
    for (std::size_t i = 0; i < n; ++i)
        add(angles[i], i);
    if (toZero)
        for (std::size_t i = n - 1; i-- > 0;)
            add(-angles[i], i);
    return axis;
}

// Trapezoid weights in radians of each grid index over the expanded axis.
std::vector<double> AxisWeights(const LinearAxis& axis, std::size_t n)
{
    std::vector<double> weights(n, 0.0);
    for (std::size_t i = 0; i + 1 < axis.angle.size(); ++i) {
        const double gap = axis.angle[i + 1] - axis.angle[i];
        if (!(gap > 0))
            continue;
        weights[axis.index[i]] += gap * kDegree / 2;
        weights[axis.index[i + 1]] += gap * kDegree / 2;
    }
    return weights;
}

// Where 0 falls on the axis: two grid indices and the share of the second;
// empty when 0 is outside it.
std::optional<PlaneBlend> ZeroOn(const LinearAxis& axis)
{
    for (std::size_t i = 0; i < axis.angle.size(); ++i) {
        if (axis.angle[i] == 0)
            return PlaneBlend{axis.index[i], axis.index[i], 0};
        if (i + 1 < axis.angle.size() && axis.angle[i] < 0 && axis.angle[i + 1] > 0)
            return PlaneBlend{axis.index[i], axis.index[i + 1], -axis.angle[i] / (axis.angle[i + 1] - axis.angle[i])};
    }
    return std::nullopt;
}

void SummarizeTypeAB(const tIES& ies, bool typeB, PhotometricSummary& s)
{
    const std::size_t rows = RowCount(ies);
    const std::size_t v = ies.VertAngles.size();
    const LinearAxis horz = ExpandAxis(ies.HorzAngles, rows);
    const LinearAxis vert = ExpandAxis(ies.VertAngles, v);

    // The pole axis carries the cosine: H for type B, V for type A. The
    // other axis is summed first into one profile along the pole.
    const LinearAxis& pole = typeB ? horz : vert;
    const std::vector<double> across = AxisWeights(typeB ? vert : horz, typeB ? v : rows);
    std::vector<double> profile(pole.angle.size(), 0.0);
    for (std::size_t i = 0; i < pole.angle.size(); ++i) {
        double sum = 0;
        for (std::size_t j = 0; j < across.size(); ++j)
            sum += across[j] * (typeB ? Value(ies, pole.index[i], j) : Value(ies, j, pole.index[i]));
        profile[i] = sum;
    }
    const std::vector<double> primitive = Primitives(Pole::Latitude, pole.angle);
    s.flux_lm = Finite(IntensityScale(ies) * BandSum(pole.angle, primitive, profile, Pole::Latitude, -90, 90));

    // The plane H 0 over V, and the profile V 0 over H.
    if (const std::optional<PlaneBlend> h0 = ZeroOn(horz)) {
        Curve curve;
        for (std::size_t i = 0; i < vert.angle.size(); ++i) {
            curve.angle.push_back(vert.angle[i]);
            curve.value.push_back(Blended(ies, *h0, vert.index[i]));
        }
        s.c0_c180 = Spread(curve);
    }
    if (const std::optional<PlaneBlend> v0 = ZeroOn(vert)) {
        Curve curve;
        for (std::size_t i = 0; i < horz.angle.size(); ++i) {
            const std::size_t row = horz.index[i];
            const double a = Value(ies, row, v0->a);
            curve.angle.push_back(horz.angle[i]);
            curve.value.push_back(a + (Value(ies, row, v0->b) - a) * v0->t);
        }
        s.c90_c270 = Spread(curve);
    }
}

}  // namespace

double IntensityScale(const tIES& ies)
{
    return ies.Multiplier * ies.BallastFactor * ies.BallastLampFactor;
}

std::optional<double> BandFlux(const tIES& ies, double from, double to)
{
    if (ies.PhotometricType == 2 || ies.PhotometricType == 3)
        return std::nullopt;
    return CircleBand(ies, MakeCircleProfile(ies), from, to);
}

PhotometricSummary SummarizePhotometry(const tIES& ies)
{
    PhotometricSummary s;
    if (ies.InputWattsExact > 0 && std::isfinite(ies.InputWattsExact))
        s.input_watts = ies.InputWattsExact;
    if (!HasAbsolutePhotometry(ies) && ies.LampCount > 0)
        s.lamp_flux_lm = Finite(ies.LampCount * ies.LampLumens);

    const std::size_t rows = RowCount(ies);
    const std::size_t v = ies.VertAngles.size();
    if (rows == 0 || v == 0)
        return s;

    std::optional<SummaryDirection> at;
    double peak = 0;
    for (std::size_t h = 0; h < rows; ++h) {
        const tArrEx& row = ies.Candela[h];
        const std::size_t n = std::min(row.size(), v);
        for (std::size_t k = 0; k < n; ++k)
            if (!at || row[k] > peak) {
                peak = row[k];
                at = SummaryDirection{ies.HorzAngles[h], ies.VertAngles[k]};
            }
    }
    if (at) {
        s.max_cd = Finite(peak * IntensityScale(ies));
        s.max_at = at;
    }

    if (ies.PhotometricType == 2 || ies.PhotometricType == 3)
        SummarizeTypeAB(ies, ies.PhotometricType == 2, s);
    else
        SummarizeTypeC(ies, s);

    if (s.flux_lm && s.lamp_flux_lm && *s.lamp_flux_lm > 0)
        s.lor = Finite(*s.flux_lm / *s.lamp_flux_lm);
    if (s.flux_lm && s.input_watts)
        s.efficacy_lm_per_w = Finite(*s.flux_lm / *s.input_watts);
    return s;
}
