#include "render/RenderWindow.h"

#include <span>

#include <QCloseEvent>
#include <QFrame>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QToolButton>

#include "render/RenderEngine.h"
#include "render/RenderGlyphs.h"
#include "render/RenderSource.h"

namespace {

constexpr int kZoomMax = 10000;

template <typename Control>
Control* Place(Control* control, const char* name, QRect geometry)
{
    control->setObjectName(QString::fromLatin1(name));
    control->setGeometry(geometry);
    return control;
}

QLabel* Label(QWidget* parent, const char* name, const QString& text, QPoint at)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->move(at);
    label->adjustSize();
    return label;
}

QPushButton* ResetButton(QWidget* parent, const char* name, QRect geometry, const char* hint)
{
    auto* button = Place(new QPushButton(QStringLiteral("R"), parent), name, geometry);
    button->setToolTip(QString::fromUtf8(hint));
    return button;
}

RenderTrackBar* TrackBar(QWidget* parent, const char* name, QRect geometry, int maximum)
{
    auto* slider = Place(new RenderTrackBar(parent), name, geometry);
    slider->setRange(1, maximum);
    return slider;
}

QToolButton* ToggleButton(QWidget* parent, const char* name, QRect geometry, const QIcon& glyph, const char* hint)
{
    auto* button = Place(new QToolButton(parent), name, geometry);
    button->setCheckable(true);
    button->setAutoRaise(true);
    // Like the tool bar's buttons, the toggles never take the focus from a slider.
    button->setFocusPolicy(Qt::NoFocus);
    button->setIcon(glyph);
    button->setIconSize(QSize(geometry.width() - 6, geometry.height() - 6));
    button->setToolTip(QString::fromUtf8(hint));
    return button;
}

// A stored position whose window would lie on no screen (a monitor since
// removed) is replaced by the centred default, so the window cannot get lost.
QPoint OnSomeScreen(QPoint stored, QSize window, QPoint centred)
{
    const QRect placed(stored, window);
    for (const QScreen* screen : QGuiApplication::screens())
        if (screen->geometry().intersects(placed))
            return stored;
    return centred;
}

}  // namespace

RenderTrackBar::RenderTrackBar(QWidget* parent) : QSlider(Qt::Horizontal, parent)
{
    setTickPosition(QSlider::NoTicks);
}

void RenderTrackBar::mouseReleaseEvent(QMouseEvent* event)
{
    QSlider::mouseReleaseEvent(event);
    emit settled();
}

void RenderTrackBar::keyReleaseEvent(QKeyEvent* event)
{
    QSlider::keyReleaseEvent(event);
    // A held key repeats its release; only the real one ends the change.
    if (!event->isAutoRepeat())
        emit settled();
}

void RenderTrackBar::wheelEvent(QWheelEvent* event)
{
    QSlider::wheelEvent(event);
    // Each wheel step is a finished change, like a key step.
    emit settled();
}

