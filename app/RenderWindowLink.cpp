#include "app/RenderWindowLink.h"

#include <QToolButton>

#include "app/AppTexts.h"
#include "app/Configuration.h"
#include "app/DiagramPanel.h"
#include "app/MainWindow.h"
#include "app/MessagePresenter.h"
#include "browser/ShownFile.h"
#include "render/RenderWindow.h"

QString ShownFileRenderSource::CurrentFilePath() const
{
    return file_.CurrentFilePath();
}

const tIES& ShownFileRenderSource::CurrentIes() const
{
    return file_.CurrentIes();
}

int ShownFileRenderSource::PlaneIndex() const
{
    return file_.PlaneIndex();
}

RenderWindowLink::RenderWindowLink(TMainWindow& main, ShownFile& shown, Configuration& config,
                                   MessagePresenter& messages)
    : source_(shown)
{
    source_.setPlanes(main.diagramOptions().Planes);
    window_ = std::make_unique<TRenderWindow>(config, source_, &main);
    if (const std::optional<QString>& error = window_->settingsReadError())
        messages.showMessage(MessagePresenter::Icon::Error, AppTexts::ApplicationTitle(), *error);

    TRenderWindow* render = window_.get();
    QToolButton* toggle = main.areas().diagramPanel->renderButton();
    QObject::connect(toggle, &QToolButton::toggled, render, [render](bool down) { render->setVisible(down); });
    QObject::connect(render, &TRenderWindow::closed, toggle, [toggle] { toggle->setChecked(false); });
    QObject::connect(&main, &TMainWindow::diagramOptionsChanged, render,
                     [this, &main] { source_.setPlanes(main.diagramOptions().Planes); });
    QObject::connect(&shown, &ShownFile::fileChanged, render, &TRenderWindow::ShownFileChanged);
    QObject::connect(&shown, &ShownFile::planeChanged, render, &TRenderWindow::ShownFileChanged);
}

RenderWindowLink::~RenderWindowLink() = default;
