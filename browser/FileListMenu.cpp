#include "FileListMenu.h"

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

const char* const kArrangeNames[CaptionChoiceCount] = {"Filename1", "Test1", "Manufacturer1", "Luminaire1",
                                                       "Luminairecatalog1", "Lamp1", "Lampcatalog1"};
const char* const kArrangeCaptions[CaptionChoiceCount] = {"File name", "Test", "Manufacturer", "Luminaire",
                                                          "Luminaire catalog", "Lamp", "Lamp catalog"};

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
    connect(AddItem(menu, "Open1", QStringLiteral("Open")), &QAction::triggered, this, [this] { browser_.Open1Click(); });
    connect(AddItem(menu, "OpenNotepad1", QStringLiteral("Open with Notepad")), &QAction::triggered, this,
            [this] { browser_.OpenNotepad1Click(); });
    connect(AddItem(menu, "Openfolder1", QStringLiteral("Open folder")), &QAction::triggered, this,
            [this] { browser_.Openfolder1Click(); });
    connect(AddItem(menu, "Explore1", QStringLiteral("Explore")), &QAction::triggered, this,
            [this] { browser_.Explore1Click(); });
    connect(AddItem(menu, "AddToFavorites1", QStringLiteral("Add to favorites")), &QAction::triggered, this, [this] {
        const FolderNode* node = browser_.ListTargetFolder(false);
        if (favorites_ && node && node->Record)
            favorites_->AddFavorite(NameToText(browser_.Space().ParsingName(node->Record->AbsoluteId)));
    });
    menu->addSeparator();
    favoritesMenu_ = menu->addMenu(QStringLiteral("Favorites"));
    favoritesMenu_->menuAction()->setObjectName(QStringLiteral("Favorites1"));
    menu->addSeparator();

    viewMenu_ = menu->addMenu(QStringLiteral("View"));
    viewMenu_->menuAction()->setObjectName(QStringLiteral("View1"));
    auto* views = new QActionGroup(viewMenu_);
    const std::pair<const char*, FileListViewKind> viewItems[] = {
        {"Thumbnails1", FileListViewKind::Thumbnails}, {"Icons1", FileListViewKind::Icons}, {"List1", FileListViewKind::List}};
    for (const auto& [name, kind] : viewItems) {
        QAction* item = AddItem(viewMenu_, name, QString::fromLatin1(name).chopped(1));
        item->setCheckable(true);
        views->addAction(item);
        connect(item, &QAction::triggered, this, [this, kind = kind] { host_.ChooseView(kind); });
    }
    menu->addSeparator();

    arrangeMenu_ = menu->addMenu(QStringLiteral("Arrange by"));
    arrangeMenu_->menuAction()->setObjectName(QStringLiteral("Arrangeby1"));
    auto* kinds = new QActionGroup(arrangeMenu_);
    for (int k = 0; k < CaptionChoiceCount; ++k) {
        QAction* item = AddItem(arrangeMenu_, kArrangeNames[k], QString::fromLatin1(kArrangeCaptions[k]));
        item->setCheckable(true);
        kinds->addAction(item);
        arrangeItems_.push_back(item);
        connect(item, &QAction::triggered, this, [this, item] { ArrangeAllClick(item); });
    }
    arrangeMenu_->addSeparator();
    QAction* sort = AddItem(arrangeMenu_, "Sort1", QStringLiteral("Sort"));
    sort->setCheckable(true);
    connect(sort, &QAction::triggered, this, &FileListMenu::Sort1Click);
    connect(AddItem(menu, "Refresh", QStringLiteral("Refresh             F5")), &QAction::triggered, this,
            &FileListMenu::RefreshClick);
    menu->addSeparator();
    connect(AddItem(menu, "SaveAsTypeC", QStringLiteral("Save as type C")), &QAction::triggered, this,
            [this] { browser_.SaveAsTypeC(); });
    connect(AddItem(menu, "CopytoClipboard", QStringLiteral("Copy Filename  Ctrl-C")), &QAction::triggered, this,
            [this] { browser_.CopytoClipboardClick(); });
    menu->addSeparator();
    connect(AddItem(menu, "ShowOptionsPanel", QStringLiteral("Show Options Panel")), &QAction::triggered, this,
            [this] { host_.ShowOptionsPanelClick(); });
    connect(AddItem(menu, "ShowCompareWindow1", QStringLiteral("Show Compare Window")), &QAction::triggered, this,
            [this] { host_.ShowCompareWindow(); });

    connect(menu_, &QMenu::aboutToShow, this, &FileListMenu::PopupMenuPopup);
    // A favourite's path shows in the title bar while it is highlighted.
    for (QMenu* shown : {menu, favoritesMenu_, viewMenu_, arrangeMenu_})
        connect(shown, &QMenu::hovered, this, [this](QAction* item) { emit HintChanged(item->data().toString()); });
    connect(menu_, &QMenu::aboutToHide, this, [this] { emit HintChanged(QString()); });

    FileListView* list = browser_.List();
    connect(list, &FileListView::ContextMenuAt, this, &FileListMenu::Popup);
    connect(list, &FileListView::MenuKeyReleased, this, &FileListMenu::Popup);
}

FileListMenu::~FileListMenu()
{
    delete menu_.data();
}

QAction* FileListMenu::AddItem(QMenu* menu, const char* name, const QString& caption)
{
    QAction* item = menu->addAction(caption);
    item->setObjectName(QString::fromLatin1(name));
    return item;
}

