#include "ThumbnailDelegate.h"

#include <QHeaderView>
#include <QPainter>
#include <QStyle>

#include "browser/FileListView.h"
#include "browser/ThumbnailPainting.h"

namespace {

QPalette::ColorGroup GroupOf(const QStyleOptionViewItem& option)
{
    if (!option.state.testFlag(QStyle::State_Enabled))
        return QPalette::Disabled;
    return option.state.testFlag(QStyle::State_Active) ? QPalette::Normal : QPalette::Inactive;
}

}  // namespace

ThumbnailDelegate::ThumbnailDelegate(FileListView* list)
    : QStyledItemDelegate(list),
      list_(list),
      diagram_(DefaultDiagramOptions()),
      unreadMark_(list->style()->standardIcon(QStyle::SP_MessageBoxCritical))
{
}

void ThumbnailDelegate::initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const
{
    QStyledItemDelegate::initStyleOption(option, index);
    const bool hot = index.row() == list_->HoverRow();
    const ListStyleFlags& flags = list_->StyleFlags();
    if ((hot && flags.underlineHot) || (!hot && flags.underlineCold))
        option->font.setUnderline(true);
}

QSize ThumbnailDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    if (!thumbnails_)
        return QStyledItemDelegate::sizeHint(option, index);
    return ThumbnailGridSize(QFontMetrics(option.font).height());
}

void ThumbnailDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    Catalog& catalog = list_->Model().catalog();
    if (details_ && index.isValid() && index.row() < catalog.Count()) {
        PaintDetailsRow(painter, option, index);
        return;
    }
    if (!thumbnails_ || !index.isValid() || index.row() >= catalog.Count()) {
        QStyledItemDelegate::paint(painter, option, index);
        return;
    }
    CatalogItem& item = catalog.Item(index.row());
    // Items above the top are not drawn: scrolling past a folder draws only what shows.
    if (item.IsFile() && !ReachesIntoList(option.rect))
        return;
    QStyleOptionViewItem look = option;
    initStyleOption(&look, index);
    PaintThumbnail(*painter, look, item, index.row());
}

void ThumbnailDelegate::PaintThumbnail(QPainter& painter, const QStyleOptionViewItem& option, CatalogItem& item,
                                       int row) const
{
    const QPalette::ColorGroup group = GroupOf(option);
    const bool selected = option.state.testFlag(QStyle::State_Selected);
    const ThumbnailCellLayout cell = ThumbnailCell(option.rect, QFontMetrics(option.font).height());
    painter.drawImage(QRect(ThumbnailOrigin(cell.icon), QSize(kThumbnailSide, kThumbnailSide)),
                      CellPicture(item, selected, option));

    CaptionLook caption;
    caption.font = option.font;
    caption.focused = option.state.testFlag(QStyle::State_HasFocus);
    if (selected) {
        caption.text = option.palette.color(group, QPalette::HighlightedText);
        caption.background = option.palette.color(group, QPalette::Highlight);
    } else {
        const bool hot = row == list_->HoverRow();
        // The desktop's hot-track colour is its link colour.
        caption.text = option.palette.color(group, hot && list_->StyleFlags().handPoint ? QPalette::Link : QPalette::Text);
        caption.background = option.palette.color(group, QPalette::Base);
    }
    DrawCaption(painter, cell.label, captions_.Shaped(option.text, option.font, cell.label.width()), caption);
}

const QImage& ThumbnailDelegate::CellPicture(CatalogItem& item, bool selected, const QStyleOptionViewItem& option) const
{
    const qreal ratio = option.widget != nullptr ? option.widget->devicePixelRatioF() : 1.0;
    QImage& scratch = images_.Scratch(ratio);
    if (item.IsFile()) {
        const TiesData& entry = *item.entry;
        // The list read the painted entries before this paint. One still unread
        // could not be read and is marked, not reported: no message box may open
        // inside a paint. Selecting the entry tells what went wrong.
        if (entry.Loaded)
            DrawThumbnailPicture(scratch, entry.Ies, diagram_);
        else
            DrawUnreadPicture(scratch, diagram_, unreadMark_);
    } else {
        const int stored = images_.IndexOf(item.folderIcon);
        if (stored >= 0 && !selected)
            return images_.Image(stored);
        scratch.fill(Qt::transparent);
        QPainter painter(&scratch);
        if (stored >= 0) {
            painter.drawImage(QRect(0, 0, kThumbnailSide, kThumbnailSide), images_.Image(stored));
        } else {
            // A folder entry added since the view was prepared.
            const int side = images_.IconSide();
            const int at = (kThumbnailSide - side) / 2;
            item.folderIcon.paint(&painter, QRect(at, at, side, side));
        }
    }
    if (selected)
        TintCell(scratch, option.palette.color(GroupOf(option), QPalette::Highlight));
    return scratch;
}

void ThumbnailDelegate::PaintDetailsRow(QPainter* painter, const QStyleOptionViewItem& option,
                                        const QModelIndex& index) const
{
    QStyleOptionViewItem base = option;
    initStyleOption(&base, index);
    const QHeaderView& header = list_->DetailsHeader();
    const CatalogModel& model = list_->Model();
    const int row = index.row();
    // The header lies over the viewport with the same left edge and offset,
    // so its section positions are the cells' places.
    for (int visual = 0; visual < header.count(); ++visual) {
        const int logical = header.logicalIndex(visual);
        if (logical < 0 || logical >= kDetailColumnCount || header.isSectionHidden(logical))
            continue;
        const auto column = static_cast<DetailColumn>(logical);
        QStyleOptionViewItem cell = base;
        cell.rect = QRect(header.sectionViewportPosition(logical), option.rect.top(), header.sectionSize(logical),
                          option.rect.height());
        if (cell.rect.width() <= 0)
            continue;
        if (column == DetailColumn::Caption) {
            // A file that did not read carries the mark the thumbnails give it.
            if (model.ReadFailed(row))
                cell.icon = unreadMark_;
        } else {
            cell.features &= ~QStyleOptionViewItem::HasDecoration;
            cell.icon = QIcon();
            cell.state &= ~QStyle::State_HasFocus;
            cell.text = model.DetailCell(row, column);
            cell.textElideMode = Qt::ElideRight;
            cell.displayAlignment =
                Qt::AlignVCenter | (InfoOf(column).numeric ? Qt::AlignRight : Qt::AlignLeft);
        }
        const QWidget* widget = option.widget;
        QStyle* style = widget != nullptr ? widget->style() : list_->style();
        style->drawControl(QStyle::CE_ItemViewItem, &cell, painter, widget);
    }
}
