#include "app/MainWindow.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QCursor>
#include <QLabel>
#include <QListView>
#include <QScreen>
#include <QSlider>
#include <QToolButton>

#include "app/AppTexts.h"
#include "app/BrowserOptionsBinding.h"
#include "app/Configuration.h"
#include "app/DiagramBox.h"
#include "app/DiagramPanel.h"
#include "app/HintTracker.h"
#include "app/MainBrowserHost.h"
#include "app/MessagePresenter.h"
#include "app/OptionRules.h"
#include "app/OptionsPanel.h"
#include "app/SlideSteps.h"
#include "app/SnapSplitter.h"
#include "browser/FileBrowser.h"


TMainWindow::TMainWindow(Configuration& config, MessagePresenter& messages, QWidget* parent)
    : QWidget(parent), config_(config), messages_(messages)
{
    setObjectName(QStringLiteral("MainWindow"));
    setAttribute(Qt::WA_DeleteOnClose, false);
    setMinimumHeight(kMinHeight);
    browserHost_ = std::make_unique<MainBrowserHost>(*this, messages_);
    browser_ = std::make_unique<FileBrowser>(*browserHost_, ShellNamespace::ForCurrentUser());
    ui_ = MainLayout::Build(this, browser_->Tree(), browser_->List());
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
    delete hints_;
    // The browser leaves its widgets to the window but must not hear them go.
    browser_.reset();
}

void TMainWindow::FormCreate()
{
    hints_ = new HintTracker(this);
    connect(hints_, &HintTracker::hintChanged, this, &TMainWindow::DisplayHint);
    connectControls();

    if (!config_.ReadConfiguration(*this)) {
        readFailed_ = true;
        messages_.showMessage(MessagePresenter::Icon::Error, AppTexts::ErrorCaption(), AppTexts::ReadErrorText());
    }

    setWindowTitle(AppTexts::MainTitle());
    QCoreApplication::setApplicationName(AppTexts::ApplicationTitle());
    setStartHints();
    ui_.panelMain->control<QLabel>(QStringLiteral("LabelMy"))->setText(AppTexts::MainTitle());
    ui_.panelMain->control<QCheckBox>(QStringLiteral("CheckBoxLink"))->setChecked(true);

    ui_.panelMain->rememberFocus();
    if (!ui_.panelMain->ticked(QStringLiteral("CheckBoxAlways")))
        ui_.panelMain->ButtonHideClick();

    // Applied once more as if clicked, whatever the reading left.
    shellOwner_ = ui_.panelMain->ticked(QStringLiteral("CheckBoxMessages")) ? this : nullptr;
    const bool favs = ui_.panelMain->ticked(QStringLiteral("CheckBoxFavs"));
    ui_.panelMain->control<QWidget>(QStringLiteral("CheckBoxFavViews"))->setEnabled(favs);
    ui_.panelMain->control<QWidget>(QStringLiteral("CheckBoxFavCaptions"))->setEnabled(favs);
    treeUpdating_ = false;

    OptionRules::TreeStyleIndicator(ui_.panelMain->content());
    browser_->ButtonCreateTreeClick();
    ui_.panelMain->UpdateOptionsContentHeight();
    // This platform always blends; there is no library to load and nothing to warn about.
    alphaBlend_ = true;
    ui_.panelMain->control<QWidget>(QStringLiteral("CheckBoxHide"))
        ->setEnabled(!ui_.panelMain->ticked(QStringLiteral("CheckBoxAlways")));
    ui_.panelImage->paintBox()->setOptions(diagramOptions());
}

DiagramOptions TMainWindow::diagramOptions() const
{
    DiagramOptions options = DefaultDiagramOptions();
    const OptionsPanel* panel = ui_.panelMain;
    options.Planes.Fit = fit();
    options.Planes.Orthogonal = ortho();
    options.Planes.ShowComplete = panel->ticked(QStringLiteral("CheckBoxComplete"));
    options.AbsoluteValues = panel->ticked(QStringLiteral("CheckBoxMulti"));
    options.ShowWarning = panel->ticked(QStringLiteral("CheckBoxWarning"));
    options.TextLabels = panel->ticked(QStringLiteral("CheckBoxLabels"));
    const int pixels = font().pixelSize() > 0 ? font().pixelSize() : fontMetrics().ascent();
    options.MainFontHeight = -pixels;
    return options;
}

void TMainWindow::setFileShown(bool shown)
{
    ui_.panelImage->paintBox()->setRecord(shown ? &CurrentIes_ : nullptr);
}

