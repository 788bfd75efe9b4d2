#include "FileBrowser.h"

#include <algorithm>
#include <new>

#include <QApplication>
#include <QClipboard>
#include <QDrag>
#include <QMimeData>
#include <QUrl>
#include <QScopeGuard>

#include <sys/stat.h>

#include "browser/DesktopOpen.h"
#include "browser/UpdatesFrozen.h"
#include "diagram/BoundedText.h"
#include "photometry/EntryLoader.h"

namespace {

std::string WithSlash(std::string path)
{
    if (!path.empty() && path.back() != '/')
        path += '/';
    return path;
}

QString FileNamePart(const QString& path)
{
    return path.mid(path.lastIndexOf(QLatin1Char('/')) + 1);
}

}  // namespace

FileBrowser::FileBrowser(BrowserHost& host, ShownFile& shown, ShellNamespace space, QWidget& widgetOwner)
    : host_(host),
      space_(std::move(space)),
      shown_(shown),
      tree_(new FolderTree(space_, &widgetOwner)),
      list_(new FileListView(&widgetOwner)),
      filterBar_(new ListFilterBar(*list_, &widgetOwner)),
      messages_(host)
{
    navigator_ = std::make_unique<FolderNavigator>(
        *tree_, [this] { UpdateTreeView(); }, [this] { StoreFolderView(tree_->Selected()); });
    connect(tree_, &FolderTree::FolderChanged, this, &FileBrowser::FolderTreeViewChange);
    connect(tree_, &FolderTree::LeavingFolder, this, [this] { StoreFolderView(tree_->ShownFolderNode()); });
    connect(tree_, &FolderTree::RefreshReleased, this, &FileBrowser::ButtonRefreshClick);
    connect(tree_, &FolderTree::SelectionMoving, &messages_, &MessageQueue::SelectionMoved);
    connect(list_, &FileListView::ListChanged, this, &FileBrowser::FolderListViewChange);
    connect(list_, &FileListView::RefreshReleased, this, &FileBrowser::ButtonRefreshClick);
    connect(list_, &FileListView::CopyReleased, this, &FileBrowser::CopytoClipboardClick);
    connect(list_, &FileListView::BackspacePressed, this, &FileBrowser::GoToParentFolder);
    connect(list_, &FileListView::EnterPressed, this, &FileBrowser::FolderListViewDblClick);
    connect(list_, &QAbstractItemView::doubleClicked, this, &FileBrowser::FolderListViewDblClick);
    // "Add" means the selected folder entry, or the shown folder with none selected.
    connect(list_->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this] { host_.SetAddEnabled(CanAddFavorite(ListTargetFolder(false))); });
    connect(list_, &FileListView::DragWanted, this, &FileBrowser::StartFileDrag);
    dragRunner_ = [this](QMimeData* data, QWidget* source) {
        auto* drag = new QDrag(source);
        drag->setMimeData(data);
        const QModelIndex first = list_->Model().index(list_->FirstSelectedRow());
        if (const auto icon = first.data(Qt::DecorationRole).value<QIcon>(); !icon.isNull())
            drag->setPixmap(icon.pixmap(32));
        // Whatever the target did with the files is its own business. The
        // drag is not deleted here: a target may still be reading the data
        // after exec returns, and the drag machinery frees it when done.
        drag->exec(Qt::CopyAction, Qt::CopyAction);
    };
}

// The widgets go with their owner, after the browser.
FileBrowser::~FileBrowser() = default;

void FileBrowser::ButtonCreateTreeClick()
{
    const auto listFrozen = UpdatesFrozen(*list_);
    const auto treeFrozen = UpdatesFrozen(*tree_);
    const auto finally = qScopeGuard([this] { tree_->SetExpanded(tree_->Root(), true); });
    UpdateTreeView();
}

void FileBrowser::UpdateTreeView()
{
    list_->ClearCatalog();
    shown_.ClearFilePath();
    tree_->Rebuild();
}

