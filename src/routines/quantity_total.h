#pragma once

#include "platform/flex_grid.h"
#include "platform/text_field.h"

namespace etq {

// Shows in Label5 "Total: " and the sum of the positive quantities of the grid's rows (column
// "Qte"), read and written in the system's number format with up to four decimals; blank
// quantities count as nothing. A quantity that is not a number raises etq::Error and Label5
// keeps its caption.
void soma_etiquetas(const FlexGrid& grid, TextField& Label5);

}  // namespace etq
