#pragma once

#include <string>
#include <vector>

#include <QByteArray>
#include <QString>
#include <QStringList>

// What the file operations ask of the desktop. Paths travel as the file
// system's bytes and URLs as percent-encoded ASCII, so a name with spaces,
// quotes, a newline or bytes that are not UTF-8 arrives as exactly that name.
// The running desktop's port is SystemDesktop (browser/SystemDesktop.h);
// tests put a recorder in its place.
class DesktopPort {
public:
    virtual ~DesktopPort() = default;
    // Hands a file URL to the desktop's opener (xdg-open).
    virtual bool OpenUrl(const QByteArray& url) = 0;
    [[nodiscard]] virtual bool HasProgram(const QString& name) const = 0;
    // Starts the program found on the PATH with these arguments; no shell.
    virtual bool Start(const QString& program, const std::vector<std::string>& arguments) = 0;
    // org.freedesktop.FileManager1's `method` ("ShowFolders" or "ShowItems")
    // over these URLs; false when no file manager answers.
    virtual bool CallFileManager(const QString& method, const QList<QByteArray>& urls) = 0;
};

// "file://" and the absolute path with every byte but the unreserved ones
// and "/" percent-encoded.
[[nodiscard]] QByteArray FileUrl(const std::string& absolutePath);

// The folder part of a path, up to and including its last "/".
[[nodiscard]] std::string FolderOfPath(const std::string& path);

// The file with the program the desktop associates with its type.
bool OpenWithDefault(DesktopPort& desktop, const std::string& path);

// The file in a plain text editor: the first of the usual desktop editors
// found on the PATH, else the desktop's choice for the file.
bool OpenWithTextEditor(DesktopPort& desktop, const std::string& path);

// The folder in the default file manager.
bool OpenFolderWindow(DesktopPort& desktop, const std::string& folder);

// The file manager showing `folder`, with `file` selected in it when given;
// opened as OpenFolderWindow does when no file manager answers the bus.
bool ExploreFolder(DesktopPort& desktop, const std::string& folder, const std::string& file);
