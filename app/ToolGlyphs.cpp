#include "app/ToolGlyphs.h"

#include <functional>

#include <QPainter>
#include <QPixmap>

namespace {

QIcon Glyph(const std::function<void(QPainter&)>& draw)
{
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    draw(p);
    return QIcon(pixmap);
}

}  // namespace

namespace ToolGlyphs {

QIcon Fit()
{
    return Glyph([](QPainter& p) {
        p.setPen(QPen(Qt::darkGray, 1));
        p.drawRect(1, 1, 13, 13);
        p.setPen(QPen(QColor(255, 0, 0), 1.5));
        p.drawEllipse(QPointF(7.5, 7.5), 5.5, 5.5);
    });
}

QIcon Ortho()
{
    return Glyph([](QPainter& p) {
        p.setPen(QPen(QColor(200, 128, 128), 1.5));
        p.drawEllipse(QPointF(8, 8), 6.5, 3.5);
        p.setPen(QPen(QColor(255, 0, 0), 1.5));
        p.drawEllipse(QPointF(8, 8), 3.5, 6.5);
    });
}

QIcon Render()
{
    return Glyph([](QPainter& p) {
        QRadialGradient glow(QPointF(8, 8), 7);
        glow.setColorAt(0, Qt::white);
        glow.setColorAt(1, Qt::black);
        p.setBrush(glow);
        p.setPen(Qt::NoPen);
        p.drawRect(1, 1, 14, 14);
    });
}

QIcon Print()
{
    return Glyph([](QPainter& p) {
        p.setPen(QPen(Qt::black, 1));
        p.setBrush(Qt::white);
        p.drawRect(4, 1, 8, 6);
        p.setBrush(Qt::lightGray);
        p.drawRect(1, 6, 14, 6);
        p.setBrush(Qt::white);
        p.drawRect(4, 10, 8, 5);
    });
}

}  // namespace ToolGlyphs
