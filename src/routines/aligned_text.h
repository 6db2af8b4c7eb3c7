#pragma once

#include "platform/pending_events.h"
#include "platform/printer_service.h"

#include <QString>

#include <cstdint>

namespace etq {

// Prints `texto` on the current printer at height `linha` in the font given. `Posicao` places it
// against `coluna`: 0 starts it there, 1 centres it there, any other value ends it there; the
// width that centres or ends it is that of the text without leading and trailing blanks, while
// the text is printed as given. Lets the window process pending events first; starts and ends
// no page. The arguments are copies: a handler that runs while events are processed cannot
// change or free them under the routine.
void imp_2linha(PrinterService& printer, PendingEvents& events, float linha, float coluna,
                QString texto, std::int16_t Posicao, QString FONTE, float Tamanho, bool Negrito,
                bool italico, bool Sublinhado);

}  // namespace etq
