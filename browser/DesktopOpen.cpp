#include "DesktopOpen.h"


QByteArray FileUrl(const std::string& absolutePath)
{
    const QByteArray bytes(absolutePath.data(), static_cast<qsizetype>(absolutePath.size()));
    return QByteArrayLiteral("file://") + bytes.toPercentEncoding("/");
}

std::string FolderOfPath(const std::string& path)
{
    const std::size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

bool OpenWithDefault(DesktopPort& desktop, const std::string& path)
{
    return !path.empty() && desktop.OpenUrl(FileUrl(path));
}

bool OpenWithTextEditor(DesktopPort& desktop, const std::string& path)
{
    if (path.empty())
        return false;
    static const char* const editors[] = {"gnome-text-editor", "gedit", "mousepad", "kate", "kwrite",
                                          "xed", "pluma", "featherpad", "leafpad"};
    // An absolute path cannot be taken for an option, whatever its name begins with.
    const std::string argument = path.front() == '/' ? path : "./" + path;
    for (const char* name : editors) {
        const QString program = QString::fromLatin1(name);
        if (desktop.HasProgram(program))
            return desktop.Start(program, {argument});
    }
    return OpenWithDefault(desktop, path);
}

bool OpenFolderWindow(DesktopPort& desktop, const std::string& folder)
{
    return !folder.empty() && desktop.OpenUrl(FileUrl(folder));
}

bool ExploreFolder(DesktopPort& desktop, const std::string& folder, const std::string& file)
{
    if (folder.empty())
        return false;
    const bool shown = file.empty() ? desktop.CallFileManager(QStringLiteral("ShowFolders"), {FileUrl(folder)})
                                    : desktop.CallFileManager(QStringLiteral("ShowItems"), {FileUrl(file)});
    return shown || OpenFolderWindow(desktop, folder);
}
