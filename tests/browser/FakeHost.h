#pragma once

#include <functional>
#include <vector>

#include "browser/BrowserHost.h"
#include "diagram/ShownFile.h"

// Records what the browser asked of the application, and what it put into
// the shown file.
class FakeHost : public BrowserHost {
public:
    FakeHost()
    {
        QObject::connect(&shown, &ShownFile::fileChanged, &shown, [this] {
            if (shown.HasFile()) {
                ++filesShown;
                current = shown.CurrentIes();
            } else {
                ++blanks;
            }
        });
    }
    void FolderChanging() override { ++folderChanges; }
    void SetInfoText(const QString& text) override { info = text; }
    void SetWindowCaption(const QString& text) override { caption = text; }
    void SetApplicationTitle(const QString& text) override { appTitle = text; }
    void SetDiagramCrosshair(bool on) override { crosshair = on; }
    void ShowMessage(const QString& text, const QString& boxCaption, QMessageBox::Icon, const QString& detail) override
    {
        messages.push_back(text);
        messageCaptions.push_back(boxCaption);
        messageDetails.push_back(detail);
    }
    void CaptionChoiceReset() override { ++captionResets; }
    void ListFilled() override { ++fills; }
    void SetAddEnabled(bool on) override { addEnabled = on; }
    // The panel's round trip: a choice comes back to the browser as its setting.
    void ChooseView(FileListViewKind kind) override
    {
        viewChoices.push_back(kind);
        if (onChooseView)
            onChooseView(kind);
    }
    void ChooseCaption(int index) override
    {
        captionChoices.push_back(index);
        if (onChooseCaption)
            onChooseCaption(index);
    }

    int filesShown = 0, blanks = 0, folderChanges = 0, captionResets = 0, fills = 0;
    bool crosshair = false;
    bool addEnabled = true;
    std::vector<FileListViewKind> viewChoices;
    std::vector<int> captionChoices;
    std::function<void(FileListViewKind)> onChooseView;
    std::function<void(int)> onChooseCaption;
    ShownFile shown;
    tIES current;
    QString info, caption, appTitle;
    std::vector<QString> messages, messageCaptions, messageDetails;
};
