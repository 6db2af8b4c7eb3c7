#include "items/item_list_writer.h"

#include "items/item_columns.h"
#include "platform/blanks.h"
#include "platform/text_encoding.h"

#include <array>

namespace etq {

namespace {

struct WrittenColumn {
    int column;
    const char16_t* name;
};
// The fields of a line in the order the loader reads them.
constexpr std::array<WrittenColumn, 5> kFields = {{
    {column::Referencia, u"Referência"},
    {column::Cor, u"Cor"},
    {column::Tamanho, u"Tamanho"},
    {column::Qte, u"Qte"},
    {column::Pedido, u"Pedido"},
}};

// No field that a line of the file carries holds text.
bool carriesNoField(const FlexGrid& grid, int row) {
    for (const WrittenColumn& field : kFields) {
        if (!grid.TextMatrix(row, field.column).isEmpty()) {
            return false;
        }
    }
    return true;
}

// Why the cell cannot stand in a line of the file; empty when it can.
QString cellProblem(const QString& text, bool utf8) {
    if (text.contains(QLatin1Char(','))) {
        return QStringLiteral("contém uma vírgula, que separa os campos do arquivo");
    }
    if (text.contains(QLatin1Char('\r')) || text.contains(QLatin1Char('\n'))) {
        return QStringLiteral("contém uma quebra de linha");
    }
    if (!utf8) {
        if (const QString character = outsideWindows1252(text); !character.isEmpty()) {
            return QStringLiteral(
                       "contém o caractere %1, que o código de página Windows-1252 "
                       "não tem (grave em UTF-8)")
                .arg(character);
        }
    }
    return {};
}

}  // namespace

std::optional<QByteArray> itemListFile(const FlexGrid& grid, bool utf8, QString& problem) {
    int last = grid.Rows() - 1;
    while (last >= FlexGrid::FixedRows && carriesNoField(grid, last)) {
        --last;
    }
    QString text = QStringLiteral("Referencia,Cor,Tamanho,Qte,Pedido\r\n");
    for (int row = FlexGrid::FixedRows; row <= last; ++row) {
        if (trimBlanks(grid.TextMatrix(row, column::Referencia)).isEmpty()) {
            problem = QStringLiteral(
                          "A linha %1 não tem referência: a leitura da lista pararia "
                          "nela.")
                          .arg(row);
            return std::nullopt;
        }
        for (const WrittenColumn& field : kFields) {
            const QString cell = grid.TextMatrix(row, field.column);
            if (const QString cause = cellProblem(cell, utf8); !cause.isEmpty()) {
                problem = QStringLiteral("A linha %1, coluna %2, %3.")
                              .arg(row)
                              .arg(QString::fromUtf16(field.name), cause);
                return std::nullopt;
            }
            text += cell;
            text += field.column == column::Pedido ? QStringLiteral("\r\n") : QStringLiteral(",");
        }
    }
    return utf8 ? text.toUtf8() : encodeWindows1252(text);
}

}  // namespace etq
