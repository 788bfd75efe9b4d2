#include "app/MainWindow.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QCursor>
#include <QFile>
#include <QLabel>
#include <QListView>
#include <QPushButton>
#include <QScreen>
#include <QSlider>
#include <QToolButton>

#include "app/AppTexts.h"
#include "app/CompareWindow.h"
#include "app/Configuration.h"
#include "app/DiagramBox.h"
#include "app/DiagramPanel.h"
#include "app/FavoritesBox.h"
#include "app/HintTracker.h"
#include "app/InfoPanel.h"
#include "app/MainBrowserHost.h"
#include "app/MessagePresenter.h"
#include "app/OptionRules.h"
#include "app/OptionsPanel.h"
#include "app/SlideSteps.h"
#include "app/SnapSplitter.h"
#include "browser/FileBrowser.h"
#include "browser/FileListMenu.h"
#include "browser/ShownFile.h"


TMainWindow::TMainWindow(Configuration& config, MessagePresenter& messages, ShownFile& shown, QWidget* parent)
    : QWidget(parent), config_(config), messages_(messages), shownFile_(shown)
{
    setObjectName(QStringLiteral("MainWindow"));
    setAttribute(Qt::WA_DeleteOnClose, false);
    setMinimumHeight(kMinHeight);
    browserHost_ = std::make_unique<MainBrowserHost>(*this, messages_);
    browser_ = std::make_unique<FileBrowser>(*browserHost_, shown, ShellNamespace::ForCurrentUser(), *this);
    ui_ = MainLayout::Build(this, browser_->Tree(), browser_->List(), browser_->FilterBar());
    ui_.diagramPanel->followShownFile(shown);
    ui_.panelInfo->followShownFile(shown);
    listMenu_ = std::make_unique<FileListMenu>(*browser_, *browserHost_);
    connect(this, &TMainWindow::navigateRequested, browser_.get(), &FileBrowser::NavigateToPath);
    resize(800, 600);
    FormCreate();
}

// Focus and hint changes keep coming while the child widgets are torn down;
// they must no longer reach this half-destroyed window.
TMainWindow::~TMainWindow()
{
    disconnect(focusConnection_);
    qApp->removeEventFilter(this);
    hints_.reset();
    // The browser leaves its widgets to the window but must not hear them go.
    listMenu_.reset();
    browser_.reset();
}

void TMainWindow::FormCreate()
{
    hints_ = std::make_unique<HintTracker>();
    connect(hints_.get(), &HintTracker::hintChanged, this, &TMainWindow::DisplayHint);
    connect(listMenu_.get(), &FileListMenu::HintChanged, this, &TMainWindow::DisplayHint);
    connectControls();

    if (!config_.ReadConfiguration(*this)) {
        readFailed_ = true;
        messages_.showMessage(MessagePresenter::Icon::Error, AppTexts::ErrorCaption(), AppTexts::ReadErrorText());
    }

    setWindowTitle(AppTexts::MainTitle());
    QCoreApplication::setApplicationName(AppTexts::ApplicationTitle());
    setStartHints();
    OptionsPanel* panel = ui_.optionsPanel;
    const OptionControls& c = panel->controls();
    c.LabelMy->setText(AppTexts::MainTitle());
    c.CheckBoxLink->setChecked(true);

    panel->rememberFocus();
    if (!panel->alwaysShown())
        panel->ButtonHideClick();

    // Applied once more as if clicked, whatever the reading left.
    shellOwner_ = c.CheckBoxMessages->isChecked() ? this : nullptr;
    const bool favs = c.CheckBoxFavs->isChecked();
    c.CheckBoxFavViews->setEnabled(favs);
    c.CheckBoxFavCaptions->setEnabled(favs);

    OptionRules::TreeStyleIndicator(c);
    browser_->ButtonCreateTreeClick();
    panel->UpdateOptionsContentHeight();
    c.CheckBoxHide->setEnabled(!panel->alwaysShown());
    ui_.diagramPanel->paintBox()->setOptions(diagramOptions());
    browser_->List()->SetThumbnailOptions(diagramOptions());
}

DiagramOptions TMainWindow::diagramOptions() const
{
    DiagramOptions options = DefaultDiagramOptions();
    options.Planes.Fit = fit();
    options.Planes.Orthogonal = ortho();
    options.Planes.ShowComplete = diagramChoices_.showComplete;
    options.AbsoluteValues = diagramChoices_.absoluteValues;
    options.ShowWarning = diagramChoices_.showWarning;
    options.TextLabels = diagramChoices_.textLabels;
    const int pixels = font().pixelSize() > 0 ? font().pixelSize() : fontMetrics().ascent();
    options.MainFontHeight = -pixels;
    return options;
}

