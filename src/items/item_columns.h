#pragma once

#include "platform/flex_grid.h"

namespace etq {

// Grid columns of an item row.
namespace column {
constexpr int Qte = 0;
constexpr int Referencia = 1;
constexpr int Cor = 2;
constexpr int Tamanho = 3;
constexpr int Pedido = 4;
constexpr int Exclui = 5;
}  // namespace column

// Gives the grid the six item columns as the window shows them: headers "Qte", "Referência",
// "Cor", "Tamanho", "Pedido", "Exclui" and their widths in twips (600, 1300, 3000, 800, 1500
// and 0, which hides "Exclui").
void setUpItemGrid(FlexGrid& grid);

// True when no cell of the row holds text: the grid's empty last row.
bool isEmptyRow(const FlexGrid& grid, int row);

}  // namespace etq
