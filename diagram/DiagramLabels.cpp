#include "DiagramLabels.h"

#include <cmath>
#include <cstdint>
#include <limits>

#include "diagram/FormatValue.h"
#include "diagram/LuminaireSketch.h"
#include "diagram/PictogramStrip.h"

namespace {

// Nearest 64-bit integer, halves to even; saturates.
std::int64_t RoundHalfEven64(double value)
{
    if (std::isnan(value))
        return 0;
    const double rounded = std::nearbyint(value);
    if (rounded >= 9.2e18)
        return std::numeric_limits<std::int64_t>::max();
    if (rounded <= -9.2e18)
        return std::numeric_limits<std::int64_t>::min();
    return static_cast<std::int64_t>(rounded);
}

QString Number(long long value)
{
    return QString::number(value);
}

}  // namespace

bool UsesTextLabels(const LabelContext& context)
{
    return context.options.TextLabels || context.factor != 1.0;
}

int PictogramSize(const LabelContext& c)
{
    if (c.Hm == 0)
        return 17;
    return RoundHalfEven(std::fabs(static_cast<double>(c.h) / c.Hm * 17));
}

QString TypeLetter(const tIES& ies)
{
    return QString(QChar(static_cast<char16_t>(68 - ies.PhotometricType)));
}

QString MaximumText(const LabelContext& c)
{
    const double rounded = static_cast<double>(RoundHalfEven64(c.frame.S * c.m * 10)) / 10;
    QString text = FormatValue(rounded) + QStringLiteral(" cd");
    if (!ShowsCandela(c.ies, c.options))
        text += QStringLiteral("/klm");
    return text;
}

QString PowerText(const tIES& ies)
{
    const QString watts = Number(ies.InputWatts) + QStringLiteral(" W");
    if (ies.LampCount <= 1)
        return watts;
    return Number(ies.LampCount) + QLatin1Char('x') + Number(ies.InputWatts / ies.LampCount) + QLatin1Char('=') +
           watts;
}

QString AngleText(const LabelContext& c)
{
    if (c.planeIndex < 0 || static_cast<std::size_t>(c.planeIndex) >= c.ies.HorzAngles.size())
        return QString();
    return GeneralDecimal(c.ies.HorzAngles[static_cast<std::size_t>(c.planeIndex)], LocaleDecimalPoint());
}

void DrawTextLabels(const LabelContext& c)
{
    Canvas& canvas = c.canvas;
    const int p = RoundHalfEven(5 * c.factor);
    const QString type = QStringLiteral("Type ") + TypeLetter(c.ies);
    const int tw = canvas.TextWidth(type);
    canvas.TextOut(c.width - tw - p, p, type);
    if (c.ies.PhotometricType != 1 && c.options.ShowWarning)
        DrawWarningIcon(canvas, c.options.WarningIcon, c.width - tw - p - RoundHalfEven(16 * c.factor), p,
                        RoundHalfEven(17 * c.factor));
    // The lines stack from the top: a file without lamp lumens (absolute
    // photometry) leaves no empty first line.
    int line = 0;
    auto next = [&](const QString& text) { canvas.TextOut(p, p - line++ * c.h, text); };
    if (c.ies.LampLumens > 0)
        next(QStringLiteral("Lamp=") + FormatValue(c.ies.LampLumens) + QStringLiteral(" lm"));
    next(QStringLiteral("Max=") + MaximumText(c));
    next(c.ies.LampCount <= 1 ? QStringLiteral("Power=") + PowerText(c.ies) : QStringLiteral("P ") + PowerText(c.ies));
    next(QStringLiteral("Multiplier=") + GeneralDecimal(c.ies.Multiplier, LocaleDecimalPoint()));
    next(QStringLiteral("Degrees=") + AngleText(c));
}

void DrawPictograms(const LabelContext& c)
{
    Canvas& canvas = c.canvas;
    const int s = PictogramSize(c);
    const int xt = s + 7;
    const int right = c.width - RoundHalfEven(17 * c.factor);
    // Only types 1 to 3 have a pennant; other cell numbers would be other pictures.
    if (c.ies.PhotometricType >= 1 && c.ies.PhotometricType <= 3)
        DrawStripCell(canvas, 3 - c.ies.PhotometricType, right - 5, 5, s);
    if (c.ies.PhotometricType != 1 && c.options.ShowWarning)
        DrawWarningIcon(canvas, c.options.WarningIcon, right - RoundHalfEven(16 * c.factor), 5, s);

    if (c.ies.LampLumens > 0) {
        DrawStripCell(canvas, kCellBulbRays, 5, 3, s);
        canvas.TextOut(xt, 5, QStringLiteral("=") + FormatValue(c.ies.LampLumens) + QStringLiteral(" lm"));
    }
    const int maxY = 5 - RoundHalfEven(1.5 * c.h);
    DrawStripCell(canvas, kCellMaxBulb, 5, maxY, s);
    canvas.TextOut(xt, maxY, QStringLiteral("=") + MaximumText(c));

    const int powerY = 5 - 3 * c.h;
    DrawStripCell(canvas, kCellSmallBolt, 5, powerY, s);
    canvas.TextOut(xt, powerY,
                   (c.ies.LampCount <= 1 ? QStringLiteral("=") : QStringLiteral(" ")) + PowerText(c.ies));

    const int multiplierY = 5 - RoundHalfEven(4.5 * c.h);
    DrawStripCell(canvas, kCellTwoBulbs, 5, multiplierY, s);
    canvas.TextOut(xt, multiplierY,
                   QStringLiteral("=") + GeneralDecimal(c.ies.Multiplier, LocaleDecimalPoint()) + QLatin1Char('x'));

    const int angleY = 5 - 6 * c.h;
    DrawStripCell(canvas, kCellAngle, 5, angleY, s);
    canvas.TextOut(xt, angleY, QStringLiteral("=") + AngleText(c));

    // One bulb per lamp up to four; one bulb and "xN" for more, one for none.
    const int lamps = c.ies.LampCount;
    const int bulbY = c.height - 5 + 3 * c.h;
    for (int i = 0; i == 0 || (i < lamps && lamps <= 4); ++i)
        DrawStripCell(canvas, kCellBulb, 5 + i * s, bulbY, s);
    if (lamps > 4)
        canvas.TextOut(xt, c.height - 5 + RoundHalfEven(2.5 * c.h), QLatin1Char('x') + Number(lamps));
}

void DrawDiagramLabels(const LabelContext& context)
{
    if (UsesTextLabels(context))
        DrawTextLabels(context);
    else
        DrawPictograms(context);
    DrawLuminaireSketch(context);
}
