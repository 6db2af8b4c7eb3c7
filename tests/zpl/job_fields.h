#pragma once

// What a marketplace job reads, as the window holds it: the item grid, the detail panel, the
// eight settings fields (filled with plain values) and the message boxes.

#include "fakes/scripted_message_box.h"
#include "items/detail_panel.h"
#include "platform/flex_grid.h"
#include "platform/text_field.h"
#include "zpl/marketplace_settings.h"

namespace etq::test {

struct JobFields {
    FlexGrid grid;
    PlainTextField txtreduzido, txtdescricao2, txtnumero, txtQte, txtpedido, lblinha;
    DetailPanel panel{txtreduzido, txtdescricao2, txtnumero, txtQte, txtpedido, lblinha};
    PlainTextField densidade{QStringLiteral("15")};
    PlainTextField velocidade{QStringLiteral("4")};
    PlainTextField margem;
    PlainTextField cod_fornecedor{QStringLiteral("F-77")};
    PlainTextField descricao{QStringLiteral("CAMISA POLO")};
    PlainTextField cod_terceiro{QStringLiteral("T900")};
    PlainTextField cod_barras{QStringLiteral("7891234567890")};
    PlainTextField destino;
    MarketplaceSettings settings{densidade, velocidade,   margem,     cod_fornecedor,
                                 descricao, cod_terceiro, cod_barras, destino};
    ScriptedMessageBox messages;
};

}  // namespace etq::test
