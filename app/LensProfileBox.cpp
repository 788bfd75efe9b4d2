#include "app/LensProfileBox.h"

#include <QPainter>

#include "diagram/FishEye.h"

LensProfileBox::LensProfileBox(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("PaintBoxArc"));
}

void LensProfileBox::setMagnify(bool magnify)
{
    if (magnify == magnify_)
        return;
    magnify_ = magnify;
    update();
}

void LensProfileBox::paintEvent(QPaintEvent* /*event*/)
{
    QPainter painter(this);
    DrawLensProfile(painter, size(), magnify_, palette().color(QPalette::WindowText), palette().color(QPalette::Dark));
}
