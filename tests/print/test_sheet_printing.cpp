// Label sheets on a recording printer and in a PDF read back. Rows read "input -> expected".

#include "fakes/recording_printer.h"
#include "items/detail_panel.h"
#include "pdf_words.h"
#include "platform/qt/qt_printer_service.h"
#include "print/printer_choice.h"
#include "print/sheet_printing.h"

#include <QPageLayout>
#include <QPrinter>
#include <QTemporaryDir>
#include <QTest>

using namespace etq;
using namespace etq::test;

namespace {

// Prints grid rows "qte|ref|cor|tam|ped|exc", ";" between them, and `beyond` rows past the grid
// from sheet slot (row, column). Returns the row number the panel shows at the end.
QString print(PrinterService& printer, const QString& rows, int row, int column, int beyond = 2) {
    FlexGrid grid;
    grid.setCols(6);
    grid.setRows(static_cast<int>(rows.count(';')) + 2);
    for (int r = 1; r < grid.Rows(); ++r) {
        for (int col = 0; col < 6; ++col) {
            grid.setTextMatrix(r, col, rows.section(';', r - 1, r - 1).section('|', col, col));
        }
    }
    PlainTextField ref, cor, num, qte, ped, linha;
    DetailPanel panel{ref, cor, num, qte, ped, linha};
    imprime_etiquetas(grid, panel, printer, "Sheets", 1, grid.Rows() - 1 + beyond, row, column);
    return linha.text();
}

// Printers "Laser", the current one, and "Sheets".
struct Printer : RecordingPrinter {
    Printer() { printers = {current = defaultPrinter = QStringLiteral("Laser"), "Sheets"}; }

    // The calls made, "name(text,number,flag)".
    QString trace() const {
        QString list;
        for (const Call& c : calls) {
            list += QStringLiteral(" %1(%2,%3,%4)").arg(c.name, c.text).arg(c.a).arg(int(c.flag));
        }
        return list;
    }
};

}  // namespace

