#include "fakes/recording_printer.h"
#include "items/detail_panel.h"
#include "print/label_sheet.h"
#include "print/printer_choice.h"
#include "print/sheet_printing.h"

#include <QLocale>
#include <QTest>

using namespace etq;
using etq::test::RecordingPrinter;

namespace {

// A grid of six columns whose data rows are "qte|ref|cor|tam|ped|exclui", plus the empty last
// row the loader leaves.
void fill(FlexGrid& grid, const QStringList& rows) {
    grid.setCols(6);
    grid.setRows(static_cast<int>(rows.size()) + 2);
    for (int i = 0; i < rows.size(); ++i) {
        const QStringList cells = rows[i].split(QLatin1Char('|'));
        for (int col = 0; col < cells.size(); ++col) {
            grid.setTextMatrix(i + 1, col, cells[col]);
        }
    }
}

struct Panel {
    PlainTextField ref, cor, num, qte, ped, linha;
    DetailPanel panel{ref, cor, num, qte, ped, linha};
};

RecordingPrinter installedPrinter() {
    RecordingPrinter printer;
    printer.printers = {QStringLiteral("Laser"), QStringLiteral("Sheets")};
    printer.defaultPrinter = QStringLiteral("Laser");
    return printer;
}

// Where each label landed: "page:x:y" of its "REF: " text.
QStringList labelCorners(const RecordingPrinter& printer) {
    QStringList corners;
    for (const RecordingPrinter::Printed& p : printer.printed) {
        if (p.text.startsWith(QStringLiteral("REF: "))) {
            corners << QStringLiteral("%1:%2:%3").arg(p.page).arg(p.x).arg(p.y);
        }
    }
    return corners;
}

// The corner of the first text of slot (row, column) on a page, from the sheet's figures:
// rows 33.9 mm apart from 21 mm, the text 3 mm below; columns at 5 and 107 mm.
QString corner(int page, int row, int column) {
    const float y = static_cast<float>(21 + 33.9 * (row - 1)) + 3;
    return QStringLiteral("%1:%2:%3").arg(page).arg(column == 1 ? 5.0f : 107.0f).arg(y);
}

QStringList names(const RecordingPrinter& printer) {
    QStringList list;
    for (const RecordingPrinter::Call& call : printer.calls) {
        list << call.name;
    }
    return list;
}

}  // namespace

