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

}  // namespace

void addStreamOptions(QCommandLineParser& parser) {
    parser.addPositionalArgument(
        QStringLiteral("ARQ"), QStringLiteral("Arquivo de etiquetas ZPL; - lê a entrada padrão."));
    addOptions(parser, {{"modo",
                         "itens: uma linha por referência, com a contagem (padrão); separa1, "
                         "separa2: uma linha por etiqueta.",
                         "itens|separa1|separa2"},
                        {"saida",
                         "Grava a lista de itens neste arquivo (padrão: - , a saída "
                         "padrão).",
                         "ARQ"},
                        {"utf8", "Grava a lista em UTF-8 (padrão: Windows-1252, linhas CR LF)."}});
}

void runStream(const QCommandLineParser& parser) {
    const int mode = choice(parser, "modo", {"itens", "separa1", "separa2"});
    const QString input = parser.positionalArguments().constFirst();
    const QString stream = labelStreamText(readInput(input));
    FlexGrid grid;
    setUpItemGrid(grid);
    NoWindow window;
    const int rows = readLabelStream(static_cast<StreamReader>(mode), stream, grid, window, window);
    if (rows == 0) {
        throw Failure{shownName(input) +
                      QStringLiteral(": nenhuma etiqueta de item encontrada (modo %1).")
                          .arg(value(parser, "modo", QStringLiteral("itens")))};
    }
    QString problem;
    const std::optional<QByteArray> list = itemListFile(grid, given(parser, "utf8"), problem);
    if (!list) {
        throw Failure{shownName(input) + QStringLiteral(": ") + problem};
    }
    const QString output = value(parser, "saida", QStringLiteral("-"));
    writeOutput(output, *list);
    if (output != QLatin1String("-")) {
        say(QStringLiteral("%1 item(ns) de %2 gravados em %3.")
                .arg(rows)
                .arg(shownName(input), shownName(output)));
    }
}

}  // namespace etq::cli
