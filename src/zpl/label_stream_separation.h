#pragma once

#include "platform/flex_grid.h"
#include "platform/pending_events.h"
#include "platform/text_field.h"

namespace etq {

// The three input fields the separating readers work on: the stream, which they consume, the
// label cut last and what followed it.
struct LabelStreamFields {
    TextField& texto_zpl;
    TextField& etiqueta_atual;
    TextField& texto_resto;
};

// Cut the stream of `texto_zpl` into labels ("^XA" ... "^XZ") and append one grid row per
// label longer than 20 characters with its seven values: the print quantity (column 0), the
// Code 128 data (1) and five text fields (2 to 6). The grid is widened to seven columns, the
// added ones hidden. The run ends when what is left of the stream, blanks aside, is 10
// characters or fewer, or holds no further complete label; that tail stays in `texto_zpl`.
// A value whose terminator is missing runs to the end of its label.
//
// SEPARA_1 finds the first "^XA" and the first "^XZ" exactly as written; SEPARA_2 finds them in
// any letter case, cuts from the last "^XA" before the first "^XZ", and leaves a stream that is
// already short untouched.
//
// The fields are written once, when the run ends (also when a grid failure ends it; the error
// then passes on, with the rows written so far kept).
void SEPARA_1(LabelStreamFields& fields, FlexGrid& grid, PendingEvents& events);
void SEPARA_2(LabelStreamFields& fields, FlexGrid& grid, PendingEvents& events);

}  // namespace etq
