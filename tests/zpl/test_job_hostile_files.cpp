#include "fakes/recording_command_runner.h"
#include "fakes/scripted_message_box.h"
#include "fakes/temp_folders.h"
#include "fakes/unprivileged_child.h"
#include "job_fields.h"
#include "platform/batch_runner.h"
#include "platform/error.h"
#include "zpl/marketplace_job.h"

#include <QDataStream>
#include <QDir>
#include <QFileInfo>
#include <QTest>

#include <csignal>

#include <sys/resource.h>

using namespace etq;
using namespace etq::test;

namespace {

const QString kJob = QStringLiteral("epltemp.prn");
const QString kBatch = QStringLiteral("printmorv.bat");
const QByteArray kOldJob = "~SD15\r\n^XA\r\n^PQ1,,1,Y\r\n^XZ\r\n";
// The operator's rows, columns 0 to 5.
const QStringList kRows = {QStringLiteral("3|A1020|AZUL|38|4501|N"),
                           QStringLiteral("1|B7|PRETO|40|4502|N"), QStringLiteral("|||||")};

// How the job folder fights back.
enum class Folder { ReadOnly, ReadOnlyWithOldJob, JobNameIsFolder, FullDisk, Writable };

// What one job left behind, carried out of the child process.
struct Outcome {
    QString error;  // the description of the error the job raised, if any
    QStringList messages;
    QStringList rows;   // rows 1.., columns 0 to 5
    QStringList marks;  // column 8 of rows 1.., when the grid was widened
    int batchesStarted = 0;
};

// The settings fields, the grid with the operator's rows and the panel, as the window holds them.
struct Window : JobFields {
    explicit Window(const QString& destination) {
        destino.setText(destination);
        grid.setCols(6);
        for (int row = 0; row + 1 < kRows.size(); ++row) {
            const QStringList cells = kRows[row].split(QLatin1Char('|'));
            for (int col = 0; col < 6; ++col) {
                grid.setTextMatrix(row + 1, col, cells[col]);
            }
            grid.setRows(grid.Rows() + 1);
        }
    }

    Outcome outcome(const QString& error, int batchesStarted) const {
        Outcome out{error, {}, {}, {}, batchesStarted};
        for (const ScriptedMessageBox::Shown& shown : messages.shown) {
            out.messages << shown.text;
        }
        for (int row = 1; row < grid.Rows(); ++row) {
            QStringList cells;
            for (int col = 0; col < 6; ++col) {
                cells << grid.TextMatrix(row, col);
            }
            out.rows << cells.join(QLatin1Char('|'));
            if (grid.Cols() > 8) {
                out.marks << grid.TextMatrix(row, 8);
            }
        }
        return out;
    }
};

QByteArray serialized(const Outcome& o) {
    QByteArray bytes;
    QDataStream stream(&bytes, QIODevice::WriteOnly);
    stream << o.error << o.messages << o.rows << o.marks << o.batchesStarted;
    return bytes;
}

// Runs a job on rows 1 and 2 in a child process that the file permissions hold (nobody, when
// the tests run as root), with the batch started by `runner` there: a recording one, or the
// program's own when `realBatch` is set.
Outcome jobInChild(const QString& folder, const QString& destination, bool realBatch,
                   bool fullDisk) {
    QString problem;
    const std::optional<QByteArray> bytes = runUnprivileged(
        [&] {
            if (fullDisk) {
                // Files may not grow past a few bytes: the disk fills while the job is written.
                std::signal(SIGXFSZ, SIG_IGN);
                const rlimit limit{100, 100};
                setrlimit(RLIMIT_FSIZE, &limit);
            }
            Window window(destination);
            RecordingCommandRunner recording;
            BatchRunner batchRunner(window.messages, {folder, folder});
            CommandRunner& runner = realBatch ? static_cast<CommandRunner&>(batchRunner)
                                              : static_cast<CommandRunner&>(recording);
            QString error;
            try {
                imprime_wms_1(
                    1, 2,
                    {window.grid, window.panel, window.settings, window.messages, folder, runner});
            } catch (const Error& e) {
                error = e.description();
            }
            return serialized(window.outcome(error, recording.started.size()));
        },
        problem);
    Outcome outcome;
    if (!bytes) {
        outcome.error = QStringLiteral("no outcome: ") + problem;
        return outcome;
    }
    QDataStream stream(*bytes);
    stream >> outcome.error >> outcome.messages >> outcome.rows >> outcome.marks >>
        outcome.batchesStarted;
    return outcome;
}

// A temporary application folder that the unprivileged child can enter; writable by it
// unless made read-only. The folder's mode is given back before it is removed.
struct JobFolder {
    TempFolders temp;
    QString app = temp.folders().application;
    JobFolder() {
        QVERIFY(setMode(QFileInfo(app).absolutePath(), 0755));
        QVERIFY(setMode(app, 0777));
        QVERIFY(QDir::setCurrent(app));  // the batch names the job file without a folder
    }
    ~JobFolder() {
        setMode(app, 0777);
        QDir::setCurrent(QDir::tempPath());
    }
    QString file(const QString& name) const { return QDir(app).filePath(name); }
    QStringList entries() const {
        return QDir(app).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
    }
    void write(const QString& name, const QByteArray& bytes) const {
        temp.writeAppFile(name, bytes);
    }
};

}  // namespace

