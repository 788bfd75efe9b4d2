#include "FileBrowser.h"

#include <QApplication>
#include <QClipboard>

#include "browser/DesktopOpen.h"
#include "photometry/EntryLoader.h"
#include "photometry/Keywords.h"

namespace {

// Freezes a widget's painting for a scope.
class Frozen {
public:
    explicit Frozen(QWidget* widget) : widget_(widget), was_(widget->updatesEnabled())
    {
        widget_->setUpdatesEnabled(false);
    }
    Frozen(const Frozen&) = delete;
    Frozen& operator=(const Frozen&) = delete;
    ~Frozen() { widget_->setUpdatesEnabled(was_); }

private:
    QWidget* widget_;
    bool was_;
};

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

FileBrowser::FileBrowser(BrowserHost& host, ShellNamespace space, QObject* parent)
    : QObject(parent),
      host_(host),
      space_(std::move(space)),
      tree_(new FolderTree(space_)),
      list_(new FileListView),
      messages_(host)
{
    navigator_ = std::make_unique<FolderNavigator>(
        *tree_, [this] { UpdateTreeView(); }, [this] { host_.StoreFavouriteView(); });
    connect(tree_, &FolderTree::FolderChanged, this, &FileBrowser::FolderTreeViewChange);
    connect(tree_, &FolderTree::LeavingFolder, this, [this] { host_.StoreFavouriteView(); });
    connect(tree_, &FolderTree::RefreshReleased, this, &FileBrowser::ButtonRefreshClick);
    connect(list_, &FileListView::ListChanged, this, &FileBrowser::FolderListViewChange);
    connect(list_, &FileListView::RefreshReleased, this, &FileBrowser::ButtonRefreshClick);
    connect(list_, &FileListView::CopyReleased, this, &FileBrowser::CopytoClipboardClick);
    connect(list_, &FileListView::BackspacePressed, this, &FileBrowser::GoToParentFolder);
    connect(list_, &FileListView::EnterPressed, this, &FileBrowser::FolderListViewDblClick);
    connect(list_, &QAbstractItemView::doubleClicked, this, &FileBrowser::FolderListViewDblClick);
}

FileBrowser::~FileBrowser()
{
    // Widgets a window adopted go with the window.
    if (tree_ && !tree_->parent())
        delete tree_;
    if (list_ && !list_->parent())
        delete list_;
}

void FileBrowser::ButtonCreateTreeClick()
{
    tree_->TreeUpdating = true;
    {
        Frozen listFrozen(list_);
        Frozen treeFrozen(tree_);
        struct Finally {
            FolderTree& tree;
            ~Finally()
            {
                tree.TreeUpdating = false;
                tree.SetExpanded(tree.Root(), true);
            }
        } finally{*tree_};
        UpdateTreeView();
    }
}

void FileBrowser::UpdateTreeView()
{
    list_->ClearCatalog();
    currentFilePath_.clear();
    tree_->Rebuild();
    tree_->TreeUpdating = false;
}

void FileBrowser::FolderTreeViewChange(FolderNode* node)
{
    if (!node || node == tree_->ShownFolderNode || !tree_->SelectionTracking)
        return;
    if (tree_->PathNavigating) {
        // The walk only needs the node's children; the folder opens when it ends.
        tree_->FolderTreeViewExpand(node);
        return;
    }
    {
        Frozen treeFrozen(tree_);
        host_.FolderChanging();
        currentFilePath_.clear();
        host_.SetInfoText(QString());
        tree_->FolderTreeViewExpand(node);
        tree_->ShownFolderNode = node;
        host_.SetAddEnabled(node->Record && space_.ParsePath(space_.ParsingName(node->Record->AbsoluteId)));
        list_->ListChangeHold = true;
        if (!options_.keepCaption && options_.captionIndex != CaptionFileName) {
            options_.captionIndex = CaptionFileName;
            host_.CaptionChoiceReset();
        }
        {
            Frozen listFrozen(list_);
            struct ReleaseHold {
                FileListView& list;
                ~ReleaseHold() { list.ListChangeHold = false; }
            } release{*list_};
            list_->ForgetChangedIcon();
            OpenFolder(node);
        }
    }
    if (list_->Model().rowCount() > 0)
        list_->FocusRow(0);
}

void FileBrowser::OpenFolder(FolderNode* node)
{
    if (!node)
        return;
    std::vector<ReadFault> faults;
    {
        list_->ListChangeHold = true;
        Frozen frozen(list_);
        ListChangeSuspension suspended(*list_);
        struct ReleaseHold {
            FileListView& list;
            ~ReleaseHold() { list.ListChangeHold = false; }
        } release{*list_};

        list_->ClearCatalog();
        if (options_.upEntry && node->parent()) {
            const QByteArray name = node->text(0).toUtf8();
            list_->InsertUpEntry(UpEntryCaption(options_.upEntryStyle, name.toStdString()), node->icon(0));
        }
        for (int i = 0; i < node->childCount(); ++i) {
            if (const FolderNode* child = AsFolderNode(node->child(i)); child && child->Record)
                list_->AddFolderEntry(child->text(0), child->icon(0));
        }
        if (!tree_->TreeUpdating && node->Record) {
            const std::string folder = space_.ParsingName(node->Record->AbsoluteId);
            if (!folder.empty() && space_.BindsAsFolder(node->Record->AbsoluteId))
                list_->ListFolder(WithSlash(folder), options_.captionIndex, options_.sort, faults);
        }
        host_.ListFilled();
        // Fitted for every caption, so keyword captions are not cut short either.
        list_->FitCaptionColumn(false);
    }
    list_->viewport()->update();
    if (list_->ViewKind() == FileListViewKind::Thumbnails)
        PrepareThumbnailView();
    messages_.PostListingFaults(faults);
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
    const FolderNode* node = tree_->ShownFolderNode;
    if (!node || !node->Record)
        return {};
    return WithSlash(space_.ParsingName(node->Record->AbsoluteId));
}

void FileBrowser::FolderListViewChange(const QModelIndex& entry)
{
    const QModelIndex focused = list_->currentIndex();
    const int n = list_->FolderCount();
    if (focused.isValid() && list_->ListChangeHold && focused.row() >= n)
        list_->ListChangeHold = false;
    host_.SetAddEnabled(ListTargetFolder(false) != nullptr);
    if (entry == list_->ShownItem || !entry.isValid() || list_->ListChangeHold || entry != focused)
        return;
    list_->ShownItem = entry;
    if (entry.row() >= n) {
        TiesData& data = *list_->Model().catalog().Item(entry.row()).entry;
        if (!data.Loaded) {
            const LoadResult result = LoadEntry(data, ShownFolderPath());
            if (result.kind == LoadResult::Kind::Failed)
                messages_.Post(NameToText(data.Texts[1]) + QStringLiteral(": ") + NameToText(result.error),
                               kWindowCaption, QMessageBox::Critical);
            else if (result.HasHeaderFault())
                messages_.Post(NameToText(result.headerFault), QStringLiteral("Error!"), QMessageBox::Critical);
            if (data.Changed)
                emit list_->Model().dataChanged(entry, entry, {Qt::DecorationRole});
        }
    }
    ShowEntry(entry);
    host_.UpdateRenderIfAutomatic();
    if (focused.row() < n)
        list_->ListChangeHold = true;
    const QString fileName = FileNamePart(currentFilePath_);
    host_.SetDiagramCrosshair(!fileName.isEmpty());
    host_.SetApplicationTitle(fileName.isEmpty() ? kAppTitle : fileName);
    ShowPathInTitle();
}

void FileBrowser::ShowEntry(const QModelIndex& entry)
{
    if (!entry.isValid())
        return;
    if (entry.row() < list_->FolderCount()) {
        host_.ShowNoFile();
        host_.SetInfoText(QString());
        currentFilePath_.clear();
        return;
    }
    const TiesData& data = *list_->Entries().Item(entry.row()).entry;
    host_.ShowFileRecord(data.Ies);
    currentFilePath_ = NameToText(ShownFolderPath()) + NameToText(data.Texts.size() > 1 ? data.Texts[1] : std::string());
    ShowFileInLabel(data);
}

void FileBrowser::ShowFileInLabel(const TiesData& entry)
{
    QString keywords = NameToText(KeywordText(entry.Texts, KeywordForm::Labels));
    keywords.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    host_.SetInfoText(QStringLiteral("Filename: ") + FileNamePart(currentFilePath_) + QLatin1Char('\n') + keywords);
}

void FileBrowser::ShowPathInTitle()
{
    const FolderNode* node = tree_->ShownFolderNode;
    if (!options_.titleBarPath || !node || !node->Record)
        return;
    const std::string parsing = space_.ParsingName(node->Record->AbsoluteId);
    QString folder = parsing.empty() ? node->Record->DisplayName : NameToText(parsing);
    // The file-system root keeps its separator, as a drive root would.
    if (folder.size() > 1 && folder.endsWith(QLatin1Char('/')))
        folder.chop(1);
    const QString fileName = FileNamePart(currentFilePath_);
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
        currentFilePath_.clear();
        return;
    }
    if (row < list_->FolderCount())
        OpenFolderEntry();
    else if (options_.doubleClick)
        DoubleClickAction();
}

