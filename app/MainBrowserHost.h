#pragma once

#include "browser/BrowserHost.h"

class MessagePresenter;
class TMainWindow;

// The main window's side of the file browser: the shown file goes into the
// current record, the degree slider and the diagram; texts go to the
// information label and the title; messages to the window's presenter.
class MainBrowserHost : public BrowserHost {
public:
    MainBrowserHost(TMainWindow& window, MessagePresenter& messages) : window_(window), messages_(messages) {}

    void ShowFileRecord(const tIES& record) override;
    void ShowNoFile() override;
    void FolderChanging() override;
    void SetInfoText(const QString& text) override;
    void SetWindowCaption(const QString& caption) override;
    void SetApplicationTitle(const QString& title) override;
    void SetDiagramCrosshair(bool crosshair) override;
    void ShowMessage(const QString& text, const QString& caption, QMessageBox::Icon icon) override;
    void CaptionChoiceReset() override;

private:
    // The diagram area without a file: slider at its minimum and hidden with
    // the "axially symmetric" label, Print and Render off, an empty diagram.
    void ShowEmptyDiagram();

    TMainWindow& window_;
    MessagePresenter& messages_;
};
