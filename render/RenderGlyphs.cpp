#include "render/RenderGlyphs.h"

#include <functional>

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace {

constexpr int kSide = 23;

enum class Look { Up, Down, Disabled, Hover };

using Draw = std::function<void(QPainter&, Look)>;

QPixmap Glyph(const Draw& draw, Look look)
{
    QPixmap pixmap(kSide, kSide);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    draw(p, look);
    return pixmap;
}

QIcon FourLooks(const Draw& draw)
{
    QIcon icon;
    icon.addPixmap(Glyph(draw, Look::Up), QIcon::Normal, QIcon::Off);
    icon.addPixmap(Glyph(draw, Look::Down), QIcon::Normal, QIcon::On);
    icon.addPixmap(Glyph(draw, Look::Hover), QIcon::Active, QIcon::Off);
    icon.addPixmap(Glyph(draw, Look::Down), QIcon::Active, QIcon::On);
    icon.addPixmap(Glyph(draw, Look::Disabled), QIcon::Disabled, QIcon::Off);
    icon.addPixmap(Glyph(draw, Look::Disabled), QIcon::Disabled, QIcon::On);
    return icon;
}

QColor Ink(Look look)
{
    switch (look) {
    case Look::Down:
        return QColor(0, 110, 40);
    case Look::Hover:
        return QColor(60, 60, 60);
    case Look::Disabled:
        return QColor(160, 160, 160);
    case Look::Up:
        break;
    }
    return QColor(90, 90, 90);
}

QColor LampColour(Look look)
{
    if (look == Look::Disabled)
        return QColor(200, 200, 200);
    return look == Look::Down ? QColor(255, 220, 60) : QColor(235, 235, 235);
}

}  // namespace

namespace RenderGlyphs {

QIcon AutoUpdate()
{
    return FourLooks([](QPainter& p, Look look) {
        const QColor ink = Ink(look);
        // Three quarters of a circle, open at the top right, with its arrow head.
        p.setPen(QPen(ink, 2.2, Qt::SolidLine, Qt::RoundCap));
        p.setBrush(Qt::NoBrush);
        const QRectF ring(3, 3, 17, 17);
        p.drawArc(ring, 60 * 16, 280 * 16);
        QPainterPath head;
        head.moveTo(14.5, 1.5);
        head.lineTo(20.5, 4.5);
        head.lineTo(14.0, 8.5);
        head.closeSubpath();
        p.setPen(Qt::NoPen);
        p.setBrush(ink);
        p.drawPath(head);
        p.setPen(QPen(ink, 1));
        p.setBrush(LampColour(look));
        p.drawEllipse(QPointF(11.5, 11.5), 3.5, 3.5);
    });
}

QIcon Radiosity()
{
    return FourLooks([](QPainter& p, Look look) {
        const QColor ink = Ink(look);
        const QRectF room(1.5, 1.5, 20, 20);
        // The walls: dark without radiosity, lit grey with it.
        QRadialGradient walls(QPointF(11.5, 8), 14);
        const bool lit = look == Look::Down;
        walls.setColorAt(0, lit ? QColor(200, 200, 200) : QColor(40, 40, 40));
        walls.setColorAt(1, lit ? QColor(120, 120, 120) : QColor(15, 15, 15));
        p.setPen(QPen(ink, 1));
        p.setBrush(look == Look::Disabled ? QBrush(QColor(225, 225, 225)) : QBrush(walls));
        p.drawRect(room);
        // The beam from the lamp at the ceiling.
        QPainterPath beam;
        beam.moveTo(9.5, 4);
        beam.lineTo(13.5, 4);
        beam.lineTo(19, 21);
        beam.lineTo(4, 21);
        beam.closeSubpath();
        QLinearGradient light(QPointF(11.5, 4), QPointF(11.5, 21));
        const QColor lamp = LampColour(look);
        light.setColorAt(0, lamp);
        light.setColorAt(1, QColor(lamp.red(), lamp.green(), lamp.blue(), 60));
        p.setPen(Qt::NoPen);
        p.setBrush(light);
        p.drawPath(beam);
        p.setPen(QPen(ink, 1));
        p.setBrush(lamp);
        p.drawRect(QRectF(8.5, 1.5, 6, 3));
    });
}

}  // namespace RenderGlyphs
