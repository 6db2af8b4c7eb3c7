#include "items/detail_panel.h"

namespace etq {

void pega_rec(const FlexGrid& grid, DetailPanel& panel, const qint16& m_posicao) {
    panel.txtreduzido.setText(grid.TextMatrix(m_posicao, column::Referencia));
    panel.txtdescricao2.setText(grid.TextMatrix(m_posicao, column::Cor));
    panel.txtnumero.setText(grid.TextMatrix(m_posicao, column::Tamanho));
    panel.txtQte.setText(grid.TextMatrix(m_posicao, column::Qte));
    panel.txtpedido.setText(grid.TextMatrix(m_posicao, column::Pedido));
    panel.lblinha.setText(QString::number(m_posicao));
}

}  // namespace etq
