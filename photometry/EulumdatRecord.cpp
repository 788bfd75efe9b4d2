#include "EulumdatRecord.h"

#include <algorithm>
#include <cmath>

#include "Keywords.h"

namespace {

bool Positive(double value)
{
    return std::isfinite(value) && value > 0;
}

// The C-plane that mirrors `c` about the C90-C270 plane, in [0, 360).
double MirrorAbout90(double c)
{
    double mirrored = std::fmod(180 - c, 360.0);
    if (mirrored < 0)
        mirrored += 360;
    return mirrored;
}

struct Plane {
    double angle;
    std::size_t row;  // into the file's stored intensities
};

std::vector<Plane> RecordPlanes(const EulumdatFile& f)
{
    const std::size_t stored = f.Intensities.size();
    const auto c = [&](std::size_t i) { return i < f.CAngles.size() ? f.CAngles[i] : 0.0; };
    std::vector<Plane> planes;
    if (stored == 0)
        return planes;
    if (f.Isym == 1)
        return {{0.0, 0}};
    planes.reserve(stored + 1);
    if (f.Isym == 3) {
        // Stored from C270 through C0 to C90; plane k of 90..270 mirrors the
        // stored plane (Nc/4 - k) mod Nc, which is stored row Nc/2 - k.
        const std::size_t nc = f.CAngles.size();
        const std::size_t half = stored - 1;
        for (std::size_t k = 0; k < stored; ++k) {
            const std::size_t source = nc == 0 ? 0 : (nc / 4 + nc - k) % nc;
            planes.push_back({MirrorAbout90(c(source)), half - k});
        }
        return planes;
    }
    for (std::size_t k = 0; k < stored; ++k)
        planes.push_back({c(k), k});
    // A full circle from 0 ends with its first plane again, as LM-63 writes it.
    if (f.Isym == 0 && stored >= 2 && planes.front().angle == 0 && planes.back().angle > 0 &&
        planes.back().angle < 360)
        planes.push_back({360.0, 0});
    return planes;
}

}  // namespace

double EulumdatFlux(const EulumdatFile& file)
{
    const double flux = file.LampSets.empty() ? 0 : file.LampSets.front().Flux;
    return Positive(flux) ? flux : 1000;
}

double EulumdatConversionFactor(const EulumdatFile& file)
{
    return Positive(file.ConversionFactor) ? file.ConversionFactor : 1;
}

bool EulumdatAbsolute(const EulumdatFile& file)
{
    return !file.LampSets.empty() && file.LampSets.front().Count < 0;
}

double EulumdatCandelaScale(const EulumdatFile& file)
{
    const double factor = EulumdatConversionFactor(file);
    if (EulumdatAbsolute(file))
        return factor * EulumdatFlux(file) / 1000;
    // Per 1000 lumens of one lamp, as the IES reader normalises.
    const int lamps = file.LampSets.empty() ? 1 : std::max(1, file.LampSets.front().Count);
    return factor * lamps;
}

tIES EulumdatRecord(const EulumdatFile& file)
{
    tIES ies;
    ies.PhotometricType = 1;
    ies.UnitsType = 2;
    const double flux = EulumdatFlux(file);
    const int count = file.LampSets.empty() ? 1 : file.LampSets.front().Count;
    if (EulumdatAbsolute(file)) {
        ies.LampCount = RoundToU16(-static_cast<double>(count));
        ies.LampLumens = -1;
        ies.Multiplier = 1;
    } else {
        const int lamps = std::max(1, count);
        ies.LampCount = RoundToU16(lamps);
        ies.LampLumens = flux / lamps;
        ies.Multiplier = ies.LampLumens / 1000;
    }
    // As the IES reader keeps them: the watts as read, and rounded for the labels.
    const double watts = file.LampSets.empty() ? 0 : file.LampSets.front().Watts;
    ies.InputWattsExact = std::isfinite(watts) ? watts : 0;
    ies.InputWatts = RoundToU16(ies.InputWattsExact);

    const double length = std::fabs(file.AreaLength) / 1000;
    const double width = std::fabs(file.AreaWidth) / 1000;
    if (width == 0) {
        ies.Width = length == 0 ? 0 : -length;  // a circle: its diameter
        ies.Length = 0;
    } else {
        ies.Width = width;
        ies.Length = length;
    }
    double height = 0;
    for (double h : file.AreaHeights)
        height = std::max(height, std::fabs(h));
    ies.Height = height / 1000;

    ies.VertAngles = file.GAngles;
    ies.VertCount = static_cast<std::uint16_t>(file.GAngles.size());
    const double scale = EulumdatCandelaScale(file);
    for (const Plane& plane : RecordPlanes(file)) {
        ies.HorzAngles.push_back(plane.angle);
        tArrEx row = file.Intensities[plane.row];
        row.resize(file.GAngles.size());
        for (double& value : row) {
            value *= scale;
            if (!std::isfinite(value))
                value = 0;
        }
        ies.Candela.push_back(std::move(row));
    }
    ies.HorzCount = static_cast<std::uint16_t>(ies.HorzAngles.size());
    return ies;
}

bool FillEulumdatTexts(const EulumdatFile& file, EntryTexts& texts)
{
    texts.test = file.ReportNumber;
    texts.manufacturer = file.Company;
    texts.luminaire = file.LuminaireName;
    texts.luminaireCatalog = file.LuminaireNumber;
    texts.lamp = file.LampSets.empty() ? std::string() : file.LampSets.front().Type;
    texts.lampCatalog.clear();
    return file.DateUser.find(kChangeMarker) != std::string::npos;
}
