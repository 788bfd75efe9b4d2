#include "Goniogram.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <numbers>
#include <vector>

#include "diagram/DiagramGeometry.h"
#include "diagram/DiagramLabels.h"
#include "diagram/FormatValue.h"
#include "diagram/PictogramStrip.h"
#include "photometry/Calculations.h"

namespace {

// The drawing indexes rows by vertical angle and planes by horizontal angle;
// a record built by hand may disagree, and then nothing is drawn.
bool Consistent(const tIES& ies)
{
    if (ies.Candela.empty() || ies.VertAngles.empty() || ies.Candela.size() != ies.HorzAngles.size())
        return false;
    for (const tArrEx& row : ies.Candela)
        if (row.size() != ies.VertAngles.size())
            return false;
    return true;
}

const tArrEx& Row(const tIES& ies, int index)
{
    return ies.Candela[static_cast<std::size_t>(index)];
}

using Directions = std::vector<CurveDirection>;

Directions DirectionsOf(const tArrEx& angles)
{
    Directions directions;
    directions.reserve(angles.size());
    for (const double angle : angles)
        directions.push_back(DirectionOf(angle));
    return directions;
}

// `directions` are those of the vertical angles.
void DrawPlanePair(Canvas& canvas, const DiagramFrame& f, const tIES& ies, const Directions& directions, int p,
                   int opposite)
{
    const tArrEx& v = ies.VertAngles;
    const tArrEx& row = Row(ies, p);
    const std::size_t n = row.size() - 1;
    const QPoint first = CurvePoint(f, directions[0], row[0], false);
    canvas.MoveTo(first.x(), first.y());
    for (std::size_t j = 0; j <= n; ++j) {
        const QPoint pt = CurvePoint(f, directions[j], row[j], false);
        canvas.LineTo(pt.x(), pt.y());
    }
    if (v[n] == 90)
        canvas.LineTo(f.cx, f.cy);
    if (opposite == -1) {
        canvas.LineTo(first.x(), first.y());
        return;
    }
    if (v[0] < 0)
        return;
    const tArrEx& mirror = Row(ies, opposite);
    const std::size_t e = mirror.size() - 1;
    const QPoint start = CurvePoint(f, directions[0], mirror[0], true);
    canvas.MoveTo(start.x(), start.y());
    for (std::size_t j = 0; j <= e; ++j) {
        const QPoint pt = CurvePoint(f, directions[j], mirror[j], true);
        canvas.LineTo(pt.x(), pt.y());
    }
    if (v[e] == 90)
        canvas.LineTo(f.cx, f.cy);
}

// The curve through the horizontal angles at vertical angle 0 (types A and B).
void DrawCrossSection(Canvas& canvas, const DiagramFrame& f, const tIES& ies)
{
    const tArrEx& v = ies.VertAngles;
    std::size_t k = 1;
    while (k < v.size() && v[k] != 0)
        ++k;
    if (k >= v.size())
        return;
    std::vector<QPoint> points;
    points.reserve(ies.HorzAngles.size());
    for (std::size_t i = 0; i < ies.HorzAngles.size(); ++i)
        points.push_back(CurvePoint(f, ies.HorzAngles[i], ies.Candela[i][k], false));
    canvas.MoveTo(points[0].x(), points[0].y());
    for (const QPoint& pt : points)
        canvas.LineTo(pt.x(), pt.y());
    if (ies.HorzAngles[0] == 0) {
        canvas.MoveTo(points[0].x(), points[0].y());
        for (const QPoint& pt : points)
            canvas.LineTo(2 * f.cx - pt.x(), pt.y());
    }
}

void DrawIntensityGrid(Canvas& canvas, const DiagramFrame& f, int height, double V, const GridSteps& grid, int h,
                       const DiagramColors& colors)
{
    canvas.SetPen(colors.ButtonShadow, 1);
    canvas.SetFont(MakeDiagramFont(h));
    canvas.SetTextColor(colors.WindowText);
    const auto radius = [&](int i) { return RoundHalfEven(i * grid.step / V * f.rx); };
    for (int i = 0; i <= grid.count; ++i) {
        const int l = radius(i);
        canvas.Ellipse(f.cx - l, f.cy - l, f.cx + l, f.cy + l);
        // The outermost value, moved up inside its circle, may land on the
        // one before it when the circles stand close (a small printed
        // square): the outer value, which tells the scale, wins.
        if (i + 1 == grid.count) {
            const int next = f.cy + radius(i + 1);
            const int nextTop = ScaleLabelTop(next, h, height);
            if (nextTop != next && nextTop < f.cy + l + std::abs(h))
                continue;
        }
        canvas.TextOut(f.cx, ScaleLabelTop(f.cy + l, h, height), FormatValue(i * grid.step));
    }
}

}  // namespace

