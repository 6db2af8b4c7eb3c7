#include "fakes/recording_command_runner.h"
#include "fakes/scripted_message_box.h"
#include "fakes/temp_folders.h"
#include "job_fields.h"
#include "platform/error.h"
#include "platform/text_encoding.h"
#include "zpl/marketplace_job.h"

#include <QDir>
#include <QFile>
#include <QTest>

#include <memory>

using namespace etq;
using etq::test::RecordingCommandRunner;
using etq::test::ScriptedMessageBox;
using etq::test::TempFolders;

namespace {

// The lines of a file as bytes, each followed by CR LF.
QByteArray crlf(const QList<QByteArray>& lines) {
    QByteArray bytes;
    for (const QByteArray& line : lines) {
        bytes += line + "\r\n";
    }
    return bytes;
}

// One label of the row (3, A1020, AZUL, 38) with the settings of Fixture, x = 14, layout A.
const QList<QByteArray> kLabelA = {
    "^XA",
    "^LH45,0",
    "^PR4,4",
    "^PQ3,,1,Y",
    "^FT14,45^A0N,23,24^FH\\^FDEAN^FS",
    "^FT14,75^A0N,18,16^FH\\^FDID. ITEM^FS",
    "^FT20,282^A0N,23,24^FH\\^FDCodigo Item Fornecedor:^FS",
    "^FT20,214^A0N,23,24^FH\\^FDDescricao:^FS",
    "^FT20,250^A0N,23,24^FH\\^FDCodigo Terceiro:^FS",
    "^FT180,315^A0N,23,24^FH\\^FDTamanho:^FS",
    "^FT390,315^A0N,23,24^FH\\^FDCor:^FS",
    "^FT20,315^A0N,23,24^FH\\^FDMORVAL/WMS^FS",
    "^FO11,176^GB590,145,2^FS",
    "^FT14,113^A0N,28,28^FH\\^FDA1020^FS",
    "^FT185,250^A0N,23,24^FH\\^FDT900^FS",
    "^FT432,315^A0N,23,24^FH\\^FDAZUL^FS",
    "^FT280,282^A0N,23,24^FH\\^FDF-77^FS",
    "^FT282,315^A0N,23,24^FH\\^FD38^FS",
    "^FT124,214^A0N,23,24^FH\\^FDCAMISA POLO^FS",
    "^BY2,3,100^FT199,131^BCN,,Y,N^FD>:7891234567890^FS",
    "^XZ",
};

// The job file: the darkness line, then the labels.
QByteArray jobFile(std::initializer_list<QList<QByteArray>> labels) {
    QList<QByteArray> lines = {"~SD15"};
    for (const QList<QByteArray>& label : labels) {
        lines += label;
    }
    return crlf(lines);
}

// The same label in layout B: y 272/204/240/305, the box 10 dots higher and 580 wide, the
// supplier code before the colour.
const QList<QByteArray> kLabelB = {
    "^XA",
    "^LH45,0",
    "^PR4,4",
    "^PQ3,,1,Y",
    "^FT14,45^A0N,23,24^FH\\^FDEAN^FS",
    "^FT14,75^A0N,18,16^FH\\^FDID. ITEM^FS",
    "^FT20,272^A0N,23,24^FH\\^FDCodigo Item Fornecedor:^FS",
    "^FT20,204^A0N,23,24^FH\\^FDDescricao:^FS",
    "^FT20,240^A0N,23,24^FH\\^FDCodigo Terceiro:^FS",
    "^FT180,305^A0N,23,24^FH\\^FDTamanho:^FS",
    "^FT390,305^A0N,23,24^FH\\^FDCor:^FS",
    "^FT20,305^A0N,23,24^FH\\^FDMORVAL/WMS^FS",
    "^FO11,166^GB580,145,2^FS",
    "^FT14,113^A0N,28,28^FH\\^FDA1020^FS",
    "^FT185,240^A0N,23,24^FH\\^FDT900^FS",
    "^FT280,272^A0N,23,24^FH\\^FDF-77^FS",
    "^FT432,305^A0N,23,24^FH\\^FDAZUL^FS",
    "^FT282,305^A0N,23,24^FH\\^FD38^FS",
    "^FT124,204^A0N,23,24^FH\\^FDCAMISA POLO^FS",
    "^BY2,3,100^FT199,131^BCN,,Y,N^FD>:7891234567890^FS",
    "^XZ",
};

// A grid as start-up leaves it, the detail panel, the settings fields, and the job over them.
// Blanks around three settings show that they are trimmed.
struct Fixture : test::JobFields {
    TempFolders temp;
    RecordingCommandRunner runner;
    MarketplaceJob job{grid, panel, settings, messages, temp.folders().application, runner};

