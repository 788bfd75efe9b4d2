#pragma once

#include <QLabel>

// A label of plain text lines, top-left aligned, each line cut with an
// ellipsis where it would run past the label's right edge: a long header
// value shows that it goes on instead of vanishing under the edge. text()
// stays the whole text.
class ElidingLabel : public QLabel {
    Q_OBJECT
public:
    using QLabel::QLabel;

protected:
    void paintEvent(QPaintEvent* event) override;
};
