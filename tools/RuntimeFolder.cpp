#include "RuntimeFolder.h"

#include <cstdlib>
#include <sys/stat.h>
#include <unistd.h>

bool UsableRuntimeFolder(const char* path)
{
    struct stat st {};
    return path != nullptr && path[0] == '/' && ::lstat(path, &st) == 0 && S_ISDIR(st.st_mode) &&
           st.st_uid == ::geteuid() && (st.st_mode & 07777) == 0700;
}

PrivateRuntimeFolder::PrivateRuntimeFolder()
{
    if (UsableRuntimeFolder(std::getenv("XDG_RUNTIME_DIR")))
        return;
    const char* tmp = std::getenv("TMPDIR");
    std::string pattern = tmp != nullptr && tmp[0] == '/' ? tmp : "/tmp";
    pattern += "/kandora-runtime-XXXXXX";
    // mkdtemp makes the folder with mode 0700, as the rules ask.
    if (::mkdtemp(pattern.data()) == nullptr)
        return;
    made_ = pattern;
    ::setenv("XDG_RUNTIME_DIR", made_.c_str(), 1);
}

PrivateRuntimeFolder::~PrivateRuntimeFolder()
{
    Remove();
}

void PrivateRuntimeFolder::Remove()
{
    if (made_.empty())
        return;
    // Only an empty folder goes; anything Qt put there is left to be seen.
    ::rmdir(made_.c_str());
    made_.clear();
}
