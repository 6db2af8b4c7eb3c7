#include "fakes/scripted_message_box.h"
#include "platform/batch_runner.h"
#include "platform/error.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <fcntl.h>
#include <grp.h>
#include <sys/stat.h>
#include <unistd.h>

#include <memory>

using namespace etq;
using etq::test::ScriptedMessageBox;

namespace {

// A job with every byte value in it, so any change on the way shows.
QByteArray jobBytes() {
    QByteArray bytes("~SD15\r\n^XA\r\n^FT14,113^A0N,28,28^FH\\^FDA\\5E1^FS\r\n^XZ\r\n");
    for (int i = 0; i < 256; ++i) {
        bytes += static_cast<char>(i);
    }
    return bytes;
}

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(file.write(bytes), bytes.size());
}

QByteArray readFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The copy runs detached: waits until the file holds the expected bytes (or the time is up).
QByteArray awaitBytes(const QString& path, const QByteArray& expected, int milliseconds) {
    QByteArray bytes;
    for (QDeadlineTimer deadline(milliseconds); !deadline.hasExpired(); QTest::qWait(50)) {
        bytes = readFile(path);
        if (bytes == expected) {
            break;
        }
    }
    return bytes;
}

bool run(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process.start(program, arguments);
    return process.waitForFinished(20000) && process.exitStatus() == QProcess::NormalExit &&
           process.exitCode() == 0;
}

// A print scheduler of the test's own, with its own files and socket, that leaves the
// machine's printing alone. Its one queue passes the job's bytes unchanged into a file.
class PrivateCups {
  public:
    ~PrivateCups() {
        if (cupsd_.state() != QProcess::NotRunning) {
            cupsd_.terminate();
            if (!cupsd_.waitForFinished(5000)) {
                cupsd_.kill();
                cupsd_.waitForFinished(5000);
            }
        }
        qunsetenv("CUPS_SERVER");
    }

