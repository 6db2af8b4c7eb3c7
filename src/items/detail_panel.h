#pragma once

#include "items/item_columns.h"
#include "platform/flex_grid.h"
#include "platform/text_field.h"

#include <QtGlobal>

namespace etq {

// The detail panel of the window: five boxes that show one grid row, and the label that shows
// its row number.
struct DetailPanel {
    TextField& txtreduzido;    // column 1, reference
    TextField& txtdescricao2;  // column 2, colour
    TextField& txtnumero;      // column 3, size
    TextField& txtQte;         // column 0, quantity
    TextField& txtpedido;      // column 4, order number
    TextField& lblinha;        // the row number
};

// Copies grid row m_posicao into the detail panel: the way printing and the label jobs read a
// row. A row outside the grid raises etq::Error before anything is copied.
void pega_rec(const FlexGrid& grid, DetailPanel& panel, const qint16& m_posicao);

}  // namespace etq
