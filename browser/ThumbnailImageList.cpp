#include "ThumbnailImageList.h"

#include <algorithm>
#include <cmath>

#include <QPainter>

#include "browser/Catalog.h"

namespace {

int PhysicalSide(qreal pixelRatio)
{
    return static_cast<int>(std::ceil(kThumbnailSide * pixelRatio));
}

}  // namespace

QImage IconCell(const QIcon* icon, int iconSide, qreal pixelRatio)
{
    QImage cell(PhysicalSide(pixelRatio), PhysicalSide(pixelRatio), QImage::Format_ARGB32_Premultiplied);
    if (cell.isNull())
        return cell;
    cell.setDevicePixelRatio(pixelRatio);
    cell.fill(Qt::transparent);
    if (icon != nullptr && !icon->isNull()) {
        QPainter painter(&cell);
        const int offset = (kThumbnailSide - iconSide) / 2;
        icon->paint(&painter, QRect(offset, offset, iconSide, iconSide));
    }
    return cell;
}

ThumbnailImageList::ThumbnailImageList(const std::vector<QIcon>& folderIcons, const QIcon* fileIcon, int iconSide,
                                       qreal pixelRatio)
    : iconSide_(iconSide), pixelRatio_(pixelRatio)
{
    for (const QIcon& icon : folderIcons) {
        if (IndexOf(icon) >= 0)
            continue;
        folderKeys_.push_back(icon.cacheKey());
        images_.push_back(IconCell(&icon, iconSide, pixelRatio));
    }
    if (fileIcon != nullptr) {
        fileIndex_ = Count();
        images_.push_back(IconCell(fileIcon, iconSide, pixelRatio));
        // The scratch cell starts as a copy of the one before it; copy() detaches it.
        images_.push_back(images_.back().copy());
    } else {
        images_.push_back(IconCell(nullptr, iconSide, pixelRatio));
    }
}

int ThumbnailImageList::IndexOf(const QIcon& icon) const
{
    const auto found = std::find(folderKeys_.begin(), folderKeys_.end(), icon.cacheKey());
    return found == folderKeys_.end() ? -1 : static_cast<int>(found - folderKeys_.begin());
}

QImage& ThumbnailImageList::Scratch(qreal pixelRatio)
{
    if (images_.empty() || pixelRatio != pixelRatio_) {
        // The window moved to a screen of another density: thumbnails follow it,
        // the icon cells are scaled when drawn.
        pixelRatio_ = pixelRatio;
        if (images_.empty())
            images_.push_back(IconCell(nullptr, 0, pixelRatio));
        else
            images_.back() = IconCell(nullptr, 0, pixelRatio);
    }
    return images_.back();
}

std::vector<QIcon> ThumbnailFolderIcons(const Catalog& catalog, const QIcon* upIcon, CatalogFeedback& feedback)
{
    std::vector<QIcon> icons;
    icons.reserve(static_cast<std::size_t>(catalog.FolderCount()) + 1);
    if (upIcon != nullptr && !catalog.HasUpEntry())
        icons.push_back(*upIcon);
    for (int i = 0; i < catalog.FolderCount(); ++i) {
        feedback.SetProgress(i);
        icons.push_back(catalog.Item(i).folderIcon);
    }
    return icons;
}