    // Starts the scheduler and adds the queue; returns what went wrong, or an empty text.
    QString start(const QString& queue) {
        for (const char* tool :
             {"/usr/sbin/cupsd", "/usr/sbin/lpadmin", "/usr/bin/lp", "/usr/bin/lpstat"}) {
            if (!QFile::exists(QLatin1String(tool))) {
                return QStringLiteral("%1 is not installed (scripts/install-deps.sh test)")
                    .arg(QLatin1String(tool));
            }
        }
        const group* lp = getgrnam("lp");
        if (!dir_.isValid() || lp == nullptr) {
            return QStringLiteral("no temporary folder or no lp group");
        }
        const QString p = dir_.path();
        chmod(QFile::encodeName(p).constData(), 0755);
        for (const char* sub : {"spool", "cache", "state", "log", "tmp", "root", "out"}) {
            QDir(p).mkpath(QLatin1String(sub));
        }
        for (const char* sub : {"spool", "cache", "state", "tmp", "log"}) {
            const QByteArray path = QFile::encodeName(p + QLatin1Char('/') + QLatin1String(sub));
            if (chown(path.constData(), 0, lp->gr_gid) != 0) {
                return QStringLiteral("cannot hand %1 to the lp group").arg(QLatin1String(sub));
            }
            chmod(path.constData(), 01770);
        }
        chmod(QFile::encodeName(p + QStringLiteral("/out")).constData(), 0777);
        writeFile(p + QStringLiteral("/cups-files.conf"),
                  QStringLiteral("FileDevice Yes\nServerRoot %1/root\nRequestRoot %1/spool\n"
                                 "CacheDir %1/cache\nStateDir %1/state\nTempDir %1/tmp\n"
                                 "ErrorLog %1/log/error_log\nAccessLog %1/log/access_log\n"
                                 "PageLog %1/log/page_log\nServerBin /usr/lib/cups\n"
                                 "DataDir /usr/share/cups\nUser lp\nGroup lp\n")
                      .arg(p)
                      .toLocal8Bit());
        const QByteArray conf = QStringLiteral(
                                    "Listen %1/cups.sock\nBrowsing Off\n"
                                    "DefaultAuthType None\nWebInterface No\n"
                                    "<Location />\nOrder allow,deny\nAllow all\n"
                                    "</Location>\n")
                                    .arg(p)
                                    .toLocal8Bit();
        writeFile(p + QStringLiteral("/cupsd.conf"), conf);
        writeFile(p + QStringLiteral("/root/cupsd.conf"), conf);
        // A queue whose only filter hands the bytes on as they are (a queue without any filter
        // writes nothing to a file device).
        writeFile(p + QStringLiteral("/raw.ppd"),
                  "*PPD-Adobe: \"4.3\"\n*FormatVersion: \"4.3\"\n*FileVersion: \"1.0\"\n"
                  "*LanguageVersion: English\n*LanguageEncoding: ISOLatin1\n"
                  "*PCFileName: \"RAWFILE.PPD\"\n*Manufacturer: \"Test\"\n*Product: \"(Raw)\"\n"
                  "*ModelName: \"Raw file\"\n*ShortNickName: \"Raw file\"\n"
                  "*NickName: \"Raw file\"\n*PSVersion: \"(3010.000) 0\"\n"
                  "*LanguageLevel: \"3\"\n*ColorDevice: False\n*DefaultColorSpace: Gray\n"
                  "*FileSystem: False\n*Throughput: \"1\"\n"
                  "*cupsFilter: \"application/vnd.cups-raw 0 gziptoany\"\n"
                  "*DefaultPageSize: Letter\n*PageSize Letter/Letter: \"\"\n"
                  "*DefaultPageRegion: Letter\n*PageRegion Letter/Letter: \"\"\n"
                  "*DefaultImageableArea: Letter\n*ImageableArea Letter/Letter: \"0 0 612 792\"\n"
                  "*DefaultPaperDimension: Letter\n*PaperDimension Letter/Letter: \"612 792\"\n");

        qputenv("CUPS_SERVER", QFile::encodeName(p + QStringLiteral("/cups.sock")));
        qunsetenv("PRINTER");
        qunsetenv("LPDEST");
        cupsd_.setProcessChannelMode(QProcess::ForwardedChannels);
        cupsd_.start(QStringLiteral("/usr/sbin/cupsd"),
                     {QStringLiteral("-f"), QStringLiteral("-c"), p + QStringLiteral("/cupsd.conf"),
                      QStringLiteral("-s"), p + QStringLiteral("/cups-files.conf")});
        if (!cupsd_.waitForStarted(5000)) {
            return QStringLiteral("cupsd did not start: ") + cupsd_.errorString();
        }
        bool running = false;
        for (QDeadlineTimer deadline(15000); !running && !deadline.hasExpired();
             QTest::qWait(100)) {
            QProcess lpstat;
            lpstat.start(QStringLiteral("lpstat"), {QStringLiteral("-r")});
            running = lpstat.waitForFinished(5000) &&
                      lpstat.readAllStandardOutput().contains("is running");
        }
        if (!running) {
            return QStringLiteral("cupsd did not answer");
        }
        if (!run(QStringLiteral("lpadmin"),
                 {QStringLiteral("-p"), queue, QStringLiteral("-E"), QStringLiteral("-v"),
                  QStringLiteral("file://") + outputPath(), QStringLiteral("-P"),
                  p + QStringLiteral("/raw.ppd")})) {
            return QStringLiteral("lpadmin could not add the queue");
        }
        return {};
    }

    QString outputPath() const { return dir_.filePath(QStringLiteral("out/printed.prn")); }

  private:
    QTemporaryDir dir_;
    QProcess cupsd_;
};

}  // namespace

