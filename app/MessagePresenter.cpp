#include "app/MessagePresenter.h"

#include <algorithm>

#include <QFontMetrics>
#include <QGridLayout>
#include <QGuiApplication>
#include <QMessageBox>
#include <QScreen>
#include <QSpacerItem>

#include "diagram/BoundedText.h"

int MessageBoxPresenter::WidestWordPair(const QString& text, const QFont& font)
{
    const QFontMetrics metrics(font);
    int widest = 0;
    for (QStringView line : QStringView(text).tokenize(u'\n')) {
        QStringView before;
        for (QStringView word : line.tokenize(u' ', Qt::SkipEmptyParts)) {
            const int width = metrics.horizontalAdvance(before.isEmpty() ? word.toString()
                                                                         : before.toString() + u' ' + word.toString());
            widest = std::max(widest, width);
            before = word;
        }
    }
    return widest;
}

int MessageBoxPresenter::CaptionWidth(const QString& caption)
{
    QFont bold = QMessageBox().font();
    bold.setBold(true);
    return QFontMetrics(bold).horizontalAdvance(caption) + kTitleBarButtons;
}

std::unique_ptr<QMessageBox> MessageBoxPresenter::MakeBox(Icon icon, const QString& caption, const QString& text,
                                                          QWidget* parent, const QString& detail)
{
    QString shown = text;
    shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    // A box is laid out at once: a text from a file is cut to what a screen shows.
    shown = BoundedLines(shown, kShownTextLimit, kMessageLines);
    const QMessageBox::Icon boxIcon = icon == Icon::Error     ? QMessageBox::Critical
                                      : icon == Icon::Warning ? QMessageBox::Warning
                                      : icon == Icon::Information ? QMessageBox::Information
                                                                  : QMessageBox::NoIcon;
    auto box = std::make_unique<QMessageBox>(boxIcon, caption, shown, QMessageBox::Ok, parent);
    if (!detail.isEmpty())
        box->setInformativeText(BoundedText(detail));
    // A short text makes a box so narrow that its title is cut to "..", and a
    // long file name is put on a line of its own, away from the word before
    // it ("File"). QMessageBox sizes itself from its layout, so a spacer row widens it.
    const QScreen* screen = parent ? parent->screen() : QGuiApplication::primaryScreen();
    const int widest = screen ? screen->availableGeometry().width() * 2 / 3 : 800;
    const int pair = WidestWordPair(shown, box->font()) + kTextIndent;
    if (auto* grid = qobject_cast<QGridLayout*>(box->layout()))
        grid->addItem(new QSpacerItem(std::max(CaptionWidth(caption), std::min(pair, widest)), 0, QSizePolicy::Minimum,
                                      QSizePolicy::Fixed),
                      grid->rowCount(), 0, 1, grid->columnCount());
    return box;
}

void MessageBoxPresenter::showMessage(Icon icon, const QString& caption, const QString& text)
{
    MakeBox(icon, caption, text, parent_)->exec();
}

void MessageBoxPresenter::showDetailedMessage(Icon icon, const QString& caption, const QString& text,
                                              const QString& detail)
{
    MakeBox(icon, caption, text, parent_, detail)->exec();
}
