#include "app/OptionsPanel.h"

#include <algorithm>

#include <QAbstractSlider>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QSlider>
#include <QWheelEvent>

#include "app/GroupBoxEx.h"
#include "app/LensProfileBox.h"
#include "app/OptionRules.h"
#include "app/OptionsGroups.h"
#include "app/SlideSteps.h"

namespace {
constexpr int kInnerBorder = 6;
constexpr int kBoxLeft = 7;

// Refuses the characters the hover-time field does not take.
class HoverKeyFilter : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::KeyPress)
            return false;
        const QString typed = static_cast<QKeyEvent*>(event)->text();
        if (typed.size() != 1)
            return false;
        const char16_t c = typed.at(0).unicode();
        // Everything beyond ASCII lies above "9" too.
        if (c > 127)
            return true;
        return !HoverTimeAccepts(static_cast<char>(c), static_cast<QLineEdit*>(watched)->text().toStdString());
    }
};

// The controls whose value a wheel turn changes.
bool IsWheelControl(const QObject* object)
{
    return qobject_cast<const QAbstractSlider*>(object) != nullptr || qobject_cast<const QComboBox*>(object) != nullptr
           || qobject_cast<const QAbstractSpinBox*>(object) != nullptr;
}

}  // namespace

OptionsPanel::OptionsPanel(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("PanelMain"));
    setFixedWidth(SlideSteps::kPanelWidth);
    content_ = new QWidget(this);
    content_->setObjectName(QStringLiteral("PanelMainChild"));
    content_->setGeometry(0, 0, SlideSteps::kPanelWidth, 400);
    content_->setMouseTracking(true);
    content_->installEventFilter(this);

    groups_ = {OptionsGroups::BuildOptions(content_, c_),   OptionsGroups::BuildView(content_, c_),
               OptionsGroups::BuildTree(content_, c_),      OptionsGroups::BuildList(content_, c_),
               OptionsGroups::BuildEye(content_, c_),       OptionsGroups::BuildFavorites(content_, c_),
               OptionsGroups::BuildOther(content_, c_)};
    const int boxWidth = OptionsGroups::FittedBoxWidth(groups_);
    shownWidth_ = std::max(SlideSteps::kPanelWidth, boxWidth + 2 * kBoxLeft);
    setFixedWidth(shownWidth_);
    content_->resize(shownWidth_, content_->height());
    for (TGroupBoxEx* box : groups_) {
        box->resize(boxWidth, box->height());
        connect(box, &TGroupBoxEx::expanded, this, &OptionsPanel::GroupBoxExOtherExpand);
        connect(box, &TGroupBoxEx::mousePressed, this, [this](TGroupBoxEx*, QMouseEvent* e) { PanelMainChildMouseDown(e); });
        connect(box, &TGroupBoxEx::mouseMoved, this, [this](TGroupBoxEx*, QMouseEvent* e) { PanelMainChildMouseMove(e); });
        connect(box, &TGroupBoxEx::mouseReleased, this, [this](TGroupBoxEx*, QMouseEvent* e) { PanelMainChildMouseUp(e); });
    }
    // They ignore the mouse, so their events reach their group box.
    for (QWidget* passive : {static_cast<QWidget*>(c_.LabelMy), static_cast<QWidget*>(c_.PaintBoxArc)})
        passive->setMouseTracking(true);
    // A control changes by the wheel only while it has the focus; otherwise
    // the wheel scrolls the panel past it.
    for (QWidget* control : content_->findChildren<QWidget*>()) {
        if (!IsWheelControl(control))
            continue;
        control->installEventFilter(this);
        if (control->focusPolicy() == Qt::WheelFocus)
            control->setFocusPolicy(Qt::StrongFocus);
    }
    OptionRules::Connect(c_);
    connect(c_.ButtonHide, &QPushButton::clicked, this, &OptionsPanel::ButtonHideClick);
    connect(c_.ButtonRefresh, &QPushButton::clicked, this, &OptionsPanel::refreshRequested);
    c_.EditHoverTime->installEventFilter(new HoverKeyFilter(c_.EditHoverTime));
    connect(c_.EditHoverTime, &QLineEdit::editingFinished, this, &OptionsPanel::applyHoverTimeField);
    applyHoverTimeField();
    announceChanges();
    GroupBoxExOtherExpand();
}

