#include "FileListMenu.h"

#include <algorithm>
#include <initializer_list>

#include <QActionGroup>
#include <QApplication>
#include <QMenu>
#include <QStyle>

#include "browser/FileBrowser.h"
#include "browser/FileIcons.h"
#include "browser/ShellNamespace.h"
#include "browser/UpdatesFrozen.h"

namespace {

// The "Arrange by" items' names, in the order of the caption choices.
const char* const kArrangeNames[kCaptionChoiceCount] = {"Filename1", "Test1", "Manufacturer1", "Luminaire1",
                                                        "Luminairecatalog1", "Lamp1", "Lampcatalog1"};

QString LabelOf(const CaptionKind& kind)
{
    return QString::fromLatin1(kind.label.data(), static_cast<qsizetype>(kind.label.size()));
}

// The first of `names` the icon theme has, else the style's own picture, so
// the menu looks complete on a machine without a desktop session too.
QIcon ThemeIcon(std::initializer_list<const char*> names, QStyle::StandardPixmap fallback)
{
    for (const char* name : names) {
        const QString themed = QString::fromLatin1(name);
        if (QIcon::hasThemeIcon(themed))
            return QIcon::fromTheme(themed);
    }
    return QApplication::style()->standardIcon(fallback);
}

// A file's own text as an item's caption: "&" would be taken for a mnemonic.
QString MenuText(const std::string& bytes)
{
    QString text = NameToShownText(bytes);
    text.replace(QLatin1Char('&'), QStringLiteral("&&"));
    return text;
}

}  // namespace

