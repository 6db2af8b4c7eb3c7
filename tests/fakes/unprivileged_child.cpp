#include "fakes/unprivileged_child.h"

#include <QFile>

#include <cerrno>

#include <grp.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace etq::test {

namespace {

constexpr uid_t kNobody = 65534;
constexpr int kCannotDrop = 90;
constexpr int kThrew = 91;
constexpr int kCannotWrite = 92;
constexpr unsigned kSecondsAllowed = 60;

bool dropPrivileges() {
    if (geteuid() != 0) {
        return true;
    }
    return setgroups(0, nullptr) == 0 && setgid(kNobody) == 0 && setuid(kNobody) == 0 &&
           geteuid() == kNobody && getegid() == kNobody;
}

bool writeAll(int fd, const QByteArray& bytes) {
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t n =
            write(fd, bytes.constData() + done, static_cast<size_t>(bytes.size() - done));
        if (n <= 0) {
            return false;
        }
        done += n;
    }
    return true;
}

// Runs in the child: never returns. _exit skips the exit handlers, so the parent's buffers,
// temporary folders and leak checker are left to the parent.
[[noreturn]] void child(int fd, const std::function<QByteArray()>& work) {
    if (!dropPrivileges()) {
        _exit(kCannotDrop);
    }
    // Work that hangs (a read that never returns) ends the child instead of the test run.
    alarm(kSecondsAllowed);
    QByteArray result;
    try {
        result = work();
    } catch (...) {
        _exit(kThrew);
    }
    _exit(writeAll(fd, result) ? 0 : kCannotWrite);
}

}  // namespace

std::optional<QByteArray> runUnprivileged(const std::function<QByteArray()>& work,
                                          QString& problem) {
    int fds[2];
    if (pipe(fds) != 0) {
        problem = QStringLiteral("no pipe");
        return std::nullopt;
    }
    const pid_t pid = fork();
    if (pid < 0) {
        close(fds[0]);
        close(fds[1]);
        problem = QStringLiteral("no fork");
        return std::nullopt;
    }
    if (pid == 0) {
        close(fds[0]);
        child(fds[1], work);
    }
    close(fds[1]);
    QByteArray output;
    char buffer[4096];
    for (ssize_t n = 0; (n = read(fds[0], buffer, sizeof buffer)) != 0;) {
        if (n > 0) {
            output.append(buffer, n);
        } else if (errno != EINTR) {
            break;
        }
    }
    close(fds[0]);
    int status = 0;
    while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        const int code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        problem = WIFSIGNALED(status) ? QStringLiteral(
                                            "the child was ended by signal %1 (a hang ends by "
                                            "SIGALRM)")
                                            .arg(WTERMSIG(status))
                  : code == kCannotDrop ? QStringLiteral("the child could not become nobody")
                  : code == kThrew      ? QStringLiteral("the child's work threw")
                                   : QStringLiteral("the child ended with status %1").arg(code);
        return std::nullopt;
    }
    return output;
}

bool setMode(const QString& path, unsigned mode) {
    return chmod(QFile::encodeName(path).constData(), static_cast<mode_t>(mode)) == 0;
}

}  // namespace etq::test
