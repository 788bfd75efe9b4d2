#pragma once

#include <QImage>

#include "photometry/IesRecord.h"

// The goniogram of `ies` as the file list's thumbnail view draws it in its
// 100 x 100 cell (the 0-degree plane pair and its perpendicular, the warning
// icon for records that are not type C), scaled as a whole to size x size so
// pens and icon grow with it. A null image when the record has nothing to draw
// or the picture cannot be made. Without a QGuiApplication only records that
// need no icon can be drawn (see ThumbnailNeedsIcon).
[[nodiscard]] QImage DrawThumbnail(const tIES& ies, int size);

// True when the thumbnail's curves would leave a mark beside the axes: at
// least one curve segment of some length. A record whose every curve shrinks
// to a point (a single vertical angle, say) would give a blank picture, which
// a file manager would then keep instead of its generic icon.
[[nodiscard]] bool ThumbnailHasCurves(const tIES& ies);

// True when the thumbnail shows the warning icon. Qt makes an icon's pixmap
// only under a QGuiApplication, the one thing the drawing needs it for.
[[nodiscard]] bool ThumbnailNeedsIcon(const tIES& ies);
