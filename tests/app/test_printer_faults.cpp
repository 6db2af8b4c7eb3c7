// Printing from the real window when the printer lets it down: no scheduler at start-up, and
// the chosen queue disabled or deleted, or the scheduler stopped, between start-up and the
// click. The job must end without a word to the operator, the window must stay usable and the
// next print to a working queue must come out whole.

#include "app/main_window.h"
#include "fakes/window_session.h"
#include "pdf_words.h"
#include "platform/qt/qt_printer_service.h"
#include "private_cups.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStandardPaths>
#include <QTest>

#include <memory>
#include <utility>

using namespace etq;
using namespace etq::test;

namespace {

const QString kWorking = QStringLiteral("TXTPDF");  // a file queue whose PDF keeps its text
const QString kVictim = QStringLiteral("VICTIM");   // the queue the fault hits
const QString kDefault = QStringLiteral("Raw2");    // the system's default, to /dev/null
const QString kWorkingOutput = QStringLiteral("working.pdf");
const QString kVictimOutput = QStringLiteral("victim.pdf");
const QString kModel = QStringLiteral("lsb/usr/cupsfilters/Generic-PDF_Printer-PDF.ppd");

// A click on the print button must return well within this, whatever the printer does.
constexpr qint64 kClickLimitMs = 10000;
constexpr int kOutputLimitMs = 60000;

// Grid rows 1 and 2, one label each.
const QByteArray kItems =
    "Referencia,Cor,Tamanho,Qte,Pedido\r\n"
    "A1020,AZUL,38,1,4501\r\n"
    "B7,PRETO CLARO,40,1,4502\r\n";

// The words of one label of a grid row: the four texts "REF: " reference, "COR: " colour,
// "Nº  " size and the order number, split at blanks, sorted.
QStringList labelWords(int row) {
    const QStringList texts =
        row == 1 ? QStringList{QStringLiteral("REF: A1020"), QStringLiteral("COR: AZUL"),
                               QStringLiteral("Nº  38"), QStringLiteral("4501")}
                 : QStringList{QStringLiteral("REF: B7"), QStringLiteral("COR: PRETO CLARO"),
                               QStringLiteral("Nº  40"), QStringLiteral("4502")};
    QStringList words;
    for (const QString& text : texts) {
        words += text.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    }
    words.sort();
    return words;
}

// One run of the program: its application folder with the item list, its platform and window.
struct Session : WindowSession<QtPrinterService> {
    Session() {
        temp.writeAppFile(QStringLiteral("etiquetas.csv"), kItems);
        start();
        window->show();
    }

    // Prints the labels of one grid row on the queue chosen in CMBPRINTER (none when the list
    // does not hold it); returns how long the click took.
    qint64 print(int row, const QString& queue) {
        window->grid().select(row, 1, row, 1);
        window->CMBPRINTER->setCurrentIndex(window->CMBPRINTER->findText(queue));
        QElapsedTimer timer;
        timer.start();
        QTest::mouseClick(window->command1, Qt::LeftButton);
        return timer.elapsed();
    }

    // What the operator would notice after a job that should have ended quietly: a message, a
    // dialog left open, a window gone or disabled, a job that did not read its row.
    QString noticed(int row) const {
        if (!messages.shown.isEmpty()) {
            return QStringLiteral("a message was shown: ") + messages.shown.first().text;
        }
        if (QApplication::activeModalWidget() != nullptr) {
            return QStringLiteral("a modal dialog is open");
        }
        if (!window->isVisible() || !window->isEnabled() || !window->command1->isEnabled()) {
            return QStringLiteral("the window is gone or disabled");
        }
        if (window->lblinha->text() != QString::number(row)) {
            return QStringLiteral("the panel shows row %1, not the printed row %2")
                .arg(window->lblinha->text())
                .arg(row);
        }
        return {};
    }
};

enum class Fault { Disabled, Rejecting, Deleted, SchedulerStopped };

}  // namespace

Q_DECLARE_METATYPE(Fault)

class TestPrinterFaults : public QObject {
    Q_OBJECT

    std::unique_ptr<PrivateCups> cups_;

    QString outputPath(const QString& name) const {
        return QDir(cups_->outputFolder()).filePath(name);
    }

