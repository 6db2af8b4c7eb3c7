#include "cli/command.h"
#include "cli/commands.h"
#include "platform/qt/qt_printer_service.h"
#include "print/printer_calibration.h"
#include "routines/settings_files.h"

#include <QFileInfo>

namespace etq::cli {

void addSheetOptions(QCommandLineParser& parser) {
    addListOptions(parser);
    addOptions(
        parser,
        {{"linha-inicial", "Linha da folha da primeira etiqueta livre (padrão 1).", "1-7"},
         {"coluna-inicial", "Coluna da folha da primeira etiqueta livre (padrão 1).", "1-2"},
         {"impressora", "Fila de impressão (padrão: a impressora padrão do sistema).", "FILA"},
         {"pdf", "Grava as folhas num arquivo PDF, sem imprimir.", "ARQ.pdf"}});
}

void runSheet(const QCommandLineParser& parser) {
    const QString pdf = value(parser, "pdf");
    if (!pdf.isEmpty() && given(parser, "impressora")) {
        throw UsageError{QStringLiteral("use --impressora ou --pdf, não os dois.")};
    }
    const int startRow = number(parser, "linha-inicial", 1, 7, 1);
    const int startColumn = number(parser, "coluna-inicial", 1, 2, 1);
    ItemList list;
    loadListOption(list, parser);
    const int labels = labelCount(list);
    if (labels == 0) {
        throw Failure{QStringLiteral("%1: nenhuma etiqueta a imprimir %2 (quantidade 0).")
                          .arg(list.name, rowsPhrase(list))};
    }

    QtPrinterService printer;
    QString printerName;
    if (!pdf.isEmpty()) {
        const QFileInfo file(pdf);
        if (!QFileInfo(file.absolutePath()).isWritable() || (file.exists() && !file.isWritable())) {
            throw Failure{QStringLiteral("não é possível gravar %1.").arg(shownName(pdf))};
        }
        printer.setOutputFileName(file.absoluteFilePath());
    } else {
        printerName = value(parser, "impressora", printer.defaultPrinterName());
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
    }

    printSheetLabels(settingsFilePath(Folders::standard()), list.grid, list.panel, printer,
                     printerName, list.first, list.last, static_cast<qint16>(startRow),
                     static_cast<qint16>(startColumn));
    // The print job goes on past refused steps; a PDF that is not there was not written.
    if (!pdf.isEmpty() && QFileInfo(pdf).size() == 0) {
        throw Failure{QStringLiteral("não foi possível gravar %1.").arg(shownName(pdf))};
    }
    const int usedSlots = (startRow - 1) * 2 + (startColumn - 1) + labels;
    say(QStringLiteral("%1 etiqueta(s) %2 de %3 em %4 folha(s) %5.")
            .arg(labels)
            .arg(rowsPhrase(list), list.name)
            .arg((usedSlots + 13) / 14)
            .arg(pdf.isEmpty() ? QStringLiteral("na impressora ") + printerName
                               : QStringLiteral("no arquivo ") + shownName(pdf)));
}

}  // namespace etq::cli
