// The marketplace label job, and the runner of the batch it writes.

#include "fakes/grid_rows.h"
#include "fakes/recording_command_runner.h"
#include "fakes/scripted_message_box.h"
#include "fakes/temp_folders.h"
#include "fakes/unprivileged_child.h"
#include "platform/batch_line.h"
#include "platform/batch_runner.h"
#include "platform/error.h"
#include "platform/text_encoding.h"
#include "private_cups.h"
#include "zpl/marketplace_job.h"

#include <QDirIterator>
#include <QTest>

#include <csignal>
#include <tuple>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace etq;
using namespace etq::test;

namespace {

const QString kJob = QStringLiteral("epltemp.prn");

// A job with every byte value in it, so any change on the way shows.
QByteArray jobBytes() {
    QByteArray bytes("~SD15\r\n^XA\r\n^FT14,113^A0N,28,28^FH\\^FDA\\5E1^FS\r\n^XZ\r\n");
    for (int i = 0; i < 256; ++i) {
        bytes += static_cast<char>(i);
    }
    return bytes;
}

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(file.write(bytes), bytes.size());
}

// The lines of a label joined by "|", "@" standing for the font and data start of the small
// fields.
QStringList label(const QString& joined) {
    return joined.split('|').replaceInStrings("@", "^A0N,23,24^FH\\^FD");
}

// One label of the row (3, A1020, AZUL, 38) with the settings of Fixture: layout A, x = 14.
const QStringList kLabelA = label(
    "^XA|^CI27|^LH45,0|^PR4,4|^PQ3,,1,Y|^FT14,45@EAN^FS|^FT14,75^A0N,18,16^FH\\^FDID. ITEM^FS|"
    "^FT20,282@Codigo Item Fornecedor:^FS|^FT20,214@Descricao:^FS|"
    "^FT20,250@Codigo Terceiro:^FS|^FT180,315@Tamanho:^FS|^FT390,315@Cor:^FS|"
    "^FT20,315@MORVAL/WMS^FS|^FO11,176^GB590,145,2^FS|^FT14,113^A0N,28,28^FH\\^FDA1020^FS|"
    "^FT185,250@T900^FS|^FT432,315@AZUL^FS|^FT280,282@F-77^FS|^FT282,315@38^FS|"
    "^FT124,214@CAMISA POLO^FS|^BY2,3,100^FT199,131^BCN,,Y,N^FD>:7891234567890^FS|^XZ");

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
    lines.swapItemsAt(16, 17);
    return lines;
}

// The job file: the darkness line, then the labels' lines, each ended by CR LF.
QByteArray jobFile(const QStringList& lines) {
    return ("~SD15\r\n" + lines.join("\r\n") + (lines.isEmpty() ? "" : "\r\n")).toLatin1();
}

