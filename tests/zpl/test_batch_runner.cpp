#include "fakes/scripted_message_box.h"
#include "fakes/unprivileged_child.h"
#include "platform/batch_line.h"
#include "platform/batch_runner.h"
#include "platform/error.h"
#include "private_cups.h"

#include <QDirIterator>
#include <QElapsedTimer>
#include <QTest>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <optional>

using namespace etq;
using namespace etq::test;

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

}  // namespace

class TestBatchRunner : public QObject {
    Q_OBJECT

    PrivateCups cups_;
    QString printed_;  // what the printer queue ZebraRaw receives
    QString home_ = QDir::currentPath();
    std::optional<QTemporaryDir> dir_;
    QString work_;  // the working directory: where the batch finds the job file
    QString batch_;

    // Every entry under the temporary folder with a hash of its contents, except `skip`.
    QStringList snapshot(const QString& skip = QString()) const {
        QStringList entries;
        QDirIterator it(dir_->path(), QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden,
                        QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString path = it.next();
            if (path != skip) {
                entries << path + ' ' + QString::number(qHash(readFile(path)));
            }
        }
        entries.sort();
        return entries;
    }

    // Runs the batch in a child that file permissions hold: the messages shown there, each as
    // its title, icon and text, and "Error" when the runner raised one.
    QStringList run() {
        QString problem;
        const std::optional<QByteArray> bytes = runUnprivileged(
            [&] {
                ScriptedMessageBox messages;
                QStringList shown;
                try {
                    BatchRunner(messages, {dir_->path(), dir_->path()}).startBatch(batch_);
                } catch (const Error&) {
                    shown << QStringLiteral("Error");
                }
                for (const ScriptedMessageBox::Shown& box : messages.shown) {
                    shown << box.title + QString::number(int(box.icon)) + box.text;
                }
                return shown.join(QChar(0)).toUtf8();
            },
            problem);
        return bytes ? QString::fromUtf8(*bytes).split(QChar(0), Qt::SkipEmptyParts)
                     : QStringList{problem};
    }

  private Q_SLOTS:
    void initTestCase() {
        QString error = cups_.start();
        QVERIFY2(error.isEmpty(), qPrintable(error));
        // A queue whose only filter hands the bytes on as they are: a queue without any filter
        // writes nothing to a file device.
        const QString ppd = cups_.outputFolder() + QStringLiteral("/raw.ppd");
        writeFile(ppd,
                  "*PPD-Adobe: \"4.3\"\n*NickName: \"Raw file\"\n"
                  "*cupsFilter: \"application/vnd.cups-raw 0 gziptoany\"\n");
        printed_ = cups_.outputFolder() + QStringLiteral("/printed.prn");
        error = cups_.addQueue({"-p", "ZebraRaw", "-E", "-v", "file://" + printed_, "-P", ppd});
        QVERIFY2(error.isEmpty(), qPrintable(error));
    }

    // The job folder as the child finds it: a longer file where the job usually goes, a
    // subfolder, and a read-only folder holding a read-only file.
    void init() {
        dir_.emplace();
        QVERIFY(dir_->isValid());
        work_ = dir_->filePath(QStringLiteral("work"));
        batch_ = dir_->filePath(QStringLiteral("app/printmorv.bat"));
        for (const char* sub : {"work/sub", "work/readonly", "app"}) {
            QVERIFY(QDir(dir_->path()).mkpath(QLatin1String(sub)));
        }
        writeFile(work_ + "/epltemp.prn", jobBytes());
        writeFile(work_ + "/out.prn", QByteArray(9000, 'z'));
        writeFile(work_ + "/readonly/zebra.prn", "old contents\r\n");
        QVERIFY(setMode(dir_->path(), 0755) && setMode(work_, 0777) &&
                setMode(work_ + "/sub", 0777) && setMode(work_ + "/out.prn", 0666) &&
                setMode(work_ + "/readonly/zebra.prn", 0444) && setMode(work_ + "/readonly", 0555));
        QVERIFY(QDir::setCurrent(work_));
    }

    void cleanup() {
        QDir::setCurrent(home_);
        setMode(work_ + "/readonly", 0777);
        dir_.reset();
    }

