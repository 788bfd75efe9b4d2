#pragma once

#include <string>

#include <QIcon>

class IdList;
class ShellNamespace;

// The icon the desktop's theme gives the file at `path`.
[[nodiscard]] QIcon FileIcon(const std::string& path);

// `base` with the link arrow in its lower left corner, at 16 and 32 pixels.
[[nodiscard]] QIcon WithLinkOverlay(const QIcon& base);

// The icon of a namespace item: desktop, home, file-system root or folder.
[[nodiscard]] QIcon FolderIcon(const ShellNamespace& space, const IdList& item);
