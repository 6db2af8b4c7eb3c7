#pragma once

#include "zpl/marketplace_settings.h"

#include <QString>
#include <QtGlobal>

#include <optional>

namespace etq {

// The horizontal offset x of every field: the text written where x stands alone (14, or the
// entered text unchanged) and the number the sums x+6, x-3 ... are formed from.
struct Margin {
    QString text;
    qint64 dots = 0;
};

// The settings texts of one job, read once; the codes, the description and the barcode data
// trimmed of spaces, the others as entered.
struct MarketplaceValues {
    QString densidade;
    QString velocidade;
    Margin x;
    QString cod_fornecedor;
    QString descricao;
    QString cod_terceiro;
    QString cod_barras;
    QString destino;
};

// Reads the settings texts. A text that would corrupt the job or the batch gives no values and
// the message for the operator, naming the field, in `problem`: "^", "~", CR or LF in
// densidade, velocidade, margem or destino (they are written without escapes), a margem that is
// not blank and not a whole number of dots, a control character in cod_barras (a barcode field
// has no escapes for it).
std::optional<MarketplaceValues> readMarketplaceValues(const MarketplaceSettings& settings,
                                                       QString& problem);

}  // namespace etq
