#pragma once

#include <QMessageBox>
#include <QString>

#include "browser/ListOptions.h"


// What the file browser needs from the application window. The browser
// never reaches into the window; the window implements this. The shown file
// itself goes into the ShownFile, which the diagram and information panels follow.
class BrowserHost {
public:
    virtual ~BrowserHost() = default;

    virtual void SetWindowCaption(const QString& caption) = 0;
    // The text of the task-bar button.
    virtual void SetApplicationTitle(const QString& title) = 0;
    virtual void SetDiagramCrosshair(bool crosshair) = 0;
    // Shows a modal message box, with `detail` as a line of its own under the
    // text when it is not empty; the browser calls this only from the event
    // loop, never from inside a listing or a paint.
    virtual void ShowMessage(const QString& text, const QString& caption, QMessageBox::Icon icon,
                             const QString& detail) = 0;
    // The browser put the caption choice back to "File name" at a folder
    // change: mirror it in the chooser and the "Arrange by" menu.
    virtual void CaptionChoiceReset() = 0;

    // The favourites' "Add" button.
    virtual void SetAddEnabled(bool enabled) = 0;
    // A favourite folder's stored view and caption kind: chosen as the
    // user's choice in the options panel would be (as the list menu's "View"
    // and "Arrange by" items choose them), which reaches the browser's
    // SetViewKind and SetCaption.
    virtual void ChooseView(FileListViewKind kind) = 0;
    virtual void ChooseCaption(CaptionChoice choice) = 0;
};
