#include "ChildProcess.h"

#include <grp.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/wait.h>
#include <unistd.h>

std::string RunInChild(const std::function<std::string()>& body)
{
    int fds[2];
    if (::pipe(fds) != 0)
        return "pipe failed";
    const pid_t child = ::fork();
    if (child < 0)
        return "fork failed";
    if (child == 0) {
        ::close(fds[0]);
        const std::string text = body();
        const ssize_t written = ::write(fds[1], text.data(), text.size());
        // _exit: the child must not run the parent's exit handlers or tests.
        ::_exit(written == static_cast<ssize_t>(text.size()) ? 0 : 1);
    }
    ::close(fds[1]);
    std::string text;
    char buffer[512];
    for (ssize_t got; (got = ::read(fds[0], buffer, sizeof buffer)) > 0;)
        text.append(buffer, static_cast<std::size_t>(got));
    ::close(fds[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return "child died";
    return text;
}

bool DropRootPrivileges()
{
    if (::geteuid() != 0)
        return true;
    constexpr int kNobody = 65534;
    return ::setgroups(0, nullptr) == 0 && ::setgid(kNobody) == 0 && ::setuid(kNobody) == 0;
}

bool PrivateMounts()
{
    if (::unshare(CLONE_NEWNS) != 0)
        return false;
    // Keep our mounts from propagating back to the parent's namespace.
    return ::mount("none", "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0;
}
