#include "print/sheet_printing.h"

#include "items/locale_number.h"
#include "platform/resume_next.h"
#include "print/label_sheet.h"
#include "print/printer_choice.h"

#include <algorithm>

namespace etq {

PrintRange selectedRows(const FlexGrid& grid) {
    const auto row = static_cast<qint16>(grid.Row());
    const auto rowSel = static_cast<qint16>(grid.RowSel());
    return {std::min(row, rowSel), std::max(row, rowSel)};
}

namespace {

void printLabel(PrinterService& printer, const sheet::LabelContent& content,
                const sheet::SlotCursor& slot) {
    resumeNext([&] { printer.setFontName(QStringLiteral("Arial")); });
    resumeNext([&] { printer.setFontSize(12); });
    resumeNext([&] { printer.setFontBold(true); });
    for (const sheet::PlacedText& placed : sheet::labelTexts(content, slot.row, slot.column)) {
        resumeNext([&] { printer.setCurrentX(placed.x); });
        resumeNext([&] { printer.setCurrentY(placed.y); });
        resumeNext([&] { printer.print(placed.text); });
    }
}

}  // namespace

void imprime_etiquetas(const FlexGrid& grid, DetailPanel& panel, PrinterService& printer,
                       const QString& printerName, const qint16& first, const qint16& last,
                       const qint16& startRow, const qint16& startColumn) {
    sheet::SlotCursor slot{startRow, startColumn};
    resumeNext([&] { define_impressora(printer, printerName); });
    resumeNext([&] { printer.setScaleMillimetres(); });
    resumeNext([&] { printer.setPaperLetterPortrait(); });
    // An int counter: a range that ends at the largest row number still ends.
    for (int row = first; row <= last; ++row) {
        // A row that cannot be read must not print the labels of the row read before it.
        if (!resumeNext([&] { pega_rec(grid, panel, static_cast<qint16>(row)); })) {
            continue;
        }
        const std::optional<qint16> count = localeInteger16(panel.txtQte.text());
        if (!count) {
            continue;
        }
        const sheet::LabelContent content{panel.txtreduzido.text(), panel.txtdescricao2.text(),
                                          panel.txtnumero.text(), panel.txtpedido.text()};
        for (int label = 0; label < *count; ++label) {
            printLabel(printer, content, slot);
            if (slot.advance()) {
                resumeNext([&] { printer.newPage(); });
            }
        }
    }
    resumeNext([&] { printer.endDoc(); });
}

}  // namespace etq