void FileBrowser::FolderTreeViewChange(FolderNode* node)
{
    if (!node || node == tree_->ShownFolderNode() || !tree_->SelectionTracking())
        return;
    if (tree_->PathNavigating()) {
        // The walk only needs the node's children; the folder opens when it ends.
        tree_->FolderTreeViewExpand(node);
        return;
    }
    {
        const auto treeFrozen = UpdatesFrozen(*tree_);
        shown_.ShowNone();
        tree_->FolderTreeViewExpand(node);
        tree_->MarkShownFolder(node);
        host_.SetAddEnabled(CanAddFavorite(node));
        const auto filling = list_->FillingList();
        if (!options_.keepCaption && options_.caption != CaptionChoice::FileName) {
            options_.caption = CaptionChoice::FileName;
            host_.CaptionChoiceReset();
        }
        {
            const auto listFrozen = UpdatesFrozen(*list_);
            list_->ForgetChangedIcon();
            OpenFolder(node);
        }
    }
    if (list_->Model().rowCount() > 0) {
        // The entry focused with the folder reports with its listing, once the tree is still.
        const auto held = messages_.HoldPosts();
        list_->FocusRowOnly(0);
    }
    // A favourite's stored caption kind puts the focus on the first entry
    // already, so the focus change above may not come: the title follows here.
    ShowPathInTitle();
}

void FileBrowser::OpenFolder(FolderNode* node)
{
    if (!node)
        return;
    std::vector<ReadFault> faults;
    {
        const auto filling = list_->FillingList();
        const auto frozen = UpdatesFrozen(*list_);
        ListChangeSuspension suspended(*list_);

        list_->ClearCatalog();
        if (options_.upEntry && node->parent()) {
            const QByteArray name = node->text(0).toUtf8();
            list_->Model().InsertUpEntry(UpEntryCaption(options_.upEntryStyle, name.toStdString()), node->icon(0));
        }
        for (int i = 0; i < node->childCount(); ++i) {
            if (const FolderNode* child = AsFolderNode(node->child(i)); child && child->Record)
                list_->AddFolderEntry(child->text(0), child->icon(0));
        }
        if (!tree_->TreeUpdating() && node->Record) {
            const std::string folder = space_.ParsingName(node->Record->AbsoluteId);
            if (!folder.empty() && space_.BindsAsFolder(node->Record->AbsoluteId))
                list_->ListFolder(WithSlash(folder), options_.caption, options_.sort, faults);
        }
        // Fitted for every caption, so keyword captions are not cut short either.
        list_->FitCaptionColumn(false);
    }
    list_->viewport()->update();
    if (list_->ViewKind() == FileListViewKind::Thumbnails)
        PrepareThumbnailView();
    if (node->Record)
        ApplyViewSettings(FindFavorite(node->Record->AbsoluteId));
    messages_.HoldListingFaults(faults);
}

FolderNode* FileBrowser::ListTargetFolder(bool navigation) const
{
    FolderNode* node = tree_->Selected();
    if (!node)
        return nullptr;
    const bool hasParent = node->parent() != nullptr;
    const bool up = options_.upEntry && hasParent;
    const int i = list_->FirstSelectedRow();
    auto child = [node](int k) { return k >= 0 && k < node->childCount() ? AsFolderNode(node->child(k)) : nullptr; };
    if (i < 0)
        return navigation ? child(0) : node;
    if (i == 0 && options_.upEntry) {
        if (navigation)
            return hasParent ? AsFolderNode(node->parent()) : child(0);
        return hasParent ? node : child(0);
    }
    return child(up ? i - 1 : i);
}

std::string FileBrowser::ShownFolderPath() const
{
    const FolderNode* node = tree_->ShownFolderNode();
    if (!node || !node->Record)
        return {};
    return WithSlash(space_.ParsingName(node->Record->AbsoluteId));
}

void FileBrowser::FolderListViewChange(const QModelIndex& entry)
{
    const QModelIndex focused = list_->currentIndex();
    const int n = list_->FolderCount();
    host_.SetAddEnabled(CanAddFavorite(ListTargetFolder(false)));
    if (entry == list_->ShownItem() || !entry.isValid() || list_->ListChangeHold() || entry != focused)
        return;
    list_->MarkShownItem(entry);
    if (entry.row() >= n && !list_->Entries().Item(entry.row()).entry->Loaded) {
        const LoadResult result = list_->Model().ReadEntry(entry.row(), ShownFolderPath());
        const std::string& name = list_->Entries().Item(entry.row()).entry->Texts.fileName;
        if (result.kind == LoadResult::Kind::Failed)
            messages_.Post(NameToText(name) + QStringLiteral(": ") + NameToText(result.error), kWindowCaption,
                           QMessageBox::Critical);
        else if (result.HasHeaderFault())
            messages_.Post(NameToText(result.headerFault), QStringLiteral("Error!"), QMessageBox::Critical,
                           NameToShownText(name));
    }
    ShowEntry(entry);
    const QString fileName = FileNamePart(shown_.CurrentFilePath());
    host_.SetDiagramCrosshair(!fileName.isEmpty());
    host_.SetApplicationTitle(fileName.isEmpty() ? kAppTitle : fileName);
    ShowPathInTitle();
}

