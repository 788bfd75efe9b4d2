#pragma once

#include <memory>
#include <string>

#include <QObject>
#include <QPointer>
#include <QString>

#include "browser/BrowserHost.h"
#include "browser/FileListView.h"
#include "browser/FolderNavigator.h"
#include "browser/FolderTree.h"
#include "browser/MessageQueue.h"

// The settings the browser works with; the options panel sets them
// through the browser's setters, which apply them at once.
struct BrowserOptions {
    int captionIndex = CaptionFileName;
    bool sort = true;
    bool upEntry = false;
    std::string upEntryStyle = ".. only";
    bool keepCaption = false;
    bool titleBarPath = true;
    bool doubleClick = false;
    int doubleClickAction = 0;  // 0 open default, 1 text editor, -1 none
};

// The folder tree and the file list working together: a folder selected in
// the tree fills the list, a file focused in the list is shown through the
// host. The window places Tree() and List() where it wants them.
class FileBrowser : public QObject {
    Q_OBJECT
public:
    FileBrowser(BrowserHost& host, ShellNamespace space, QObject* parent = nullptr);
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
    [[nodiscard]] const QString& CurrentFilePath() const { return currentFilePath_; }
    // The folder the list shows, with a trailing "/"; empty for none.
    [[nodiscard]] std::string ShownFolderPath() const;

    // The list's views: the radio buttons "List", "Icons" and "Thumbnails".
    void SetViewKind(FileListViewKind kind);
    // Builds the thumbnail view for the shown folder; also run by each folder
    // opening while the thumbnails are chosen.
    void PrepareThumbnailView();

    // Navigation by display path and the refresh.
    [[nodiscard]] QString SelectedDisplayPath() const;
    void NavigateToPath(const QString& path) { navigator_->NavigateToPath(path); }
    void ButtonRefreshClick() { navigator_->ButtonRefreshClick(); }

    // Settings: each applies itself as a click on its control would.
    void SetCaptionIndex(int choice);
    void SetSort(bool on);
    void ToggleUpEntry(bool on);
    void ChangeUpEntryStyle(const QString& styleText);
    void SetKeepCaption(bool on) { options_.keepCaption = on; }
    void SetTitleBarPath(bool on);
    void SetDoubleClick(bool on) { options_.doubleClick = on; }
    void SetDoubleClickAction(int action) { options_.doubleClickAction = action; }

    static inline const QString kWindowCaption = QStringLiteral("Kandora v2.9    ");
    static inline const QString kAppTitle = QStringLiteral("Kandora");

private:
    void ShowFileInLabel(const TiesData& entry);

    BrowserHost& host_;
    ShellNamespace space_;
    QPointer<FolderTree> tree_;      // owned here until a window adopts it
    QPointer<FileListView> list_;
    std::unique_ptr<FolderNavigator> navigator_;
    MessageQueue messages_;
    BrowserOptions options_;
    QString currentFilePath_;
};
