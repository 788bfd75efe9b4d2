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
        return "not a regular file";
    if (static_cast<unsigned long long>(st.st_size) > kMaxFileBytes)
        return "the file is larger than " + std::to_string(kMaxFileBytes >> 20) + " MB";
    bytes.resize(static_cast<std::size_t>(st.st_size));
    std::size_t filled = 0;
    // The file may change while we read: stop at its end or at the bound.
    for (;;) {
        if (filled == bytes.size()) {
            if (bytes.size() > kMaxFileBytes)
                return "the file is larger than " + std::to_string(kMaxFileBytes >> 20) + " MB";
            bytes.resize(bytes.size() + 4096);
        }
        const ssize_t got = ::read(fd.get(), bytes.data() + filled, bytes.size() - filled);
        if (got < 0) {
            if (errno == EINTR)
                continue;
            return SystemError(errno);
        }
        if (got == 0)
            break;
        filled += static_cast<std::size_t>(got);
    }
    bytes.resize(filled);
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
        result.kind = LoadResult::Kind::Missing;
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
    tIES ies;
    const ReadResult read = ReadIes(bytes, split, ies);
    if (!read.Read()) {
        result.kind = LoadResult::Kind::Failed;
        result.error = read.message;
        return result;
    }
    if (read.status == ReadResult::Status::HeaderFault)
        result.headerFault = read.message;

    std::vector<std::string> texts;
    texts.reserve(8);
    texts.push_back(entry.Texts.size() > 2 ? entry.Texts[1] : std::string());
    texts.push_back(std::move(fileName));
    entry.Changed = FillKeywordTexts(split.headerText, texts);
    entry.Texts = std::move(texts);
    entry.Ies = std::move(ies);
    entry.Loaded = true;
    return result;
}
