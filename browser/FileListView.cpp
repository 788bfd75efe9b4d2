#include "FileListView.h"

#include <algorithm>

#include <QHeaderView>
#include <QKeyEvent>
#include <QMenu>
#include <QPaintEvent>
#include <QScopeGuard>
#include <QScrollBar>
#include <QStandardItemModel>
#include <QStyle>

#include "browser/FileIcons.h"
#include "browser/ProgressPanel.h"
#include "browser/ShellNamespace.h"
#include "browser/ThumbnailDelegate.h"
#include "browser/ThumbnailPainting.h"
#include "browser/UpdatesFrozen.h"

namespace {

// The system's hover time, used when the field holds -1.
constexpr int kDefaultHoverTime = 400;
// A flat bar's thumb is never narrower than this, so it can be grabbed.
constexpr int kFlatThumbMinimum = 24;

// C (or the keypad's 3) pressed with exactly Ctrl: the copy of the shown file's path.
bool IsCopyKey(const QKeyEvent& event)
{
    const bool keypad = event.modifiers().testFlag(Qt::KeypadModifier);
    return (event.key() == Qt::Key_C || (keypad && event.key() == Qt::Key_3))
           && (event.modifiers() & ~Qt::KeypadModifier) == Qt::ControlModifier;
}

}  // namespace

FileListView::FileListView(QWidget* parent)
    : QListView(parent),
      model_(new CatalogModel(this)),
      panel_(new ProgressPanel(this)),
      delegate_(new ThumbnailDelegate(this)),
      header_(new QHeaderView(Qt::Horizontal, this)),
      headerModel_(new QStandardItemModel(0, kDetailColumnCount, this))
{
    setObjectName(QStringLiteral("FolderListView"));
    setModel(model_);
    setItemDelegate(delegate_);
    setViewMode(QListView::ListMode);
    setFlow(QListView::TopToBottom);
    setWrapping(true);
    setResizeMode(QListView::Adjust);
    setUniformItemSizes(true);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    // The end of a long name (its variant, its number) tells it from its neighbours.
    setTextElideMode(Qt::ElideMiddle);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    // A drag starts after the usual distance; the browser makes it (DragWanted).
    setDragEnabled(true);
    setDragDropMode(QAbstractItemView::DragOnly);
    setDefaultDropAction(Qt::CopyAction);
    setMouseTracking(true);
    // Scrolled by pixels, not by whole columns: the end of the range is the end
    // of the content, not its last column alone at the left edge.
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    connect(selectionModel(), &QItemSelectionModel::currentChanged, this, [this](const QModelIndex& current) {
        if (!ListChangeAttached())
            return;
        // A file entry taking the focus ends the hold a shown folder entry began.
        if (current.isValid() && current.row() >= FolderCount())
            ListChangeHold_ = false;
        emit ListChanged(current);
    });
    for (const DetailColumnInfo& info : DetailColumns())
        headerModel_->setHorizontalHeaderItem(static_cast<int>(info.column),
                                              new QStandardItem(QString::fromUtf8(info.header.data(),
                                                                                  static_cast<qsizetype>(info.header.size()))));
    header_->setObjectName(QStringLiteral("DetailsHeader"));
    header_->setModel(headerModel_);
    header_->setSectionsMovable(true);
    header_->setSectionsClickable(true);
    header_->setSortIndicatorShown(true);
    header_->setSortIndicator(-1, Qt::AscendingOrder);
    header_->setHighlightSections(false);
    // A narrowed column keeps the start of its title, as its cells keep theirs.
    header_->setTextElideMode(Qt::ElideRight);
    header_->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    header_->setStretchLastSection(false);
    header_->setMinimumSectionSize(16);
    header_->setContextMenuPolicy(Qt::CustomContextMenu);
    header_->hide();
    SetDetailsState(DefaultDetailsLayout());
    connect(header_, &QHeaderView::sectionResized, this, [this](int logical, int, int size) {
        if (logical >= 0 && logical < kDetailColumnCount && size > 0)
            shownWidths_[static_cast<std::size_t>(logical)] = size;
        FitDetailsRows();
    });
    connect(header_, &QHeaderView::sectionMoved, this, [this] { viewport()->update(); });
    connect(header_, &QHeaderView::sortIndicatorChanged, this, &FileListView::SortByHeader);
    connect(header_, &QHeaderView::customContextMenuRequested, this, &FileListView::DetailsHeaderMenu);
    connect(horizontalScrollBar(), &QScrollBar::valueChanged, header_, [this](int value) { header_->setOffset(value); });
    connect(model_, &CatalogModel::EntriesExamined, this, &FileListView::CountsChanged);
    connect(model_, &QAbstractItemModel::modelReset, this, &FileListView::CountsChanged);
    connect(model_, &QAbstractItemModel::rowsInserted, this, &FileListView::CountsChanged);
    connect(model_, &QAbstractItemModel::rowsRemoved, this, &FileListView::CountsChanged);
    hoverTimer_.setSingleShot(true);
    connect(&hoverTimer_, &QTimer::timeout, this, [this] {
        if (style_.hotTrack && hoverRow_ >= 0 && hoverRow_ < model_->rowCount())
            setCurrentIndex(model_->index(hoverRow_));
    });
}