void TMainWindow::connectControls()
{
    OptionsPanel* options = ui_.panelMain;
    connect(options->control<QCheckBox>(QStringLiteral("CheckBoxMessages")), &QCheckBox::toggled, this,
            [this](bool on) { shellOwner_ = on ? this : nullptr; });
    BindBrowserOptions(*options, *browser_);
    for (const char* name : {"CheckBoxMulti", "CheckBoxComplete", "CheckBoxWarning", "CheckBoxLabels"})
        connect(options->control<QCheckBox>(QString::fromLatin1(name)), &QCheckBox::toggled, this,
                &TMainWindow::diagramOptionsChanged);

    DiagramPanel* diagram = ui_.panelImage;
    connect(diagram->fitButton(), &QToolButton::toggled, this, &TMainWindow::diagramOptionsChanged);
    connect(diagram->orthoButton(), &QToolButton::toggled, this, &TMainWindow::diagramOptionsChanged);
    connect(diagram->paintBox(), &DiagramBox::toggleFitRequested, diagram->fitButton(), &QToolButton::toggle);
    connect(diagram->paintBox(), &DiagramBox::toggleOrthoRequested, diagram->orthoButton(), &QToolButton::toggle);
    connect(diagram->paintBox(), &DiagramBox::magnifierOnToggleRequested, this, [options] {
        options->control<QCheckBox>(QStringLiteral("CheckBoxOn"))->toggle();
    });
    connect(diagram->paintBox(), &DiagramBox::magnifierPlusToggleRequested, this, [options] {
        options->control<QCheckBox>(QStringLiteral("CheckBoxPlus"))->toggle();
    });
    connect(this, &TMainWindow::diagramOptionsChanged, this,
            [this] { ui_.panelImage->paintBox()->setOptions(diagramOptions()); });
    connect(diagram->degreeSlider(), &QSlider::valueChanged, diagram->paintBox(), &DiagramBox::setPlaneIndex);
    connect(options->control<QCheckBox>(QStringLiteral("CheckBoxMethod")), &QCheckBox::toggled, diagram->paintBox(),
            &DiagramBox::setQualityRepaint);

    ui_.splitter2->setSizeFilter(1, [](int height) { return std::optional<int>(Splitter2CanResize(height)); });
    ui_.splitter->setSizeFilter(0, [this](int width) { return SplitterCanResize(width); });

    setMouseTracking(true);
    qApp->installEventFilter(this);
    focusConnection_ = connect(qApp, &QApplication::focusChanged, this, [this](QWidget* old, QWidget* now) {
        // PanelMainExit: the focus left the options panel.
        OptionsPanel* panel = ui_.panelMain;
        const bool wasInside = old && panel->isAncestorOf(old);
        const bool isInside = now && panel->isAncestorOf(now);
        if (wasInside && !isInside && panel->isEnabled() && panel->isVisible()
            && !panel->ticked(QStringLiteral("CheckBoxAlways")))
            panel->ButtonHideClick();
    });
}

void TMainWindow::setStartHints()
{
    struct Hint {
        const char* control;
        const char* text;
    };
    static constexpr Hint kHints[] = {
        {"CheckBoxWarning", "Warning icon\nRender with this IES file by\nAutodesk VIZ4 and Insight 2.xx\nmay be incorrect"},
        {"CheckBoxMethod", "Quality repaint diagramm.\nRepaint without flashes. This\nmethod requires more memory"},
        {"CheckBoxOn", "On/Off magnify\nCtrl + left click at diagram"},
        {"CheckBoxPlus", "Increase/decrease\nCtrl + right click at diagram"},
        {"TrackBarK", "Index of refraction\nAlt + left button + mouse\nup/down at diagram"},
        {"TrackBarR", "Radius\nAlt + right button + mouse\nup/down at diagram"},
        {"CheckBoxMulti", "A multiplying factor for all the candela values\nValues: relative(cd/klm) / absolute(cd)"},
        {"CheckBoxComplete", "Show complete diagramm at\nbegining degrees above 90"},
        {"ButtonRefresh", "Refresh\nF5"},
        {"ButtonHide", "Hide Options Panel\nShow: Ctrl (or right mouse button) + \nmove mouse to right edge of window"},
    };
    for (const Hint& hint : kHints)
        ui_.panelMain->control<QWidget>(QString::fromLatin1(hint.control))->setToolTip(QString::fromUtf8(hint.text));
    ui_.panelImage->degreeSlider()->setToolTip(QStringLiteral("Change Vertical Degree\nCtrl+Rotate Mouse Wheel"));
    ui_.panelImage->fitButton()->setToolTip(QStringLiteral("Fit goniogram\nLeft click at diagram"));
    ui_.panelImage->orthoButton()->setToolTip(QStringLiteral("Show orthogonal diagram\nRight click at diagram"));
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
    applyPendingSizes();
    ui_.panelImage->measureSliderGap();
    ui_.panelImage->FormResize();
    if (!ui_.panelMain->ticked(QStringLiteral("CheckBoxSave")))
        storedPath_.clear();
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
    treeUpdating_ = true;
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
    const bool fullPath = ui_.panelMain->ticked(QStringLiteral("CheckBoxTitleBar"));
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
    OptionsPanel* panel = ui_.panelMain;
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
    OptionsPanel* panel = ui_.panelMain;
    if (panel->isEnabled()) {
        if (panel->isVisible() && panel->ticked(QStringLiteral("CheckBoxHide"))
            && !panel->ticked(QStringLiteral("CheckBoxAlways")))
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
    QSlider* slider = ui_.panelImage->degreeSlider();
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
        if (wheelStepsSlider(wheel) || watched == ui_.panelImage->degreeSlider())
            return true;
    } else if (event->type() == QEvent::MouseMove
               && (watched == this || watched == ui_.folderList->viewport())) {
        FormMouseMove(widget, static_cast<QMouseEvent*>(event));
    }
    return QWidget::eventFilter(watched, event);
}
