// Prints label sheets from the real window through a CUPS scheduler of the test's own, to
// queues whose PDF keeps its text, and reads every word back with its position; also when the
// printer lets the window down: no scheduler at start-up, or the chosen queue disabled,
// rejecting, deleted or the scheduler stopped between start-up and the click. Such a job must
// end without a word to the operator, the window must stay usable and the next print to a
// working queue must come out whole.
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

// `count` labels of one item from a slot on, in filling order: left to right, top to bottom,
// then the next sheet.
Labels labels(Label from, int count) {
    Labels all;
    for (int i = 0; i < count; ++i) {
        all.append(from);
        if (++from.column == 3) {
            from.column = 1;
            if (++from.row == 8) {
                from = {from.page + 1, 1, 1, from.item};
            }
        }
    }
    return all;
}

enum class Fault { Disabled, Rejecting, Deleted, SchedulerStopped };

// One run of the program with the real printer service.
struct Session : WindowSession<QtPrinterService> {
    Session() { start(("h\r\n" + kItems.join("\r\n") + "\r\n").toUtf8()).show(); }

    // Prints grid rows `row` to `rowSel` from a start slot on the queue chosen in CMBPRINTER
    // (none when the list does not hold it); returns what the operator would notice.
    QString print(int row, int rowSel, const QString& queue, int startRow = 1, int column = 1) {
        window->grid().select(row, 1, rowSel, 1);
        window->combolinha->setCurrentIndex(startRow - 1);
        window->combocoluna->setCurrentIndex(column - 1);
        window->CMBPRINTER->setCurrentIndex(window->CMBPRINTER->findText(queue));
        QElapsedTimer timer;
        timer.start();
        QTest::mouseClick(window->command1, Qt::LeftButton);
        if (timer.elapsed() > 10000) {
            return QStringLiteral("the click took %1 ms").arg(timer.elapsed());
        }
        if (!messages.shown.isEmpty()) {
            return QStringLiteral("a message was shown: ") + messages.shown.first().text;
        }
        if (QApplication::activeModalWidget() != nullptr) {
            return QStringLiteral("a modal dialog is open");
        }
        if (!window->isVisible() || !window->isEnabled() || !window->command1->isEnabled()) {
            return QStringLiteral("the window is gone or disabled");
        }
        // The panel shows the last row the job read.
        return window->lblinha->text() == QString::number(std::max(row, rowSel))
                   ? QString()
                   : QStringLiteral("the panel shows row ") + window->lblinha->text();
    }
};

}  // namespace

Q_DECLARE_METATYPE(Labels)
Q_DECLARE_METATYPE(Fault)

class TestPrinting : public QObject {
    Q_OBJECT

    std::unique_ptr<PrivateCups> cups_;
    std::unique_ptr<QPrinter> metrics_;  // the working queue, for font metrics and margins

    QString output(const QString& queue) const {
        return QDir(cups_->outputFolder()).filePath(queue + ".pdf");
    }

    // The scheduler running with its three queues, all enabled and accepting jobs.
    QString startWithQueues() {
        QFile::remove(output(kWorking));
        QFile::remove(output(kVictim));
        QString error = cups_->start();
        const QString model = QStringLiteral("lsb/usr/cupsfilters/Generic-PDF_Printer-PDF.ppd");
        for (const QString& queue : {kWorking, kVictim}) {
            if (error.isEmpty()) {
                error = cups_->addFileQueue(queue, queue + ".pdf", model);
            }
        }
        if (error.isEmpty()) {
            error = cups_->addQueue({"-p", kDefault, "-E", "-v", "file:///dev/null"});
        }
        return error.isEmpty() ? cups_->setDefault(kDefault) : error;
    }

    // Waits for the PDF of `queue` and compares its pages and words with those of `labels`:
    // every blank-separated word of a label's four texts at its text's corner plus the advance
    // of what precedes it in Arial 12 pt bold, kerning included. Empty when all match.
    QString compare(const QString& queue, const Labels& labels, int pages) {
        if (QString error = cups_->waitForOutput(output(queue), 60000, queue); !error.isEmpty()) {
            return error;
        }
        QString error;
        const PdfText pdf = readPdfWords(output(queue), &error);
        QFile::remove(output(queue));
        if (!error.isEmpty() || pdf.pages != pages || qAbs(pdf.pageWidth - 215.9) > 0.5 ||
            qAbs(pdf.pageHeight - 279.4) > 0.5) {
            return QStringLiteral("%1 pages of %2 x %3 mm, not %4 of Letter %5")
                .arg(pdf.pages)
                .arg(pdf.pageWidth)
                .arg(pdf.pageHeight)
                .arg(pages)
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
            const struct {
                QString text;
                double x, y;
            } texts[] = {{"REF: " + item[0], x, y + 3},
                         {"COR: " + item[1], x, y + 11},
                         {"Nº  " + item[2], x + 15, y + 19},
                         {item[4], x + 55, y + 19}};
            for (const auto& text : texts) {
                for (qsizetype start = 0, end = 0; start < text.text.size(); start = end + 1) {
                    end = text.text.indexOf(' ', start);
                    end = end < 0 ? text.text.size() : end;
                    const double advance = metrics.horizontalAdvance(text.text, int(start));
                    if (end > start) {
                        expected.append({text.text.mid(start, end - start), label.page,
                                         text.x + advance * 25.4 / metrics_->resolution(), text.y,
                                         0, 0});
                    }
                }
            }
        }
        auto order = [](const PdfWord& a, const PdfWord& b) {
            return std::make_tuple(a.page, qRound(a.top * 2), a.left) <
                   std::make_tuple(b.page, qRound(b.top * 2), b.left);
        };
        QList<PdfWord> actual = pdf.words;
        std::sort(expected.begin(), expected.end(), order);
        std::sort(actual.begin(), actual.end(), order);
        for (qsizetype i = 0; i < std::max(actual.size(), expected.size()); ++i) {
            const PdfWord a = actual.value(i), e = expected.value(i);
            if (a.text != e.text || a.page != e.page || qAbs(a.left - e.left) > 0.1 ||
                qAbs(a.top - e.top) > 0.1) {
                return QStringLiteral(
                           "word %1: \"%2\" p%3 at %4, %5 mm; expected \"%6\" p%7 at "
                           "%8, %9 mm")
                    .arg(i)
                    .arg(a.text)
                    .arg(a.page)
                    .arg(a.left)
                    .arg(a.top)
                    .arg(e.text)
                    .arg(e.page)
                    .arg(e.left)
                    .arg(e.top);
            }
        }
        return {};
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

    void cleanupTestCase() {
        metrics_.reset();
        cups_.reset();
    }

    // No scheduler when the window opens: no printer to list and nowhere to print, yet the
    // window opens and the print button ends its job without a word, having read its row.
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
        QCOMPARE(session.print(1, 1, QString()), QString());
        QCOMPARE(session.window->txtreduzido->text(), QStringLiteral("A1020"));
        // Nothing was printed: once the scheduler runs, it knows of no job and no queue wrote.
        QCOMPARE(startWithQueues(), QString());
        QString error;
        QCOMPARE(cups_->jobs(QString(), QStringLiteral("all"), &error), QStringList());
        QCOMPARE(error, QString());
        QCOMPARE(QDir(cups_->outputFolder()).entryList(QDir::Files), QStringList());
    }