const QStringList kSettings = {"densidade", "velocidade",   "margem",     "cod_fornecedor",
                               "descricao", "cod_terceiro", "cod_barras", "destino"};

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
    // Settings as "name=value", joined by ";".
    void set(const QString& assignments) {
        for (const QString& assignment : assignments.split(';', Qt::SkipEmptyParts)) {
            const qsizetype i = kSettings.indexOf(assignment.section('=', 0, 0));
            QVERIFY2(i >= 0, qPrintable(assignment));
            s[i].setText(assignment.section('=', 1));
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

    PrivateCups cups_;
    QString printed_;  // what the printer queue ZebraRaw receives
    QTemporaryDir dir_;
    QString work_;  // the working directory: where the batch finds the job file
    QString batch_;

    // Every entry under the temporary folder but `skip`, with a hash of its contents.
    QStringList snapshot(const QString& skip) const {
        QStringList entries;
        for (QDirIterator it(dir_.path(), QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden,
                             QDirIterator::Subdirectories);
             it.hasNext();) {
            if (const QString path = it.next(); path != skip) {
                entries << path + ' ' + QString::number(qHash(TempFolders::readFile(path)));
            }
        }
        entries.sort();
        return entries;
    }

    // Runs the batch in a child that file permissions hold: each message as title, icon, text.
    QStringList run(const QString& batch) {
        QString problem;
        const std::optional<QByteArray> bytes = runUnprivileged(
            [&] {
                ScriptedMessageBox messages;
                QStringList shown;
                try {
                    BatchRunner(messages, {dir_.path(), dir_.path()}).startBatch(batch);
                } catch (const Error&) {
                    shown << QStringLiteral("Error");
                }
                for (const ScriptedMessageBox::Shown& box : messages.shown) {
                    shown << box.title + QString::number(int(box.icon)) + box.text;
                }
                return shown.join(QChar(0)).toUtf8();
            },
            problem);
        return bytes ? QString::fromUtf8(*bytes).split(QChar(0), Qt::SkipEmptyParts)
                     : QStringList{problem};
    }

  private Q_SLOTS:
    void initTestCase() {
        QString error = cups_.start();
        QVERIFY2(error.isEmpty(), qPrintable(error));
        // A raw queue: its one filter passes the bytes on as they are (without a filter,
        // nothing would reach a file device).
        const QString ppd = cups_.outputFolder() + QStringLiteral("/raw.ppd");
        writeFile(ppd,
                  "*PPD-Adobe: \"4.3\"\n*NickName: \"Raw file\"\n"
                  "*cupsFilter: \"application/vnd.cups-raw 0 gziptoany\"\n");
        printed_ = cups_.outputFolder() + QStringLiteral("/printed.prn");
        error = cups_.addQueue({"-p", "ZebraRaw", "-E", "-v", "file://" + printed_, "-P", ppd});
        QVERIFY2(error.isEmpty(), qPrintable(error));
        // For the batch runner: a longer file where the job goes, a subfolder, read-only ones.
        work_ = dir_.filePath(QStringLiteral("work"));
        batch_ = dir_.filePath(QStringLiteral("app/printmorv.bat"));
        for (const char* sub : {"work/sub", "work/readonly", "app"}) {
            QVERIFY(QDir(dir_.path()).mkpath(QLatin1String(sub)));
        }
        writeFile(work_ + "/epltemp.prn", jobBytes());
        writeFile(work_ + "/out.prn", QByteArray(9000, 'z'));
        writeFile(work_ + "/readonly/zebra.prn", "old contents\r\n");
        QVERIFY(setMode(dir_.path(), 0755) && setMode(work_, 0777) &&
                setMode(work_ + "/sub", 0777) && setMode(work_ + "/out.prn", 0666) &&
                setMode(work_ + "/readonly/zebra.prn", 0444) && setMode(work_ + "/readonly", 0555));
        QVERIFY(QDir::setCurrent(work_));
    }

    // The job as the batch finds it, rows marked in column 8, the batch, the panel's last row.
    void writesJobAndStartsBatch() {
        const QString one = "3|A1020|AZUL|38", blank = "||||||||";
        // layout, margem, rows, range, labels written; then the grid's data rows and the row
        // number and reference the panel shows
        const std::tuple<int, QString, QString, int, int, QStringList, QString> cases[] = {
            {1, "", one, 1, 1, kLabelA, one + "|4501|N|||S;" + blank + " 1 A1020"},
            {2, " ", one + "; 3 | A1020|AZUL | 38 ", 1, 2, labelB() + labelB(),
             one + "|4501|N|||S; 3 | A1020|AZUL | 38 |4501|N|||S;" + blank + " 2  A1020"},
            {1, "", one + ";" + one, 2, 1, QStringList(),
             one + "|4501|N|||;" + one + "|4501|N|||;" + blank + "  "},
            // Quantities 1 and 4 around the range would show in the labels.
            {1, "", "1|A1020|AZUL|38;" + one + ";" + one + ";4|A1020|AZUL|38", 2, 3,
             kLabelA + kLabelA,
             "1|A1020|AZUL|38|4501|N|||;" + one + "|4501|N|||S;" + one + "|4501|N|||S;" +
                 "4|A1020|AZUL|38|4501|N|||;" + blank + " 3 A1020"}};
        for (const auto& [layout, margem, rows, first, last, labels, after] : cases) {
            Fixture f(rows);
            f.set("margem=" + margem);
            QByteArray seen;
            f.runner.onStart = [&](const QString&) { seen = f.read(kJob); };
            f.run(layout, first, last);
            QCOMPARE(seen, jobFile(labels));
            QCOMPARE(f.messages.shown.size(), 0);
            QCOMPARE(f.runner.started, QStringList{f.file("printmorv.bat")});
            QCOMPARE(f.read("printmorv.bat"), QByteArray("type epltemp.prn > out.prn\r\n"));
            QCOMPARE(f.rows() + ' ' + f.p[5].text() + ' ' + f.p[0].text(), after);
        }
    }

    // Lines of a one-label job by number (1 = the label's "^XA", 2 its code page).
    void labelLines() {
        // layout, settings, row; lines as "number text" ("@" as in kLabelA) joined by "|"
        const std::tuple<int, QString, QString, QString> cases[] = {
            // x = 30 in sums and alone; escapes in the row's texts and the barcode data.
            {1, "margem=30;cod_barras=A>1^2~3\\", "  3  |A1^FS^XZ^XA~JR|~DG|P\\M",
             "1 ^XA|2 ^CI27|5 ^PQ3,,1,Y|6 ^FT30,45@EAN^FS|7 ^FT30,75^A0N,18,16^FH\\^FDID. ITEM^FS|"
             "8 ^FT36,282@Codigo Item Fornecedor:^FS|14 ^FO27,176^GB590,145,2^FS|"
             "15 ^FT30,113^A0N,28,28^FH\\^FDA1\\5EFS\\5EXZ\\5EXA\\7EJR^FS|"
             "17 ^FT448,315@\\7EDG^FS|19 ^FT298,315@P\\5CM^FS|"
             "21 ^BY2,3,100^FT215,131^BCN,,Y,N^FD>:A>01><2>=3\\^FS|22 ^XZ"},
            // The margem as entered where x stands alone; escapes in the settings.
            {2, "margem= 030 ;cod_terceiro=T\r\n9^;descricao=a\\b~c;cod_fornecedor=F\n1",
             "007|A1\nB2\r|AZUL|38",
             "2 ^CI27|5 ^PQ007,,1,Y|6 ^FT 030 ,45@EAN^FS|11 ^FT196,305@Tamanho:^FS|"
             "15 ^FT 030 ,113^A0N,28,28^FH\\^FDA1\\0AB2\\0D^FS|16 ^FT201,240@T\\0D\\0A9\\5E^FS|"
             "17 ^FT296,272@F\\0A1^FS|20 ^FT140,204@a\\5Cb\\7Ec^FS"}};
        for (const auto& [layout, settings, row, lines] : cases) {
            Fixture f(row);
            f.set(settings);
            f.run(layout, 1, 1);
            const QStringList written = decodeWindows1252(f.read(kJob)).split("\r\n");
            QCOMPARE(written.size(), 24);  // "~SD", 22 lines and the empty text after the last
            for (const QString& line : lines.split('|')) {
                QCOMPARE(written[line.section(' ', 0, 0).toInt()], label(line.section(' ', 1))[0]);
            }
        }
    }

    // Settings or rows that would corrupt the job, or that hold a character the printer's
    // code page lacks: one message naming the field or row (and such a character), and nothing
    // written, deleted or started.
    void refusesBeforeWriting() {
        const char* const cases[][3] = {
            // field or grid row, its name in the message, values joined by "#"
            {"densidade", "Densidade", "15^XZ#15\n"},
            {"velocidade", "Velocidade", "4~JR#4\r"},
            {"margem", "Margem", "30^#abc#30.5#-5#\t30#99999999999"},
            {"destino", "Destino", "out.prn\ndel x#^XA#Łódź"},
            {"cod_barras", "Código de barras", "789\t1#789\n#7Ω1"},
            {"descricao", "Descrição", "Łódź#CAMISA 😀"},
            {"cod_fornecedor", "Código do fornecedor", "F-Ω"},
            {"row", "linha 2",
             "1^XZ|A1020|AZUL|38#dois|A1020|AZUL|38#  |A1020|AZUL|38#+3|A1020|AZUL|38#"
             "3|Łódź|AZUL|38#3|A1020|AZUL Ω|38#3|A1020|AZUL|3😀"},
        };
        for (const auto& [field, named, values] : cases) {
            for (const QString& value : QString::fromUtf8(values).split('#')) {
                const bool row = field == QLatin1String("row");  // row 2 of three
                Fixture f("3|A1020|AZUL|38;" + (row ? value : "3|A1020|AZUL|38") +
                          ";3|A1020|AZUL|38");
                f.set(row ? QString() : QLatin1String(field) + '=' + value);
                f.temp.writeAppFile(kJob, "^XA^FDold^XZ\r\n");
                f.run(1, 1, 3);
                QCOMPARE(f.messages.shown.size(), 1);
                const ScriptedMessageBox::Shown& box = f.messages.shown.front();
                QVERIFY2(box.text.contains(QString::fromUtf8(named)) &&
                             box.title == QStringLiteral("ATENÇÃO!!!") &&
                             box.icon == MessageBox::Icon::Exclamation &&
                             box.buttons == MessageBox::Buttons::Ok,
                         qPrintable(box.text));
                for (const char* outside : {"Ł", "Ω", "😀"}) {
                    QVERIFY2(!value.contains(QString::fromUtf8(outside)) ||
                                 box.text.contains(QString::fromUtf8(outside)),
                             qPrintable(box.text));
                }
                QCOMPARE(f.entries(), QStringList{kJob});
                QCOMPARE(f.read(kJob), QByteArray("^XA^FDold^XZ\r\n"));
                QVERIFY(f.runner.started.isEmpty());
                QCOMPARE(f.grid.Cols(), 6);
            }
        }
    }

    // A printer that reads the job through code page 1252 finds in the text fields exactly
    // the texts of the grid and the settings, accents and the characters ZPL escapes included.
    void fieldsReadAsWindows1252() {
        Fixture f("2|AÇAFRÃO^1|VERDE LIMÃO~|P\\Ñ");
        f.set("descricao=Descrição àé ^~\\;cod_fornecedor=Fº-1;cod_terceiro=T¼€");
        f.run(1, 1, 1);
        const QByteArray job = f.read(kJob);
        QCOMPARE(job.count("^XA\r\n^CI27\r\n"), 1);
        QStringList fields;
        for (qsizetype at = job.indexOf("^FH\\^FD"); at >= 0; at = job.indexOf("^FH\\^FD", at)) {
            at += 7;
            QByteArray field = job.mid(at, job.indexOf("^FS", at) - at), bytes;
            for (qsizetype i = 0; i < field.size(); ++i) {
                const bool hex = field[i] == '\\';
                bytes += hex ? char(field.mid(i + 1, 2).toInt(nullptr, 16)) : field[i];
                i += hex ? 2 : 0;
            }
            fields << decodeWindows1252(bytes);
        }
        for (const char* text : {"AÇAFRÃO^1", "VERDE LIMÃO~", "P\\Ñ", "Descrição àé ^~\\", "Fº-1",
                                 "T¼€", "Codigo Terceiro:"}) {
            QVERIFY2(fields.contains(QString::fromUtf8(text)), qPrintable(fields.join(" | ")));
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

    // The error reaches the caller; nothing is started or shown; the operator's rows and what
    // stood in the job file's place stay. Rows are marked, and lines kept, as they are written.
    void failsPartWay() {
        const QString rows = "3|A1020|AZUL|38|4501|N;1|B7|PRETO|40|4501|N;|||||";
        const QString marked = "3|A1020|AZUL|38|4501|N|||S;1|B7|PRETO|40|4501|N|||S;";
        // the error's text, the folder afterwards, the grid's data rows, labels in the job file
        const std::tuple<const char*, QString, QString, int> cases[] = {
            {"epltemp.prn", "", rows, 0},                   // no application folder
            {"epltemp.prn", kJob, rows, 0},                 // a folder in the job's place
            {"epltemp.prn", kJob, marked + "||||||||", 1},  // a disk full at 100 bytes
            {"Subscript out of range", kJob, marked + "1||||||||S", 3},  // a row beyond the grid
        };
        rlimit unlimited{};
        QCOMPARE(getrlimit(RLIMIT_FSIZE, &unlimited), 0);
        std::signal(SIGXFSZ, SIG_IGN);
        int cause = 0;  // as the rows say
        for (const auto& [named, entries, after, labels] : cases) {
            Fixture f("3|A1020|AZUL|38;1|B7|PRETO|40");
            QVERIFY(cause == 0 ? QDir(f.app).removeRecursively()
                               : QDir(f.app).mkpath(cause == 1 ? kJob + "/keep" : "."));
            f.grid.setTextMatrix(3, 0, cause == 3 ? "1" : "");  // the empty last row; none after
            const rlimit limit{cause == 2 ? 100 : unlimited.rlim_cur, unlimited.rlim_max};
            QCOMPARE(setrlimit(RLIMIT_FSIZE, &limit), 0);
            QString error;
            try {
                f.run(1, 1, cause == 3 ? 5 : 2);
            } catch (const Error& e) {
                error = e.description();
            }
            setrlimit(RLIMIT_FSIZE, &unlimited);
            QVERIFY2(error.contains(QLatin1String(named)), qPrintable(error));
            QCOMPARE(f.messages.shown.size() + f.runner.started.size(), 0);
            QCOMPARE(f.rows(), after);
            QCOMPARE(f.entries().join(';'), entries);
            QCOMPARE(f.read(kJob).count("^XA"), labels);
            QVERIFY(cause != 1 || QFileInfo(f.file(kJob + "/keep")).isDir());
            ++cause;
        }
        std::signal(SIGXFSZ, SIG_DFL);
    }
    void readsTheOneCommand() {
        // Copies as "batch=source>destination", joined by "#".
        const QString copies =
            "TYPE epltemp.prn >/dev/usb/lp0=epltemp.prn>/dev/usb/lp0#type a.prn > b\n\n=a.prn>b#"
            "\r\n  type\tepltemp.prn   >   Zebra  \r\n\r\n=epltemp.prn>Zebra#"
            "type epltemp.prn > my labels.prn=epltemp.prn>my labels.prn#"
            "type \"job file.prn\" > \"a b\"=job file.prn>a b";
        for (const QString& row : copies.split('#')) {
            const std::optional<BatchCopy> copy = parseBatchCopy(row.section('=', 0, 0));
            QCOMPARE(copy ? copy->source + '>' + copy->destination : QString(),
                     row.section('=', 1));
        }
        // Batches of other forms, joined by "#": none is a copy.
        const QString others =
            "#\r\n  \r\n#copy /b epltemp.prn lpt1#type epltemp.prn#type epltemp.prn > \r\n#"
            "type > out.prn#type epltemp.prn >> out.prn#type epltemp.prn > a > b#"
            "type epltemp.prn > a | del x#type epltemp.prn > a & touch p#type x < y > z#"
            "type a.prn b.prn > c#typeepltemp.prn > c#type epltemp.prn > \"#"
            "type epltemp.prn > a\"b#type epltemp.prn > out.prn\r\ndel epltemp.prn\r\n#"
            "@echo off\r\ntype a > b\r\n";
        for (const QString& batch : others.split('#')) {
            QVERIFY2(!parseBatchCopy(batch), qPrintable(batch));
        }
    }

    // The bytes reach the destination unchanged and nothing else changes; a destination the
    // copy cannot write is refused by one message, before anything runs. The rows share one
    // job folder: each compares the folder before and after.
    void copiesOrRefuses() {
        const char* const device = "não é uma impressora instalada nem um arquivo";
        const char* const cases[][3] = {
            // batch ("@": the working directory), destination or none, the one message if any
            {"type epltemp.prn > out.prn\r\n", "out.prn", ""},  // over a longer file
            {"TYPE EPLTEMP.PRN > sub/out.prn", "sub/out.prn", ""},
            {"type epltemp.prn > @/sub/abs.prn", "sub/abs.prn", ""},
            // What a command interpreter would run or redirect is no name.
            {"type epltemp.prn > out.prn; touch pwned\r\n", "", "out.prn; touch pwned"},
            {"type epltemp.prn > $(touch pwned)", "", "caractere \"$\""},
            {"type epltemp.prn > `x`", "", "caractere \"`\""},
            {"type epltemp.prn > 'b c'", "", "caractere \"'\""},
            {"type epltemp.prn > -rf", "-rf", ""},
            // Queue names are found without regard to letter case, as the print system does.
            {"type epltemp.prn > zebraraw\r\n", "ZebraRaw", ""},
            {"copy /b epltemp.prn out.prn\r\n", "", "type epltemp.prn > DESTINO"},
            {"type falta.prn > out.prn", "", "não foi encontrado"},
            {"type epltemp.prn > nada/out.prn", "", device},
            {"type epltemp.prn > \\\\servidor\\zebra", "", device},
            {"type epltemp.prn > sub", "", device},
            {"type epltemp.prn > LPT1", "", device},
            {"type epltemp.prn > sub/Lpt2.prn", "", device},  // a device in any folder
            {"type epltemp.prn > prn.txt", "", device},
            {"type epltemp.prn > readonly/zebra.prn", "", device},
            {"type epltemp.prn > readonly/novo.prn", "", device},
            // Refuses the bytes only once it has them: the copy fails on its own.
            {"type epltemp.prn > /dev/full", "", ""},
        };
        for (const auto& [batch, destination, message] : cases) {
            const QString target = *destination == 'Z' ? printed_ : work_ + '/' + destination;
            writeFile(batch_, QByteArray(batch).replace('@', QFile::encodeName(work_)));
            const QStringList before = snapshot(target);
            const QStringList shown = run(batch_);
            QCOMPARE(shown.size(), *message ? 1 : 0);
            for (const QString& text : shown) {
                QVERIFY2(text.startsWith("ATENÇÃO!!!" +
                                         QString::number(int(MessageBox::Icon::Exclamation))) &&
                             text.contains(QString::fromUtf8(message)) &&
                             text.contains("Nada foi enviado"),
                         qPrintable(text));
            }
            QByteArray bytes;
            for (QDeadlineTimer deadline(*destination ? 30000 : 300);
                 bytes != jobBytes() && !deadline.hasExpired(); QTest::qWait(50)) {
                bytes = TempFolders::readFile(target);
            }
            QVERIFY2(!*destination || bytes == jobBytes(), batch);
            QVERIFY2(snapshot(target) == before, batch);
        }
    }

    // A device that blocks until read (a FIFO here, as a printer port may): the copy waits in
    // its own process, the program does not. Run here: the copy would hold a child's pipe.
    void deviceDestinationDoesNotHoldTheProgram() {
        const QString fifo = QDir(work_).filePath(QStringLiteral("lp0"));
        QCOMPARE(mkfifo(QFile::encodeName(fifo).constData(), 0666), 0);
        writeFile(batch_, QFile::encodeName("type epltemp.prn > " + fifo));
        ScriptedMessageBox messages;
        const QDeadlineTimer soon(2000);
        BatchRunner(messages, {dir_.path(), dir_.path()}).startBatch(batch_);
        QVERIFY(messages.shown.isEmpty());
        QVERIFY(!soon.hasExpired());
        const int fd = open(QFile::encodeName(fifo).constData(), O_RDONLY | O_NONBLOCK);
        QByteArray received(jobBytes().size(), 0);
        for (qsizetype got = 0, deadline = 500; got < received.size() && deadline-- > 0;) {
            got += std::max<ssize_t>(0, read(fd, received.data() + got, received.size() - got));
            QTest::qWait(20);
        }
        close(fd);
        QCOMPARE(received, jobBytes());
    }

    void missingBatchRaises() {
        QCOMPARE(run(dir_.filePath("app/printmorv.BAT")), QStringList{"Error"});
    }
};

QTEST_GUILESS_MAIN(TestMarketplaceJob)
#include "test_marketplace_job.moc"
