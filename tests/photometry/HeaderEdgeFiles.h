#pragma once

#include <string>
#include <vector>

// Files whose header sits where a read of the file's front must look further:
// the TILT line, its line end or a header value across the end of the first
// front, headers longer than one or two fronts, a TILT line never found, and
// the keywords, change markers and faults of ordinary files.
struct GeneratedFile {
    std::string name;
    std::string bytes;
};

[[nodiscard]] std::vector<GeneratedFile> HeaderEdgeFiles();
