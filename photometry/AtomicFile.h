#pragma once

#include <string>
#include <string_view>

// Replaces the file at `path` by `bytes` so that a reader sees either the
// old file or the whole new one, never a part: the bytes go to a temporary
// file in the same folder, are flushed to the disk, then renamed over the
// target. A symbolic link is written through to the file it names; an
// existing file keeps its permission bits, and a write-protected one is
// refused (though not for root, whom permission bits do not stop). On any
// failure the temporary
// file is removed and the old file is left as it was.
// Returns an empty string on success, else what went wrong.
[[nodiscard]] std::string WriteFileAtomically(const std::string& path, std::string_view bytes);
