#include "RenderEngine.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <numbers>

namespace {

constexpr int kHalf = kRenderSize / 2;

// The vertical range a record lights. A record starting at 90 lights the
// upper half only; the second span mirrors it below the horizontal.
struct VerticalRange {
    double Lower = 0;  // L
    double Upper = 0;  // V[n]
    bool From90 = false;

    bool Contains(double gamma) const
    {
        if (Lower <= gamma && gamma <= Upper)
            return true;
        return From90 && -Upper <= gamma && gamma <= -90;
    }
};

VerticalRange RangeOf(const tArrEx& v)
{
    VerticalRange r;
    if (v.empty()) {
        r.Lower = 1;  // an empty range
        return r;
    }
    r.Upper = v.back();
    r.From90 = v.front() == 90;
    r.Lower = r.From90 ? 90 : -r.Upper;
    return r;
}

// Vertical angle of the direction from the centre to a pixel: 0 straight
// down, 180 straight up, shifted by the same small offset everywhere.
double DirectionAngle(double xSquaredPlusZ, double y)
{
    const double theta = std::atan2(std::sqrt(xSquaredPlusZ), y) * 180.0 / std::numbers::pi;
    return theta - std::numbers::pi / 2 + 1.5;
}

double Falloff(const RenderParameters& p, double distanceSquared)
{
    return std::sqrt(p.Brightness + distanceSquared / p.Zoom);
}

// Values of a row that can be interpolated: one per vertical angle.
const double* RowValues(const tIES& ies, int row)
{
    if (ies.VertAngles.empty() || row < 0 || static_cast<std::size_t>(row) >= ies.Candela.size())
        return nullptr;
    const tArrEx& values = ies.Candela[static_cast<std::size_t>(row)];
    return values.size() >= ies.VertAngles.size() ? values.data() : nullptr;
}

// First k with a <= V[k], or n; the search every pixel would do on its own.
int LinearSearch(const tArrEx& v, int n, double a)
{
    int k = 0;
    while (a > v[static_cast<std::size_t>(k)] && k < n)
        ++k;
    return k;
}

// Linear interpolation in the interval ending at k; below the first angle the
// first interval is extended. A record with one angle has one value for every
// direction it lights, and an interval of zero width takes its first value.
double Interpolate(const double* c, const tArrEx& v, int n, int k, double a)
{
    if (n == 0)
        return c[0];
    if (k == 0)
        k = 1;
    const auto hi = static_cast<std::size_t>(k);
    const std::size_t lo = hi - 1;
    const double width = v[hi] - v[lo];
    if (width == 0)
        return c[lo];
    return c[lo] + (a - v[lo]) * (c[hi] - c[lo]) / width;
}

std::uint8_t Shade(const RenderParameters& p, double intensity, double falloff)
{
    const double ambient = p.Radiosity ? 1.0 : 0.0;
    // A record whose drawn planes are all 0 is simply dark.
    const double share = p.Maximum == 0 ? 0.0 : intensity / p.Maximum;
    const double v = std::fabs(255.0 * p.Brightness / (ambient + 1) * (share + ambient) / falloff);
    if (v > 255)
        return 255;
    return static_cast<std::uint8_t>(RoundHalfEven(v));
}

bool IsAscending(const tArrEx& v)
{
    for (std::size_t i = 1; i < v.size(); ++i)
        if (!(v[i - 1] <= v[i]))
            return false;
    return true;
}

}  // namespace

RenderParameters MakeRenderParameters(const tIES& ies, const RenderRequest& request)
{
    const PlaneSelection s = SelectPlanes(ies, request.Plane, 0, request.Planes);
    RenderParameters p;
    p.Plane = s.Plane;
    p.Opposite = s.Opposite;
    p.Maximum = s.Extents.MaxValue;
    p.Brightness = std::clamp(request.Brightness, 1, 100) / 10.0;
    p.Zoom = std::clamp(request.Zoom, 1, 10000);
    p.Z = std::clamp(request.Z, 1, 10000);
    p.Radiosity = request.Radiosity;
    return p;
}

