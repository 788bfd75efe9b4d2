#include "app/FavoritesBox.h"

#include <QCheckBox>
#include <QKeyEvent>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>

#include "app/OptionControls.h"
#include "browser/FileBrowser.h"

FavoritesBox::FavoritesBox(const OptionControls& controls, FileBrowser& browser, QObject* parent)
    : QObject(parent), c_(controls), browser_(browser)
{
    QListWidget* list = c_.ListBoxFavorites;
    // The browser keeps the order; the list box only shows it.
    for (int i = 0; i < browser_.FavoriteList().Count(); ++i)
        list->addItem(browser_.FavoriteList().At(i).name);
    connect(&browser_, &FileBrowser::FavoriteAdded, list, [this](int index) {
        c_.ListBoxFavorites->insertItem(index, browser_.FavoriteList().At(index).name);
        hovered_ = -1;
    });
    connect(&browser_, &FileBrowser::FavoriteRemoved, list, [this](int index) {
        delete c_.ListBoxFavorites->takeItem(index);
        hovered_ = -1;
    });
    connect(&browser_, &FileBrowser::FavoritesCleared, list, [this] {
        c_.ListBoxFavorites->clear();
        hovered_ = -1;
    });
    connect(c_.ButtonAdd, &QPushButton::clicked, &browser_, &FileBrowser::AddToFavorites1Click);
    connect(c_.ButtonRemove, &QPushButton::clicked, this, &FavoritesBox::ButtonRemoveClick);
    connect(list, &QListWidget::itemSelectionChanged, this, &FavoritesBox::ListBoxFavoritesClick);
    connect(list, &QListWidget::itemDoubleClicked, this, &FavoritesBox::ListBoxFavoritesDblClick);
    list->installEventFilter(this);
    viewport_ = list->viewport();
    viewport_->installEventFilter(this);
}

void FavoritesBox::ButtonRemoveClick()
{
    QListWidget* list = c_.ListBoxFavorites;
    for (int i = list->count() - 1; i >= 0; --i) {
        if (list->item(i)->isSelected())
            browser_.RemoveFavorite(i);
    }
    c_.ButtonAdd->setEnabled(browser_.CanAddFavorite(browser_.Tree()->Selected()));
    c_.ButtonRemove->setEnabled(false);
}

void FavoritesBox::ListBoxFavoritesClick()
{
    c_.ButtonRemove->setEnabled(!c_.ListBoxFavorites->selectedItems().isEmpty());
}

void FavoritesBox::ListBoxFavoritesDblClick()
{
    QListWidget* list = c_.ListBoxFavorites;
    const int i = list->currentRow();
    if (i >= 0)
        list->setCurrentRow(i, QItemSelectionModel::ClearAndSelect);
    else
        list->clearSelection();
    if (i >= 0)
        browser_.OpenFavorite(i);
}

void FavoritesBox::ListBoxFavoritesMouseMove(int row)
{
    if (row == hovered_)
        return;
    hovered_ = row;
    // The hint tracker shows a "?" hint in the title bar and never as a pop-up.
    const QString hint = row < 0 ? QString() : QStringLiteral("?") + browser_.FavoritePath(row);
    if (viewport_)
        viewport_->setToolTip(hint);
}

bool FavoritesBox::eventFilter(QObject* watched, QEvent* event)
{
    QListWidget* list = c_.ListBoxFavorites;
    if (watched == list && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            ListBoxFavoritesDblClick();
            return true;
        }
    } else if (watched == viewport_) {
        // Compared by address only: the viewport's last events (a leave while it
        // goes) come when the list around it is already half destroyed.
        if (event->type() == QEvent::MouseMove) {
            const QModelIndex at = list->indexAt(static_cast<QMouseEvent*>(event)->position().toPoint());
            ListBoxFavoritesMouseMove(at.isValid() ? at.row() : -1);
        } else if (event->type() == QEvent::Leave) {
            ListBoxFavoritesMouseMove(-1);
        }
    }
    return QObject::eventFilter(watched, event);
}

int FavoritesBox::FavoriteCount() const
{
    return browser_.FavoriteList().Count();
}

QString FavoritesBox::FavoriteName(int index) const
{
    return browser_.FavoriteList().Has(index) ? browser_.FavoriteList().At(index).name : QString();
}

QString FavoritesBox::FavoritePath(int index) const
{
    return browser_.FavoritePath(index);
}

bool FavoritesBox::IsFavorite(const QString& path) const
{
    return browser_.IsFavorite(path);
}

void FavoritesBox::AddFavorite(const QString& path)
{
    browser_.AddFavorite(path);
}

void FavoritesBox::OpenFavorite(int index)
{
    browser_.OpenFavorite(index);
}
