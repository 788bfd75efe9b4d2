#include "EntryLoader.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "Keywords.h"

namespace {

// Closes the descriptor on every path.
class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
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

std::string ReadWholeFile(const std::string& path, std::string& bytes)
{
    bytes.clear();
    // O_NONBLOCK keeps a FIFO from blocking the open; fstat then tells what we got.
    FileDescriptor fd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
    if (fd.get() < 0)
        return SystemError(errno);
    struct stat st {};
    if (::fstat(fd.get(), &st) != 0)
        return SystemError(errno);
    if (!S_ISREG(st.st_mode))
        return NotRegularFile(st.st_mode);
    if (static_cast<unsigned long long>(st.st_size) > kMaxFileBytes)
        return TooLarge();
    // Read into a buffer of exactly the size fstat gave: growing a string
    // past its capacity would double it, and a 64 MB file would cost 128 MB.
    bytes.resize(static_cast<std::size_t>(st.st_size));
    std::size_t filled = 0;
    while (filled < bytes.size()) {
        const ssize_t got = ::read(fd.get(), bytes.data() + filled, bytes.size() - filled);
        if (got < 0) {
            if (errno == EINTR)
                continue;
            return SystemError(errno);
        }
        if (got == 0)
            break;  // the file shrank while we read it
        filled += static_cast<std::size_t>(got);
    }
    bytes.resize(filled);
    // The file may also have grown since fstat (or report no size, as some
    // special file systems do): take the rest in chunks, up to the bound.
    char chunk[65536];
    for (;;) {
        const ssize_t got = ::read(fd.get(), chunk, sizeof chunk);
        if (got < 0) {
            if (errno == EINTR)
                continue;
            return SystemError(errno);
        }
        if (got == 0)
            break;
        if (bytes.size() + static_cast<std::size_t>(got) > kMaxFileBytes) {
            bytes.clear();
            return TooLarge();
        }
        bytes.append(chunk, static_cast<std::size_t>(got));
    }
    return {};
}

LoadResult LoadEntry(TiesData& entry, const std::string& folder)
{
    LoadResult result;
    if (entry.Texts.size() < 2) {
        result.kind = LoadResult::Kind::Missing;
        return result;
    }
    const std::string path = folder + entry.Texts[1];
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) {
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
    std::string bytes;
    if (std::string error = ReadWholeFile(path, bytes); !error.empty()) {
        result.kind = LoadResult::Kind::Failed;
        result.error = std::move(error);
        return result;
    }
    const std::size_t slash = path.find_last_of('/');
    return ReadEntryBytes(entry, bytes, slash == std::string::npos ? path : path.substr(slash + 1));
}

LoadResult ReadEntryBytes(TiesData& entry, std::string_view bytes, std::string fileName)
{
    LoadResult result;
    // The splitter and the reader both stop at a zero byte themselves.
    const HeaderSplit split = SplitHeader(bytes);
    // Keywords read the same from the file's own header lines as from the
    // CR LF text, since a value ends at the first CR or LF either way.
    const std::string_view header = split.headerLines;

    std::vector<std::string> texts;
    texts.reserve(8);
    texts.push_back(entry.Texts.size() > 2 ? entry.Texts[1] : std::string());
    texts.push_back(std::move(fileName));
    const bool changed = FillKeywordTexts(header, texts);

    tIES ies;
    const ReadResult read = ReadIes(bytes, split, ies);
    if (!read.Read()) {
        result.kind = LoadResult::Kind::Failed;
        result.error = read.message;
        return result;
    }
    if (read.status == ReadResult::Status::HeaderFault)
        result.headerFault = read.message;

    entry.Changed = changed;
    entry.Texts = std::move(texts);
    entry.Ies = std::move(ies);
    entry.Loaded = true;
    return result;
}
