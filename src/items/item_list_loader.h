#pragma once

#include "platform/flex_grid.h"
#include "platform/message_box.h"

#include <QByteArrayView>
#include <QString>

namespace etq {

// The highest row number the program's 16-bit row numbers can address.
constexpr int MaxRowNumber = 32767;

// Appends the items of etiquetas.csv in the application folder to the grid, one row per line
// after the header: quantity, reference, colour, size, order number and "N" in columns 0 to 5,
// each written into the grid's last row, after which one empty row is added. Reading stops at
// a line whose first field is empty or blanks only. Reports by message box a missing, empty
// or unreadable file, and the lines left out when the grid runs out of row numbers.
void Carrega_etiquetas(FlexGrid& grid, MessageBox& messages, const QString& applicationFolder);

// The same for the item list file at `path`, whatever its name.
void loadItemList(FlexGrid& grid, MessageBox& messages, const QString& path);
// The same for the bytes of an item list read elsewhere (standard input); `name` names it in
// messages.
void loadItemListBytes(FlexGrid& grid, MessageBox& messages, QByteArrayView bytes,
                       const QString& name);

}  // namespace etq
