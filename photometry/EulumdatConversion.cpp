#include "EulumdatConversion.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "EulumdatRecord.h"
#include "KandoraVersion.h"
#include "Keywords.h"

namespace {

constexpr const char* kVersion = kKandoraNameVersion;

bool Ascending(const tArrEx& angles)
{
    for (std::size_t i = 0; i < angles.size(); ++i)
        if (!std::isfinite(angles[i]) || (i > 0 && !(angles[i] > angles[i - 1])))
            return false;
    return true;
}

bool Consistent(const tIES& ies)
{
    if (ies.VertAngles.size() != ies.VertCount || ies.HorzAngles.size() != ies.HorzCount ||
        ies.Candela.size() != ies.HorzCount)
        return false;
    return std::all_of(ies.Candela.begin(), ies.Candela.end(),
                       [&](const tArrEx& row) { return row.size() == ies.VertCount; });
}

// The spacing of evenly spaced angles from `first`, or 0.
double Spacing(const tArrEx& angles)
{
    if (angles.size() < 2)
        return 0;
    const double step = angles[1] - angles[0];
    for (std::size_t i = 0; i < angles.size(); ++i)
        if (std::fabs(angles[i] - (angles[0] + static_cast<double>(i) * step)) > 1e-6)
            return 0;
    return step;
}

struct Plane {
    double angle;    // C angle in [0, 360)
    std::size_t row; // of the record
};

// Every C-plane of the full circle and which record row gives it, with the
// symmetry that stores part of them. `h` ascends.
int CirclePlanes(const tArrEx& h, std::vector<Plane>& circle)
{
    const std::size_t count = h.size();
    circle.clear();
    if (count == 1) {
        circle.push_back({0, 0});
        return 1;
    }
    const std::size_t m = count - 1;
    const double first = h.front();
    const double last = h.back();
    if (first == 0 && (last == 90 || last == 180)) {
        for (std::size_t k = 0; k <= m; ++k)
            circle.push_back({h[k], k});
        if (last == 90) {
            for (std::size_t k = m; k-- > 0;)
                circle.push_back({180 - h[k], k});
            for (std::size_t k = 1; k <= m; ++k)
                circle.push_back({180 + h[k], k});
        }
        for (std::size_t k = m; k-- > 1;)
            circle.push_back({360 - h[k], k});
        return last == 90 ? 4 : 2;
    }
    if (first == 90 && last == 270) {
        // The plane C mirrors 180 - C: the quarter 0..90 comes from the planes
        // 180..90, the quarter 270..360 from 270..180.
        std::size_t j0 = 0;
        while (j0 + 1 <= m && h[j0 + 1] <= 180)
            ++j0;
        for (std::size_t k = j0 + 1; k-- > 0;)
            circle.push_back({180 - h[k], k});
        for (std::size_t k = 1; k < m; ++k)
            circle.push_back({h[k], k});
        for (std::size_t k = m; k > j0; --k)
            circle.push_back({540 - h[k], k});
        // Stored from C270 at 3 Nc / 4 through C0 to C90 at Nc / 4.
        const bool fits = m % 2 == 0 && j0 == m / 2 && h[j0] == 180;
        return fits ? 3 : 0;
    }
    for (std::size_t k = 0; k <= m; ++k) {
        double angle = std::fmod(h[k], 360.0);
        if (angle < 0)
            angle += 360;
        circle.push_back({angle, k});
    }
    std::stable_sort(circle.begin(), circle.end(), [](const Plane& a, const Plane& b) { return a.angle < b.angle; });
    // 360 repeats 0: the first plane given for an angle stands.
    circle.erase(std::unique(circle.begin(), circle.end(), [](const Plane& a, const Plane& b) { return a.angle == b.angle; }),
                 circle.end());
    return 0;
}

std::string OneLine(std::string_view text)
{
    std::string line(text);
    for (char& c : line)
        if (c == '\r' || c == '\n')
            c = ' ';
    return line;
}

EulumdatBuild Fault(ConversionFault fault, std::string message)
{
    EulumdatBuild build;
    build.fault = fault;
    build.message = std::move(message);
    return build;
}

double MillimetresPerUnit(const tIES& ies)
{
    return ies.UnitsType == 1 ? 304.8 : 1000;
}

}  // namespace

std::string EulumdatConvertedNote()
{
    return std::string("Converted from IES by ") + std::string(kChangeMarker) + " " + kVersion;
}

