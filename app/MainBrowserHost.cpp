#include "app/MainBrowserHost.h"

#include <QComboBox>
#include <QLabel>
#include <QSignalBlocker>
#include <QSlider>
#include <QToolButton>

#include "app/DiagramBox.h"
#include "app/DiagramPanel.h"
#include "app/MainWindow.h"
#include "app/MessagePresenter.h"
#include "app/OptionsPanel.h"
#include "photometry/Calculations.h"

namespace {

QLabel* AxialLabel(const DiagramPanel* panel)
{
    return panel->findChild<QLabel*>(QStringLiteral("LabelAxial"));
}

void EnableFileButtons(const DiagramPanel* panel, bool on)
{
    panel->printButton()->setEnabled(on);
    panel->renderButton()->setEnabled(on);
}

}  // namespace

void MainBrowserHost::ShowFileRecord(const tIES& record)
{
    const DiagramPanel* panel = window_.areas().diagramPanel;
    QSlider* slider = panel->degreeSlider();
    slider->setEnabled(false);
    EnableFileButtons(panel, true);
    tIES& current = window_.CurrentIes();
    ClearIes(current);
    CopyIes(record, current);
    const int last = current.HorzCount - 1;
    if (last >= slider->minimum())
        slider->setMaximum(last);
    const bool planes = last > 0;
    if (planes)
        slider->setValue(slider->minimum() + ZeroPlaneIndex(current));
    slider->setEnabled(planes);
    slider->setVisible(planes);
    if (QLabel* axial = AxialLabel(panel))
        axial->setVisible(!planes);
    window_.setFileShown(true);
}

void MainBrowserHost::ShowEmptyDiagram()
{
    const DiagramPanel* panel = window_.areas().diagramPanel;
    QSlider* slider = panel->degreeSlider();
    slider->setEnabled(false);
    slider->setValue(slider->minimum());
    slider->setVisible(false);
    if (QLabel* axial = AxialLabel(panel))
        axial->setVisible(false);
    EnableFileButtons(panel, false);
    window_.setFileShown(false);
}

void MainBrowserHost::ShowNoFile()
{
    ShowEmptyDiagram();
}

void MainBrowserHost::FolderChanging()
{
    ShowEmptyDiagram();
}

void MainBrowserHost::SetInfoText(const QString& text)
{
    window_.areas().labelInfo->setText(text);
}

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

void MainBrowserHost::ShowMessage(const QString& text, const QString& caption, QMessageBox::Icon icon)
{
    MessagePresenter::Icon kind = MessagePresenter::Icon::None;
    if (icon == QMessageBox::Critical)
        kind = MessagePresenter::Icon::Error;
    else if (icon == QMessageBox::Warning)
        kind = MessagePresenter::Icon::Warning;
    else if (icon == QMessageBox::Information)
        kind = MessagePresenter::Icon::Information;
    messages_.showMessage(kind, caption, text);
}

void MainBrowserHost::CaptionChoiceReset()
{
    window_.areas().optionsPanel->ResetCaptionChoice();
}
