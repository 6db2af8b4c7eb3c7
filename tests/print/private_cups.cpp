#include "private_cups.h"

#include <QDeadlineTimer>
#include <QThread>

#include <sys/stat.h>
#include <unistd.h>

#include <utility>

namespace etq::test {

PrivateCups::PrivateCups() : root_(QDir::tempPath() + QStringLiteral("/etq-cups-XXXXXX")) {}

QString PrivateCups::errorLog() const {
    QFile file(root_.filePath(QStringLiteral("log/error_log")));
    return file.open(QIODevice::ReadOnly) ? file.readAll().right(3000) : QByteArray();
}

void PrivateCups::stop() {
    cupsd_.terminate();
    if (!cupsd_.waitForFinished(10000)) {
        cupsd_.kill();
        cupsd_.waitForFinished(5000);
    }
}

QString PrivateCups::run(const QString& program, const QStringList& arguments, QString* output) {
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, arguments);
    const bool ran = process.waitForFinished(30000) &&
                     process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
    const QString text = QString::fromLocal8Bit(process.readAll());
    if (output != nullptr) {
        *output = text;
    }
    return ran ? QString() : program + ' ' + arguments.join(' ') + " failed: " + text + errorLog();
}

QString PrivateCups::prepare() {
    if (!root_.isValid() || geteuid() != 0) {
        return QStringLiteral("a private cupsd needs root and a temporary folder");
    }
    // cupsd hands its spool, cache and state to lp itself; filters, as lp, write tmp and out.
    const QDir dir(root_.path());
    for (const char* sub : {"spool", "cache", "state", "tmp", "log", "root", "out"}) {
        dir.mkpath(QLatin1String(sub));
    }
    const auto path = [&](const char* sub) { return QFile::encodeName(dir.filePath(sub)); };
    chmod(path("."), 0755);
    chmod(path("tmp"), 01777);
    chmod(path("out"), 0777);
    const QString files = QStringLiteral(
        "FileDevice Yes\nServerRoot %1/root\nRequestRoot %1/spool\nCacheDir %1/cache\n"
        "StateDir %1/state\nTempDir %1/tmp\nErrorLog %1/log/error_log\nUser lp\nGroup lp\n"
        "AccessLog %1/log/access_log\nPageLog %1/log/page_log\n");
    const QString server = QStringLiteral(
        "Listen %1/cups.sock\nBrowsing Off\nDefaultAuthType None\nWebInterface No\nLogLevel warn\n"
        "<Location />\nOrder allow,deny\nAllow all\n</Location>\n");
    for (const auto& [name, text] :
         {std::pair{"cups-files.conf", files}, std::pair{"root/cupsd.conf", server}}) {
        QFile file(dir.filePath(QLatin1String(name)));
        if (!file.open(QIODevice::WriteOnly) || file.write(text.arg(dir.path()).toUtf8()) < 0) {
            return QStringLiteral("cannot write the cupsd configuration");
        }
    }
    qputenv("CUPS_SERVER", QFile::encodeName(dir.filePath(QStringLiteral("cups.sock"))));
    qunsetenv("PRINTER");
    qunsetenv("LPDEST");
    qputenv("HOME", QFile::encodeName(dir.path()));  // no lpoptions of the user's pick a default
    return {};
}

QString PrivateCups::start() {
    const QString error = prepare();
    if (!error.isEmpty() || cupsd_.state() != QProcess::NotRunning) {
        return error;
    }
    // cupsd listens once its queues are loaded.
    const QString socket = root_.filePath(QStringLiteral("cups.sock"));
    QFile::remove(socket);
    cupsd_.start(QStringLiteral("/usr/sbin/cupsd"), {"-f", "-c", root_.filePath("root/cupsd.conf"),
                                                     "-s", root_.filePath("cups-files.conf")});
    for (const QDeadlineTimer deadline(20000); !QFileInfo::exists(socket);) {
        if (deadline.hasExpired() || cupsd_.waitForFinished(100)) {
            return "cupsd did not start: " + cupsd_.errorString() + ' ' + errorLog();
        }
    }
    return {};
}

QStringList PrivateCups::jobs(const QString& queue, const QString& which, QString* error) {
    QString output;
    QStringList arguments{"-W", which, "-o", queue};
    arguments.removeAll(QString());  // no queue named: every queue
    *error = run(QStringLiteral("lpstat"), arguments, &output);
    QStringList ids;
    for (const QString& line : output.split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
        ids.append(line.section(QLatin1Char(' '), 0, 0));
    }
    return ids;
}

QString PrivateCups::waitForOutput(const QString& path, int timeoutMs, const QString& queue) {
    qint64 size = -1;
    for (const QDeadlineTimer deadline(timeoutMs); !deadline.hasExpired(); QThread::msleep(200)) {
        QString error;
        const bool pending = !jobs(queue, QStringLiteral("not-completed"), &error).isEmpty();
        const qint64 before = std::exchange(size, QFileInfo(path).size());
        if (error.isEmpty() && !pending && size > 0 && size == before) {
            return {};
        }
    }
    return "no output in " + path + ": " + errorLog();
}

}  // namespace etq::test