EulumdatBuild EulumdatFromIes(const tIES& ies, const EulumdatWriteInputs& inputs)
{
    if (ies.PhotometricType != 1) {
        const std::string type = ies.PhotometricType == 2   ? "B"
                                 : ies.PhotometricType == 3 ? "A"
                                                            : std::to_string(ies.PhotometricType);
        return Fault(ConversionFault::NotConvertible,
                     "EULUMDAT holds type C photometry only; this file is type " + type + ".");
    }
    if (!Consistent(ies) || ies.HorzCount == 0 || ies.VertCount == 0)
        return Fault(ConversionFault::Unexpected, "The file has no intensities to write.");
    if (!Ascending(ies.HorzAngles))
        return Fault(ConversionFault::Unexpected, "The horizontal angles do not ascend.");
    if (!Ascending(ies.VertAngles))
        return Fault(ConversionFault::Unexpected, "The vertical angles do not ascend.");
    const bool absolute = HasAbsolutePhotometry(ies);
    if (absolute && !(std::isfinite(inputs.luminaireFlux) && inputs.luminaireFlux > 0))
        return Fault(ConversionFault::Unexpected, "Absolute photometry needs the luminaire's flux, which is not known.");

    std::vector<Plane> circle;
    const int isym = CirclePlanes(ies.HorzAngles, circle);
    const int nc = static_cast<int>(circle.size());
    const int stored = StoredPlaneCount(isym, nc);
    if (nc > kMaxEulumdatPlanes || stored < 0 || stored > kMaxEulumdatStoredPlanes)
        return Fault(ConversionFault::Unexpected, "The file has more planes than EULUMDAT can hold here.");

    EulumdatBuild build;
    EulumdatFile& f = build.file;
    f.Company = OneLine(inputs.manufacturer);
    f.Ityp = isym == 1 ? 1 : 3;
    f.Isym = isym;
    f.Nc = nc;
    tArrEx cAngles;
    for (const Plane& plane : circle)
        cAngles.push_back(plane.angle);
    f.Dc = isym == 1 ? 0 : Spacing(cAngles);
    f.Ng = ies.VertCount;
    f.Dg = Spacing(ies.VertAngles);
    f.ReportNumber = OneLine(inputs.test);
    f.LuminaireName = OneLine(inputs.luminaire);
    f.LuminaireNumber = OneLine(inputs.luminaireCatalog);
    f.FileName = OneLine(inputs.fileName);
    f.DateUser = EulumdatConvertedNote();

    // A negative width is a circle's (or cylinder's) diameter.
    const double mm = MillimetresPerUnit(ies);
    const bool round = ies.Width < 0;
    f.AreaLength = std::fabs(round ? ies.Width : ies.Length) * mm;
    f.AreaWidth = round ? 0 : std::fabs(ies.Width) * mm;
    f.AreaHeights.fill(std::fabs(ies.Height) * mm);
    f.LuminaireLength = f.AreaLength;
    f.LuminaireWidth = f.AreaWidth;
    f.LuminaireHeight = f.AreaHeights[0];
    f.DownwardFlux = inputs.downwardFlux;
    f.Lorl = inputs.lorl;
    f.ConversionFactor = 1;
    f.Tilt = 0;

    EulumdatLampSet set;
    const double lamps = std::max<double>(1, ies.LampCount);
    set.Count = absolute ? -1 : static_cast<int>(lamps);
    set.Type = OneLine(inputs.lamp);
    set.Flux = absolute ? inputs.luminaireFlux : lamps * ies.LampLumens;
    set.Watts = ies.InputWattsExact;
    f.LampSets.push_back(std::move(set));

    f.CAngles = std::move(cAngles);
    f.GAngles = ies.VertAngles;
    const double scale = ies.Multiplier * inputs.ballastFactor * inputs.ballastLampFactor * 1000 / f.LampSets[0].Flux;
    const int firstStored = FirstStoredPlane(isym, nc);
    for (int i = 0; i < stored; ++i) {
        const Plane& plane = circle[static_cast<std::size_t>((firstStored + i) % nc)];
        tArrEx row = ies.Candela[plane.row];
        for (double& value : row) {
            value *= scale;
            if (!std::isfinite(value))
                value = 0;
        }
        f.Intensities.push_back(std::move(row));
    }
    return build;
}

