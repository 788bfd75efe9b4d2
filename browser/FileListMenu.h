#pragma once

#include <array>
#include <string>
#include <vector>

#include <QMenu>
#include <QObject>
#include <QPointer>
#include <QString>

#include "browser/ListOptions.h"
#include "photometry/EntryTexts.h"

class FileBrowser;

// What the file list's menu needs from the window around the browser.
class ListMenuHost {
public:
    virtual ~ListMenuHost() = default;
    [[nodiscard]] virtual bool OptionsPanelVisible() const = 0;
    virtual void ShowOptionsPanelClick() = 0;
    // Shows the compare window, or refreshes it when it is visible.
    virtual void ShowCompareWindow() = 0;
    // The caption chooser takes `choice`, and the caption change runs.
    virtual void ChooseCaption(CaptionChoice choice) = 0;
    // The "Sort" check box takes `on`, and its handler runs.
    virtual void SetSortChecked(bool on) = 0;
    // The "View IES" radio button of `kind` is checked, and its handler runs.
    virtual void ChooseView(FileListViewKind kind) = 0;
    // Writes datasheets of `paths` (file system bytes, in the list's order)
    // into a PDF the user chooses.
    virtual void ExportDatasheets(const std::vector<std::string>& paths) = 0;
};

// The favourite folders as the menu shows and uses them, in their order.
class FavoritesSource {
public:
    virtual ~FavoritesSource() = default;
    [[nodiscard]] virtual int FavoriteCount() const = 0;
    [[nodiscard]] virtual QString FavoriteName(int index) const = 0;
    // The folder's path, shown in the title bar while its item is highlighted.
    [[nodiscard]] virtual QString FavoritePath(int index) const = 0;
    [[nodiscard]] virtual bool IsFavorite(const QString& path) const = 0;
    virtual void AddFavorite(const QString& path) = 0;
    virtual void OpenFavorite(int index) = 0;
};

// The items of the file list's menu, each named as its objectName.
struct ListMenuItems {
    QAction* Open1 = nullptr;
    QAction* OpenNotepad1 = nullptr;
    QAction* Openfolder1 = nullptr;
    QAction* Explore1 = nullptr;
    QAction* AddToFavorites1 = nullptr;
    QAction* Favorites1 = nullptr;  // the favourites submenu
    QAction* View1 = nullptr;       // the "View" submenu
    QAction* Thumbnails1 = nullptr;
    QAction* Icons1 = nullptr;
    QAction* List1 = nullptr;
    QAction* Details1 = nullptr;
    QAction* Arrangeby1 = nullptr;  // the "Arrange by" submenu
    // "Arrange by"'s items (Filename1, Test1, ...), by caption choice.
    std::array<QAction*, kCaptionChoiceCount> arrange{};
    QAction* Sort1 = nullptr;
    QAction* Refresh = nullptr;
    QAction* SaveAsTypeC = nullptr;
    QAction* SaveAsEulumdat = nullptr;  // on an IES file
    QAction* SaveAsIes = nullptr;       // on a EULUMDAT file
    QAction* ExportDatasheet = nullptr;
    QAction* CopytoClipboard = nullptr;
    QAction* ShowOptionsPanel = nullptr;
    QAction* ShowCompareWindow1 = nullptr;
};

// The file list's context menu (`PopupMenu`). It opens on the right button
// and the menu key over the list, prepares itself for the selection as it
// opens (PopupMenuPopup) and calls the browser and the host. The menu widget
// belongs to the list it pops up over.
class FileListMenu : public QObject {
    Q_OBJECT
public:
    FileListMenu(FileBrowser& browser, ListMenuHost& host, QObject* parent = nullptr);

    // Without a source the favourites submenu holds "None" and nothing can be added.
    void SetFavorites(FavoritesSource* favorites) { favorites_ = favorites; }

    [[nodiscard]] QMenu* Menu() const { return menu_; }
    [[nodiscard]] const ListMenuItems& Items() const { return items_; }

    // The preparation run as the menu opens.
    void PopupMenuPopup();
    void Popup(const QPoint& globalPos);

    void ArrangeAllClick(CaptionChoice choice);
    void Sort1Click();
    void RefreshClick();
    // The selected files' paths in the list's order (folder entries left out).
    [[nodiscard]] std::vector<std::string> SelectedFilePaths() const;

signals:
    // A highlighted item's hint ("?" and a favourite's path), empty when none.
    void HintChanged(const QString& hint);

private:
    QAction* AddItem(QMenu* menu, const char* name, const QString& caption);
    void RebuildFavorites();
    void SetIcons(bool targetFolderShown);

    FileBrowser& browser_;
    ListMenuHost& host_;
    FavoritesSource* favorites_ = nullptr;
    QPointer<QMenu> menu_;
    QMenu* favoritesMenu_ = nullptr;
    ListMenuItems items_;
};
