#include "items/grid_editing.h"

#include "items/locale_number.h"

namespace etq {

void showCurrentRow(const FlexGrid& grid, DetailPanel& panel) {
    for (TextField* box : {&panel.txtreduzido, &panel.txtdescricao2, &panel.txtnumero,
                           &panel.txtQte, &panel.txtpedido}) {
        box->setText(QString());
    }
    const qint16 row = static_cast<qint16>(grid.Row());
    if (isNumericText(grid.TextMatrix(row, column::Qte))) {
        pega_rec(grid, panel, row);
    }
}

void deleteCurrentRow(FlexGrid& grid, DetailPanel& panel, MessageBox& messages) {
    const MessageBox::Answer answer =
        messages.show(QStringLiteral("Excluir Este Item"), MessageBox::Buttons::YesNo,
                      MessageBox::Icon::Question);
    if (answer != MessageBox::Answer::Yes) {
        return;
    }
    if (grid.Rows() > FlexGrid::FixedRows + 1) {
        const int row = grid.Row();
        grid.RemoveItem(row);
        if (grid.Rows() > row) {
            grid.setRow(row);
            pega_rec(grid, panel, static_cast<qint16>(row));
        }
        return;
    }
    for (int col = 0; col <= column::Exclui; ++col) {
        grid.setTextMatrix(FlexGrid::FixedRows, col, QString());
    }
}

bool typeQuantity(FlexGrid& grid, int characterCode) {
    const bool digit = characterCode >= '0' && characterCode <= '9';
    if (!digit && characterCode != BackspaceCode) {
        return false;
    }
    const int row = grid.Row();
    if (grid.Col() != column::Qte || grid.TextMatrix(row, column::Referencia).isEmpty()) {
        return false;
    }
    QString quantity = grid.TextMatrix(row, column::Qte);
    if (digit) {
        quantity.append(QChar(characterCode));
    } else {
        quantity.chop(1);
    }
    grid.setTextMatrix(row, column::Qte, quantity);
    return true;
}

}  // namespace etq
