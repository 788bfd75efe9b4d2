#pragma once

#include <functional>
#include <optional>

#include <QSplitter>

// A splitter that asks before each move: the filter gets the size the dragged
// pane would take and returns the size it may take, or nothing to refuse.
class SnapSplitter : public QSplitter {
    Q_OBJECT
public:
    using SizeFilter = std::function<std::optional<int>(int proposedSize)>;

    SnapSplitter(Qt::Orientation orientation, QWidget* parent = nullptr);

    // `pane` is the index (0 or 1) of the pane whose size the filter judges.
    void setSizeFilter(int pane, SizeFilter filter);

    // Moves the handle as a drag to `position` would, through the filter.
    void dragHandleTo(int position);

protected:
    QSplitterHandle* createHandle() override;

private:
    friend class SnapSplitterHandle;
    int pane_ = 0;
    SizeFilter filter_;
};
