#pragma once

#include "platform/flex_grid.h"
#include "platform/mouse_pointer.h"
#include "platform/pending_events.h"

#include <QByteArrayView>
#include <QString>

namespace etq {

// The readers that turn a stream of ZPL labels into item rows.
enum class StreamReader {
    Pega_Itens,  // one row per distinct reference, with its count and details
    SEPARA_1,    // one row per label, markers found as written
    SEPARA_2,    // one row per label, markers found in any letter case
};

// The text of a label stream file: UTF-8 when its bytes are (a byte-order mark is dropped),
// Windows-1252 otherwise, as the printers' own code page for such files is.
QString labelStreamText(QByteArrayView bytes);

// Runs the chosen reader over the stream, appending its rows to the grid and letting pending
// events run as the reader goes; returns the number of rows it added. However the reader ends,
// the mouse pointer is the default one afterwards; a grid failure passes on, with the rows
// written so far kept.
int readLabelStream(StreamReader reader, const QString& stream, FlexGrid& grid,
                    PendingEvents& events, MousePointer& pointer);

}  // namespace etq
