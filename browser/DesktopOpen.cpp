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

bool OpenWithDefault(DesktopPort& desktop, const std::string& path, DesktopPort::Ended ended)
{
    return !path.empty() && desktop.OpenUrl(FileUrl(path), std::move(ended));
}

const std::vector<QString>& TextEditors()
{
    static const std::vector<QString> editors = {
        QStringLiteral("gnome-text-editor"), QStringLiteral("gedit"), QStringLiteral("mousepad"),
        QStringLiteral("kate"), QStringLiteral("kwrite"), QStringLiteral("xed"), QStringLiteral("pluma"),
        QStringLiteral("featherpad"), QStringLiteral("leafpad")};
    return editors;
}

bool OpenWithTextEditor(DesktopPort& desktop, const std::string& path, DesktopPort::Ended ended)
{
    if (path.empty())
        return false;
    // An absolute path cannot be taken for an option, whatever its name begins with.
    const std::string argument = path.front() == '/' ? path : "./" + path;
    for (const QString& program : TextEditors()) {
        if (desktop.HasProgram(program))
            return desktop.Start(program, {argument}, std::move(ended));
    }
    return false;
}

bool OpenFolderWindow(DesktopPort& desktop, const std::string& folder, DesktopPort::Ended ended)
{
    return !folder.empty() && desktop.OpenUrl(FileUrl(folder), std::move(ended));
}

bool ExploreFolder(DesktopPort& desktop, const std::string& folder, const std::string& file, DesktopPort::Ended ended)
{
    if (folder.empty())
        return false;
    const bool shown = file.empty() ? desktop.CallFileManager(QStringLiteral("ShowFolders"), {FileUrl(folder)})
                                    : desktop.CallFileManager(QStringLiteral("ShowItems"), {FileUrl(file)});
    return shown || OpenFolderWindow(desktop, folder, std::move(ended));
}
