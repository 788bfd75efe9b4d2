#pragma once

#include <functional>
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
//
// A program handed something may still fail after it started (xdg-open finds
// no handler and exits with 3 or 4): `ended` then hears the program's name and
// exit status, on the event loop, once it ends (127 when it could not be run
// at all). It may be empty; it is not called when the hand-over fails at once
// (false).
class DesktopPort {
public:
    using Ended = std::function<void(const QString& program, int exitStatus)>;
    virtual ~DesktopPort() = default;
    // Hands a file URL to the desktop's opener (xdg-open).
    virtual bool OpenUrl(const QByteArray& url, Ended ended) = 0;
    [[nodiscard]] virtual bool HasProgram(const QString& name) const = 0;
    // Starts the program found on the PATH with these arguments; no shell.
    virtual bool Start(const QString& program, const std::vector<std::string>& arguments, Ended ended) = 0;
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
bool OpenWithDefault(DesktopPort& desktop, const std::string& path, DesktopPort::Ended ended = {});

// The graphical text editors looked for, in this order.
[[nodiscard]] const std::vector<QString>& TextEditors();

// The file in a plain text editor: the first of TextEditors() found on the
// PATH. False when none is: the desktop's choice for the file would be this
// program again, or whatever else claims photometric files.
bool OpenWithTextEditor(DesktopPort& desktop, const std::string& path, DesktopPort::Ended ended = {});

// The folder in the default file manager.
bool OpenFolderWindow(DesktopPort& desktop, const std::string& folder, DesktopPort::Ended ended = {});

// The file manager showing `folder`, with `file` selected in it when given;
// opened as OpenFolderWindow does when no file manager answers the bus.
bool ExploreFolder(DesktopPort& desktop, const std::string& folder, const std::string& file,
                   DesktopPort::Ended ended = {});
