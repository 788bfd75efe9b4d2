#pragma once

#include <string>
#include <string_view>

// Puts `bytes` into the file at `path` in place: an existing file keeps its
// inode and is truncated and rewritten, a missing one is created. File
// managers differ here: one opens the output itself before the run and reads
// the picture back through the descriptor it holds, so a new file renamed
// over the name would never reach it. On failure the file is left empty (or
// removed when this call made it), so no half picture passes for a thumbnail.
// Refuses anything but a regular file. Returns the fault, empty on success.
[[nodiscard]] std::string WriteInPlace(const char* path, std::string_view bytes);