FileListMenu::FileListMenu(FileBrowser& browser, ListMenuHost& host, QObject* parent)
    : QObject(parent), browser_(browser), host_(host), menu_(new QMenu(browser.List()))
{
    menu_->setObjectName(QStringLiteral("PopupMenu"));
    QMenu* menu = menu_;
    ListMenuItems& i = items_;
    i.Open1 = AddItem(menu, "Open1", QStringLiteral("Open"));
    connect(i.Open1, &QAction::triggered, this, [this] { browser_.Open1Click(); });
    i.OpenNotepad1 = AddItem(menu, "OpenNotepad1", QStringLiteral("Open with Notepad"));
    connect(i.OpenNotepad1, &QAction::triggered, this, [this] { browser_.OpenNotepad1Click(); });
    i.Openfolder1 = AddItem(menu, "Openfolder1", QStringLiteral("Open folder"));
    connect(i.Openfolder1, &QAction::triggered, this, [this] { browser_.Openfolder1Click(); });
    i.Explore1 = AddItem(menu, "Explore1", QStringLiteral("Explore"));
    connect(i.Explore1, &QAction::triggered, this, [this] { browser_.Explore1Click(); });
    i.AddToFavorites1 = AddItem(menu, "AddToFavorites1", QStringLiteral("Add to favorites"));
    connect(i.AddToFavorites1, &QAction::triggered, this, [this] {
        const FolderNode* node = browser_.ListTargetFolder(false);
        if (favorites_ && node && node->Record)
            favorites_->AddFavorite(NameToText(browser_.Space().ParsingName(node->Record->AbsoluteId)));
    });
    menu->addSeparator();
    favoritesMenu_ = menu->addMenu(QStringLiteral("Favorites"));
    i.Favorites1 = favoritesMenu_->menuAction();
    i.Favorites1->setObjectName(QStringLiteral("Favorites1"));
    menu->addSeparator();

    QMenu* viewMenu = menu->addMenu(QStringLiteral("View"));
    i.View1 = viewMenu->menuAction();
    i.View1->setObjectName(QStringLiteral("View1"));
    auto* views = new QActionGroup(viewMenu);
    i.Thumbnails1 = AddItem(viewMenu, "Thumbnails1", QStringLiteral("Thumbnails"));
    i.Icons1 = AddItem(viewMenu, "Icons1", QStringLiteral("Icons"));
    i.List1 = AddItem(viewMenu, "List1", QStringLiteral("List"));
    i.Details1 = AddItem(viewMenu, "Details1", QStringLiteral("Details"));
    const std::pair<QAction*, FileListViewKind> viewItems[] = {{i.Thumbnails1, FileListViewKind::Thumbnails},
                                                               {i.Icons1, FileListViewKind::Icons},
                                                               {i.List1, FileListViewKind::List},
                                                               {i.Details1, FileListViewKind::Details}};
    for (const auto& [item, kind] : viewItems) {
        item->setCheckable(true);
        views->addAction(item);
        connect(item, &QAction::triggered, this, [this, kind = kind] { host_.ChooseView(kind); });
    }
    menu->addSeparator();

    QMenu* arrangeMenu = menu->addMenu(QStringLiteral("Arrange by"));
    i.Arrangeby1 = arrangeMenu->menuAction();
    i.Arrangeby1->setObjectName(QStringLiteral("Arrangeby1"));
    auto* kinds = new QActionGroup(arrangeMenu);
    for (const CaptionKind& kind : CaptionKinds()) {
        QAction* item = AddItem(arrangeMenu, kArrangeNames[CaptionNumber(kind.choice)], LabelOf(kind));
        item->setCheckable(true);
        kinds->addAction(item);
        i.arrange[static_cast<std::size_t>(CaptionNumber(kind.choice))] = item;
        connect(item, &QAction::triggered, this, [this, choice = kind.choice] { ArrangeAllClick(choice); });
    }
    arrangeMenu->addSeparator();
    i.Sort1 = AddItem(arrangeMenu, "Sort1", QStringLiteral("Sort"));
    i.Sort1->setCheckable(true);
    connect(i.Sort1, &QAction::triggered, this, &FileListMenu::Sort1Click);
    i.Refresh = AddItem(menu, "Refresh", QStringLiteral("Refresh             F5"));
    connect(i.Refresh, &QAction::triggered, this, &FileListMenu::RefreshClick);
    menu->addSeparator();
    i.SaveAsTypeC = AddItem(menu, "SaveAsTypeC", QStringLiteral("Save as type C"));
    connect(i.SaveAsTypeC, &QAction::triggered, this, [this] { browser_.SaveAsTypeC(); });
    i.SaveAsEulumdat = AddItem(menu, "SaveAsEulumdat", FileBrowser::kSaveEulumdatCaption);
    connect(i.SaveAsEulumdat, &QAction::triggered, this, [this] { browser_.SaveInFormat(PhotometricFormat::Eulumdat); });
    i.SaveAsIes = AddItem(menu, "SaveAsIes", FileBrowser::kSaveIesCaption);
    connect(i.SaveAsIes, &QAction::triggered, this, [this] { browser_.SaveInFormat(PhotometricFormat::Ies); });
    i.ExportDatasheet = AddItem(menu, "ExportDatasheet", QStringLiteral("Export datasheet…"));
    connect(i.ExportDatasheet, &QAction::triggered, this, [this] {
        const std::vector<std::string> paths = SelectedFilePaths();
        if (!paths.empty())
            host_.ExportDatasheets(paths);
    });
    i.CopytoClipboard = AddItem(menu, "CopytoClipboard", QStringLiteral("Copy Filename  Ctrl-C"));
    connect(i.CopytoClipboard, &QAction::triggered, this, [this] { browser_.CopytoClipboardClick(); });
    menu->addSeparator();
    i.ShowOptionsPanel = AddItem(menu, "ShowOptionsPanel", QStringLiteral("Show Options Panel"));
    connect(i.ShowOptionsPanel, &QAction::triggered, this, [this] { host_.ShowOptionsPanelClick(); });
    i.ShowCompareWindow1 = AddItem(menu, "ShowCompareWindow1", QStringLiteral("Show Compare Window"));
    connect(i.ShowCompareWindow1, &QAction::triggered, this, [this] { host_.ShowCompareWindow(); });

    connect(menu_, &QMenu::aboutToShow, this, &FileListMenu::PopupMenuPopup);
    // A favourite's path shows in the title bar while it is highlighted.
    for (QMenu* shown : {menu, favoritesMenu_, viewMenu, arrangeMenu})
        connect(shown, &QMenu::hovered, this, [this](QAction* item) { emit HintChanged(item->data().toString()); });
    connect(menu_, &QMenu::aboutToHide, this, [this] { emit HintChanged(QString()); });

    FileListView* list = browser_.List();
    connect(list, &FileListView::ContextMenuAt, this, &FileListMenu::Popup);
    connect(list, &FileListView::MenuKeyReleased, this, &FileListMenu::Popup);
}

