// The program run as a child process without a display, as scripts run it.

#include "fakes/scripted_message_box.h"
#include "fakes/temp_folders.h"
#include "items/item_columns.h"
#include "items/item_list_loader.h"
#include "jobs/barcode_drawing.h"
#include "jobs/thermal_job.h"
#include "jobs/thermal_settings.h"
#include "pdf_words.h"
#include "platform/qt/image_surface.h"
#include "platform/qt/qt_printer_service.h"
#include "print/printer_calibration.h"
#include "private_cups.h"

#include <QDir>
#include <QTest>

using namespace etq;
using namespace etq::test;

namespace {

const QByteArray kList =
    "Referencia,Cor,Tamanho,Qte,Pedido\r\nA1020,AZUL,38,3,4501\r\n"
    "B2,VERDE,40,2,77\r\nC3,PRETO,42,12,88\r\n";
const QString kThermal = "15 4  F1 Camisa T9 789", kOther = "20 6 40 F2 Blusa T8 456 /dev/null";

QString label(const QStringList& v) {  // quantity, reference, code, colour, size, order, text
    const QString tail = ".090909090909090909090909090909090909^FWN^A0,N32,30^FD";
    const QString format =
        "^XA^PQ%1,0,1,Y^FT3,113^A0N,28,28^FH\\^FD%2^FS^BCN^FD>;%3^FS^FD>:%3^FS"
        "^FT8182,63^FWN^A0,N37,35^FD%4^FS^FT82,180%8%5^FS^FT82,207%8%6^FS"
        "^FT282,342^A0N,23,24^FH\\^FD%5^FS^FT117,224^A0N,23,24^FH\\^FD%7^FS^XZ\r\n";
    return format.arg(v[0], v[1], v[2], v[3], v[4], v[5], v[6], tail);
}

const QString kStream = label({"2", "A1020", "12345678", "AZUL", "38", "4501", "Camisa Ação"}) +
                        label({"1", "A1020", "87654321", "CAFÉ", "40", "77", "x"});

QByteArray record(const char* head, const char* key) {
    return QString("%1%2fim\r\n").arg(head, -61).arg(key, -45).toLatin1();
}
const QByteArray kRecords = "CAB1\r\nCAB2\r\n" + record("R1", "KEY1") + record("R2", "KEY2") +
                            "fim do arquivo\r\n" + record("R3", "KEY1");

struct Items {
    FlexGrid grid;
    PlainTextField cells[6];
    DetailPanel panel{cells[0], cells[1], cells[2], cells[3], cells[4], cells[5]};
    ScriptedMessageBox messages;
    bool loaded = (setUpItemGrid(grid), loadItemListBytes(grid, messages, kList, "list"), true);
};

bool writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QByteArray settingsFile(const QString& values) {
    QString text = "[Etiqueta_Termica]\r\n";
    for (int i = 0; i < values.split(' ').size(); ++i) {
        text += ThermalSettings::Keys[i] + '=' + values.split(' ')[i] + "\r\n";
    }
    return text.toUtf8();
}

// The job the library writes for rows first..last with the settings (blank-separated).
QByteArray thermalJob(int layout, int first, int last, const QString& values) {
    Items items;
    ThermalSettings settings;
    for (int i = 0; i < 7; ++i) {
        settings.fields[i].setText(values.split(' ')[i]);
    }
    return thermalJobFile(ThermalLayout(layout - 1), first, last, items.grid, items.panel,
                          settings.settings, items.messages)
        .value_or("refused");
}

}  // namespace

