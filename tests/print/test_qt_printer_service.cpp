// The Qt printer service writing PDF files: pages, paper and positions of a print job, and a
// document that cannot be started.

#include "items/detail_panel.h"
#include "pdf_words.h"
#include "platform/error.h"
#include "platform/qt/qt_printer_service.h"
#include "print/sheet_printing.h"

#include <QFile>
#include <QPageLayout>
#include <QPageSize>
#include <QPrinter>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

using namespace etq;
using namespace etq::test;

namespace {

struct Job {
    FlexGrid grid;
    PlainTextField ref, cor, num, qte, ped, linha;
    DetailPanel panel{ref, cor, num, qte, ped, linha};

    explicit Job(const QString& quantity) {
        grid.setCols(6);
        const QStringList cells = {quantity, "A1020", "AZUL", "38", "4501", "N"};
        for (int col = 0; col < 6; ++col) {
            grid.setTextMatrix(1, col, cells[col]);
        }
    }
    void print(QtPrinterService& printer, qint16 startRow = 1, qint16 startColumn = 1) {
        imprime_etiquetas(grid, panel, printer, QString(), 1, 1, startRow, startColumn);
    }
};

// Top-left corner of the printable area of a PDF written by QPrinter on Letter paper, in mm.
QPointF pdfPrintableOrigin() {
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setPageSize(QPageSize(QPageSize::Letter));
    printer.setPageOrientation(QPageLayout::Portrait);
    return printer.pageLayout().paintRect(QPageLayout::Millimeter).topLeft();
}

}  // namespace

class TestQtPrinterService : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;

  private Q_SLOTS:
    void pages_data() {
        QTest::addColumn<QString>("quantity");
        QTest::addColumn<int>("startRow");
        QTest::addColumn<int>("pages");
        QTest::newRow("14 from (1,1): one sheet") << "14" << 1 << 1;
        QTest::newRow("15: two sheets") << "15" << 1 << 2;
        QTest::newRow("28: two full sheets, no third") << "28" << 1 << 2;
        QTest::newRow("2 from (7,1)") << "2" << 7 << 1;
        QTest::newRow("3 from (7,1)") << "3" << 7 << 2;
    }
    void pages() {
        QFETCH(QString, quantity);
        QFETCH(int, startRow);
        QFETCH(int, pages);
        const QString path = dir_.filePath(QStringLiteral("pages.pdf"));
        QFile::remove(path);
        QtPrinterService printer;
        printer.setOutputFileName(path);
        Job job(quantity);
        job.print(printer, static_cast<qint16>(startRow));
        QString error;
        const PdfText pdf = readPdfWords(path, &error);
        QVERIFY2(error.isEmpty(), qPrintable(error));
        QCOMPARE(pdf.pages, pages);
        QVERIFY(qAbs(pdf.pageWidth - 215.9) < 0.1);
        QVERIFY(qAbs(pdf.pageHeight - 279.4) < 0.1);
        QCOMPARE(pdf.words.size(), quantity.toInt() * 7);
        // Seven words a label; every page carries some: no page is blank.
        for (int page = 1; page <= pages; ++page) {
            QVERIFY(std::any_of(pdf.words.begin(), pdf.words.end(),
                                [page](const PdfWord& w) { return w.page == page; }));
        }
    }

    // The first texts of slots (1,1) and (7,2), measured from the printable area.
    void positions() {
        const QString path = dir_.filePath(QStringLiteral("positions.pdf"));
        QtPrinterService printer;
        printer.setOutputFileName(path);
        Job job(QStringLiteral("1"));
        job.print(printer, 1, 1);
        QString error;
        PdfText pdf = readPdfWords(path, &error);
        QVERIFY2(error.isEmpty(), qPrintable(error));
        const QPointF origin = pdfPrintableOrigin();
        const struct {
            const char* word;
            double x, y;
        } expected[] = {{"REF:", 5, 24}, {"COR:", 5, 32}, {"Nº", 20, 40}, {"4501", 60, 40}};
        for (const auto& e : expected) {
            const auto found =
                std::find_if(pdf.words.begin(), pdf.words.end(),
                             [&](const PdfWord& w) { return w.text == QString::fromUtf8(e.word); });
            QVERIFY2(found != pdf.words.end(), e.word);
            QVERIFY2(qAbs(found->left - origin.x() - e.x) <= 0.1 &&
                         qAbs(found->top - origin.y() - e.y) <= 0.1,
                     qPrintable(QStringLiteral("%1 at %2, %3")
                                    .arg(QString::fromUtf8(e.word))
                                    .arg(found->left - origin.x())
                                    .arg(found->top - origin.y())));
        }
        QFile::remove(path);
        job.print(printer, 7, 2);
        pdf = readPdfWords(path, &error);
        QVERIFY(!pdf.words.isEmpty());
        QCOMPARE(pdf.words.first().text, QStringLiteral("REF:"));
        QVERIFY(qAbs(pdf.words.first().left - origin.x() - 107) <= 0.1);
        QVERIFY(qAbs(pdf.words.first().top - origin.y() - 227.4) <= 0.1);
    }

    // Nothing printed: no document comes out.
    void noLabelsNoDocument() {
        const QString path = dir_.filePath(QStringLiteral("none.pdf"));
        QtPrinterService printer;
        printer.setOutputFileName(path);
        Job job(QStringLiteral("0"));
        job.print(printer);
        QVERIFY(!QFile::exists(path));
    }

    // A document that cannot be started refuses its texts; the next document works.
    void documentThatCannotStart() {
        QtPrinterService printer;
        printer.setOutputFileName(dir_.filePath(QStringLiteral("missing/folder/x.pdf")));
        // The printer is tried once for the document, not once for every text.
        QTest::ignoreMessage(QtWarningMsg, "QPainter::begin(): Returned false");
        QTest::failOnWarning(QRegularExpression(QStringLiteral("QPainter::begin")));
        QVERIFY_THROWS_EXCEPTION(etq::Error, printer.print(QStringLiteral("a")));
        QVERIFY_THROWS_EXCEPTION(etq::Error, printer.print(QStringLiteral("b")));
        printer.endDoc();
        const QString path = dir_.filePath(QStringLiteral("after.pdf"));
        printer.setOutputFileName(path);
        Job job(QStringLiteral("2"));
        job.print(printer);
        QString error;
        QCOMPARE(readPdfWords(path, &error).words.size(), 14);
    }
};

QTEST_MAIN(TestQtPrinterService)
#include "test_qt_printer_service.moc"
