#include "zpl/marketplace_values.h"
#include "platform/blanks.h"

#include "platform/text_encoding.h"
#include "zpl/marketplace_text.h"

#include <utility>

namespace etq {

namespace {

constexpr int kDefaultMargin = 14;

bool breaksCommands(QStringView text) {
    for (const QChar c : text) {
        if (c == QLatin1Char('^') || c == QLatin1Char('~') || c == QLatin1Char('\r') ||
            c == QLatin1Char('\n')) {
            return true;
        }
    }
    return false;
}

bool holdsControl(QStringView text) {
    for (const QChar c : text) {
        if (c.unicode() < 0x20) {
            return true;
        }
    }
    return false;
}

QString commandCharacterProblem(const QString& field) {
    return QStringLiteral(
               "O campo %1 contém ^, ~ ou uma quebra de linha, que a impressora "
               "tomaria por comandos.")
        .arg(field);
}

}  // namespace

QString unprintableProblem(const QString& where, const QString& character) {
    return QStringLiteral(
               "%1 contém o caractere %2, que a impressora térmica não imprime "
               "(fora da página de código Windows-1252).")
        .arg(where, character);
}

std::optional<MarketplaceValues> readMarketplaceValues(const MarketplaceSettings& settings,
                                                       QString& problem) {
    MarketplaceValues values{settings.densidade.text(),
                             settings.velocidade.text(),
                             {settings.margem.text(), 0},
                             trimBlanks(settings.cod_fornecedor.text()).toString(),
                             trimBlanks(settings.descricao.text()).toString(),
                             trimBlanks(settings.cod_terceiro.text()).toString(),
                             trimBlanks(settings.cod_barras.text()).toString(),
                             settings.destino.text()};
    const std::pair<const QString*, QString> named[] = {
        {&values.densidade, QStringLiteral("Densidade")},
        {&values.velocidade, QStringLiteral("Velocidade")},
        {&values.x.text, QStringLiteral("Margem")},
        {&values.cod_fornecedor, QStringLiteral("Código do fornecedor")},
        {&values.descricao, QStringLiteral("Descrição")},
        {&values.cod_terceiro, QStringLiteral("Código de terceiro")},
        {&values.cod_barras, QStringLiteral("Código de barras")},
        {&values.destino, QStringLiteral("Destino")},
    };
    for (const auto& [text, field] : named) {
        if (const QString character = outsideWindows1252(*text); !character.isEmpty()) {
            problem = unprintableProblem(QStringLiteral("O campo ") + field, character);
            return std::nullopt;
        }
    }
    const std::pair<const QString*, QString> unescaped[] = {
        {&values.densidade, QStringLiteral("Densidade")},
        {&values.velocidade, QStringLiteral("Velocidade")},
        {&values.x.text, QStringLiteral("Margem")},
        {&values.destino, QStringLiteral("Destino")},
    };
    for (const auto& [text, field] : unescaped) {
        if (breaksCommands(*text)) {
            problem = commandCharacterProblem(field);
            return std::nullopt;
        }
    }

    const QString margin = trimBlanks(values.x.text).toString();
    if (margin.isEmpty()) {
        values.x = {QString::number(kDefaultMargin), kDefaultMargin};
    } else {
        bool fits = false;
        values.x.dots = isDecimalDigits(margin) ? margin.toInt(&fits) : 0;
        if (!fits) {
            problem = QStringLiteral(
                          "O campo Margem deve ser um número inteiro de pontos "
                          "(vazio vale 14): \"%1\".")
                          .arg(values.x.text);
            return std::nullopt;
        }
    }

    if (holdsControl(values.cod_barras)) {
        problem = QStringLiteral(
            "O campo Código de barras contém um caractere de controle "
            "(tabulação ou quebra de linha), que o código de barras não "
            "admite.");
        return std::nullopt;
    }
    return values;
}

}  // namespace etq
