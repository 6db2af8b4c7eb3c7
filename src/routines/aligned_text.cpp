#include "routines/aligned_text.h"

#include "platform/blanks.h"

namespace etq {

void imp_2linha(PrinterService& printer, PendingEvents& events, float linha, float coluna,
                QString texto, std::int16_t Posicao, QString FONTE, float Tamanho, bool Negrito,
                bool italico, bool Sublinhado) {
    events.process();
    printer.setFontName(FONTE);
    printer.setFontSize(Tamanho);
    printer.setFontBold(Negrito);
    printer.setFontItalic(italico);
    printer.setFontUnderline(Sublinhado);
    printer.setCurrentY(linha);
    float x = coluna;
    if (Posicao != 0) {
        const float width = printer.textWidth(trimBlanks(texto).toString());
        x = Posicao == 1 ? coluna - width / 2 : coluna - width;
    }
    printer.setCurrentX(x);
    printer.print(texto);
}

}  // namespace etq