void FileBrowser::ShowEntry(const QModelIndex& entry)
{
    if (!entry.isValid())
        return;
    if (entry.row() < list_->FolderCount()) {
        shown_.ShowNone();
        return;
    }
    shown_.ShowFile(*list_->Entries().Item(entry.row()).entry, ShownFolderPath());
}

void FileBrowser::ShowPathInTitle()
{
    const FolderNode* node = tree_->ShownFolderNode();
    if (!options_.titleBarPath || !node || !node->Record)
        return;
    const std::string parsing = space_.ParsingName(node->Record->AbsoluteId);
    QString folder = parsing.empty() ? node->Record->DisplayName : NameToText(parsing);
    // The file-system root keeps its separator, as a drive root would.
    if (folder.size() > 1 && folder.endsWith(QLatin1Char('/')))
        folder.chop(1);
    const QString fileName = FileNamePart(shown_.CurrentFilePath());
    QString file;
    if (!fileName.isEmpty())
        file = (folder.endsWith(QLatin1Char('/')) ? QString() : QStringLiteral("/")) + fileName;
    host_.SetWindowCaption(kWindowCaption + folder + file);
}

void FileBrowser::SetTitleBarPath(bool on)
{
    options_.titleBarPath = on;
    if (on)
        ShowPathInTitle();
    else
        host_.SetWindowCaption(kWindowCaption);
}

void FileBrowser::FolderListViewDblClick()
{
    const int row = list_->FirstSelectedRow();
    if (row < 0) {
        shown_.ClearFilePath();
        return;
    }
    if (row < list_->FolderCount())
        OpenFolderEntry();
    else if (options_.doubleClick)
        DoubleClickAction();
}

bool FileBrowser::OpenPath(const std::string& path)
{
    struct stat st {};
    if (path.empty() || path.front() != '/' || ::stat(path.c_str(), &st) != 0)
        return false;
    const bool folder = S_ISDIR(st.st_mode);
    const std::size_t slash = path.find_last_of('/');
    const std::string folderPath = folder ? path : path.substr(0, std::max<std::size_t>(slash, 1));
    const QString display = navigator_->ParsingToDisplayPath(folderPath);
    if (display.isEmpty())
        return false;
    NavigateToPath(display);
    // The walk stops early at a folder the tree does not show (a hidden one).
    if (folder || ShownFolderPath() != WithSlash(folderPath))
        return true;
    FocusFileNamed(NameToText(path.substr(slash + 1)));
    return true;
}

bool FileBrowser::FocusFileNamed(const QString& name)
{
    const Catalog& entries = list_->Entries();
    for (int row = entries.FolderCount(); row < entries.Count(); ++row) {
        const TiesData& entry = *entries.Item(row).entry;
        if (NameToText(entry.Texts.fileName) == name) {
            list_->FocusRow(row);
            return true;
        }
    }
    return false;
}

void FileBrowser::ButtonRefreshClick()
{
    const std::string folder = ShownFolderPath();
    const QString shownPath = shown_.CurrentFilePath();
    navigator_->ButtonRefreshClick();
    // The rebuild lists the folder afresh and focuses its first entry; the
    // user's place is the file that was shown, if it survived.
    if (!shownPath.isEmpty() && !folder.empty() && ShownFolderPath() == folder)
        FocusFileNamed(FileNamePart(shownPath));
}

void FileBrowser::OpenFolderEntry()
{
    shown_.ClearFilePath();
    FolderNode* node = ListTargetFolder(true);
    if (!node)
        return;
    if (node->parent() && node->parent() == tree_->NodeAt(1) && node->Record) {
        NavigateToPath(navigator_->ParsingToDisplayPath(space_.ParsingName(node->Record->AbsoluteId)));
        return;
    }
    tree_->SelectNode(node);
}