void OptionsPanel::rememberFocus()
{
    savedFocus_ = QApplication::focusWidget();
}

// Every change of a control is announced with the whole set it belongs to.
void OptionsPanel::announceChanges()
{
    auto onTick = [this](QCheckBox* box, auto announce) { connect(box, &QCheckBox::toggled, this, announce); };
    auto diagram = [this] { emit diagramChoicesChanged(diagramChoices()); };
    for (QCheckBox* box : {c_.CheckBoxMulti, c_.CheckBoxComplete, c_.CheckBoxWarning, c_.CheckBoxLabels, c_.CheckBoxMethod})
        onTick(box, diagram);

    auto browser = [this] { emit browserOptionsChanged(browserOptions()); };
    connect(c_.ComboBoxCaption, &QComboBox::currentIndexChanged, this, browser);
    connect(c_.ComboBoxUp, &QComboBox::currentTextChanged, this, browser);
    connect(c_.ComboBoxDblClick, &QComboBox::currentIndexChanged, this, browser);
    for (QCheckBox* box : {c_.CheckBoxSort, c_.CheckBoxKeep, c_.CheckBoxTitleBar, c_.CheckBoxUp, c_.CheckBoxDblClick})
        onTick(box, browser);

    auto tree = [this] { emit treeOptionsChanged(treeOptions()); };
    for (QCheckBox* box : {c_.CheckBoxLarge, c_.CheckBoxButton, c_.CheckBoxLines, c_.CheckBoxExpand, c_.CheckBoxHotTrack})
        onTick(box, tree);

    auto list = [this] { emit listOptionsChanged(listOptions()); };
    for (QCheckBox* box : {c_.CheckBoxHandPont, c_.CheckBoxUnderlineHot, c_.CheckBoxUnderlineCold, c_.CheckBoxFlat,
                           c_.CheckBoxLHotTrack})
        onTick(box, list);
    // A switch of the view unticks one button and ticks another: announced once, for the ticked one.
    for (QRadioButton* button :
         {c_.RadioButtonList, c_.RadioButtonIcons, c_.RadioButtonThumbnails, c_.RadioButtonDetails})
        connect(button, &QRadioButton::toggled, this, [list](bool on) {
            if (on)
                list();
        });

    auto lens = [this] { emit lensOptionsChanged(lensOptions()); };
    for (QCheckBox* box : {c_.CheckBoxOn, c_.CheckBoxPlus})
        onTick(box, lens);
    for (QSlider* slider : {c_.TrackBarR, c_.TrackBarK, c_.TrackBarAlpha})
        connect(slider, &QSlider::valueChanged, this, lens);

    auto favourites = [this] { emit favouriteOptionsChanged(favouriteOptions()); };
    for (QCheckBox* box : {c_.CheckBoxFavs, c_.CheckBoxFavViews, c_.CheckBoxFavCaptions})
        onTick(box, favourites);
}

// Takes the field's number when it is one, and shows what was taken, all selected.
void OptionsPanel::applyHoverTimeField()
{
    QLineEdit* edit = c_.EditHoverTime;
    const std::optional<int> time = ParseHoverTime(edit->text().toStdString());
    const bool changed = time && *time != hoverTime_;
    if (time)
        hoverTime_ = *time;
    edit->setText(QString::number(hoverTime_));
    edit->selectAll();
    if (changed)
        emit listOptionsChanged(listOptions());
}

DiagramChoices OptionsPanel::diagramChoices() const
{
    DiagramChoices d;
    d.showComplete = c_.CheckBoxComplete->isChecked();
    d.absoluteValues = c_.CheckBoxMulti->isChecked();
    d.showWarning = c_.CheckBoxWarning->isChecked();
    d.textLabels = c_.CheckBoxLabels->isChecked();
    d.qualityRepaint = c_.CheckBoxMethod->isChecked();
    return d;
}

