#pragma once

#include <QObject>
#include <QPointer>
#include <QWidget>

#include "browser/FileListMenu.h"

class FileBrowser;
class QListWidget;
struct OptionControls;

// The "Favorites" box of the options panel over the browser's favourites:
// the list box shows them in their order, "Add" and "Remove" change them, a
// double click or Enter opens one, and pointing at one shows its path in the
// title bar (a "?" hint). The list menu's "Favorites" and "Add to favorites"
// reach the same favourites through it.
class FavoritesBox : public QObject, public FavoritesSource {
    Q_OBJECT
public:
    FavoritesBox(const OptionControls& controls, FileBrowser& browser, QObject* parent = nullptr);

    void ButtonRemoveClick();
    void ListBoxFavoritesClick();
    void ListBoxFavoritesDblClick();
    // The hint for the item at `row` (-1: none under the mouse).
    void ListBoxFavoritesMouseMove(int row);

    // FavoritesSource
    [[nodiscard]] int FavoriteCount() const override;
    [[nodiscard]] QString FavoriteName(int index) const override;
    [[nodiscard]] QString FavoritePath(int index) const override;
    [[nodiscard]] bool IsFavorite(const QString& path) const override;
    void AddFavorite(const QString& path) override;
    void OpenFavorite(int index) override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    const OptionControls& c_;
    FileBrowser& browser_;
    int hovered_ = -1;
    QPointer<QWidget> viewport_;
};