FileListView::~FileListView()
{
    // The model and the selection go after this part of the object.
    selectionModel()->disconnect(this);
    hoverTimer_.stop();
}

void FileListView::SuspendListChange()
{
    ++suspensions_;
}

void FileListView::ResumeListChange()
{
    if (--suspensions_ <= 0)
        suspensions_ = 0;
}

QScopeGuard<std::function<void()>> FileListView::FillingList()
{
    ListChangeHold_ = true;
    return QScopeGuard<std::function<void()>>([this] { ListChangeHold_ = false; });
}

void FileListView::MarkShownItem(const QModelIndex& entry)
{
    ShownItem_ = entry;
    if (entry.isValid() && entry.row() < FolderCount())
        ListChangeHold_ = true;
}

void FileListView::ClearCatalog()
{
    ListChangeSuspension suspended(*this);
    const bool hold = ListChangeHold_;
    ListChangeHold_ = true;
    model_->ClearCatalog(*panel_);
    ShownItem_ = QPersistentModelIndex();
    ListChangeHold_ = hold;
}

bool FileListView::ListFolder(const std::string& folder, CaptionChoice choice, bool sort, std::vector<ReadFault>& faults)
{
    folder_ = folder;
    const std::string first = model_->ListFolder(folder, choice, *panel_, faults);
    if (!first.empty()) {
        QIcon normal = FileIcon(first);
        // The overlay is made once per folder selection, from that folder's first file.
        QIcon changed = model_->HasChangedIcon() ? model_->ChangedIcon() : WithLinkOverlay(normal);
        model_->SetFileIcons(std::move(normal), std::move(changed));
    }
    // A column the user sorted the details by stays its order, "Sort" or not.
    const bool columnSort = details_ && header_->sortIndicatorSection() >= 0;
    if (!first.empty() && (sort || columnSort))
        SortCatalog();
    // The filter decides entries not yet read once they are.
    if (!first.empty() && model_->catalog().TotalFileCount() > model_->catalog().FileCount())
        model_->FillInBackground(folder_, {});
    return !first.empty();
}

void FileListView::SortCatalog()
{
    const int column = header_->sortIndicatorSection();
    if (details_ && column >= 0 && column < kDetailColumnCount)
        model_->SortByColumn(static_cast<DetailColumn>(column), header_->sortIndicatorOrder() == Qt::DescendingOrder,
                             *panel_);
    else
        model_->SortItems(*panel_);
}

void FileListView::ChangeCaptions(CaptionChoice choice, const std::string& folder, bool sort, std::vector<ReadFault>& faults)
{
    ListChangeSuspension suspended(*this);
    WaitScope wait(*panel_);
    setUpdatesEnabled(false);
    const QModelIndex selected = currentIndex();
    const TiesData* remembered =
        selected.isValid() && selected.row() >= FolderCount() ? Entries().Item(selected.row()).entry.get() : nullptr;
    const auto finally = qScopeGuard([this, remembered] {
        panel_->HideProgress();
        if (const int row = Entries().IndexOf(remembered); row >= 0)
            scrollTo(model_->index(row));
        setUpdatesEnabled(true);
    });

    Catalog& catalog = model_->catalog();
    if (catalog.FolderCount() < catalog.Count() - 1 && NeedsKeywords(choice)) {
        selectionModel()->setCurrentIndex(model_->index(0), QItemSelectionModel::NoUpdate);
        if (catalog.ProbesUnread(choice))
            panel_->ShowProgress(ProgressKind::Loading, catalog.FileCount());
    }
    model_->Recaption(choice, folder, *panel_, faults);
    FitCaptionColumn(true);
    if (sort)
        SortCatalog();
}

