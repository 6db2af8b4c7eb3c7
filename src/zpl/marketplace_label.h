#pragma once

#include "zpl/marketplace_layout.h"
#include "zpl/marketplace_values.h"

#include <QString>
#include <QStringList>

namespace etq {

// The texts of one grid row as the detail panel shows them.
struct MarketplaceRow {
    QString quantidade;  // txtQte
    QString referencia;  // txtreduzido
    QString cor;         // txtdescricao2
    QString tamanho;     // txtnumero
};

// The 22 lines of one label format, "^XA" to "^XZ", without line ends; the second selects code
// page 1252. Row texts are trimmed of
// spaces; every text a "^FH\" field carries is escaped, the barcode data too. A quantity that is
// not made of digits raises etq::Error: "^PQ" has no escapes, so nothing else may reach it.
QStringList marketplaceLabel(const MarketplaceLayout& layout, const MarketplaceValues& values,
                             const MarketplaceRow& row);

}  // namespace etq
