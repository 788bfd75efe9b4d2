#pragma once

#include <QString>
#include <QStringList>
#include <QWidget>

#include <cstddef>

#include "photometry/EulumdatStated.h"

class ElidingLabel;
class ShownFile;

// The information panel under the file list (`PanelInfo` with its label
// `LabelInfo`): what the application tells about the shown file. It follows
// the shown file and composes its text itself, section by section. The
// panel's height is the user's: however long the lines, the label cuts them,
// it never stretches the panel.
class InfoPanel : public QWidget {
    Q_OBJECT
public:
    explicit InfoPanel(QWidget* parent = nullptr);

    // Shows `file`'s lines now and whenever another file is shown.
    void followShownFile(const ShownFile& file);
    [[nodiscard]] QString text() const;

private:
    void showLines(const ShownFile& file);

    ElidingLabel* label_;
};

// The lamp sets of a EULUMDAT file the panel lists; a line counts the rest.
inline constexpr std::size_t kInfoLampSets = 8;

// The panel shows at most this many lines: the file name, the six keywords
// and a EULUMDAT file's own section.
inline constexpr qsizetype kInfoPanelLines = 7 + 1 + static_cast<qsizetype>(kInfoLampSets) + 1;

// The panel's lines for the shown file, top to bottom; none when no file is
// shown. Each section adds its lines in turn: "Filename: " and the name, then
// the labelled keyword lines ("Test: ...", as KeywordText gives them), then
// a EULUMDAT file's own values (EulumdatInfoLines). Values
// worked out from the record get a section of their own after these. Only
// each keyword's front is taken: a header line may be megabytes long.
[[nodiscard]] QStringList InfoLines(const ShownFile& file);

// A EULUMDAT file's own values, as the file states them: its type and
// symmetry indicators, light output ratio and downward flux fraction, and
// its lamp sets (at most kInfoLampSets, then how many more).
[[nodiscard]] QStringList EulumdatInfoLines(const EulumdatStated& stated);

// What the panel shows: the lines, each bounded (BoundedLines), at most
// kInfoPanelLines of them.
[[nodiscard]] QString InfoText(const ShownFile& file);
