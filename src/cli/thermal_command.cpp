#include "cli/command.h"
#include "cli/commands.h"
#include "jobs/thermal_job.h"
#include "jobs/thermal_settings.h"
#include "platform/batch_line.h"
#include "platform/batch_runner.h"
#include "platform/text_encoding.h"
#include "routines/settings_files.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace etq::cli {

namespace {

// The command line spells the settings keys with hyphens: cod_barras is --cod-barras.
QString optionOf(const QString& key) {
    return QString(key).replace(QLatin1Char('_'), QLatin1Char('-'));
}

// Where the print batch of the application folder sends the job, as its line says.
QString batchDestination(const QString& folder) {
    QFile batch(fileInFolder(folder, QStringLiteral("printmorv.bat")));
    if (!batch.open(QIODevice::ReadOnly)) {
        return {};
    }
    const std::optional<BatchCopy> copy = parseBatchCopy(decodeWindows1252(batch.readAll()));
    return copy ? copy->destination : QString();
}

}  // namespace

void addThermalOptions(QCommandLineParser& parser) {
    parser.addOptions({
        {QStringLiteral("layout"), QStringLiteral("Layout a ou b da etiqueta (padrão a)."),
         QStringLiteral("a|b")},
        {QStringLiteral("lista"),
         QStringLiteral("Lista de itens (padrão: etiquetas.csv na pasta do programa; - lê a "
                        "entrada padrão)."),
         QStringLiteral("ARQ")},
        {QStringLiteral("linhas"),
         QStringLiteral("Linhas da lista, uma etiqueta por linha, N ou N-M (padrão: todas)."),
         QStringLiteral("N[-M]")},
        {QStringLiteral("config"),
         QStringLiteral("Arquivo de configuração com a seção [%1] (padrão: vorenta.ini na "
                        "pasta do programa).")
             .arg(ThermalSettings::Section),
         QStringLiteral("ARQ")},
    });
    for (const QString& key : ThermalSettings::Keys) {
        parser.addOption({optionOf(key),
                          QStringLiteral("Substitui a chave %1 da configuração.").arg(key),
                          QStringLiteral("T")});
    }
    parser.addOption({QStringLiteral("saida"),
                      QStringLiteral("Grava o trabalho ZPL neste arquivo (- na saída padrão), "
                                     "sem tocar a pasta do programa nem imprimir."),
                      QStringLiteral("ARQ")});
}

void runThermal(const QCommandLineParser& parser) {
    const QString layoutName = parser.value(QStringLiteral("layout")).toLower();
    if (!layoutName.isEmpty() && layoutName != QLatin1String("a") &&
        layoutName != QLatin1String("b")) {
        throw UsageError{QStringLiteral("--layout deve ser a ou b: \"%1\".")
                             .arg(parser.value(QStringLiteral("layout")))};
    }
    const ThermalLayout layout =
        layoutName == QLatin1String("b") ? ThermalLayout::B : ThermalLayout::A;
    const Folders places = folders();
    const QString config = parser.isSet(QStringLiteral("config"))
                               ? parser.value(QStringLiteral("config"))
                               : settingsFilePath(places);
    if (parser.isSet(QStringLiteral("config")) && !isOrdinaryFile(config)) {
        throw Failure{shownName(config) + QStringLiteral(": O arquivo não existe!")};
    }
    ThermalSettings settings;
    settings.load(config);
    for (const QString& key : ThermalSettings::Keys) {
        if (parser.isSet(optionOf(key))) {
            settings.field(key)->setText(parser.value(optionOf(key)));
        }
    }
    ItemList list;
    loadListOption(list, parser);
    const QString done = QStringLiteral("%1 etiqueta(s) térmica(s), layout %2, %3")
                             .arg(labelCount(list))
                             .arg(layout == ThermalLayout::A ? QLatin1Char('A') : QLatin1Char('B'))
                             .arg(rowsPhrase(list));
    CommandLineMessages messages;
    const QString output = parser.value(QStringLiteral("saida"));
    if (!output.isEmpty()) {
        const std::optional<QByteArray> job = thermalJobFile(
            layout, list.first, list.last, list.grid, list.panel, settings.settings, messages);
        messages.throwIfShown();
        writeOutput(output, job.value_or(QByteArray()));
        if (output != QLatin1String("-")) {
            say(done + QStringLiteral(" gravadas em ") + shownName(output) + QLatin1Char('.'));
        }
        return;
    }
    // The batch names the job file without a folder, as run from the application folder.
    BatchRunner runner(messages, places);
    QDir::setCurrent(places.application);
    printThermalLabels(
        layout, list.first, list.last,
        {list.grid, list.panel, settings.settings, messages, places.application, runner});
    messages.throwIfShown();
    say(done + QStringLiteral(" gravadas em ") +
        QDir::toNativeSeparators(fileInFolder(places.application, QStringLiteral("epltemp.prn"))) +
        QLatin1Char('.'));
    say(QStringLiteral("printmorv.bat as envia para ") + batchDestination(places.application) +
        QLatin1Char('.'));
}

}  // namespace etq::cli
