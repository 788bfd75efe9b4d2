#pragma once

// The bytes of a photometric file's text lines, whatever the writer's
// encoding, as the program shows them. Shared by the readers of both formats.

#include <string>
#include <string_view>

// `s` without the blanks and control bytes at either end.
[[nodiscard]] std::string_view Trimmed(std::string_view s);

// Text bytes as UTF-8: valid UTF-8 stays, anything else is read as
// Windows-1252 (Latin-1 with the printable 0x80-0x9F of that code page).
[[nodiscard]] std::string TextToUtf8(std::string_view text);
