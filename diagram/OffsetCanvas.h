#pragma once

#include <QPoint>

#include "diagram/Canvas.h"

// Draws onto another canvas with every coordinate moved by `offset`, so a
// drawing made for a rectangle at (0, 0) (a diagram) can be placed anywhere
// on a page. The selected state is handed on before each call that uses it.
class OffsetCanvas final : public Canvas {
public:
    OffsetCanvas(Canvas& target, QPoint offset);

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

private:
    // Selects this canvas's state into the target when it differs, so that
    // a polyline is not cut by selecting the same state again.
    void Sync();

    Canvas& target_;
    QPoint offset_;
};
