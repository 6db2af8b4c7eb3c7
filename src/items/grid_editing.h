#pragma once

#include "items/detail_panel.h"
#include "platform/flex_grid.h"
#include "platform/message_box.h"

namespace etq {

// What the item grid does with the operator's mouse and keys, on the model alone so that the
// window only forwards its events here.

// Shows the current row in the detail panel: the five boxes are emptied, then filled by
// pega_rec when the row's quantity is a number. The row label keeps its number otherwise.
void showCurrentRow(const FlexGrid& grid, DetailPanel& panel);

// Removes the current row after the question "Excluir Este Item" and shows the row that moves
// into its place. The grid keeps at least one data row: a single data row is emptied instead.
void deleteCurrentRow(FlexGrid& grid, DetailPanel& panel, MessageBox& messages);

// The character code of Backspace as the grid receives it.
constexpr int BackspaceCode = 8;

// Edits the quantity of the current row with one typed character: a digit is appended,
// Backspace removes the last character. Only column 0 of a row with a reference takes it;
// every other character and cell is left alone. Returns whether the cell changed.
bool typeQuantity(FlexGrid& grid, int characterCode);

}  // namespace etq