void FileListView::FitCaptionColumn(bool refresh)
{
    if (refresh && model_->rowCount() > 0)
        scrollTo(model_->index(0));
    if (details_) {
        FitDetailsRows();
        return;
    }
    if (viewMode() != QListView::ListMode)
        return;
    const QFontMetrics metrics(font());
    int widest = 0;
    for (int i = 0; i < Entries().Count(); ++i)
        widest = std::max(widest, metrics.horizontalAdvance(NameToShownText(Entries().Item(i).caption)));
    const int height = std::max(metrics.height(), iconSize().height() > 0 ? iconSize().height() : 16) + 4;
    setGridSize(QSize(metrics.horizontalAdvance(QStringLiteral("WWWW")) + widest, height));
}

void FileListView::AddFolderEntry(const QString& caption, const QIcon& icon)
{
    const QByteArray bytes = caption.toUtf8();
    model_->AddFolderEntry(std::string(bytes.constData(), static_cast<std::size_t>(bytes.size())), icon);
}

int FileListView::FirstSelectedRow() const
{
    int first = -1;
    for (const QModelIndex& index : selectionModel()->selectedIndexes()) {
        if (first < 0 || index.row() < first)
            first = index.row();
    }
    return first;
}

void FileListView::FocusRow(int row)
{
    if (row < 0 || row >= model_->rowCount())
        return;
    setCurrentIndex(model_->index(row));
    scrollTo(model_->index(row));
}

void FileListView::FocusRowOnly(int row)
{
    if (row < 0 || row >= model_->rowCount())
        return;
    selectionModel()->setCurrentIndex(model_->index(row), QItemSelectionModel::NoUpdate);
    scrollTo(model_->index(row));
}

void FileListView::ApplyOptions(const ListViewOptions& options)
{
    SetHandPoint(options.style.handPoint);
    SetUnderlineHot(options.style.underlineHot);
    SetUnderlineCold(options.style.underlineCold);
    if (options.flatScrollBars != flatScrollBars_)
        SetFlatScrollBars(options.flatScrollBars);
    SetHotTrack(options.style.hotTrack);
    SetHoverTime(options.hoverTime);
}

void FileListView::SetUnderlineHot(bool on)
{
    style_.underlineHot = on;
    viewport()->update();
}

void FileListView::SetUnderlineCold(bool on)
{
    style_.underlineCold = on;
    viewport()->update();
}

void FileListView::SetFlatScrollBars(bool on)
{
    flatScrollBars_ = on;
    // Flat bars have no arrow buttons at all: the whole bar is the track, and a
    // thumb at either end is still the thumb. Every sub-control is sized here,
    // since a style sheet leaves unnamed ones to guesswork.
    const int extent = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
    const QString flat = QStringLiteral(
        "QScrollBar { border: none; background: palette(window); margin: 0px; }"
        "QScrollBar:vertical { width: %1px; }"
        "QScrollBar:horizontal { height: %1px; }"
        "QScrollBar::handle { background: palette(mid); border: none; }"
        "QScrollBar::handle:hover, QScrollBar::handle:pressed { background: palette(dark); }"
        "QScrollBar::handle:vertical { min-height: %2px; }"
        "QScrollBar::handle:horizontal { min-width: %2px; }"
        "QScrollBar::add-line, QScrollBar::sub-line { border: none; background: none; width: 0px; height: 0px; }"
        "QScrollBar::add-page, QScrollBar::sub-page { background: none; }")
                             .arg(extent)
                             .arg(kFlatThumbMinimum);
    horizontalScrollBar()->setStyleSheet(on ? flat : QString());
    verticalScrollBar()->setStyleSheet(on ? flat : QString());
}

void FileListView::SetHotTrack(bool on)
{
    style_.hotTrack = on;
    if (!on)
        hoverTimer_.stop();
}

void FileListView::keyPressEvent(QKeyEvent* event)
{
    if (IsCopyKey(*event)) {
        // Copied when the key goes up, also when Ctrl went up first; the
        // view's own copy of the caption never runs.
        copyArmed_ = !event->isAutoRepeat() || copyArmed_;
        event->accept();
        return;
    }
    copyArmed_ = false;  // another key between: no copy chord
    if (event->matches(QKeySequence::Copy)) {
        event->accept();
        return;
    }
    switch (event->key()) {
    case Qt::Key_Backspace:
        emit BackspacePressed();
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        emit EnterPressed();
        return;
    default:
        QListView::keyPressEvent(event);
    }
}

