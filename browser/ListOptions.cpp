#include "ListOptions.h"

#include <charconv>
#include <cmath>
#include <limits>

std::optional<int> ParseHoverTime(std::string_view text)
{
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
        text.remove_suffix(1);
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || !std::isfinite(value))
        return std::nullopt;
    const double cents = std::nearbyint(value * 100.0) / 100.0;
    const double whole = std::nearbyint(cents);
    // The field holds five characters, but a pasted text may hold more.
    if (whole > std::numeric_limits<int>::max() || whole < std::numeric_limits<int>::min())
        return std::nullopt;
    return static_cast<int>(whole);
}

bool HoverTimeAccepts(char typed, std::string_view text)
{
    if (typed > '9')
        return false;
    return !(typed == '-' && text.find('-') != std::string_view::npos);
}
