#pragma once

#include <QPoint>
#include <QString>

#include <functional>
#include <vector>

#include "diagram/Canvas.h"

// One call made on a recording canvas, with the state selected at the time.
struct CanvasOp {
    enum class Kind { Rectangle, Ellipse, MoveTo, LineTo, Text, Icon, Image, Copy, Clip };
    Kind kind;
    QRect box;        // Rectangle, Ellipse: (left, top) to (right, bottom) as given;
                      // Icon, Image: the target; Copy: the image's place;
                      // Clip: the clip rectangle, null when lifted
    QPoint point;     // MoveTo, LineTo, Text
    QString text;     // Text
    QRect source;     // Image: the part of the image drawn
    CanvasState state;
};

// A canvas that draws nothing and remembers every call, for tests that check
// exact geometry. Text widths come from a measuring function (by default six
// pixels per character).
class RecordingCanvas final : public Canvas {
public:
    using Measure = std::function<int(const QString&, const DiagramFont&)>;

    RecordingCanvas();
    explicit RecordingCanvas(Measure measure);

    void Rectangle(int left, int top, int right, int bottom) override;
    void Ellipse(int left, int top, int right, int bottom) override;
    void MoveTo(int x, int y) override;
    void LineTo(int x, int y) override;
    void TextOut(int x, int y, const QString& text) override;
    int TextWidth(const QString& text) override;
    void DrawIcon(int x, int y, const QIcon& icon, int width, int height) override;
    void DrawImage(const QRect& target, const QImage& image, const QRect& source) override;
    void CopyImage(int x, int y, const QImage& image) override;
    void SetClip(const std::optional<QRect>& rect) override;

    [[nodiscard]] const std::vector<CanvasOp>& Ops() const { return ops_; }
    [[nodiscard]] std::vector<CanvasOp> OpsOf(CanvasOp::Kind kind) const;
    // Each MoveTo with the LineTo calls after it, as one point list.
    [[nodiscard]] std::vector<std::vector<QPoint>> Polylines() const;
    // The text call that drew `text`, or nullptr.
    [[nodiscard]] const CanvasOp* FindText(const QString& text) const;
    void Clear() { ops_.clear(); }

private:
    void Record(CanvasOp op);

    Measure measure_;
    std::vector<CanvasOp> ops_;
};
