// Prints from the real window through a CUPS scheduler of the test's own to queues whose PDF
// keeps its text, and reads every word back with its position; also when the printer fails
// between start-up and the click, which must end the job quietly and leave the window usable.
#include "app/main_window.h"
#include "fakes/window_session.h"
#include "pdf_words.h"
#include "platform/qt/qt_printer_service.h"
#include "private_cups.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFontMetricsF>
#include <QLabel>
#include <QLineEdit>
#include <QPageLayout>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QStandardPaths>
#include <QTest>

#include <algorithm>
#include <memory>

using namespace etq;
using namespace etq::test;

namespace {

const QString kWorking = QStringLiteral("TXTPDF");
const QString kVictim = QStringLiteral("VICTIM");  // the queue a fault hits
const QString kDefault = QStringLiteral("Raw2");   // the system's default, to /dev/null
// Grid rows 1 to 4: reference, colour, size, quantity, order.
const QStringList kItems = {"A1020,AZUL,38,3,4501", "B7,PRETO CLARO,40,13,4502",
                            "C9,VERDE,42,14,4503", "D1,ROSA,36,1,"};

// A label: page, sheet row and column, grid row.
struct Label {
    int page, row, column, item;
};
using Labels = QList<Label>;

// `count` labels of one item from a slot on, filled left to right, top to bottom, then on the
// next sheet of seven rows of two.
Labels labelRun(int page, int row, int column, int item, int count) {
    Labels all;
    const int first = (page - 1) * 14 + (row - 1) * 2 + column - 1;
    for (int slot = first; slot < first + count; ++slot) {
        all.append({slot / 14 + 1, slot % 14 / 2 + 1, slot % 2 + 1, item});
    }
    return all;
}

// One print: the fault that hits the victim queue first (the command that causes it, or
// "stop" for the scheduler), and the rows printed on the working queue afterwards.
const struct Case {
    const char* name;
    const char* fault;
    bool printedOnVictimFirst;
    int heldOnVictim, newJobsOnDefault;  // jobs the fault leaves on the victim and the default
    int row = 1, rowSel = 1, startRow = 1, startColumn = 1;
    Labels labels = labelRun(1, 1, 1, 1, 3);
} kCases[] = {
    {"14 labels from (1,1): one sheet, no blank one", "", false, 0, 0, 3, 3, 1, 1,
     labelRun(1, 1, 1, 3, 14)},
    {"bottom-up rows 2 to 1 from (7,1): second sheet full, no third", "", false, 0, 0, 2, 1, 7, 1,
     labelRun(1, 7, 1, 1, 3) + labelRun(2, 1, 2, 2, 13)},
    {"queue disabled; one label at (3,2), empty order", "cupsdisable VICTIM", false, 1, 0, 4, 4, 3,
     2, labelRun(1, 3, 2, 4, 1)},
    {"queue disabled after it printed", "cupsdisable VICTIM", true, 1, 0},
    {"queue rejecting jobs", "cupsreject VICTIM", false, 0, 0},
    // The name matches no printer, so the current printer takes the job: the default in a
    // fresh window, nothing at all when the current printer is the deleted queue itself.
    {"queue deleted", "lpadmin -x VICTIM", false, 0, 1},
    {"queue deleted after it printed", "lpadmin -x VICTIM", true, 0, 0},
    {"scheduler stopped", "stop", false, 0, 0},
};

// One run of the program with the real printer service.
struct Session : WindowSession<QtPrinterService> {
    Session() { start(("h\r\n" + kItems.join("\r\n") + "\r\n").toUtf8()).show(); }

    // Prints grid rows `row` to `rowSel` from a start slot on the queue chosen in CMBPRINTER
    // (none when the list does not hold it). Returns whether the job ended quietly (quickly,
    // without a message or dialog, the window usable) and the row the panel shows.
    QString print(int row, int rowSel, const QString& queue, int startRow = 1, int column = 1) {
        window->grid().select(row, 1, rowSel, 1);
        window->combolinha->setCurrentIndex(startRow - 1);
        window->combocoluna->setCurrentIndex(column - 1);
        window->CMBPRINTER->setCurrentIndex(window->CMBPRINTER->findText(queue));
        QElapsedTimer timer;
        timer.start();
        QTest::mouseClick(window->command1, Qt::LeftButton);
        const bool quiet = timer.elapsed() < 10000 && messages.shown.isEmpty() &&
                           QApplication::activeModalWidget() == nullptr && window->isVisible() &&
                           window->isEnabled() && window->command1->isEnabled();
        return (quiet ? "quiet, row " : "noticed, row ") + window->lblinha->text();
    }
};

}  // namespace

class TestPrinting : public QObject {
    Q_OBJECT