    Fixture() {
        cod_fornecedor.setText(QStringLiteral(" F-77 "));
        descricao.setText(QStringLiteral("CAMISA POLO  "));
        cod_barras.setText(QStringLiteral("  7891234567890"));
        destino.setText(QStringLiteral("out.prn"));
        grid.setCols(6);
        for (int col = 0; col < 5; ++col) {
            grid.setColWidth(col, 1000 + col);
        }
        grid.setColWidth(5, 0);
    }
    // Appends an item row as the loader does: into the last row, then a new empty row.
    void addRow(const QString& qte, const QString& ref, const QString& cor, const QString& tam) {
        const int row = grid.Rows() - 1;
        grid.setTextMatrix(row, 0, qte);
        grid.setTextMatrix(row, 1, ref);
        grid.setTextMatrix(row, 2, cor);
        grid.setTextMatrix(row, 3, tam);
        grid.setTextMatrix(row, 4, QStringLiteral("4501"));
        grid.setTextMatrix(row, 5, QStringLiteral("N"));
        grid.setRows(grid.Rows() + 1);
    }
    void addStandardRow() {
        addRow(QStringLiteral("3"), QStringLiteral("A1020"), QStringLiteral("AZUL"),
               QStringLiteral("38"));
    }
    QString appFile(const QString& name) const {
        return QDir(temp.folders().application).filePath(name);
    }
    QByteArray jobBytes() const { return TempFolders::readFile(appFile("epltemp.prn")); }
    QStringList jobLines() const {
        QString text = decodeWindows1252(jobBytes());
        if (!text.endsWith(QLatin1String("\r\n"))) {
            return {QStringLiteral("<no CR LF at the end>")};
        }
        text.chop(2);
        return text.split(QLatin1String("\r\n"));
    }
    void run(int layout, qint16 first, qint16 last) {
        (layout == 1 ? imprime_wms_1 : imprime_wms_2)(first, last, job);
    }
};

}  // namespace

