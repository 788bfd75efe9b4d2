#pragma once

#include <optional>
#include <string_view>

// The file formats the program reads. Which names are photometric files,
// which reader reads an entry and how its caption is read from the file's
// front all follow from this tag, so a new format is added here and in the
// readers below the entry loader, and nowhere above.
enum class PhotometricFormat { Ies, Eulumdat };

// The format a file name says, by its extension in any letter case
// ("*.ies", "*.ldt"); nothing for a name no reader claims.
[[nodiscard]] std::optional<PhotometricFormat> FormatOfName(std::string_view name);

// Whether the file list shows a file of this name.
[[nodiscard]] inline bool IsPhotometricName(std::string_view name)
{
    return FormatOfName(name).has_value();
}

// The extension a new file of the format gets, lower case with its ".".
[[nodiscard]] std::string_view FormatExtension(PhotometricFormat format);

// The format's name as messages and menus say it ("IES", "EULUMDAT").
[[nodiscard]] std::string_view FormatName(PhotometricFormat format);
