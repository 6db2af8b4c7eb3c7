#include "items/item_columns.h"

namespace etq {

namespace {

struct ItemColumn {
    const char16_t* header;
    int widthTwips;
};
constexpr ItemColumn kColumns[] = {
    {u"Qte", 600},     {u"Referência", 1300}, {u"Cor", 3000},
    {u"Tamanho", 800}, {u"Pedido", 1500},     {u"Exclui", 0},
};
constexpr int kCount = static_cast<int>(std::size(kColumns));

}  // namespace

void setUpItemGrid(FlexGrid& grid) {
    grid.setCols(kCount);
    for (int col = 0; col < kCount; ++col) {
        grid.setTextMatrix(0, col, QString::fromUtf16(kColumns[col].header));
        grid.setColWidth(col, kColumns[col].widthTwips);
    }
}

bool isEmptyRow(const FlexGrid& grid, int row) {
    for (int col = 0; col < grid.Cols(); ++col) {
        if (!grid.TextMatrix(row, col).isEmpty()) {
            return false;
        }
    }
    return true;
}

}  // namespace etq
