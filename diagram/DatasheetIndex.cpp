#include "DatasheetPage.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "diagram/SheetDrawing.h"

using namespace datasheet;

namespace {

constexpr double kIndexTableTop = 52;  // below the margin
constexpr double kIndexRow = 11;

}  // namespace

int IndexRowsPerPage(const DatasheetPaper& paper)
{
    const double ppp = paper.pixelsPerPoint > 0 ? paper.pixelsPerPoint : 1;
    const double height = paper.size.height() / ppp;
    const double rows = (height - 2 * kMargin - kFooterHeight - kIndexTableTop - kIndexRow) / kIndexRow;
    return std::max(1, static_cast<int>(std::floor(rows)));
}

void DrawDatasheetIndex(Canvas& canvas, const DatasheetIndexRequest& request)
{
    if (request.paper.size.isEmpty())
        return;
    const CanvasStateGuard guard(canvas);
    Sheet s(canvas, request.paper);
    const double x = kMargin;
    const double width = s.Width() - 2 * kMargin;
    if (width <= 0)
        return;
    double y = kMargin;
    s.Font(15, true);
    s.Text(x, y, request.title, width);
    y += 22;
    s.Font(9.5, false, kGrey);
    s.Text(x, y, QStringLiteral("%1 datasheets").arg(request.fileCount), width);
    y = kMargin + kIndexTableTop - 8;
    s.Rule(x, y, x + width, 0.75, kInk);
    y += 8;

    // Widths of page, file, manufacturer, luminaire and the four numbers; the luminaire takes the rest.
    const double page = 30, file = std::floor(width * 0.25), maker = std::floor(width * 0.15);
    const double numbers[] = {42, 40, 30, 36};
    const double luminaire = width - page - file - maker - (numbers[0] + numbers[1] + numbers[2] + numbers[3]);
    // Right edges; the text columns are drawn from the previous edge.
    std::vector<double> rights{x + page - 6, x + page + file - 6, x + page + file + maker - 6,
                               x + page + file + maker + luminaire - 6};
    double edge = x + page + file + maker + luminaire;
    for (const double w : numbers)
        rights.push_back(edge += w);
    const auto row = [&](const QStringList& cells) {
        for (qsizetype i = 0; i < cells.size(); ++i) {
            const double right = rights[static_cast<std::size_t>(i)];
            const double left = i == 0 ? x : rights[static_cast<std::size_t>(i - 1)] + 6;
            if (i == 0 || i >= 4)
                s.TextRight(right, y, cells[i], right - left);
            else
                s.Text(left, y, cells[i], right - left);
        }
    };
    s.Fill(x, y - 1.5, width, kIndexRow, kShade);
    s.Font(7.5, true);
    row({QStringLiteral("Page"), QStringLiteral("File"), QStringLiteral("Manufacturer"), QStringLiteral("Luminaire"),
         QStringLiteral("Flux, lm"), QStringLiteral("Power, W"), QStringLiteral("lm/W"), QStringLiteral("Beam")});
    y += kIndexRow;
    for (std::size_t i = 0; i < request.rows.size(); ++i) {
        const DatasheetIndexRow& r = request.rows[i];
        if (i % 2 == 1)
            s.Fill(x, y - 1.5, width, kIndexRow, kStripe);
        s.Font(7.5);
        row({QString::number(r.page), r.fileName, OrDash(r.manufacturer), OrDash(r.luminaire),
             Optional(r.flux_lm, 0, QString()), Rounded(r.input_watts, 1, QString()),
             Optional(r.efficacy_lm_per_w, 1, QString()), Optional(r.beam_deg, 1, kDegree)});
        y += kIndexRow;
    }
    DrawFooter(s, request.footer, x, width);
}