    // The scheduler running with its three queues, all enabled and accepting jobs, Raw2 the
    // default.
    QString startWithQueues() {
        QString error = cups_->start();
        for (const auto& [queue, output] :
             {std::pair{kWorking, kWorkingOutput}, std::pair{kVictim, kVictimOutput}}) {
            if (error.isEmpty()) {
                error = cups_->addFileQueue(queue, output, kModel);
            }
        }
        if (error.isEmpty()) {
            error = cups_->addQueue({QStringLiteral("-p"), kDefault, QStringLiteral("-E"),
                                     QStringLiteral("-v"), QStringLiteral("file:///dev/null")});
        }
        return error.isEmpty() ? cups_->setDefault(kDefault) : error;
    }

    // The sorted words of a PDF once its queue has written it.
    QStringList printedWords(const QString& output, const QString& queue, QString* error) {
        *error = cups_->waitForOutput(outputPath(output), kOutputLimitMs, queue);
        if (!error->isEmpty()) {
            return {};
        }
        const PdfText pdf = readPdfWords(outputPath(output), error);
        QStringList words;
        for (const PdfWord& word : pdf.words) {
            words.append(word.text);
        }
        words.sort();
        return words;
    }

  private Q_SLOTS:
    void initTestCase() {
        cups_ = std::make_unique<PrivateCups>();
        // From here on this process's CUPS clients talk to the private scheduler only, which
        // does not run yet.
        const QString prepared = cups_->prepare();
        QVERIFY2(prepared.isEmpty(), qPrintable(prepared));
        for (const char* tool : {"cupsdisable", "cupsenable", "cupsreject", "pdftotext"}) {
            QVERIFY2(!QStandardPaths::findExecutable(QLatin1String(tool)).isEmpty(), tool);
        }
    }

    void cleanupTestCase() { cups_.reset(); }

    // No scheduler when the window opens: no printer to list and nowhere to print, yet the
    // window opens and the print button ends its job without a word.
    void noSchedulerAtStartUp_data() {
        QTest::addColumn<bool>("ranBefore");
        // libcups has not reached any scheduler yet in this row: keep it first.
        QTest::newRow("never started") << false;
        QTest::newRow("stopped, its queues kept") << true;
    }
    void noSchedulerAtStartUp() {
        QFETCH(bool, ranBefore);
        if (ranBefore) {
            const QString started = startWithQueues();
            QVERIFY2(started.isEmpty(), qPrintable(started));
            cups_->stop();
        }

        Session session;
        QCOMPARE(session.window->CMBPRINTER->count(), 0);
        QCOMPARE(session.window->lblprinterdefault->text(), QString());
        const qint64 took = session.print(1, QString());
        QVERIFY2(took < kClickLimitMs,
                 qPrintable(QStringLiteral("the click took %1 ms").arg(took)));
        const QString noticed = session.noticed(1);
        QVERIFY2(noticed.isEmpty(), qPrintable(noticed));
        QCOMPARE(session.window->txtreduzido->text(), QStringLiteral("A1020"));

        // Nothing was printed: once the scheduler runs, it knows of no job and no queue wrote.
        const QString started = startWithQueues();
        QVERIFY2(started.isEmpty(), qPrintable(started));
        QString error;
        const QStringList jobs = cups_->jobs(QString(), QStringLiteral("all"), &error);
        QVERIFY2(error.isEmpty(), qPrintable(error));
        QCOMPARE(jobs, QStringList());
        QCOMPARE(QDir(cups_->outputFolder()).entryList(QDir::Files), QStringList());
    }

