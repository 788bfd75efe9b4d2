#pragma once

#include <QColor>
#include <QIcon>
#include <QImage>
#include <QRect>
#include <QString>

#include <optional>

// A solid pen: lines and outlines use the current pen.
struct CanvasPen {
    QColor color = Qt::black;
    int width = 1;
    friend bool operator==(const CanvasPen&, const CanvasPen&) = default;
};

// A fill brush: a solid colour, or hollow (no fill) when empty.
struct CanvasBrush {
    std::optional<QColor> color;
    [[nodiscard]] bool Hollow() const { return !color.has_value(); }
    friend bool operator==(const CanvasBrush&, const CanvasBrush&) = default;
};

// A font description. A negative height is the character height in pixels,
// a positive one the cell height; weight 400 is normal.
struct DiagramFont {
    QString face = QStringLiteral("arial");
    int height = -11;
    int weight = 400;
    friend bool operator==(const DiagramFont&, const DiagramFont&) = default;
};

// Everything a drawing selects into a canvas; restored as one value.
struct CanvasState {
    CanvasPen pen;
    CanvasBrush brush;
    DiagramFont font;
    QColor textColor = Qt::black;
};

// The raster operations the diagram draws with. Coordinates are integer
// pixels with (0, 0) at the top-left corner. Texts are always drawn with a
// transparent background.
class Canvas {
public:
    virtual ~Canvas() = default;

    void SetPen(const QColor& color, int width);
    void SetSolidBrush(const QColor& color);
    void SetHollowBrush();
    void SetFont(const DiagramFont& font);
    void SetTextColor(const QColor& color);
    [[nodiscard]] const CanvasState& State() const { return state_; }
    void SetState(const CanvasState& state);

    // Outline with the pen, interior with the brush; right and bottom exclusive.
    virtual void Rectangle(int left, int top, int right, int bottom) = 0;
    // The ellipse inscribed in the box, its outline through the pixels on the
    // box's edges (right and bottom included); outline with the pen, interior with the brush.
    virtual void Ellipse(int left, int top, int right, int bottom) = 0;
    // Polylines: LineTo draws from the current position and moves it.
    virtual void MoveTo(int x, int y) = 0;
    virtual void LineTo(int x, int y) = 0;
    // Text with its cell's top-left corner at (x, y), in the current font and text colour.
    virtual void TextOut(int x, int y, const QString& text) = 0;
    // Width in pixels of `text` in the current font.
    [[nodiscard]] virtual int TextWidth(const QString& text) = 0;
    // An icon scaled to width x height with its top-left corner at (x, y).
    virtual void DrawIcon(int x, int y, const QIcon& icon, int width, int height) = 0;
    // Part `source` of `image` scaled into `target`, keeping the image's transparency.
    virtual void DrawImage(const QRect& target, const QImage& image, const QRect& source) = 0;
    // A finished picture copied unchanged with its top-left corner at (x, y).
    virtual void CopyImage(int x, int y, const QImage& image) = 0;
    // Limits drawing to `rect` (right and bottom exclusive); no rectangle lifts
    // the limit. A canvas that cannot clip draws everything.
    virtual void SetClip(const std::optional<QRect>& /*rect*/) {}

protected:
    // Lets an implementation flush work that depends on the selected state.
    virtual void StateChanging() {}

private:
    CanvasState state_;
};

// Restores a canvas's pen, brush, font and text colour on every way out of a scope.
class CanvasStateGuard {
public:
    explicit CanvasStateGuard(Canvas& canvas) : canvas_(canvas), saved_(canvas.State()) {}
    ~CanvasStateGuard() { canvas_.SetState(saved_); }
    CanvasStateGuard(const CanvasStateGuard&) = delete;
    CanvasStateGuard& operator=(const CanvasStateGuard&) = delete;

private:
    Canvas& canvas_;
    CanvasState saved_;
};
