#include "RecordingCanvas.h"

#include <utility>

RecordingCanvas::RecordingCanvas()
    : RecordingCanvas([](const QString& text, const DiagramFont&) { return 6 * static_cast<int>(text.size()); })
{
}

RecordingCanvas::RecordingCanvas(Measure measure) : measure_(std::move(measure)) {}

void RecordingCanvas::Record(CanvasOp op)
{
    op.state = State();
    ops_.push_back(std::move(op));
}

void RecordingCanvas::Rectangle(int left, int top, int right, int bottom)
{
    Record({CanvasOp::Kind::Rectangle, QRect(QPoint(left, top), QPoint(right, bottom)), {}, {}, {}, {}});
}

void RecordingCanvas::Ellipse(int left, int top, int right, int bottom)
{
    Record({CanvasOp::Kind::Ellipse, QRect(QPoint(left, top), QPoint(right, bottom)), {}, {}, {}, {}});
}

void RecordingCanvas::MoveTo(int x, int y)
{
    Record({CanvasOp::Kind::MoveTo, {}, QPoint(x, y), {}, {}, {}});
}

void RecordingCanvas::LineTo(int x, int y)
{
    Record({CanvasOp::Kind::LineTo, {}, QPoint(x, y), {}, {}, {}});
}

void RecordingCanvas::TextOut(int x, int y, const QString& text)
{
    Record({CanvasOp::Kind::Text, {}, QPoint(x, y), text, {}, {}});
}

int RecordingCanvas::TextWidth(const QString& text)
{
    return measure_(text, State().font);
}

void RecordingCanvas::DrawIcon(int x, int y, const QIcon& icon, int width, int height)
{
    Record({CanvasOp::Kind::Icon, QRect(x, y, width, height), {}, icon.isNull() ? QString() : QStringLiteral("icon"),
            {}, {}});
}

void RecordingCanvas::DrawImage(const QRect& target, const QImage&, const QRect& source)
{
    Record({CanvasOp::Kind::Image, target, {}, {}, source, {}});
}

void RecordingCanvas::CopyImage(int x, int y, const QImage& image)
{
    Record({CanvasOp::Kind::Copy, QRect(QPoint(x, y), image.size()), {}, {}, {}, {}});
}

void RecordingCanvas::SetClip(const std::optional<QRect>& rect)
{
    Record({CanvasOp::Kind::Clip, rect.value_or(QRect()), {}, {}, {}, {}});
}

std::vector<CanvasOp> RecordingCanvas::OpsOf(CanvasOp::Kind kind) const
{
    std::vector<CanvasOp> result;
    for (const CanvasOp& op : ops_)
        if (op.kind == kind)
            result.push_back(op);
    return result;
}

std::vector<std::vector<QPoint>> RecordingCanvas::Polylines() const
{
    std::vector<std::vector<QPoint>> lines;
    for (const CanvasOp& op : ops_) {
        if (op.kind == CanvasOp::Kind::MoveTo)
            lines.push_back({op.point});
        else if (op.kind == CanvasOp::Kind::LineTo && !lines.empty())
            lines.back().push_back(op.point);
    }
    return lines;
}

const CanvasOp* RecordingCanvas::FindText(const QString& text) const
{
    for (const CanvasOp& op : ops_)
        if (op.kind == CanvasOp::Kind::Text && op.text == text)
            return &op;
    return nullptr;
}