QAction* FileListMenu::AddItem(QMenu* menu, const char* name, const QString& caption)
{
    QAction* item = menu->addAction(caption);
    item->setObjectName(QString::fromLatin1(name));
    return item;
}

void FileListMenu::Popup(const QPoint& globalPos)
{
    if (menu_)
        menu_->popup(globalPos);
}

void FileListMenu::PopupMenuPopup()
{
    FileListView* list = browser_.List();
    const int selectedCount = static_cast<int>(list->selectionModel()->selectedIndexes().size());
    const bool several = selectedCount > 1;
    const int sel = list->FirstSelectedRow();
    bool file = false;
    bool addable = false;
    if (sel >= 0) {
        // A single entry gets the focus, which shows it.
        if (selectedCount == 1)
            list->selectionModel()->setCurrentIndex(list->Model().index(sel), QItemSelectionModel::NoUpdate);
        file = sel >= list->FolderCount();
        const FolderNode* target = browser_.ListTargetFolder(false);
        if (!file && selectedCount == 1 && favorites_ && target && target->Record) {
            const std::string path = browser_.Space().ParsingName(target->Record->AbsoluteId);
            addable = !path.empty() && browser_.Space().ParsePath(path) && !favorites_->IsFavorite(NameToText(path));
        }
    }
    const bool oneFile = file && !several;
    const ListMenuItems& i = items_;
    i.AddToFavorites1->setVisible(addable);
    i.Open1->setVisible(oneFile);
    i.OpenNotepad1->setVisible(oneFile);
    i.CopytoClipboard->setVisible(oneFile);
    i.Openfolder1->setVisible(!file);
    i.Explore1->setVisible(!file);

    const tIES& ies = browser_.Shown().CurrentIes();
    const bool typeB = ies.PhotometricType == 2;
    const bool from90 = !ies.HorzAngles.empty() && ies.HorzAngles[0] == 90.0;
    i.SaveAsTypeC->setVisible(oneFile && (typeB || from90));
    i.SaveAsTypeC->setText(typeB ? QStringLiteral("Save as type C") : QStringLiteral("Rotate to zero"));
    // Each format offers the other; the shown file is the selected one.
    const bool shownFile = oneFile && browser_.Shown().HasFile();
    i.SaveAsEulumdat->setVisible(shownFile && browser_.Shown().Format() == PhotometricFormat::Ies);
    i.SaveAsIes->setVisible(shownFile && browser_.Shown().Format() == PhotometricFormat::Eulumdat);
    i.ExportDatasheet->setVisible(!SelectedFilePaths().empty());
    // Only a shown file can be compared; with a folder entry focused the record is stale.
    i.ShowCompareWindow1->setEnabled(browser_.Shown().HasFile());

    // The file's own texts in "Arrange by"; an unread entry has its name only.
    const EntryTexts* texts = oneFile ? &list->Entries().Item(sel).entry->Texts : nullptr;
    for (const CaptionKind& kind : CaptionKinds()) {
        const QString caption = texts ? MenuText(CaptionText(*texts, kind.choice)) : LabelOf(kind);
        i.arrange[static_cast<std::size_t>(CaptionNumber(kind.choice))]->setText(caption);
    }
    const BrowserOptions& options = browser_.Options();
    i.arrange[static_cast<std::size_t>(CaptionNumber(options.caption))]->setChecked(true);
    i.Sort1->setChecked(options.sort);
    switch (list->ViewKind()) {
    case FileListViewKind::List: i.List1->setChecked(true); break;
    case FileListViewKind::Icons: i.Icons1->setChecked(true); break;
    case FileListViewKind::Thumbnails: i.Thumbnails1->setChecked(true); break;
    case FileListViewKind::Details: i.Details1->setChecked(true); break;
    }

    i.ShowOptionsPanel->setText(host_.OptionsPanelVisible() ? QStringLiteral("Hide Options Panel")
                                                            : QStringLiteral("Show Options Panel"));
    QAction* defaultItem = nullptr;
    if (options.doubleClick && options.doubleClickAction == DoubleClickChoice::OpenDefault)
        defaultItem = i.Open1;
    else if (options.doubleClick && options.doubleClickAction == DoubleClickChoice::OpenWithTextEditor)
        defaultItem = i.OpenNotepad1;
    menu_->setDefaultAction(defaultItem);

    RebuildFavorites();
    SetIcons(!file);
}

