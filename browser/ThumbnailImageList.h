#pragma once

#include <vector>

#include <QIcon>
#include <QImage>

class Catalog;
class CatalogFeedback;

// The side of a thumbnail cell in logical pixels.
inline constexpr int kThumbnailSide = 100;

// The thumbnail view's store of cell images, made anew each time the view is
// prepared: one image per distinct folder icon (in the order first met), then,
// when the folder has photometric files, one with the file type's icon, then
// the scratch cell that each thumbnail is drawn into before it is copied (at
// first a copy of the cell before it, or an empty cell when there are no
// files). Each image is kThumbnailSide square at the screen's pixel ratio,
// transparent, with its icon centred.
class ThumbnailImageList {
public:
    ThumbnailImageList() = default;
    // `iconSide` is the logical size the icons are drawn at.
    ThumbnailImageList(const std::vector<QIcon>& folderIcons, const QIcon* fileIcon, int iconSide,
                       qreal pixelRatio);

    [[nodiscard]] int Count() const { return static_cast<int>(images_.size()); }
    [[nodiscard]] const QImage& Image(int index) const { return images_[static_cast<std::size_t>(index)]; }
    // The image of a folder entry's icon, or -1 when the icon was not stored.
    [[nodiscard]] int IndexOf(const QIcon& icon) const;
    // The file type's image, or -1 when the folder had no files.
    [[nodiscard]] int FileImageIndex() const { return fileIndex_; }
    [[nodiscard]] int ScratchIndex() const { return Count() - 1; }
    // The scratch cell, remade blank when the screen's pixel ratio changed.
    [[nodiscard]] QImage& Scratch(qreal pixelRatio);
    [[nodiscard]] qreal PixelRatio() const { return pixelRatio_; }
    [[nodiscard]] int IconSide() const { return iconSide_; }

private:
    std::vector<QImage> images_;
    std::vector<qint64> folderKeys_;
    int fileIndex_ = -1;
    int iconSide_ = 32;
    qreal pixelRatio_ = 1.0;
};

// A transparent cell with `icon` drawn centred at `iconSide` logical pixels
// (offset (kThumbnailSide - iconSide) / 2 each way); no icon gives an empty cell.
[[nodiscard]] QImage IconCell(const QIcon* icon, int iconSide, qreal pixelRatio);

// The icons of the list's folder entries in list order, led by `upIcon` (the
// shown folder's own icon, for the up entry) when the folder has a parent, so
// that the up entry has its image whether it is shown or not. The gauge of
// `feedback` shows the index of the entry being looked at.
[[nodiscard]] std::vector<QIcon> ThumbnailFolderIcons(const Catalog& catalog, const QIcon* upIcon,
                                                      CatalogFeedback& feedback);
