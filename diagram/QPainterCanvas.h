#pragma once

#include <QFont>
#include <QPainter>
#include <QPolygon>

#include <optional>

#include "diagram/Canvas.h"

// Draws through a QPainter that the caller began on a QImage, a widget or a
// printer. Integer coordinates name pixel centres, so one-pixel outlines stay
// crisp with antialiasing on. The painter's own state is restored afterwards.
class QPainterCanvas final : public Canvas {
public:
    QPainterCanvas(QPainter& painter, bool antialiased);
    ~QPainterCanvas() override;
    QPainterCanvas(const QPainterCanvas&) = delete;
    QPainterCanvas& operator=(const QPainterCanvas&) = delete;

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

    // The QFont a font description resolves to.
    [[nodiscard]] static QFont ToQFont(const DiagramFont& font);

protected:
    void StateChanging() override;

private:
    void FlushPolyline();
    void ApplyShapeState();
    const QFont& CurrentFont();

    QPainter& painter_;
    bool antialiased_;
    QPoint position_;
    QPolygon polyline_;  // joined lines drawn as one so wide pens join cleanly
    std::optional<DiagramFont> fontFor_;
    QFont font_;
};
