#include "DrawDiagram.h"

#include <QPainter>

#include <utility>

#include "diagram/QPainterCanvas.h"

DiagramResult DrawDiagram(Canvas& canvas, const DiagramRequest& request)
{
    DiagramResult result;
    const int width = request.size.width();
    const int height = request.size.height();
    if (width <= 0 || height <= 0)
        return result;
    const CanvasStateGuard guard(canvas);
    const DiagramOptions& options = request.options;
    canvas.SetPen(options.Colors.ButtonFace, 1);
    canvas.SetSolidBrush(options.Colors.ButtonFace);
    canvas.Rectangle(0, 0, width, height);
    if (request.background)
        DrawDiagramBackground(canvas, width, height, request.thumbnail, options.Colors);
    if (request.record != nullptr) {
        result.goniogram =
            DrawGoniogram(canvas, width, height, *request.record, request.thumbnail ? kGonioThumbnail : kGonioNormal,
                          request.factor, request.planeIndex, options);
        if (result.goniogram.drawn && !request.thumbnail) {
            result.scaleMax = result.goniogram.scaleValue;
            result.margin = kDiagramMargin;
        }
    }
    result.painted = true;
    return result;
}

DiagramPicture RenderDiagram(const DiagramRequest& request)
{
    DiagramPicture picture;
    if (request.size.isEmpty())
        return picture;
    picture.image = QImage(request.size, QImage::Format_RGB32);
    if (picture.image.isNull())
        return picture;
    {
        QPainter painter(&picture.image);
        QPainterCanvas canvas(painter, request.antialiased);
        picture.result = DrawDiagram(canvas, request);
    }
    return picture;
}

DiagramResult RepaintDiagram(Canvas& target, const DiagramRequest& request, DiagramSnapshot* snapshot)
{
    DiagramPicture picture = RenderDiagram(request);
    const bool keep = !request.thumbnail && snapshot != nullptr;
    if (picture.image.isNull()) {
        if (keep)
            *snapshot = DiagramSnapshot{QImage(), true, 0, 1};
        return picture.result;
    }
    target.CopyImage(0, 0, picture.image);
    if (keep)
        *snapshot = DiagramSnapshot{std::move(picture.image), false, picture.result.scaleMax, picture.result.margin};
    return picture.result;
}
