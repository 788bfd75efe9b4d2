#include "IntensityTable.h"

#include <algorithm>
#include <cmath>

#include "PhotometricSummary.h"

namespace {

constexpr double kRowStep = 10;
constexpr double kMainPlaneStep = 45;

double Turn(double angle)
{
    const double c = std::fmod(angle, 360.0);
    return c < 0 ? c + 360 : c;
}

// The stored planes that get a column, as indices into the record's rows.
std::vector<std::size_t> ColumnPlanes(const tIES& ies)
{
    const std::size_t rows = std::min(ies.HorzAngles.size(), ies.Candela.size());
    std::vector<std::size_t> own;
    std::vector<double> turns;
    for (std::size_t k = 0; k < rows; ++k) {
        const double c = ies.HorzAngles[k];
        if (!std::isfinite(c) || std::find(turns.begin(), turns.end(), Turn(c)) != turns.end())
            continue;
        turns.push_back(Turn(c));
        own.push_back(k);
    }
    if (own.size() < kMaxTableColumns)
        return own;
    std::vector<std::size_t> main;
    for (const std::size_t k : own)
        if (std::remainder(ies.HorzAngles[k], kMainPlaneStep) == 0)
            main.push_back(k);
    if (!main.empty())
        return main;
    std::vector<std::size_t> spread;
    for (std::size_t i = 0; i < kMaxTableColumns; ++i)
        spread.push_back(own[i * (own.size() - 1) / (kMaxTableColumns - 1)]);
    return spread;
}

// The multiples of `step` from lo to hi.
std::vector<double> Grid(double lo, double hi, double step)
{
    std::vector<double> grid;
    const double first = std::ceil(lo / step), last = std::floor(hi / step);
    if (!(last - first + 1 <= static_cast<double>(kMaxTableRows)))
        return grid;
    for (double i = first; i <= last; ++i)
        grid.push_back(i * step);
    return grid;
}

std::vector<double> RowAngles(const tIES& ies)
{
    std::vector<double> own;
    for (const double a : ies.VertAngles)
        if (std::isfinite(a))
            own.push_back(a);
    std::sort(own.begin(), own.end());
    own.erase(std::unique(own.begin(), own.end()), own.end());
    if (own.empty())
        return own;
    const double lo = own.front(), hi = own.back();
    if (!std::isfinite(hi - lo))
        return {};
    const std::vector<double> tens = Grid(lo, hi, kRowStep);
    if (own.size() <= kMaxTableRows && (own.size() < tens.size() || tens.empty()))
        return own;
    if (!tens.empty())
        return tens;
    // Too long a range for every 10 degrees: the smallest multiple of 10 that fits.
    double factor = std::ceil((hi - lo) / kRowStep / static_cast<double>(kMaxTableRows - 1));
    std::vector<double> coarse;
    for (int tries = 0; coarse.empty() && tries < 4; ++tries, ++factor)
        coarse = Grid(lo, hi, kRowStep * factor);
    return coarse;
}

// The stored value of plane `row` at vertical angle `gamma`, linear between
// the file's angles; a malformed record's short row reads 0 past its end.
double ValueAt(const tIES& ies, std::size_t row, double gamma)
{
    const tArrEx& angles = ies.VertAngles;
    const tArrEx& values = ies.Candela[row];
    const auto value = [&](std::size_t i) { return i < values.size() ? values[i] : 0.0; };
    for (std::size_t i = 0; i < angles.size(); ++i)
        if (angles[i] == gamma)
            return value(i);
    for (std::size_t i = 0; i + 1 < angles.size(); ++i) {
        const double a0 = angles[i], a1 = angles[i + 1];
        if ((a0 < gamma && gamma < a1) || (a1 < gamma && gamma < a0))
            return value(i) + (value(i + 1) - value(i)) * (gamma - a0) / (a1 - a0);
    }
    return 0;
}

}  // namespace

IntensityTable MakeIntensityTable(const tIES& ies)
{
    IntensityTable table;
    const std::vector<std::size_t> columns = ColumnPlanes(ies);
    table.angles = RowAngles(ies);
    if (columns.empty() || table.angles.empty())
        return {};
    const double scale = IntensityScale(ies);
    for (const std::size_t k : columns)
        table.planes.push_back(ies.HorzAngles[k]);
    for (const double gamma : table.angles) {
        std::vector<double>& row = table.values.emplace_back();
        for (const std::size_t k : columns)
            row.push_back(ValueAt(ies, k, gamma) * scale);
    }
    return table;
}
