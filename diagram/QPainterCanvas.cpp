#include "QPainterCanvas.h"

#include <QFontMetrics>
#include <QPen>
#include <QPixmap>

#include <algorithm>
#include <cstdlib>

QPainterCanvas::QPainterCanvas(QPainter& painter, bool antialiased)
    : painter_(painter), antialiased_(antialiased)
{
    painter_.save();
    painter_.setRenderHint(QPainter::Antialiasing, antialiased_);
    painter_.setRenderHint(QPainter::TextAntialiasing, true);
    // Pixel centres at integer coordinates keep antialiased one-pixel lines sharp.
    if (antialiased_)
        painter_.translate(0.5, 0.5);
}

QPainterCanvas::~QPainterCanvas()
{
    FlushPolyline();
    painter_.restore();
}

QFont QPainterCanvas::ToQFont(const DiagramFont& font)
{
    QFont qfont(font.face);
    qfont.setStyleHint(QFont::SansSerif);
    qfont.setPixelSize(std::max(1, std::abs(font.height)));
    qfont.setWeight(font.weight >= 700 ? QFont::Bold : QFont::Normal);
    return qfont;
}

const QFont& QPainterCanvas::CurrentFont()
{
    if (!fontFor_ || *fontFor_ != State().font) {
        font_ = ToQFont(State().font);
        fontFor_ = State().font;
    }
    return font_;
}

void QPainterCanvas::StateChanging()
{
    FlushPolyline();
}

void QPainterCanvas::ApplyShapeState()
{
    const CanvasState& s = State();
    QPen pen(s.pen.color, std::max(1, s.pen.width), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    painter_.setPen(pen);
    if (s.brush.Hollow())
        painter_.setBrush(Qt::NoBrush);
    else
        painter_.setBrush(*s.brush.color);
}

void QPainterCanvas::FlushPolyline()
{
    if (polyline_.size() >= 2) {
        ApplyShapeState();
        painter_.drawPolyline(polyline_);
    }
    polyline_.clear();
}

void QPainterCanvas::Rectangle(int left, int top, int right, int bottom)
{
    FlushPolyline();
    if (right <= left || bottom <= top)
        return;
    ApplyShapeState();
    painter_.setRenderHint(QPainter::Antialiasing, false);
    if (antialiased_)
        painter_.translate(-0.5, -0.5);
    painter_.drawRect(QRect(left, top, right - left - 1, bottom - top - 1));
    if (antialiased_)
        painter_.translate(0.5, 0.5);
    painter_.setRenderHint(QPainter::Antialiasing, antialiased_);
}

void QPainterCanvas::Ellipse(int left, int top, int right, int bottom)
{
    FlushPolyline();
    if (right <= left || bottom <= top)
        return;
    ApplyShapeState();
    // The circle of radius l round (cx, cy) passes through the pixels cx - l and cx + l,
    // where the curves put the value it stands for: the read-out measures it so.
    painter_.drawEllipse(QRect(left, top, right - left, bottom - top));
}

void QPainterCanvas::MoveTo(int x, int y)
{
    FlushPolyline();
    position_ = QPoint(x, y);
}

void QPainterCanvas::LineTo(int x, int y)
{
    if (polyline_.isEmpty())
        polyline_ << position_;
    polyline_ << QPoint(x, y);
    position_ = QPoint(x, y);
}

void QPainterCanvas::TextOut(int x, int y, const QString& text)
{
    FlushPolyline();
    const QFont& font = CurrentFont();
    painter_.setFont(font);
    painter_.setPen(State().textColor);
    const QFontMetrics metrics(font);
    const qreal shift = antialiased_ ? -0.5 : 0.0;
    painter_.drawText(QPointF(x + shift, y + shift + metrics.ascent()), text);
}

int QPainterCanvas::TextWidth(const QString& text)
{
    return QFontMetrics(CurrentFont()).horizontalAdvance(text);
}

void QPainterCanvas::DrawIcon(int x, int y, const QIcon& icon, int width, int height)
{
    FlushPolyline();
    if (icon.isNull() || width <= 0 || height <= 0)
        return;
    const QPixmap pixmap = icon.pixmap(QSize(width, height));
    const qreal shift = antialiased_ ? -0.5 : 0.0;
    painter_.drawPixmap(QRectF(x + shift, y + shift, width, height), pixmap, QRectF(pixmap.rect()));
}

void QPainterCanvas::DrawImage(const QRect& target, const QImage& image, const QRect& source)
{
    FlushPolyline();
    if (image.isNull() || target.isEmpty())
        return;
    const qreal shift = antialiased_ ? -0.5 : 0.0;
    // Pixel art stays crisp when enlarged; shrunk, it needs filtering to stay legible.
    const bool shrinking = target.width() < source.width() || target.height() < source.height();
    painter_.setRenderHint(QPainter::SmoothPixmapTransform, shrinking);
    painter_.drawImage(QRectF(target).translated(shift, shift), image, QRectF(source));
}

void QPainterCanvas::CopyImage(int x, int y, const QImage& image)
{
    FlushPolyline();
    const qreal shift = antialiased_ ? -0.5 : 0.0;
    painter_.drawImage(QPointF(x + shift, y + shift), image);
}

void QPainterCanvas::SetClip(const std::optional<QRect>& rect)
{
    FlushPolyline();
    if (!rect) {
        painter_.setClipping(false);
        return;
    }
    // The clip is in pixels, not pixel centres.
    const qreal shift = antialiased_ ? -0.5 : 0.0;
    painter_.setClipRect(QRectF(*rect).translated(shift, shift));
}