double PlaneIntensity(const tIES& ies, int row, double gamma)
{
    const double* c = RowValues(ies, row);
    if (c == nullptr || !RangeOf(ies.VertAngles).Contains(gamma))
        return 0;
    const int n = static_cast<int>(ies.VertAngles.size()) - 1;
    const double a = std::fabs(gamma);
    return Interpolate(c, ies.VertAngles, n, LinearSearch(ies.VertAngles, n, a), a);
}

std::uint8_t RenderPixel(const tIES& ies, const RenderParameters& parameters, int x, int y)
{
    if (ies.PhotometricType != 1)
        return 255;
    const double dx = x;
    const double dy = y;
    const double gamma = DirectionAngle(dx * dx + parameters.Z, dy);
    const bool singleRow = !ies.VertAngles.empty() && ies.VertAngles.front() < 0;
    const int row = singleRow || x >= 0 ? parameters.Plane : parameters.Opposite;
    return Shade(parameters, PlaneIntensity(ies, row, gamma), Falloff(parameters, dx * dx + dy * dy));
}

void RenderLight(const tIES& ies, const RenderParameters& parameters, std::span<std::uint8_t, kRenderPixels> pixels)
{
    const tArrEx& v = ies.VertAngles;
    if (ies.PhotometricType != 1) {
        std::fill(pixels.begin(), pixels.end(), std::uint8_t{255});
        return;
    }
    const double* right = RowValues(ies, parameters.Plane);
    const double* left = !v.empty() && v.front() < 0 ? right : RowValues(ies, parameters.Opposite);
    const int n = static_cast<int>(v.size()) - 1;
    const VerticalRange range = RangeOf(v);
    // The search may follow the walk only where it gives the first match.
    const bool ascending = IsAscending(v);

    // A pixel at x < 0 looks in the same direction and lies as far from the
    // centre as the one at -x, so each row walks |x| once for both halves.
    for (int py = 0; py < kRenderSize; ++py) {
        const double dy = py - kHalf;
        std::uint8_t* line = pixels.data() + static_cast<std::size_t>(py) * kRenderSize;
        int k = 0;
        for (int ax = 0; ax <= kHalf; ++ax) {
            const double dx = ax;
            const double gamma = DirectionAngle(dx * dx + parameters.Z, dy);
            const double falloff = Falloff(parameters, dx * dx + dy * dy);
            double lightRight = 0;
            double lightLeft = 0;
            if (range.Contains(gamma)) {
                const double a = std::fabs(gamma);
                if (ascending && !std::isnan(a)) {
                    while (k < n && a > v[static_cast<std::size_t>(k)])
                        ++k;
                    while (k > 0 && !(a > v[static_cast<std::size_t>(k - 1)]))
                        --k;
                } else {
                    k = LinearSearch(v, n, a);
                }
                if (right != nullptr)
                    lightRight = Interpolate(right, v, n, k, a);
                if (left == right)
                    lightLeft = lightRight;
                else if (left != nullptr)
                    lightLeft = Interpolate(left, v, n, k, a);
            }
            const std::uint8_t shadeRight = Shade(parameters, lightRight, falloff);
            const std::uint8_t shadeLeft = lightLeft == lightRight ? shadeRight : Shade(parameters, lightLeft, falloff);
            if (ax < kHalf)
                line[kHalf + ax] = shadeRight;
            if (ax > 0)
                line[kHalf - ax] = shadeLeft;
        }
    }
}

std::vector<std::uint8_t> RenderLight(const tIES& ies, const RenderParameters& parameters)
{
    std::vector<std::uint8_t> pixels(kRenderPixels);
    RenderLight(ies, parameters, std::span<std::uint8_t, kRenderPixels>(pixels.data(), kRenderPixels));
    return pixels;
}
