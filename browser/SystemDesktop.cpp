#include "SystemDesktop.h"

#include <cerrno>

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDesktopServices>
#include <QCoreApplication>
#include <QFile>
#include <QSocketNotifier>
#include <QStandardPaths>
#include <QUrl>

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// Starts `argv` (argv[0] a full path) in a session of its own, so that it
// outlives us and leaves no zombie: a small watcher process waits for it and
// writes its exit status (one byte) into `statusPipe` (when not -1) as it
// ends. Everything is prepared before fork: between fork and exec only
// async-signal-safe calls are made.
bool SpawnDetached(const std::vector<std::string>& argv, int statusPipe)
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
        const pid_t watcher = ::fork();
        if (watcher == 0) {
            const pid_t program = ::fork();
            if (program == 0) {
                ::execv(args[0], args.data());
                ::_exit(127);
            }
            int raw = 0;
            unsigned char status = 127;
            if (program > 0) {
                while (::waitpid(program, &raw, 0) < 0 && errno == EINTR) {
                }
                status = WIFEXITED(raw)     ? static_cast<unsigned char>(WEXITSTATUS(raw))
                         : WIFSIGNALED(raw) ? static_cast<unsigned char>(128 + (WTERMSIG(raw) & 0x7F))
                                            : 127;
            }
            if (statusPipe >= 0)
                while (::write(statusPipe, &status, 1) < 0 && errno == EINTR) {
                }
            ::_exit(0);
        }
        ::_exit(watcher < 0 ? 1 : 0);
    }
    int status = 0;
    while (::waitpid(child, &status, 0) < 0) {
        if (errno != EINTR)
            return false;
    }
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

// Hands `ended` the status byte the watcher writes into `fd`, on the event loop.
void WatchExit(int fd, const QString& program, DesktopPort::Ended ended)
{
    auto* notifier = new QSocketNotifier(static_cast<qintptr>(fd), QSocketNotifier::Read, QCoreApplication::instance());
    QObject::connect(notifier, &QSocketNotifier::activated, notifier, [notifier, fd, program, ended] {
        unsigned char status = 127;
        const ssize_t got = ::read(fd, &status, 1);
        if (got < 0 && (errno == EAGAIN || errno == EINTR))
            return;
        notifier->setEnabled(false);
        ::close(fd);
        notifier->deleteLater();
        // No byte at all: the watcher itself was lost; nothing is known of the program.
        if (got == 1)
            ended(program, status);
    });
}

}  // namespace

bool SystemDesktop::OpenUrl(const QByteArray& url, Ended ended)
{
    // xdg-open takes the URL as one argument; Qt's own launcher would split
    // a URL holding an apostrophe.
    if (HasProgram(QStringLiteral("xdg-open")))
        return Start(QStringLiteral("xdg-open"), {url.toStdString()}, std::move(ended));
    return QDesktopServices::openUrl(QUrl::fromEncoded(url, QUrl::StrictMode));
}

bool SystemDesktop::HasProgram(const QString& name) const
{
    return !QStandardPaths::findExecutable(name).isEmpty();
}

bool SystemDesktop::Start(const QString& program, const std::vector<std::string>& arguments, Ended ended)
{
    const QString found = QStandardPaths::findExecutable(program);
    if (found.isEmpty())
        return false;
    std::vector<std::string> argv;
    argv.reserve(arguments.size() + 1);
    argv.push_back(QFile::encodeName(found).toStdString());
    argv.insert(argv.end(), arguments.begin(), arguments.end());
    int status[2] = {-1, -1};
    // The pipe closes on exec: only the watcher keeps its writing end.
    const bool watched = ended && ::pipe2(status, O_CLOEXEC | O_NONBLOCK) == 0;
    const bool started = SpawnDetached(argv, watched ? status[1] : -1);
    if (watched) {
        ::close(status[1]);
        if (started)
            WatchExit(status[0], program, std::move(ended));
        else
            ::close(status[0]);
    }
    return started;
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
