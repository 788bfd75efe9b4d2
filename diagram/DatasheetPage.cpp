#include "DatasheetPage.h"

#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

#include "diagram/DrawDiagram.h"
#include "diagram/FormatValue.h"
#include "diagram/LuminaireSketch.h"
#include "diagram/OffsetCanvas.h"
#include "diagram/PictogramStrip.h"
#include "diagram/PrintPage.h"
#include "diagram/SheetDrawing.h"
#include "photometry/Calculations.h"

namespace {

using namespace datasheet;

constexpr double kSummaryWidth = 205;  // the least the summary beside the diagram needs
constexpr double kBottomHeight = 230;  // the intensity table of 19 rows and the rendered view

// ---- What the record says, in words.

bool TypeC(const tIES& ies)
{
    return ies.PhotometricType == 1;
}

QString TypeText(const tIES& ies)
{
    switch (ies.PhotometricType) {
    case 1: {
        const std::size_t n = ies.HorzAngles.size();
        const double first = n > 0 ? ies.HorzAngles.front() : 0, last = n > 0 ? ies.HorzAngles.back() : 0;
        if (n == 1)
            return QStringLiteral("C, rotationally symmetric");
        if (first == 0 && last == 90)
            return QStringLiteral("C, symmetric in each quadrant");
        if (first == 0 && last == 180)
            return QStringLiteral("C, symmetric about C0–C180");
        if (first == 90 && last == 270)
            return QStringLiteral("C, symmetric about C90–C270");
        return QStringLiteral("C");
    }
    case 2:
        return QStringLiteral("B");
    case 3:
        return QStringLiteral("A");
    default:
        return QStringLiteral("unknown (%1)").arg(ies.PhotometricType);
    }
}

// ---- Page parts.

struct Field {
    QString label;
    QString value;
};

void DrawFields(Sheet& s, double x, double y, double width, const std::vector<Field>& fields, double rowHeight)
{
    constexpr double kLabelWidth = 72;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        const double top = y + static_cast<double>(i) * rowHeight;
        s.Font(7.5, false, kGrey);
        s.Text(x, top + 0.5, fields[i].label, kLabelWidth - 4);
        s.Font(8.5);
        s.Text(x + kLabelWidth, top, OrDash(fields[i].value), width - kLabelWidth);
    }
}

// The title block; returns the y below it.
double DrawTitleBlock(Sheet& s, const DatasheetRequest& r, double x, double y, double width)
{
    const DatasheetTexts& t = r.texts;
    s.Font(9.5, false, kGrey);
    s.Text(x, y, t.manufacturer, width);
    y += 13;
    s.Font(15, true);
    s.Text(x, y, t.luminaire.isEmpty() ? t.fileName : t.luminaire, width);
    y += 22;
    const double column = (width - kGutter) / 2;
    const QString type = r.record != nullptr ? TypeText(*r.record) : QString();
    DrawFields(s, x, y, column,
               {{QStringLiteral("Luminaire catalog"), t.luminaireCatalog},
                {QStringLiteral("Lamp"), t.lamp},
                {QStringLiteral("Lamp catalog"), t.lampCatalog},
                {QStringLiteral("Test"), t.test}},
               11.5);
    DrawFields(s, x + column + kGutter, y, column,
               {{QStringLiteral("Date"), t.date},
                {QStringLiteral("File"), t.fileName},
                {QStringLiteral("Format"), t.format},
                {QStringLiteral("Photometric type"), type}},
               11.5);
    y += 4 * 11.5 + 4;
    s.Rule(x, y, x + width, 0.75, kInk);
    return y + 8;
}

void DrawDiagramBox(Sheet& s, const DatasheetRequest& r, double x, double y, double side)
{
    Heading(s, x, y, QStringLiteral("Polar intensity diagram"), side);
    const double top = y + 14;
    const QRect box(s.Px(x), s.Px(top), s.Px(side), s.Px(side));
    s.Frame(x, top, side, side);
    if (r.record == nullptr || box.width() <= 2)
        return;
    Canvas& canvas = s.Target();
    canvas.SetClip(box.adjusted(1, 1, -1, -1));
    OffsetCanvas inner(canvas, box.topLeft() + QPoint(1, 1));
    DiagramRequest diagram;
    diagram.size = box.size() - QSize(2, 2);
    diagram.record = r.record;
    diagram.planeIndex = ZeroPlaneIndex(*r.record);
    diagram.factor = static_cast<double>(diagram.size.width()) / kNominalDiagramSide;
    diagram.options = r.options;
    diagram.options.Planes.Orthogonal = true;
    diagram.options.AbsoluteValues = true;
    diagram.options.TextLabels = true;
    DrawDiagram(inner, diagram);
    canvas.SetClip(std::nullopt);
}