void TMainWindow::setCompareWindow(TBigGonioWin* window)
{
    compare_ = window;
    if (compare_)
        compare_->setOptions(diagramOptions());
}

void TMainWindow::ShowCompareWindow()
{
    // With a folder entry focused the record is the last file's, of whatever folder: nothing to compare.
    if (!compare_ || !shownFile_.HasFile())
        return;
    // Titled as the list captions the file.
    const QString caption = NameToText(CaptionText(shownFile_.Texts(), browser_->Options().caption));
    compare_->ShowCopy(shownFile_.CurrentIes(), shownFile_.PlaneIndex(), caption);
}

void TMainWindow::SpeedButtonPrintClick()
{
    if (!shownFile_.HasFile() || shownFile_.CurrentIes().Candela.empty())
        return;
    PageRequest page;
    page.record = &shownFile_.CurrentIes();
    page.planeIndex = shownFile_.PlaneIndex();
    page.headerLines = PrintHeaderLines(shownFile_.Texts());
    page.options = diagramOptions();
    const QString& path = shownFile_.CurrentFilePath();
    const QString fileName = path.mid(path.lastIndexOf(QLatin1Char('/')) + 1);
    if (PrintDiagram(this, ui_.diagramPanel->printButton(), page, fileName, printDialog_) == PrintOutcome::Failed)
        messages_.showMessage(MessagePresenter::Icon::Error, AppTexts::MainTitle(),
                              QStringLiteral("The page could not be printed."));
}

void TMainWindow::connectControls()
{
    OptionsPanel* options = ui_.optionsPanel;
    const OptionControls& c = options->controls();
    connect(c.CheckBoxMessages, &QCheckBox::toggled, this, [this](bool on) { shellOwner_ = on ? this : nullptr; });

    // The browser follows the panel whether the user or the settings file set it.
    FileBrowser* browser = browser_.get();
    connect(options, &OptionsPanel::browserOptionsChanged, browser, &FileBrowser::ApplyOptions);
    connect(options, &OptionsPanel::treeOptionsChanged, browser->Tree(), &FolderTree::ApplyOptions);
    connect(options, &OptionsPanel::listOptionsChanged, browser, &FileBrowser::ApplyListOptions);
    connect(options, &OptionsPanel::refreshRequested, browser, &FileBrowser::ButtonRefreshClick);
    connect(options, &OptionsPanel::favouriteOptionsChanged, browser, &FileBrowser::SetFavouriteOptions);
    browser->ApplyOptions(options->browserOptions());
    browser->Tree()->ApplyOptions(options->treeOptions());
    browser->ApplyListOptions(options->listOptions());
    browser->SetFavouriteOptions(options->favouriteOptions());
    listMenu_->SetFavorites(new FavoritesBox(c, *browser, this));

    diagramChoices_ = options->diagramChoices();
    connect(options, &OptionsPanel::diagramChoicesChanged, this, [this](const DiagramChoices& choices) {
        diagramChoices_ = choices;
        emit diagramOptionsChanged();
    });

    DiagramPanel* diagram = ui_.diagramPanel;
    connect(diagram->fitButton(), &QToolButton::toggled, this, &TMainWindow::diagramOptionsChanged);
    connect(diagram->orthoButton(), &QToolButton::toggled, this, &TMainWindow::diagramOptionsChanged);
    connect(diagram->paintBox(), &DiagramBox::toggleFitRequested, diagram->fitButton(), &QToolButton::toggle);
    connect(diagram->paintBox(), &DiagramBox::toggleOrthoRequested, diagram->orthoButton(), &QToolButton::toggle);
    connect(diagram->paintBox(), &DiagramBox::magnifierOnToggleRequested, c.CheckBoxOn, &QCheckBox::toggle);
    connect(diagram->paintBox(), &DiagramBox::magnifierPlusToggleRequested, c.CheckBoxPlus, &QCheckBox::toggle);
    connect(diagram->paintBox(), &DiagramBox::lensRadiusDragged, c.TrackBarR, &QSlider::setValue);
    connect(diagram->paintBox(), &DiagramBox::lensRefractionDragged, c.TrackBarK, &QSlider::setValue);
    connect(options, &OptionsPanel::lensOptionsChanged, diagram->paintBox(), &DiagramBox::setLensOptions);
    diagram->paintBox()->setLensOptions(options->lensOptions());
    connect(this, &TMainWindow::diagramOptionsChanged, this, [this] {
        const DiagramOptions drawing = diagramOptions();
        ui_.diagramPanel->paintBox()->setOptions(drawing);
        browser_->List()->SetThumbnailOptions(drawing);
        if (compare_)
            compare_->setOptions(drawing);
    });
    connect(diagram->printButton(), &QToolButton::clicked, this, &TMainWindow::SpeedButtonPrintClick);
    connect(diagram, &DiagramPanel::compareWindowRequested, this, &TMainWindow::ShowCompareWindow);
    connect(c.CheckBoxMethod, &QCheckBox::toggled, diagram->paintBox(), &DiagramBox::setQualityRepaint);

    // The handle stands in for the panel whenever it is out, however it went.
    auto followPanel = [this] { ui_.panelHandle->setVisible(!ui_.optionsPanel->isVisibleTo(this)); };
    connect(options, &OptionsPanel::slidOut, this, followPanel);
    connect(options, &OptionsPanel::slidIn, this, followPanel);
    connect(ui_.panelHandle, &QToolButton::clicked, options, &OptionsPanel::ButtonShowClick);

    ui_.listInfoSplitter->setSizeFilter(1, [](int height) { return std::optional<int>(Splitter2CanResize(height)); });
    ui_.columnSplitter->setSizeFilter(0, [this](int width) { return SplitterCanResize(width); });

    setMouseTracking(true);
    qApp->installEventFilter(this);
    focusConnection_ = connect(qApp, &QApplication::focusChanged, this, [this](QWidget* old, QWidget* now) {
        // PanelMainExit: the focus left the options panel.
        OptionsPanel* panel = ui_.optionsPanel;
        const bool wasInside = old && panel->isAncestorOf(old);
        const bool isInside = now && panel->isAncestorOf(now);
        if (wasInside && !isInside && panel->isEnabled() && panel->isVisible() && !panel->alwaysShown())
            panel->ButtonHideClick();
    });
}

