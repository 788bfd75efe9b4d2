#pragma once

#include <QImage>
#include <QSize>
#include <QString>

#include <optional>
#include <span>

#include "diagram/Canvas.h"
#include "diagram/DiagramOptions.h"
#include "photometry/IesRecord.h"
#include "photometry/IntensityTable.h"
#include "photometry/PhotometricSummary.h"

// A datasheet: one portrait page per luminaire that shows what the program
// knows of a file, and index pages for a catalogue of several. Everything is
// handed in; the pages only lay out and draw. Numbers are written as the
// diagram labels them: the user's decimal separator, digit groups of three
// set apart by a space. Intensities are candela throughout (the diagram is
// drawn with absolute values), so the diagram, the summary and the table
// agree.

// The page in device pixels, and how many of them make a typographic point.
struct DatasheetPaper {
    QSize size;
    double pixelsPerPoint = 1;
};

// The title block's texts, as plain strings (an empty field shows a dash).
struct DatasheetTexts {
    QString manufacturer;
    QString luminaire;
    QString luminaireCatalog;
    QString lamp;
    QString lampCatalog;
    QString test;
    QString date;
    QString fileName;
    QString format;
};

// The footer of every page.
struct DatasheetFooter {
    QString program;  // "Kandora"
    QString version;
    int pageNumber = 1;
};

struct DatasheetRequest {
    DatasheetPaper paper;
    const tIES* record = nullptr;  // none: the title block, summary and footer only
    DatasheetTexts texts;
    PhotometricSummary summary;
    IntensityTable table;
    QImage picture;         // the rendered light view; null when there is none
    QString pictureNote;    // under the picture: which planes light which half, or why there is none
    DiagramOptions options; // colours and warning icon of the diagram
    DatasheetFooter footer;
};

// Draws one datasheet onto `canvas` (device pixels, (0, 0) at the page's
// top-left corner): title block; the diagram of both plane pairs through
// DrawDiagram beside the summary and the zonal lumens; the intensity table
// beside the rendered view; the footer. Texts too long for their place are
// shortened with an ellipsis. Restores the canvas's state and clip.
void DrawDatasheetPage(Canvas& canvas, const DatasheetRequest& request);

// One line of the catalogue's index.
struct DatasheetIndexRow {
    QString fileName;
    QString manufacturer;
    QString luminaire;
    std::optional<double> flux_lm;
    std::optional<double> input_watts;
    std::optional<double> efficacy_lm_per_w;
    std::optional<double> beam_deg;  // the C0-C180 pair's
    int page = 0;
};

struct DatasheetIndexRequest {
    DatasheetPaper paper;
    QString title;                           // the catalogue's heading
    int fileCount = 0;                       // all rows of the index, on every index page
    std::span<const DatasheetIndexRow> rows; // this page's rows
    DatasheetFooter footer;
};

// How many rows one index page holds on `paper` (at least one).
[[nodiscard]] int IndexRowsPerPage(const DatasheetPaper& paper);

// Draws one index page: the heading, a table of the rows (page, file,
// manufacturer, luminaire, flux, watts, efficacy, beam) and the footer.
void DrawDatasheetIndex(Canvas& canvas, const DatasheetIndexRequest& request);