void FileListView::paintEvent(QPaintEvent* event)
{
    // The rows in view are read first; the rest follow in the background.
    if (details_ && !folder_.empty())
        FillValues();
    // The files a paint of the thumbnail view meets for the first time are
    // read together, on every core, before the cells draw them one by one.
    if (delegate_->Thumbnails() && !thumbnailFolder_.empty())
        ReadUnreadCells(event->rect());
    QListView::paintEvent(event);
}

void FileListView::ReadUnreadCells(const QRect& area)
{
    const QSize cell = gridSize();
    if (cell.width() <= 0 || cell.height() <= 0 || area.isEmpty())
        return;
    const Catalog& catalog = model_->catalog();
    std::vector<int> unread;
    // Probes one cell apart, and on the far edges, meet every cell the area touches.
    auto probe = [&](int x, int y) {
        const int row = indexAt(QPoint(x, y)).row();
        if (row >= catalog.FolderCount() && row < catalog.Count() && !catalog.Item(row).entry->Loaded)
            unread.push_back(row);
    };
    for (int y = area.top();; y = std::min(y + cell.height(), area.bottom())) {
        for (int x = area.left();; x = std::min(x + cell.width(), area.right())) {
            probe(x, y);
            if (x == area.right())
                break;
        }
        if (y == area.bottom())
            break;
    }
    if (!unread.empty())
        model_->ReadEntries(unread, thumbnailFolder_, ReadingWorkers());
}

void FileListView::keyReleaseEvent(QKeyEvent* event)
{
    if (event->isAutoRepeat()) {
        QListView::keyReleaseEvent(event);
        return;
    }
    const Qt::KeyboardModifiers held = event->modifiers() & ~Qt::KeypadModifier;
    const bool keypad = event->modifiers().testFlag(Qt::KeypadModifier);
    if (event->key() == Qt::Key_F5) {
        emit RefreshReleased();
    } else if ((event->key() == Qt::Key_C || (keypad && event->key() == Qt::Key_3))
               && (held == Qt::ControlModifier || copyArmed_)) {
        // The keypad's 3 shares the C key's code on some keyboards' layouts of old; both copy.
        copyArmed_ = false;
        emit CopyReleased();
    } else if (event->key() == Qt::Key_Menu || (event->key() == Qt::Key_F10 && held == Qt::ShiftModifier)) {
        // Shift+F10 is the desktop's menu key for keyboards without one.
        const int row = FirstSelectedRow();
        const QPoint local = row >= 0 ? visualRect(model_->index(row)).center() : QPoint(0, 0);
        emit MenuKeyReleased(viewport()->mapToGlobal(local));
    } else {
        QListView::keyReleaseEvent(event);
    }
}

void FileListView::startDrag(Qt::DropActions)
{
    const int row = FirstSelectedRow();
    if (row >= FolderCount() && row >= 0)
        emit DragWanted();
}

void FileListView::mouseReleaseEvent(QMouseEvent* event)
{
    QListView::mouseReleaseEvent(event);
    if (event->button() == Qt::RightButton)
        emit ContextMenuAt(event->globalPosition().toPoint());
}

void FileListView::mouseMoveEvent(QMouseEvent* event)
{
    QListView::mouseMoveEvent(event);
    SetHoverRow(indexAt(event->position().toPoint()).row());
}

void FileListView::leaveEvent(QEvent* event)
{
    QListView::leaveEvent(event);
    SetHoverRow(-1);
}

void FileListView::SetHoverRow(int row)
{
    viewport()->setCursor(row >= 0 && style_.handPoint ? Qt::PointingHandCursor : Qt::ArrowCursor);
    if (row == hoverRow_)
        return;
    // Only the two items whose look changes are drawn again: a whole viewport of thumbnails costs more.
    if (style_.underlineHot || style_.underlineCold || (style_.handPoint && delegate_->Thumbnails())) {
        for (const int changed : {hoverRow_, row}) {
            if (changed >= 0 && changed < model_->rowCount())
                viewport()->update(visualRect(model_->index(changed)));
        }
    }
    hoverRow_ = row;
    if (style_.hotTrack && row >= 0)
        hoverTimer_.start(hoverTime_ < 0 ? kDefaultHoverTime : hoverTime_);
    else
        hoverTimer_.stop();
}

