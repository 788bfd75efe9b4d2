#include "EntryLoader.h"

#include <algorithm>
#include <cerrno>
#include <optional>
#include <utility>
#include <vector>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "EulumdatEntry.h"
#include "IesEntry.h"

namespace {

// Closes the descriptor on every path.
class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    FileDescriptor& operator=(FileDescriptor&& other) noexcept
    {
        std::swap(fd_, other.fd_);
        return *this;
    }
    ~FileDescriptor()
    {
        if (fd_ >= 0)
            ::close(fd_);
    }
    [[nodiscard]] int get() const { return fd_; }

private:
    int fd_;
};

std::string SystemError(int error)
{
    return std::strerror(error);
}

std::string TooLarge()
{
    return "The file is larger than " + std::to_string(kMaxFileBytes >> 20) + " MB.";
}

std::string NotRegularFile(mode_t mode)
{
    if (S_ISDIR(mode))
        return "It is a folder, not a file.";
    if (S_ISFIFO(mode))
        return "It is a named pipe, not a regular file.";
    if (S_ISCHR(mode) || S_ISBLK(mode))
        return "It is a device, not a regular file.";
    if (S_ISSOCK(mode))
        return "It is a socket, not a regular file.";
    return "It is not a regular file.";
}

}  // namespace

namespace {

// Opens `path` for reading when it is a regular file within kMaxFileBytes;
// `st` gets what fstat said. Returns an empty string, or what went wrong;
// `gone` tells when that was a name that no longer exists.
std::string OpenRegularFile(const std::string& path, FileDescriptor& fd, struct stat& st, bool* gone = nullptr)
{
    // O_NONBLOCK keeps a FIFO from blocking the open; fstat then tells what we got.
    fd = FileDescriptor(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
    if (fd.get() < 0) {
        const int error = errno;
        if (gone)
            *gone = error == ENOENT || error == ENOTDIR;
        return SystemError(error);
    }
    if (::fstat(fd.get(), &st) != 0)
        return SystemError(errno);
    if (!S_ISREG(st.st_mode))
        return NotRegularFile(st.st_mode);
    if (static_cast<unsigned long long>(st.st_size) > kMaxFileBytes)
        return TooLarge();
    return {};
}

// Reads on from the end of `bytes` until it holds `want` bytes or the file
// ends (`atEnd`). `expected` is the size fstat gave. A file that turns out
// larger than kMaxFileBytes is refused and `bytes` emptied.
std::string ReadFront(int fd, std::size_t expected, std::size_t want, std::string& bytes, bool& atEnd)
{
    atEnd = false;
    // Up to the size fstat gave, into a buffer of exactly that size: growing
    // a string past its capacity would double it, and a 64 MB file would cost 128 MB.
    const std::size_t sized = std::min(want, expected);
    if (bytes.size() < sized) {
        std::size_t filled = bytes.size();
        bytes.resize(sized);
        while (filled < sized) {
            const ssize_t got = ::read(fd, bytes.data() + filled, sized - filled);
            if (got < 0) {
                if (errno == EINTR)
                    continue;
                bytes.clear();
                return SystemError(errno);
            }
            if (got == 0) {  // the file shrank while we read it
                bytes.resize(filled);
                atEnd = true;
                return {};
            }
            filled += static_cast<std::size_t>(got);
        }
    }
    // The file may also have grown since fstat (or report no size, as some
    // special file systems do): take the rest in chunks, up to the bound.
    char chunk[65536];
    while (bytes.size() < want) {
        const ssize_t got = ::read(fd, chunk, std::min(sizeof chunk, want - bytes.size()));
        if (got < 0) {
            if (errno == EINTR)
                continue;
            bytes.clear();
            return SystemError(errno);
        }
        if (got == 0) {
            atEnd = true;
            return {};
        }
        if (bytes.size() + static_cast<std::size_t>(got) > kMaxFileBytes) {
            bytes.clear();
            return TooLarge();
        }
        bytes.append(chunk, static_cast<std::size_t>(got));
    }
    return {};
}

// The path of the entry's file, or the result that ends the read before it
// starts: a file that is gone, or one whose path cannot be examined.
std::optional<LoadResult> EntryPath(const TiesData& entry, const std::string& folder, std::string& path)
{
    LoadResult result;
    if (entry.Texts.fileName.empty()) {
        result.kind = LoadResult::Kind::Missing;
        return result;
    }
    path = folder + entry.Texts.fileName;
    struct stat st {};
    if (::stat(path.c_str(), &st) == 0)
        return std::nullopt;
    // Only a name that is really gone counts as missing; a symbolic-link
    // loop or a folder we may not enter is a fault worth telling.
    if (errno == ENOENT || errno == ENOTDIR) {
        result.kind = LoadResult::Kind::Missing;
    } else {
        result.kind = LoadResult::Kind::Failed;
        result.error = SystemError(errno);
    }
    return result;
}

}  // namespace

std::string ReadWholeFile(const std::string& path, std::string& bytes)
{
    bytes.clear();
    FileDescriptor fd(-1);
    struct stat st {};
    if (std::string error = OpenRegularFile(path, fd, st); !error.empty())
        return error;
    bool atEnd = false;
    return ReadFront(fd.get(), static_cast<std::size_t>(st.st_size), kMaxFileBytes + 1, bytes, atEnd);
}

LoadResult LoadEntry(TiesData& entry, const std::string& folder)
{
    std::string path;
    if (std::optional<LoadResult> early = EntryPath(entry, folder, path))
        return *early;
    std::string bytes;
    if (std::string error = ReadWholeFile(path, bytes); !error.empty())
        return LoadResult::Failure(std::move(error));
    return ReadEntryBytes(entry, bytes);
}

LoadResult ReadEntryBytes(TiesData& entry, std::string_view bytes)
{
    switch (entry.Format) {
    case PhotometricFormat::Ies:
        return ReadIesEntry(entry, bytes);
    case PhotometricFormat::Eulumdat:
        return ReadEulumdatEntry(entry, bytes);
    }
    return LoadResult::Failure("The file's format is not known.");
}

std::optional<LoadResult> ReadEntryTexts(TiesData& entry, std::string_view front, bool wholeFile)
{
    switch (entry.Format) {
    case PhotometricFormat::Ies:
        return ReadIesEntryFront(entry, front, wholeFile);
    case PhotometricFormat::Eulumdat:
        return ReadEulumdatEntryFront(entry, front, wholeFile);
    }
    return LoadResult::Failure("The file's format is not known.");
}

LoadResult LoadEntryTexts(TiesData& entry, const std::string& folder)
{
    if (entry.Loaded)
        return {};
    if (entry.Texts.fileName.empty())
        return LoadResult{LoadResult::Kind::Missing, {}, {}};
    // The open tells a vanished file as LoadEntry's stat does, a call less.
    const std::string path = folder + entry.Texts.fileName;
    FileDescriptor fd(-1);
    struct stat st {};
    bool gone = false;
    if (std::string error = OpenRegularFile(path, fd, st, &gone); !error.empty())
        return gone ? LoadResult{LoadResult::Kind::Missing, {}, {}} : LoadResult::Failure(std::move(error));
    // One buffer per thread serves every caption read; a file that needed a
    // large one gives it back.
    thread_local std::string bytes;
    bytes.clear();
    struct ShrinkLarge {
        ~ShrinkLarge()
        {
            if (bytes.capacity() > 16 * kCaptionFrontBytes)
                std::string().swap(bytes);
        }
    } shrink;
    for (std::size_t want = kCaptionFrontBytes;; want = std::min(want * 16, kMaxFileBytes + 1)) {
        bool atEnd = false;
        if (std::string error = ReadFront(fd.get(), static_cast<std::size_t>(st.st_size), want, bytes, atEnd); !error.empty())
            return LoadResult::Failure(std::move(error));
        if (std::optional<LoadResult> result = ReadEntryTexts(entry, bytes, atEnd))
            return *result;
    }
}
