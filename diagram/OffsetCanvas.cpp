#include "OffsetCanvas.h"

OffsetCanvas::OffsetCanvas(Canvas& target, QPoint offset) : target_(target), offset_(offset)
{
    SetState(target.State());
}

void OffsetCanvas::Sync()
{
    const CanvasState& mine = State();
    const CanvasState& theirs = target_.State();
    if (!(mine.pen == theirs.pen && mine.brush == theirs.brush && mine.font == theirs.font &&
          mine.textColor == theirs.textColor))
        target_.SetState(mine);
}

void OffsetCanvas::Rectangle(int left, int top, int right, int bottom)
{
    Sync();
    target_.Rectangle(left + offset_.x(), top + offset_.y(), right + offset_.x(), bottom + offset_.y());
}

void OffsetCanvas::Ellipse(int left, int top, int right, int bottom)
{
    Sync();
    target_.Ellipse(left + offset_.x(), top + offset_.y(), right + offset_.x(), bottom + offset_.y());
}

void OffsetCanvas::MoveTo(int x, int y)
{
    Sync();
    target_.MoveTo(x + offset_.x(), y + offset_.y());
}

void OffsetCanvas::LineTo(int x, int y)
{
    Sync();
    target_.LineTo(x + offset_.x(), y + offset_.y());
}

void OffsetCanvas::TextOut(int x, int y, const QString& text)
{
    Sync();
    target_.TextOut(x + offset_.x(), y + offset_.y(), text);
}

int OffsetCanvas::TextWidth(const QString& text)
{
    Sync();
    return target_.TextWidth(text);
}

void OffsetCanvas::DrawIcon(int x, int y, const QIcon& icon, int width, int height)
{
    Sync();
    target_.DrawIcon(x + offset_.x(), y + offset_.y(), icon, width, height);
}

void OffsetCanvas::DrawImage(const QRect& target, const QImage& image, const QRect& source)
{
    Sync();
    target_.DrawImage(target.translated(offset_), image, source);
}

void OffsetCanvas::CopyImage(int x, int y, const QImage& image)
{
    Sync();
    target_.CopyImage(x + offset_.x(), y + offset_.y(), image);
}

void OffsetCanvas::SetClip(const std::optional<QRect>& rect)
{
    target_.SetClip(rect ? std::optional<QRect>(rect->translated(offset_)) : std::nullopt);
}
