#pragma once

#include <QList>
#include <QSize>
#include <QString>
#include <QStringList>

#include "browser/DetailColumns.h"

class QSlider;
class TGroupBoxEx;

// What the configuration layer needs of the main window: its fixed settings,
// the option group boxes and the favourites list. Setters apply a value as the
// user's change would, so every reaction runs.
class ConfigurationHost {
public:
    virtual ~ConfigurationHost() = default;

    // Section "Kandora".
    virtual void setStoredPath(const QString& path) = 0;
    [[nodiscard]] virtual QString folderDisplayPath() const = 0;
    virtual void setNormalWidth(int width) = 0;
    virtual void setNormalHeight(int height) = 0;
    // The normal-state size as the window took it (it keeps its minimum size).
    [[nodiscard]] virtual QSize normalSize() const = 0;
    [[nodiscard]] virtual QSize screenSize() const = 0;
    virtual void setNormalLeft(int left) = 0;
    virtual void setNormalTop(int top) = 0;
    [[nodiscard]] virtual QPoint normalPosition() const = 0;
    virtual void setOrtho(bool down) = 0;
    [[nodiscard]] virtual bool ortho() const = 0;
    virtual void setFit(bool down) = 0;
    [[nodiscard]] virtual bool fit() const = 0;
    // 0 normal, 1 minimised, 2 maximised; other values are ignored by the reader.
    virtual void setWindowStateCode(int code) = 0;
    [[nodiscard]] virtual int windowStateCode() const = 0;
    // Puts the window into the normal state before its geometry is written.
    virtual void restoreNormalState() = 0;
    virtual void setTreeHeight(int height) = 0;
    [[nodiscard]] virtual int treeHeight() const = 0;
    virtual void setColumnWidth(int width) = 0;
    [[nodiscard]] virtual int columnWidth() const = 0;
    virtual void setInfoHeight(int height) = 0;
    [[nodiscard]] virtual int infoHeight() const = 0;

    // Section "Options".
    virtual void setPanelVisible(bool visible) = 0;
    [[nodiscard]] virtual bool panelVisible() const = 0;
    [[nodiscard]] virtual QSlider* trackBarK() const = 0;
    [[nodiscard]] virtual QSlider* trackBarR() const = 0;

    // The option group boxes in reading and writing order.
    [[nodiscard]] virtual QList<TGroupBoxEx*> optionGroupBoxes() const = 0;

    // Favourites: one stored entry taken back (dropped when its folder no
    // longer parses), and the lines to write, taken out of the list (which
    // is left empty).
    virtual void addFavorite(const QString& path, int viewByte) = 0;
    [[nodiscard]] virtual QStringList CollectFavorites() = 0;

    // Section "Details": the details view's columns and sort.
    [[nodiscard]] virtual DetailsLayout detailsLayout() const = 0;
    virtual void setDetailsLayout(const DetailsLayout& layout) = 0;
};
