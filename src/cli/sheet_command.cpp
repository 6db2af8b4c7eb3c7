#include "cli/command.h"
#include "cli/commands.h"
#include "platform/qt/qt_printer_service.h"
#include "print/printer_calibration.h"
#include "routines/settings_files.h"

#include <QFileInfo>

namespace etq::cli {

namespace {

constexpr int kSlotsPerSheet = 14;

}  // namespace

void addSheetOptions(QCommandLineParser& parser) {
    parser.addOptions({
        {QStringLiteral("lista"),
         QStringLiteral("Lista de itens (padrão: etiquetas.csv na pasta do programa; - lê a "
                        "entrada padrão)."),
         QStringLiteral("ARQ")},
        {QStringLiteral("linhas"),
         QStringLiteral("Linhas da lista a imprimir, N ou N-M (padrão: todas)."),
         QStringLiteral("N[-M]")},
        {QStringLiteral("linha-inicial"),
         QStringLiteral("Linha da folha da primeira etiqueta livre (padrão 1)."),
         QStringLiteral("1-7")},
        {QStringLiteral("coluna-inicial"),
         QStringLiteral("Coluna da folha da primeira etiqueta livre (padrão 1)."),
         QStringLiteral("1-2")},
        {QStringLiteral("impressora"),
         QStringLiteral("Fila de impressão (padrão: a impressora padrão do sistema)."),
         QStringLiteral("FILA")},
        {QStringLiteral("pdf"), QStringLiteral("Grava as folhas num arquivo PDF, sem imprimir."),
         QStringLiteral("ARQ.pdf")},
    });
}

void runSheet(const QCommandLineParser& parser) {
    const QString pdf = parser.value(QStringLiteral("pdf"));
    if (!pdf.isEmpty() && parser.isSet(QStringLiteral("impressora"))) {
        throw UsageError{QStringLiteral("use --impressora ou --pdf, não os dois.")};
    }
    const int startRow = numberOption(parser, QStringLiteral("linha-inicial"), 1, 7, 1);
    const int startColumn = numberOption(parser, QStringLiteral("coluna-inicial"), 1, 2, 1);
    ItemList list;
    loadListOption(list, parser);
    const int labels = labelCount(list);
    if (labels == 0) {
        throw Failure{QStringLiteral("%1: nenhuma etiqueta a imprimir %2 (quantidade 0).")
                          .arg(list.name, rowsPhrase(list))};
    }

    QtPrinterService printer;
    QString printerName;
    QString where;
    if (!pdf.isEmpty()) {
        const QFileInfo file(pdf);
        if (!QFileInfo(file.absolutePath()).isWritable() || (file.exists() && !file.isWritable())) {
            throw Failure{QStringLiteral("não é possível gravar %1.").arg(shownName(pdf))};
        }
        printer.setOutputFileName(file.absoluteFilePath());
        where = QStringLiteral("no arquivo ") + shownName(pdf);
    } else {
        printerName = parser.isSet(QStringLiteral("impressora"))
                          ? parser.value(QStringLiteral("impressora"))
                          : printer.defaultPrinterName();
        const QStringList installed = printer.printerNames();
        if (printerName.isEmpty()) {
            throw Failure{QStringLiteral(
                "não há impressora padrão: escolha uma com --impressora FILA ou grave um PDF "
                "com --pdf ARQ.pdf.")};
        }
        if (!installed.contains(printerName)) {
            throw Failure{QStringLiteral("a impressora \"%1\" não existe (instaladas: %2).")
                              .arg(printerName, installed.isEmpty()
                                                    ? QStringLiteral("nenhuma")
                                                    : installed.join(QStringLiteral(", ")))};
        }
        where = QStringLiteral("na impressora ") + printerName;
    }

    printSheetLabels(settingsFilePath(folders()), list.grid, list.panel, printer, printerName,
                     list.first, list.last, static_cast<qint16>(startRow),
                     static_cast<qint16>(startColumn));
    // The print job goes on past refused steps; a PDF that is not there was not written.
    if (!pdf.isEmpty() && QFileInfo(pdf).size() == 0) {
        throw Failure{QStringLiteral("não foi possível gravar %1.").arg(shownName(pdf))};
    }
    const int usedSlots = (startRow - 1) * 2 + (startColumn - 1) + labels;
    say(QStringLiteral("%1 etiqueta(s) %2 de %3 em %4 folha(s) %5.")
            .arg(labels)
            .arg(rowsPhrase(list), list.name)
            .arg((usedSlots + kSlotsPerSheet - 1) / kSlotsPerSheet)
            .arg(where));
}

}  // namespace etq::cli
