#include "Canvas.h"

void Canvas::SetPen(const QColor& color, int width)
{
    StateChanging();
    state_.pen = CanvasPen{color, width};
}

void Canvas::SetSolidBrush(const QColor& color)
{
    StateChanging();
    state_.brush.color = color;
}

void Canvas::SetHollowBrush()
{
    StateChanging();
    state_.brush.color.reset();
}

void Canvas::SetFont(const DiagramFont& font)
{
    StateChanging();
    state_.font = font;
}

void Canvas::SetTextColor(const QColor& color)
{
    StateChanging();
    state_.textColor = color;
}

void Canvas::SetState(const CanvasState& state)
{
    StateChanging();
    state_ = state;
}