BrowserOptions OptionsPanel::browserOptions() const
{
    BrowserOptions b;
    // No choice shown (a stored number out of range) captions by file name.
    b.caption = CaptionChoiceAt(c_.ComboBoxCaption->currentIndex()).value_or(CaptionChoice::FileName);
    b.sort = c_.CheckBoxSort->isChecked();
    b.upEntry = c_.CheckBoxUp->isChecked();
    b.upEntryStyle = c_.ComboBoxUp->currentText().toStdString();
    b.keepCaption = c_.CheckBoxKeep->isChecked();
    b.titleBarPath = c_.CheckBoxTitleBar->isChecked();
    b.doubleClick = c_.CheckBoxDblClick->isChecked();
    const int action = c_.ComboBoxDblClick->currentIndex();
    b.doubleClickAction = action == 0   ? DoubleClickChoice::OpenDefault
                          : action == 1 ? DoubleClickChoice::OpenWithTextEditor
                                        : DoubleClickChoice::None;
    return b;
}

TreeViewOptions OptionsPanel::treeOptions() const
{
    TreeViewOptions t;
    t.largeIcons = c_.CheckBoxLarge->isChecked();
    t.showButtons = c_.CheckBoxButton->isChecked();
    t.style.lines = c_.CheckBoxLines->isChecked();
    t.style.autoExpand = c_.CheckBoxExpand->isChecked();
    t.style.hotTrack = c_.CheckBoxHotTrack->isChecked();
    return t;
}

ListViewOptions OptionsPanel::listOptions() const
{
    ListViewOptions l;
    l.style.handPoint = c_.CheckBoxHandPont->isChecked();
    l.style.underlineHot = c_.CheckBoxUnderlineHot->isChecked();
    l.style.underlineCold = c_.CheckBoxUnderlineCold->isChecked();
    l.style.hotTrack = c_.CheckBoxLHotTrack->isChecked();
    l.flatScrollBars = c_.CheckBoxFlat->isChecked();
    l.hoverTime = hoverTime_;
    l.view = c_.RadioButtonThumbnails->isChecked() ? FileListViewKind::Thumbnails
             : c_.RadioButtonIcons->isChecked()    ? FileListViewKind::Icons
             : c_.RadioButtonDetails->isChecked()  ? FileListViewKind::Details
                                                   : FileListViewKind::List;
    return l;
}

LensSettings OptionsPanel::lensOptions() const
{
    LensSettings lens;
    lens.on = c_.CheckBoxOn->isChecked();
    lens.magnify = c_.CheckBoxPlus->isChecked();
    lens.radius = c_.TrackBarR->value();
    lens.refraction = c_.TrackBarK->value();
    lens.opacity = c_.TrackBarAlpha->value();
    return lens;
}

FavouriteOptions OptionsPanel::favouriteOptions() const
{
    return {c_.CheckBoxFavs->isChecked(), c_.CheckBoxFavViews->isChecked(), c_.CheckBoxFavCaptions->isChecked()};
}

bool OptionsPanel::alwaysShown() const
{
    return c_.CheckBoxAlways->isChecked();
}

bool OptionsPanel::autoHides() const
{
    return c_.CheckBoxHide->isChecked();
}

void OptionsPanel::ResetCaptionChoice()
{
    const QSignalBlocker quiet(c_.ComboBoxCaption);
    c_.ComboBoxCaption->setCurrentIndex(0);
}

void OptionsPanel::ChooseView(FileListViewKind kind)
{
    QRadioButton* button = kind == FileListViewKind::Thumbnails ? c_.RadioButtonThumbnails
                           : kind == FileListViewKind::Icons    ? c_.RadioButtonIcons
                           : kind == FileListViewKind::Details  ? c_.RadioButtonDetails
                                                                : c_.RadioButtonList;
    button->setChecked(true);
}

void OptionsPanel::ChooseCaption(CaptionChoice choice)
{
    c_.ComboBoxCaption->setCurrentIndex(CaptionNumber(choice));
}

void OptionsPanel::GroupBoxExOtherExpand()
{
    int top = kInnerBorder;
    for (TGroupBoxEx* box : groups_) {
        box->move(kBoxLeft, top);
        top += box->height();
    }
    UpdateOptionsContentHeight();
}

