#include "cli/command.h"
#include "cli/commands.h"
#include "jobs/barcode_drawing.h"
#include "platform/error.h"
#include "platform/qt/image_surface.h"
#include "platform/text_encoding.h"

#include <QDir>

namespace etq::cli {

namespace {

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
    addOptions(parser,
               {{"simbologia", "code128 (padrão), code39, ean13 ou ean8.", "NOME"},
                {"altura", "Altura das barras em pixels, de 10 em 10 (padrão 50).", "N"},
                {"sem-legenda", "Não escreve o texto sob as barras."},
                {"digito", "Acrescenta o dígito de controle do Code 39."},
                {"texto", "O texto de um código de barras.", "T"},
                {"saida", "O arquivo PNG do código de --texto.", "ARQ.png"},
                {"lote",
                 "Arquivo com um texto por linha (- lê a entrada padrão); linhas vazias "
                 "são puladas.",
                 "ARQ"},
                {"pasta", "Pasta dos PNG do lote, numerados pela linha: 000001.png...", "DIR"}});
}

void runBarcode(const QCommandLineParser& parser) {
    const auto symbology = static_cast<Symbology>(
        choice(parser, "simbologia", {"code128", "code39", "ean13", "ean8"}));
    const int height = number(parser, "altura", 10, 32760, 50);
    if (height % 10 != 0) {
        throw UsageError{
            QStringLiteral("--altura deve ser um múltiplo de 10: \"%1\".").arg(height)};
    }
    if (given(parser, "digito") && symbology != Symbology::Code39) {
        throw UsageError{QStringLiteral(
            "--digito vale só para code39; as outras simbologias sempre levam o seu.")};
    }
    const Drawing drawing{symbology, static_cast<std::int16_t>(height / 10),
                          !given(parser, "sem-legenda"), given(parser, "digito")};
    const bool single = given(parser, "texto") && given(parser, "saida");
    const bool batch = given(parser, "lote") && given(parser, "pasta");
    if (single == batch || single != (given(parser, "texto") || given(parser, "saida")) ||
        batch != (given(parser, "lote") || given(parser, "pasta"))) {
        throw UsageError{
            QStringLiteral("use --texto T --saida ARQ.png, ou --lote ARQ --pasta DIR.")};
    }

    ImageSurface surface;
    const QString name = value(parser, "simbologia", QStringLiteral("code128")).toLower();
    if (single) {
        const QString text = value(parser, "texto");
        const QString path = value(parser, "saida");
        writeBarcode(surface, drawing, text, path, QStringLiteral("texto \"%1\"").arg(text));
        say(QStringLiteral("Código %1 de \"%2\" gravado em %3.").arg(name, text, shownName(path)));
        return;
    }
    const QString input = value(parser, "lote");
    const QByteArray bytes = readInput(input);
    const QStringList lines =
        (isMultibyteUtf8(bytes) ? QString::fromUtf8(bytes) : decodeWindows1252(bytes))
            .split(QLatin1Char('\n'));
    const QDir folder(value(parser, "pasta"));
    if (!folder.mkpath(QStringLiteral("."))) {
        throw Failure{
            QStringLiteral("não foi possível criar a pasta %1.").arg(shownName(folder.path()))};
    }
    int written = 0;
    for (int i = 0; i < lines.size(); ++i) {
        const QString text = lines[i].endsWith(QLatin1Char('\r')) ? lines[i].chopped(1) : lines[i];
        if (!text.isEmpty()) {
            writeBarcode(
                surface, drawing, text,
                folder.filePath(QStringLiteral("%1.png").arg(i + 1, 6, 10, QLatin1Char('0'))),
                QStringLiteral("%1, linha %2").arg(shownName(input)).arg(i + 1));
            ++written;
        }
    }
    say(QStringLiteral("%1 código(s) %2 de %3 gravados na pasta %4.")
            .arg(written)
            .arg(name, shownName(input), shownName(folder.path())));
}

}  // namespace etq::cli
