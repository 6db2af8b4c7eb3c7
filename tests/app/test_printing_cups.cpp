// Prints label sheets from the real window through a CUPS scheduler of the test's own, to a
// queue whose PDF keeps its text, and reads every word back with its position.

#include "app/main_window.h"
#include "fakes/counting_pending_events.h"
#include "fakes/scripted_message_box.h"
#include "fakes/temp_folders.h"
#include "pdf_words.h"
#include "platform/qt/qt_printer_service.h"
#include "private_cups.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QTest>

#include <algorithm>
#include <memory>

using namespace etq;
using namespace etq::test;

namespace {

const QString kQueue = QStringLiteral("TXTPDF");
const QString kOutput = QStringLiteral("job.pdf");

// Items 1 to 4 of the grid.
const QByteArray kItems =
    "Referencia,Cor,Tamanho,Qte,Pedido\r\n"
    "A1020,AZUL,38,3,4501\r\n"
    "B7,PRETO CLARO,40,13,4502\r\n"
    "C9,VERDE,42,14,4503\r\n"
    "D1,ROSA,36,1,\r\n";
struct Item {
    const char* reference;
    const char* colour;
    const char* size;
    const char* order;
};
constexpr Item kItemTexts[] = {{"A1020", "AZUL", "38", "4501"},
                               {"B7", "PRETO CLARO", "40", "4502"},
                               {"C9", "VERDE", "42", "4503"},
                               {"D1", "ROSA", "36", ""}};

// A label: page, sheet row and column, item (0-based).
struct Label {
    int page;
    int row;
    int column;
    int item;
};
using Labels = QList<Label>;

// `count` labels of `item` in filling order from a slot: left to right, top to bottom, then
// the next sheet.
void append(Labels& labels, Label from, int count) {
    for (int i = 0; i < count; ++i) {
        labels.append(from);
        if (++from.column == 3) {
            from.column = 1;
            if (++from.row == 8) {
                from.row = 1;
                ++from.page;
            }
        }
    }
}

}  // namespace

Q_DECLARE_METATYPE(Labels)

class TestPrintingCups : public QObject {
    Q_OBJECT

    std::unique_ptr<PrivateCups> cups_;
    QPointF printableOrigin_;  // mm from the page's corner
    std::unique_ptr<QPrinter> metricsPrinter_;

    // Expected words of one label: every blank-separated word of the four texts, at the text's
    // position plus the advance of what precedes the word in Arial 12 pt bold, kerning included.
    QList<PdfWord> expectedWords(const Label& label) const {
        const Item& item = kItemTexts[label.item];
        const double y = 21 + 33.9 * (label.row - 1);
        const double shift = label.column == 2 ? 102 : 0;
        const struct {
            QString text;
            double x;
            double y;
        } texts[] = {
            {QStringLiteral("REF: ") + QLatin1String(item.reference), 5 + shift, y + 3},
            {QStringLiteral("COR: ") + QLatin1String(item.colour), 5 + shift, y + 11},
            {QStringLiteral("Nº  ") + QLatin1String(item.size), 20 + shift, y + 19},
            {QLatin1String(item.order), 60 + shift, y + 19},
        };
        QFont font(QStringLiteral("Arial"));
        font.setPointSizeF(12);
        font.setBold(true);
        const QFontMetricsF metrics(font, metricsPrinter_.get());
        const double mmPerPixel = 25.4 / metricsPrinter_->resolution();
        QList<PdfWord> words;
        for (const auto& text : texts) {
            qsizetype start = 0;
            while (start < text.text.size()) {
                if (text.text.at(start) == QLatin1Char(' ')) {
                    ++start;
                    continue;
                }
                qsizetype end = text.text.indexOf(QLatin1Char(' '), start);
                if (end < 0) {
                    end = text.text.size();
                }
                const double left =
                    text.x + metrics.horizontalAdvance(text.text, int(start)) * mmPerPixel;
                words.append({text.text.mid(start, end - start), label.page,
                              printableOrigin_.x() + left, printableOrigin_.y() + text.y, 0, 0});
                start = end;
            }
        }
        return words;
    }

  private Q_SLOTS:
    void initTestCase() {
        cups_ = std::make_unique<PrivateCups>();
        const QString started = cups_->start();
        QVERIFY2(started.isEmpty(), qPrintable(started));
        QString error = cups_->addFileQueue(
            kQueue, kOutput, QStringLiteral("lsb/usr/cupsfilters/Generic-PDF_Printer-PDF.ppd"));
        QVERIFY2(error.isEmpty(), qPrintable(error));
        error = cups_->addQueue({QStringLiteral("-p"), QStringLiteral("Raw2"), QStringLiteral("-E"),
                                 QStringLiteral("-v"), QStringLiteral("file:///dev/null")});
        QVERIFY2(error.isEmpty(), qPrintable(error));
        error = cups_->setDefault(QStringLiteral("Raw2"));
        QVERIFY2(error.isEmpty(), qPrintable(error));
        QCOMPARE(QPrinterInfo::availablePrinterNames(),
                 (QStringList{QStringLiteral("Raw2"), kQueue}));

        // The queue's own margins on Letter paper place the printable area.
        metricsPrinter_ =
            std::make_unique<QPrinter>(QPrinterInfo::printerInfo(kQueue), QPrinter::HighResolution);
        metricsPrinter_->setPageSize(QPageSize(QPageSize::Letter));
        metricsPrinter_->setPageOrientation(QPageLayout::Portrait);
        printableOrigin_ =
            metricsPrinter_->pageLayout().paintRect(QPageLayout::Millimeter).topLeft();
        qInfo("printable area of %s starts at %.3f, %.3f mm", qPrintable(kQueue),
              printableOrigin_.x(), printableOrigin_.y());
    }

