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

namespace {

QString IntensityLine(double intensity)
{
    return QStringLiteral(" Intensity ") + FormatValue(intensity);
}

}  // namespace

QSize FlyWindowSizeFor(const QFont& font, const FlyWindowStyle& style, double largest)
{
    QSize size = FlyWindowSize(font);
    const QFont diagramFont = QPainterCanvas::ToQFont(MakeDiagramFont(style.mainFontHeight));
    const int inset = std::abs(style.mainFontHeight);
    const int needed = inset + QFontMetrics(diagramFont).horizontalAdvance(IntensityLine(largest)) + inset / 2;
    size.setWidth(std::max(size.width(), needed));
    return size;
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
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setOpacity(std::clamp(style.opacity, 0, 255) / 255.0);
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(style.background);
    painter.drawRect(rect.adjusted(0, 0, -1, -1));
    // The texts stay opaque: at opacity 0 only they show.
    painter.setOpacity(1.0);
    const QFont font = QPainterCanvas::ToQFont(MakeDiagramFont(style.mainFontHeight));
    painter.setFont(font);
    painter.setPen(style.text);
    const int inset = std::abs(style.mainFontHeight);
    const int ascent = QFontMetrics(font).ascent();
    // Each line's cell has its top-left corner at (inset, inset) and (inset, 2 inset).
    painter.drawText(rect.topLeft() + QPoint(inset, inset + ascent), IntensityLine(readOut.intensity));
    painter.drawText(rect.topLeft() + QPoint(inset, 2 * inset + ascent),
                     QStringLiteral(" Degree ") + QString::number(readOut.degree));
    painter.restore();
}
