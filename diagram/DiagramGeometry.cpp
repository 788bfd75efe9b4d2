#include "DiagramGeometry.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <numbers>

#include "diagram/Goniogram.h"
#include "photometry/IesRecord.h"

std::optional<DiagramFrame> MakeFrame(int width, int height, double S)
{
    DiagramFrame frame;
    frame.cx = width / 2;
    frame.cy = height / 2;
    // Below the margin the radii would be negative (they wrapped around in
    // 16-bit arithmetic): nothing sensible can be drawn.
    if (frame.cx < kDiagramMargin || frame.cy < kDiagramMargin)
        return std::nullopt;
    if (!std::isfinite(S) || S <= 0)
        return std::nullopt;
    frame.rx = frame.cx - kDiagramMargin;
    frame.ry = frame.cy - kDiagramMargin;
    frame.S = S;
    return frame;
}

CurveDirection DirectionOf(double angle)
{
    const double a = (angle / 90 + 1) * std::numbers::pi / 2;
    return {std::cos(a), std::sin(a)};
}

QPoint CurvePoint(const DiagramFrame& frame, CurveDirection direction, double value, bool leftHalf)
{
    const double m = value / frame.S;
    const int dx = RoundHalfEven(direction.cos * frame.rx * m);
    const int dy = RoundHalfEven(direction.sin * frame.ry * m);
    return QPoint(leftHalf ? frame.cx + dx : frame.cx - dx, frame.cy + dy);
}

QPoint CurvePoint(const DiagramFrame& frame, double angle, double value, bool leftHalf)
{
    return CurvePoint(frame, DirectionOf(angle), value, leftHalf);
}

GridSteps ChooseGridStep(double V)
{
    if (!std::isfinite(V) || V <= 0)
        return {};
    double u = 1.0;
    while (2 * u * 100000 > V)
        u /= 10;
    const double base = u * 100000;
    if (base <= 0)
        return {};
    double k = 1;
    double step = base;
    int count = RoundHalfEven(V / step);
    if (count > 8) {
        // Raising k one by one takes forever for huge maxima; start just below
        // the first k that gives at most 8 circles (it is about V / 8.5 B).
        k = std::max(1.0, std::floor(V / (8.5 * base)) - 2);
        step = base * k;
        count = RoundHalfEven(V / step);
        while (count > 8) {
            const double next = k + 1 == k ? std::nextafter(k, std::numeric_limits<double>::infinity()) : k + 1;
            k = next;
            step = base * k;
            count = RoundHalfEven(V / step);
        }
    }
    if (count < 4) {
        if (k > 1) {
            k -= 1;
            step = base * k;
        } else {
            step = base / 2;
        }
        count = RoundHalfEven(V / step);
    }
    return {step, count};
}

int LabelFontHeight(int mainFontHeight, double step, double V, int rx, double factor)
{
    const double spacing = step / V * rx;
    int h = std::abs(mainFontHeight) + 2 > spacing ? RoundHalfEven(2 - spacing) : mainFontHeight;
    if (h > -1)
        h = -1;
    return RoundHalfEven(h * factor);
}
