#pragma once

#include <QObject>

class FileBrowser;
class QListWidget;
struct OptionControls;

// The "Favorites" box of the options panel over the browser's favourites:
// the list box shows them in their order, "Add" and "Remove" change them, a
// double click or Enter opens one, and pointing at one shows its path in the
// title bar (a "?" hint).
class FavoritesBox : public QObject {
    Q_OBJECT
public:
    FavoritesBox(const OptionControls& controls, FileBrowser& browser, QObject* parent = nullptr);

    void ButtonRemoveClick();
    void ListBoxFavoritesClick();
    void ListBoxFavoritesDblClick();
    // The hint for the item at `row` (-1: none under the mouse).
    void ListBoxFavoritesMouseMove(int row);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    const OptionControls& c_;
    FileBrowser& browser_;
    int hovered_ = -1;
};
