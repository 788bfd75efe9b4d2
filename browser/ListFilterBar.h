#pragma once

#include <QLineEdit>
#include <QWidget>

#include "browser/LibraryFilter.h"

class FileListView;
class QLabel;

// The box a filter is typed into: Escape empties it.
class FilterEdit : public QLineEdit {
    Q_OBJECT
public:
    using QLineEdit::QLineEdit;

protected:
    void keyPressEvent(QKeyEvent* event) override;
};

// The filter above the file list: the box and "N of M" beside it. Every
// change of the text filters the list at once (in every view); a term that
// cannot be read is underlined in red in the box and left out, the rest
// still filters. Ctrl+F anywhere in the window focuses the box.
class ListFilterBar : public QWidget {
    Q_OBJECT
public:
    ListFilterBar(FileListView& list, QWidget* window);

    [[nodiscard]] FilterEdit& Edit() const { return *edit_; }
    [[nodiscard]] QLabel& Count() const { return *count_; }
    // The faults of the last parse, as character ranges of the box's text.
    [[nodiscard]] const QList<std::pair<int, int>>& MarkedRanges() const { return marked_; }

private:
    void ApplyText(const QString& text);
    void MarkFaults(const QString& text, const LibraryFilter& filter);
    void ShowCounts();

    FileListView& list_;
    FilterEdit* edit_;
    QLabel* count_;
    QList<std::pair<int, int>> marked_;
};
