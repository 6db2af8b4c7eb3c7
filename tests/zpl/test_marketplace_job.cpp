#include "fakes/grid_rows.h"
#include "fakes/recording_command_runner.h"
#include "fakes/scripted_message_box.h"
#include "fakes/temp_folders.h"
#include "platform/error.h"
#include "platform/text_encoding.h"
#include "zpl/marketplace_job.h"

#include <QDir>
#include <QTest>

#include <csignal>

#include <sys/resource.h>

using namespace etq;
using namespace etq::test;

namespace {

const QString kJob = QStringLiteral("epltemp.prn");

// One label of the row (3, A1020, AZUL, 38) with the settings of Fixture: layout A, x = 14.
const QStringList kLabelA = QStringLiteral(
                                "^XA|^LH45,0|^PR4,4|^PQ3,,1,Y|"
                                "^FT14,45^A0N,23,24^FH\\^FDEAN^FS|"
                                "^FT14,75^A0N,18,16^FH\\^FDID. ITEM^FS|"
                                "^FT20,282^A0N,23,24^FH\\^FDCodigo Item Fornecedor:^FS|"
                                "^FT20,214^A0N,23,24^FH\\^FDDescricao:^FS|"
                                "^FT20,250^A0N,23,24^FH\\^FDCodigo Terceiro:^FS|"
                                "^FT180,315^A0N,23,24^FH\\^FDTamanho:^FS|"
                                "^FT390,315^A0N,23,24^FH\\^FDCor:^FS|"
                                "^FT20,315^A0N,23,24^FH\\^FDMORVAL/WMS^FS|"
                                "^FO11,176^GB590,145,2^FS|"
                                "^FT14,113^A0N,28,28^FH\\^FDA1020^FS|"
                                "^FT185,250^A0N,23,24^FH\\^FDT900^FS|"
                                "^FT432,315^A0N,23,24^FH\\^FDAZUL^FS|"
                                "^FT280,282^A0N,23,24^FH\\^FDF-77^FS|"
                                "^FT282,315^A0N,23,24^FH\\^FD38^FS|"
                                "^FT124,214^A0N,23,24^FH\\^FDCAMISA POLO^FS|"
                                "^BY2,3,100^FT199,131^BCN,,Y,N^FD>:7891234567890^FS|^XZ")
                                .split('|');

// Layout B: the lower lines and the box 10 dots higher, the box 580 wide, the supplier code
// before the colour.
QStringList labelB() {
    QStringList lines = kLabelA;
    for (QString& line : lines) {
        for (int y : {282, 214, 250, 315}) {
            line.replace(QStringLiteral(",%1^").arg(y), QStringLiteral(",%1^").arg(y - 10));
        }
        line.replace(QStringLiteral("176^GB590"), QStringLiteral("166^GB580"));
    }
    lines.swapItemsAt(15, 16);
    return lines;
}

// The job file: the darkness line, then the labels' lines, each ended by CR LF.
QByteArray jobFile(const QStringList& lines) {
    return ("~SD15\r\n" + lines.join("\r\n") + (lines.isEmpty() ? "" : "\r\n")).toLatin1();
}

const QStringList kSettings = QStringLiteral(
                                  "densidade velocidade margem cod_fornecedor descricao "
                                  "cod_terceiro cod_barras destino")
                                  .split(' ');

// The window's fields as the job reads them (blanks around three settings show that they are
// trimmed), the grid as start-up leaves it with item rows "qte|referencia|cor|tamanho" joined
// by ";", and the job over them.
struct Fixture {
    FlexGrid grid;
    PlainTextField p[6], s[8];  // the detail panel's fields; the settings, in kSettings' order
    DetailPanel panel{p[0], p[1], p[2], p[3], p[4], p[5]};
    MarketplaceSettings settings{s[0], s[1], s[2], s[3], s[4], s[5], s[6], s[7]};
    ScriptedMessageBox messages;
    TempFolders temp;
    QString app = temp.folders().application;
    RecordingCommandRunner runner;
    MarketplaceJob job{grid, panel, settings, messages, app, runner};

