#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include <QString>

#include "browser/IdList.h"

// The desktop namespace over the local file system. The virtual root
// "Desktop" holds the user's home folder, the file-system root and the
// mounted removable volumes. Every other item is a folder name below one of them. Parsing names
// are full paths in the file system's own bytes; display names are for
// people (bytes that are not valid UTF-8 are shown as Latin-1).
class ShellNamespace {
public:
    // `home` and `root` are absolute paths; tests pass temporary folders.
    // `home` is left out when it is missing, equal to `root` or not a folder.
    // The folders in `mountFolders` hold one folder per mounted volume.
    explicit ShellNamespace(std::string home, std::string root = "/", std::vector<std::string> mountFolders = {});

    // The namespace of the running user: $HOME (or the password entry), "/"
    // and the volumes the desktop mounts under /media/USER or /run/media/USER.
    [[nodiscard]] static ShellNamespace ForCurrentUser();

    [[nodiscard]] IdList DesktopId() const { return {}; }

    // The subfolders of `folder` (hidden ones included, symbolic links to
    // folders too) as item ids relative to it, in the file system's order;
    // nothing when the folder cannot be listed now (no access, gone).
    [[nodiscard]] std::optional<std::vector<ItemId>> EnumerateSubfolders(const IdList& folder) const;

    // True when the item opens as a folder.
    [[nodiscard]] bool BindsAsFolder(const IdList& item) const;

    // True when the folder holds at least one subfolder it lets us see.
    [[nodiscard]] bool HasSubfolders(const IdList& item) const;

    [[nodiscard]] QString DisplayName(const IdList& item) const;

    // The full path ("/" separated, no trailing separator except for "/");
    // empty for the desktop, which has no place in the file system.
    [[nodiscard]] std::string ParsingName(const IdList& item) const;

    // Orders two absolute ids: the home folder, the file-system root, the
    // volumes, then folder names without regard to letter case, then by their bytes.
    [[nodiscard]] int Compare(const IdList& a, const IdList& b) const;

    // The absolute id of an existing absolute path, through the home folder
    // when it lies there; nothing for a relative or missing path.
    [[nodiscard]] std::optional<IdList> ParsePath(const std::string& path) const;

    [[nodiscard]] bool IsFileSystemRoot(const IdList& item) const;
    [[nodiscard]] bool IsHome(const IdList& item) const;
    [[nodiscard]] bool IsVolume(const IdList& item) const;
    // The mounted volumes' paths, looked up afresh each time.
    [[nodiscard]] std::vector<std::string> Volumes() const;
    [[nodiscard]] const std::string& HomePath() const { return home_; }
    [[nodiscard]] const std::string& RootPath() const { return root_; }

private:
    std::string home_;  // empty when left out
    std::string root_;
    std::vector<std::string> mountFolders_;
};

// Turns file-system or file-header bytes into display text: UTF-8 when
// they are valid UTF-8, else Latin-1.
[[nodiscard]] QString NameToText(const std::string& bytes);

// NameToText for what is shown: only the front of long bytes is decoded, and
// the text is bounded with an ellipsis (BoundedText).
[[nodiscard]] QString NameToShownText(std::string_view bytes);

// Joins a folder path and a name with exactly one "/".
[[nodiscard]] std::string JoinPath(const std::string& folder, const std::string& name);
