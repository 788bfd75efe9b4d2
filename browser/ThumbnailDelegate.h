#pragma once

#include <string>

#include <QIcon>
#include <QStyledItemDelegate>

#include "browser/ThumbnailImageList.h"
#include "browser/ThumbnailPainting.h"
#include "diagram/DiagramOptions.h"

class FileListView;
struct CatalogItem;

// Draws the file list's items; it reads nothing. In the list and icon views
// the style draws them, with the hot-track underlines of the list's options.
// In the thumbnail view a file entry is drawn as its goniogram from its
// record (the list reads the entries a paint meets before it paints), an
// entry that could not be read as a mark; a folder entry as its icon centred
// in a cell of the same size. Thumbnails are not cached: every paint draws
// them again.
class ThumbnailDelegate : public QStyledItemDelegate {
public:
    explicit ThumbnailDelegate(FileListView* list);

    // Whether the thumbnail view draws the items.
    void SetThumbnails(bool on) { thumbnails_ = on; }
    [[nodiscard]] bool Thumbnails() const { return thumbnails_; }
    // Whether the details view draws the items: one cell per header section.
    void SetDetails(bool on) { details_ = on; }
    void SetImages(ThumbnailImageList images) { images_ = std::move(images); }
    [[nodiscard]] const ThumbnailImageList& Images() const { return images_; }
    // What the thumbnails are drawn with: "Show complete", "Show warning icon", the colours.
    void SetDiagramOptions(DiagramOptions options) { diagram_ = std::move(options); }
    [[nodiscard]] const DiagramOptions& Diagram() const { return diagram_; }

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    [[nodiscard]] QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override;

private:
    // The picture of the item's cell, left in the scratch cell or the store.
    [[nodiscard]] const QImage& CellPicture(CatalogItem& item, bool selected, const QStyleOptionViewItem& option) const;
    void PaintThumbnail(QPainter& painter, const QStyleOptionViewItem& option, CatalogItem& item, int row) const;
    void PaintDetailsRow(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const;

    FileListView* list_;
    bool thumbnails_ = false;
    bool details_ = false;
    DiagramOptions diagram_;
    // Painting draws each thumbnail into the store's scratch cell.
    mutable ThumbnailImageList images_;
    QIcon unreadMark_;
    mutable CaptionCache captions_;
};
