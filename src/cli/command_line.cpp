#include "cli/command_line.h"

#include "cli/command.h"
#include "cli/commands.h"
#include "platform/error.h"

#include <QGuiApplication>
#include <QTranslator>

#include <cstdio>
#include <exception>
#include <utility>

namespace etq {

namespace {

struct CommandEntry {
    const char* name;
    const char* syntax;
    const char* summary;
    int positionals;
    void (*addOptions)(QCommandLineParser&);
    void (*run)(const QCommandLineParser&);
};

const CommandEntry kCommands[] = {
    {"folhas", "[opções]", "imprime etiquetas em folhas de 14 (7 x 2), numa impressora ou num PDF",
     0, cli::addSheetOptions, cli::runSheet},
    {"termica", "[opções]",
     "grava o trabalho de etiquetas térmicas (ZPL) e o envia pelo printmorv.bat", 0,
     cli::addThermalOptions, cli::runThermal},
    {"zpl", "ARQ|- [opções]", "lê um arquivo de etiquetas ZPL e grava a lista de itens", 1,
     cli::addStreamOptions, cli::runStream},
    {"barras", "(--texto T --saida ARQ.png | --lote ARQ|- --pasta DIR) [opções]",
     "grava códigos de barras em arquivos PNG", 0, cli::addBarcodeOptions, cli::runBarcode},
    {"importar", "ARQ [opções]",
     "importa um arquivo de registros de largura fixa e lista as chaves distintas", 1,
     cli::addImportOptions, cli::runImport},
};

// The texts of QCommandLineParser that reach the operator, in Portuguese.
class ParserTexts : public QTranslator {
  public:
    bool isEmpty() const override { return false; }
    QString translate(const char* context, const char* source, const char*, int) const override {
        static const std::pair<const char*, const char*> texts[] = {
            {"Unknown option '%1'.", "opção desconhecida '%1'."},
            {"Unknown options: %1.", "opções desconhecidas: %1."},
            {"Missing value after '%1'.", "falta o valor depois de '%1'."},
            {"Unexpected value after '%1'.", "valor inesperado depois de '%1'."},
            {"Options:", "Opções:"},
            {"Arguments:", "Argumentos:"},
        };
        if (qstrcmp(context, "QCommandLineParser") == 0) {
            for (const auto& [english, portuguese] : texts) {
                if (qstrcmp(source, english) == 0) {
                    return QString::fromUtf8(portuguese);
                }
            }
        }
        return {};
    }
};

void print(std::FILE* stream, const QString& text) {
    std::fputs(text.toLocal8Bit().constData(), stream);
}

// Qt's own warnings (fonts, runtime folders) would bury the one line a command writes.
void quietQt(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtCriticalMsg || type == QtFatalMsg) {
        print(stderr, message + QLatin1Char('\n'));
    }
}

QString overview() {
    QString text = QStringLiteral(
        "Uso: etiquetas [COMANDO [opções]]\n\n"
        "Sem argumentos abre a janela. Com um comando faz o trabalho sem janela:\n");
    for (const CommandEntry& command : kCommands) {
        text += QStringLiteral("  %1 %2\n")
                    .arg(QLatin1String(command.name), -9)
                    .arg(QString::fromUtf8(command.summary));
    }
    return text + QStringLiteral(
                      "\nOpções:\n"
                      "  -h, --help     mostra esta ajuda; etiquetas COMANDO --help mostra a "
                      "do comando\n"
                      "  -v, --version  mostra a versão\n\n"
                      "Estado de saída: 0 feito, 1 recusado ou com falha (uma linha na saída de "
                      "erros), 2 linha de comando inválida.\n");
}

QString commandHelp(const CommandEntry& command, const QCommandLineParser& parser) {
    // Qt's first line names the program alone; the usage names the command too.
    QString summary = QString::fromUtf8(command.summary);
    summary[0] = summary[0].toUpper();
    return QStringLiteral("Uso: etiquetas %1 %2\n\n%3.\n")
               .arg(QLatin1String(command.name), QString::fromUtf8(command.syntax), summary) +
           parser.helpText().section(QLatin1Char('\n'), 1);
}

int runCommand(const CommandEntry& command, const QStringList& arguments) {
    QCommandLineParser parser;
    parser.addOption(
        {{QStringLiteral("h"), QStringLiteral("help")}, QStringLiteral("Mostra esta ajuda.")});
    command.addOptions(parser);
    const QString prefix = QStringLiteral("etiquetas %1: ").arg(QLatin1String(command.name));
    try {
        if (!parser.parse(arguments)) {
            throw cli::UsageError{parser.errorText()};
        }
        if (cli::given(parser, "help")) {
            print(stdout, commandHelp(command, parser));
            return 0;
        }
        const QStringList positionals = parser.positionalArguments();
        if (positionals.size() != command.positionals) {
            throw cli::UsageError{
                positionals.size() > command.positionals
                    ? QStringLiteral("argumento inesperado \"%1\".")
                          .arg(positionals.value(command.positionals))
                    : QStringLiteral("informe o arquivo (- lê a entrada padrão).")};
        }
        command.run(parser);
        return 0;
    } catch (const cli::UsageError& error) {
        print(stderr, prefix + error.text + QLatin1Char('\n') + commandHelp(command, parser));
        return 2;
    } catch (const cli::Failure& failure) {
        print(stderr, prefix + failure.text + QLatin1Char('\n'));
    } catch (const Error& error) {
        print(stderr, prefix + error.description() + QLatin1Char('\n'));
    } catch (const std::exception& error) {
        print(stderr, prefix + QString::fromLocal8Bit(error.what()) + QLatin1Char('\n'));
    }
    return 1;
}

}  // namespace

int runCommandLine(int argc, char** argv) {
    // Drawing and printing need a QGuiApplication, never a display: the offscreen platform
    // gives the same fonts and output on a desktop, over ssh and under cron.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    qInstallMessageHandler(quietQt);
    QGuiApplication app(argc, argv);
    QGuiApplication::setApplicationName(QStringLiteral("etiquetas"));
    QGuiApplication::setApplicationVersion(QStringLiteral(ETQ_VERSION));
    ParserTexts texts;
    QGuiApplication::installTranslator(&texts);

    const QStringList arguments = QGuiApplication::arguments();
    const QString name = arguments.value(1);
    if (name == QLatin1String("-h") || name == QLatin1String("--help")) {
        print(stdout, overview());
        return 0;
    }
    if (name == QLatin1String("-v") || name == QLatin1String("--version")) {
        print(stdout, QStringLiteral("etiquetas %1\n").arg(QStringLiteral(ETQ_VERSION)));
        return 0;
    }
    for (const CommandEntry& command : kCommands) {
        if (name == QLatin1String(command.name)) {
            return runCommand(command, arguments.mid(1));
        }
    }
    print(stderr,
          QStringLiteral("etiquetas: comando desconhecido \"%1\".\n").arg(name) + overview());
    return 2;
}

}  // namespace etq
