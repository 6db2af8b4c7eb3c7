#pragma once

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

// Grid columns of an item row.
namespace column {
constexpr int Qte = 0;
constexpr int Referencia = 1;
constexpr int Cor = 2;
constexpr int Tamanho = 3;
constexpr int Pedido = 4;
constexpr int Exclui = 5;
}  // namespace column

// Copies grid row m_posicao into the detail panel: the way printing and the label jobs read a
// row. A row outside the grid raises etq::Error before anything is copied.
void pega_rec(const FlexGrid& grid, DetailPanel& panel, const qint16& m_posicao);

}  // namespace etq
