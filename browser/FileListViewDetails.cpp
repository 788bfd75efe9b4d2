#include "FileListView.h"

// The details view: the list in list mode under a column header, its
// columns' layout, sorting by a column, the background fill of the rows in
// view, and the filter.

#include <algorithm>

#include <QHeaderView>
#include <QMenu>
#include <QScrollBar>
#include <QStandardItemModel>

#include "browser/ThumbnailDelegate.h"

void FileListView::ShowAsDetails()
{
    delegate_->SetThumbnails(false);
    SetDefaultImageIndex();
    details_ = true;
    delegate_->SetDetails(true);
    setViewMode(QListView::ListMode);
    setFlow(QListView::TopToBottom);
    // One column of rows as wide as the header; it scrolls sideways with it.
    setWrapping(false);
    setWordWrap(false);
    const int side = style()->pixelMetric(QStyle::PM_SmallIconSize, nullptr, this);
    setIconSize(QSize(side, side));
    header_->show();
    const int column = header_->sortIndicatorSection();
    const bool sorted = column >= 0 && column < kDetailColumnCount;
    model_->KeepColumnSort(sorted ? std::optional(static_cast<DetailColumn>(column)) : std::nullopt,
                           header_->sortIndicatorOrder() == Qt::DescendingOrder);
    if (sorted)
        SortCatalog();
    FitDetailsRows();
    updateGeometries();
    ScrollToFocus();
}

void FileListView::LeaveDetails()
{
    if (!details_)
        return;
    details_ = false;
    delegate_->SetDetails(false);
    model_->KeepColumnSort(std::nullopt, false);
    header_->hide();
    setViewportMargins(0, 0, 0, 0);
}

void FileListView::FitDetailsRows()
{
    if (!details_)
        return;
    const QFontMetrics metrics(font());
    const int height = std::max(metrics.height(), iconSize().height() > 0 ? iconSize().height() : 16) + 4;
    setGridSize(QSize(std::max(1, header_->length()), height));
    viewport()->update();
}

void FileListView::updateGeometries()
{
    if (details_) {
        const int height = header_->sizeHint().height();
        setViewportMargins(0, height, 0, 0);
        const QRect area = viewport()->geometry();
        header_->setGeometry(area.left(), area.top() - height, area.width(), height);
        header_->setOffset(horizontalScrollBar()->value());
    }
    QListView::updateGeometries();
}

DetailsLayout FileListView::DetailsState() const
{
    DetailsLayout layout;
    for (int visual = 0; visual < header_->count(); ++visual) {
        const int logical = header_->logicalIndex(visual);
        if (logical < 0 || logical >= kDetailColumnCount)
            continue;
        layout.order.push_back(static_cast<DetailColumn>(logical));
        const auto at = static_cast<std::size_t>(logical);
        layout.hidden[at] = header_->isSectionHidden(logical);
        // A hidden section reports no size; the width it comes back with is kept.
        layout.widths[at] = layout.hidden[at] ? shownWidths_[at] : header_->sectionSize(logical);
    }
    const int column = header_->sortIndicatorSection();
    if (column >= 0 && column < kDetailColumnCount)
        layout.sortColumn = static_cast<DetailColumn>(column);
    layout.descending = header_->sortIndicatorOrder() == Qt::DescendingOrder;
    return layout;
}

void FileListView::SetDetailsState(const DetailsLayout& layout)
{
    const QSignalBlocker quiet(header_);
    for (int visual = 0; visual < static_cast<int>(layout.order.size()); ++visual) {
        const int logical = static_cast<int>(layout.order[static_cast<std::size_t>(visual)]);
        const int from = header_->visualIndex(logical);
        if (from >= 0 && from != visual)
            header_->moveSection(from, visual);
    }
    for (int logical = 0; logical < kDetailColumnCount; ++logical) {
        const auto at = static_cast<std::size_t>(logical);
        header_->resizeSection(logical, layout.widths[at]);
        shownWidths_[at] = layout.widths[at];
        header_->setSectionHidden(logical, layout.hidden[at]);
    }
    header_->setSortIndicator(layout.sortColumn ? static_cast<int>(*layout.sortColumn) : -1,
                              layout.descending ? Qt::DescendingOrder : Qt::AscendingOrder);
    if (details_) {
        model_->KeepColumnSort(layout.sortColumn, layout.descending);
        if (layout.sortColumn)
            SortCatalog();
        FitDetailsRows();
    }
}

void FileListView::SortByHeader(int logical, Qt::SortOrder order)
{
    if (!details_ || logical < 0 || logical >= kDetailColumnCount)
        return;
    model_->KeepColumnSort(static_cast<DetailColumn>(logical), order == Qt::DescendingOrder);
    SortCatalog();
    ScrollToFocus();
}

void FileListView::DetailsHeaderMenu(const QPoint& at)
{
    QMenu menu(this);
    for (int visual = 0; visual < header_->count(); ++visual) {
        const int logical = header_->logicalIndex(visual);
        // The name column holds the icons and the type-ahead: it stays.
        if (logical == static_cast<int>(DetailColumn::Caption))
            continue;
        QAction* item = menu.addAction(headerModel_->horizontalHeaderItem(logical)->text());
        item->setCheckable(true);
        item->setChecked(!header_->isSectionHidden(logical));
        connect(item, &QAction::toggled, this, [this, logical](bool on) {
            header_->setSectionHidden(logical, !on);
            FitDetailsRows();
        });
    }
    menu.exec(header_->mapToGlobal(at));
}

std::vector<int> FileListView::RowsInView() const
{
    std::vector<int> rows;
    const int rowHeight = gridSize().height();
    if (rowHeight <= 0)
        return rows;
    const QRect area = viewport()->rect();
    for (int y = area.top(); y <= area.bottom(); y += rowHeight) {
        const int row = indexAt(QPoint(area.left() + 1, y)).row();
        if (row >= 0)
            rows.push_back(row);
    }
    return rows;
}

void FileListView::FillValues()
{
    model_->FillInBackground(folder_, RowsInView());
}

void FileListView::SetFilter(LibraryFilter filter)
{
    model_->SetFilter(std::move(filter));
    if (!folder_.empty() && model_->catalog().TotalFileCount() > 0)
        model_->FillInBackground(folder_, RowsInView());
    ScrollToFocus();
}
