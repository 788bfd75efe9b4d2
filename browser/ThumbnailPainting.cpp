#include "ThumbnailPainting.h"

#include <algorithm>

#include <QPainter>
#include <QTextLayout>

#include "browser/ThumbnailImageList.h"
#include "diagram/DrawDiagram.h"
#include "diagram/QPainterCanvas.h"

namespace {

// Room around the picture and between it and the caption.
constexpr int kCellPadding = 14;
constexpr int kIconMargin = 4;
constexpr int kCaptionMargin = 2;

// The thumbnail of `ies` (or its background alone) through the diagram's entry point.
void DrawThumbnailDiagram(QImage& cell, const tIES* ies, const DiagramOptions& options)
{
    DiagramRequest request;
    request.size = QSize(kThumbnailSide, kThumbnailSide);
    request.record = ies;
    request.thumbnail = true;
    request.options = options;
    QPainter painter(&cell);
    QPainterCanvas canvas(painter, request.antialiased);
    DrawDiagram(canvas, request);
}

}  // namespace

QSize ThumbnailGridSize(int lineHeight)
{
    return {kThumbnailSide + 2 * kCellPadding,
            kIconMargin + kThumbnailSide + kIconMargin + kCaptionMargin + kCaptionLines * lineHeight + kCaptionMargin};
}

ThumbnailCellLayout ThumbnailCell(const QRect& item, int lineHeight)
{
    ThumbnailCellLayout cell;
    cell.icon = QRect(item.left(), item.top(), item.width(), kIconMargin + kThumbnailSide + kIconMargin);
    cell.label = QRect(item.left() + kCaptionMargin, cell.icon.top() + cell.icon.height() + kCaptionMargin,
                       std::max(0, item.width() - 2 * kCaptionMargin), kCaptionLines * lineHeight);
    return cell;
}

QPoint ThumbnailOrigin(const QRect& icon)
{
    const int right = icon.left() + icon.width();
    const int bottom = icon.top() + icon.height();
    // C++ division truncates toward zero, as the cell's placement wants for items left of or above the view.
    return {(icon.left() + right - kThumbnailSide) / 2, (icon.top() + bottom - kThumbnailSide) / 2};
}

QStringList WrapCaption(const QString& text, const QFont& font, int width, int maxLines)
{
    QStringList lines;
    if (text.isEmpty() || width <= 0 || maxLines <= 0)
        return lines;
    const QFontMetrics metrics(font);
    // Most captions fit on one line, and laying text out costs as much as a thumbnail.
    if (metrics.horizontalAdvance(text) <= width)
        return {text};
    QTextLayout layout(text, font);
    QTextOption option;
    option.setWrapMode(QTextOption::WordWrap);
    layout.setTextOption(option);
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(width);
        const bool more = line.textStart() + line.textLength() < text.size();
        if (static_cast<int>(lines.size()) + 1 == maxLines && more) {
            // The last line takes what is left, cut where it no longer fits.
            lines.append(metrics.elidedText(text.mid(line.textStart()).simplified(), Qt::ElideRight, width));
            break;
        }
        // A word too long for a line overflows it whole: cut it.
        lines.append(metrics.elidedText(text.mid(line.textStart(), line.textLength()).trimmed(), Qt::ElideRight, width));
    }
    layout.endLayout();
    return lines;
}

void DrawThumbnailPicture(QImage& cell, const tIES& ies, const DiagramOptions& options)
{
    DrawThumbnailDiagram(cell, &ies, options);
}

void DrawUnreadPicture(QImage& cell, const DiagramOptions& options, const QIcon& mark)
{
    DrawThumbnailDiagram(cell, nullptr, options);
    constexpr int kMarkSide = 32;
    const int at = (kThumbnailSide - kMarkSide) / 2;
    QPainter painter(&cell);
    mark.paint(&painter, QRect(at, at, kMarkSide, kMarkSide));
}

void TintCell(QImage& cell, const QColor& tint)
{
    QPainter painter(&cell);
    // Only where the cell has paint: an icon's transparent surround stays clear.
    painter.setCompositionMode(QPainter::CompositionMode_SourceAtop);
    painter.setOpacity(0.25);
    painter.fillRect(QRect(0, 0, kThumbnailSide, kThumbnailSide), tint);
}

void DrawCaption(QPainter& painter, const QRect& label, const QStringList& lines, const CaptionLook& look)
{
    if (lines.isEmpty())
        return;
    const QFontMetrics metrics(look.font);
    int widest = 0;
    for (const QString& line : lines)
        widest = std::max(widest, metrics.horizontalAdvance(line));
    const int width = std::min(label.width(), widest + 4);
    const QRect text(label.left() + (label.width() - width) / 2, label.top(), width,
                     static_cast<int>(lines.size()) * metrics.height());
    // One pixel more above and below the text, moved up by one.
    const QRect fill = text.adjusted(0, -2, 0, 0);
    painter.save();
    painter.fillRect(fill, look.background);
    if (look.focused) {
        painter.setPen(QPen(look.text, 1, Qt::DotLine));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(fill.adjusted(0, 0, -1, -1));
    }
    painter.setFont(look.font);
    painter.setPen(look.text);
    for (int i = 0; i < lines.size(); ++i) {
        const QRect line(label.left(), text.top() + i * metrics.height(), label.width(), metrics.height());
        painter.drawText(line, Qt::AlignHCenter | Qt::AlignTop | Qt::TextSingleLine, lines.at(i));
    }
    painter.restore();
}