QAction* FileListMenu::Item(const char* name) const
{
    return menu_ ? menu_->findChild<QAction*>(QString::fromLatin1(name)) : nullptr;
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
    Item("AddToFavorites1")->setVisible(addable);
    Item("Open1")->setVisible(oneFile);
    Item("OpenNotepad1")->setVisible(oneFile);
    Item("CopytoClipboard")->setVisible(oneFile);
    Item("Openfolder1")->setVisible(!file);
    Item("Explore1")->setVisible(!file);

    const tIES& ies = browser_.Shown().CurrentIes();
    const bool typeB = ies.PhotometricType == 2;
    const bool from90 = !ies.HorzAngles.empty() && ies.HorzAngles[0] == 90.0;
    QAction* convert = Item("SaveAsTypeC");
    convert->setVisible(oneFile && (typeB || from90));
    convert->setText(typeB ? QStringLiteral("Save as type C") : QStringLiteral("Rotate to zero"));
    // Only a shown file can be compared; with a folder entry focused the record is stale.
    Item("ShowCompareWindow1")->setEnabled(browser_.Shown().HasFile());

    // The file's own texts in "Arrange by"; an unread entry has its name only.
    const std::vector<std::string>* texts = oneFile ? &list->Entries().Item(sel).entry->Texts : nullptr;
    for (int k = 0; k < CaptionChoiceCount; ++k) {
        const auto slot = static_cast<std::size_t>(k) + 1;
        QString caption = QString::fromLatin1(kArrangeCaptions[k]);
        if (texts && texts->size() > 1)
            caption = MenuText(slot < texts->size() && !(*texts)[slot].empty() ? (*texts)[slot] : (*texts)[1]);
        arrangeItems_[static_cast<std::size_t>(k)]->setText(caption);
    }
    const BrowserOptions& options = browser_.Options();
    if (options.captionIndex >= 0 && options.captionIndex < CaptionChoiceCount)
        arrangeItems_[static_cast<std::size_t>(options.captionIndex)]->setChecked(true);
    Item("Sort1")->setChecked(options.sort);
    const char* const viewNames[] = {"List1", "Icons1", "Thumbnails1"};
    Item(viewNames[static_cast<int>(list->ViewKind())])->setChecked(true);

    Item("ShowOptionsPanel")->setText(host_.OptionsPanelVisible() ? QStringLiteral("Hide Options Panel")
                                                                  : QStringLiteral("Show Options Panel"));
    QAction* defaultItem = nullptr;
    if (options.doubleClick && options.doubleClickAction == DoubleClickChoice::OpenDefault)
        defaultItem = Item("Open1");
    else if (options.doubleClick && options.doubleClickAction == DoubleClickChoice::OpenWithTextEditor)
        defaultItem = Item("OpenNotepad1");
    menu_->setDefaultAction(defaultItem);

    RebuildFavorites();
    SetIcons(!file);
}

void FileListMenu::RebuildFavorites()
{
    favoritesMenu_->clear();
    const std::vector<FavoritesSource::Favorite> favorites =
        favorites_ ? favorites_->Favorites() : std::vector<FavoritesSource::Favorite>();
    if (favorites.empty()) {
        QAction* none = AddItem(favoritesMenu_, "None1", QStringLiteral("None"));
        none->setEnabled(false);
        return;
    }
    const QIcon folder = ThemeIcon({"folder"}, QStyle::SP_DirIcon);
    for (int i = 0; i < static_cast<int>(favorites.size()); ++i) {
        const FavoritesSource::Favorite& favorite = favorites[static_cast<std::size_t>(i)];
        QString caption = favorite.name;
        caption.replace(QLatin1Char('&'), QStringLiteral("&&"));
        QAction* item = favoritesMenu_->addAction(folder, caption);
        item->setData(QStringLiteral("?") + favorite.path);
        connect(item, &QAction::triggered, this, [this, i] {
            if (favorites_)
                favorites_->OpenFavorite(i);
        });
    }
}

void FileListMenu::SetIcons(bool targetFolderShown)
{
    const std::string file = browser_.CurrentFileBytes();
    QIcon open = file.empty() ? QIcon() : FileIcon(file);
    Item("Open1")->setIcon(open.isNull() ? ThemeIcon({"document-open"}, QStyle::SP_FileIcon) : open);
    Item("OpenNotepad1")->setIcon(ThemeIcon({"accessories-text-editor", "text-editor"}, QStyle::SP_FileDialogDetailedView));
    favoritesMenu_->menuAction()->setIcon(ThemeIcon({"user-bookmarks", "bookmarks"}, QStyle::SP_DirLinkIcon));
    Item("AddToFavorites1")->setIcon(ThemeIcon({"bookmark-new"}, QStyle::SP_FileDialogNewFolder));
    Item("Explore1")->setIcon(ThemeIcon({"system-file-manager"}, QStyle::SP_DirHomeIcon));
    Item("Openfolder1")->setIcon(targetFolderShown ? ThemeIcon({"folder-open"}, QStyle::SP_DirOpenIcon) : QIcon());
}

void FileListMenu::ArrangeAllClick(QAction* item)
{
    const auto found = std::find(arrangeItems_.begin(), arrangeItems_.end(), item);
    if (found == arrangeItems_.end())
        return;
    item->setChecked(true);
    host_.ChooseCaption(static_cast<int>(found - arrangeItems_.begin()));
}

void FileListMenu::Sort1Click()
{
    // Qt has already turned the check mark over.
    host_.SetSortChecked(Item("Sort1")->isChecked());
}

void FileListMenu::RefreshClick()
{
    const auto listFrozen = UpdatesFrozen(*browser_.List());
    const auto treeFrozen = UpdatesFrozen(*browser_.Tree());
    browser_.ButtonRefreshClick();
}
