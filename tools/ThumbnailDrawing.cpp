#include "ThumbnailDrawing.h"

#include <QIconEngine>
#include <QImageReader>
#include <QPainter>
#include <QPixmap>

#include "diagram/DrawDiagram.h"
#include "diagram/QPainterCanvas.h"
#include "diagram/RecordingCanvas.h"
#include "photometry/Calculations.h"

// Resources of a static library are registered by hand, outside any namespace.
static bool RegisterDiagramResources()
{
    Q_INIT_RESOURCE(diagram);
    return true;
}

namespace {

constexpr int kCell = 100;  // the thumbnail view's cell

// The warning icon handed out at `scale` times the asked size, so that an
// icon drawn through a scaled painter stays sharp.
class ScaledIconEngine final : public QIconEngine {
public:
    ScaledIconEngine(QImage image, double scale) : image_(std::move(image)), scale_(scale) {}
    void paint(QPainter* painter, const QRect& rect, QIcon::Mode, QIcon::State) override
    {
        painter->drawImage(rect, image_);
    }
    // As a QIcon of one picture: scaled down to fit, never up (the painter does that).
    QPixmap pixmap(const QSize& size, QIcon::Mode, QIcon::State) override
    {
        const QSize wanted = size * scale_;
        if (image_.width() <= wanted.width() && image_.height() <= wanted.height())
            return QPixmap::fromImage(image_);
        return QPixmap::fromImage(image_.scaled(wanted, Qt::KeepAspectRatio, Qt::SmoothTransformation));
    }
    [[nodiscard]] QIconEngine* clone() const override { return new ScaledIconEngine(image_, scale_); }

private:
    QImage image_;
    double scale_;
};

// The warning icon's picture, read as the PNG it is: a reader left to guess
// the format would load every image format plugin to ask it.
QImage WarningIconImage()
{
    [[maybe_unused]] static const bool registered = RegisterDiagramResources();
    QImageReader reader(QStringLiteral(":/kandora/warning.png"), "png");
    reader.setAutoDetectImageFormat(false);
    // In the form a pixmap keeps it, so that scaling rounds as for an icon.
    return reader.read().convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

// The thumbnail view's request in its fixed colours, without the icon.
DiagramRequest CellRequest(const tIES& ies)
{
    DiagramRequest request;
    request.size = QSize(kCell, kCell);
    request.record = &ies;
    request.planeIndex = ZeroPlaneIndex(ies);
    request.thumbnail = true;
    return request;
}

bool IsCurvePen(const CanvasPen& pen)
{
    return pen.color == kMainCurveColor || pen.color == kPerpendicularCurveColor;
}

}  // namespace

bool ThumbnailNeedsIcon(const tIES& ies)
{
    // As the goniogram decides: the icon marks records that are not type C.
    return ies.PhotometricType != 1 && DiagramOptions().ShowWarning;
}

bool ThumbnailHasCurves(const tIES& ies)
{
    RecordingCanvas recorder;
    DrawDiagram(recorder, CellRequest(ies));
    QPoint at;
    for (const CanvasOp& op : recorder.Ops()) {
        if (op.kind == CanvasOp::Kind::LineTo && IsCurvePen(op.state.pen) && op.point != at)
            return true;
        if (op.kind == CanvasOp::Kind::MoveTo || op.kind == CanvasOp::Kind::LineTo)
            at = op.point;
    }
    return false;
}

QImage DrawThumbnail(const tIES& ies, int size)
{
    QImage picture(size, size, QImage::Format_RGB32);
    if (picture.isNull())
        return {};
    const double scale = static_cast<double>(size) / kCell;
    DiagramRequest request = CellRequest(ies);
    // The thumbnail view's settings in their fixed colours, warning icon on.
    if (ThumbnailNeedsIcon(ies))
        request.options.WarningIcon = QIcon(new ScaledIconEngine(WarningIconImage(), scale));
    // The scaled cell need not cover the last row and column whole; they
    // would keep whatever the memory held.
    picture.fill(request.options.Colors.ButtonFace);
    DiagramResult result;
    {
        QPainter painter(&picture);
        painter.scale(scale, scale);
        QPainterCanvas canvas(painter, true);
        result = DrawDiagram(canvas, request);
    }
    return result.goniogram.drawn ? picture : QImage();
}
