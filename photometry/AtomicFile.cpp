#include "AtomicFile.h"

#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

std::string Failure(const char* what, int error)
{
    return std::string(what) + ": " + std::strerror(error) + ".";
}

// The temporary file: closed and removed unless committed.
class TemporaryFile {
public:
    TemporaryFile() = default;
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;
    ~TemporaryFile()
    {
        Close();
        if (!path_.empty())
            ::unlink(path_.c_str());
    }

    // Creates a file of a new name beside `target`; returns errno or 0.
    int Create(const std::string& target)
    {
        static std::atomic<unsigned> counter{0};
        const std::size_t slash = target.find_last_of('/');
        const std::string folder = slash == std::string::npos ? std::string() : target.substr(0, slash + 1);
        const std::string name = slash == std::string::npos ? target : target.substr(slash + 1);
        for (int attempt = 0; attempt < 100; ++attempt) {
            const std::string candidate = folder + "." + name + ".tmp-" + std::to_string(::getpid()) + "-" +
                                          std::to_string(counter.fetch_add(1));
            // 0666 lets the umask decide, as for any new file.
            fd_ = ::open(candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0666);
            if (fd_ >= 0) {
                path_ = candidate;
                return 0;
            }
            if (errno != EEXIST)
                return errno;
        }
        return EEXIST;
    }

    [[nodiscard]] int fd() const { return fd_; }
    [[nodiscard]] const std::string& path() const { return path_; }

    // Closes the descriptor; returns errno of a failed close or 0.
    int Close()
    {
        if (fd_ < 0)
            return 0;
        const int result = ::close(fd_);
        fd_ = -1;
        return result == 0 ? 0 : errno;
    }

    // The file now lives under another name: nothing to remove.
    void Commit() { path_.clear(); }

private:
    int fd_ = -1;
    std::string path_;
};

int WriteAll(int fd, std::string_view bytes)
{
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return errno;
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return 0;
}

// Flushes the folder so that the rename itself survives a power cut.
void SyncFolder(const std::string& target)
{
    const std::size_t slash = target.find_last_of('/');
    const std::string folder = slash == std::string::npos ? "." : slash == 0 ? "/" : target.substr(0, slash);
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

}  // namespace

std::string WriteFileAtomically(const std::string& path, std::string_view bytes)
{
    if (path.empty() || path.back() == '/')
        return "No file name was given.";
    std::string target = path;
    struct stat st {};
    bool exists = ::lstat(path.c_str(), &st) == 0;
    if (exists && S_ISLNK(st.st_mode)) {
        // Replacing the link itself would cut it off from the file it names.
        char resolved[PATH_MAX];
        if (::realpath(path.c_str(), resolved) != nullptr)
            target = resolved;
        exists = ::stat(target.c_str(), &st) == 0;
    }
    if (exists && S_ISDIR(st.st_mode))
        return "It is a folder, not a file.";
    if (exists && !S_ISREG(st.st_mode))
        return "It is not a regular file.";
    // Renaming over a write-protected file would succeed; its owner meant it to stay.
    if (exists && ::access(target.c_str(), W_OK) != 0 && errno == EACCES)
        return "The file is write-protected.";

    TemporaryFile temporary;
    if (const int error = temporary.Create(target))
        return Failure("Cannot create a file in the folder", error);
    if (exists && ::fchmod(temporary.fd(), st.st_mode & 07777) != 0)
        return Failure("Cannot set the file's permissions", errno);
    if (const int error = WriteAll(temporary.fd(), bytes))
        return Failure("Cannot write the file", error);
    // A full disk or a failing device may only show in fsync or close.
    if (::fsync(temporary.fd()) != 0)
        return Failure("Cannot write the file", errno);
    if (const int error = temporary.Close())
        return Failure("Cannot write the file", error);
    if (::rename(temporary.path().c_str(), target.c_str()) != 0)
        return Failure("Cannot replace the file", errno);
    temporary.Commit();
    SyncFolder(target);
    return {};
}
