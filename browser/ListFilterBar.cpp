#include "browser/ListFilterBar.h"

#include <QCoreApplication>
#include <QHBoxLayout>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QShortcut>
#include <QTextCharFormat>

#include "browser/FileListView.h"

void FilterEdit::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier && !text().isEmpty()) {
        clear();
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

ListFilterBar::ListFilterBar(FileListView& list, QWidget* window)
    : QWidget(window), list_(list), edit_(new FilterEdit(this)), count_(new QLabel(this))
{
    setObjectName(QStringLiteral("PanelFilter"));
    edit_->setObjectName(QStringLiteral("EditFilter"));
    edit_->setPlaceholderText(QStringLiteral("Filter (Ctrl+F)"));
    edit_->setClearButtonEnabled(true);
    edit_->setToolTip(QStringLiteral("Words match the names and texts; flux, watts, lm/w, beam, field, imax and lor "
                                     "compare with < <= > >= =, for example: downlight flux>=1500 beam<40"));
    count_->setObjectName(QStringLiteral("LabelFilterCount"));
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 2);
    layout->addWidget(edit_, 1);
    layout->addWidget(count_);
    connect(edit_, &QLineEdit::textChanged, this, &ListFilterBar::ApplyText);
    connect(&list_, &FileListView::CountsChanged, this, &ListFilterBar::ShowCounts);
    auto* find = new QShortcut(QKeySequence::Find, window);
    connect(find, &QShortcut::activated, this, [this] {
        edit_->setFocus(Qt::ShortcutFocusReason);
        edit_->selectAll();
    });
    ShowCounts();
}

void ListFilterBar::ApplyText(const QString& text)
{
    const QByteArray bytes = text.toUtf8();
    LibraryFilter filter = ParseFilter(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
    MarkFaults(text, filter);
    list_.SetFilter(std::move(filter));
    ShowCounts();
}

void ListFilterBar::MarkFaults(const QString& text, const LibraryFilter& filter)
{
    const QByteArray bytes = text.toUtf8();
    // The parse speaks UTF-8 bytes, the box characters.
    const auto characterAt = [&bytes](std::size_t byte) {
        return static_cast<int>(QString::fromUtf8(bytes.constData(), static_cast<qsizetype>(byte)).size());
    };
    marked_.clear();
    QList<QInputMethodEvent::Attribute> formats;
    QTextCharFormat mark;
    mark.setUnderlineStyle(QTextCharFormat::WaveUnderline);
    mark.setUnderlineColor(Qt::red);
    mark.setForeground(QColor(0xB0, 0, 0));
    const int cursor = edit_->cursorPosition();
    for (const FilterFault& fault : filter.faults) {
        const int begin = characterAt(fault.begin);
        const int length = characterAt(fault.begin + fault.length) - begin;
        marked_.append({begin, length});
        // Formats of an input method event count from the cursor.
        formats.append(QInputMethodEvent::Attribute(QInputMethodEvent::TextFormat, begin - cursor, length, mark));
    }
    QInputMethodEvent event(QString(), formats);
    QCoreApplication::sendEvent(edit_, &event);
}

void ListFilterBar::ShowCounts()
{
    const Catalog& catalog = list_.Entries();
    count_->setText(QStringLiteral("%1 of %2").arg(catalog.FileCount()).arg(catalog.TotalFileCount()));
}
