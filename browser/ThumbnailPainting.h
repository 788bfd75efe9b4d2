#pragma once

#include <vector>

#include <QColor>
#include <QFont>
#include <QHash>
#include <QImage>
#include <QRect>
#include <QStaticText>
#include <QStringList>

#include "diagram/DiagramOptions.h"
#include "photometry/IesRecord.h"

class QPainter;

// Captions take at most this many lines under a thumbnail.
inline constexpr int kCaptionLines = 2;

// Where the parts of a thumbnail cell go: the icon rectangle at the top of
// the item, the caption's rectangle below it.
struct ThumbnailCellLayout {
    QRect icon;
    QRect label;
};

// The grid cell of the thumbnail view for captions of `lineHeight` pixels.
[[nodiscard]] QSize ThumbnailGridSize(int lineHeight);

// The icon and label rectangles of an item whose cell is `item`.
[[nodiscard]] ThumbnailCellLayout ThumbnailCell(const QRect& item, int lineHeight);

// The thumbnail's top-left corner, centred in the icon rectangle: (left +
// right - 100) / 2 with the right edge exclusive, truncating toward zero;
// likewise from top and bottom.
[[nodiscard]] QPoint ThumbnailOrigin(const QRect& icon);

// Whether an item whose bounds end at `bottom` (exclusive) still reaches into
// the list: items scrolled above the top are neither read nor drawn.
[[nodiscard]] inline bool ReachesIntoList(const QRect& item)
{
    return item.y() + item.height() >= 0;
}

// The caption's lines: wrapped at word boundaries into `width` pixels (a word
// wider than a line is broken inside), at most `maxLines` of them; when text
// is left over, the last line is cut in the middle, so the caption's end stays.
[[nodiscard]] QStringList WrapCaption(const QString& text, const QFont& font, int width, int maxLines);

// A caption wrapped and shaped for drawing: its lines with their widths.
struct ShapedCaption {
    std::vector<QStaticText> lines;
    std::vector<int> widths;
    int widest = 0;
};

// Captions wrapped and shaped once per text, font and width. Shaping a line
// costs more than drawing a thumbnail, and scrolling meets the same captions
// again and again. The store is bounded: it starts afresh when it grows large.
class CaptionCache {
public:
    [[nodiscard]] const ShapedCaption& Shaped(const QString& text, const QFont& font, int width);
    [[nodiscard]] std::size_t Size() const;

private:
    struct PerFont {
        QFont font;
        int width = 0;
        QHash<QString, ShapedCaption> captions;
    };
    // A hot item's underlined font makes a second set; there are rarely more.
    std::vector<PerFont> fonts_;
};

// The goniogram of `ies` as a thumbnail, drawn into `cell` (kThumbnailSide
// square at the cell's pixel ratio) over the button face.
void DrawThumbnailPicture(QImage& cell, const tIES& ies, const DiagramOptions& options);

// The cell of a file that could not be read: the thumbnail's background with
// `mark` in its middle.
void DrawUnreadPicture(QImage& cell, const DiagramOptions& options, const QIcon& mark);

// Blends a quarter of `tint` into the cell's opaque pixels, as a selected
// item's picture is drawn.
void TintCell(QImage& cell, const QColor& tint);

// How a caption is drawn.
struct CaptionLook {
    QFont font;
    QColor text;
    QColor background;
    bool focused = false;  // a focus rectangle around it
};

// The caption's lines centred in `label`, each line's width fitted with a
// filled background one pixel higher than the text, and the focus rectangle
// around the whole when the item has the focus.
void DrawCaption(QPainter& painter, const QRect& label, const ShapedCaption& caption, const CaptionLook& look);
