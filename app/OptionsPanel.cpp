#include "app/OptionsPanel.h"

#include <algorithm>

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLayout>
#include <QMouseEvent>
#include <QPushButton>

#include "app/GroupBoxEx.h"
#include "app/OptionRules.h"
#include "app/OptionsGroups.h"
#include "app/SlideSteps.h"

namespace {
constexpr int kInnerBorder = 6;
constexpr int kBoxLeft = 7;
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

    groups_ = {OptionsGroups::BuildOptions(content_),   OptionsGroups::BuildView(content_),
               OptionsGroups::BuildTree(content_),      OptionsGroups::BuildList(content_),
               OptionsGroups::BuildEye(content_),       OptionsGroups::BuildFavorites(content_),
               OptionsGroups::BuildOther(content_)};
    for (TGroupBoxEx* box : groups_) {
        connect(box, &TGroupBoxEx::expanded, this, &OptionsPanel::GroupBoxExOtherExpand);
        connect(box, &TGroupBoxEx::mousePressed, this, [this](TGroupBoxEx*, QMouseEvent* e) { PanelMainChildMouseDown(e); });
        connect(box, &TGroupBoxEx::mouseMoved, this, [this](TGroupBoxEx*, QMouseEvent* e) { PanelMainChildMouseMove(e); });
        connect(box, &TGroupBoxEx::mouseReleased, this, [this](TGroupBoxEx*, QMouseEvent* e) { PanelMainChildMouseUp(e); });
    }
    for (const char* name : {"LabelMy", "PaintBoxArc"}) {
        QWidget* passive = content_->findChild<QWidget*>(QString::fromLatin1(name));
        // They ignore the mouse, so their events reach their group box.
        passive->setMouseTracking(true);
    }
    OptionRules::Connect(content_);
    connect(control<QPushButton>(QStringLiteral("ButtonHide")), &QPushButton::clicked, this,
            &OptionsPanel::ButtonHideClick);
    GroupBoxExOtherExpand();
}

void OptionsPanel::rememberFocus()
{
    savedFocus_ = QApplication::focusWidget();
}

bool OptionsPanel::ticked(const QString& checkBoxName) const
{
    const auto* box = control<QCheckBox>(checkBoxName);
    return box && box->isChecked();
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
    const std::vector<int> widths = SlideSteps::SlideInWidths(width());
    for (std::size_t i = 0; i + 1 < widths.size(); ++i)
        setSlideWidth(widths[i]);
    rememberFocus();
    setSlideWidth(widths.back());
    setEnabled(true);
    content_->setFocus();
    emit slidIn();
}

void OptionsPanel::SetOptionsCursor(int id)
{
    const QCursor cursor = id == 7 ? QCursor(Qt::OpenHandCursor) : id == 8 ? QCursor(Qt::ClosedHandCursor) : QCursor();
    content_->setCursor(cursor);
    for (TGroupBoxEx* box : groups_)
        box->setCursor(cursor);
}

void OptionsPanel::PanelMainChildMouseDown(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    SetOptionsCursor(7);
    grabOffset_ = static_cast<int>(event->globalPosition().y()) - content_->y();
    dragging_ = true;
}

void OptionsPanel::PanelMainChildMouseMove(QMouseEvent* event)
{
    if (height() >= content_->height()) {
        SetOptionsCursor(0);
        return;
    }
    if (!dragging_)
        SetOptionsCursor(7);
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
    if (watched->isWidgetType()) {
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
