#include "RepaintDiagram.h"

#include <QPainter>

#include "diagram/Goniogram.h"
#include "diagram/QPainterCanvas.h"

namespace {

bool repaintRunning = false;

// Sets the running flag for one repaint and clears it on every way out.
class RunningFlag {
public:
    RunningFlag() { repaintRunning = true; }
    ~RunningFlag() { repaintRunning = false; }
    RunningFlag(const RunningFlag&) = delete;
    RunningFlag& operator=(const RunningFlag&) = delete;
};

}  // namespace

bool RepaintDiagram(Canvas& target, int width, int height, const tIES& ies, int flags, int planeIndex,
                    const DiagramOptions& options, DiagramSnapshot* snapshot, bool antialiased)
{
    if (repaintRunning)
        return false;
    const RunningFlag running;
    const bool thumbnail = (flags & kRepaintThumbnail) != 0;
    QImage picture;
    if (width > 0 && height > 0)
        picture = QImage(width, height, QImage::Format_RGB32);
    if (picture.isNull()) {
        if (!thumbnail && snapshot != nullptr) {
            snapshot->image = QImage();
            snapshot->failed = true;
        }
        return false;
    }
    {
        QPainter painter(&picture);
        QPainterCanvas canvas(painter, antialiased);
        canvas.SetPen(options.Colors.ButtonFace, 1);
        canvas.SetSolidBrush(options.Colors.ButtonFace);
        canvas.Rectangle(0, 0, width, height);
        if ((flags & kRepaintBackground) != 0)
            DrawDiagramBackground(canvas, width, height, thumbnail, options.Colors);
        if ((flags & kRepaintGoniogram) != 0)
            DrawGoniogram(canvas, width, height, ies, thumbnail ? kGonioThumbnail : kGonioNormal, 1.0, planeIndex,
                          options);
    }
    target.CopyImage(0, 0, picture);
    if (!thumbnail && snapshot != nullptr) {
        snapshot->image = picture;
        snapshot->failed = false;
    }
    return true;
}

bool DiagramRepaintRunning()
{
    return repaintRunning;
}
