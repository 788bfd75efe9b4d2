#pragma once

#include <QMessageBox>
#include <QString>

#include "photometry/IesRecord.h"

// What the file browser needs from the application window. The browser
// never reaches into the window; the window implements this.
class BrowserHost {
public:
    virtual ~BrowserHost() = default;

    // A file entry is shown: take a deep copy of `record` as the current
    // record, put the degree slider on its 0-degree plane (shown and enabled
    // only when it has several planes, else the "axially symmetric" label),
    // enable Print and Render and draw the diagram.
    virtual void ShowFileRecord(const tIES& record) = 0;
    // A folder entry is shown: the slider goes to its minimum and hides with
    // the label, Print and Render are disabled, the diagram is drawn empty.
    // The current record is kept.
    virtual void ShowNoFile() = 0;
    // The tree's folder changes: forget the previous folder's thumbnails,
    // draw the diagram area empty, disable Print and Render, hide the slider
    // and the "axially symmetric" label.
    virtual void FolderChanging() = 0;

    virtual void SetInfoText(const QString& text) = 0;
    virtual void SetWindowCaption(const QString& caption) = 0;
    // The text of the task-bar button.
    virtual void SetApplicationTitle(const QString& title) = 0;
    virtual void SetDiagramCrosshair(bool crosshair) = 0;
    // Shows a modal message box; the browser calls this only from the event
    // loop, never from inside a listing or a paint.
    virtual void ShowMessage(const QString& text, const QString& caption, QMessageBox::Icon icon) = 0;
    // The browser put the caption choice back to "File name" at a folder
    // change: mirror it in the chooser and the "Arrange by" menu.
    virtual void CaptionChoiceReset() = 0;

    // Hooks for parts that arrive later; by default they do nothing.
    virtual void UpdateRenderIfAutomatic() {}
    virtual void ListFilled() {}             // thumbnails, favourite views
    virtual void StoreFavouriteView() {}     // before leaving a folder
    virtual void SetAddEnabled(bool) {}      // the favourites' "Add" button
};
