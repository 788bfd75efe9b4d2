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
// More captions than a very large folder shows in a few screens start the store afresh.
constexpr qsizetype kCachedCaptions = 4096;
constexpr std::size_t kCachedFonts = 4;

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
    // Downloaded libraries name files without blanks: a word longer than a line is broken inside.
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(width);
        const bool more = line.textStart() + line.textLength() < text.size();
        if (static_cast<int>(lines.size()) + 1 == maxLines && more) {
            // The last line takes what is left, cut in the middle: the end
            // (a variant, a number, the extension) is what tells names apart.
            lines.append(metrics.elidedText(text.mid(line.textStart()).simplified(), Qt::ElideMiddle, width));
            break;
        }
        lines.append(metrics.elidedText(text.mid(line.textStart(), line.textLength()).trimmed(), Qt::ElideMiddle, width));
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

const ShapedCaption& CaptionCache::Shaped(const QString& text, const QFont& font, int width)
{
    auto set = std::find_if(fonts_.begin(), fonts_.end(),
                            [&](const PerFont& f) { return f.width == width && f.font == font; });
    if (set == fonts_.end()) {
        if (fonts_.size() >= kCachedFonts)
            fonts_.clear();
        fonts_.push_back(PerFont{font, width, {}});
        set = fonts_.end() - 1;
    }
    QHash<QString, ShapedCaption>& captions = set->captions;
    if (const auto found = captions.constFind(text); found != captions.constEnd())
        return *found;
    if (captions.size() >= kCachedCaptions)
        captions.clear();
    ShapedCaption shaped;
    const QFontMetrics metrics(font);
    for (const QString& line : WrapCaption(text, font, width, kCaptionLines)) {
        QStaticText staticLine(line);
        staticLine.setTextFormat(Qt::PlainText);
        staticLine.prepare(QTransform(), font);
        const int lineWidth = metrics.horizontalAdvance(line);
        shaped.widest = std::max(shaped.widest, lineWidth);
        shaped.widths.push_back(lineWidth);
        shaped.lines.push_back(std::move(staticLine));
    }
    return *captions.insert(text, std::move(shaped));
}

std::size_t CaptionCache::Size() const
{
    std::size_t size = 0;
    for (const PerFont& set : fonts_)
        size += static_cast<std::size_t>(set.captions.size());
    return size;
}

void DrawCaption(QPainter& painter, const QRect& label, const ShapedCaption& caption, const CaptionLook& look)
{
    if (caption.lines.empty())
        return;
    const QFontMetrics metrics(look.font);
    const int width = std::min(label.width(), caption.widest + 4);
    const QRect text(label.left() + (label.width() - width) / 2, label.top(), width,
                     static_cast<int>(caption.lines.size()) * metrics.height());
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
    for (std::size_t i = 0; i < caption.lines.size(); ++i) {
        const int x = label.left() + (label.width() - caption.widths[i]) / 2;
        painter.drawStaticText(QPoint(x, text.top() + static_cast<int>(i) * metrics.height()), caption.lines[i]);
    }
    painter.restore();
}
