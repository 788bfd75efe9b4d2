#include "ThumbnailDrawing.h"

#include <QIconEngine>
#include <QPainter>

#include "diagram/Goniogram.h"
#include "diagram/QPainterCanvas.h"
#include "photometry/Calculations.h"

namespace {

constexpr int kCell = 100;  // the thumbnail view's cell

// Hands out the wrapped icon at `scale` times the asked size, so that an
// icon drawn through a scaled painter stays sharp.
class ScaledIconEngine final : public QIconEngine {
public:
    ScaledIconEngine(QIcon icon, double scale) : icon_(std::move(icon)), scale_(scale) {}
    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override
    {
        icon_.paint(painter, rect, Qt::AlignCenter, mode, state);
    }
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override
    {
        return icon_.pixmap(size * scale_, mode, state);
    }
    [[nodiscard]] QIconEngine* clone() const override { return new ScaledIconEngine(icon_, scale_); }

private:
    QIcon icon_;
    double scale_;
};

}  // namespace

QImage DrawThumbnail(const tIES& ies, int size, const QIcon& warningIcon)
{
    QImage picture(size, size, QImage::Format_RGB32);
    if (picture.isNull())
        return {};
    const double scale = static_cast<double>(size) / kCell;
    DiagramOptions options;  // the thumbnail view's: warning icon on, fixed colours
    if (!warningIcon.isNull())
        options.WarningIcon = QIcon(new ScaledIconEngine(warningIcon, scale));
    GoniogramResult result;
    {
        QPainter painter(&picture);
        painter.scale(scale, scale);
        QPainterCanvas canvas(painter, true);
        DrawDiagramBackground(canvas, kCell, kCell, true, options.Colors);
        result = DrawGoniogram(canvas, kCell, kCell, ies, kGonioThumbnail, 1.0, ZeroPlaneIndex(ies), options);
    }
    return result.drawn ? picture : QImage();
}
