#include "cli/command.h"
#include "cli/commands.h"
#include "platform/text_encoding.h"
#include "platform/text_lines.h"
#include "routines/record_import.h"

#include <QFileInfo>

namespace etq::cli {

void addImportOptions(QCommandLineParser& parser) {
    parser.addPositionalArgument(QStringLiteral("ARQ"),
                                 QStringLiteral("Arquivo de registros de largura fixa."));
    addOptions(parser,
               {{"separador", "Registros separados pelo caractere 0x8D (padrão: um por linha)."},
                {"saida",
                 "Grava os registros mantidos neste arquivo (- na saída padrão, no "
                 "lugar das chaves).",
                 "ARQ"}});
}

void runImport(const QCommandLineParser& parser) {
    const QString input = parser.positionalArguments().constFirst();
    CommandLineMessages messages;
    RecordImport import(messages, Folders::standard());
    const PlainTextField unused;
    QStringList records;
    QStringList lines;
    QStringList keys;
    import.importFile(QFileInfo(input).absoluteFilePath(),
                      {unused, given(parser, "separador") ? 0 : 1, records, lines, keys});
    messages.throwIfShown(shownName(input));
    const QString output = value(parser, "saida");
    if (!output.isEmpty()) {
        writeOutput(output, encodeWindows1252(joinLinesCrLf(records)));
    }
    if (output != QLatin1String("-")) {
        for (const QString& key : keys) {
            say(key);
        }
    }
}

}  // namespace etq::cli