void FileBrowser::DoubleClickAction()
{
    if (options_.doubleClickAction == DoubleClickChoice::OpenDefault)
        Open1Click();
    else if (options_.doubleClickAction == DoubleClickChoice::OpenWithTextEditor)
        OpenNotepad1Click();
}

DesktopPort::Ended FileBrowser::ReportFailure(const QString& what)
{
    // The program may end after the browser is gone (the window closed).
    return [browser = QPointer<FileBrowser>(this), what](const QString& program, int status) {
        if (status != 0 && browser)
            browser->messages_.Post(what + QStringLiteral("\r") + program + QStringLiteral(" ended with status ") +
                                        QString::number(status) + QLatin1Char('.'),
                                    kWindowCaption, QMessageBox::Warning);
    };
}

void FileBrowser::Open1Click()
{
    const std::string path = CurrentFileBytes();
    const QString what = QStringLiteral("Cannot open ") + shown_.CurrentFilePath();
    if (!path.empty() && !OpenWithDefault(*desktop_, path, ReportFailure(what)))
        messages_.Post(what, kWindowCaption, QMessageBox::Warning);
}

void FileBrowser::OpenNotepad1Click()
{
    const std::string path = CurrentFileBytes();
    if (path.empty())
        return;
    const QString what = QStringLiteral("Cannot open ") + shown_.CurrentFilePath() + QStringLiteral(" in a text editor");
    if (std::none_of(TextEditors().begin(), TextEditors().end(),
                     [this](const QString& editor) { return desktop_->HasProgram(editor); })) {
        // The desktop's own choice for the file could be this very program.
        QStringList editors;
        for (const QString& editor : TextEditors())
            editors << editor;
        messages_.Post(what + QStringLiteral(":\rnone of ") + editors.join(QStringLiteral(", ")) +
                           QStringLiteral(" is installed."),
                       kWindowCaption, QMessageBox::Warning);
        return;
    }
    if (!OpenWithTextEditor(*desktop_, path, ReportFailure(what)))
        messages_.Post(what, kWindowCaption, QMessageBox::Warning);
}

void FileBrowser::Openfolder1Click()
{
    const std::string folder = FolderTargetPath().folder;
    const QString what = QStringLiteral("Cannot open the folder ") + NameToText(folder);
    if (!folder.empty() && !OpenFolderWindow(*desktop_, folder, ReportFailure(what)))
        messages_.Post(what, kWindowCaption, QMessageBox::Warning);
}

void FileBrowser::Explore1Click()
{
    const FolderTarget target = FolderTargetPath();
    const QString what = QStringLiteral("Cannot open the folder ") + NameToText(target.folder);
    if (!target.folder.empty() && !ExploreFolder(*desktop_, target.folder, target.file, ReportFailure(what)))
        messages_.Post(what, kWindowCaption, QMessageBox::Warning);
}

std::string FileBrowser::CurrentFileBytes() const
{
    return shown_.FilePathBytes();
}

FileBrowser::FolderTarget FileBrowser::FolderTargetPath() const
{
    if (std::string file = CurrentFileBytes(); !file.empty())
        return {FolderOfPath(file), std::move(file)};
    const FolderNode* node = ListTargetFolder(false);
    if (node && node->Record) {
        if (const std::string folder = space_.ParsingName(node->Record->AbsoluteId); !folder.empty())
            return {WithSlash(folder), {}};
    }
    return {ShownFolderPath(), {}};
}

void FileBrowser::CopytoClipboardClick()
{
    QApplication::clipboard()->setText(shown_.CurrentFilePath());
}

std::unique_ptr<QMimeData> FileBrowser::FileDragData() const
{
    const std::string folder = ShownFolderPath();
    if (folder.empty())
        return nullptr;
    const Catalog& entries = list_->Entries();
    const QItemSelectionModel* selection = list_->selectionModel();
    QList<QUrl> urls;
    QStringList paths;
    for (int row = entries.FolderCount(); row < entries.Count(); ++row) {
        const std::string& name = entries.Item(row).entry->Texts.fileName;
        if (!selection->isSelected(list_->Model().index(row)) || name.empty())
            continue;
        urls << QUrl::fromEncoded(FileUrl(folder + name), QUrl::StrictMode);
        paths << NameToText(folder) + NameToText(name);
    }
    if (urls.isEmpty())
        return nullptr;
    auto data = std::make_unique<QMimeData>();
    data->setUrls(urls);
    data->setText(paths.join(QLatin1Char('\n')));
    return data;
}

