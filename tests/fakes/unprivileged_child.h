#pragma once

#include <QFile>

#include <cerrno>
#include <functional>
#include <optional>

#include <grp.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace etq::test {

// Runs `work` in a forked child process and hands back the bytes it returned. When the tests
// run as root, the child first becomes user and group nobody (65534), because root reads and
// writes files whatever their permissions say. Returns nothing, with `problem` set, when the
// child could not drop its privileges or did not end normally (it is ended after a minute).
inline std::optional<QByteArray> runUnprivileged(const std::function<QByteArray()>& work,
                                                 QString& problem) {
    int fds[2];
    const pid_t pid = pipe(fds) == 0 ? fork() : -1;
    if (pid == 0) {
        // Exit 90: still root; 91: the work threw; 92: the pipe failed. _exit leaves the
        // parent's buffers, temporary folders and leak checker alone.
        alarm(60);
        if (geteuid() == 0 && (setgroups(0, nullptr) || setgid(65534) || setuid(65534))) {
            _exit(90);
        }
        QFile out;
        out.open(fds[1], QIODevice::WriteOnly | QIODevice::Unbuffered);
        try {
            const QByteArray result = work();
            _exit(out.write(result) == result.size() ? 0 : 92);
        } catch (...) {
            _exit(91);
        }
    }
    int status = -1;
    QByteArray output;
    if (pid > 0) {
        close(fds[1]);
        QFile in;
        in.open(fds[0], QIODevice::ReadOnly, QFileDevice::AutoCloseHandle);
        output = in.readAll();
        while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
        }
    }
    if (status != 0) {
        problem =
            QStringLiteral("the child failed with wait status %1 (SIGALRM: it hung)").arg(status);
        return std::nullopt;
    }
    return output;
}

// Sets the permission bits of a path; false when that fails.
inline bool setMode(const QString& path, unsigned mode) {
    return chmod(QFile::encodeName(path).constData(), static_cast<mode_t>(mode)) == 0;
}

}  // namespace etq::test
