#pragma once

#include <array>
#include <functional>
#include <string>
#include <vector>

#include <QListView>
#include <QPersistentModelIndex>
#include <QScopeGuard>
#include <QTimer>

#include "browser/CatalogModel.h"
#include "browser/ListOptions.h"
#include "diagram/DiagramOptions.h"

class QHeaderView;
class QStandardItemModel;
class ProgressPanel;
class ThumbnailDelegate;

// The file list: folder entries, then one entry per photometric file. It
// owns the catalog (through its model), the progress panel and the guards
// that keep its selection handler out of bulk changes.
class FileListView : public QListView {
    Q_OBJECT
public:
    explicit FileListView(QWidget* parent = nullptr);
    ~FileListView() override;

    [[nodiscard]] CatalogModel& Model() { return *model_; }
    [[nodiscard]] const Catalog& Entries() const { return model_->catalog(); }
    [[nodiscard]] int FolderCount() const { return Entries().FolderCount(); }
    [[nodiscard]] ProgressPanel& Panel() { return *panel_; }

    // Selection-change guards. Suspensions nest; the handler is attached
    // again when the last one is resumed.
    void SuspendListChange();
    void ResumeListChange();
    [[nodiscard]] bool ListChangeAttached() const { return suspensions_ == 0; }
    // While held, the selection handler ignores changes: while the list is
    // filled, and after a folder entry was shown until a file entry takes the focus.
    [[nodiscard]] bool ListChangeHold() const { return ListChangeHold_; }
    // Holds the selection handler until the returned guard goes.
    [[nodiscard]] QScopeGuard<std::function<void()>> FillingList();
    // The entry the selection handler last showed; none after the list is cleared.
    [[nodiscard]] const QPersistentModelIndex& ShownItem() const { return ShownItem_; }
    // The handler shows `entry`; a folder entry holds it.
    void MarkShownItem(const QModelIndex& entry);

    // The catalog's operations with the panel and the wait cursor.
    void ClearCatalog();
    // Returns whether any file matched. `faults` collects unreadable files.
    bool ListFolder(const std::string& folder, CaptionChoice choice, bool sort, std::vector<ReadFault>& faults);
    // Sorts by caption, or in the details view by its chosen column.
    void SortCatalog();
    void ChangeCaptions(CaptionChoice choice, const std::string& folder, bool sort, std::vector<ReadFault>& faults);
    // Fits the column width to the widest caption; with `refresh` item 0
    // is scrolled into view first.
    void FitCaptionColumn(bool refresh);
    void AddFolderEntry(const QString& caption, const QIcon& icon);
    // The overlay icon is made again by the next listing.
    void ForgetChangedIcon() { model_->ForgetChangedIcon(); }

    // The first selected entry's row, or -1.
    [[nodiscard]] int FirstSelectedRow() const;
    void FocusRow(int row);
    // Moves the caret to `row` (which shows it) and selects nothing, so the
    // operations on the selection still mean the shown folder.
    void FocusRowOnly(int row);

    // List options.
    void ApplyOptions(const ListViewOptions& options);
    void SetHandPoint(bool on) { style_.handPoint = on; }
    void SetUnderlineHot(bool on);
    void SetUnderlineCold(bool on);
    void SetFlatScrollBars(bool on);
    void SetHotTrack(bool on);
    [[nodiscard]] const ListStyleFlags& StyleFlags() const { return style_; }
    void SetHoverTime(int milliseconds) { hoverTime_ = milliseconds; }
    [[nodiscard]] int HoverTime() const { return hoverTime_; }
    [[nodiscard]] int HoverRow() const { return hoverRow_; }

