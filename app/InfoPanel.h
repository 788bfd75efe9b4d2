#pragma once

#include <QString>
#include <QStringList>
#include <QWidget>

#include <vector>

#include "photometry/EulumdatStated.h"

class ElidingLabel;
class ShownFile;
struct PhotometricSummary;
struct tIES;

// The information panel under the file list (`PanelInfo` with its label
// `LabelInfo`): what the application tells about the shown file. It follows
// the shown file and composes its text itself, column by column: the file
// name and keywords on the left, then the values worked out from the record,
// each column as wide as its lines; a column that would leave the keywords
// too narrow gives way whole (its lines move to the panel's tooltip) rather
// than every column being cut. The panel's height is the user's:
// however long the lines, the labels cut them, they never stretch the panel.
class InfoPanel : public QWidget {
    Q_OBJECT
public:
    explicit InfoPanel(QWidget* parent = nullptr);

    // Shows `file`'s lines now and whenever another file is shown.
    void followShownFile(const ShownFile& file);
    // The keyword column's text.
    [[nodiscard]] QString text() const;
    // The value columns' texts, left to right.
    [[nodiscard]] QStringList valueTexts() const;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void showLines(const ShownFile& file);
    // Shows the value columns that fit whole beside a readable keyword
    // column, in their order of importance; the others go to the tooltip.
    void fitColumns();

    ElidingLabel* label_;
    std::vector<ElidingLabel*> values_;
    std::size_t used_ = 0;  // how many of values_ hold the shown file's columns
};

// The panel shows at most this many lines a column: the file name and the six keywords.
inline constexpr qsizetype kInfoPanelLines = 7;

// The panel's lines for the shown file, top to bottom; none when no file is
// shown. Each section adds its lines in turn: "Filename: " and the name, then
// the labelled keyword lines ("Test: ...", as KeywordText gives them). Only
// each keyword's front is taken: a header line may be megabytes long.
[[nodiscard]] QStringList InfoLines(const ShownFile& file);

// What the keyword column shows: the lines, each bounded (BoundedLines), at
// most kInfoPanelLines of them.
[[nodiscard]] QString InfoText(const ShownFile& file);

// The photometric values of a record in a few short lines: flux (with the
// lamps' flux and the LOR of a relative file), watts and lm/W, the maximum
// and its direction, beam and field of both plane pairs, the CIE flux code.
// Numbers as the diagram writes them (the user's decimal separator), every
// value with its unit, a dash where a value cannot be had.
[[nodiscard]] QStringList SummaryLines(const tIES& ies, const PhotometricSummary& summary);

// A EULUMDAT file's own values, as the file states them, for a column of
// their own beside the computed ones: its type and symmetry indicators, its
// light output ratio and downward flux fraction, and its lamp sets (as many
// as the column holds, the last line counting the rest).
[[nodiscard]] QStringList EulumdatInfoLines(const EulumdatStated& stated);

// The zonal lumens under a heading; none when the record has none (types A and B).
[[nodiscard]] QStringList ZonalLines(const PhotometricSummary& summary);

// The value columns for the shown file, left to right, at most
// kInfoPanelLines lines each; none without a file or candela values. The
// record is summarised once per call.
[[nodiscard]] std::vector<QStringList> InfoValueColumns(const ShownFile& file);