QString LampFluxText(const tIES& ies, const PhotometricSummary& summary)
{
    if (!summary.lamp_flux_lm)
        return QStringLiteral("– (absolute photometry)");
    const QString total = Fixed(*summary.lamp_flux_lm, 0) + QStringLiteral(" lm");
    if (ies.LampCount <= 1)
        return total;
    return QString::number(ies.LampCount) + QStringLiteral(" × ") + Fixed(ies.LampLumens, 0) + QStringLiteral(" = ") +
           total;
}

QString DirectionText(const tIES& ies, const std::optional<SummaryDirection>& at)
{
    if (!at)
        return kDash;
    if (TypeC(ies))
        return QStringLiteral("C ") + Angle(at->c) + QStringLiteral(", γ ") + Angle(at->gamma);
    return QStringLiteral("H ") + Angle(at->c) + QStringLiteral(", V ") + Angle(at->gamma);
}

QString CieText(const std::optional<CieFluxCode>& code)
{
    if (!code)
        return kDash;
    QStringList parts{Fixed(code->n1, 0), Fixed(code->n2, 0), Fixed(code->n3, 0)};
    if (code->n4)
        parts << Fixed(*code->n4, 0);
    if (code->n5)
        parts << Fixed(*code->n5, 0);
    return parts.join(QLatin1Char(' '));
}

// A row of a small table: texts at column positions, right-aligned after the first.
void TableRow(Sheet& s, double y, const std::vector<double>& rights, double x, const QStringList& cells)
{
    for (qsizetype i = 0; i < cells.size() && i < static_cast<qsizetype>(rights.size()); ++i) {
        const double left = i == 0 ? x : rights[static_cast<std::size_t>(i - 1)] + 3;
        const double right = rights[static_cast<std::size_t>(i)];
        if (i == 0)
            s.Text(left, y, cells[i], right - left);
        else
            s.TextRight(right, y, cells[i], right - left);
    }
}

