#pragma once

#include "platform/flex_grid.h"
#include "platform/mouse_pointer.h"
#include "platform/pending_events.h"

#include <QByteArrayView>
#include <QString>

namespace etq {

// The readers of ZPL label streams: one row per distinct reference with its count (Pega_Itens),
// or one row per label (SEPARA_1; SEPARA_2 also finds the label markers in lower case).
enum class StreamReader { Itens, Separa1, Separa2 };

// Reads `stream` into the grid with `reader`, letting pending events run as the reader goes.
// However the reader ends, the mouse pointer is the default one afterwards; a grid failure
// passes on, with the rows written so far kept.
void readLabelStream(StreamReader reader, const QString& stream, FlexGrid& grid,
                     PendingEvents& events, MousePointer& pointer);

// The text of a label stream file: UTF-8 when the bytes are (and need it), else Windows-1252.
QString decodeLabelStream(QByteArrayView bytes);

}  // namespace etq