    // The views. "List" shows the desktop's small icons, "Icons" its large
    // ones; "Thumbnails" draws each file's goniogram in a 100 x 100 cell and
    // the folder entries' icons in cells of the same size.
    [[nodiscard]] FileListViewKind ViewKind() const;
    void ShowAsList();
    void ShowAsIcons();
    // Builds the thumbnail view's cell store from the folder entries' icons
    // (led by `upIcon`, the shown folder's own icon when it has a parent) and
    // shows the thumbnails; unread entries are read from `folder` (ending in
    // "/") before they are first painted.
    void PrepareThumbnailView(const QIcon* upIcon, const std::string& folder);
    // The folder the thumbnail view reads its entries from; empty before it is prepared.
    [[nodiscard]] const std::string& ThumbnailFolder() const { return thumbnailFolder_; }
    // What thumbnails are drawn with; repaints them when what they show changed.
    void SetThumbnailOptions(const DiagramOptions& options);
    // Gives every item its image for the list and icon views again.
    void SetDefaultImageIndex();

    // "Details": one row per entry with the photometric columns under a
    // header (click sorts, again reverses; drag moves; its context menu
    // hides). Values are read in the background, rows in view first.
    void ShowAsDetails();
    [[nodiscard]] QHeaderView& DetailsHeader() const { return *header_; }
    [[nodiscard]] DetailsLayout DetailsState() const;
    void SetDetailsState(const DetailsLayout& layout);

    // Shows only the file entries `filter` lets through, in every view; the
    // entries it cannot decide yet are read in the background and hidden
    // until then. The focused entry stays when it still matches.
    void SetFilter(LibraryFilter filter);
    [[nodiscard]] ThumbnailDelegate& Thumbnails() const { return *delegate_; }

signals:
    // The focused entry changed (only while the handler is attached).
    void ListChanged(const QModelIndex& entry);
    void BackspacePressed();
    void EnterPressed();
    void RefreshReleased();
    void CopyReleased();
    void MenuKeyReleased(const QPoint& globalPos);
    void ContextMenuAt(const QPoint& globalPos);
    // A left-button drag began on selected entries, the first a file entry.
    void DragWanted();
    // The shown or total count of file entries may have changed.
    void CountsChanged();

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void startDrag(Qt::DropActions supportedActions) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void updateGeometries() override;

private:
    void ReadUnreadCells(const QRect& area);
    void SetHoverRow(int row);
    [[nodiscard]] int LargeIconSide() const;
    void ShowCells(const QSize& icon, const QSize& cell);
    void ScrollToFocus();
    void LeaveDetails();
    void FitDetailsRows();
    void DetailsHeaderMenu(const QPoint& at);
    void SortByHeader(int logical, Qt::SortOrder order);
    // The rows in view, for the background reading to take first.
    [[nodiscard]] std::vector<int> RowsInView() const;
    void FillValues();

    CatalogModel* model_;
    ProgressPanel* panel_;
    ThumbnailDelegate* delegate_;
    std::string thumbnailFolder_;
    std::string folder_;  // the listed folder, ending in "/"
    QHeaderView* header_;
    QStandardItemModel* headerModel_;
    bool details_ = false;
    // Each column's last width while shown: a hidden section reports none.
    std::array<int, kDetailColumnCount> shownWidths_{};
    int suspensions_ = 0;
    bool ListChangeHold_ = false;
    QPersistentModelIndex ShownItem_;
    ListStyleFlags style_;
    bool flatScrollBars_ = false;
    bool copyArmed_ = false;  // Ctrl+C went down here; its release copies
    int hoverTime_ = -1;
    int hoverRow_ = -1;
    QTimer hoverTimer_;
};

// Suspends the list's selection handler for a scope.
class ListChangeSuspension {
public:
    explicit ListChangeSuspension(FileListView& list) : list_(list) { list_.SuspendListChange(); }
    ListChangeSuspension(const ListChangeSuspension&) = delete;
    ListChangeSuspension& operator=(const ListChangeSuspension&) = delete;
    ~ListChangeSuspension() { list_.ResumeListChange(); }

private:
    FileListView& list_;
};