std::vector<std::string> FileListMenu::SelectedFilePaths() const
{
    const FileListView* list = browser_.List();
    const std::string folder = browser_.ShownFolderPath();
    std::vector<int> rows;
    for (const QModelIndex& index : list->selectionModel()->selectedIndexes())
        if (index.row() >= list->FolderCount())
            rows.push_back(index.row());
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    std::vector<std::string> paths;
    if (folder.empty())
        return paths;
    for (const int row : rows)
        paths.push_back(folder + list->Entries().Item(row).entry->Texts.fileName);
    return paths;
}

void FileListMenu::RebuildFavorites()
{
    favoritesMenu_->clear();
    const int count = favorites_ ? favorites_->FavoriteCount() : 0;
    if (count == 0) {
        QAction* none = AddItem(favoritesMenu_, "None1", QStringLiteral("None"));
        none->setEnabled(false);
        return;
    }
    const QIcon folder = ThemeIcon({"folder"}, QStyle::SP_DirIcon);
    for (int i = 0; i < count; ++i) {
        QString caption = favorites_->FavoriteName(i);
        caption.replace(QLatin1Char('&'), QStringLiteral("&&"));
        QAction* item = favoritesMenu_->addAction(folder, caption);
        item->setData(QStringLiteral("?") + favorites_->FavoritePath(i));
        connect(item, &QAction::triggered, this, [this, i] {
            if (favorites_)
                favorites_->OpenFavorite(i);
        });
    }
}

void FileListMenu::SetIcons(bool targetFolderShown)
{
    const ListMenuItems& i = items_;
    const std::string file = browser_.CurrentFileBytes();
    QIcon open = file.empty() ? QIcon() : FileIcon(file);
    i.Open1->setIcon(open.isNull() ? ThemeIcon({"document-open"}, QStyle::SP_FileIcon) : open);
    i.OpenNotepad1->setIcon(ThemeIcon({"accessories-text-editor", "text-editor"}, QStyle::SP_FileDialogDetailedView));
    i.Favorites1->setIcon(ThemeIcon({"user-bookmarks", "bookmarks"}, QStyle::SP_DirLinkIcon));
    i.AddToFavorites1->setIcon(ThemeIcon({"bookmark-new"}, QStyle::SP_FileDialogNewFolder));
    i.Explore1->setIcon(ThemeIcon({"system-file-manager"}, QStyle::SP_DirHomeIcon));
    i.Openfolder1->setIcon(targetFolderShown ? ThemeIcon({"folder-open"}, QStyle::SP_DirOpenIcon) : QIcon());
}

void FileListMenu::ArrangeAllClick(CaptionChoice choice)
{
    items_.arrange[static_cast<std::size_t>(CaptionNumber(choice))]->setChecked(true);
    host_.ChooseCaption(choice);
}

void FileListMenu::Sort1Click()
{
    // Qt has already turned the check mark over.
    host_.SetSortChecked(items_.Sort1->isChecked());
}

void FileListMenu::RefreshClick()
{
    const auto listFrozen = UpdatesFrozen(*browser_.List());
    const auto treeFrozen = UpdatesFrozen(*browser_.Tree());
    browser_.ButtonRefreshClick();
}
