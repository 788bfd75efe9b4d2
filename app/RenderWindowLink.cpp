#include "app/RenderWindowLink.h"

#include <QSlider>
#include <QToolButton>

#include "app/AppTexts.h"
#include "app/Configuration.h"
#include "app/DiagramPanel.h"
#include "app/MainWindow.h"
#include "app/MessagePresenter.h"
#include "browser/FileBrowser.h"
#include "render/RenderWindow.h"

QString MainRenderSource::CurrentFilePath() const
{
    return main_.browser().CurrentFilePath();
}

const tIES& MainRenderSource::CurrentIes() const
{
    return main_.CurrentIes();
}

int MainRenderSource::PlaneIndex() const
{
    const QSlider* slider = main_.areas().panelImage->degreeSlider();
    return slider->value() - slider->minimum();
}

RenderWindowLink::RenderWindowLink(TMainWindow& main, Configuration& config, MessagePresenter& messages)
    : source_(main)
{
    source_.setPlanes(main.diagramOptions().Planes);
    window_ = std::make_unique<TRenderWindow>(config, source_, &main);
    if (const std::optional<QString>& error = window_->settingsReadError())
        messages.showMessage(MessagePresenter::Icon::Error, AppTexts::ApplicationTitle(), *error);

    TRenderWindow* render = window_.get();
    const DiagramPanel* panel = main.areas().panelImage;
    QToolButton* toggle = panel->renderButton();
    QObject::connect(toggle, &QToolButton::toggled, render, [render](bool down) { render->setVisible(down); });
    QObject::connect(render, &TRenderWindow::closed, toggle, [toggle] { toggle->setChecked(false); });
    QObject::connect(&main, &TMainWindow::diagramOptionsChanged, render,
                     [this, &main] { source_.setPlanes(main.diagramOptions().Planes); });
    // The browser names the shown file only after handing over its record, so
    // the render waits until the selection's handling is over.
    QObject::connect(&main, &TMainWindow::shownFileChanged, render, &TRenderWindow::ShownFileChanged,
                     Qt::QueuedConnection);
    // The slider is disabled while a new file or none sets it up; only the user's moves count.
    QSlider* degree = panel->degreeSlider();
    QObject::connect(degree, &QSlider::valueChanged, render, [degree, render] {
        if (degree->isEnabled())
            render->ShownFileChanged();
    });
}

RenderWindowLink::~RenderWindowLink() = default;