class TestMarketplaceJob : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    void wholeJobFile_data() {
        QTest::addColumn<int>("layout");
        QTest::addColumn<QString>("margem");
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("A, margem empty") << 1 << QString() << jobFile({kLabelA});
        QTest::newRow("A, margem blanks only") << 1 << QStringLiteral("   ") << jobFile({kLabelA});
        QTest::newRow("B, margem empty") << 2 << QString() << jobFile({kLabelB});
        QTest::newRow("B, two rows") << 2 << QStringLiteral(" ") << jobFile({kLabelB, kLabelB});
    }
    void wholeJobFile() {
        QFETCH(int, layout);
        QFETCH(QString, margem);
        QFETCH(QByteArray, expected);
        Fixture f;
        f.margem.setText(margem);
        f.addStandardRow();
        const int rows = expected.count("^XA");
        if (rows == 2) {
            f.addRow(QStringLiteral(" 3 "), QStringLiteral(" A1020"), QStringLiteral("AZUL "),
                     QStringLiteral(" 38 "));
        }
        f.run(layout, 1, static_cast<qint16>(rows));
        QCOMPARE(f.jobBytes(), expected);
        QVERIFY(f.messages.shown.isEmpty());
        QCOMPARE(f.runner.started, QStringList{f.appFile("printmorv.bat")});
        QCOMPARE(TempFolders::readFile(f.appFile("printmorv.bat")),
                 QByteArray("type epltemp.prn > out.prn\r\n"));
    }

    // Lines by number (1 = the first line of the label, after "~SD").
    void labelLines_data() {
        QTest::addColumn<QString>("margem");
        QTest::addColumn<QString>("qte");
        QTest::addColumn<QString>("referencia");
        QTest::addColumn<QString>("cor");
        QTest::addColumn<QString>("tamanho");
        QTest::addColumn<QString>("barras");
        QTest::addColumn<QList<int>>("numbers");
        QTest::addColumn<QStringList>("lines");
        const QString q = QStringLiteral("3");
        const QString r = QStringLiteral("A1020");
        const QString c = QStringLiteral("AZUL");
        const QString t = QStringLiteral("38");
        const QString b = QStringLiteral("789");
        QTest::newRow("margem 30")
            << QStringLiteral("30") << q << r << c << t << b << QList<int>{5, 6, 7, 13, 14}
            << QStringList{"^FT30,45^A0N,23,24^FH\\^FDEAN^FS",
                           "^FT30,75^A0N,18,16^FH\\^FDID. ITEM^FS",
                           "^FT36,282^A0N,23,24^FH\\^FDCodigo Item Fornecedor:^FS",
                           "^FO27,176^GB590,145,2^FS", "^FT30,113^A0N,28,28^FH\\^FDA1020^FS"};
        QTest::newRow("margem as entered where x stands alone")
            << QStringLiteral(" 030 ") << q << r << c << t << b << QList<int>{5, 10, 20}
            << QStringList{"^FT 030 ,45^A0N,23,24^FH\\^FDEAN^FS",
                           "^FT196,315^A0N,23,24^FH\\^FDTamanho:^FS",
                           "^BY2,3,100^FT215,131^BCN,,Y,N^FD>:789^FS"};
        QTest::newRow("quantity with blanks around")
            << QString() << QStringLiteral("  3  ") << r << c << t << b << QList<int>{4}
            << QStringList{"^PQ3,,1,Y"};
        QTest::newRow("quantity with leading zeros")
            << QString() << QStringLiteral("007") << r << c << t << b << QList<int>{4}
            << QStringList{"^PQ007,,1,Y"};
        QTest::newRow("reference that would end the label")
            << QString() << q << QStringLiteral("A1^FS^XZ^XA~JR") << c << t << b << QList<int>{14}
            << QStringList{"^FT14,113^A0N,28,28^FH\\^FDA1\\5EFS\\5EXZ\\5EXA\\7EJR^FS"};
        QTest::newRow("colour and size with tilde and backslash")
            << QString() << q << r << QStringLiteral("~DG") << QStringLiteral("P\\M") << b
            << QList<int>{16, 18}
            << QStringList{"^FT432,315^A0N,23,24^FH\\^FD\\7EDG^FS",
                           "^FT282,315^A0N,23,24^FH\\^FDP\\5CM^FS"};
        QTest::newRow("line feed inside the reference stays on its line")
            << QString() << q << QStringLiteral("A1\nB2\r") << c << t << b << QList<int>{14, 15}
            << QStringList{"^FT14,113^A0N,28,28^FH\\^FDA1\\0AB2\\0D^FS",
                           "^FT185,250^A0N,23,24^FH\\^FDT900^FS"};
        QTest::newRow("barcode data with invocation characters")
            << QString() << q << r << c << t << QStringLiteral("A>1^2~3\\") << QList<int>{20}
            << QStringList{"^BY2,3,100^FT199,131^BCN,,Y,N^FD>:A>01><2>=3\\^FS"};
    }
    void labelLines() {
        QFETCH(QString, margem);
        QFETCH(QString, qte);
        QFETCH(QString, referencia);
        QFETCH(QString, cor);
        QFETCH(QString, tamanho);
        QFETCH(QString, barras);
        QFETCH(QList<int>, numbers);
        QFETCH(QStringList, lines);
        Fixture f;
        f.margem.setText(margem);
        f.cod_barras.setText(barras);
        f.addRow(qte, referencia, cor, tamanho);
        f.run(1, 1, 1);
        const QStringList written = f.jobLines();
        QCOMPARE(written.size(), 22);
        for (int i = 0; i < numbers.size(); ++i) {
            QCOMPARE(written[numbers[i]], lines[i]);
        }
    }

    void settingsWithBreaksAreEscaped() {
        Fixture f;
        f.cod_terceiro.setText(QStringLiteral("T\r\n9^"));
        f.descricao.setText(QStringLiteral("a\\b~c"));
        f.cod_fornecedor.setText(QStringLiteral("F\n1"));
        f.addStandardRow();
        f.addStandardRow();
        f.run(2, 1, 2);
        const QStringList written = f.jobLines();
        QCOMPARE(written.size(), 1 + 2 * 21);
        QCOMPARE(written[15], QStringLiteral("^FT185,240^A0N,23,24^FH\\^FDT\\0D\\0A9\\5E^FS"));
        QCOMPARE(written[16], QStringLiteral("^FT280,272^A0N,23,24^FH\\^FDF\\0A1^FS"));
        QCOMPARE(written[19], QStringLiteral("^FT124,204^A0N,23,24^FH\\^FDa\\5Cb\\7Ec^FS"));
    }

    void refusedJobs_data() {
        QTest::addColumn<QString>("field");  // which setting, or "qte" for row 2's quantity
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("named");  // what the message must name
        QTest::newRow("densidade with a command") << "densidade"
                                                  << "15^XZ"
                                                  << "Densidade";
        QTest::newRow("densidade with a line feed") << "densidade"
                                                    << "15\n"
                                                    << "Densidade";
        QTest::newRow("velocidade with a tilde") << "velocidade"
                                                 << "4~JR"
                                                 << "Velocidade";
        QTest::newRow("velocidade with a CR") << "velocidade"
                                              << "4\r"
                                              << "Velocidade";
        QTest::newRow("margem with a caret") << "margem"
                                             << "30^"
                                             << "Margem";
        QTest::newRow("margem not a number") << "margem"
                                             << "abc"
                                             << "Margem";
        QTest::newRow("margem with a fraction") << "margem"
                                                << "30.5"
                                                << "Margem";
        QTest::newRow("margem negative") << "margem"
                                         << "-5"
                                         << "Margem";
        QTest::newRow("margem with a tab") << "margem"
                                           << "\t30"
                                           << "Margem";
        QTest::newRow("margem too large") << "margem"
                                          << "99999999999"
                                          << "Margem";
        QTest::newRow("destino with a line feed") << "destino"
                                                  << "out.prn\ndel x"
                                                  << "Destino";
        QTest::newRow("destino with a caret") << "destino"
                                              << "^XA"
                                              << "Destino";
        QTest::newRow("cod_barras with a tab") << "cod_barras"
                                               << "789\t1"
                                               << "Código de barras";
        QTest::newRow("cod_barras with a line feed") << "cod_barras"
                                                     << "789\n"
                                                     << "Código de barras";
        QTest::newRow("quantity with commands") << "qte"
                                                << "1^XZ"
                                                << "linha 2";
        QTest::newRow("quantity in words") << "qte"
                                           << "dois"
                                           << "linha 2";
        QTest::newRow("quantity empty") << "qte"
                                        << "  "
                                        << "linha 2";
        QTest::newRow("quantity with a sign") << "qte"
                                              << "+3"
                                              << "linha 2";
    }
    void refusedJobs() {
        QFETCH(QString, field);
        QFETCH(QString, value);
        QFETCH(QString, named);
        Fixture f;
        f.addStandardRow();
        f.addStandardRow();
        f.addStandardRow();
        const std::pair<const char*, PlainTextField*> fields[] = {
            {"densidade", &f.densidade}, {"velocidade", &f.velocidade}, {"margem", &f.margem},
            {"destino", &f.destino},     {"cod_barras", &f.cod_barras},
        };
        for (const auto& [name, text] : fields) {
            if (field == QLatin1String(name)) {
                text->setText(value);
            }
        }
        if (field == QLatin1String("qte")) {
            f.grid.setTextMatrix(2, 0, value);
        }
        const QByteArray oldJob("^XA^FDold^XZ\r\n");
        f.temp.writeAppFile(QStringLiteral("epltemp.prn"), oldJob);

        f.run(1, 1, 3);

        QCOMPARE(f.messages.shown.size(), 1);
        const ScriptedMessageBox::Shown& box = f.messages.shown.front();
        QVERIFY2(box.text.contains(named), qPrintable(box.text));
        QCOMPARE(box.title, QStringLiteral("ATENÇÃO!!!"));
        QCOMPARE(box.icon, MessageBox::Icon::Exclamation);
        QCOMPARE(box.buttons, MessageBox::Buttons::Ok);
        QCOMPARE(f.jobBytes(), oldJob);
        QVERIFY(!QFile::exists(f.appFile("printmorv.bat")));
        QVERIFY(f.runner.started.isEmpty());
        QCOMPARE(f.grid.Cols(), 6);
    }

    void emptyRangeWritesOnlyTheDarkness() {
        Fixture f;
        f.addStandardRow();
        f.addStandardRow();
        f.run(1, 2, 1);
        QCOMPARE(f.jobBytes(), QByteArray("~SD15\r\n"));
        QCOMPARE(f.runner.started.size(), 1);
        QVERIFY(QFile::exists(f.appFile("printmorv.bat")));
        QCOMPARE(f.grid.TextMatrix(1, 8), QString());
        QCOMPARE(f.grid.TextMatrix(2, 8), QString());
    }

    void oldJobIsReplacedWhateverItsCase() {
        Fixture f;
        f.addStandardRow();
        f.temp.writeAppFile(QStringLiteral("EPLTEMP.PRN"), QByteArray(5000, 'x'));
        f.run(1, 1, 1);
        const QStringList entries = QDir(f.temp.folders().application).entryList(QDir::Files);
        QCOMPARE(entries.filter(QStringLiteral("epltemp"), Qt::CaseInsensitive).size(), 1);
        const QByteArray bytes = TempFolders::readFile(
            f.appFile(entries.filter(QStringLiteral("prn"), Qt::CaseInsensitive).front()));
        QCOMPARE(bytes, jobFile({kLabelA}));
    }

    void existingBatchIsLeftAsItIs() {
        Fixture f;
        f.addStandardRow();
        const QByteArray old("type epltemp.prn > /dev/usb/lp0\r\n");
        f.temp.writeAppFile(QStringLiteral("PrintMorv.BAT"), old);
        f.destino.setText(QStringLiteral("novo.prn"));
        f.run(2, 1, 1);
        QCOMPARE(TempFolders::readFile(f.appFile("PrintMorv.BAT")), old);
        QCOMPARE(QDir(f.temp.folders().application).entryList({"*.bat", "*.BAT"}).size(), 1);
        QCOMPARE(f.runner.started, QStringList{f.appFile("PrintMorv.BAT")});
    }

    void batchStartsAfterTheJobIsComplete() {
        Fixture f;
        f.addStandardRow();
        QByteArray seen;
        f.runner.onStart = [&](const QString&) { seen = f.jobBytes(); };
        f.run(1, 1, 1);
        QCOMPARE(seen, jobFile({kLabelA}));
    }

    void printedRowsAreMarkedInHiddenColumns() {
        Fixture f;
        for (int i = 0; i < 4; ++i) {
            f.addRow(QString::number(i + 1), QStringLiteral("R%1").arg(i + 1), QStringLiteral("C"),
                     QStringLiteral("T"));
        }
        f.run(1, 2, 3);
        QCOMPARE(f.grid.Cols(), 9);
        for (int col = 0; col < 5; ++col) {
            QCOMPARE(f.grid.ColWidth(col), 1000 + col);
        }
        for (int col = 5; col < 9; ++col) {
            QCOMPARE(f.grid.ColWidth(col), 0);
        }
        const QStringList marks = {f.grid.TextMatrix(1, 8), f.grid.TextMatrix(2, 8),
                                   f.grid.TextMatrix(3, 8), f.grid.TextMatrix(4, 8)};
        QCOMPARE(marks, (QStringList{"", "S", "S", ""}));
        QCOMPARE(f.grid.TextMatrix(3, 1), QStringLiteral("R3"));
        QCOMPARE(f.txtreduzido.text(), QStringLiteral("R3"));
        QCOMPARE(f.lblinha.text(), QStringLiteral("3"));
        QCOMPARE(f.jobLines().size(), 1 + 2 * 21);
    }

    void rowBeyondTheGridFailsKeepingWhatWasWritten() {
        Fixture f;
        f.addStandardRow();
        // Rows 1 (item) and 2 (the empty last row) exist; the range reaches row 5.
        f.grid.setTextMatrix(2, 0, QStringLiteral("1"));
        QVERIFY_THROWS_EXCEPTION(Error, f.run(1, 1, 5));
        QCOMPARE(f.jobLines().size(), 1 + 2 * 21);
        QVERIFY(!QFile::exists(f.appFile("printmorv.bat")));
        QVERIFY(f.runner.started.isEmpty());
        QCOMPARE(f.grid.TextMatrix(2, 8), QStringLiteral("S"));
    }

    void jobFileThatCannotBeDeletedFails() {
        Fixture f;
        f.addStandardRow();
        QDir(f.temp.folders().application).mkpath(QStringLiteral("epltemp.prn/busy"));
        QVERIFY_THROWS_EXCEPTION(Error, f.run(1, 1, 1));
        QVERIFY(f.runner.started.isEmpty());
        QVERIFY(!QFile::exists(f.appFile("printmorv.bat")));
    }
};

QTEST_GUILESS_MAIN(TestMarketplaceJob)
#include "test_marketplace_job.moc"
