#include "IesRecord.h"

#include <cmath>
#include <limits>
#include <sys/stat.h>

void ClearIes(tIES& ies)
{
    ies = tIES{};
}

void CopyIes(const tIES& source, tIES& dest)
{
    dest = source;
}

std::optional<TiesData> NewEntry(const std::string& path)
{
    struct stat st {};
    if (path.empty() || ::stat(path.c_str(), &st) != 0 || S_ISDIR(st.st_mode))
        return std::nullopt;
    const auto slash = path.find_last_of('/');
    return UnreadEntry(slash == std::string::npos ? path : path.substr(slash + 1));
}

TiesData UnreadEntry(std::string fileName)
{
    TiesData entry;
    entry.Format = FormatOfName(fileName).value_or(PhotometricFormat::Ies);
    entry.Texts.fileName = std::move(fileName);
    return entry;
}

std::uint16_t RoundToU16(double value)
{
    if (!std::isfinite(value))
        return 0;
    // nearbyint honours the default round-to-nearest-even mode.
    double rounded = std::nearbyint(value);
    double low = std::fmod(rounded, 65536.0);  // exact for every double
    if (low < 0)
        low += 65536.0;
    return static_cast<std::uint16_t>(low);
}

int RoundHalfEven(double value)
{
    if (std::isnan(value))
        return 0;
    const double rounded = std::nearbyint(value);
    if (rounded >= static_cast<double>(std::numeric_limits<int>::max()))
        return std::numeric_limits<int>::max();
    if (rounded <= static_cast<double>(std::numeric_limits<int>::min()))
        return std::numeric_limits<int>::min();
    return static_cast<int>(rounded);
}
