// The ZPL stream readers over arbitrary stream text: the fast readers must leave the grid and
// the three fields exactly as the plain step-by-step versions kept with the tests do, and the
// accent folding must keep the length and leave no folded letter behind.
#include "zpl/accent_folding.h"
#include "zpl/item_stream_reader.h"
#include "zpl/label_stream_separation.h"

#include "fakes/counting_mouse_pointer.h"
#include "fakes/counting_pending_events.h"
#include "platform/text_encoding.h"
#include "zpl/literal_stream_readers.h"

#include "fuzz_support.h"

#include <cstdint>
#include <cstdlib>

using etq::fuzz::require;

namespace {

bool sameCells(const etq::FlexGrid& a, const etq::FlexGrid& b) {
    if (a.Rows() != b.Rows()) {
        return false;
    }
    const int cols = std::max(a.Cols(), b.Cols());
    for (int row = 0; row < a.Rows(); ++row) {
        for (int col = 0; col < cols; ++col) {
            const QString left = col < a.Cols() ? a.TextMatrix(row, col) : QString();
            const QString right = col < b.Cols() ? b.TextMatrix(row, col) : QString();
            if (left != right) {
                return false;
            }
        }
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) {
        return 0;
    }
    const int operation = data[0] % 3;
    const QString stream = etq::decodeWindows1252(
        QByteArrayView(reinterpret_cast<const char*>(data) + 1, static_cast<qsizetype>(size - 1)));

    const QString folded = etq::tira_acento(stream);
    require(folded.size() == stream.size(), "folding keeps the length");
    require(etq::tira_acento(folded) == folded, "folding twice changes nothing more");
    for (const QChar c : QStringLiteral("ÁÀÃÂÄáàãâäÉÈÊËéèêëÍÌÎÏíìîïÓÒÕÔÖóòõôöÚÙÛÜúùûüÇç'")) {
        require(!folded.contains(c), "no folded letter is left");
    }

    etq::FlexGrid fast;
    etq::FlexGrid plain;
    for (etq::FlexGrid* grid : {&fast, &plain}) {
        grid->setCols(6);
        grid->setTextMatrix(1, 0, QStringLiteral("2"));  // an item already in the grid
        grid->setTextMatrix(1, 1, QStringLiteral("A1020"));
        grid->setRows(3);
    }
    etq::PlainTextField zpl(stream), etiqueta, resto;
    etq::PlainTextField zplL(stream), etiquetaL, restoL;
    etq::test::CountingPendingEvents events;
    if (operation == 2) {
        etq::test::CountingMousePointer pointer;
        etq::Pega_Itens(zpl, fast, events, pointer);
        etq::literal::Pega_Itens(zplL, plain);
        require(pointer.defaults == 1, "the pointer is reset once");
    } else {
        etq::LabelStreamFields fields{zpl, etiqueta, resto};
        (operation == 0 ? etq::SEPARA_1 : etq::SEPARA_2)(fields, fast, events);
        (operation == 0 ? etq::literal::SEPARA_1 : etq::literal::SEPARA_2)(zplL, etiquetaL, restoL,
                                                                           plain);
    }
    require(events.count >= 1, "pending events run at least once");
    require(sameCells(fast, plain), "the same rows as the plain reader");
    require(zpl.text() == zplL.text() && etiqueta.text() == etiquetaL.text() &&
                resto.text() == restoL.text(),
            "the same field texts as the plain reader");
    for (int col = 0; col < fast.Cols(); ++col) {
        require(fast.TextMatrix(fast.Rows() - 1, col).isEmpty(),
                "the grid ends with its empty row");
    }
    return 0;
}
