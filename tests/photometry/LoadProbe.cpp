// Measures the reader on hostile files: `load_probe write DIR` writes every
// tested case, `load_probe write-heavy DIR` the 64 MB ones; `load_probe
// FILE...` reads each through LoadEntry and prints its outcome, the time
// taken and the message.
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "photometry/EntryLoader.h"
#include "tests/photometry/HostileFiles.h"

namespace fs = std::filesystem;

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: load_probe write DIR | load_probe FILE...\n");
        return 2;
    }
    const std::string command = argv[1];
    if ((command == "write" || command == "write-heavy") && argc == 3) {
        fs::create_directories(argv[2]);
        for (const HostileFile& file : command == "write" ? HostileFiles() : HeavyHostileFiles()) {
            std::ofstream(fs::path(argv[2]) / file.name, std::ios::binary) << file.bytes();
            std::printf("%s\t%s\t%s\n", file.name.c_str(), ExpectedName(file.expected), file.message.c_str());
        }
        return 0;
    }
    for (int i = 1; i < argc; ++i) {
        const fs::path path = fs::absolute(argv[i]);
        TiesData entry = UnreadEntry(path.filename().string());
        const auto start = std::chrono::steady_clock::now();
        const LoadResult r = LoadEntry(entry, path.parent_path().string() + "/");
        const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
        const char* kind = r.kind == LoadResult::Kind::Failed ? "refused"
                           : r.kind == LoadResult::Kind::Missing ? "missing"
                           : r.HasHeaderFault() ? "reads with header fault" : "reads";
        std::printf("%s\t%s\t%.1f ms\t%s\n", path.filename().c_str(), kind, ms,
                    (r.error.empty() ? r.headerFault : r.error).c_str());
    }
    return 0;
}