int ScaleLabelTop(int circleBottom, int fontHeight, int height)
{
    const int text = std::abs(fontHeight);
    // Below the frame's bottom line the label would be cut: it goes inside its circle.
    return circleBottom + text > height - 1 ? circleBottom - text : circleBottom;
}

DiagramFont MakeDiagramFont(int height)
{
    DiagramFont font;
    font.face = QStringLiteral("arial");
    font.height = height;
    font.weight = 400;
    return font;
}

void DrawDiagramBackground(Canvas& canvas, int width, int height, bool thumbnail, const DiagramColors& colors)
{
    const CanvasStateGuard guard(canvas);
    canvas.SetPen(colors.ButtonShadow, 1);
    canvas.SetSolidBrush(colors.ButtonFace);
    canvas.Rectangle(0, 0, width, height);
    const int cx = width / 2;
    const int cy = height / 2;
    const int r0 = RoundHalfEven(0.1 * std::max(cx, cy));
    if (!thumbnail)
        canvas.Ellipse(cx - r0, cy - r0, cx + r0, cy + r0);
    canvas.MoveTo(0, cy);
    canvas.LineTo(2 * cx, cy);
    canvas.MoveTo(cx, 0);
    canvas.LineTo(cx, 2 * cy);
    if (thumbnail)
        return;
    for (int degrees = 0; degrees <= 360; degrees += 10) {
        const double a = degrees * std::numbers::pi / 180;
        canvas.MoveTo(RoundHalfEven(r0 * std::cos(a) + cx), RoundHalfEven(r0 * std::sin(a) + cy));
        canvas.LineTo(RoundHalfEven(cx + cx * std::cos(a)), RoundHalfEven(cy + cy * std::sin(a)));
    }
}

GoniogramResult DrawGoniogram(Canvas& canvas, int width, int height, const tIES& ies, int mode, double factor,
                              int planeIndex, const DiagramOptions& options)
{
    GoniogramResult result;
    if (!Consistent(ies))
        return result;
    const bool thumbnail = mode == kGonioThumbnail;
    const PlaneSelection sel = SelectPlanes(ies, planeIndex, thumbnail ? 1 : 0, options.Planes);
    const double S = sel.Extents.MaxValue;
    const std::optional<DiagramFrame> frame = MakeFrame(width, height, S);
    if (!frame)
        return result;
    const DiagramFrame& f = *frame;
    result.drawn = true;
    result.scaleMax = S;

    const CanvasStateGuard guard(canvas);
    canvas.SetHollowBrush();

    const Directions directions = DirectionsOf(ies.VertAngles);
    const bool pairWanted = sel.Plane == ZeroPlaneIndex(ies) && (options.Planes.Orthogonal || thumbnail);
    const bool typeC = ies.PhotometricType == 1;
    if (pairWanted && (!typeC || sel.Perpendicular.has_value())) {
        const int width2 = thumbnail ? 1 : factor == 1.0 ? 2 : RoundHalfEven(factor);
        canvas.SetPen(kPerpendicularCurveColor, width2);
        if (typeC)
            DrawPlanePair(canvas, f, ies, directions, *sel.Perpendicular, *sel.PerpendicularOpposite);
        else
            DrawCrossSection(canvas, f, ies);
    }

    canvas.SetPen(kMainCurveColor, thumbnail ? 1 : RoundHalfEven(2 * factor));
    DrawPlanePair(canvas, f, ies, directions, sel.Plane, sel.Opposite);

    if (thumbnail) {
        if (!typeC && options.ShowWarning)
            DrawWarningIcon(canvas, options.WarningIcon, width - RoundHalfEven(17 * factor), RoundHalfEven(factor),
                            RoundHalfEven(16 * factor));
        return result;
    }

    const double m = ShowsCandela(ies, options) ? ies.Multiplier : 1.0;
    const double V = S * m;
    const GridSteps grid = ChooseGridStep(V);
    // A multiplier of 0 (or a non-finite product) leaves no scale to mark.
    result.labelHeight = grid.step > 0
                             ? LabelFontHeight(options.MainFontHeight, grid.step, V, f.rx, factor)
                             : RoundHalfEven(options.MainFontHeight * factor);
    if (grid.step > 0) {
        result.gridStep = grid.step;
        result.gridCount = grid.count;
        DrawIntensityGrid(canvas, f, height, V, grid, result.labelHeight, options.Colors);
    } else {
        canvas.SetFont(MakeDiagramFont(result.labelHeight));
        canvas.SetTextColor(options.Colors.WindowText);
    }

    DrawDiagramLabels(LabelContext{canvas, width, height, ies, f, result.labelHeight, options.MainFontHeight,
                                   factor, m, sel.Plane, options});

    result.scaleValue = V;
    return result;
}