    void printsSheets_data() {
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("rowSel");
        QTest::addColumn<int>("startRow");
        QTest::addColumn<int>("startColumn");
        QTest::addColumn<int>("pages");
        QTest::addColumn<Labels>("labels");
        QTest::newRow("14 labels from (1,1): one sheet, no blank one")
            << 3 << 3 << 1 << 1 << 1 << labels({1, 1, 1, 3}, 14);
        QTest::newRow("bottom-up rows 2 to 1 from (7,1): second sheet full, no third")
            << 2 << 1 << 7 << 1 << 2 << labels({1, 7, 1, 1}, 3) + labels({2, 1, 2, 2}, 13);
        QTest::newRow("one label at (3,2), empty order")
            << 4 << 4 << 3 << 2 << 1 << labels({1, 3, 2, 4}, 1);
    }
    void printsSheets() {
        QFETCH(int, row);
        QFETCH(int, rowSel);
        QFETCH(int, startRow);
        QFETCH(int, startColumn);
        QFETCH(int, pages);
        QFETCH(Labels, labels);
        const QString started = startWithQueues();
        QVERIFY2(started.isEmpty(), qPrintable(started));
        Session session;
        QCOMPARE(session.window->CMBPRINTER->currentText(), kDefault);
        QCOMPARE(session.print(row, rowSel, kWorking, startRow, startColumn), QString());
        QCOMPARE(session.printer.currentPrinterName(), kWorking);
        QCOMPARE(compare(kWorking, labels, pages), QString());
    }

    // The queue chosen at start-up fails before the click. Disabled: CUPS keeps the job and
    // prints it once the queue is enabled again. Rejecting jobs: the job is refused and gone,
    // which Qt does not report. Deleted: the name matches no printer, so the current printer
    // takes the job: the default in a fresh window, nothing at all when the current printer is
    // the deleted queue itself. Scheduler stopped: no printer, nothing prints.
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
        // Jobs ever sent to the queues that outlive every fault.
        auto lastingJobs = [this](QString* error) {
            QString second;
            const auto counts =
                std::pair{cups_->jobs(kDefault, QStringLiteral("all"), error).size(),
                          cups_->jobs(kWorking, QStringLiteral("all"), &second).size()};
            *error += second;
            return counts;
        };
        const auto [defaultJobs, workingJobs] = lastingJobs(&error);
        QVERIFY2(error.isEmpty(), qPrintable(error));
        Session session;
        QVERIFY(session.window->CMBPRINTER->findText(kVictim) >= 0);
        // A job that comes out makes the queue the current printer for later jobs.
        if (printedOnVictimFirst) {
            QCOMPARE(session.print(4, 4, kVictim), QString());
            QCOMPARE(compare(kVictim, labels({1, 1, 1, 4}, 1), 1), QString());
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
        QCOMPARE(session.print(4, 4, kVictim), QString());
        if (fault == Fault::SchedulerStopped) {
            QCOMPARE(cups_->start(), QString());
        }
        QCOMPARE(lastingJobs(&error), std::pair(defaultJobs + newJobsOnDefault, workingJobs));
        if (fault != Fault::Deleted) {
            QCOMPARE(cups_->jobs(kVictim, QStringLiteral("not-completed"), &error).size(),
                     heldOnVictim);
        }
        QVERIFY2(error.isEmpty(), qPrintable(error));
        // The same window prints the next row on a working queue, all of it.
        QCOMPARE(session.print(1, 1, kWorking), QString());
        QCOMPARE(compare(kWorking, labels({1, 1, 1, 1}, 3), 1), QString());
        // The job a disabled queue kept is not lost: enabled again, the queue prints it.
        if (fault == Fault::Disabled) {
            QCOMPARE(cups_->command(QStringLiteral("cupsenable"), {kVictim}), QString());
            QCOMPARE(compare(kVictim, labels({1, 1, 1, 4}, 1), 1), QString());
        }
    }
};

QTEST_MAIN(TestPrinting)
#include "test_printing.moc"
