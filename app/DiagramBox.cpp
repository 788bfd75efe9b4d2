#include "app/DiagramBox.h"

#include <QMouseEvent>
#include <QPainter>

#include "diagram/Goniogram.h"
#include "diagram/QPainterCanvas.h"
#include "photometry/IesRecord.h"

DiagramBox::DiagramBox(QWidget* parent) : QWidget(parent), options_(DefaultDiagramOptions())
{
    setObjectName(QStringLiteral("PaintBox"));
}

void DiagramBox::setRecord(const tIES* record)
{
    record_ = record;
    update();
}

void DiagramBox::setOptions(const DiagramOptions& options)
{
    options_ = options;
    update();
}

void DiagramBox::setPlaneIndex(int index)
{
    planeIndex_ = index;
    update();
}

void DiagramBox::paintEvent(QPaintEvent* /*event*/)
{
    QPainter painter(this);
    QPainterCanvas canvas(painter, true);
    DrawDiagramBackground(canvas, width(), height(), false, options_.Colors);
    if (record_)
        DrawGoniogram(canvas, width(), height(), *record_, kGonioNormal, 1.0, planeIndex_, options_);
}

void DiagramBox::mousePressEvent(QMouseEvent* event)
{
    const Qt::KeyboardModifiers keys = event->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
    const Qt::MouseButtons buttons = event->buttons();
    if (keys == Qt::NoModifier && buttons == Qt::LeftButton)
        emit toggleFitRequested();
    else if (keys == Qt::NoModifier && buttons == Qt::RightButton)
        emit toggleOrthoRequested();
    else if (keys == Qt::ControlModifier && buttons == Qt::LeftButton)
        emit magnifierOnToggleRequested();
    else if (keys == Qt::ControlModifier && buttons == Qt::RightButton)
        emit magnifierPlusToggleRequested();
}
