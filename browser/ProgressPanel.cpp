#include "ProgressPanel.h"

#include <QApplication>
#include <QLabel>
#include <QProgressBar>

ProgressPanel::ProgressPanel(QWidget* list)
    : QFrame(list), label_(new QLabel(this)), caption_(new QLabel(this)), gauge_(new QProgressBar(this))
{
    setObjectName(QStringLiteral("PanelProgress"));
    setFrameStyle(QFrame::Panel | QFrame::Raised);
    setAutoFillBackground(true);
    caption_->setAlignment(Qt::AlignCenter);
    gauge_->setTextVisible(false);
    hide();
}

void ProgressPanel::ShowProgress(ProgressKind kind, int maximum)
{
    const QWidget* list = parentWidget();
    const int width = list->width() < kWidth ? list->width() - 40 : kWidth;
    // Integer division rounds the halves toward zero.
    setGeometry((list->width() - width) / 2, (list->height() - kHeight) / 2, width, kHeight);
    label_->setGeometry(8, 4, width - 16, 18);
    caption_->setGeometry(0, 0, width, kHeight);
    gauge_->setGeometry(8, 26, width - 16, 16);
    progress_ = 0;
    shownPercent_ = -1;
    gauge_->setRange(0, std::max(maximum, 1));
    gauge_->setValue(0);

    QString label;
    QString caption;
    switch (kind) {
    case ProgressKind::Loading: label = QStringLiteral("Loading the IES files..."); break;
    case ProgressKind::Sorting: label = QStringLiteral("Sorting data..."); break;
    case ProgressKind::LoadingQuiet: caption = QStringLiteral("Loading the IES files..."); break;
    case ProgressKind::Thumbnails: label = QStringLiteral("Preparing thumbnails view"); break;
    case ProgressKind::Clearing: label = QStringLiteral("Clearing..."); break;
    }
    label_->setText(label);
    caption_->setText(caption);
    gauge_->setVisible(kind != ProgressKind::LoadingQuiet);
    show();
    raise();
    repaint();
}

void ProgressPanel::SetProgress(int value)
{
    progress_ = value;
    if (!isVisible() || !gauge_->isVisible())
        return;
    // Repainting for every item would cost more than the work itself.
    const int percent = static_cast<int>(100LL * std::min(value, gauge_->maximum()) / gauge_->maximum());
    if (percent == shownPercent_)
        return;
    shownPercent_ = percent;
    gauge_->setValue(std::min(value, gauge_->maximum()));
    gauge_->repaint();
}

void ProgressPanel::HideProgress()
{
    gauge_->hide();
    hide();
}

void ProgressPanel::BeginWait()
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
}

void ProgressPanel::EndWait()
{
    QApplication::restoreOverrideCursor();
}

QString ProgressPanel::LabelText() const
{
    return label_->text();
}

QString ProgressPanel::CaptionText() const
{
    return caption_->text();
}

bool ProgressPanel::GaugeShown() const
{
    return !gauge_->isHidden();
}
