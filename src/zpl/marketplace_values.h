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
// the message for the operator, naming the field, in `problem`: a character without a byte in
// the job's code page (Windows-1252), "^", "~", CR or LF in
// densidade, velocidade, margem or destino (they are written without escapes), a margem that is
// not blank and not a whole number of dots, a control character in cod_barras (a barcode field
// has no escapes for it).
// The message for a text of `where` ("O campo Descrição", "A linha 3 da grade") holding a
// character, as outsideWindows1252 describes it, that the job's code page cannot carry.
QString unprintableProblem(const QString& where, const QString& character);

std::optional<MarketplaceValues> readMarketplaceValues(const MarketplaceSettings& settings,
                                                       QString& problem);

}  // namespace etq