class TestSheetPrinting : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    void init() { QLocale::setDefault(QLocale(QLocale::Portuguese, QLocale::Brazil)); }
    void cleanup() { QLocale::setDefault(QLocale::c()); }

    void labelSlots_data() {
        QTest::addColumn<QStringList>("rows");
        QTest::addColumn<int>("startRow");
        QTest::addColumn<int>("startColumn");
        QTest::addColumn<QStringList>("corners");

        QStringList fullSheet;
        for (int i = 0; i < 14; ++i) {
            fullSheet << corner(1, i / 2 + 1, i % 2 + 1);
        }
        QTest::newRow("14 from (1,1): one sheet")
            << QStringList{"14|A|B|38|9"} << 1 << 1 << fullSheet;
        QTest::newRow("15 from (1,1): second sheet at (1,1)")
            << QStringList{"15|A|B|38|9"} << 1 << 1 << (fullSheet << corner(2, 1, 1));
        QTest::newRow("2 from (7,2)")
            << QStringList{"2|A|B|38|9"} << 7 << 2 << QStringList{corner(1, 7, 2), corner(2, 1, 1)};
        QTest::newRow("3 from (3,2)")
            << QStringList{"3|A|B|38|9"} << 3 << 2
            << QStringList{corner(1, 3, 2), corner(1, 4, 1), corner(1, 4, 2)};
        QTest::newRow("rows 1 and 2 share a sheet row")
            << QStringList{"1|A|B|38|9", "2|C|D|39|9"} << 1 << 1
            << QStringList{corner(1, 1, 1), corner(1, 1, 2), corner(1, 2, 1)};
        QTest::newRow("0 and negative print nothing, cursor stays")
            << QStringList{"0|A|B|38|9", "-2|A|B|38|9", "1|C|D|39|9"} << 2 << 2
            << QStringList{corner(1, 2, 2)};
        QTest::newRow("not a number, empty, beyond 16 bits: no label, cursor stays")
            << QStringList{"abc|A|B|38|9", "|A|B|38|9", "32768|A|B|38|9", "1|C|D|39|9"} << 1 << 1
            << QStringList{corner(1, 1, 1)};
        QTest::newRow("2,5 rounds to even: 2; 3,5 to 4")
            << QStringList{"2,5|A|B|38|9", "3,5|C|D|39|9"} << 1 << 1
            << QStringList{corner(1, 1, 1), corner(1, 1, 2), corner(1, 2, 1),
                           corner(1, 2, 2), corner(1, 3, 1), corner(1, 3, 2)};
        QTest::newRow("blanks, exponent") << QStringList{" 1 |A|B|38|9", "1e0|C|D|39|9"} << 1 << 1
                                          << QStringList{corner(1, 1, 1), corner(1, 1, 2)};
        QTest::newRow("start slot only on the first sheet")
            << QStringList{"3|A|B|38|9"} << 7 << 1
            << QStringList{corner(1, 7, 1), corner(1, 7, 2), corner(2, 1, 1)};
    }
    void labelSlots() {
        QFETCH(QStringList, rows);
        QFETCH(int, startRow);
        QFETCH(int, startColumn);
        QFETCH(QStringList, corners);
        FlexGrid grid;
        fill(grid, rows);
        Panel p;
        RecordingPrinter printer = installedPrinter();
        imprime_etiquetas(grid, p.panel, printer, QStringLiteral("Sheets"), 1,
                          static_cast<qint16>(rows.size()), static_cast<qint16>(startRow),
                          static_cast<qint16>(startColumn));
        QCOMPARE(labelCorners(printer), corners);
        QCOMPARE(names(printer).count(QStringLiteral("endDoc")), 1);
        QCOMPARE(names(printer).last(), QStringLiteral("endDoc"));
    }

    // The four texts of one label: prefixes, values as they stand, positions of the content
    // table, font set before each label.
    void labelContent_data() {
        QTest::addColumn<QString>("row");
        QTest::addColumn<int>("startRow");
        QTest::addColumn<int>("startColumn");
        QTest::addColumn<QStringList>("printed");
        QTest::newRow("slot (1,1)")
            << "1|A1020|AZUL|38|4501|N" << 1 << 1
            << QStringList{"REF: A1020@5,24", "COR: AZUL@5,32", "Nº  38@20,40", "4501@60,40"};
        QTest::newRow("slot (7,2)")
            << "1| a b |Verde  claro|PP|0012|X" << 7 << 2
            << QStringList{"REF:  a b @107,227.4", "COR: Verde  claro@107,235.4",
                           "Nº  PP@122,243.4", "0012@162,243.4"};
        QTest::newRow("empty reference and order")
            << "1||AZUL|38||N" << 4 << 1
            << QStringList{"REF: @5,125.7", "COR: AZUL@5,133.7", "Nº  38@20,141.7", "@60,141.7"};
    }
    void labelContent() {
        QFETCH(QString, row);
        QFETCH(int, startRow);
        QFETCH(int, startColumn);
        QFETCH(QStringList, printed);
        FlexGrid grid;
        fill(grid, {row});
        Panel p;
        RecordingPrinter printer = installedPrinter();
        imprime_etiquetas(grid, p.panel, printer, QStringLiteral("Sheets"), 1, 1,
                          static_cast<qint16>(startRow), static_cast<qint16>(startColumn));
        QStringList actual;
        for (const RecordingPrinter::Printed& text : printer.printed) {
            QCOMPARE(text.page, 1);
            actual << QStringLiteral("%1@%2,%3").arg(text.text).arg(text.x).arg(text.y);
        }
        QCOMPARE(actual, printed);
        const QStringList calls = names(printer);
        QCOMPARE(calls.mid(0, 3), (QStringList{"setCurrentPrinter", "setScaleMillimetres",
                                               "setPaperLetterPortrait"}));
        QCOMPARE(calls.mid(3, 3), (QStringList{"setFontName", "setFontSize", "setFontBold"}));
        QCOMPARE(printer.calls[3].text, QStringLiteral("Arial"));
        QCOMPARE(printer.calls[4].a, 12.0);
        QVERIFY(printer.calls[5].flag);
        QCOMPARE(printer.current, QStringLiteral("Sheets"));
        // The panel holds the printed row afterwards.
        QCOMPARE(p.linha.text(), QStringLiteral("1"));
    }

    // A page break is asked for right after the 14th slot of a sheet, also when nothing
    // follows; the printer service must not turn it into a blank sheet.
    void pageBreakAfterFullSheet() {
        FlexGrid grid;
        fill(grid, {"14|A|B|38|9"});
        Panel p;
        RecordingPrinter printer = installedPrinter();
        imprime_etiquetas(grid, p.panel, printer, QStringLiteral("Laser"), 1, 1, 1, 1);
        QCOMPARE(names(printer).mid(names(printer).size() - 2), (QStringList{"newPage", "endDoc"}));
    }

    // The trailing empty row of a whole-column selection prints nothing and the rows keep
    // their order: range from the smaller to the larger row.
    void selectionRange_data() {
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("rowSel");
        QTest::addColumn<int>("first");
        QTest::addColumn<int>("last");
        QTest::newRow("top down") << 1 << 3 << 1 << 3;
        QTest::newRow("bottom up") << 3 << 1 << 1 << 3;
        QTest::newRow("one row") << 2 << 2 << 2 << 2;
        QTest::newRow("header") << 0 << 2 << 0 << 2;
    }
    void selectionRange() {
        QFETCH(int, row);
        QFETCH(int, rowSel);
        QFETCH(int, first);
        QFETCH(int, last);
        FlexGrid grid;
        fill(grid, {"1|A|B|1|1", "1|A|B|1|1"});
        grid.setRow(row);
        grid.setRowSel(rowSel);
        const PrintRange range = selectedRows(grid);
        QCOMPARE(range.first, first);
        QCOMPARE(range.last, last);
    }

    void wholeColumnWithTrailingRow() {
        FlexGrid grid;
        fill(grid, {"1|A|B|38|9|N", "2|C|D|39|8|S"});
        Panel p;
        RecordingPrinter printer = installedPrinter();
        // Rows 1 to 3: the third is the empty last row.
        imprime_etiquetas(grid, p.panel, printer, QStringLiteral("Laser"), 1, 3, 1, 1);
        QCOMPARE(labelCorners(printer),
                 (QStringList{corner(1, 1, 1), corner(1, 1, 2), corner(1, 2, 1)}));
        QCOMPARE(printer.printed.last().text, QStringLiteral("8"));
        QCOMPARE(p.linha.text(), QStringLiteral("3"));
    }

    // A refused step is skipped; the job goes on and the document is still ended.
    void refusedStepsAreSkipped_data() {
        QTest::addColumn<QString>("failing");
        QTest::addColumn<QString>("printerName");
        QTest::addColumn<int>("texts");
        QTest::addColumn<QString>("current");
        QTest::newRow("unknown printer") << ""
                                         << "Nowhere" << 8 << "Laser";
        QTest::newRow("empty printer name") << ""
                                            << "" << 8 << "Laser";
        QTest::newRow("scale refused") << "setScaleMillimetres"
                                       << "Sheets" << 8 << "Sheets";
        QTest::newRow("paper refused") << "setPaperLetterPortrait"
                                       << "Sheets" << 8 << "Sheets";
        QTest::newRow("font refused") << "setFontName"
                                      << "Sheets" << 8 << "Sheets";
        QTest::newRow("position refused") << "setCurrentY"
                                          << "Sheets" << 8 << "Sheets";
        QTest::newRow("every text refused") << "print"
                                            << "Sheets" << 0 << "Sheets";
        QTest::newRow("printer choice refused") << "setCurrentPrinter"
                                                << "Sheets" << 8 << "Laser";
    }
    void refusedStepsAreSkipped() {
        QFETCH(QString, failing);
        QFETCH(QString, printerName);
        QFETCH(int, texts);
        QFETCH(QString, current);
        FlexGrid grid;
        fill(grid, {"2|A|B|38|9"});
        Panel p;
        RecordingPrinter printer = installedPrinter();
        printer.current = QStringLiteral("Laser");
        printer.failing.insert(failing);
        imprime_etiquetas(grid, p.panel, printer, printerName, 1, 1, 1, 1);
        QCOMPARE(printer.printed.size(), texts);
        QCOMPARE(names(printer).count(QStringLiteral("print")), 8);
        QCOMPARE(names(printer).last(), QStringLiteral("endDoc"));
        QCOMPARE(printer.current, current);
    }

    void noPrinterInstalled() {
        FlexGrid grid;
        fill(grid, {"1|A|B|38|9"});
        Panel p;
        RecordingPrinter printer;
        QVERIFY(!define_impressora(printer, QString()));
        imprime_etiquetas(grid, p.panel, printer, QString(), 1, 1, 1, 1);
        QCOMPARE(names(printer).contains(QStringLiteral("setCurrentPrinter")), false);
        QCOMPARE(names(printer).last(), QStringLiteral("endDoc"));
    }

    void printerChoice_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("chosen");
        QTest::addColumn<QString>("current");
        QTest::newRow("exact") << "Sheets" << true << "Sheets";
        QTest::newRow("other case") << "sheets" << false << "Laser";
        QTest::newRow("prefix") << "Sheet" << false << "Laser";
        QTest::newRow("trailing blank") << "Sheets " << false << "Laser";
        QTest::newRow("empty") << "" << false << "Laser";
    }
    void printerChoice() {
        QFETCH(QString, name);
        QFETCH(bool, chosen);
        QFETCH(QString, current);
        RecordingPrinter printer = installedPrinter();
        printer.current = QStringLiteral("Laser");
        QCOMPARE(define_impressora(printer, name), chosen);
        QCOMPARE(printer.current, current);
    }

    // A row that cannot be read prints nothing, not the labels of the row read before it.
    void rowOutsideTheGrid() {
        FlexGrid grid;
        fill(grid, {"1|A|B|38|9"});
        Panel p;
        RecordingPrinter printer = installedPrinter();
        imprime_etiquetas(grid, p.panel, printer, QStringLiteral("Laser"), 1, 5, 1, 1);
        QCOMPARE(labelCorners(printer), QStringList{corner(1, 1, 1)});
        QCOMPARE(names(printer).last(), QStringLiteral("endDoc"));
    }
};

QTEST_GUILESS_MAIN(TestSheetPrinting)
#include "test_sheet_printing.moc"