TRenderWindow::TRenderWindow(RenderSettingsStore& store, const RenderSource& source, QWidget* parent)
    : QWidget(parent, Qt::Dialog | Qt::WindowStaysOnTopHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      store_(store), source_(source)
{
    setObjectName(QStringLiteral("RenderWindow"));
    setWindowTitle(QStringLiteral("Render (Beta 1.4)"));
    setFixedSize(kClientWidth, kClientHeight);
    FormCreate();
}

TRenderWindow::~TRenderWindow()
{
    FormDestroy();
}

void TRenderWindow::FormCreate()
{
    auto* panel1 = Place(new QFrame(this), "Panel1", QRect(9, 9, 305, 305));
    panel1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    image1_ = Place(new QLabel(panel1), "Image1", QRect(2, 2, kRenderSize, kRenderSize));

    Label(this, "Label1", QStringLiteral("Brightness:"), QPoint(12, 325));
    label2_ = Label(this, "Label2", QString(), QPoint(67, 325));
    Label(this, "Label3", QStringLiteral("Zoom:"), QPoint(12, 342));
    labelZoom_ = Label(this, "LabelZoom", QString(), QPoint(54, 342));
    Label(this, "Label4", QStringLiteral("Z:"), QPoint(12, 358))->setEnabled(false);

    // Created in tab order: each slider, then its reset button, then Close.
    trackBar2_ = TrackBar(this, "TTrackBar2", QRect(95, 325, 150, 17), 100);
    trackBar2_->setValue(15);
    auto* resetBrightness = ResetButton(this, "ButtonResetBrightness", QRect(248, 326, 17, 17), "Reset brightness");
    trackBarZoom_ = TrackBar(this, "TTrackBarZoom", QRect(95, 342, 150, 17), kZoomMax);
    trackBarZoom_->setValue(kDefaultZoom);
    auto* resetZoom = ResetButton(this, "ButtonResetZoom", QRect(248, 342, 17, 17), "Reset zoom");
    trackBarZ_ = TrackBar(this, "TTrackBarZ", QRect(95, 359, 150, 17), kZoomMax);
    trackBarZ_->setEnabled(false);
    auto* resetZ = ResetButton(this, "ButtonReset", QRect(248, 358, 17, 17), "Reset Z");
    resetZ->setEnabled(false);
    auto* close = Place(new QPushButton(QStringLiteral("&Close"), this), "ButtonClose", QRect(272, 349, 75, 26));
    // Where the hidden Update button would be: why a type B or A file shows white.
    labelNotRendered_ = Place(new QLabel(this), "LabelNotRendered", QRect(268, 317, 86, 30));
    labelNotRendered_->setAlignment(Qt::AlignCenter);
    labelNotRendered_->setWordWrap(true);
    labelNotRendered_->hide();
    // Kept for its action only; it is never shown.
    auto* update = Place(new QPushButton(QStringLiteral("&Update"), this), "ButtonUpdate", QRect(272, 320, 75, 17));
    update->hide();
    setTabOrder(trackBar2_, resetBrightness);
    setTabOrder(resetBrightness, trackBarZoom_);
    setTabOrder(trackBarZoom_, resetZoom);
    setTabOrder(resetZoom, close);

    sbUpdate_ = ToggleButton(this, "SBUpdate", QRect(320, 253, 29, 29), RenderGlyphs::AutoUpdate(),
                             "Automatic update render");
    sbUpdate_->setChecked(true);
    sbRadiosity_ = ToggleButton(this, "SBradiosity", QRect(320, 282, 29, 29), RenderGlyphs::Radiosity(), "Radiosity");
    sbRadiosity_->setChecked(true);

    // The view is always XY; the other two stay for what they announce.
    const char* const views[][2] = {{"RadioButtonXY", "XY"}, {"RadioButtonZ", "Z"}, {"RadioButtonNZ", "-Z"}};
    for (int i = 0; i < 3; ++i) {
        auto* radio = new QRadioButton(QString::fromLatin1(views[i][1]), this);
        radio->setObjectName(QString::fromLatin1(views[i][0]));
        radio->move(320, 48 + 40 * i);
        radio->adjustSize();
        radio->setChecked(i == 0);
        radio->setEnabled(false);
    }

    for (RenderTrackBar* slider : {trackBar2_, trackBarZoom_, trackBarZ_}) {
        connect(slider, &QSlider::valueChanged, this, &TRenderWindow::TrackBarChange);
        connect(slider, &RenderTrackBar::settled, this, &TRenderWindow::TrackBarSettled);
    }
    connect(resetBrightness, &QPushButton::clicked, this, &TRenderWindow::ButtonResetBrightnessClick);
    connect(resetZoom, &QPushButton::clicked, this, &TRenderWindow::ButtonResetZoomClick);
    connect(resetZ, &QPushButton::clicked, this, &TRenderWindow::ButtonResetClick);
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    connect(update, &QPushButton::clicked, this, &TRenderWindow::ButtonUpdateClick);
    connect(sbUpdate_, &QToolButton::clicked, this, &TRenderWindow::SBUpdateClick);
    connect(sbRadiosity_, &QToolButton::clicked, this, &TRenderWindow::SBradiosityClick);

    TrackBarChange();
    ReadRenderSettings();
}

void TRenderWindow::ReadRenderSettings()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QSize screenSize = screen ? screen->geometry().size() : QSize();
    RenderSettings read = settings();
    readError_ = store_.ReadRenderSettings(read, screenSize, size());
    const QPoint centred((screenSize.width() - width()) / 2, (screenSize.height() - height()) / 2);
    // Through the controls, so the sliders clamp what lies outside their ranges.
    move(OnSomeScreen(QPoint(read.left, read.top), size(), centred));
    trackBar2_->setValue(read.brightness);
    trackBarZoom_->setValue(read.zoom);
    sbRadiosity_->setChecked(read.radiosity);
    sbUpdate_->setChecked(read.autoUpdate);
}

