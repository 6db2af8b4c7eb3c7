#include "routines/quantity_total.h"

#include "items/detail_panel.h"
#include "platform/blanks.h"
#include "routines/fixed_point.h"

#include <QLocale>

namespace etq {

void soma_etiquetas(const FlexGrid& grid, TextField& Label5) {
    const QLocale locale;
    std::int64_t total = 0;
    for (int row = FlexGrid::FixedRows; row < grid.Rows(); ++row) {
        const QStringView quantity = trimBlanks(grid.TextMatrix(row, column::Qte));
        if (quantity.isEmpty()) {
            continue;
        }
        const std::int64_t value = fixed_point::parse(quantity, locale);
        if (value > 0) {
            total = fixed_point::add(total, value);
        }
    }
    Label5.setText(QStringLiteral("Total: ") + fixed_point::format(total, locale));
}

}  // namespace etq
