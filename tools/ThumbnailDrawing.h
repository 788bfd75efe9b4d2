#pragma once

#include <QImage>

#include "photometry/IesRecord.h"

// The goniogram of `ies` as the file list's thumbnail view draws it in its
// 100 x 100 cell (the 0-degree plane pair and its perpendicular, the warning
// icon for records that are not type C), scaled as a whole to size x size so
// pens and icon grow with it. A null image when the record has nothing to draw
// or the picture cannot be made.
[[nodiscard]] QImage DrawThumbnail(const tIES& ies, int size);
