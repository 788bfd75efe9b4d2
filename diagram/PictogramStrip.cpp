#include "PictogramStrip.h"

// Resources of a static library must be registered by hand.
static void InitDiagramResources()
{
    Q_INIT_RESOURCE(diagram);
}

const QImage& PictogramStrip()
{
    static const QImage strip = [] {
        InitDiagramResources();
        QImage image(QStringLiteral(":/kandora/pictograms.png"));
        if (image.width() < kStripCellSize * kStripCellCount || image.height() < kStripCellSize)
            return QImage();
        return image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    }();
    return strip;
}

QIcon DiagramWarningIcon()
{
    InitDiagramResources();
    return QIcon(QStringLiteral(":/kandora/warning.png"));
}

void DrawStripCell(Canvas& canvas, int cell, int x, int y, int size)
{
    if (cell < 0 || cell >= kStripCellCount || size <= 0)
        return;
    const QImage& strip = PictogramStrip();
    if (strip.isNull())
        return;
    canvas.DrawImage(QRect(x, y, size, size), strip, QRect(kStripCellSize * cell, 0, kStripCellSize, kStripCellSize));
}

void DrawWarningIcon(Canvas& canvas, const QIcon& icon, int x, int y, int size)
{
    if (icon.isNull() || size <= 0)
        return;
    canvas.DrawIcon(x, y, icon, size, size);
}
