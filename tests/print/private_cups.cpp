#include "private_cups.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QThread>

#include <grp.h>
#include <sys/stat.h>
#include <unistd.h>

namespace etq::test {

namespace {

bool writeFile(const QString& path, const QString& text) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           file.write(text.toUtf8()) == text.toUtf8().size();
}

}  // namespace

PrivateCups::PrivateCups() : root_(QDir::tempPath() + QStringLiteral("/etq-cups-XXXXXX")) {}

PrivateCups::~PrivateCups() {
    stop();
}

void PrivateCups::stop() {
    if (cupsd_.state() != QProcess::NotRunning) {
        cupsd_.terminate();
        if (!cupsd_.waitForFinished(10000)) {
            cupsd_.kill();
            cupsd_.waitForFinished(5000);
        }
    }
}

QString PrivateCups::outputFolder() const {
    return root_.filePath(QStringLiteral("out"));
}

QString PrivateCups::log() const {
    QFile file(root_.filePath(QStringLiteral("log/error_log")));
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll().right(3000))
                                          : QString();
}

QString PrivateCups::run(const QString& program, const QStringList& arguments, QString* output) {
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, arguments);
    if (!process.waitForFinished(30000)) {
        process.kill();
        process.waitForFinished(1000);
        return QStringLiteral("%1 did not run: %2").arg(program, process.errorString());
    }
    const QString text = QString::fromLocal8Bit(process.readAll());
    if (output != nullptr) {
        *output = text;
    }
    if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) {
        return QStringLiteral("%1 %2 failed: %3").arg(program, arguments.join(' '), text);
    }
    return {};
}

QString PrivateCups::prepare() {
    if (prepared_) {
        return {};
    }
    if (!root_.isValid()) {
        return QStringLiteral("no temporary folder");
    }
    if (geteuid() != 0) {
        return QStringLiteral("a private cupsd needs root (its spool belongs to the lp group)");
    }
    const group* lp = getgrnam("lp");
    if (lp == nullptr) {
        return QStringLiteral("no lp group: is CUPS installed?");
    }
    if (!QFileInfo(QStringLiteral("/usr/sbin/cupsd")).isExecutable()) {
        return QStringLiteral("/usr/sbin/cupsd is missing: install the cups package");
    }
    for (const char* tool : {"lpadmin", "lpstat"}) {
        if (QStandardPaths::findExecutable(QLatin1String(tool)).isEmpty()) {
            return QStringLiteral("%1 is missing: install the cups-client package")
                .arg(QLatin1String(tool));
        }
    }
    const QString p = root_.path();
    QDir dir(p);
    for (const char* sub : {"spool", "cache", "state", "log", "tmp", "root", "out"}) {
        dir.mkpath(QLatin1String(sub));
    }
    auto path = [&](const char* sub) {
        return QFile::encodeName(dir.filePath(QLatin1String(sub)));
    };
    chmod(QFile::encodeName(p).constData(), 0755);
    for (const char* sub : {"spool", "cache", "state", "tmp"}) {
        if (chown(path(sub).constData(), 0, lp->gr_gid) != 0) {
            return QStringLiteral("cannot hand %1 to the lp group").arg(QLatin1String(sub));
        }
    }
    chmod(path("spool").constData(), 01770);
    chmod(path("tmp").constData(), 01770);
    chmod(path("out").constData(), 0777);

    const QString files = QStringLiteral(
                              "FileDevice Yes\nServerRoot %1/root\nRequestRoot %1/spool\n"
                              "CacheDir %1/cache\nStateDir %1/state\nTempDir %1/tmp\n"
                              "ErrorLog %1/log/error_log\nAccessLog %1/log/access_log\n"
                              "PageLog %1/log/page_log\nServerBin /usr/lib/cups\n"
                              "DataDir /usr/share/cups\nUser lp\nGroup lp\n")
                              .arg(p);
    const QString server = QStringLiteral(
                               "Listen %1/cups.sock\nBrowsing Off\nDefaultAuthType None\n"
                               "WebInterface No\nLogLevel warn\n<Location />\nOrder allow,deny\n"
                               "Allow all\n</Location>\n")
                               .arg(p);
    if (!writeFile(dir.filePath(QStringLiteral("cups-files.conf")), files) ||
        !writeFile(dir.filePath(QStringLiteral("cupsd.conf")), server) ||
        !writeFile(dir.filePath(QStringLiteral("root/cupsd.conf")), server)) {
        return QStringLiteral("cannot write the cupsd configuration");
    }

    qputenv("CUPS_SERVER", QFile::encodeName(dir.filePath(QStringLiteral("cups.sock"))));
    qunsetenv("PRINTER");
    qunsetenv("LPDEST");
    // No lpoptions of the user may choose another default printer.
    qputenv("HOME", QFile::encodeName(p));
    prepared_ = true;
    return {};
}

