#include "app/MessagePresenter.h"

#include <QMessageBox>

void MessageBoxPresenter::showMessage(Icon icon, const QString& caption, const QString& text)
{
    QString shown = text;
    shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    const QMessageBox::Icon boxIcon = icon == Icon::Error     ? QMessageBox::Critical
                                      : icon == Icon::Warning ? QMessageBox::Warning
                                      : icon == Icon::Information ? QMessageBox::Information
                                                                  : QMessageBox::NoIcon;
    QMessageBox box(boxIcon, caption, shown, QMessageBox::Ok, parent_);
    box.exec();
}
