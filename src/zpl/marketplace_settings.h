#pragma once

#include "platform/text_field.h"

namespace etq {

// The eight settings texts of the marketplace label job, each read as the current text of an
// input field when a job starts.
struct MarketplaceSettings {
    TextField& densidade;       // print darkness, after "~SD"
    TextField& velocidade;      // print and slew rate of "^PR"
    TextField& margem;          // horizontal offset in dots; blank means 14
    TextField& cod_fornecedor;  // supplier item code
    TextField& descricao;       // description
    TextField& cod_terceiro;    // external item code
    TextField& cod_barras;      // data of the Code 128 barcode
    TextField& destino;         // where the print batch copies the job
};

}  // namespace etq
