#pragma once

#include <functional>
#include <memory>
#include <string>

#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>

#include "KandoraVersion.h"
#include "browser/BrowserHost.h"
#include "browser/Favorites.h"
#include "browser/FileListMenu.h"
#include "browser/DesktopOpen.h"
#include "browser/SystemDesktop.h"
#include "browser/FileListView.h"
#include "browser/ListFilterBar.h"
#include "browser/FolderNavigator.h"
#include "browser/FolderTree.h"
#include "browser/MessageQueue.h"
#include "browser/ShownFile.h"
#include "photometry/Conversion.h"

// The folder tree and the file list working together: a folder selected in
// the tree fills the list, a file focused in the list goes into the shown
// file. The tree and the list are created as children of `widgetOwner`,
// which owns them; the window places Tree() and List() where it wants them
// and destroys the browser before them.
class QMimeData;

class FileBrowser : public QObject {
    Q_OBJECT
public:
    FileBrowser(BrowserHost& host, ShownFile& shown, ShellNamespace space, QWidget& widgetOwner);
    ~FileBrowser() override;

    [[nodiscard]] FolderTree* Tree() const { return tree_; }
    [[nodiscard]] FileListView* List() const { return list_; }
    // The filter box and its count, to be placed above List().
    [[nodiscard]] ListFilterBar* FilterBar() const { return filterBar_; }
    [[nodiscard]] FolderNavigator& Navigator() { return *navigator_; }
    [[nodiscard]] MessageQueue& Messages() { return messages_; }
    [[nodiscard]] const BrowserOptions& Options() const { return options_; }
    [[nodiscard]] const ShellNamespace& Space() const { return space_; }
    [[nodiscard]] const ShownFile& Shown() const { return shown_; }

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

    // Handing files and folders to other programs.
    void Open1Click();
    void OpenNotepad1Click();
    void Openfolder1Click();
    void Explore1Click();
    // The shown file's path as text on the clipboard; an empty text when none is shown.
    void CopytoClipboardClick();
    // Where "Open folder" and "Explore" go: the shown file's folder (and the
    // file, to select it), else the focused folder entry's folder, the up
    // entry and no entry meaning the shown folder. Paths in the file system's bytes.
    struct FolderTarget {
        std::string folder;  // ends in "/"
        std::string file;    // the shown file, or empty
    };
    [[nodiscard]] FolderTarget FolderTargetPath() const;
    // The shown file's path in the file system's bytes; empty when none.
    [[nodiscard]] std::string CurrentFileBytes() const;
    // The calls to the desktop go through this; tests record them.
    void SetDesktop(DesktopPort& desktop) { desktop_ = &desktop; }

    // The drag of the selected file entries: their URLs in list order and
    // their paths as text, offered for copying. None when no file entry is selected.
    [[nodiscard]] std::unique_ptr<QMimeData> FileDragData() const;
    void StartFileDrag();
    // Runs the drag loop over the data (which it takes); tests replace it.
    using DragRunner = std::function<void(QMimeData* data, QWidget* source)>;
    void SetDragRunner(DragRunner runner) { dragRunner_ = std::move(runner); }
    void GoToParentFolder();
    [[nodiscard]] const QString& CurrentFilePath() const { return shown_.CurrentFilePath(); }
    // The folder the list shows, with a trailing "/"; empty for none.
    [[nodiscard]] std::string ShownFolderPath() const;

    // The selected file written again beside itself: a type B file as type
    // C, a file whose planes start at 90 rotated to start at 0.
    void SaveAsTypeC();
    // Writes the shown record as `kind` for the selected entry, lists the new
    // file (replacing an entry of its name), tells the user and sorts the
    // list. `format` holds two "%s": the old and the new file name.
    void WriteConverted(ConversionKind kind, const QString& caption, const QString& format);
    static inline const QString kConvertCaption = QStringLiteral("Save type B as C");
    static inline const QString kRotateCaption = QStringLiteral("Rotate from 90 to 0");
    static inline const QString kConvertFormat =
        QStringLiteral("Some data can be lost.\rFile %s (type B) successfully converted to %s (type C)");
    static inline const QString kRotateFormat = QStringLiteral("File %s successfully rotated and saved to %s");

