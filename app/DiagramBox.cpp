#include "app/DiagramBox.h"

#include <QMouseEvent>
#include <QPainter>

DiagramBox::DiagramBox(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("PaintBox"));
}

void DiagramBox::paintEvent(QPaintEvent* /*event*/)
{
    QPainter p(this);
    p.fillRect(rect(), palette().color(QPalette::Button));
    p.setPen(palette().color(QPalette::Dark));
    p.drawRect(rect().adjusted(0, 0, -1, -1));
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