    std::unique_ptr<PrivateCups> cups_;
    std::unique_ptr<QPrinter> metrics_;  // the working queue, for font metrics and margins

    QString output(const QString& queue) const {
        return QDir(cups_->outputFolder()).filePath(queue + ".pdf");
    }

    // The scheduler running with its three queues, all enabled and accepting jobs.
    QString startWithQueues() {
        const QString model = QStringLiteral("lsb/usr/cupsfilters/Generic-PDF_Printer-PDF.ppd");
        QFile::remove(output(kWorking));
        QFile::remove(output(kVictim));
        QString error = cups_->start();
        error += cups_->addFileQueue(kWorking, kWorking + ".pdf", model);
        error += cups_->addFileQueue(kVictim, kVictim + ".pdf", model);
        error += cups_->addQueue({"-p", kDefault, "-E", "-v", "file:///dev/null"});
        return error + cups_->setDefault(kDefault);
    }

    // Jobs ever sent to the queues that outlive every fault.
    std::pair<qsizetype, qsizetype> lastingJobs(QString* error) {
        QString second;
        const std::pair jobs{cups_->jobs(kDefault, QStringLiteral("all"), error).size(),
                             cups_->jobs(kWorking, QStringLiteral("all"), &second).size()};
        *error += second;
        return jobs;
    }

    // Waits for the PDF of `queue` and compares it with the labels: Letter pages up to the last
    // label's, and every blank-separated word of a label's four texts at its text's corner plus
    // the advance of what precedes it in Arial 12 pt bold, kerning included. Empty on a match.
    QString compare(const QString& queue, const Labels& labels) {
        QString error = cups_->waitForOutput(output(queue), 60000, queue);
        const PdfText pdf = error.isEmpty() ? readPdfWords(output(queue), &error) : PdfText();
        QFile::remove(output(queue));
        if (!error.isEmpty() || pdf.pages != labels.last().page ||
            qAbs(pdf.pageWidth - 215.9) > 0.5 || qAbs(pdf.pageHeight - 279.4) > 0.5) {
            return QStringLiteral("%1 pages of %2 x %3 mm %4")
                .arg(pdf.pages)
                .arg(pdf.pageWidth)
                .arg(pdf.pageHeight)
                .arg(error);
        }
        if (!metrics_) {
            metrics_ = std::make_unique<QPrinter>(QPrinterInfo::printerInfo(kWorking),
                                                  QPrinter::HighResolution);
            metrics_->setPageSize(QPageSize(QPageSize::Letter));
        }
        // The queue's own margins place the printable area.
        const QPointF origin = metrics_->pageLayout().paintRect(QPageLayout::Millimeter).topLeft();
        QFont font(QStringLiteral("Arial"));
        font.setPointSizeF(12);
        font.setBold(true);
        const QFontMetricsF metrics(font, metrics_.get());
        QList<PdfWord> expected;
        for (const Label& label : labels) {
            const QStringList item = kItems[label.item - 1].split(',');
            const double x = origin.x() + (label.column == 2 ? 107 : 5);
            const double y = origin.y() + 21 + 33.9 * (label.row - 1);
            const std::tuple<QString, double, double> texts[] = {{"REF: " + item[0], x, y + 3},
                                                                 {"COR: " + item[1], x, y + 11},
                                                                 {"Nº  " + item[2], x + 15, y + 19},
                                                                 {item[4], x + 55, y + 19}};
            for (const auto& [text, left, top] : texts) {
                for (int i = 0; i < text.size(); ++i) {
                    if (text[i] != ' ' && (i == 0 || text[i - 1] == ' ')) {
                        const double advance = metrics.horizontalAdvance(text, i);
                        expected.append({text.mid(i).section(' ', 0, 0), label.page,
                                         left + advance * 25.4 / metrics_->resolution(), top, 0,
                                         0});
                    }
                }
            }
        }
        auto order = [](const PdfWord& a, const PdfWord& b) {
            return std::tuple(a.page, qRound(a.top * 2), a.left) <
                   std::tuple(b.page, qRound(b.top * 2), b.left);
        };
        auto describe = [](const PdfWord& w) {
            return QStringLiteral("\"%1\" p%2 at %3, %4 mm")
                .arg(w.text, QString::number(w.page), QString::number(w.left),
                     QString::number(w.top));
        };
        QList<PdfWord> actual = pdf.words;
        std::sort(expected.begin(), expected.end(), order);
        std::sort(actual.begin(), actual.end(), order);
        for (qsizetype i = 0; i < std::max(actual.size(), expected.size()); ++i) {
            const PdfWord a = actual.value(i), e = expected.value(i);
            if (a.text != e.text || a.page != e.page || qAbs(a.left - e.left) > 0.1 ||
                qAbs(a.top - e.top) > 0.1) {
                return describe(a) + " where " + describe(e) + " belongs";
            }
        }
        return {};
    }