    // The selected file written beside itself in `target`'s format (an IES
    // file as EULUMDAT, a EULUMDAT file as IES; SaveInFormat in photometry/),
    // listed, told and sorted in as a conversion is. A refusal or failed
    // write shows its text and leaves the list alone.
    void SaveInFormat(PhotometricFormat target);
    static inline const QString kSaveEulumdatCaption = QStringLiteral("Save as EULUMDAT");
    static inline const QString kSaveIesCaption = QStringLiteral("Save as IES");
    static inline const QString kSaveEulumdatFormat = QStringLiteral("File %s successfully saved as EULUMDAT to %s");
    static inline const QString kSaveIesFormat = QStringLiteral("File %s successfully saved as IES to %s");

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
    void SetCaption(CaptionChoice choice);
    void SetSort(bool on);
    void ToggleUpEntry(bool on);
    void ChangeUpEntryStyle(const QString& styleText);
    void SetKeepCaption(bool on) { options_.keepCaption = on; }
    void SetTitleBarPath(bool on);
    void SetDoubleClick(bool on) { options_.doubleClick = on; }
    void SetDoubleClickAction(DoubleClickChoice action) { options_.doubleClickAction = action; }
    // Applies what differs from the present settings, each as its setter would.
    void ApplyOptions(const BrowserOptions& options);

    // Favourite folders, in the order they are shown.
    [[nodiscard]] const Favorites& FavoriteList() const { return favorites_; }
    // The folder's path as text (its display name when it has none).
    [[nodiscard]] QString FavoritePath(int index) const;
    // Paths here are texts as FavoritePath gives them (NameToText of the bytes).
    // Adds the folder at the absolute path `path` under its display name;
    // -1 when it is no folder, does not parse or is a favourite already.
    int AddFavorite(const QString& path);
    // Adds `id` under `name` with the view and caption kind shown now.
    int AddFavorite(const QString& name, const IdList& id);
    [[nodiscard]] int FindFavorite(const IdList& id) const;
    [[nodiscard]] bool IsFavorite(const FolderNode* node) const;
    [[nodiscard]] bool IsFavorite(const QString& path) const;
    // Whether "Add" may add `node`: a folder with a path that is no favourite yet.
    [[nodiscard]] bool CanAddFavorite(const FolderNode* node) const;
    void RemoveFavorite(int index);
    // "Add" and the context menu's "Add to favorites": the list's target folder.
    void AddToFavorites1Click();
    // Walks the tree to the favourite's folder, or as deep as it still exists.
    void OpenFavorite(int index);
    // Keep and give back the view and caption kind of a favourite folder,
    // as far as the favourite options say.
    void StoreViewSettings(int index);
    void ApplyViewSettings(int index);
    void SetFavouriteOptions(const FavouriteOptions& options) { favouriteOptions_ = options; }
    // A stored favourite taken back at start; -1 (dropped) when its folder has gone.
    int RestoreFavorite(const QString& storedPath, int settings);
    // At close: the shown folder's view is kept, then every favourite is
    // handed out in order as (settings, path) and the list is emptied.
    [[nodiscard]] std::vector<std::pair<int, QString>> CollectFavorites();

    static inline const QString kWindowCaption = QString::fromLatin1(kKandoraNameVersion) + QStringLiteral("    ");
    static inline const QString kAppTitle = QStringLiteral("Kandora");

signals:
    void FavoriteAdded(int index);
    void FavoriteRemoved(int index);
    void FavoritesCleared();

private:
    // Tells the user, when a program handed a file or folder ends with a
    // status other than 0, that `what` failed and how.
    [[nodiscard]] DesktopPort::Ended ReportFailure(const QString& what);
    void StoreFolderView(const FolderNode* node);
    [[nodiscard]] std::optional<IdList> ParseTextPath(const QString& path) const;
    // Lists the file a conversion wrote into the shown folder, replacing an entry of its name.
    void ListNewFile(const std::string& newName, const std::string& newPath, const std::string& folder);
    // Focuses (and so shows) the file entry whose name reads as `name`; false when there is none.
    bool FocusFileNamed(const QString& name);

    BrowserHost& host_;
    ShellNamespace space_;
    ShownFile& shown_;
    QPointer<FolderTree> tree_;
    QPointer<FileListView> list_;
    QPointer<ListFilterBar> filterBar_;
    std::unique_ptr<FolderNavigator> navigator_;
    MessageQueue messages_;
    BrowserOptions options_;
    Favorites favorites_;
    FavouriteOptions favouriteOptions_;
    DesktopPort* desktop_ = &TheSystemDesktop();
    DragRunner dragRunner_;
};
