#include "app/DiagramPanel.h"

#include <algorithm>

#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QSignalBlocker>
#include <QSlider>
#include <QToolButton>

#include "app/DiagramBox.h"
#include "app/ToolGlyphs.h"
#include "browser/ShownFile.h"

namespace {

QToolButton* ToolButton(QWidget* bar, const char* name, QRect geometry, const QIcon& icon, bool checkable,
                        const char* hint)
{
    auto* button = new QToolButton(bar);
    button->setObjectName(QString::fromLatin1(name));
    button->setGeometry(geometry);
    button->setIcon(icon);
    button->setCheckable(checkable);
    button->setAutoRaise(true);
    button->setToolTip(QString::fromUtf8(hint));
    return button;
}

}  // namespace

DiagramPanel::DiagramPanel(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("PanelImage"));
    setMinimumSize(kMinWidth, kMinHeight);
    toolBar_ = new QWidget(this);
    toolBar_->setObjectName(QStringLiteral("PanelDegree"));

    fit_ = ToolButton(toolBar_, "SpeedButtonFit", QRect(8, 6, 18, 20), ToolGlyphs::Fit(), true,
                      "Fit goniogram\nLeft click at diagram");
    ortho_ = ToolButton(toolBar_, "SpeedButtonOrtho", QRect(26, 6, 20, 20), ToolGlyphs::Ortho(), true,
                        "Show orthogonal diagram\nRight click at diagram");
    render_ = ToolButton(toolBar_, "SpeedButtonRender", QRect(46, 6, 20, 20), ToolGlyphs::Render(), true, "Render");
    print_ = ToolButton(toolBar_, "SpeedButtonPrint", QRect(66, 6, 20, 20), ToolGlyphs::Print(), false, "Print");
    fit_->installEventFilter(this);
    // Nothing to render or print until a file is shown.
    render_->setEnabled(false);
    print_->setEnabled(false);

    labelDegree_ = new QLabel(QStringLiteral("Degree:"), toolBar_);
    labelDegree_->setObjectName(QStringLiteral("LabelDegree"));
    labelDegree_->move(56, 9);
    labelDegree_->hide();
    labelAxial_ = new QLabel(QStringLiteral("axially symmetric"), toolBar_);
    labelAxial_->setObjectName(QStringLiteral("LabelAxial"));
    labelAxial_->move(96, 9);
    labelAxial_->hide();

    degreeSlider_ = new QSlider(Qt::Horizontal, toolBar_);
    degreeSlider_->setObjectName(QStringLiteral("TrackBarDegree"));
    degreeSlider_->setGeometry(labelAxial_->x(), 1, kSliderMaxWidth, 29);
    degreeSlider_->setRange(0, 0);
    degreeSlider_->setTickPosition(QSlider::TicksAbove);
    degreeSlider_->setFocusPolicy(Qt::NoFocus);
    degreeSlider_->setToolTip(SliderHint());
    degreeSlider_->setEnabled(false);
    degreeSlider_->hide();

    paintBox_ = new DiagramBox(this);
    // Letting the slider go (mouse or key) renews the diagram's snapshot.
    degreeSlider_->installEventFilter(this);
}

QString DiagramPanel::SliderHint()
{
    // Shift is what moves the slider (the window's wheel handler).
    return QStringLiteral("Change Vertical Degree\nShift+Rotate Mouse Wheel");
}

QRect DiagramPanel::DiagramSquare(QSize client, int toolBarHeight)
{
    const int side = std::max(std::min(client.width() - 4, client.height() - toolBarHeight - 4), 0);
    return QRect((client.width() - side) / 2, (client.height() + toolBarHeight - side) / 2 + 1, side, side);
}

void DiagramPanel::followShownFile(ShownFile& file)
{
    shown_ = &file;
    connect(&file, &ShownFile::fileChanged, this, &DiagramPanel::ShownFileChanged);
    connect(&file, &ShownFile::planeChanged, this, [this](int index) {
        paintBox_->setPlaneIndex(index);
        degreeSlider_->setValue(degreeSlider_->minimum() + index);
    });
    connect(degreeSlider_, &QSlider::valueChanged, &file,
            [this](int value) { shown_->SetPlaneIndex(value - degreeSlider_->minimum()); });
}

// A file shown: the slider gets its planes and stands on the 0-degree plane,
// shown only when there are several (with exactly one, the "axially symmetric" label).
// None shown: the slider goes to its minimum and hides with the label.
// Print (only for a record with values) and Render follow, and the diagram is drawn or emptied.
void DiagramPanel::ShownFileChanged()
{
    const bool hasFile = shown_->HasFile();
    // The slider follows the file here; its own moves must not feed back.
    const QSignalBlocker quiet(degreeSlider_);
    degreeSlider_->setEnabled(false);
    // A file that did not read has no curve to print: an empty grid is no page.
    print_->setEnabled(hasFile && !shown_->CurrentIes().Candela.empty());
    render_->setEnabled(hasFile);
    bool planes = false;
    if (hasFile) {
        const int last = shown_->CurrentIes().HorzCount - 1;
        if (last >= degreeSlider_->minimum())
            degreeSlider_->setMaximum(last);
        planes = last > 0;
        if (planes)
            degreeSlider_->setValue(degreeSlider_->minimum() + shown_->PlaneIndex());
    } else {
        degreeSlider_->setValue(degreeSlider_->minimum());
    }
    degreeSlider_->setEnabled(planes);
    degreeSlider_->setVisible(planes);
    // A record that did not read has no plane at all: it is not symmetric either.
    labelAxial_->setVisible(hasFile && shown_->CurrentIes().HorzCount == 1);
    paintBox_->setPlaneIndex(shown_->PlaneIndex());
    paintBox_->setRecord(hasFile ? &shown_->CurrentIes() : nullptr);
}

void DiagramPanel::FormResize()
{
    toolBar_->setGeometry(0, 0, width(), kToolBarHeight);
    paintBox_->setGeometry(DiagramSquare(size(), kToolBarHeight));
    // A gap measured once would keep the margin of the widest panel ever seen
    // and squeeze the slider to nothing when the column narrows again.
    const int sliderWidth = width() - degreeSlider_->x() - kSliderRightMargin;
    degreeSlider_->resize(std::clamp(sliderWidth, 0, kSliderMaxWidth), degreeSlider_->height());
}

bool DiagramPanel::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == degreeSlider_
        && ((event->type() == QEvent::MouseButtonRelease
             && static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton)
            || event->type() == QEvent::KeyRelease))
        paintBox_->sliderSettled();
    if (watched == fit_ && event->type() == QEvent::MouseButtonRelease
        && static_cast<QMouseEvent*>(event)->button() == Qt::RightButton)
        emit compareWindowRequested();
    return QWidget::eventFilter(watched, event);
}

void DiagramPanel::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    FormResize();
}