  private Q_SLOTS:
    void initTestCase() {
        cups_ = std::make_unique<PrivateCups>();
        // From here on this process's CUPS clients talk to the private scheduler only, which
        // does not run yet.
        QCOMPARE(cups_->prepare(), QString());
        for (const char* tool : {"cupsdisable", "cupsenable", "cupsreject", "pdftotext"}) {
            QVERIFY2(!QStandardPaths::findExecutable(QLatin1String(tool)).isEmpty(), tool);
        }
    }

    void cleanupTestCase() {
        metrics_.reset();
        cups_.reset();
    }

    // No scheduler when the window opens: no printer to list and nowhere to print, yet the
    // window opens and the print button ends its job quietly, having read its row.
    void noSchedulerAtStartUp() {
        // libcups has reached no scheduler yet in the first round.
        for (bool ranBefore : {false, true}) {
            if (ranBefore) {
                QCOMPARE(startWithQueues(), QString());
                cups_->stop();
            }
            Session session;
            QCOMPARE(session.window->CMBPRINTER->count(), 0);
            QCOMPARE(session.window->lblprinterdefault->text(), QString());
            QCOMPARE(session.print(1, 1, QString()), QStringLiteral("quiet, row 1"));
            QCOMPARE(session.window->txtreduzido->text(), QStringLiteral("A1020"));
            // Nothing was printed: the scheduler knows of no job, and no queue wrote.
            QCOMPARE(startWithQueues(), QString());
            QString error;
            QCOMPARE(cups_->jobs(QString(), QStringLiteral("all"), &error), QStringList());
            QCOMPARE(error, QString());
            QCOMPARE(QDir(cups_->outputFolder()).entryList(QDir::Files), QStringList());
        }
    }

    // A disabled queue keeps the job and prints it once enabled again; a rejecting one refuses
    // it, which Qt does not report; with the scheduler stopped nothing prints. Whatever the
    // fault, the same window prints the next rows on a working queue, all of them.
    void prints_data() {
        QTest::addColumn<int>("i");
        for (int i = 0; i < int(std::size(kCases)); ++i) {
            QTest::newRow(kCases[i].name) << i;
        }
    }
    void prints() {
        QFETCH(int, i);
        const Case& c = kCases[i];
        QString error = startWithQueues();
        const auto [defaultJobs, workingJobs] = lastingJobs(&error);
        QCOMPARE(error, QString());
        Session session;
        QCOMPARE(session.window->CMBPRINTER->currentText(), kDefault);
        QVERIFY(session.window->CMBPRINTER->findText(kVictim) >= 0);
        // A job that comes out makes the queue the current printer for later jobs.
        if (c.printedOnVictimFirst) {
            QCOMPARE(session.print(4, 4, kVictim), QStringLiteral("quiet, row 4"));
            QCOMPARE(compare(kVictim, labelRun(1, 1, 1, 4, 1)), QString());
            QCOMPARE(session.printer.currentPrinterName(), kVictim);
        }
        const QStringList fault = QString::fromLatin1(c.fault).split(' ', Qt::SkipEmptyParts);
        if (!fault.isEmpty()) {
            if (fault[0] == QLatin1String("stop")) {
                cups_->stop();
            } else {
                QCOMPARE(cups_->command(fault[0], fault.mid(1)), QString());
            }
            QCOMPARE(session.print(4, 4, kVictim), QStringLiteral("quiet, row 4"));
            QCOMPARE(cups_->start(), QString());
            QCOMPARE(lastingJobs(&error), std::pair(defaultJobs + c.newJobsOnDefault, workingJobs));
            if (fault[0] != QLatin1String("lpadmin")) {
                QCOMPARE(int(cups_->jobs(kVictim, QStringLiteral("not-completed"), &error).size()),
                         c.heldOnVictim);
            }
            QCOMPARE(error, QString());
        }
        QCOMPARE(session.print(c.row, c.rowSel, kWorking, c.startRow, c.startColumn),
                 QStringLiteral("quiet, row %1").arg(std::max(c.row, c.rowSel)));
        QCOMPARE(session.printer.currentPrinterName(), kWorking);
        QCOMPARE(compare(kWorking, c.labels), QString());
        if (fault.value(0) == QLatin1String("cupsdisable")) {
            QCOMPARE(cups_->command(QStringLiteral("cupsenable"), {kVictim}), QString());
            QCOMPARE(compare(kVictim, labelRun(1, 1, 1, 4, 1)), QString());
        }
    }
};

QTEST_MAIN(TestPrinting)
#include "test_printing.moc"