class TestCli : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;
    QString app_ = dir_.filePath("app"), work_ = dir_.filePath("work"), cupsProblem_;
    PrivateCups cups_;

    QByteArray out_;
    QString err_;
    // Runs the program with the arguments (split at blanks); its status, output and errors.
    int run(const QString& args, const QByteArray& input = {}) {
        QProcess process;
        process.setWorkingDirectory(work_);
        process.start(app_ + "/etiquetas", args.split(' ', Qt::SkipEmptyParts));
        process.write(input);
        process.closeWriteChannel();
        const bool ended = process.waitForFinished(120000);
        out_ = process.readAllStandardOutput();
        err_ = QString::fromUtf8(process.readAllStandardError());
        return ended && process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    }
    QString at(const QString& name) const { return QDir(work_).filePath(name); }

  private Q_SLOTS:
    void initTestCase() {
        cupsProblem_ = cups_.prepare();  // before anything reaches CUPS
        if (cupsProblem_.isEmpty()) {
            const QString model = "lsb/usr/cupsfilters/Generic-PDF_Printer-PDF.ppd";
            QVERIFY(cups_.start().isEmpty() &&
                    cups_.addFileQueue("Folhas", "folhas.pdf", model).isEmpty() &&
                    cups_.setDefault("Folhas").isEmpty());
        }
        for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
            qunsetenv(name);  // the program is run without a display
        }
        qputenv("HOME", QFile::encodeName(work_));  // stands for drive C
        QVERIFY(QDir().mkpath(app_) && QDir().mkpath(work_) &&
                QFile::copy(ETQ_EXECUTABLE, app_ + "/etiquetas"));
        QVERIFY(writeFile(app_ + "/etiquetas.csv", kList));
        QVERIFY(writeFile(app_ + "/vorenta.ini",
                          settingsFile(kThermal + ' ' + at("enviado")) +
                              "[calibracao Folhas]\r\nhorizontal=1.5\r\nvertical=-0.7\r\n"));
        QVERIFY(writeFile(at("outra.ini"), settingsFile(kOther)) &&
                writeFile(at("registros.rem"), kRecords) &&
                writeFile(at("separados.rem"), QByteArray(kRecords).replace("\r\n", "\x8D")));
        QVERIFY(writeFile(at("etiquetas.zpl"), kStream.toUtf8()));
    }

    // Every command: help lists the options; a refusal gives its status and one line naming the
    // fault (and the usage for a command line that cannot run); a job writes what the library or
    // a hand-made file holds.
    void commands_data() {
        QTest::addColumn<QByteArray>("input");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("file");  // of the output: "-" standard output, "" none
        QTest::addColumn<QByteArray>("expected");
        auto row = [](const char* args, int status, const char* text, QByteArray input = {}) {
            QTest::newRow(args) << input << status << QString() << QByteArray(text);
        };
        auto out = [](const char* args, const QString& file, const QByteArray& bytes) {
            QTest::newRow(args) << (*args == 'z' ? kStream.toUtf8() : kList) << 0 << file << bytes;
        };
        row("--help", 0, "folhas termica zpl barras importar");
        row("--version", 0, "etiquetas 1.");
        row("folhas --help", 0, "--lista --linhas --linha-inicial --coluna-inicial --impressora");
        row("termica -h", 0,
            "--layout --lista --linhas --config --densidade --velocidade --saida "
            "--margem --cod-fornecedor --descricao --cod-terceiro --destino");
        row("zpl --help", 0, "ARQ --modo --saida --utf8");
        row("barras --help", 0, "--simbologia --altura --sem-legenda --digito --texto --lote");
        row("importar --help", 0, "ARQ --separador --saida");
        row("etiqueta --pdf", 2, "etiquetas: comando desconhecido \"etiqueta\".");
        row("folhas --lista nada.csv --pdf a.pdf", 1, "etiquetas folhas: nada.csv: O arquivo não");
        row("folhas --impressora Nenhuma", 1, "a impressora \"Nenhuma\" não existe");
        row("folhas --linhas 2-4 --pdf a.pdf", 1, "etiquetas.csv tem só 3 linha(s) de itens");
        row("termica --margem 3a --saida -", 1, "O campo Margem deve ser um número inteiro");
        row("termica --config nada.ini", 1, "nada.ini: O arquivo não existe!");
        row("termica --lista - --saida x", 1, "A quantidade da linha 1 não é um número inteiro",
            "h\r\nA1,AZUL,38,dois,7\r\n");
        row("zpl nada.zpl", 1, "nada.zpl: O arquivo não existe!");
        row("barras --simbologia qr --texto 1 --saida a", 2, "code39, ean13 ou ean8: \"qr\"");
        row("barras --simbologia ean13 --texto 78910000000A --saida a", 1,
            "texto \"78910000000A\": EAN-13: An Invalid Character Found in Bar Text");
        row("barras --simbologia ean8 --lote - --pasta p", 1,
            "entrada padrão, linha 2: EAN-8: Should be 7 Digit Numbers", "1234567\n12\n");
        row("importar nada.txt", 1, "nada.txt: O arquivo não existe!");
        const QByteArray head = "Referencia,Cor,Tamanho,Qte,Pedido\r\n";
        const QByteArray cut = head + "12345678,AZUL,38,2,4501\r\n87654321,";
        const QByteArray kept = record("R1", "KEY1") + record("R2", "KEY2") + record("R3", "KEY1");
        out("zpl etiquetas.zpl", "-", head + "A1020,12345678,38,3,Camisa Acao\r\n");
        out("zpl etiquetas.zpl --modo separa1 --utf8", "-", cut + "CAFÉ,40,1,77\r\n");
        out("zpl - --modo separa2 --saida l.csv", "l.csv", cut + "CAF\xC9,40,1,77\r\n");
        out("termica --saida -", "-", thermalJob(1, 1, 3, kThermal));
        out("termica --layout b --linhas 2 --margem 30 --descricao Calça --saida -", "-",
            thermalJob(2, 2, 2, "15 4 30 F1 Calça T9 789"));
        out("termica --config outra.ini --lista - --linhas 2-3 --saida job.prn", "job.prn",
            thermalJob(1, 2, 3, kOther));
        out("termica --linhas 1", "enviado", thermalJob(1, 1, 1, kThermal));  // by the batch
        out("importar registros.rem", "-", QString("KEY1%1\nKEY2%1\n").arg("", 41).toLatin1());
        out("importar registros.rem --saida r.txt", "r.txt", kept);
        out("importar separados.rem --separador --saida -", "-", kept);
    }
    void commands() {
        QFETCH(QByteArray, input);
        QFETCH(int, status);
        QFETCH(QString, file);
        QFETCH(QByteArray, expected);
        QCOMPARE(run(QTest::currentDataTag(), input), status);
        if (status != 0) {
            QVERIFY2(err_.section('\n', 0, 0).contains(expected), qPrintable(err_));
            QCOMPARE(err_.count('\n') == 1, status == 1);
            QVERIFY(out_.isEmpty());
        } else if (file.isEmpty()) {
            for (const QByteArray& word : expected.split(' ')) {
                QVERIFY2(out_.contains(word), word.constData());
            }
        } else if (file == "-") {
            QCOMPARE(out_, expected);
        } else {
            QTRY_COMPARE_WITH_TIMEOUT(TempFolders::readFile(at(file)), expected, 10000);
        }
    }

    // Sheets as the library prints the same rows on the same printer.
    void sheets_data() {
        QTest::addColumn<QList<int>>("job");  // first and last row, start row and column
        QTest::newRow("--pdf cli.pdf") << QList<int>{1, 3, 1, 1};
        QTest::newRow("--pdf cli.pdf --linhas 2-3 --linha-inicial 7 --coluna-inicial 2")
            << QList<int>{2, 3, 7, 2};
        // The calibrated default queue of a private scheduler; the refused printer had no job.
        QTest::newRow("--linhas 2") << QList<int>{2, 2, 1, 1};
    }
    void sheets() {
        QFETCH(QList<int>, job);
        const QString args = QTest::currentDataTag();
        const QString queue = args.contains("--pdf") ? QString() : "Folhas";
        if (!queue.isEmpty() && !cupsProblem_.isEmpty()) {
            QSKIP(qPrintable(cupsProblem_));
        }
        const QString pdf = queue.isEmpty() ? at("cli.pdf") : cups_.outputFolder() + "/folhas.pdf";
        auto settled = [&] {  // a queue's job reaches its file later
            return queue.isEmpty() ? QString() : cups_.waitForOutput(pdf, 60000, queue);
        };
        QString error;
        QFile::remove(pdf);
        QCOMPARE(run("folhas " + args, kList), 0);
        QCOMPARE(settled(), QString());
        const PdfText cli = readPdfWords(pdf, &error);
        QFile::remove(pdf);
        Items items;
        QtPrinterService printer;
        printer.setOutputFileName(queue.isEmpty() ? pdf : QString());
        printSheetLabels(app_ + "/vorenta.ini", items.grid, items.panel, printer, queue, job[0],
                         job[1], job[2], job[3]);
        QCOMPARE(settled(), QString());
        const PdfText library = readPdfWords(pdf, &error);
        QVERIFY2(error.isEmpty(), qPrintable(error));
        QVERIFY(!cli.words.isEmpty() && cli.words.size() == library.words.size());
        QCOMPARE(cli.pages, library.pages);
        for (int i = 0; i < cli.words.size(); ++i) {
            const PdfWord &c = cli.words[i], &l = library.words[i];
            QVERIFY(c.text == l.text && c.page == l.page && qAbs(c.left - l.left) < 0.05 &&
                    qAbs(c.top - l.top) < 0.05);
        }
        QVERIFY(queue.isEmpty() || cups_.jobs({}, "all", &error).size() == 2);
    }

    // Each file as the library draws the text, and what a decoder reads in it.
    void barcode_data() {
        QTest::addColumn<QStringList>("texts");  // more than one: a batch, a file per line
        QTest::addColumn<QStringList>("decodedAs");
        QTest::addColumn<QList<int>>("drawing");  // symbology, bar height, caption, check
        QTest::newRow("code128") << QStringList{"A1020-AZUL"} << QStringList{"A1020-AZUL"}
                                 << QList<int>{0, 5, 1, 0};
        QTest::newRow("code39 --digito --sem-legenda --altura 30")
            << QStringList{"AB12"} << QStringList{"AB12O"} << QList<int>{1, 3, 0, 1};
        QTest::newRow("ean13") << QStringList{"789100000001"} << QStringList{"7891000000014"}
                               << QList<int>{2, 5, 1, 0};
        QTest::newRow("ean8") << QStringList{"1234567", "", "7654321"}
                              << QStringList{"12345670", "76543210"} << QList<int>{3, 5, 1, 0};
    }
    void barcode() {
        QFETCH(QStringList, texts);
        QFETCH(QStringList, decodedAs);
        QFETCH(QList<int>, drawing);
        const QString args = QTest::currentDataTag(), symbology = args.section(' ', 0, 0);
        const QString form = texts.size() > 1
                                 ? " --lote - --pasta " + symbology
                                 : " --saida " + symbology + "/000001.png --texto " + texts[0];
        QVERIFY(QDir().mkpath(at(symbology)));
        QCOMPARE(run("barras --simbologia " + args + form, texts.join('\n').toUtf8()), 0);
        QStringList seen;
        for (int i = 0; i < texts.size(); ++i) {
            const QString file = at(symbology + QString("/%1.png").arg(i + 1, 6, 10, QChar('0')));
            QCOMPARE(QFile::exists(file), !texts[i].isEmpty());
            if (!texts[i].isEmpty()) {
                ImageSurface surface;
                drawBarcode(surface, Symbology(drawing[0]), drawing[1], texts[i], drawing[2],
                            drawing[3]);
                QCOMPARE(QImage(file).convertToFormat(QImage::Format_RGB32),
                         surface.image().convertToFormat(QImage::Format_RGB32));
                QProcess zbar;  // the symbols of this table decode at their own size
                zbar.start("zbarimg",
                           {"-q", "--raw", "-Sdisable", "-S" + symbology + ".enable", file});
                QVERIFY(zbar.waitForFinished(30000));
                seen << QString(zbar.readAllStandardOutput()).trimmed();
            }
        }
        QCOMPARE(seen, decodedAs);
    }
};

QTEST_MAIN(TestCli)
#include "test_cli.moc"