FileListViewKind FileListView::ViewKind() const
{
    if (details_)
        return FileListViewKind::Details;
    if (delegate_->Thumbnails())
        return FileListViewKind::Thumbnails;
    return viewMode() == QListView::IconMode ? FileListViewKind::Icons : FileListViewKind::List;
}

void FileListView::ShowAsList()
{
    LeaveDetails();
    delegate_->SetThumbnails(false);
    SetDefaultImageIndex();
    // The list mode turns wrapping off; the columns of the list need it.
    setViewMode(QListView::ListMode);
    setFlow(QListView::TopToBottom);
    setWrapping(true);
    setWordWrap(false);
    const int side = style()->pixelMetric(QStyle::PM_SmallIconSize, nullptr, this);
    setIconSize(QSize(side, side));
    FitCaptionColumn(false);
    ScrollToFocus();
}

void FileListView::ShowAsIcons()
{
    LeaveDetails();
    delegate_->SetThumbnails(false);
    SetDefaultImageIndex();
    const int side = LargeIconSide();
    ShowCells(QSize(side, side), QSize(std::max(76, side + 44), side + 12 + 2 * fontMetrics().height()));
    ScrollToFocus();
}

void FileListView::PrepareThumbnailView(const QIcon* upIcon, const std::string& folder)
{
    LeaveDetails();
    delegate_->SetThumbnails(true);
    thumbnailFolder_ = folder;
    SetDefaultImageIndex();
    {
        // The items are frozen, not the list: the panel over them must paint.
        const auto frozen = UpdatesFrozen(*viewport());
        const auto hide = qScopeGuard([this] { panel_->HideProgress(); });
        panel_->ShowProgress(ProgressKind::Thumbnails, model_->rowCount());
        const std::vector<QIcon> folderIcons = ThumbnailFolderIcons(Entries(), upIcon, *panel_);
        const QIcon fileIcon =
            Entries().FileCount() > 0 ? FileIcon(folder + Entries().Item(FolderCount()).entry->Texts.fileName) : QIcon();
        delegate_->SetImages(ThumbnailImageList(folderIcons, fileIcon.isNull() ? nullptr : &fileIcon,
                                                LargeIconSide(), devicePixelRatioF()));
    }
    ShowCells(QSize(kThumbnailSide, kThumbnailSide), ThumbnailGridSize(fontMetrics().height()));
    ScrollToFocus();
}

void FileListView::ScrollToFocus()
{
    // Laid out anew, the items stand elsewhere: the one the user is at is brought back into view.
    const QModelIndex focused = ShownItem_.isValid() ? QModelIndex(ShownItem_) : currentIndex();
    if (focused.isValid())
        scrollTo(focused);
}

void FileListView::SetThumbnailOptions(const DiagramOptions& options)
{
    // Of the diagram's settings only these two change a thumbnail.
    const DiagramOptions& shown = delegate_->Diagram();
    const bool changed = shown.Planes.ShowComplete != options.Planes.ShowComplete
                         || shown.ShowWarning != options.ShowWarning;
    delegate_->SetDiagramOptions(options);
    if (changed && delegate_->Thumbnails())
        viewport()->update();
}

void FileListView::SetDefaultImageIndex()
{
    // Each item's image comes from the model: the folder's icon, or the file
    // icon with the link overlay for an entry read and found changed.
    if (model_->rowCount() > 0)
        emit model_->dataChanged(model_->index(0), model_->index(model_->rowCount() - 1), {Qt::DecorationRole});
}

int FileListView::LargeIconSide() const
{
    return style()->pixelMetric(QStyle::PM_LargeIconSize, nullptr, this);
}

void FileListView::ShowCells(const QSize& icon, const QSize& cell)
{
    setViewMode(QListView::IconMode);
    // Items stay in the grid: nothing is dragged about inside the list.
    setMovement(QListView::Static);
    setFlow(QListView::LeftToRight);
    setWrapping(true);
    setWordWrap(true);
    setResizeMode(QListView::Adjust);
    setIconSize(icon);
    setGridSize(cell);
    // Laid out afresh in the new grid, as the list's own height change would.
    scheduleDelayedItemsLayout();
}
