#include "ThumbnailDrawing.h"

#include <QIconEngine>
#include <QPainter>

#include "diagram/DrawDiagram.h"
#include "diagram/PictogramStrip.h"
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

QImage DrawThumbnail(const tIES& ies, int size)
{
    QImage picture(size, size, QImage::Format_RGB32);
    if (picture.isNull())
        return {};
    const double scale = static_cast<double>(size) / kCell;
    DiagramRequest request;
    request.size = QSize(kCell, kCell);
    request.record = &ies;
    request.planeIndex = ZeroPlaneIndex(ies);
    request.thumbnail = true;
    // The thumbnail view's settings in their fixed colours, warning icon on.
    request.options.WarningIcon = QIcon(new ScaledIconEngine(DiagramWarningIcon(), scale));
    DiagramResult result;
    {
        QPainter painter(&picture);
        painter.scale(scale, scale);
        QPainterCanvas canvas(painter, true);
        result = DrawDiagram(canvas, request);
    }
    return result.goniogram.drawn ? picture : QImage();
}