void DrawSummary(Sheet& s, const DatasheetRequest& r, double x, double y, double width)
{
    const PhotometricSummary& sum = r.summary;
    const tIES empty;
    const tIES& ies = r.record != nullptr ? *r.record : empty;
    constexpr double kRow = 11.5;
    constexpr double kLabelWidth = 88;
    Heading(s, x, y, QStringLiteral("Photometric summary"), width);
    y += 15;
    const double maxDecimals = sum.max_cd && std::fabs(*sum.max_cd) < 100 ? 1 : 0;
    const std::vector<Field> fields{
        {QStringLiteral("Luminaire flux"), Optional(sum.flux_lm, 0, QStringLiteral(" lm"))},
        {QStringLiteral("Lamp flux"), LampFluxText(ies, sum)},
        {QStringLiteral("Light output ratio"),
         sum.lor ? Optional(*sum.lor * 100, 1, QStringLiteral(" %")) : kDash},
        {QStringLiteral("Input power"), Rounded(sum.input_watts, 1, QStringLiteral(" W"))},
        {QStringLiteral("Efficacy"), Optional(sum.efficacy_lm_per_w, 1, QStringLiteral(" lm/W"))},
        {QStringLiteral("Maximum intensity"),
         Optional(sum.max_cd, static_cast<int>(maxDecimals), QStringLiteral(" cd"))},
        {QStringLiteral("  in direction"), DirectionText(ies, sum.max_at)},
        {QStringLiteral("CIE flux code"), CieText(sum.cie_flux_code)},
    };
    for (const Field& field : fields) {
        s.Font(8, false, kGrey);
        s.Text(x, y + 0.5, field.label, kLabelWidth - 4);
        s.Font(8.5);
        s.Text(x + kLabelWidth, y, field.value, width - kLabelWidth);
        y += kRow;
    }
    // The luminous opening: its pictogram and the sketch's text.
    s.Font(8, false, kGrey);
    s.Text(x, y + 0.5, QStringLiteral("Luminous opening"), kLabelWidth - 4);
    if (r.record != nullptr) {
        const LuminaireShape shape = ClassifyShape(ies);
        const double icon = 10;
        DrawStripCell(s.Target(), shape.cell, s.Px(x + kLabelWidth), s.Px(y), s.Px(icon));
        s.Font(8.5);
        s.Text(x + kLabelWidth + icon + 4, y, (shape.name.isEmpty() ? QString() : shape.name + QLatin1Char(' ')) +
                                                  shape.dimensions,
               width - kLabelWidth - icon - 4);
    }
    y += kRow + 6;

    // Beam and field of both pairs.
    const bool c = TypeC(ies);
    const QString first = c ? QStringLiteral("C0–C180") : QStringLiteral("H 0° plane");
    const QString second = c ? QStringLiteral("C90–C270") : QStringLiteral("V 0° profile");
    const std::vector<double> spreadRights{x + kLabelWidth, x + kLabelWidth + 55, x + width};
    s.Fill(x, y - 1.5, width, kRow, kShade);
    s.Font(8, true);
    TableRow(s, y, spreadRights, x, {QStringLiteral("Spread"), first, second});
    y += kRow;
    s.Font(8.5);
    TableRow(s, y, spreadRights, x,
             {QStringLiteral("Beam (50 %)"), Optional(sum.c0_c180.beam_deg, 1, kDegree),
              Optional(sum.c90_c270.beam_deg, 1, kDegree)});
    y += kRow;
    TableRow(s, y, spreadRights, x,
             {QStringLiteral("Field (10 %)"), Optional(sum.c0_c180.field_deg, 1, kDegree),
              Optional(sum.c90_c270.field_deg, 1, kDegree)});
    y += kRow + 8;

    Heading(s, x, y, QStringLiteral("Zonal lumens"), width);
    y += 15;
    if (!sum.zonal_lm) {
        // Zones are counted from the nadir, which only type C files index.
        s.Font(8, false, kGrey);
        s.Text(x, y, QStringLiteral("Zonal lumens and the CIE flux code need a type C file."), width);
        return;
    }
    const std::vector<double> zoneRights{x + 50, x + 50 + (width - 50) / 3, x + 50 + 2 * (width - 50) / 3, x + width};
    s.Fill(x, y - 1.5, width, kRow, kShade);
    s.Font(8, true);
    TableRow(s, y, zoneRights, x,
             {QStringLiteral("Zone"), QStringLiteral("lm"), QStringLiteral("% luminaire"), QStringLiteral("% lamps")});
    y += kRow;
    s.Font(8.5);
    for (std::size_t i = 0; i < kZonalBands.size(); ++i) {
        const ZonalBand& band = kZonalBands[i];
        const std::optional<double> lm =
            sum.zonal_lm ? std::optional<double>((*sum.zonal_lm)[i]) : std::optional<double>();
        const auto share = [&](const std::optional<double>& whole) -> QString {
            if (!lm || !whole || !(*whole > 0))
                return kDash;
            return Fixed(100 * *lm / *whole, 1);
        };
        if (i % 2 == 1)
            s.Fill(x, y - 1.5, width, kRow, kStripe);
        TableRow(s, y, zoneRights, x,
                 {GeneralDecimal(band.from, QLatin1Char('.')) + QStringLiteral("–") +
                      GeneralDecimal(band.to, QLatin1Char('.')) + kDegree,
                  Optional(lm, 0, QString()), share(sum.flux_lm), share(sum.lamp_flux_lm)});
        y += kRow;
    }
}

// Table decimals from the largest value, so that a column's points line up.
int TableDecimals(const IntensityTable& table)
{
    double largest = 0;
    for (const auto& row : table.values)
        for (const double v : row)
            if (std::isfinite(v))
                largest = std::max(largest, std::fabs(v));
    return largest >= 100 ? 0 : largest >= 10 ? 1 : 2;
}

QString SymmetryNote(const tIES& ies)
{
    if (!TypeC(ies) || ies.HorzAngles.empty())
        return QString();
    const double first = ies.HorzAngles.front(), last = ies.HorzAngles.back();
    if (ies.HorzAngles.size() == 1)
        return QStringLiteral("One plane stands for every direction.");
    if (first == 0 && last == 90)
        return QStringLiteral("C0–C90 stands for every quadrant.");
    if (first == 0 && last == 180)
        return QStringLiteral("C180–C360 mirror C0–C180.");
    if (first == 90 && last == 270)
        return QStringLiteral("C270–C90 mirror C90–C270.");
    return QString();
}