void TMainWindow::setStartHints()
{
    const OptionControls& c = ui_.optionsPanel->controls();
    const std::pair<QWidget*, const char*> hints[] = {
        {c.CheckBoxWarning, "Warning icon\nRender with this IES file by\nAutodesk VIZ4 and Insight 2.xx\nmay be incorrect"},
        {c.CheckBoxMethod, "Quality repaint diagramm.\nRepaint without flashes. This\nmethod requires more memory"},
        {c.CheckBoxOn, "On/Off magnify\nCtrl + left click at diagram"},
        {c.CheckBoxPlus, "Increase/decrease\nCtrl + right click at diagram"},
        {c.TrackBarK, "Index of refraction\nAlt (or Shift) + left button + mouse\nup/down at diagram"},
        {c.TrackBarR, "Radius\nAlt (or Shift) + right button + mouse\nup/down at diagram"},
        {c.CheckBoxMulti, "A multiplying factor for all the candela values\nValues: relative(cd/klm) / absolute(cd)"},
        {c.CheckBoxComplete, "Show complete diagramm at\nbegining degrees above 90"},
        {c.ButtonRefresh, "Refresh\nF5"},
        {c.ButtonHide, "Hide Options Panel\nShow: Ctrl (or right mouse button) + \nmove mouse to right edge of window"},
    };
    for (const auto& [control, text] : hints)
        control->setToolTip(QString::fromUtf8(text));
    ui_.diagramPanel->degreeSlider()->setToolTip(DiagramPanel::SliderHint());
    ui_.diagramPanel->fitButton()->setToolTip(QStringLiteral("Fit goniogram\nLeft click at diagram"));
    ui_.diagramPanel->orthoButton()->setToolTip(QStringLiteral("Show orthogonal diagram\nRight click at diagram"));
}

void TMainWindow::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (!shown_) {
        shown_ = true;
        FormShow();
    }
}

void TMainWindow::FormShow()
{
    keepOnScreen();
    applyPendingSizes();
    ui_.diagramPanel->FormResize();
    if (!ui_.optionsPanel->controls().CheckBoxSave->isChecked())
        storedPath_.clear();
    if (!startPath_.isEmpty() && browser_->OpenPath(QFile::encodeName(startPath_).toStdString()))
        return;
    emit navigateRequested(storedPath_);
}

