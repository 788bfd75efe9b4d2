#include "app/DiagramBox.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScopeGuard>

#include <algorithm>
#include <utility>

#include "diagram/QPainterCanvas.h"
#include "photometry/IesRecord.h"

namespace {


// The buttons and keys of a mouse event; they must match exactly.
Qt::KeyboardModifiers Keys(const QMouseEvent* event)
{
    return event->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
}

// The lens drags: Alt, or Shift, which the common window managers leave to
// the window (Alt + drag moves the window under most of them).
bool LensDragKeys(Qt::KeyboardModifiers keys)
{
    return keys == Qt::AltModifier || keys == Qt::ShiftModifier;
}

}  // namespace

DiagramBox::DiagramBox(QWidget* parent) : QWidget(parent), options_(DefaultDiagramOptions())
{
    setObjectName(QStringLiteral("PaintBox"));
    setMouseTracking(true);
    magnifier_.setSettings(lens_);
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
    // The new picture covers the lens and the window.
    (void)magnifier_.clear();
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
    (void)magnifier_.clear();
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

void DiagramBox::setLensOptions(const LensSettings& options)
{
    const bool switched = options.on != lens_.on;
    lens_ = options;
    magnifier_.setSettings(lens_);
    if (switched) {
        redrawDiagram();  // which also takes away a lens left on the diagram
        return;
    }
    if (magnifier_.shown()) {
        applyWindowStyle();
        update(magnifier_.refresh());
    }
}

void DiagramBox::applyWindowStyle()
{
    FlyWindowStyle style;
    style.background = palette().color(QPalette::ToolTipBase);
    style.text = palette().color(QPalette::ToolTipText);
    style.mainFontHeight = options_.MainFontHeight;
    style.opacity = lens_.opacity;
    magnifier_.setWindowStyle(style);
    // Wide enough for the largest value on the box, which its corners read.
    const double largest = ReadOutAt(QPoint(0, 0), width(), snapshot_.scaleMax, snapshot_.margin).intensity;
    magnifier_.setWindowSize(FlyWindowSizeFor(QApplication::font(), style, largest));
}

void DiagramBox::HoverUpdate(QPoint pointer)
{
    // Nothing to read without a file, nor to refract without a picture.
    if (record_ == nullptr || snapshot_.failed)
        return;
    applyWindowStyle();
    if (!snapshotCurrent_ || snapshot_.image.size() != size()) {
        // Direct redraws left the snapshot behind what the box shows: renew
        // it once, so that the lens refracts the diagram under it.
        repaintDiagram();
        (void)magnifier_.moveTo(pointer, size());
        return;
    }
    update(magnifier_.moveTo(pointer, size()));
}

void DiagramBox::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    const Pending pending = std::exchange(pending_, Pending::None);
    if (pending == Pending::None && snapshotCurrent_ && snapshot_.image.size() == size()) {
        // Uncovered or passed over by the lens: the snapshot is the picture.
        const QRect area = event->rect();
        painter.drawImage(area, snapshot_.image, area);
    } else {
        // The canvas shifts the painter by half a pixel; it is gone before the lens is drawn.
        QPainterCanvas canvas(painter, true);
        if (pending == Pending::OffScreen || (pending == Pending::None && !snapshotCurrent_ && quality_)) {
            repainting_ = true;
            const auto done = qScopeGuard([this] { repainting_ = false; });
            RepaintDiagram(canvas, request(), &snapshot_);
            snapshotCurrent_ = !snapshot_.failed;
        } else {
            DrawDiagram(canvas, request());
        }
    }
    if (snapshotCurrent_ && magnifier_.shown())
        magnifier_.paint(painter, snapshot_.image, snapshot_.scaleMax, snapshot_.margin);
}

void DiagramBox::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    repaintDiagram();
}

void DiagramBox::mousePressEvent(QMouseEvent* event)
{
    const Qt::KeyboardModifiers keys = Keys(event);
    const Qt::MouseButtons buttons = event->buttons();
    const QPoint pointer = event->position().toPoint();
    if (keys == Qt::NoModifier && buttons == Qt::LeftButton) {
        emit toggleFitRequested();
    } else if (keys == Qt::NoModifier && buttons == Qt::RightButton) {
        emit toggleOrthoRequested();
    } else if (keys == Qt::ControlModifier && buttons == Qt::LeftButton) {
        repaintDiagram();  // the magnifier starts from an up-to-date snapshot
        emit magnifierOnToggleRequested();
    } else if (keys == Qt::ControlModifier && buttons == Qt::RightButton) {
        emit magnifierPlusToggleRequested();
        HoverUpdate(pointer);
    } else if (LensDragKeys(keys) && buttons == Qt::LeftButton) {
        lensDragBase_ = pointer.y() + lens_.refraction;
    } else if (LensDragKeys(keys) && buttons == Qt::RightButton) {
        lensDragBase_ = pointer.y() + lens_.radius;
    }
}

void DiagramBox::mouseMoveEvent(QMouseEvent* event)
{
    const Qt::KeyboardModifiers keys = Keys(event);
    const Qt::MouseButtons buttons = event->buttons();
    const QPoint pointer = event->position().toPoint();
    // Moving up enlarges R or K; the sliders clamp what is asked of them.
    if (lens_.on && LensDragKeys(keys) && buttons == Qt::RightButton) {
        const SliderDrag drag = DragLensSlider(lensDragBase_, pointer.y(), kLensMinRadius, kLensMaxRadius);
        lensDragBase_ = drag.base;
        emit lensRadiusDragged(drag.value);
    } else if (lens_.on && LensDragKeys(keys) && buttons == Qt::LeftButton) {
        const SliderDrag drag = DragLensSlider(lensDragBase_, pointer.y(), 0, kLensMaxRefraction);
        lensDragBase_ = drag.base;
        emit lensRefractionDragged(drag.value);
    }
    HoverUpdate(pointer);
}