void DrawIntensityTable(Sheet& s, const DatasheetRequest& r, double x, double y, double width)
{
    Heading(s, x, y, QStringLiteral("Luminous intensity, cd"), width);
    y += 15;
    const IntensityTable& table = r.table;
    if (r.record == nullptr || table.planes.empty()) {
        s.Font(8.5, false, kGrey);
        s.Text(x, y, QStringLiteral("No intensities in this file."), width);
        return;
    }
    const bool c = TypeC(*r.record);
    const double first = 30;
    const double column = std::min(48.0, (width - first) / static_cast<double>(table.planes.size()));
    const int decimals = TableDecimals(table);
    QStringList header{c ? QStringLiteral("γ \\ C") : QStringLiteral("V \\ H")};
    for (const double plane : table.planes)
        header << (c ? QStringLiteral("C") + GeneralDecimal(plane, LocaleDecimalPoint())
                     : GeneralDecimal(plane, LocaleDecimalPoint()) + kDegree);
    std::vector<QStringList> rows;
    for (std::size_t i = 0; i < table.angles.size(); ++i) {
        QStringList row{Angle(table.angles[i])};
        for (const double v : table.values[i])
            row << Fixed(v, decimals);
        rows.push_back(std::move(row));
    }
    // The font shrinks until the widest number fits its column.
    double size = 7.5;
    for (; size > 5; size -= 0.5) {
        s.Font(size);
        double widest = 0;
        for (const QStringList& row : rows)
            for (qsizetype i = 1; i < row.size(); ++i)
                widest = std::max(widest, s.TextWidth(row[i]));
        if (widest <= column - 3)
            break;
    }
    const double rowHeight = std::max(8.0, size + 2.5);
    std::vector<double> rights{x + first - 4};
    for (std::size_t i = 1; i <= table.planes.size(); ++i)
        rights.push_back(x + first + column * static_cast<double>(i) - 3);
    const double tableWidth = first + column * static_cast<double>(table.planes.size());
    s.Fill(x, y - 1.5, tableWidth, rowHeight, kShade);
    s.Font(size, true);
    for (qsizetype i = 0; i < header.size(); ++i) {
        const double right = rights[static_cast<std::size_t>(i)];
        const double left = i == 0 ? x : right - column + 3;
        s.TextRight(right, y, header[i], right - left);
    }
    y += rowHeight;
    s.Font(size);
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (i % 2 == 1)
            s.Fill(x, y - 1.5, tableWidth, rowHeight, kStripe);
        s.Font(size, false, kGrey);
        s.TextRight(rights[0], y, rows[i][0], first - 4);
        s.Font(size);
        for (qsizetype k = 1; k < rows[i].size(); ++k)
            s.TextRight(rights[static_cast<std::size_t>(k)], y, rows[i][k], column - 3);
        y += rowHeight;
    }
    s.Rule(x, y - 1.5, x + tableWidth);
    const QString note = SymmetryNote(*r.record);
    if (!note.isEmpty()) {
        s.Font(7, false, kGrey);
        s.Text(x, y + 2, note, width);
    }
}

void DrawPicture(Sheet& s, const DatasheetRequest& r, double x, double y, double width)
{
    Heading(s, x, y, QStringLiteral("Rendered light view"), width);
    y += 15;
    const double side = std::min(width, 190.0);
    if (!r.picture.isNull()) {
        s.Target().DrawImage(QRect(s.Px(x), s.Px(y), s.Px(side), s.Px(side)), r.picture, r.picture.rect());
    }
    s.Frame(x, y, side, side);
    s.Font(7, false, kGrey);
    s.Text(x, y + side + 3, r.pictureNote, width);
}

}  // namespace

void DrawDatasheetPage(Canvas& canvas, const DatasheetRequest& request)
{
    if (request.paper.size.isEmpty())
        return;
    const CanvasStateGuard guard(canvas);
    Sheet s(canvas, request.paper);
    const double x = kMargin;
    const double width = s.Width() - 2 * kMargin;
    if (width <= 0)
        return;
    double y = DrawTitleBlock(s, request, x, kMargin, width);
    // The diagram as large as the summary beside it and the table below leave it.
    const double below = s.Height() - kMargin - kFooterHeight - y - 2 * 14 - kBottomHeight;
    const double side = std::floor(std::clamp(std::min(width - kGutter - kSummaryWidth, below), 0.0, width));
    const double right = x + side + kGutter;
    const double rightWidth = width - side - kGutter;
    DrawDiagramBox(s, request, x, y, side);
    DrawSummary(s, request, right, y, rightWidth);
    y += 14 + side + 14;
    DrawIntensityTable(s, request, x, y, side);
    DrawPicture(s, request, right, y, rightWidth);
    DrawFooter(s, request.footer, x, width);
}