void OptionsPanel::UpdateOptionsContentHeight()
{
    int bottom = 0;
    for (const QWidget* child : content_->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        bottom = std::max(bottom, child->geometry().bottom() + 1);
    content_->resize(content_->width(), bottom + 20);
    PanelMainResize();
    content_->update();
}

void OptionsPanel::PanelMainResize()
{
    content_->move(0, SlideSteps::FitContentTop(content_->y(), height(), content_->height()));
}

void OptionsPanel::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    PanelMainResize();
}

void OptionsPanel::wheelEvent(QWheelEvent* event)
{
    // Three text lines a notch, as scrolled views go; pixel deltas as they come.
    const int lines = event->angleDelta().y() * 3 * fontMetrics().height() / 120;
    const int step = event->pixelDelta().isNull() ? lines : event->pixelDelta().y();
    if (height() < content_->height() && step != 0)
        content_->move(0, SlideSteps::ClampContentTop(content_->y() + step, height(), content_->height()));
    event->accept();
}

void OptionsPanel::setSlideWidth(int width)
{
    lastSlide_.push_back(width);
    setFixedWidth(width);
    if (QWidget* owner = parentWidget(); owner && owner->layout())
        owner->layout()->activate();
    if (isVisible())
        repaint();
}

void OptionsPanel::ButtonHideClick()
{
    if (!isEnabled())
        return;
    if (savedFocus_)
        savedFocus_->setFocus();
    setEnabled(false);
    lastSlide_.clear();
    for (int width : SlideSteps::SlideOutWidths(this->width()))
        setSlideWidth(width);
    hide();
    emit slidOut();
}

void OptionsPanel::ButtonShowClick()
{
    show();
    lastSlide_.clear();
    const std::vector<int> widths = SlideSteps::SlideInWidths(width(), shownWidth_);
    for (std::size_t i = 0; i + 1 < widths.size(); ++i)
        setSlideWidth(widths[i]);
    rememberFocus();
    setSlideWidth(widths.back());
    setEnabled(true);
    content_->setFocus();
    emit slidIn();
}

void OptionsPanel::SetOptionsCursor(ContentCursor kind)
{
    const QCursor cursor = kind == ContentCursor::Hand           ? QCursor(Qt::OpenHandCursor)
                           : kind == ContentCursor::DraggingHand ? QCursor(Qt::ClosedHandCursor)
                                                                 : QCursor();
    content_->setCursor(cursor);
    for (TGroupBoxEx* box : groups_)
        box->setCursor(cursor);
}

void OptionsPanel::PanelMainChildMouseDown(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    SetOptionsCursor(ContentCursor::Hand);
    grabOffset_ = static_cast<int>(event->globalPosition().y()) - content_->y();
    dragging_ = true;
}

void OptionsPanel::PanelMainChildMouseMove(QMouseEvent* event)
{
    if (height() >= content_->height()) {
        SetOptionsCursor(ContentCursor::Default);
        return;
    }
    if (!dragging_)
        SetOptionsCursor(ContentCursor::Hand);
    if ((event->buttons() & Qt::LeftButton) && dragging_) {
        const int wanted = static_cast<int>(event->globalPosition().y()) - grabOffset_;
        if (wanted != content_->y())
            content_->move(0, SlideSteps::ClampContentTop(wanted, height(), content_->height()));
    }
}

void OptionsPanel::PanelMainChildMouseUp(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        dragging_ = false;
}

bool OptionsPanel::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Wheel && watched != content_) {
        const auto* control = static_cast<QWidget*>(watched);
        // A drop-down's own list is a window of its own and scrolls itself.
        if (!control->hasFocus() && control->window() == window()) {
            wheelEvent(static_cast<QWheelEvent*>(event));
            return true;
        }
        return QWidget::eventFilter(watched, event);
    }
    if (watched == content_) {
        switch (event->type()) {
        case QEvent::MouseButtonPress:
            PanelMainChildMouseDown(static_cast<QMouseEvent*>(event));
            break;
        case QEvent::MouseMove:
            PanelMainChildMouseMove(static_cast<QMouseEvent*>(event));
            break;
        case QEvent::MouseButtonRelease:
            PanelMainChildMouseUp(static_cast<QMouseEvent*>(event));
            break;
        default:
            break;
        }
    }
    return QWidget::eventFilter(watched, event);
}
