#include "cli/command.h"
#include "cli/commands.h"
#include "jobs/barcode_drawing.h"
#include "platform/error.h"
#include "platform/qt/image_surface.h"
#include "platform/text_encoding.h"

#include <QDir>

namespace etq::cli {

namespace {

const std::pair<const char*, Symbology> kSymbologies[] = {
    {"code128", Symbology::Code128},
    {"code39", Symbology::Code39},
    {"ean13", Symbology::EAN13},
    {"ean8", Symbology::EAN8},
};

struct Drawing {
    Symbology symbology;
    std::int16_t zBarH;
    bool caption;
    bool check;
};

// Draws and saves one symbol; `where` names the text's origin in messages.
void writeBarcode(ImageSurface& surface, const Drawing& drawing, const QString& text,
                  const QString& path, const QString& where) {
    try {
        drawBarcode(surface, drawing.symbology, drawing.zBarH, text, drawing.caption,
                    drawing.check);
    } catch (const Error& error) {
        throw Failure{QStringLiteral("%1: %2: %3").arg(where, error.source(), error.description())};
    }
    if (!surface.save(path)) {
        throw Failure{QStringLiteral("não foi possível gravar %1.").arg(shownName(path))};
    }
}

}  // namespace

void addBarcodeOptions(QCommandLineParser& parser) {
    parser.addOptions({
        {QStringLiteral("simbologia"), QStringLiteral("code128 (padrão), code39, ean13 ou ean8."),
         QStringLiteral("NOME")},
        {QStringLiteral("altura"),
         QStringLiteral("Altura das barras em pixels, de 10 em 10 (padrão 50)."),
         QStringLiteral("N")},
        {QStringLiteral("sem-legenda"), QStringLiteral("Não escreve o texto sob as barras.")},
        {QStringLiteral("digito"), QStringLiteral("Acrescenta o dígito de controle do Code 39.")},
        {QStringLiteral("texto"), QStringLiteral("O texto de um código de barras."),
         QStringLiteral("T")},
        {QStringLiteral("saida"), QStringLiteral("O arquivo PNG do código de --texto."),
         QStringLiteral("ARQ.png")},
        {QStringLiteral("lote"),
         QStringLiteral("Arquivo com um texto por linha (- lê a entrada padrão); linhas vazias "
                        "são puladas."),
         QStringLiteral("ARQ")},
        {QStringLiteral("pasta"),
         QStringLiteral("Pasta dos PNG do lote, numerados pela linha: 000001.png, 000002.png..."),
         QStringLiteral("DIR")},
    });
}

void runBarcode(const QCommandLineParser& parser) {
    const QString name = parser.isSet(QStringLiteral("simbologia"))
                             ? parser.value(QStringLiteral("simbologia")).toLower()
                             : QStringLiteral("code128");
    const auto* symbology =
        std::find_if(std::begin(kSymbologies), std::end(kSymbologies),
                     [&](const auto& s) { return name == QLatin1String(s.first); });
    if (symbology == std::end(kSymbologies)) {
        throw UsageError{
            QStringLiteral("simbologia desconhecida \"%1\": use code128, code39, ean13 ou ean8.")
                .arg(parser.value(QStringLiteral("simbologia")))};
    }
    const int height = numberOption(parser, QStringLiteral("altura"), 10, 32760, 50);
    if (height % 10 != 0) {
        throw UsageError{QStringLiteral("--altura deve ser um múltiplo de 10: \"%1\".")
                             .arg(parser.value(QStringLiteral("altura")))};
    }
    const bool check = parser.isSet(QStringLiteral("digito"));
    if (check && symbology->second != Symbology::Code39) {
        throw UsageError{
            QStringLiteral("--digito vale só para code39; as outras simbologias "
                           "sempre levam o seu.")};
    }
    const Drawing drawing{symbology->second, static_cast<std::int16_t>(height / 10),
                          !parser.isSet(QStringLiteral("sem-legenda")), check};
    auto given = [&](const char* option) { return parser.isSet(QLatin1String(option)); };
    const bool single = given("texto") && given("saida") && !given("lote") && !given("pasta");
    const bool batch = given("lote") && given("pasta") && !given("texto") && !given("saida");
    if (!single && !batch) {
        throw UsageError{
            QStringLiteral("use --texto T --saida ARQ.png, ou --lote ARQ --pasta DIR.")};
    }

    ImageSurface surface;
    if (single) {
        const QString text = parser.value(QStringLiteral("texto"));
        const QString path = parser.value(QStringLiteral("saida"));
        writeBarcode(surface, drawing, text, path, QStringLiteral("texto \"%1\"").arg(text));
        say(QStringLiteral("Código %1 de \"%2\" gravado em %3.")
                .arg(QLatin1String(symbology->first), text, shownName(path)));
        return;
    }
    const QString input = parser.value(QStringLiteral("lote"));
    const QByteArray bytes = readInput(input);
    QStringList lines =
        (isMultibyteUtf8(bytes) ? QString::fromUtf8(bytes) : decodeWindows1252(bytes))
            .split(QLatin1Char('\n'));
    const QDir folder(parser.value(QStringLiteral("pasta")));
    if (!folder.mkpath(QStringLiteral("."))) {
        throw Failure{
            QStringLiteral("não foi possível criar a pasta %1.").arg(shownName(folder.path()))};
    }
    int written = 0;
    for (int i = 0; i < lines.size(); ++i) {
        QString& text = lines[i];
        if (text.endsWith(QLatin1Char('\r'))) {
            text.chop(1);
        }
        if (text.isEmpty()) {
            continue;
        }
        writeBarcode(surface, drawing, text,
                     folder.filePath(QStringLiteral("%1.png").arg(i + 1, 6, 10, QLatin1Char('0'))),
                     QStringLiteral("%1, linha %2").arg(shownName(input)).arg(i + 1));
        ++written;
    }
    say(QStringLiteral("%1 código(s) %2 de %3 gravados na pasta %4.")
            .arg(written)
            .arg(QLatin1String(symbology->first), shownName(input), shownName(folder.path())));
}

}  // namespace etq::cli
