#pragma once

#include "items/detail_panel.h"
#include "platform/flex_grid.h"
#include "platform/printer_service.h"

#include <QString>
#include <QtGlobal>

namespace etq {

// The rows a print covers: from the smaller to the larger of the grid's current row and the
// far end of its selection.
struct PrintRange {
    qint16 first;
    qint16 last;
};
PrintRange selectedRows(const FlexGrid& grid);

// Prints the labels of grid rows first..last on the printer named `printerName`, starting at
// sheet slot (startRow, startColumn). Every row is read through pega_rec into the panel and
// yields as many labels as its quantity; a quantity that is not a 16-bit whole number yields
// none. Every step that the printer refuses is skipped and the job goes on; nothing is shown.
void imprime_etiquetas(const FlexGrid& grid, DetailPanel& panel, PrinterService& printer,
                       const QString& printerName, const qint16& first, const qint16& last,
                       const qint16& startRow, const qint16& startColumn);

}  // namespace etq
