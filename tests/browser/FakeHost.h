#pragma once

#include <functional>
#include <vector>

#include "browser/BrowserHost.h"
#include "browser/ShownFile.h"

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
    void SetAddEnabled(bool on) override { addEnabled = on; }
    // The panel's round trip: a choice comes back to the browser as its setting.
    void ChooseView(FileListViewKind kind) override
    {
        viewChoices.push_back(kind);
        if (onChooseView)
            onChooseView(kind);
    }
    void ChooseCaption(CaptionChoice choice) override
    {
        captionChoices.push_back(choice);
        if (onChooseCaption)
            onChooseCaption(choice);
    }

    int filesShown = 0, blanks = 0, captionResets = 0;
    bool crosshair = false;
    bool addEnabled = true;
    std::vector<FileListViewKind> viewChoices;
    std::vector<CaptionChoice> captionChoices;
    std::function<void(FileListViewKind)> onChooseView;
    std::function<void(CaptionChoice)> onChooseCaption;
    ShownFile shown;
    tIES current;
    QString caption, appTitle;
    std::vector<QString> messages, messageCaptions, messageDetails;
};
