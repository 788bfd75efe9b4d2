#include "ShellNamespace.h"

#include <algorithm>
#include <cstdlib>
#include <dirent.h>
#include <memory>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include "diagram/BoundedText.h"

namespace {

struct DirCloser {
    void operator()(DIR* dir) const { ::closedir(dir); }
};
using DirHandle = std::unique_ptr<DIR, DirCloser>;

bool IsDirectory(const std::string& path)
{
    struct stat st {};
    // stat follows links; a link loop fails with ELOOP and counts as no folder.
    return !path.empty() && ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool IsDotOrDotDot(const char* name)
{
    return name[0] == '.' && (name[1] == '\0' || (name[1] == '.' && name[2] == '\0'));
}

// Whether a directory entry is a folder, asking the file system only when
// the entry's type does not say so (links, file systems without d_type).
bool EntryIsFolder(const std::string& folder, const dirent* entry)
{
    if (entry->d_type == DT_DIR)
        return true;
    if (entry->d_type != DT_LNK && entry->d_type != DT_UNKNOWN)
        return false;
    return IsDirectory(JoinPath(folder, entry->d_name));
}

std::string Normalised(std::string path)
{
    while (path.size() > 1 && path.back() == '/')
        path.pop_back();
    return path;
}

std::string LastComponent(const std::string& path)
{
    const auto slash = path.find_last_of('/');
    return slash == std::string::npos || path.size() == 1 ? path : path.substr(slash + 1);
}

int CompareNames(const QString& a, const QString& b, const std::string& rawA, const std::string& rawB)
{
    if (const int c = a.compare(b, Qt::CaseInsensitive); c != 0)
        return c < 0 ? -1 : 1;
    if (const int c = rawA.compare(rawB); c != 0)
        return c < 0 ? -1 : 1;
    return 0;
}

}  // namespace

QString NameToText(const std::string& bytes)
{
    const auto size = static_cast<qsizetype>(bytes.size());
    QString text = QString::fromUtf8(bytes.data(), size);
    // Bytes that are not UTF-8 are most likely Latin-1, which every byte is.
    if (text.contains(QChar::ReplacementCharacter) && bytes.find("\xEF\xBF\xBD") == std::string::npos)
        return QString::fromLatin1(bytes.data(), size);
    return text;
}

QString NameToShownText(std::string_view bytes)
{
    return BoundedText(NameToText(std::string(ShownBytes(bytes))));
}

std::string JoinPath(const std::string& folder, const std::string& name)
{
    if (!folder.empty() && folder.back() == '/')
        return folder + name;
    return folder + '/' + name;
}

ShellNamespace::ShellNamespace(std::string home, std::string root, std::vector<std::string> mountFolders)
    : home_(Normalised(std::move(home))), root_(Normalised(std::move(root))), mountFolders_(std::move(mountFolders))
{
    if (home_.empty() || home_.front() != '/' || home_ == root_ || !IsDirectory(home_))
        home_.clear();
}

ShellNamespace ShellNamespace::ForCurrentUser()
{
    std::string home;
    if (const char* env = std::getenv("HOME"); env && *env)
        home = env;
    else if (const passwd* pw = ::getpwuid(::getuid()); pw && pw->pw_dir)
        home = pw->pw_dir;
    std::vector<std::string> mounts;
    if (const passwd* pw = ::getpwuid(::getuid()); pw && pw->pw_name) {
        mounts.push_back(std::string("/media/") + pw->pw_name);
        mounts.push_back(std::string("/run/media/") + pw->pw_name);
    }
    return ShellNamespace(home, "/", std::move(mounts));
}

std::vector<std::string> ShellNamespace::Volumes() const
{
    std::vector<std::string> volumes;
    for (const std::string& folder : mountFolders_) {
        DirHandle dir(::opendir(folder.c_str()));
        if (!dir)
            continue;
        while (const dirent* entry = ::readdir(dir.get())) {
            if (!IsDotOrDotDot(entry->d_name) && EntryIsFolder(folder, entry))
                volumes.push_back(JoinPath(folder, entry->d_name));
        }
    }
    return volumes;
}

bool ShellNamespace::IsVolume(const IdList& item) const
{
    if (item.Count() != 1 || item.Last() == root_ || item.Last() == home_)
        return false;
    const std::vector<std::string> volumes = Volumes();
    return std::find(volumes.begin(), volumes.end(), item.Last()) != volumes.end();
}

bool ShellNamespace::IsFileSystemRoot(const IdList& item) const
{
    return item.Count() == 1 && item.Last() == root_;
}

bool ShellNamespace::IsHome(const IdList& item) const
{
    return !home_.empty() && item.Count() == 1 && item.Last() == home_;
}

std::optional<std::vector<ItemId>> ShellNamespace::EnumerateSubfolders(const IdList& folder) const
{
    if (folder.IsEmpty()) {
        std::vector<ItemId> roots;
        if (!home_.empty())
            roots.push_back(home_);
        if (IsDirectory(root_))
            roots.push_back(root_);
        for (std::string& volume : Volumes())
            roots.push_back(std::move(volume));
        return roots;
    }
    const std::string path = ParsingName(folder);
    DirHandle dir(::opendir(path.c_str()));
    if (!dir)
        return std::nullopt;
    std::vector<ItemId> items;
    while (const dirent* entry = ::readdir(dir.get())) {
        if (!IsDotOrDotDot(entry->d_name) && EntryIsFolder(path, entry))
            items.emplace_back(entry->d_name);
    }
    return items;
}

bool ShellNamespace::BindsAsFolder(const IdList& item) const
{
    return item.IsEmpty() || IsDirectory(ParsingName(item));
}

bool ShellNamespace::HasSubfolders(const IdList& item) const
{
    if (item.IsEmpty())
        return true;
    const std::string path = ParsingName(item);
    DirHandle dir(::opendir(path.c_str()));
    if (!dir)
        return false;
    while (const dirent* entry = ::readdir(dir.get())) {
        if (!IsDotOrDotDot(entry->d_name) && EntryIsFolder(path, entry))
            return true;
    }
    return false;
}

QString ShellNamespace::DisplayName(const IdList& item) const
{
    if (item.IsEmpty())
        return QStringLiteral("Desktop");
    if (item.Count() == 1) {
        if (item.Last() == "/")
            return QStringLiteral("File System");
        return NameToText(LastComponent(item.Last()));
    }
    return NameToText(item.Last());
}

std::string ShellNamespace::ParsingName(const IdList& item) const
{
    std::string path;
    for (const ItemId& part : item.Items())
        path = path.empty() ? part : JoinPath(path, part);
    return path;
}

int ShellNamespace::Compare(const IdList& a, const IdList& b) const
{
    const auto& x = a.Items();
    const auto& y = b.Items();
    for (std::size_t i = 0; i < x.size() && i < y.size(); ++i) {
        if (x[i] == y[i])
            continue;
        if (i == 0) {
            // The home folder leads, as it does on any desktop, then the file system.
            for (const std::string& first : {home_, root_}) {
                if (!first.empty() && x[0] == first)
                    return -1;
                if (!first.empty() && y[0] == first)
                    return 1;
            }
        }
        return CompareNames(NameToText(x[i]), NameToText(y[i]), x[i], y[i]);
    }
    if (x.size() != y.size())
        return x.size() < y.size() ? -1 : 1;
    return 0;
}

std::optional<IdList> ShellNamespace::ParsePath(const std::string& rawPath) const
{
    if (rawPath.empty() || rawPath.front() != '/')
        return std::nullopt;
    // Collapse repeated separators and drop "." parts; ".." is left to the
    // file system check below, which it fails unless the name exists.
    std::vector<std::string> parts;
    std::size_t start = 0;
    while (start <= rawPath.size()) {
        const std::size_t end = std::min(rawPath.find('/', start), rawPath.size());
        std::string part = rawPath.substr(start, end - start);
        if (!part.empty() && part != ".")
            parts.push_back(std::move(part));
        start = end + 1;
    }
    // Appended piece by piece: assigning a literal here trips g++ 12's
    // -Wrestrict false positive at -O3.
    std::string path;
    for (const std::string& part : parts) {
        path += '/';
        path += part;
    }
    if (path.empty())
        path.push_back('/');
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0)
        return std::nullopt;
    // The most specific base wins: the home folder, a volume, then the root.
    std::vector<std::string> bases{home_};
    for (std::string& volume : Volumes())
        bases.push_back(std::move(volume));
    bases.push_back(root_);
    for (const std::string& base : bases) {
        if (base.empty())
            continue;
        const bool under = path == base || base == "/" ||
                           (path.size() > base.size() && path.compare(0, base.size(), base) == 0 && path[base.size()] == '/');
        if (!under)
            continue;
        IdList id({base});
        std::size_t pos = base == "/" ? 1 : base.size() + 1;
        while (pos < path.size()) {
            const std::size_t end = std::min(path.find('/', pos), path.size());
            id.Append(path.substr(pos, end - pos));
            pos = end + 1;
        }
        return id;
    }
    return std::nullopt;
}