class TestBatchRunner : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<QTemporaryDir> dir_;
    QString home_;
    QString work_;       // the working directory: where the batch finds the job file
    QString appFolder_;  // where the batch file lives
    ScriptedMessageBox messages_;

    QString batchWith(const QByteArray& line) {
        const QString path = QDir(appFolder_).filePath(QStringLiteral("printmorv.bat"));
        writeFile(path, line);
        return path;
    }
    QStringList workEntries() const {
        return QDir(work_).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
    }

  private Q_SLOTS:
    void initTestCase() { home_ = QDir::currentPath(); }

    void init() {
        dir_ = std::make_unique<QTemporaryDir>();
        QVERIFY(dir_->isValid());
        work_ = dir_->filePath(QStringLiteral("work"));
        appFolder_ = dir_->filePath(QStringLiteral("app"));
        QDir(dir_->path()).mkpath(QStringLiteral("work/sub"));
        QDir(dir_->path()).mkpath(QStringLiteral("app"));
        writeFile(QDir(work_).filePath(QStringLiteral("epltemp.prn")), jobBytes());
        QVERIFY(QDir::setCurrent(work_));
        messages_.shown.clear();
    }

    void cleanup() {
        QDir::setCurrent(home_);
        dir_.reset();
    }

    void fileDestinations_data() {
        QTest::addColumn<QByteArray>("batch");  // "@" stands for the working directory
        QTest::addColumn<QString>("destination");
        QTest::addColumn<QByteArray>("before");  // what the destination held before
        QTest::newRow("as the job writes it")
            << QByteArray("type epltemp.prn > out.prn\r\n") << "out.prn" << QByteArray();
        QTest::newRow("longer old file is replaced")
            << QByteArray("type epltemp.prn > out.prn\r\n") << "out.prn" << QByteArray(9000, 'z');
        QTest::newRow("job file named in another case, destination in a folder")
            << QByteArray("TYPE EPLTEMP.PRN > sub/out.prn") << "sub/out.prn" << QByteArray();
        QTest::newRow("absolute destination")
            << QByteArray("type epltemp.prn > @/sub/abs.prn") << "sub/abs.prn" << QByteArray();
        QTest::newRow("shell command in the destination is only a name")
            << QByteArray("type epltemp.prn > out.prn; touch pwned\r\n") << "out.prn; touch pwned"
            << QByteArray();
        QTest::newRow("shell substitution in the destination is only a name")
            << QByteArray("type epltemp.prn > $(touch pwned)`touch pwned`")
            << "$(touch pwned)`touch pwned`" << QByteArray();
        QTest::newRow("destination starting with a dash")
            << QByteArray("type epltemp.prn > -rf") << "-rf" << QByteArray();
    }
    void fileDestinations() {
        QFETCH(QByteArray, batch);
        QFETCH(QString, destination);
        QFETCH(QByteArray, before);
        const QString target = QDir(work_).filePath(destination);
        if (!before.isEmpty()) {
            writeFile(target, before);
        }
        batch.replace('@', QFile::encodeName(work_));
        BatchRunner runner(messages_, {appFolder_, dir_->path()});
        runner.startBatch(batchWith(batch));
        QVERIFY(messages_.shown.isEmpty());
        QCOMPARE(awaitBytes(target, jobBytes(), 10000), jobBytes());
        QVERIFY(!QFile::exists(QDir(work_).filePath(QStringLiteral("pwned"))));
        QVERIFY(!QFile::exists(QDir(appFolder_).filePath(QStringLiteral("pwned"))));
    }

    // A device that blocks until someone reads it (here a FIFO, as a printer port may be):
    // the copy waits for it in its own process, the program does not.
    void deviceDestinationDoesNotHoldTheProgram() {
        const QString fifo = QDir(work_).filePath(QStringLiteral("lp0"));
        QCOMPARE(mkfifo(QFile::encodeName(fifo).constData(), 0666), 0);
        BatchRunner runner(messages_, {appFolder_, dir_->path()});
        QElapsedTimer started;
        started.start();
        runner.startBatch(batchWith(QFile::encodeName("type epltemp.prn > " + fifo)));
        QVERIFY(started.elapsed() < 2000);
        QVERIFY(messages_.shown.isEmpty());

        const int fd = open(QFile::encodeName(fifo).constData(), O_RDONLY | O_NONBLOCK);
        QVERIFY(fd >= 0);
        QByteArray received;
        char buffer[4096];
        for (QDeadlineTimer deadline(10000);
             received.size() < jobBytes().size() && !deadline.hasExpired();) {
            const ssize_t n = read(fd, buffer, sizeof buffer);
            if (n > 0) {
                received.append(buffer, n);
            } else {
                QTest::qWait(20);
            }
        }
        close(fd);
        QCOMPARE(received, jobBytes());
    }

    void cupsQueueReceivesTheRawBytes() {
        PrivateCups cups;
        const QString problem = cups.start(QStringLiteral("ZebraRaw"));
        if (!problem.isEmpty()) {
            QFAIL(qPrintable(problem));
        }
        BatchRunner runner(messages_, {appFolder_, dir_->path()});
        // Queue names are found without regard to letter case, as the print system does.
        runner.startBatch(batchWith("type epltemp.prn > zebraraw\r\n"));
        QVERIFY(messages_.shown.isEmpty());
        QCOMPARE(awaitBytes(cups.outputPath(), jobBytes(), 30000), jobBytes());
        QVERIFY(!QFile::exists(QDir(work_).filePath(QStringLiteral("zebraraw"))));
    }

    void refusedBatches_data() {
        QTest::addColumn<QByteArray>("batch");
        QTest::addColumn<QString>("message");
        const QString form = QStringLiteral("type epltemp.prn > DESTINO");
        QTest::newRow("another command") << QByteArray("copy /b epltemp.prn out.prn\r\n") << form;
        QTest::newRow("command separator")
            << QByteArray("type epltemp.prn > out.prn & touch pwned\r\n") << form;
        QTest::newRow("pipe") << QByteArray("type epltemp.prn > out.prn | touch pwned") << form;
        QTest::newRow("appending") << QByteArray("type epltemp.prn >> out.prn") << form;
        QTest::newRow("two lines")
            << QByteArray("type epltemp.prn > out.prn\r\ntouch pwned\r\n") << form;
        QTest::newRow("empty batch") << QByteArray() << form;
        QTest::newRow("missing job file")
            << QByteArray("type falta.prn > out.prn") << QStringLiteral("não foi encontrado");
        QTest::newRow("destination in a missing folder")
            << QByteArray("type epltemp.prn > nada/out.prn")
            << QStringLiteral("não é uma impressora instalada");
        QTest::newRow("Windows share") << QByteArray("type epltemp.prn > \\\\servidor\\zebra")
                                       << QStringLiteral("não é uma impressora");
        QTest::newRow("destination is a folder")
            << QByteArray("type epltemp.prn > sub") << QStringLiteral("não é uma impressora");
    }
    void refusedBatches() {
        QFETCH(QByteArray, batch);
        QFETCH(QString, message);
        const QStringList before = workEntries();
        BatchRunner runner(messages_, {appFolder_, dir_->path()});
        runner.startBatch(batchWith(batch));
        QCOMPARE(messages_.shown.size(), 1);
        QVERIFY2(messages_.shown.front().text.contains(message),
                 qPrintable(messages_.shown.front().text));
        QVERIFY(messages_.shown.front().text.contains(QStringLiteral("Nada foi enviado")));
        QCOMPARE(messages_.shown.front().title, QStringLiteral("ATENÇÃO!!!"));
        QCOMPARE(messages_.shown.front().icon, MessageBox::Icon::Exclamation);
        QTest::qWait(300);  // time for a copy that must not have been started
        QCOMPARE(workEntries(), before);
        QCOMPARE(QDir(work_ + QStringLiteral("/sub")).entryList(QDir::Files), QStringList());
    }

    void missingBatchRaises() {
        BatchRunner runner(messages_, {appFolder_, dir_->path()});
        QVERIFY_THROWS_EXCEPTION(
            Error, runner.startBatch(QDir(appFolder_).filePath(QStringLiteral("printmorv.BAT"))));
        QVERIFY(messages_.shown.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestBatchRunner)
#include "test_batch_runner.moc"
