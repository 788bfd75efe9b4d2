#include "app/DiagramBox.h"

#include <QMouseEvent>
#include <QPainter>
#include <QScopeGuard>

#include <algorithm>
#include <utility>

#include "diagram/QPainterCanvas.h"
#include "photometry/IesRecord.h"

DiagramBox::DiagramBox(QWidget* parent) : QWidget(parent), options_(DefaultDiagramOptions())
{
    setObjectName(QStringLiteral("PaintBox"));
}

void DiagramBox::setRecord(const tIES* record)
{
    record_ = record;
    repaintDiagram();
}

void DiagramBox::setOptions(const DiagramOptions& options)
{
    const bool planesToggled =
        options.Planes.Fit != options_.Planes.Fit || options.Planes.Orthogonal != options_.Planes.Orthogonal;
    options_ = options;
    if (planesToggled)
        repaintDiagram();
    else
        redrawDiagram();
}

void DiagramBox::setPlaneIndex(int index)
{
    if (index == planeIndex_)
        return;
    planeIndex_ = index;
    redrawDiagram();
}

void DiagramBox::setQualityRepaint(bool on)
{
    quality_ = on;
}

void DiagramBox::repaintDiagram()
{
    if (repainting_)
        return;
    snapshotCurrent_ = false;
    pending_ = Pending::OffScreen;
    update();
}

void DiagramBox::redrawDiagram()
{
    if (quality_) {
        repaintDiagram();
        return;
    }
    snapshotCurrent_ = false;
    pending_ = std::max(pending_, Pending::Direct);
    update();
}

void DiagramBox::sliderSettled()
{
    if (!snapshotCurrent_)
        repaintDiagram();
}

DiagramRequest DiagramBox::request() const
{
    DiagramRequest request;
    request.size = size();
    request.record = record_;
    request.planeIndex = planeIndex_;
    request.options = options_;
    return request;
}

void DiagramBox::paintEvent(QPaintEvent* /*event*/)
{
    QPainter painter(this);
    QPainterCanvas canvas(painter, true);
    const Pending pending = std::exchange(pending_, Pending::None);
    if (pending == Pending::OffScreen || (pending == Pending::None && !snapshotCurrent_ && quality_)) {
        repainting_ = true;
        const auto done = qScopeGuard([this] { repainting_ = false; });
        RepaintDiagram(canvas, request(), &snapshot_);
        snapshotCurrent_ = !snapshot_.failed;
    } else if (pending == Pending::None && snapshotCurrent_ && snapshot_.image.size() == size()) {
        // Uncovered, nothing changed: the snapshot is the picture.
        canvas.CopyImage(0, 0, snapshot_.image);
    } else {
        DrawDiagram(canvas, request());
    }
}

void DiagramBox::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    repaintDiagram();
}

void DiagramBox::mousePressEvent(QMouseEvent* event)
{
    const Qt::KeyboardModifiers keys = event->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
    const Qt::MouseButtons buttons = event->buttons();
    if (keys == Qt::NoModifier && buttons == Qt::LeftButton) {
        emit toggleFitRequested();
    } else if (keys == Qt::NoModifier && buttons == Qt::RightButton) {
        emit toggleOrthoRequested();
    } else if (keys == Qt::ControlModifier && buttons == Qt::LeftButton) {
        repaintDiagram();  // the magnifier starts from an up-to-date snapshot
        emit magnifierOnToggleRequested();
    } else if (keys == Qt::ControlModifier && buttons == Qt::RightButton) {
        emit magnifierPlusToggleRequested();
    }
}
