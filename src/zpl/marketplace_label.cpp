#include "zpl/marketplace_label.h"
#include "platform/blanks.h"

#include "platform/error.h"
#include "zpl/marketplace_text.h"
#include "zpl/zpl_escape.h"

namespace etq {

namespace {

// "^FT" with x plus an offset: the sum as a number.
QString at(const Margin& x, int offset, int y) {
    return QStringLiteral("^FT%1,%2").arg(x.dots + offset).arg(y);
}

// "^FT" with x alone: the text as entered (or 14).
QString atX(const Margin& x, int y) {
    return QStringLiteral("^FT%1,%2").arg(x.text).arg(y);
}

QString font(int height, int width) {
    return QStringLiteral("^A0N,%1,%2^FH\\^FD").arg(height).arg(width);
}

QString field(const QString& position, const QString& data) {
    return position + font(23, 24) + zplHexEscaped(data) + QLatin1String("^FS");
}

}  // namespace

QStringList marketplaceLabel(const MarketplaceLayout& layout, const MarketplaceValues& values,
                             const MarketplaceRow& row) {
    const QString quantidade = trimBlanks(row.quantidade).toString();
    if (!isDecimalDigits(quantidade)) {
        throw Error(Error::TypeMismatch, QStringLiteral("imprime_wms"),
                    QStringLiteral("Quantidade inválida: \"%1\"").arg(quantidade));
    }
    const Margin& x = values.x;
    const QString corLine = field(at(x, 418, layout.yBottom), trimBlanks(row.cor).toString());
    const QString fornecedorLine = field(at(x, 266, layout.yFornecedor), values.cod_fornecedor);
    return {
        QStringLiteral("^XA"),
        // Code page 1252, so that the printer reads every byte of the job as the character it
        // stands for; a printer at its factory setting would print é as Ú and \5C as ¢.
        QStringLiteral("^CI27"),
        QStringLiteral("^LH45,0"),
        QStringLiteral("^PR%1,%1").arg(values.velocidade),
        QStringLiteral("^PQ%1,,1,Y").arg(quantidade),
        atX(x, 45) + font(23, 24) + QLatin1String("EAN^FS"),
        atX(x, 75) + font(18, 16) + QLatin1String("ID. ITEM^FS"),
        field(at(x, 6, layout.yFornecedor), QStringLiteral("Codigo Item Fornecedor:")),
        field(at(x, 6, layout.yDescricao), QStringLiteral("Descricao:")),
        field(at(x, 6, layout.yTerceiro), QStringLiteral("Codigo Terceiro:")),
        field(at(x, 166, layout.yBottom), QStringLiteral("Tamanho:")),
        field(at(x, 376, layout.yBottom), QStringLiteral("Cor:")),
        field(at(x, 6, layout.yBottom), QStringLiteral("MORVAL/WMS")),
        QStringLiteral("^FO%1,%2^GB%3,145,2^FS")
            .arg(x.dots - 3)
            .arg(layout.boxY)
            .arg(layout.boxWidth),
        atX(x, 113) + font(28, 28) + zplHexEscaped(trimBlanks(row.referencia).toString()) +
            QLatin1String("^FS"),
        field(at(x, 171, layout.yTerceiro), values.cod_terceiro),
        layout.fornecedorBeforeCor ? fornecedorLine : corLine,
        layout.fornecedorBeforeCor ? corLine : fornecedorLine,
        field(at(x, 268, layout.yBottom), trimBlanks(row.tamanho).toString()),
        field(at(x, 110, layout.yDescricao), values.descricao),
        QStringLiteral("^BY2,3,100") + at(x, 185, 131) + QLatin1String("^BCN,,Y,N^FD>:") +
            code128Escaped(values.cod_barras) + QLatin1String("^FS"),
        QStringLiteral("^XZ"),
    };
}

}  // namespace etq