    explicit Fixture(const QString& rows = "3|A1020|AZUL|38") {
        set("densidade=15;velocidade=4;cod_fornecedor= F-77 ;descricao=CAMISA POLO  ;"
            "cod_terceiro=T900;cod_barras=  7891234567890;destino=out.prn");
        grid.setCols(6);
        for (const QString& row : rows.split(';')) {
            const QStringList cells = (row + "|4501|N").split('|');
            for (int col = 0; col < 6; ++col) {
                grid.setTextMatrix(grid.Rows() - 1, col, cells[col]);
            }
            grid.setRows(grid.Rows() + 1);
        }
    }
    // "name=value" joined by ";": settings, or "qte" for the quantity of row 2.
    void set(const QString& assignments) {
        for (const QString& assignment : assignments.split(';', Qt::SkipEmptyParts)) {
            const QString name = assignment.section('=', 0, 0);
            const QString value = assignment.section('=', 1);
            if (name == QLatin1String("qte")) {
                grid.setTextMatrix(2, 0, value);
            } else {
                QVERIFY2(kSettings.contains(name), qPrintable(name));
                s[kSettings.indexOf(name)].setText(value);
            }
        }
    }
    QString file(const QString& name) const { return QDir(app).filePath(name); }
    QByteArray read(const QString& name) const { return TempFolders::readFile(file(name)); }
    QStringList entries() const {
        return QDir(app).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
    }
    QString rows() const { return gridRows(grid).join(';'); }
    void run(int layout, int first, int last) {
        (layout == 1 ? imprime_wms_1 : imprime_wms_2)(qint16(first), qint16(last), job);
    }
};

}  // namespace

