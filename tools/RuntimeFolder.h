#pragma once

#include <string>

// A private XDG runtime folder for the length of a run. A Qt GUI application
// looks into the runtime folder as it starts; without a usable
// XDG_RUNTIME_DIR it makes `$TMPDIR/runtime-$USER` and leaves it behind,
// which a file manager that runs thumbnailers in a private temporary folder
// reports and leaks. When the variable does not name a folder of ours with
// mode 0700, this makes one in the temporary folder, points the variable at
// it and removes it again, so nothing is left.
class PrivateRuntimeFolder {
public:
    PrivateRuntimeFolder();
    ~PrivateRuntimeFolder();
    PrivateRuntimeFolder(const PrivateRuntimeFolder&) = delete;
    PrivateRuntimeFolder& operator=(const PrivateRuntimeFolder&) = delete;

    // Removes the folder now, for a way out that skips destructors.
    void Remove();

private:
    std::string made_;  // empty when the caller's folder was usable or none could be made
};

// True when `path` is what the base-directory rules ask of a runtime folder:
// an absolute path to a directory (not a link) of this user with mode 0700.
[[nodiscard]] bool UsableRuntimeFolder(const char* path);
