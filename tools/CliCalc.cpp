#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <cstdio>
#include <optional>

#include "CliArguments.h"
#include "CliCommands.h"
#include "photometry/Calculations.h"

namespace {

QJsonValue IndexOrNull(const std::optional<int>& index)
{
    return index ? QJsonValue(*index) : QJsonValue(QJsonValue::Null);
}

QJsonValue CellOrNull(const std::optional<IesCell>& cell)
{
    return cell ? QJsonValue(QJsonArray{cell->Plane, cell->Vertical}) : QJsonValue(QJsonValue::Null);
}

}  // namespace

int RunCalc(const QStringList& arguments)
{
    const auto args = ParseDiagramArguments(arguments, false);
    if (!args) {
        std::fputs("usage: kandora-cli calc FILE [--plane K] [--thumbnail] [--fit] [--ortho|--no-ortho] [--complete]\n",
                   stderr);
        return 2;
    }
    tIES ies;
    if (!LoadRecord(args->file, ies))
        return 1;
    PlaneOptions options;
    options.Fit = args->fit;
    options.Orthogonal = args->orthogonal;
    options.ShowComplete = args->complete;
    const int zero = ZeroPlaneIndex(ies);
    const PlaneSelection s = SelectPlanes(ies, args->plane.value_or(zero), args->thumbnail ? 1 : 0, options);
    const QJsonObject result{
        {QStringLiteral("plane"), s.Plane},
        {QStringLiteral("opposite"), s.Opposite},
        {QStringLiteral("perpendicular"), IndexOrNull(s.Perpendicular)},
        {QStringLiteral("perpendicular_opposite"), IndexOrNull(s.PerpendicularOpposite)},
        {QStringLiteral("extents"),
         QJsonObject{{QStringLiteral("MaxValue"), s.Extents.MaxValue},
                     {QStringLiteral("MinX"), s.Extents.MinX},
                     {QStringLiteral("MaxX"), s.Extents.MaxX},
                     {QStringLiteral("MinY"), s.Extents.MinY},
                     {QStringLiteral("MaxY"), s.Extents.MaxY}}},
        {QStringLiteral("cells"),
         QJsonObject{{QStringLiteral("MaxCell"), CellOrNull(s.Cells.MaxCell)},
                     {QStringLiteral("MinXCell"), CellOrNull(s.Cells.MinXCell)},
                     {QStringLiteral("MaxXCell"), CellOrNull(s.Cells.MaxXCell)},
                     {QStringLiteral("MinYCell"), CellOrNull(s.Cells.MinYCell)},
                     {QStringLiteral("MaxYCell"), CellOrNull(s.Cells.MaxYCell)}}},
        {QStringLiteral("zero_plane"), zero},
    };
    const QByteArray json = QJsonDocument(result).toJson(QJsonDocument::Indented);
    std::fwrite(json.constData(), 1, static_cast<std::size_t>(json.size()), stdout);
    return 0;
}
