#include "PhotometricFormat.h"

#include <algorithm>
#include <array>

namespace {

struct Extension {
    std::string_view suffix;  // lower case, with its "."
    PhotometricFormat format;
};

constexpr std::array<Extension, 2> kExtensions{{
    {".ies", PhotometricFormat::Ies},
    {".ldt", PhotometricFormat::Eulumdat},
}};

char LowerAscii(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool EndsWithIgnoringCase(std::string_view name, std::string_view suffix)
{
    if (name.size() < suffix.size())
        return false;
    const std::string_view tail = name.substr(name.size() - suffix.size());
    return std::equal(tail.begin(), tail.end(), suffix.begin(), [](char a, char b) { return LowerAscii(a) == b; });
}

}  // namespace

std::optional<PhotometricFormat> FormatOfName(std::string_view name)
{
    for (const Extension& extension : kExtensions) {
        if (EndsWithIgnoringCase(name, extension.suffix))
            return extension.format;
    }
    return std::nullopt;
}

std::string_view FormatExtension(PhotometricFormat format)
{
    for (const Extension& extension : kExtensions) {
        if (extension.format == format)
            return extension.suffix;
    }
    return {};
}

std::string_view FormatName(PhotometricFormat format)
{
    switch (format) {
    case PhotometricFormat::Ies: return "IES";
    case PhotometricFormat::Eulumdat: return "EULUMDAT";
    }
    return {};
}
