#include "ThumbnailOutput.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

std::string ErrorText(int error)
{
    return std::strerror(error);
}

bool WriteAll(int fd, std::string_view bytes)
{
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR)
            continue;
        if (written < 0)
            return false;
        if (written == 0) {
            errno = EIO;
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

}  // namespace

std::string WriteInPlace(const char* path, std::string_view bytes)
{
    // Non-blocking, so that a FIFO without a reader fails instead of hanging.
    constexpr int kFlags = O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC;
    bool created = false;
    int fd = ::open(path, kFlags);
    if (fd < 0 && errno == ENOENT) {
        fd = ::open(path, kFlags | O_CREAT | O_EXCL, 0666);
        created = fd >= 0;
    }
    if (fd < 0)
        return ErrorText(errno);
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return "not a regular file";
    }
    std::string fault;
    if (::ftruncate(fd, 0) != 0 || !WriteAll(fd, bytes)) {
        fault = ErrorText(errno);
        [[maybe_unused]] const int emptied = ::ftruncate(fd, 0);
    }
    if (::close(fd) != 0 && fault.empty()) {
        // The bytes may not all have arrived (a network file system).
        fault = ErrorText(errno);
        if (!created) {
            [[maybe_unused]] const int emptied = ::truncate(path, 0);
        }
    }
    if (!fault.empty() && created)
        ::unlink(path);
    return fault;
}