void TMainWindow::closeEvent(QCloseEvent* event)
{
    event->accept();
    // A late close (a signal while the last message shows) must not write again.
    if (closed_)
        return;
    closed_ = true;
    config_.WriteConfiguration(*this);
    browser_->List()->ClearCatalog();
}

void TMainWindow::FormDestroy()
{
    if (config_.ConfigWriteFailed() && !writeReported_) {
        writeReported_ = true;
        messages_.showMessage(MessagePresenter::Icon::None, AppTexts::MainTitle(), config_.writeFailureMessage());
    }
}

void TMainWindow::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    applyPendingSizes();
}

void TMainWindow::DisplayHint(const QString& hint)
{
    const bool fullPath = ui_.optionsPanel->controls().CheckBoxTitleBar->isChecked();
    if (!hint.isEmpty() && (hint.startsWith(QLatin1Char('?')) || (hint.startsWith(QLatin1Char('!')) && fullPath))) {
        const qsizetype bar = hint.indexOf(QLatin1Char('|'));
        const QString longPart = bar < 0 ? hint : hint.mid(bar + 1);
        setWindowTitle(AppTexts::MainTitle() + longPart.mid(1));
        hintTitleShown_ = true;
    } else if (hint.isEmpty() && hintTitleShown_) {
        hintTitleShown_ = false;
        setWindowTitle(AppTexts::MainTitle());
        if (fullPath)
            ShowPathInTitle();
    }
}

void TMainWindow::ShowPathInTitle()
{
    browser_->ShowPathInTitle();
}

void TMainWindow::ShowOptionsPanelClick()
{
    OptionsPanel* panel = ui_.optionsPanel;
    if (panel->isVisible()) {
        panel->ButtonHideClick();
        return;
    }
    const QPoint at = QCursor::pos();
    QCursor::setPos(x() + width() - panel->content()->width() / 2, at.y());
    panel->ButtonShowClick();
}

void TMainWindow::FormMouseMove(QWidget* over, QMouseEvent* event)
{
    OptionsPanel* panel = ui_.optionsPanel;
    if (panel->isEnabled()) {
        if (panel->isVisible() && panel->autoHides() && !panel->alwaysShown())
            panel->ButtonHideClick();
        return;
    }
    const int x = over->mapFromGlobal(event->globalPosition().toPoint()).x();
    if (SlideSteps::EdgeGestureShows(x, ui_.folderList->viewport()->width(), event->modifiers(), event->buttons()))
        panel->ButtonShowClick();
}

int TMainWindow::Splitter2CanResize(int height)
{
    return SlideSteps::SnapInfoHeight(height);
}

std::optional<int> TMainWindow::SplitterCanResize(int width)
{
    if (width < MainLayout::kRightMinWidth || width == lastColumnWidth_)
        return std::nullopt;
    lastColumnWidth_ = width;
    return width;
}

bool TMainWindow::wheelStepsSlider(QWheelEvent* event)
{
    QSlider* slider = ui_.diagramPanel->degreeSlider();
    const Qt::KeyboardModifiers keys =
        event->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
    if (keys != Qt::ShiftModifier || event->buttons() != Qt::NoButton || !slider->isEnabled())
        return false;
    const QPoint delta = event->angleDelta();
    const int turn = delta.y() != 0 ? delta.y() : delta.x();
    if (turn < 0 && slider->value() < slider->maximum())
        slider->setValue(slider->value() + 1);
    else if (turn > 0 && slider->value() > slider->minimum())
        slider->setValue(slider->value() - 1);
    return true;
}

bool TMainWindow::eventFilter(QObject* watched, QEvent* event)
{
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget || widget->window() != this)
        return QWidget::eventFilter(watched, event);
    if (event->type() == QEvent::Wheel) {
        auto* wheel = static_cast<QWheelEvent*>(event);
        // Only Shift + wheel moves the degree slider; the slider takes no wheel of its own.
        if (wheelStepsSlider(wheel) || watched == ui_.diagramPanel->degreeSlider())
            return true;
    } else if (event->type() == QEvent::MouseMove
               && (watched == this || watched == ui_.folderList->viewport())) {
        FormMouseMove(widget, static_cast<QMouseEvent*>(event));
    }
    return QWidget::eventFilter(watched, event);
}