class TestMarketplaceJob : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    // The job file as the batch finds it when it starts, the rows marked in column 8, the
    // batch that copies the job to the destination, and the last row printed in the panel.
    void writesJobAndStartsBatch() {
        QStringList middle;  // the labels of rows (2, R2, C, T) and (3, R3, C, T)
        for (const char* n : {"2", "3"}) {
            QStringList label = kLabelA;
            label[3] = QStringLiteral("^PQ%1,,1,Y").arg(n);
            label[13].replace("A1020", QStringLiteral("R%1").arg(n));
            label[15].replace("AZUL", "C");
            label[17].replace("38", "T");
            middle += label;
        }
        const QString one = "3|A1020|AZUL|38", blank = "||||||||";
        const struct {
            int layout;
            QString margem, rows;
            int first, last;
            QStringList labels;
            QString after;  // the grid's data rows afterwards, then the row number and
                            // reference the panel shows
        } cases[] = {
            {1, "", one, 1, 1, kLabelA, one + "|4501|N|||S;" + blank + " 1 A1020"},
            {1, "   ", one, 1, 1, kLabelA, one + "|4501|N|||S;" + blank + " 1 A1020"},
            {2, " ", one + "; 3 | A1020|AZUL | 38 ", 1, 2, labelB() + labelB(),
             one + "|4501|N|||S; 3 | A1020|AZUL | 38 |4501|N|||S;" + blank + " 2  A1020"},
            {1, "", one + ";" + one, 2, 1, QStringList(),
             one + "|4501|N|||;" + one + "|4501|N|||;" + blank + "  "},
            {1, "", "1|R1|C|T;2|R2|C|T;3|R3|C|T;4|R4|C|T", 2, 3, middle,
             "1|R1|C|T|4501|N|||;2|R2|C|T|4501|N|||S;3|R3|C|T|4501|N|||S;4|R4|C|T|4501|N|||;" +
                 blank + " 3 R3"}};
        for (const auto& c : cases) {
            Fixture f(c.rows);
            f.set("margem=" + c.margem);
            QByteArray seen;
            f.runner.onStart = [&](const QString&) { seen = f.read(kJob); };
            f.run(c.layout, c.first, c.last);
            QCOMPARE(seen, jobFile(c.labels));
            QCOMPARE(f.messages.shown.size(), 0);
            QCOMPARE(f.runner.started, QStringList{f.file("printmorv.bat")});
            QCOMPARE(f.read("printmorv.bat"), QByteArray("type epltemp.prn > out.prn\r\n"));
            QCOMPARE(f.rows() + ' ' + f.p[5].text() + ' ' + f.p[0].text(), c.after);
        }
    }

    // Lines of a one-label job by number (1 = the label's "^XA").
    void labelLines() {
        const struct {
            int layout;
            QString settings, row;
            QString lines;  // "number text", joined by "|"
        } cases[] = {
            // x = 30 in sums and alone; escapes in the row's texts and the barcode data.
            {1, "margem=30;cod_barras=A>1^2~3\\", "  3  |A1^FS^XZ^XA~JR|~DG|P\\M",
             "4 ^PQ3,,1,Y|5 ^FT30,45^A0N,23,24^FH\\^FDEAN^FS|"
             "6 ^FT30,75^A0N,18,16^FH\\^FDID. ITEM^FS|"
             "7 ^FT36,282^A0N,23,24^FH\\^FDCodigo Item Fornecedor:^FS|"
             "13 ^FO27,176^GB590,145,2^FS|"
             "14 ^FT30,113^A0N,28,28^FH\\^FDA1\\5EFS\\5EXZ\\5EXA\\7EJR^FS|"
             "16 ^FT448,315^A0N,23,24^FH\\^FD\\7EDG^FS|"
             "18 ^FT298,315^A0N,23,24^FH\\^FDP\\5CM^FS|"
             "20 ^BY2,3,100^FT215,131^BCN,,Y,N^FD>:A>01><2>=3\\^FS"},
            // The margem as entered where x stands alone, as a number in sums.
            {1, "margem= 030 ", "007|A1\nB2\r|AZUL|38",
             "4 ^PQ007,,1,Y|5 ^FT 030 ,45^A0N,23,24^FH\\^FDEAN^FS|"
             "10 ^FT196,315^A0N,23,24^FH\\^FDTamanho:^FS|"
             "14 ^FT 030 ,113^A0N,28,28^FH\\^FDA1\\0AB2\\0D^FS|"
             "15 ^FT201,250^A0N,23,24^FH\\^FDT900^FS"},
            {2, "cod_terceiro=T\r\n9^;descricao=a\\b~c;cod_fornecedor=F\n1", "3|A1020|AZUL|38",
             "15 ^FT185,240^A0N,23,24^FH\\^FDT\\0D\\0A9\\5E^FS|"
             "16 ^FT280,272^A0N,23,24^FH\\^FDF\\0A1^FS|"
             "19 ^FT124,204^A0N,23,24^FH\\^FDa\\5Cb\\7Ec^FS"}};
        for (const auto& c : cases) {
            Fixture f(c.row);
            f.set(c.settings);
            f.run(c.layout, 1, 1);
            const QStringList written = decodeWindows1252(f.read(kJob)).split("\r\n");
            QCOMPARE(written.size(), 23);  // "~SD", 21 lines and the empty text after the last
            for (const QString& line : c.lines.split('|')) {
                QCOMPARE(written[line.section(' ', 0, 0).toInt()], line.section(' ', 1));
            }
        }
    }

    // Settings or quantities that would corrupt the job: one message naming the field, and
    // nothing written, deleted or started.
    void refusesBeforeWriting() {
        const char* const cases[][3] = {
            {"densidade", "Densidade", "15^XZ|15\n"},
            {"velocidade", "Velocidade", "4~JR|4\r"},
            {"margem", "Margem", "30^|abc|30.5|-5|\t30|99999999999"},
            {"destino", "Destino", "out.prn\ndel x|^XA"},
            {"cod_barras", "Código de barras", "789\t1|789\n"},
            {"qte", "linha 2", "1^XZ|dois|  |+3"},
        };
        for (const auto& [field, named, values] : cases) {
            for (const QString& value : QString::fromUtf8(values).split('|')) {
                Fixture f("3|A1020|AZUL|38;3|A1020|AZUL|38;3|A1020|AZUL|38");
                f.set(QLatin1String(field) + '=' + value);
                f.temp.writeAppFile(kJob, "^XA^FDold^XZ\r\n");
                f.run(1, 1, 3);
                QCOMPARE(f.messages.shown.size(), 1);
                const ScriptedMessageBox::Shown& box = f.messages.shown.front();
                QVERIFY2(box.text.contains(QString::fromUtf8(named)), qPrintable(box.text));
                QCOMPARE(box.title, QStringLiteral("ATENÇÃO!!!"));
                QCOMPARE(box.icon, MessageBox::Icon::Exclamation);
                QCOMPARE(box.buttons, MessageBox::Buttons::Ok);
                QCOMPARE(f.entries(), QStringList{kJob});
                QCOMPARE(f.read(kJob), QByteArray("^XA^FDold^XZ\r\n"));
                QVERIFY(f.runner.started.isEmpty());
                QCOMPARE(f.grid.Cols(), 6);
            }
        }
    }

    // Files already there in another letter case: the old job is replaced, the batch kept.
    void filesInAnotherCase() {
        Fixture f;
        f.temp.writeAppFile("EPLTEMP.PRN", QByteArray(5000, 'x'));
        f.temp.writeAppFile("PrintMorv.BAT", "type epltemp.prn > /dev/usb/lp0\r\n");
        f.run(1, 1, 1);
        QCOMPARE(f.entries().size(), 2);
        QCOMPARE(f.read(f.entries().filter(".prn", Qt::CaseInsensitive).value(0)),
                 jobFile(kLabelA));
        QCOMPARE(f.read("PrintMorv.BAT"), QByteArray("type epltemp.prn > /dev/usb/lp0\r\n"));
        QCOMPARE(f.runner.started, QStringList{f.file("PrintMorv.BAT")});
    }

    // The job cannot write its file: the error reaches the caller, nothing is started or
    // shown, the operator's rows are all there, and what stood in the job file's place stays.
    // Rows are marked as their lines are written, so a full disk leaves them marked.
    void jobFileFails() {
        const QString rows = "3|A1020|AZUL|38|4501|N;1|B7|PRETO|40|4501|N;|||||";
        const QString marked = "3|A1020|AZUL|38|4501|N|||S;1|B7|PRETO|40|4501|N|||S;||||||||";
        rlimit unlimited{};
        QCOMPARE(getrlimit(RLIMIT_FSIZE, &unlimited), 0);
        std::signal(SIGXFSZ, SIG_IGN);
        for (int cause = 0; cause < 3; ++cause) {  // no folder, a folder in its place, full disk
            Fixture f("3|A1020|AZUL|38;1|B7|PRETO|40");
            QVERIFY(cause == 0 ? QDir(f.app).removeRecursively()
                               : QDir(f.app).mkpath(cause == 1 ? kJob + "/keep" : "."));
            const rlimit limit{cause == 2 ? 100 : unlimited.rlim_cur, unlimited.rlim_max};
            QCOMPARE(setrlimit(RLIMIT_FSIZE, &limit), 0);
            QString error;
            try {
                f.run(1, 1, 2);
            } catch (const Error& e) {
                error = e.description();
            }
            setrlimit(RLIMIT_FSIZE, &unlimited);
            QVERIFY2(error.contains(kJob), qPrintable(error));
            QCOMPARE(f.messages.shown.size() + f.runner.started.size(), 0);
            QCOMPARE(f.rows(), cause == 2 ? marked : rows);
            QCOMPARE(f.entries(), cause == 0 ? QStringList() : QStringList{kJob});
            QVERIFY(cause != 1 || QFileInfo(f.file(kJob + "/keep")).isDir());
        }
        std::signal(SIGXFSZ, SIG_DFL);
    }

    void rowBeyondTheGridFailsKeepingWhatWasWritten() {
        Fixture f;
        f.set("qte=1");  // the empty last row; none after it
        QVERIFY_THROWS_EXCEPTION(Error, f.run(1, 1, 5));
        QCOMPARE(f.read(kJob).count("^XA"), 2);
        QCOMPARE(f.entries(), QStringList{kJob});
        QVERIFY(f.runner.started.isEmpty());
        QCOMPARE(gridRows(f.grid).value(1), QStringLiteral("1||||||||S"));
    }
};

QTEST_GUILESS_MAIN(TestMarketplaceJob)
#include "test_marketplace_job.moc"