    // The queue chosen at start-up fails before the click. Disabled: CUPS keeps the job and
    // prints it once the queue is enabled again. Rejecting jobs: the job is refused and gone,
    // which Qt does not report. Deleted: the name matches no printer, so the
    // current printer takes the job: the default in a fresh window, nothing at all when the
    // current printer is the deleted queue itself. Scheduler stopped: no printer, nothing prints.
    void queueFailsBeforePrinting_data() {
        QTest::addColumn<Fault>("fault");
        QTest::addColumn<bool>("printedOnVictimFirst");
        QTest::addColumn<int>("heldOnVictim");
        QTest::addColumn<int>("newJobsOnDefault");
        QTest::newRow("queue disabled") << Fault::Disabled << false << 1 << 0;
        QTest::newRow("queue disabled after it printed") << Fault::Disabled << true << 1 << 0;
        QTest::newRow("queue rejecting jobs") << Fault::Rejecting << false << 0 << 0;
        QTest::newRow("queue deleted") << Fault::Deleted << false << 0 << 1;
        QTest::newRow("queue deleted after it printed") << Fault::Deleted << true << 0 << 0;
        QTest::newRow("scheduler stopped") << Fault::SchedulerStopped << false << 0 << 0;
    }
    void queueFailsBeforePrinting() {
        QFETCH(Fault, fault);
        QFETCH(bool, printedOnVictimFirst);
        QFETCH(int, heldOnVictim);
        QFETCH(int, newJobsOnDefault);

        QString error = startWithQueues();
        QVERIFY2(error.isEmpty(), qPrintable(error));
        QFile::remove(outputPath(kWorkingOutput));
        QFile::remove(outputPath(kVictimOutput));
        // Jobs ever sent to the queues that outlive every fault.
        auto jobsOnLastingQueues = [&] {
            QString defaultError;
            const qsizetype onDefault =
                cups_->jobs(kDefault, QStringLiteral("all"), &defaultError).size();
            const qsizetype onWorking = cups_->jobs(kWorking, QStringLiteral("all"), &error).size();
            error = defaultError + error;
            return std::pair{onDefault, onWorking};
        };
        const auto [defaultJobsBefore, workingJobsBefore] = jobsOnLastingQueues();
        QVERIFY2(error.isEmpty(), qPrintable(error));

        Session session;
        QCOMPARE(session.window->CMBPRINTER->currentText(), kDefault);
        QVERIFY(session.window->CMBPRINTER->findText(kVictim) >= 0);
        // A job that comes out makes the queue the current printer for later jobs.
        if (printedOnVictimFirst) {
            session.print(1, kVictim);
            QCOMPARE(printedWords(kVictimOutput, kVictim, &error), labelWords(1));
            QVERIFY2(error.isEmpty(), qPrintable(error));
            QVERIFY(QFile::remove(outputPath(kVictimOutput)));
            QCOMPARE(session.printer.currentPrinterName(), kVictim);
        }

        switch (fault) {
            case Fault::Disabled:
                error = cups_->command(QStringLiteral("cupsdisable"), {kVictim});
                break;
            case Fault::Rejecting:
                error = cups_->command(QStringLiteral("cupsreject"), {kVictim});
                break;
            case Fault::Deleted:
                error = cups_->command(QStringLiteral("lpadmin"), {QStringLiteral("-x"), kVictim});
                break;
            case Fault::SchedulerStopped:
                cups_->stop();
                break;
        }
        QVERIFY2(error.isEmpty(), qPrintable(error));

        const qint64 took = session.print(1, kVictim);
        QVERIFY2(took < kClickLimitMs,
                 qPrintable(QStringLiteral("the click took %1 ms").arg(took)));
        QString noticed = session.noticed(1);
        QVERIFY2(noticed.isEmpty(), qPrintable(noticed));

        if (fault == Fault::SchedulerStopped) {
            error = cups_->start();
            QVERIFY2(error.isEmpty(), qPrintable(error));
        }
        QCOMPARE(jobsOnLastingQueues(),
                 std::pair(defaultJobsBefore + newJobsOnDefault, workingJobsBefore));
        if (fault != Fault::Deleted) {
            QCOMPARE(cups_->jobs(kVictim, QStringLiteral("not-completed"), &error).size(),
                     heldOnVictim);
        }
        QVERIFY2(error.isEmpty(), qPrintable(error));

        // The same window prints the next row on a working queue, all of it.
        const qint64 tookNext = session.print(2, kWorking);
        QVERIFY2(tookNext < kClickLimitMs,
                 qPrintable(QStringLiteral("the next click took %1 ms").arg(tookNext)));
        noticed = session.noticed(2);
        QVERIFY2(noticed.isEmpty(), qPrintable(noticed));
        QCOMPARE(printedWords(kWorkingOutput, kWorking, &error), labelWords(2));
        QVERIFY2(error.isEmpty(), qPrintable(error));

        // The job a disabled queue kept is not lost: enabled again, the queue prints it.
        if (fault == Fault::Disabled) {
            error = cups_->command(QStringLiteral("cupsenable"), {kVictim});
            QVERIFY2(error.isEmpty(), qPrintable(error));
            QCOMPARE(printedWords(kVictimOutput, kVictim, &error), labelWords(1));
            QVERIFY2(error.isEmpty(), qPrintable(error));
        }
    }
};

QTEST_MAIN(TestPrinterFaults)
#include "test_printer_faults.moc"
