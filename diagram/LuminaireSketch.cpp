#include "LuminaireSketch.h"

#include <cmath>

#include "diagram/FormatValue.h"
#include "diagram/PictogramStrip.h"

namespace {

int Sign(double value)
{
    if (value > 0)
        return 1;
    if (value == 0)
        return 0;
    return -1;  // below 0, and not a number
}

double DimensionValue(const tIES& ies, ::Dimension which)
{
    switch (which) {
    case ::Dimension::Width:
        return ies.Width;
    case ::Dimension::Length:
        return ies.Length;
    case ::Dimension::Height:
        break;
    }
    return ies.Height;
}

bool InFeet(const tIES& ies)
{
    return ies.UnitsType == 1;
}

QString Unit(const tIES& ies)
{
    return InFeet(ies) ? QStringLiteral(" feet") : QStringLiteral(" mm");
}

QString Shown(const tIES& ies, double value)
{
    return GeneralDecimal(InFeet(ies) ? value : value * 1000, LocaleDecimalPoint());
}

QString PlainDimensions(const tIES& ies)
{
    return Shown(ies, ies.Width) + QLatin1Char('x') + Shown(ies, ies.Length) + QLatin1Char('x') +
           Shown(ies, ies.Height) + Unit(ies);
}

}  // namespace

QString DimText(const tIES& ies, ::Dimension which, bool withUnit)
{
    const QString text = Shown(ies, std::fabs(DimensionValue(ies, which)));
    return withUnit ? text + Unit(ies) : text;
}

LuminaireShape ClassifyShape(const tIES& ies)
{
    const int w = Sign(ies.Width);
    const int l = Sign(ies.Length);
    const int h = Sign(ies.Height);
    const QString W = DimText(ies, ::Dimension::Width, false);
    const QString L = DimText(ies, ::Dimension::Length, false);
    const QString H = DimText(ies, ::Dimension::Height, false);
    const QString Wu = DimText(ies, ::Dimension::Width, true);
    const QString Lu = DimText(ies, ::Dimension::Length, true);
    const QString Hu = DimText(ies, ::Dimension::Height, true);
    const QString x = QStringLiteral("x");
    const QString d = QStringLiteral("D=");
    const QString hh = QStringLiteral(" H=");
    const auto shape = [](const char* id, const char* name, int cell, const QString& text) {
        return LuminaireShape{QString::fromLatin1(id), QString::fromLatin1(name), cell, text};
    };

    if (w > 0 && l > 0 && h == 0)
        return shape("Rect", "Rect", kCellRectangle, W + x + Lu);
    if (w > 0 && l > 0)
        return shape("Box", "Box", kCellBox, W + x + L + x + Hu);
    if (w > 0 && l == 0 && h < 0)
        return shape("cilinderw", "Horiz. cilinder || width", kCellCylinderAlongLength, d + H + hh + Wu);
    if (w > 0 && l < 0 && h > 0)
        return shape("Ellipsw", "Ellipse || width", kCellUprightEllipse, W + x + Lu);
    if (w > 0 && l < 0 && h < 0)
        return shape("Ellipsoidw", "Ellipsoid || width", kCellUprightEllipsoid, W + x + L + x + Hu);
    if (w == 0 && l == 0 && h == 0)
        return shape("pointa", "Point", kCellPoint, PlainDimensions(ies));
    if (w == 0 && l > 0 && h < 0)
        return shape("cilinderl", "Horiz. cilinder || length", kCellCylinderAlongWidth, d + H + hh + Lu);
    if (w < 0 && l == 0 && h < 0)
        return shape("Sphere", "Sphere", kCellSphere, d + Wu);
    if (w < 0 && l == 0 && h == 0)
        return shape("Circle", "Circle", kCellDisc, d + Wu);
    if (w < 0 && l == 0 && h > 0)
        return shape("cilinderv", "Vertical cilinder", kCellUprightCylinder, d + W + hh + Hu);
    if (w < 0 && l > 0 && h < 0)
        return shape("Ellipsoidl", "Ellipsoid || length", kCellFlatEllipsoid, W + x + L + x + Hu);
    if (w < 0 && l > 0 && h > 0)
        return shape("Ellipsl", "Ellipse || length", kCellFlatEllipse, W + x + L + x + Hu);
    return LuminaireShape{QString(), QString(), kCellQuestion, PlainDimensions(ies)};
}

void DrawLuminaireSketch(const LabelContext& c)
{
    const LuminaireShape shape = ClassifyShape(c.ies);
    const int s = PictogramSize(c);
    const int textY = c.height - 5 + c.h;
    if (UsesTextLabels(c)) {
        c.canvas.TextOut(5, textY, shape.name + QLatin1Char(' ') + shape.dimensions);
    } else {
        DrawStripCell(c.canvas, shape.cell, 5, c.height - s - 1, s);
        c.canvas.TextOut(s + 7, textY, shape.dimensions);
    }
    if (c.factor != 1.0)
        return;
    switch (c.ies.PhotometricType) {
    case 1:
        DrawStripCell(c.canvas, kCellTypeCMark, c.frame.cx - s / 2, 0, s);
        break;
    case 2:
        DrawStripCell(c.canvas, kCellTypeBMark, 0, c.frame.cy - s / 2, s);
        break;
    case 3:
        DrawStripCell(c.canvas, kCellTypeAMark, 0, 0, s);
        break;
    default:
        break;  // no mark for an unknown type
    }
}
