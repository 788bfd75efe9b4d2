#pragma once

#include "browser/BrowserHost.h"
#include "browser/FileListMenu.h"

class MessagePresenter;
class TMainWindow;

// The main window's side of the file browser: texts go to the title,
// messages to the window's presenter. The shown file reaches the diagram and
// information panels through the ShownFile, not through here. The
// file list's menu reaches the options panel and the compare window here.
class MainBrowserHost : public BrowserHost, public ListMenuHost {
public:
    MainBrowserHost(TMainWindow& window, MessagePresenter& messages) : window_(window), messages_(messages) {}

    void SetWindowCaption(const QString& caption) override;
    void SetApplicationTitle(const QString& title) override;
    void SetDiagramCrosshair(bool crosshair) override;
    void ShowMessage(const QString& text, const QString& caption, QMessageBox::Icon icon,
                     const QString& detail) override;
    void CaptionChoiceReset() override;
    void SetAddEnabled(bool enabled) override;

    // ListMenuHost, and a favourite's stored view (BrowserHost): each acts on
    // its control as a click would.
    [[nodiscard]] bool OptionsPanelVisible() const override;
    void ShowOptionsPanelClick() override;
    void ShowCompareWindow() override;
    void ChooseCaption(CaptionChoice choice) override;
    void SetSortChecked(bool on) override;
    void ChooseView(FileListViewKind kind) override;
    // The file chooser, the progress and the messages of ExportDatasheets.
    void ExportDatasheets(const std::vector<std::string>& paths) override;

private:
    TMainWindow& window_;
    MessagePresenter& messages_;
};
