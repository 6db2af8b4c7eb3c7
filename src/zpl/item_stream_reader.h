#pragma once

#include "platform/flex_grid.h"
#include "platform/mouse_pointer.h"
#include "platform/pending_events.h"
#include "platform/text_field.h"

namespace etq {

// Builds the item grid from the stream of item labels in `texto_zpl` (the field is only read):
// one row per distinct reference with the number of labels to print for it, counted on in rows
// already in the grid, then six detail values (columns 2 to 7) from the first label of each
// row's reference. The grid is widened to eight columns, the added ones hidden. Ends by setting
// the default mouse pointer. A grid failure passes on, with the cells written so far kept.
void Pega_Itens(TextField& texto_zpl, FlexGrid& grid, PendingEvents& events, MousePointer& pointer);

}  // namespace etq
