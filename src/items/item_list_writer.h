#pragma once

#include "platform/flex_grid.h"

#include <QByteArray>
#include <QString>

#include <optional>

namespace etq {

// The item rows of a grid as an item list file that the loader reads back into the same rows:
// the header line "Referencia,Cor,Tamanho,Qte,Pedido", then one line per data row with the
// reference, colour, size, quantity and order number (columns 1, 2, 3, 0 and 4), every line
// ending in CR LF; Windows-1252, or UTF-8 when asked. Empty rows at the end of the grid are left
// out. A row the loader could not read back as written gives no file, and `problem` names the
// row and the cause: a blank reference (reading would stop there), a comma or a line break in a
// cell, or, in Windows-1252, a character without a byte in that code page.
std::optional<QByteArray> itemListFile(const FlexGrid& grid, bool utf8, QString& problem);

}  // namespace etq