    void readsTheOneCommand() {
        const char* const cases[][3] = {
            // batch text, source, destination (none: not a batch the runner carries out)
            {"type epltemp.prn > out.prn\r\n", "epltemp.prn", "out.prn"},
            {"TYPE epltemp.prn >/dev/usb/lp0", "epltemp.prn", "/dev/usb/lp0"},
            {"\r\n  type\tepltemp.prn   >   Zebra  \r\n\r\n", "epltemp.prn", "Zebra"},
            {"type a.prn > b\n\n", "a.prn", "b"},
            {"type epltemp.prn > my labels.prn", "epltemp.prn", "my labels.prn"},
            {"type \"job file.prn\" > \"a b\"", "job file.prn", "a b"},
            {"type epltemp.prn > out.prn; touch pwned", "epltemp.prn", "out.prn; touch pwned"},
            {"", "", ""},
            {"\r\n  \r\n", "", ""},
            {"copy /b epltemp.prn lpt1", "", ""},
            {"type epltemp.prn", "", ""},
            {"type epltemp.prn > \r\n", "", ""},
            {"type > out.prn", "", ""},
            {"type epltemp.prn >> out.prn", "", ""},
            {"type epltemp.prn > a > b", "", ""},
            {"type epltemp.prn > a | del x", "", ""},
            {"type epltemp.prn > a & touch p", "", ""},
            {"type x < y > z", "", ""},
            {"type a.prn b.prn > c", "", ""},
            {"typeepltemp.prn > c", "", ""},
            {"type epltemp.prn > \"", "", ""},
            {"type epltemp.prn > a\"b", "", ""},
            {"type epltemp.prn > out.prn\r\ndel epltemp.prn\r\n", "", ""},
            {"@echo off\r\ntype a > b\r\n", "", ""},
        };
        for (const auto& [batch, source, destination] : cases) {
            const std::optional<BatchCopy> copy = parseBatchCopy(QString::fromUtf8(batch));
            QCOMPARE(copy ? copy->source + '>' + copy->destination : QString(),
                     *source ? QStringLiteral("%1>%2").arg(source, destination) : QString());
        }
    }

    // The bytes reach the destination unchanged and nothing else changes; a destination the
    // copy cannot write is refused by one message, before anything runs. The rows share one
    // job folder: each compares the folder before and after.
    void copiesOrRefuses() {
        const char* const device = "não é uma impressora instalada nem um arquivo";
        const char* const cases[][3] = {
            // batch ("@": the working directory), destination (none: nothing may change), a
            // part of the one message expected
            {"type epltemp.prn > out.prn\r\n", "out.prn", ""},  // over a longer file
            {"TYPE EPLTEMP.PRN > sub/out.prn", "sub/out.prn", ""},
            {"type epltemp.prn > @/sub/abs.prn", "sub/abs.prn", ""},
            {"type epltemp.prn > out.prn; touch pwned\r\n", "out.prn; touch pwned", ""},
            {"type epltemp.prn > $(touch pwned)`touch pwned`", "$(touch pwned)`touch pwned`", ""},
            {"type epltemp.prn > -rf", "-rf", ""},
            // Queue names are found without regard to letter case, as the print system does.
            {"type epltemp.prn > zebraraw\r\n", "ZebraRaw", ""},
            {"copy /b epltemp.prn out.prn\r\n", "", "type epltemp.prn > DESTINO"},
            {"type falta.prn > out.prn", "", "não foi encontrado"},
            {"type epltemp.prn > nada/out.prn", "", device},
            {"type epltemp.prn > \\\\servidor\\zebra", "", device},
            {"type epltemp.prn > sub", "", device},
            {"type epltemp.prn > LPT1", "", device},
            {"type epltemp.prn > prn.txt", "", device},
            {"type epltemp.prn > readonly/zebra.prn", "", device},
            {"type epltemp.prn > readonly/novo.prn", "", device},
            // Refuses the bytes only once it has them: the copy fails on its own.
            {"type epltemp.prn > /dev/full", "", ""},
        };
        for (const auto& [batch, destination, message] : cases) {
            const QString target = *destination == 'Z' ? printed_ : work_ + '/' + destination;
            writeFile(batch_, QByteArray(batch).replace('@', QFile::encodeName(work_)));
            const QStringList before = snapshot(target);
            const QStringList shown = run();
            QCOMPARE(shown.size(), *message ? 1 : 0);
            const QString warning =
                "ATENÇÃO!!!" + QString::number(int(MessageBox::Icon::Exclamation));
            for (const QString& text : shown) {
                QVERIFY2(text.startsWith(warning) && text.contains(QString::fromUtf8(message)) &&
                             text.contains("Nada foi enviado"),
                         qPrintable(text));
            }
            QByteArray bytes;
            for (QDeadlineTimer deadline(*destination ? 30000 : 300);
                 bytes != jobBytes() && !deadline.hasExpired(); QTest::qWait(50)) {
                bytes = readFile(target);
            }
            QVERIFY2(!*destination || bytes == jobBytes(), batch);
            QVERIFY2(snapshot(target) == before, batch);
        }
    }

    // A device that blocks until someone reads it (here a FIFO, as a printer port may be):
    // the copy waits for it in its own process, the program does not. (Run here, not in a
    // child: the copy would hold the child's pipe open.)
    void deviceDestinationDoesNotHoldTheProgram() {
        const QString fifo = QDir(work_).filePath(QStringLiteral("lp0"));
        QCOMPARE(mkfifo(QFile::encodeName(fifo).constData(), 0666), 0);
        writeFile(batch_, QFile::encodeName("type epltemp.prn > " + fifo));
        ScriptedMessageBox messages;
        QElapsedTimer started;
        started.start();
        BatchRunner(messages, {dir_->path(), dir_->path()}).startBatch(batch_);
        QVERIFY(messages.shown.isEmpty());
        QVERIFY(started.elapsed() < 2000);
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

    void missingBatchRaises() {
        batch_ = dir_->filePath(QStringLiteral("app/printmorv.BAT"));
        QCOMPARE(run(), QStringList{QStringLiteral("Error")});
    }
};

QTEST_GUILESS_MAIN(TestBatchRunner)
#include "test_batch_runner.moc"
