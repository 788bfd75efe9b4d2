#include "app/MainBrowserHost.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>

#include "app/DiagramBox.h"
#include "app/DiagramPanel.h"
#include "app/ExportDatasheets.h"
#include "app/MainWindow.h"
#include "app/MessagePresenter.h"
#include "app/OptionsPanel.h"

void MainBrowserHost::SetWindowCaption(const QString& caption)
{
    window_.setWindowTitle(caption);
}

void MainBrowserHost::SetApplicationTitle(const QString&)
{
    // On this desktop the task bar shows the window's own title, which
    // already names the file; there is no separate application caption.
}

void MainBrowserHost::SetDiagramCrosshair(bool crosshair)
{
    DiagramBox* box = window_.areas().diagramPanel->paintBox();
    if (crosshair)
        box->setCursor(Qt::CrossCursor);
    else
        box->unsetCursor();
}

void MainBrowserHost::ShowMessage(const QString& text, const QString& caption, QMessageBox::Icon icon,
                                  const QString& detail)
{
    MessagePresenter::Icon kind = MessagePresenter::Icon::None;
    if (icon == QMessageBox::Critical)
        kind = MessagePresenter::Icon::Error;
    else if (icon == QMessageBox::Warning)
        kind = MessagePresenter::Icon::Warning;
    else if (icon == QMessageBox::Information)
        kind = MessagePresenter::Icon::Information;
    messages_.showDetailedMessage(kind, caption, text, detail);
}

void MainBrowserHost::CaptionChoiceReset()
{
    window_.areas().optionsPanel->ResetCaptionChoice();
}

void MainBrowserHost::SetAddEnabled(bool enabled)
{
    window_.areas().optionsPanel->controls().ButtonAdd->setEnabled(enabled);
}

bool MainBrowserHost::OptionsPanelVisible() const
{
    return window_.areas().optionsPanel->isVisible();
}

void MainBrowserHost::ShowOptionsPanelClick()
{
    window_.ShowOptionsPanelClick();
}

void MainBrowserHost::ShowCompareWindow()
{
    window_.ShowCompareWindow();
}

void MainBrowserHost::ChooseCaption(CaptionChoice choice)
{
    window_.areas().optionsPanel->ChooseCaption(choice);
}

void MainBrowserHost::SetSortChecked(bool on)
{
    window_.areas().optionsPanel->controls().CheckBoxSort->setChecked(on);
}

void MainBrowserHost::ChooseView(FileListViewKind kind)
{
    window_.areas().optionsPanel->ChooseView(kind);
}

void MainBrowserHost::ExportDatasheets(const std::vector<std::string>& paths)
{
    (void)::ExportDatasheets(&window_, paths, messages_);
}
