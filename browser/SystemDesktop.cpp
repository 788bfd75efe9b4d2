#include "SystemDesktop.h"

#include <cerrno>

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDesktopServices>
#include <QFile>
#include <QStandardPaths>
#include <QUrl>

#include <sys/wait.h>
#include <unistd.h>

namespace {

// Starts `argv` (argv[0] a full path) in a grandchild of its own session, so
// it outlives us and leaves no zombie. Everything is prepared before fork:
// between fork and exec only async-signal-safe calls are made.
bool SpawnDetached(const std::vector<std::string>& argv)
{
    std::vector<char*> args;
    args.reserve(argv.size() + 1);
    for (const std::string& arg : argv)
        args.push_back(const_cast<char*>(arg.c_str()));
    args.push_back(nullptr);
    const pid_t child = ::fork();
    if (child < 0)
        return false;
    if (child == 0) {
        ::setsid();
        const pid_t grandchild = ::fork();
        if (grandchild == 0) {
            ::execv(args[0], args.data());
            ::_exit(127);
        }
        ::_exit(grandchild < 0 ? 1 : 0);
    }
    int status = 0;
    while (::waitpid(child, &status, 0) < 0) {
        if (errno != EINTR)
            return false;
    }
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

}  // namespace

bool SystemDesktop::OpenUrl(const QByteArray& url)
{
    // xdg-open takes the URL as one argument; Qt's own launcher would split
    // a URL holding an apostrophe.
    if (HasProgram(QStringLiteral("xdg-open")))
        return Start(QStringLiteral("xdg-open"), {url.toStdString()});
    return QDesktopServices::openUrl(QUrl::fromEncoded(url, QUrl::StrictMode));
}

bool SystemDesktop::HasProgram(const QString& name) const
{
    return !QStandardPaths::findExecutable(name).isEmpty();
}

bool SystemDesktop::Start(const QString& program, const std::vector<std::string>& arguments)
{
    const QString found = QStandardPaths::findExecutable(program);
    if (found.isEmpty())
        return false;
    std::vector<std::string> argv;
    argv.reserve(arguments.size() + 1);
    argv.push_back(QFile::encodeName(found).toStdString());
    argv.insert(argv.end(), arguments.begin(), arguments.end());
    return SpawnDetached(argv);
}

bool SystemDesktop::CallFileManager(const QString& method, const QList<QByteArray>& urls)
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return false;
    QStringList uris;
    for (const QByteArray& url : urls)
        uris << QString::fromLatin1(url);
    QDBusMessage call = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.FileManager1"), QStringLiteral("/org/freedesktop/FileManager1"),
        QStringLiteral("org.freedesktop.FileManager1"), method);
    call << uris << QString();
    // A file manager that is started by the call takes a moment; a missing one answers at once.
    const QDBusMessage reply = bus.call(call, QDBus::Block, 5000);
    return reply.type() == QDBusMessage::ReplyMessage;
}

DesktopPort& TheSystemDesktop()
{
    static SystemDesktop desktop;
    return desktop;
}
