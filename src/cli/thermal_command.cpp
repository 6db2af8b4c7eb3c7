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

namespace etq::cli {

namespace {

// The command line spells the settings keys with hyphens: cod_barras is --cod-barras.
QString optionOf(const QString& key) {
    return QString(key).replace(QLatin1Char('_'), QLatin1Char('-'));
}

// Where the print batch of the application folder sends the job, as its line says.
QString batchDestination(const QString& folder) {
    QFile batch(fileInFolder(folder, QStringLiteral("printmorv.bat")));
    const std::optional<BatchCopy> copy = batch.open(QIODevice::ReadOnly)
                                              ? parseBatchCopy(decodeWindows1252(batch.readAll()))
                                              : std::nullopt;
    return copy ? copy->destination : QString();
}

}  // namespace

void addThermalOptions(QCommandLineParser& parser) {
    addOptions(parser, {{"layout", "Layout a ou b da etiqueta (padrão a).", "a|b"}});
    addListOptions(parser);
    addOptions(parser, {{"config",
                         "Arquivo de configuração com a seção [etiqueta_termica] (padrão: "
                         "vorenta.ini na pasta do programa).",
                         "ARQ"}});
    for (const QString& key : ThermalSettings::Keys) {
        parser.addOption({optionOf(key),
                          QStringLiteral("Substitui a chave %1 da configuração.").arg(key),
                          QStringLiteral("T")});
    }
    addOptions(parser, {{"saida",
                         "Grava o trabalho ZPL neste arquivo (- na saída padrão), sem tocar a "
                         "pasta do programa nem imprimir.",
                         "ARQ"}});
}

void runThermal(const QCommandLineParser& parser) {
    const auto layout = static_cast<ThermalLayout>(choice(parser, "layout", {"a", "b"}));
    const Folders places = Folders::standard();
    const QString config = value(parser, "config", settingsFilePath(places));
    if (!isOrdinaryFile(config) && given(parser, "config")) {
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
    const QString done = QStringLiteral("%1 etiqueta(s) térmica(s), layout %2, %3 gravadas em ")
                             .arg(labelCount(list))
                             .arg(layout == ThermalLayout::A ? QLatin1Char('A') : QLatin1Char('B'))
                             .arg(rowsPhrase(list));
    CommandLineMessages messages;
    const QString output = value(parser, "saida");
    if (!output.isEmpty()) {
        const std::optional<QByteArray> job = thermalJobFile(
            layout, list.first, list.last, list.grid, list.panel, settings.settings, messages);
        messages.throwIfShown();
        writeOutput(output, job.value_or(QByteArray()));
        if (output != QLatin1String("-")) {
            say(done + shownName(output) + QLatin1Char('.'));
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
    say(done +
        QDir::toNativeSeparators(fileInFolder(places.application, QStringLiteral("epltemp.prn"))) +
        QLatin1Char('.'));
    say(QStringLiteral("printmorv.bat as envia para %1.")
            .arg(batchDestination(places.application)));
}

}  // namespace etq::cli