void FileBrowser::OpenFolderEntry()
{
    currentFilePath_.clear();
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
    bool opened = true;
    if (options_.doubleClickAction == 0)
        opened = OpenWithDefault(currentFilePath_);
    else if (options_.doubleClickAction == 1)
        opened = OpenWithTextEditor(currentFilePath_);
    if (!opened)
        messages_.Post(QStringLiteral("Cannot open ") + currentFilePath_, kWindowCaption, QMessageBox::Warning);
}

void FileBrowser::CopytoClipboardClick()
{
    if (!currentFilePath_.isEmpty())
        QApplication::clipboard()->setText(currentFilePath_);
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

void FileBrowser::SetCaptionIndex(int choice)
{
    if (choice < 0 || choice >= CaptionChoiceCount)
        return;
    options_.captionIndex = choice;
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
    FolderNode* node = tree_->ShownFolderNode;
    if (!node || !node->parent())
        return;
    ListChangeSuspension suspended(*list_);
    if (on) {
        const QByteArray name = node->text(0).toUtf8();
        list_->InsertUpEntry(UpEntryCaption(options_.upEntryStyle, name.toStdString()), node->icon(0));
    } else {
        list_->RemoveUpEntry();
    }
}

void FileBrowser::ChangeUpEntryStyle(const QString& styleText)
{
    options_.upEntryStyle = styleText.toStdString();
    const FolderNode* node = tree_->ShownFolderNode;
    if (node && node->parent())
        list_->SetUpEntryCaption(UpEntryCaption(options_.upEntryStyle, node->text(0).toStdString()));
}

void FileBrowser::SetViewKind(FileListViewKind kind)
{
    switch (kind) {
    case FileListViewKind::List: list_->ShowAsList(); break;
    case FileListViewKind::Icons: list_->ShowAsIcons(); break;
    case FileListViewKind::Thumbnails: PrepareThumbnailView(); break;
    }
}

void FileBrowser::PrepareThumbnailView()
{
    const FolderNode* node = tree_->ShownFolderNode;
    // The up entry's image is made even while the entry is off, so turning it on needs nothing more.
    const QIcon upIcon = node != nullptr && node->parent() != nullptr ? node->icon(0) : QIcon();
    list_->PrepareThumbnailView(upIcon.isNull() ? nullptr : &upIcon, ShownFolderPath());
}
