#include "FlyWindow.h"

#include <QFontMetrics>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <numbers>

#include "diagram/FormatValue.h"
#include "diagram/Goniogram.h"
#include "diagram/QPainterCanvas.h"
#include "photometry/IesRecord.h"

QString FlyWindowSample()
{
    return QStringLiteral("Intensity 9 999");
}

QSize FlyWindowSize(const QFont& font)
{
    const QFontMetrics metrics(font);
    const int tw = metrics.horizontalAdvance(FlyWindowSample());
    const int th = std::abs(metrics.height());
    return {tw + th, 3 * th};
}

QRect FlyWindowRect(QSize box, QPoint pointer, int lensRadius, QSize window)
{
    const int g = std::max(0, lensRadius) / 2;
    int ox = g + 16;
    int oy = g + 8;
    if (box.width() < pointer.x() + ox + window.width())
        ox = box.width() - pointer.x() - window.width();
    if (box.height() < pointer.y() + oy + window.height())
        oy = box.height() - pointer.y() - window.height();
    return {pointer + QPoint(ox, oy), window};
}

FlyReadOut ReadOutAt(QPoint pointer, int side, double scaleMax, int margin)
{
    const int F = side / 2;
    const double dx = pointer.x() - F;
    const double dy = pointer.y() - F;
    FlyReadOut out;
    // A box no wider than twice the margin has no scale to read.
    if (F - margin > 0 && std::isfinite(scaleMax)) {
        const double intensity = std::nearbyint(std::hypot(dx, dy) / (F - margin) * scaleMax);
        out.intensity = intensity == 0 ? 0.0 : intensity;  // no "-0"
    }
    out.degree = RoundHalfEven(std::atan2(dx, dy) * 180.0 / std::numbers::pi);
    return out;
}

void DrawFlyWindow(QPainter& painter, const QRect& rect, const FlyReadOut& readOut, const FlyWindowStyle& style)
{
    painter.save();
    painter.setOpacity(std::clamp(style.opacity, 0, 255) / 255.0);
    {
        QPainterCanvas canvas(painter, false);
        canvas.SetPen(Qt::black, 1);
        canvas.SetSolidBrush(style.background);
        canvas.Rectangle(rect.left(), rect.top(), rect.right() + 1, rect.bottom() + 1);
    }
    painter.setOpacity(1.0);
    {
        QPainterCanvas canvas(painter, false);
        canvas.SetFont(MakeDiagramFont(style.mainFontHeight));
        canvas.SetTextColor(style.text);
        const int inset = std::abs(style.mainFontHeight);
        canvas.TextOut(rect.left() + inset, rect.top() + inset,
                       QStringLiteral(" Intensity ") + FormatValue(readOut.intensity));
        canvas.TextOut(rect.left() + inset, rect.top() + 2 * inset,
                       QStringLiteral(" Degree ") + QString::number(readOut.degree));
    }
    painter.restore();
}
