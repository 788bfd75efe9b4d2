#pragma once

#include <memory>
#include <string>

#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>

#include "browser/BrowserHost.h"
#include "browser/FileListView.h"
#include "browser/FolderNavigator.h"
#include "browser/FolderTree.h"
#include "browser/MessageQueue.h"
#include "diagram/ShownFile.h"

// The folder tree and the file list working together: a folder selected in
// the tree fills the list, a file focused in the list goes into the shown
// file. The tree and the list are created as children of `widgetOwner`,
// which owns them; the window places Tree() and List() where it wants them
// and destroys the browser before them.
class FileBrowser : public QObject {
    Q_OBJECT
public:
    FileBrowser(BrowserHost& host, ShownFile& shown, ShellNamespace space, QWidget& widgetOwner);
    ~FileBrowser() override;

    [[nodiscard]] FolderTree* Tree() const { return tree_; }
    [[nodiscard]] FileListView* List() const { return list_; }
    [[nodiscard]] FolderNavigator& Navigator() { return *navigator_; }
    [[nodiscard]] MessageQueue& Messages() { return messages_; }
    [[nodiscard]] const BrowserOptions& Options() const { return options_; }
    [[nodiscard]] const ShellNamespace& Space() const { return space_; }

    // The tree.
    void ButtonCreateTreeClick();
    void UpdateTreeView();
    void FolderTreeViewChange(FolderNode* node);
    void OpenFolder(FolderNode* node);
    [[nodiscard]] FolderNode* ListTargetFolder(bool navigation) const;

    // The list.
    void FolderListViewChange(const QModelIndex& entry);
    void ShowEntry(const QModelIndex& entry);
    void ShowPathInTitle();
    void FolderListViewDblClick();
    void OpenFolderEntry();
    void DoubleClickAction();
    void CopytoClipboardClick();
    void GoToParentFolder();
    [[nodiscard]] const QString& CurrentFilePath() const { return shown_.CurrentFilePath(); }
    // The caption of the list's focused item; empty when none has the focus.
    [[nodiscard]] QString FocusedCaption() const;
    // The keyword texts (TiesData::Texts) of the focused file entry as the
    // list shows them; empty when the focus is on no file entry.
    [[nodiscard]] QStringList FocusedTexts() const;
    // The folder the list shows, with a trailing "/"; empty for none.
    [[nodiscard]] std::string ShownFolderPath() const;

    // The list's views: the radio buttons "List", "Icons" and "Thumbnails".
    void SetViewKind(FileListViewKind kind);
    // The list's own options, and its view when that changed.
    void ApplyListOptions(const ListViewOptions& options);
    // Builds the thumbnail view for the shown folder; also run by each folder
    // opening while the thumbnails are chosen.
    void PrepareThumbnailView();

    // Navigation by display path and the refresh.
    [[nodiscard]] QString SelectedDisplayPath() const;
    void NavigateToPath(const QString& path) { navigator_->NavigateToPath(path); }
    // Re-lists the tree and the folder; the file shown before is shown again
    // and kept in view when it is still there.
    void ButtonRefreshClick();
    // Opens the folder at the absolute path `path`, or the folder holding the
    // file at `path` and shows that file. False when the path names nothing
    // the tree can reach.
    bool OpenPath(const std::string& path);

    // Settings: each applies itself as a click on its control would.
    void SetCaptionIndex(int choice);
    void SetSort(bool on);
    void ToggleUpEntry(bool on);
    void ChangeUpEntryStyle(const QString& styleText);
    void SetKeepCaption(bool on) { options_.keepCaption = on; }
    void SetTitleBarPath(bool on);
    void SetDoubleClick(bool on) { options_.doubleClick = on; }
    void SetDoubleClickAction(DoubleClickChoice action) { options_.doubleClickAction = action; }
    // Applies what differs from the present settings, each as its setter would.
    void ApplyOptions(const BrowserOptions& options);

    static inline const QString kWindowCaption = QStringLiteral("Kandora v2.9    ");
    static inline const QString kAppTitle = QStringLiteral("Kandora");

private:
    void ShowFileInLabel(const TiesData& entry);
    // Focuses (and so shows) the file entry whose name reads as `name`; false when there is none.
    bool FocusFileNamed(const QString& name);

    BrowserHost& host_;
    ShellNamespace space_;
    ShownFile& shown_;
    QPointer<FolderTree> tree_;
    QPointer<FileListView> list_;
    std::unique_ptr<FolderNavigator> navigator_;
    MessageQueue messages_;
    BrowserOptions options_;
};
