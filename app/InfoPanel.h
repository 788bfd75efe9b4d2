#pragma once

#include <QString>
#include <QStringList>
#include <QWidget>

class QLabel;
class ShownFile;

// The information panel under the file list (`PanelInfo` with its label
// `LabelInfo`): what the application tells about the shown file. It follows
// the shown file and composes its text itself, section by section.
class InfoPanel : public QWidget {
    Q_OBJECT
public:
    explicit InfoPanel(QWidget* parent = nullptr);

    // Shows `file`'s lines now and whenever another file is shown.
    void followShownFile(const ShownFile& file);
    [[nodiscard]] QString text() const;

private:
    void showLines(const ShownFile& file);

    QLabel* label_;
};

// The panel's lines for the shown file, top to bottom; none when no file is
// shown. Each section adds its lines in turn: "Filename: " and the name, then
// the labelled keyword lines ("Test: ...", as KeywordText gives them). Values
// worked out from the record get a section of their own after these.
[[nodiscard]] QStringList InfoLines(const ShownFile& file);
