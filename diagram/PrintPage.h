#pragma once

#include <QSize>
#include <QString>
#include <QStringList>

#include "KandoraVersion.h"
#include "diagram/Canvas.h"
#include "diagram/DiagramOptions.h"
#include "diagram/DrawDiagram.h"
#include "photometry/IesRecord.h"

class QPaintDevice;

// The title of a printed document.
inline const QString kPrintDocumentTitle =
    QStringLiteral("IES diagramm by ") + QString::fromLatin1(kKandoraNameVersion) + QStringLiteral("    ");

// The screen diagram's nominal side; the page scales pens, fonts and text
// margins by its own side over this.
inline constexpr int kNominalDiagramSide = 380;

// Where a page's parts go.
struct PageLayout {
    int side = 0;         // a: the diagram square at (0, 0); 0 when none fits
    int lineHeight = -1;  // b: font height of the header lines (negative, pixels), also their spacing
    double factor = 1.0;  // the diagram's size factor, side / 380
};

// The layout of a width x height page for a main window font of
// `mainFontHeight` (negative): the square as large as the page allows with
// room for five header lines below it.
[[nodiscard]] PageLayout LayoutPage(int width, int height, int mainFontHeight);

// The header lines printed below the diagram from an entry's texts:
// manufacturer, luminaire catalog, luminaire, lamp catalog and lamp, each
// only when its text is not empty, read as UTF-8 or else as Latin-1. The
// test keyword is not printed. Each line is bounded (BoundedText).
[[nodiscard]] QStringList PrintHeaderLines(const EntryTexts& texts);

// What one printed page shows.
struct PageRequest {
    QSize size;                    // the page in device pixels
    const tIES* record = nullptr;  // none: the frame, the header lines and the grid only
    int planeIndex = 0;
    QStringList headerLines;
    DiagramOptions options;
};

struct PageResult {
    PageLayout layout;
    DiagramResult diagram;  // the square's drawing; nothing painted when no square fits
};

// Draws the page onto `canvas`: a thin frame round it, the header lines
// below the diagram square and, through DrawDiagram, the diagram with text
// labels inside it.
// A page without area draws nothing. Restores the canvas's state and clip.
PageResult DrawPrintPage(Canvas& canvas, const PageRequest& request);

// Draws the page onto a printer or PDF writer whose document is set up
// (size from the device's metrics). False when painting could not begin.
bool PrintPageOn(QPaintDevice& device, PageRequest request);