class TestSheetPrinting : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;

  private Q_SLOTS:
    void init() { QLocale::setDefault(QLocale(QLocale::Portuguese, QLocale::Brazil)); }

    // Rows -> last row read and texts, "page:text@x,y": sheet rows 33.9 mm apart from 21 mm, texts
    // 3, 11 and 19 mm below; columns 102 mm apart from 5 mm, size and order 15 and 55 mm right.
    void labelContent() {
        Printer printer;
        QString texts =
            print(printer, "1|A1020|AZUL|38|4501;1| a b |Ver  de|PP|0012;1||AZUL|38|", 7, 1, 0);
        for (const RecordingPrinter::Printed& p : printer.printed) {
            texts += QString::asprintf(" %d:%s@%g,%g", p.page, qPrintable(p.text), p.x, p.y);
        }
        QCOMPARE(texts,
                 QStringLiteral("3 1:REF: A1020@5,227.4 1:COR: AZUL@5,235.4 1:Nº  38@20,243.4 "
                                "1:4501@60,243.4 1:REF:  a b @107,227.4 1:COR: Ver  de@107,235.4 "
                                "1:Nº  PP@122,243.4 1:0012@162,243.4 2:REF: @5,24 2:COR: AZUL@5,32 "
                                "2:Nº  38@20,40 2:@60,40"));
        QVERIFY(
            printer.trace().startsWith(" setCurrentPrinter(Sheets,0,0) setScaleMillimetres(,0,0) "
                                       "setPaperLetterPortrait(,0,0) setFontName(Arial,0,0) "
                                       "setFontSize(,12,0) setFontBold(,0,1) setCurrentX(,5,0)"));
        QVERIFY(printer.trace().endsWith(" print(,0,0) endDoc(,0,0)"));
    }

    // No labels for quantities not 16-bit whole numbers, empty rows, rows past the grid; halves
    // round to even.
    void labelCounts() {
        Printer printer;
        QString printed =
            print(printer, "0|Z;-2|Y;abc|X;|W;32768|V;2,5|F;3,5|G; 1 |H;1e0|I", 2, 2) + ' ';
        for (const RecordingPrinter::Printed& p : printer.printed) {
            printed += p.text.startsWith("REF: ") ? p.text.mid(5) : QString();
        }
        QCOMPARE(printed, QStringLiteral("9 FFGGGGHI"));
    }

    // A printer refusing every step: each is still tried in turn and the job goes on to its end.
    void refusedSteps() {
        Printer plain, refusing;
        print(plain, "2|A|B|38|9", 7, 2);
        for (const RecordingPrinter::Call& call : plain.calls) {
            refusing.failing.insert(call.name);
        }
        print(refusing, "2|A|B|38|9", 7, 2);
        QCOMPARE(refusing.trace(), plain.trace());
    }

    // Only a printer of exactly that name is chosen.
    void printerChoice() {
        for (const QString row : {"Sheets -> 1 Sheets", "sheets -> 0 Laser", "Sheet -> 0 Laser",
                                  "Sheets  -> 0 Laser", " -> 0 Laser"}) {
            Printer printer;
            const QString name = row.section(" -> ", 0, 0);
            const bool chosen = define_impressora(printer, name);
            QCOMPARE(QStringLiteral("%1 -> %2 %3").arg(name).arg(chosen).arg(printer.current), row);
        }
    }

    // A document that cannot start refuses its texts, the printer tried once for it. Labels @
    // start slot -> Letter pages, 7 words a label, the last on the last page, the first at its
    // slot in mm from the printable area: a page break waits for a text, no sheet is blank.
    void pdf() {
        QtPrinterService printer;
        printer.setOutputFileName(dir_.filePath(QStringLiteral("missing/folder/x.pdf")));
        QTest::ignoreMessage(QtWarningMsg, "QPainter::begin(): Returned false");
        QTest::failOnWarning("QPainter::begin(): Returned false");
        QVERIFY_THROWS_EXCEPTION(Error, printer.print(QStringLiteral("a")));
        QVERIFY_THROWS_EXCEPTION(Error, printer.print(QStringLiteral("b")));
        printer.endDoc();
        QPrinter letter(QPrinter::HighResolution);
        letter.setOutputFormat(QPrinter::PdfFormat);
        letter.setPageSize(QPageSize(QPageSize::Letter));
        const QPointF origin = letter.pageLayout().paintRect(QPageLayout::Millimeter).topLeft();
        for (const QString row :
             {"14 @1,1 -> 1 pages of 215.9x279.4, 98 words to page 1, REF: at 5.0,24.0",
              "15 @1,1 -> 2 pages of 215.9x279.4, 105 words to page 2, REF: at 5.0,24.0",
              "1 @7,2 -> 1 pages of 215.9x279.4, 7 words to page 1, REF: at 107.0,227.4"}) {
            const QString job = row.section(" -> ", 0, 0), path = dir_.filePath(job + ".pdf");
            printer.setOutputFileName(path);
            print(printer, job.section(' ', 0, 0) + "|A1020|AZUL|38|4501|N",
                  job.right(3)[0].digitValue(), job.right(1).toInt());
            QString error;
            const PdfText pdf = readPdfWords(path, &error);
            const PdfWord first = pdf.words.value(0), last = pdf.words.value(pdf.words.size() - 1);
            QCOMPARE(
                job + " -> " + error +
                    QString::asprintf("%d pages of %.1fx%.1f, %d words to page %d, %s at %.1f,%.1f",
                                      pdf.pages, pdf.pageWidth, pdf.pageHeight,
                                      int(pdf.words.size()), last.page, qPrintable(first.text),
                                      first.left - origin.x(), first.top - origin.y()),
                row);
        }
    }
};

QTEST_MAIN(TestSheetPrinting)
#include "test_sheet_printing.moc"