std::string EulumdatBytes(const EulumdatFile& f)
{
    std::string out;
    const auto line = [&out](std::string_view text) {
        out += OneLine(text);
        out += "\r\n";
    };
    const auto number = [&out](double value) {
        out += FormatIesNumber(value);
        out += "\r\n";
    };
    const auto whole = [&out](int value) {
        out += std::to_string(value);
        out += "\r\n";
    };
    std::size_t values = f.CAngles.size() + f.GAngles.size();
    for (const tArrEx& row : f.Intensities)
        values += row.size();
    out.reserve(1024 + values * 10);

    line(f.Company);
    whole(f.Ityp);
    whole(f.Isym);
    whole(f.Nc);
    number(f.Dc);
    whole(f.Ng);
    number(f.Dg);
    for (const std::string* text : {&f.ReportNumber, &f.LuminaireName, &f.LuminaireNumber, &f.FileName, &f.DateUser})
        line(*text);
    for (double value : {f.LuminaireLength, f.LuminaireWidth, f.LuminaireHeight, f.AreaLength, f.AreaWidth})
        number(value);
    for (double value : f.AreaHeights)
        number(value);
    for (double value : {f.DownwardFlux, f.Lorl, f.ConversionFactor, f.Tilt})
        number(value);
    whole(static_cast<int>(f.LampSets.size()));
    for (const EulumdatLampSet& set : f.LampSets) {
        whole(set.Count);
        line(set.Type);
        number(set.Flux);
        line(set.ColourTemperature);
        line(set.ColourRendering);
        number(set.Watts);
    }
    for (double value : f.DirectRatios)
        number(value);
    for (double value : f.CAngles)
        number(value);
    for (double value : f.GAngles)
        number(value);
    for (const tArrEx& row : f.Intensities)
        for (double value : row)
            number(value);
    return out;
}

FormatConversion BuildEulumdat(const tIES& ies, const EulumdatWriteInputs& inputs)
{
    EulumdatBuild build = EulumdatFromIes(ies, inputs);
    FormatConversion result;
    result.fault = build.fault;
    result.message = std::move(build.message);
    if (result.Written())
        result.bytes = EulumdatBytes(build.file);
    return result;
}

FormatConversion BuildIesFromEulumdat(const EulumdatFile& file)
{
    FormatConversion result;
    const tIES ies = EulumdatRecord(file);
    if (ies.HorzCount == 0 || ies.VertCount == 0) {
        result.fault = ConversionFault::Unexpected;
        result.message = "The file has no intensities to write.";
        return result;
    }
    // Built piece by piece: g++ 12 at -O3 misreads "text" + std::string as an overlapping copy.
    std::vector<std::string> lines{"IESNA:LM-63-2002"};
    const auto keyword = [&lines](std::string_view key, const std::string& value) {
        if (value.empty())
            return;
        std::string line(key);
        line += ' ';
        line += OneLine(value);
        lines.push_back(std::move(line));
    };
    keyword("[TEST]", file.ReportNumber);
    keyword("[ISSUEDATE]", file.DateUser);
    keyword("[MANUFAC]", file.Company);
    keyword("[LUMCAT]", file.LuminaireNumber);
    keyword("[LUMINAIRE]", file.LuminaireName);
    keyword("[LAMP]", file.LampSets.empty() ? std::string() : file.LampSets.front().Type);
    std::string changed = "[CHANGED] Converted from EULUMDAT by ";
    changed += kChangeMarker;
    changed += ' ';
    changed += kVersion;
    lines.push_back(std::move(changed));
    lines.emplace_back("TILT=NONE");

    std::string head = std::to_string(ies.LampCount);
    const auto add = [&head](const std::string& text) {
        head += ' ';
        head += text;
    };
    for (double value : {ies.LampLumens, 1.0})
        add(FormatIesNumber(value));
    for (unsigned value : {unsigned{ies.VertCount}, unsigned{ies.HorzCount}, 1u, 2u})
        add(std::to_string(value));
    for (double value : {ies.Width, ies.Length, ies.Height})
        add(FormatIesNumber(value));
    lines.push_back(WrapLine(head));
    std::string watts = "1 1 ";
    watts += FormatIesNumber(file.LampSets.empty() ? 0 : file.LampSets.front().Watts);
    lines.push_back(std::move(watts));

    const auto numbers = [&lines](const tArrEx& values, double factor) {
        std::string text;
        text.reserve(values.size() * 10);
        for (double value : values) {
            text += FormatIesNumber(value * factor);
            text += ' ';
        }
        lines.push_back(WrapLine(text));
    };
    numbers(ies.VertAngles, 1);
    numbers(ies.HorzAngles, 1);
    for (const tArrEx& row : ies.Candela)
        numbers(row, ies.Multiplier);
    result.bytes = JoinLines(std::move(lines));
    return result;
}