RenderSettings TRenderWindow::settings() const
{
    return RenderSettings{pos().x(), pos().y(), trackBar2_->value(), trackBarZoom_->value(),
                          sbRadiosity_->isChecked(), sbUpdate_->isChecked()};
}

bool TRenderWindow::autoUpdate() const
{
    return sbUpdate_->isChecked();
}

void TRenderWindow::FormDestroy()
{
    if (destroyed_)
        return;
    destroyed_ = true;
    store_.WriteRenderSettings(settings());
}

bool TRenderWindow::FileShown() const
{
    return !source_.CurrentFilePath().isEmpty();
}

void TRenderWindow::DoRender()
{
    lastRendered_ = source_.CurrentFilePath();
    sliderChanged_ = false;
    RenderRequest request;
    request.Plane = source_.PlaneIndex();
    request.Brightness = trackBar2_->value();
    request.Zoom = trackBarZoom_->value();
    request.Z = trackBarZ_->value();
    request.Radiosity = sbRadiosity_->isChecked();
    request.Planes = source_.Planes();
    const tIES& ies = source_.CurrentIes();
    QImage picture(kRenderSize, kRenderSize, QImage::Format_Grayscale8);
    // The engine writes rows of exactly kRenderSize bytes, as this format lays them out.
    Q_ASSERT(picture.bytesPerLine() == kRenderSize);
    RenderLight(ies, MakeRenderParameters(ies, request),
                std::span<std::uint8_t, kRenderPixels>(picture.bits(), kRenderPixels));
    image_ = picture;
    image1_->setPixmap(QPixmap::fromImage(image_));
    // Types 2 and 3 (B and A): the engine renders type C only.
    const bool typeBOrA = ies.PhotometricType == 2 || ies.PhotometricType == 3;
    labelNotRendered_->setText(typeBOrA ? QStringLiteral("Type %1 file:\nnot rendered")
                                              .arg(QChar(static_cast<char16_t>(u'D' - ies.PhotometricType)))
                                        : QString());
    labelNotRendered_->setToolTip(typeBOrA ? QStringLiteral("Only type C photometry is rendered;\n"
                                                            "a type B or type A file gives a white picture.")
                                           : QString());
    labelNotRendered_->setVisible(typeBOrA);
    emit rendered();
}

void TRenderWindow::ShownFileChanged()
{
    if (isVisible() && sbUpdate_->isChecked())
        ButtonUpdateClick();
}

void TRenderWindow::ButtonUpdateClick()
{
    if (FileShown())
        DoRender();
}

void TRenderWindow::SBUpdateClick()
{
    // Catches up with a file selected while automatic update was off, whichever way the toggle went.
    if (FileShown() && source_.CurrentFilePath() != lastRendered_)
        DoRender();
}

void TRenderWindow::SBradiosityClick()
{
    FormShow();
}

void TRenderWindow::ButtonResetBrightnessClick()
{
    trackBar2_->setValue(kDefaultBrightness);
    FormShow();
}

void TRenderWindow::ButtonResetZoomClick()
{
    trackBarZoom_->setValue(kDefaultZoom);
    FormShow();
}

void TRenderWindow::ButtonResetClick()
{
    trackBarZ_->setValue(0);
    FormShow();
}

void TRenderWindow::FormShow()
{
    if (FileShown())
        DoRender();
}

void TRenderWindow::TrackBarChange()
{
    label2_->setText(QString::number(trackBar2_->value()));
    label2_->adjustSize();
    labelZoom_->setText(QString::number(kZoomMax - trackBarZoom_->value()));
    labelZoom_->adjustSize();
    sliderChanged_ = true;
}

void TRenderWindow::TrackBarSettled()
{
    if (sliderChanged_ && FileShown())
        DoRender();
}

void TRenderWindow::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    // A window restored from the task bar is not shown anew.
    if (!event->spontaneous())
        FormShow();
}

void TRenderWindow::closeEvent(QCloseEvent* event)
{
    QWidget::closeEvent(event);
    emit closed();
}