class TestJobHostileFiles : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    // The job cannot write its file: the error reaches the caller, nothing is sent to the
    // printer, the operator's rows are all there and an old job file is as it was.
    void jobFolderRefuses_data() {
        QTest::addColumn<int>("folder");
        QTest::addColumn<QStringList>("entries");  // the folder afterwards
        QTest::addColumn<QStringList>("marks");    // column 8 of the rows afterwards
        QTest::newRow("read-only folder")
            << int(Folder::ReadOnly) << QStringList() << QStringList();
        QTest::newRow("read-only folder with an old job")
            << int(Folder::ReadOnlyWithOldJob) << QStringList{kJob} << QStringList();
        QTest::newRow("a folder has the job file's name")
            << int(Folder::JobNameIsFolder) << QStringList{kJob} << QStringList();
        // Rows are marked as they are written; the lines stay in the job file up to the failure.
        QTest::newRow("disk full while writing")
            << int(Folder::FullDisk) << QStringList{kJob}
            << QStringList{QStringLiteral("S"), QStringLiteral("S"), QString()};
    }
    void jobFolderRefuses() {
        QFETCH(int, folder);
        QFETCH(QStringList, entries);
        QFETCH(QStringList, marks);
        JobFolder dir;
        const Folder kind = Folder(folder);
        if (kind == Folder::ReadOnlyWithOldJob) {
            dir.write(kJob, kOldJob);
        }
        if (kind == Folder::JobNameIsFolder) {
            QVERIFY(QDir(dir.app).mkpath(kJob + QStringLiteral("/keep")));
        }
        if (kind == Folder::ReadOnly || kind == Folder::ReadOnlyWithOldJob) {
            QVERIFY(setMode(dir.app, 0555));
        }

        const Outcome outcome =
            jobInChild(dir.app, QStringLiteral("zebra.prn"), false, kind == Folder::FullDisk);
        QVERIFY2(outcome.error.contains(kJob), qPrintable(outcome.error));
        QCOMPARE(outcome.batchesStarted, 0);
        QCOMPARE(outcome.messages, QStringList());
        QCOMPARE(outcome.rows, kRows);
        QCOMPARE(outcome.marks, marks);
        QCOMPARE(dir.entries(), entries);
        if (kind == Folder::ReadOnlyWithOldJob) {
            QCOMPARE(TempFolders::readFile(dir.file(kJob)), kOldJob);
        }
        if (kind == Folder::JobNameIsFolder) {
            QVERIFY(QFileInfo(dir.file(kJob + QStringLiteral("/keep"))).isDir());
        }
    }

    // Destinations the batch cannot write to: the job is written and the rows marked; the
    // operator is told that nothing went to the printer, or (a device that refuses the bytes
    // only once it has them) the copy fails on its own; nothing of the operator's is harmed.
    void batchDestinations_data() {
        QTest::addColumn<QString>("destination");
        QTest::addColumn<QString>("message");  // a part of the one message expected, if any
        const QString refused = QStringLiteral("não é uma impressora instalada nem um arquivo");
        QTest::newRow("missing folder") << QStringLiteral("nada/zebra.prn") << refused;
        QTest::newRow("Windows share") << QStringLiteral("\\\\servidor\\zebra") << refused;
        QTest::newRow("Windows printer port") << QStringLiteral("LPT1") << refused;
        QTest::newRow("Windows device with an extension") << QStringLiteral("prn.txt") << refused;
        QTest::newRow("read-only file") << QStringLiteral("readonly/zebra.prn") << refused;
        QTest::newRow("read-only folder") << QStringLiteral("readonly/novo.prn") << refused;
        QTest::newRow("device that refuses the bytes") << QStringLiteral("/dev/full") << QString();
    }
    void batchDestinations() {
        QFETCH(QString, destination);
        QFETCH(QString, message);
        JobFolder dir;
        const QByteArray old = "old contents\r\n";
        QVERIFY(QDir(dir.app).mkpath(QStringLiteral("readonly")));
        dir.write(QStringLiteral("readonly/zebra.prn"), old);
        QVERIFY(setMode(dir.file(QStringLiteral("readonly/zebra.prn")), 0444));
        QVERIFY(setMode(dir.file(QStringLiteral("readonly")), 0555));

        const Outcome outcome = jobInChild(dir.app, destination, true, false);
        setMode(dir.file(QStringLiteral("readonly")), 0777);
        QCOMPARE(outcome.error, QString());
        if (message.isEmpty()) {
            QCOMPARE(outcome.messages, QStringList());
        } else {
            QCOMPARE(outcome.messages.size(), 1);
            QVERIFY2(outcome.messages[0].contains(message), qPrintable(outcome.messages[0]));
            QVERIFY(outcome.messages[0].contains(QStringLiteral("Nada foi enviado")));
        }
        QCOMPARE(outcome.rows, kRows);
        QCOMPARE(outcome.marks, (QStringList{QStringLiteral("S"), QStringLiteral("S"), {}}));
        QTest::qWait(300);  // time for a copy, had one been started, to do harm
        QCOMPARE(TempFolders::readFile(dir.file(QStringLiteral("readonly/zebra.prn"))), old);
        QCOMPARE(QDir(dir.file(QStringLiteral("readonly"))).entryList(QDir::Files),
                 QStringList{QStringLiteral("zebra.prn")});
        QCOMPARE(dir.entries(), (QStringList{kJob, kBatch, QStringLiteral("readonly")}));
        QCOMPARE(TempFolders::readFile(dir.file(kJob)).count("^XA"), 2);
    }
};

QTEST_GUILESS_MAIN(TestJobHostileFiles)
#include "test_job_hostile_files.moc"
