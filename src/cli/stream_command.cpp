#include "cli/command.h"
#include "cli/commands.h"
#include "items/item_columns.h"
#include "items/item_list_writer.h"
#include "jobs/label_stream_file.h"

namespace etq::cli {

namespace {

// Without a window there are no events to let run and no pointer to reset.
struct NoWindow : PendingEvents, MousePointer {
    void process() override {}
    void setDefault() override {}
};

const std::pair<const char*, StreamReader> kModes[] = {
    {"itens", StreamReader::Pega_Itens},
    {"separa1", StreamReader::SEPARA_1},
    {"separa2", StreamReader::SEPARA_2},
};

}  // namespace

void addStreamOptions(QCommandLineParser& parser) {
    parser.addPositionalArgument(
        QStringLiteral("ARQ"), QStringLiteral("Arquivo de etiquetas ZPL; - lê a entrada padrão."));
    parser.addOptions({
        {QStringLiteral("modo"),
         QStringLiteral("itens: uma linha por referência, com a contagem (padrão); separa1, "
                        "separa2: uma linha por etiqueta."),
         QStringLiteral("itens|separa1|separa2")},
        {QStringLiteral("saida"),
         QStringLiteral("Grava a lista de itens neste arquivo (padrão: - , a saída padrão)."),
         QStringLiteral("ARQ")},
        {QStringLiteral("utf8"),
         QStringLiteral("Grava a lista em UTF-8 (padrão: Windows-1252, linhas CR LF).")},
    });
}

void runStream(const QCommandLineParser& parser) {
    const QString mode = parser.isSet(QStringLiteral("modo")) ? parser.value(QStringLiteral("modo"))
                                                              : QStringLiteral("itens");
    const auto* chosen = std::find_if(std::begin(kModes), std::end(kModes), [&](const auto& m) {
        return mode == QLatin1String(m.first);
    });
    if (chosen == std::end(kModes)) {
        throw UsageError{
            QStringLiteral("--modo deve ser itens, separa1 ou separa2: \"%1\".").arg(mode)};
    }
    const QString input = parser.positionalArguments().constFirst();
    const QString stream = labelStreamText(readInput(input));

    FlexGrid grid;
    setUpItemGrid(grid);
    NoWindow window;
    const int rows = readLabelStream(chosen->second, stream, grid, window, window);
    if (rows == 0) {
        throw Failure{shownName(input) +
                      QStringLiteral(": nenhuma etiqueta de item encontrada (modo %1).").arg(mode)};
    }
    QString problem;
    const std::optional<QByteArray> list =
        itemListFile(grid, parser.isSet(QStringLiteral("utf8")), problem);
    if (!list) {
        throw Failure{shownName(input) + QStringLiteral(": ") + problem};
    }
    const QString output = parser.isSet(QStringLiteral("saida"))
                               ? parser.value(QStringLiteral("saida"))
                               : QStringLiteral("-");
    writeOutput(output, *list);
    if (output != QLatin1String("-")) {
        say(QStringLiteral("%1 item(ns) de %2 gravados em %3.")
                .arg(rows)
                .arg(shownName(input), shownName(output)));
    }
}

}  // namespace etq::cli
