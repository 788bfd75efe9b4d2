#include "Calculations.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <numbers>
#include <vector>

namespace {

int PlaneCount(const tIES& ies)
{
    return static_cast<int>(ies.HorzAngles.size());
}

double Radians(double degrees)
{
    return degrees * std::numbers::pi / 180.0;
}

// Which extents one value changed; DataExtents records the cells from it.
struct Widened {
    bool max = false, minX = false, maxX = false, minY = false, maxY = false;
};

// sin and cos of every vertical angle, worked out once for all the rows.
struct AngleTrig {
    std::vector<double> sin, cos;
};

AngleTrig TrigOf(const tArrEx& angles)
{
    AngleTrig trig;
    trig.sin.reserve(angles.size());
    trig.cos.reserve(angles.size());
    for (const double angle : angles) {
        const double gamma = Radians(angle);
        trig.sin.push_back(std::sin(gamma));
        trig.cos.push_back(std::cos(gamma));
    }
    return trig;
}

Widened Widen(double value, std::size_t j, const AngleTrig& trig, IesExtents& e)
{
    Widened w;
    if (value > e.MaxValue) {
        e.MaxValue = value;
        w.max = true;
    }
    const double x = value * trig.sin[j];
    if (x < e.MinX) {
        e.MinX = x;
        w.minX = true;
    }
    if (x > e.MaxX) {
        e.MaxX = x;
        w.maxX = true;
    }
    const double y = value * trig.cos[j];
    if (y < e.MinY) {
        e.MinY = y;
        w.minY = true;
    }
    if (y > e.MaxY) {
        e.MaxY = y;
        w.maxY = true;
    }
    return w;
}

// Values of a row that have a vertical angle; a malformed record may disagree.
std::size_t RowLength(const tIES& ies, int row)
{
    return std::min(ies.Candela[static_cast<std::size_t>(row)].size(), ies.VertAngles.size());
}

bool HasRow(const tIES& ies, int row)
{
    return row >= 0 && static_cast<std::size_t>(row) < ies.Candela.size();
}

void RowExtents(const tIES& ies, const AngleTrig& trig, int row, IesExtents& extents)
{
    if (!HasRow(ies, row))
        return;
    const tArrEx& values = ies.Candela[static_cast<std::size_t>(row)];
    const std::size_t n = RowLength(ies, row);
    for (std::size_t j = 0; j < n; ++j)
        Widen(values[j], j, trig, extents);
}

void PlaneExtents(const tIES& ies, const AngleTrig& trig, int p, int q, IesExtents& extents)
{
    RowExtents(ies, trig, p, extents);
    if (q >= 0)
        RowExtents(ies, trig, q, extents);
}

}  // namespace

int ZeroPlaneIndex(const tIES& ies)
{
    const int last = PlaneCount(ies) - 1;
    if (last < 0)
        return 0;
    int i = 0;
    while (ies.HorzAngles[static_cast<std::size_t>(i)] != 0 && i < last)
        ++i;
    return ies.HorzAngles[static_cast<std::size_t>(i)] == 0 ? i : 0;
}

int OppositePlane(const tIES& ies, int k, const PlaneOptions& options)
{
    const int last = PlaneCount(ies) - 1;
    if (k < 0 || k > last)
        return -1;
    const tArrEx& h = ies.HorzAngles;
    if (h[0] >= 90 && !options.ShowComplete && ies.PhotometricType != 1)
        return -1;
    const double angle = h[static_cast<std::size_t>(k)];
    int i = 0;
    while (i < last) {
        const double a = h[static_cast<std::size_t>(i)];
        if (a - 180 == angle || a + 180 == angle)
            break;
        ++i;
    }
    if (last > 0) {
        const double first = h[0];
        const double end = h[static_cast<std::size_t>(last)];
        if (first + 90 == end)
            i = k;
        if (first + 180 == end)
            i = last - k;
    }
    return i;
}

void PlaneExtents(const tIES& ies, int p, int q, IesExtents& extents)
{
    PlaneExtents(ies, TrigOf(ies.VertAngles), p, q, extents);
}

void DataExtents(const tIES& ies, IesExtentCells& cells, IesExtents& extents)
{
    extents = IesExtents{};
    const AngleTrig trig = TrigOf(ies.VertAngles);
    for (std::size_t i = 0; i < ies.Candela.size(); ++i) {
        const tArrEx& row = ies.Candela[i];
        const std::size_t n = RowLength(ies, static_cast<int>(i));
        for (std::size_t j = 0; j < n; ++j) {
            const Widened w = Widen(row[j], j, trig, extents);
            const IesCell cell{static_cast<std::int32_t>(i), static_cast<std::int32_t>(j)};
            if (w.max)
                cells.MaxCell = cell;
            if (w.minX)
                cells.MinXCell = cell;
            if (w.maxX)
                cells.MaxXCell = cell;
            if (w.minY)
                cells.MinYCell = cell;
            if (w.maxY)
                cells.MaxYCell = cell;
        }
    }
    if (ies.PhotometricType == 1)
        extents.MinX = -extents.MaxX;
}

PlaneSelection SelectPlanes(const tIES& ies, int requested, int viewMode, const PlaneOptions& options)
{
    PlaneSelection s;
    const int last = PlaneCount(ies) - 1;
    s.Plane = viewMode == 1 || requested < 0 || requested > last ? ZeroPlaneIndex(ies) : requested;
    s.Opposite = OppositePlane(ies, s.Plane, options);

    const bool perpendicular = s.Plane == 0 && last >= 0 && (options.Orthogonal || viewMode == 1);
    if (perpendicular) {
        const tArrEx& h = ies.HorzAngles;
        int p = 0;
        while (p < last && h[static_cast<std::size_t>(p)] - h[0] != 90)
            ++p;
        if (h[static_cast<std::size_t>(p)] - h[0] != 90)
            p = 0;
        s.Perpendicular = p;
        s.PerpendicularOpposite = OppositePlane(ies, p, options);
    }

    if (!options.Fit && viewMode == 0) {
        DataExtents(ies, s.Cells, s.Extents);
        return s;
    }
    s.Extents = IesExtents{};
    if (HasRow(ies, s.Plane) && RowLength(ies, s.Plane) > 0)
        s.Extents.MaxValue = ies.Candela[static_cast<std::size_t>(s.Plane)][0];
    const AngleTrig trig = TrigOf(ies.VertAngles);
    PlaneExtents(ies, trig, s.Plane, s.Opposite, s.Extents);
    if (perpendicular)
        PlaneExtents(ies, trig, *s.Perpendicular, *s.PerpendicularOpposite, s.Extents);
    return s;
}