QString PrivateCups::start() {
    if (const QString error = prepare(); !error.isEmpty()) {
        return error;
    }
    if (cupsd_.state() != QProcess::NotRunning) {
        return {};
    }
    const QDir dir(root_.path());
    cupsd_.setProcessChannelMode(QProcess::MergedChannels);
    cupsd_.start(
        QStringLiteral("/usr/sbin/cupsd"),
        {QStringLiteral("-f"), QStringLiteral("-c"), dir.filePath(QStringLiteral("cupsd.conf")),
         QStringLiteral("-s"), dir.filePath(QStringLiteral("cups-files.conf"))});
    if (!cupsd_.waitForStarted(10000)) {
        return QStringLiteral("cupsd did not start: %1").arg(cupsd_.errorString());
    }
    const QDeadlineTimer deadline(20000);
    while (!deadline.hasExpired()) {
        QString output;
        run(QStringLiteral("lpstat"), {QStringLiteral("-r")}, &output);
        if (output.contains(QStringLiteral("is running")) &&
            !output.contains(QStringLiteral("not"))) {
            return {};
        }
        if (cupsd_.state() == QProcess::NotRunning) {
            return QStringLiteral("cupsd stopped: %1 %2")
                .arg(QString::fromLocal8Bit(cupsd_.readAll()), log());
        }
        QThread::msleep(100);
    }
    return QStringLiteral("cupsd did not answer: %1").arg(log());
}

QString PrivateCups::command(const QString& program, const QStringList& arguments) {
    const QString error = run(program, arguments);
    return error.isEmpty() ? error : error + log();
}

QString PrivateCups::addQueue(const QStringList& lpadminArguments) {
    return command(QStringLiteral("lpadmin"), lpadminArguments);
}

QString PrivateCups::addFileQueue(const QString& name, const QString& fileName,
                                  const QString& model) {
    return addQueue({QStringLiteral("-p"), name, QStringLiteral("-E"), QStringLiteral("-v"),
                     QStringLiteral("file://") + QDir(outputFolder()).filePath(fileName),
                     QStringLiteral("-m"), model});
}

QString PrivateCups::setDefault(const QString& name) {
    return run(QStringLiteral("lpadmin"), {QStringLiteral("-d"), name});
}

QStringList PrivateCups::jobs(const QString& queue, const QString& which, QString* error) {
    QStringList arguments{QStringLiteral("-W"), which, QStringLiteral("-o")};
    if (!queue.isEmpty()) {
        arguments.append(queue);
    }
    QString output;
    *error = run(QStringLiteral("lpstat"), arguments, &output);
    QStringList ids;
    for (const QString& line : output.split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
        ids.append(line.section(QLatin1Char(' '), 0, 0));
    }
    return ids;
}

QString PrivateCups::waitForOutput(const QString& path, int timeoutMs, const QString& queue) {
    const QDeadlineTimer deadline(timeoutMs);
    qint64 lastSize = -1;
    while (!deadline.hasExpired()) {
        QString error;
        const bool pending = !jobs(queue, QStringLiteral("not-completed"), &error).isEmpty();
        const qint64 size = QFileInfo(path).size();
        if (error.isEmpty() && !pending && size > 0 && size == lastSize) {
            return {};
        }
        lastSize = size;
        QThread::msleep(200);
    }
    return QStringLiteral("no output in %1: %2").arg(path, log());
}

}  // namespace etq::test