    void cleanupTestCase() { cups_.reset(); }

    void printsSheets_data() {
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("rowSel");
        QTest::addColumn<int>("startRow");
        QTest::addColumn<int>("startColumn");
        QTest::addColumn<int>("pages");
        QTest::addColumn<Labels>("labels");
        Labels oneSheet;
        append(oneSheet, {1, 1, 1, 2}, 14);
        QTest::newRow("14 labels from (1,1): one sheet, no blank one")
            << 3 << 3 << 1 << 1 << 1 << oneSheet;
        Labels twoSheets;
        append(twoSheets, {1, 7, 1, 0}, 3);
        append(twoSheets, {2, 1, 2, 1}, 13);
        QTest::newRow("bottom-up rows 2 to 1 from (7,1): second sheet full, no third")
            << 2 << 1 << 7 << 1 << 2 << twoSheets;
        QTest::newRow("one label at (3,2), empty order")
            << 4 << 4 << 3 << 2 << 1 << Labels{{1, 3, 2, 3}};
    }
    void printsSheets() {
        QFETCH(int, row);
        QFETCH(int, rowSel);
        QFETCH(int, startRow);
        QFETCH(int, startColumn);
        QFETCH(int, pages);
        QFETCH(Labels, labels);

        TempFolders temp;
        temp.writeAppFile(QStringLiteral("etiquetas.csv"), kItems);
        ScriptedMessageBox messages;
        QtPrinterService printer;
        CountingPendingEvents events;
        Platform platform{messages, printer, events, temp.folders()};
        MainWindow window(platform);
        window.show();
        QCOMPARE(window.CMBPRINTER->currentText(), QStringLiteral("Raw2"));

        const QString output = QDir(cups_->outputFolder()).filePath(kOutput);
        QFile::remove(output);
        window.grid().select(row, 1, rowSel, 1);
        window.combolinha->setCurrentIndex(startRow - 1);
        window.combocoluna->setCurrentIndex(startColumn - 1);
        window.CMBPRINTER->setCurrentIndex(window.CMBPRINTER->findText(kQueue));
        QTest::mouseClick(window.command1, Qt::LeftButton);
        QVERIFY(messages.shown.isEmpty());
        QCOMPARE(printer.currentPrinterName(), kQueue);

        const QString waited = cups_->waitForOutput(output, 60000);
        QVERIFY2(waited.isEmpty(), qPrintable(waited));
        QString error;
        const PdfText pdf = readPdfWords(output, &error);
        QVERIFY2(error.isEmpty(), qPrintable(error));
        QCOMPARE(pdf.pages, pages);
        QVERIFY2(qAbs(pdf.pageWidth - 215.9) < 0.5 && qAbs(pdf.pageHeight - 279.4) < 0.5,
                 qPrintable(QStringLiteral("page %1 x %2 mm is not Letter")
                                .arg(pdf.pageWidth)
                                .arg(pdf.pageHeight)));

        QList<PdfWord> expected;
        for (const Label& label : labels) {
            expected += expectedWords(label);
        }
        auto order = [](const PdfWord& a, const PdfWord& b) {
            return std::make_tuple(a.page, qRound(a.top * 2), a.left) <
                   std::make_tuple(b.page, qRound(b.top * 2), b.left);
        };
        QList<PdfWord> actual = pdf.words;
        std::sort(expected.begin(), expected.end(), order);
        std::sort(actual.begin(), actual.end(), order);
        QCOMPARE(actual.size(), expected.size());
        for (qsizetype i = 0; i < actual.size(); ++i) {
            const PdfWord& a = actual[i];
            const PdfWord& e = expected[i];
            const QString where =
                QStringLiteral("word %1: \"%2\" p%3 at %4, %5 mm; expected \"%6\" p%7 at %8, %9 mm")
                    .arg(i)
                    .arg(a.text)
                    .arg(a.page)
                    .arg(a.left, 0, 'f', 3)
                    .arg(a.top, 0, 'f', 3)
                    .arg(e.text)
                    .arg(e.page)
                    .arg(e.left, 0, 'f', 3)
                    .arg(e.top, 0, 'f', 3);
            QVERIFY2(a.text == e.text && a.page == e.page && qAbs(a.left - e.left) <= 0.1 &&
                         qAbs(a.top - e.top) <= 0.1,
                     qPrintable(where));
        }
    }
};

QTEST_MAIN(TestPrintingCups)
#include "test_printing_cups.moc"