void FileBrowser::StartFileDrag()
{
    std::unique_ptr<QMimeData> data;
    try {
        data = FileDragData();
    } catch (const std::bad_alloc&) {
        messages_.Post(QStringLiteral("Out of memory"), kWindowCaption, QMessageBox::Critical);
        return;
    }
    if (!data) {
        messages_.Post(QStringLiteral("Something bad happened"), kWindowCaption, QMessageBox::Critical);
        return;
    }
    dragRunner_(data.release(), list_);
}

void FileBrowser::GoToParentFolder()
{
    const FolderNode* node = tree_->Selected();
    if (node && node->parent())
        tree_->SelectNode(AsFolderNode(node->parent()));
}

QString FileBrowser::SelectedDisplayPath() const
{
    const FolderNode* node = tree_->Selected();
    return node ? FolderNavigator::FolderDisplayPath(node) : QString();
}

void FileBrowser::SetCaption(CaptionChoice choice)
{
    options_.caption = choice;
    std::vector<ReadFault> faults;
    list_->ChangeCaptions(choice, ShownFolderPath(), options_.sort, faults);
    messages_.PostListingFaults(faults);
}

void FileBrowser::SetSort(bool on)
{
    options_.sort = on;
    if (!on)
        return;
    ListChangeSuspension suspended(*list_);
    list_->SortCatalog();
}

void FileBrowser::ToggleUpEntry(bool on)
{
    options_.upEntry = on;
    FolderNode* node = tree_->ShownFolderNode();
    if (!node || !node->parent())
        return;
    ListChangeSuspension suspended(*list_);
    if (on) {
        const QByteArray name = node->text(0).toUtf8();
        list_->Model().InsertUpEntry(UpEntryCaption(options_.upEntryStyle, name.toStdString()), node->icon(0));
    } else {
        list_->Model().RemoveUpEntry();
    }
}

void FileBrowser::ChangeUpEntryStyle(const QString& styleText)
{
    options_.upEntryStyle = styleText.toStdString();
    const FolderNode* node = tree_->ShownFolderNode();
    if (node && node->parent())
        list_->Model().SetUpEntryCaption(UpEntryCaption(options_.upEntryStyle, node->text(0).toStdString()));
}

void FileBrowser::ApplyOptions(const BrowserOptions& wanted)
{
    if (wanted.caption != options_.caption)
        SetCaption(wanted.caption);
    if (wanted.sort != options_.sort)
        SetSort(wanted.sort);
    options_.keepCaption = wanted.keepCaption;
    if (wanted.titleBarPath != options_.titleBarPath)
        SetTitleBarPath(wanted.titleBarPath);
    if (wanted.upEntryStyle != options_.upEntryStyle)
        ChangeUpEntryStyle(QString::fromStdString(wanted.upEntryStyle));
    if (wanted.upEntry != options_.upEntry)
        ToggleUpEntry(wanted.upEntry);
    options_.doubleClickAction = wanted.doubleClickAction;
    options_.doubleClick = wanted.doubleClick;
}

void FileBrowser::SetViewKind(FileListViewKind kind)
{
    switch (kind) {
    case FileListViewKind::List: list_->ShowAsList(); break;
    case FileListViewKind::Icons: list_->ShowAsIcons(); break;
    case FileListViewKind::Thumbnails: PrepareThumbnailView(); break;
    case FileListViewKind::Details: list_->ShowAsDetails(); break;
    }
}

void FileBrowser::PrepareThumbnailView()
{
    const FolderNode* node = tree_->ShownFolderNode();
    // The up entry's image is made even while the entry is off, so turning it on needs nothing more.
    const QIcon upIcon = node != nullptr && node->parent() != nullptr ? node->icon(0) : QIcon();
    list_->PrepareThumbnailView(upIcon.isNull() ? nullptr : &upIcon, ShownFolderPath());
}

void FileBrowser::ApplyListOptions(const ListViewOptions& options)
{
    list_->ApplyOptions(options);
    if (options.view != list_->ViewKind())
        SetViewKind(options.view);
}
