// The item list read into the grid (ordinary and hostile files), the numbers an operator types
// and the removal of a grid row.
#include "fakes/grid_rows.h"
#include "fakes/scripted_message_box.h"
#include "fakes/temp_folders.h"
#include "fakes/unprivileged_child.h"
#include "items/grid_editing.h"
#include "items/item_list_loader.h"
#include "items/locale_number.h"

#include <QDataStream>
#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QTest>

using namespace etq;
using namespace etq::test;

namespace {

constexpr qint64 kMiB = 1024 * 1024;
const QString kWarning = QStringLiteral("ATENÇÃO!!!|Exclamation|Ok|");
// What the operator had in the grid before the list was read (again).
const QStringList kRowsBefore = {"5|OLD1|AZUL|38|9001|N", "7|OLD2|PRETO|40|9002|N"};
const QString kEmptyRow = QStringLiteral("|||||");

enum class Setup { Write, WriteUpperCase, Unreadable, Folder, NamedPipe, Absent };

// Data rows "qte|ref|cor|tam|ped|exclui" after the header row.
void fill(FlexGrid& grid, const QStringList& rows) {
    grid.setCols(6);
    grid.setRows(static_cast<int>(rows.size()) + 1);
    for (int row = 1; row <= rows.size(); ++row) {
        const QStringList cells = rows[row - 1].split(QLatin1Char('|'));
        for (int col = 0; col < 6; ++col) {
            grid.setTextMatrix(row, col, cells.value(col));
        }
    }
}

// Anonymous resident memory of this process (heap and copies, not mapped files), in bytes.
qint64 anonymousMemory() {
    QFile status(QStringLiteral("/proc/self/status"));
    status.open(QIODevice::ReadOnly);
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("RssAnon:")) {
            return line.mid(8).trimmed().split(' ').front().toLongLong() * 1024;
        }
    }
    return 0;
}

struct Outcome {
    QStringList boxes;  // as ScriptedMessageBox::seen() gives them
    QStringList rows;   // every data row of the grid
    qint64 anonymousGrowth = 0;
};

// Loads the list of `folder` into the operator's grid in a child process that cannot read what
// its permissions forbid (and that is ended should the load hang).
Outcome loadInChild(const QString& folder) {
    QString problem;
    const std::optional<QByteArray> bytes = runUnprivileged(
        [&folder] {
            FlexGrid grid;
            fill(grid, kRowsBefore + QStringList{kEmptyRow});
            ScriptedMessageBox messages;
            const qint64 before = anonymousMemory();
            Carrega_etiquetas(grid, messages, folder);
            QByteArray out;
            QDataStream stream(&out, QIODevice::WriteOnly);
            stream << messages.seen() << gridRows(grid) << anonymousMemory() - before;
            return out;
        },
        problem);
    Outcome outcome{{QStringLiteral("no outcome: ") + problem}, {}};
    if (bytes) {
        QDataStream stream(*bytes);
        stream >> outcome.boxes >> outcome.rows >> outcome.anonymousGrowth;
    }
    return outcome;
}

// A temporary application folder that the unprivileged child can enter and read.
struct OpenFolders {
    TempFolders temp;
    QString app = temp.folders().application;
    QString path = QDir(app).filePath(QStringLiteral("etiquetas.csv"));
    OpenFolders() {
        QVERIFY(setMode(QFileInfo(app).absolutePath(), 0755));
        QVERIFY(setMode(app, 0755));
    }
};

}  // namespace

Q_DECLARE_METATYPE(Setup)

class TestItems : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::Portuguese, QLocale::Brazil)); }

    // Whatever the file holds, the rows the operator had stay, and the items read follow them.
    void loads_data() {
        QTest::addColumn<Setup>("setup");
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QStringList>("boxes");
        QTest::addColumn<QStringList>("added");  // rows read, before the empty last one
        const QByteArray mega(kMiB, 'R');
        const QString megaText(kMiB, QLatin1Char('R'));
        const QString nul(QChar(0));
        auto row = [](const char* name, const QByteArray& file, const QStringList& added,
                      Setup setup = Setup::Write, const QStringList& boxes = {}) {
            QTest::newRow(name) << setup << file << boxes << added;
        };
        row("header only", "Referencia,Cor,Tamanho,Qte,Pedido\r\n", {});
        row("one CR LF is the header", "\r\n", {});
        row("empty header ended by a lone CR", "\rA1,AZUL,38,2,10", {"2|A1|AZUL|38|10|N"});
        row("LF only: one header line", "h\nA1,AZUL,38,2,10\nB2,PRETO,39,1,11\n", {});
        row("lone CR ends a line, lone LF stays", "h\rA1,AZ\nUL,38,2,10\r",
            {"2|A1|AZ\nUL|38|10|N"});
        row("extra fields ignored", "h\r\nA1,AZUL,38,2,10,x,y\r\n", {"2|A1|AZUL|38|10|N"});
        row("no trimming, quotes kept", "h\r\n A1 , AZUL ,38,2,10\r\n\"A,2\",X,1,1,1\r\n",
            {"2| A1 | AZUL |38|10|N", "1|\"A|2\"|X|1|N"});
        row("blank first field ends", "h\r\nA1,AZUL,38,2,10\r\n  ,AZ,3,2,1\r\nB2,PRETO,39,1,11\r\n",
            {"2|A1|AZUL|38|10|N"});
        row("empty line ends", "h\r\nA1,AZUL,38,2,10\r\n\r\nB2,PRETO,39,1,11\r\n",
            {"2|A1|AZUL|38|10|N"});
        row("short lines completed", "h\r\nA1,AZUL,38,2\r\nB2\r\nC3,PRETO,39,1,11\r\n",
            {"2|A1|AZUL|38||N", "|B2||||N", "1|C3|PRETO|39|11|N"});
        row("non-numeric quantity kept", "h\r\nA1,AZUL,38,dois,10\r\n", {"dois|A1|AZUL|38|10|N"});
        row("same reference twice", "h\r\nA1,AZUL,38,1,10\r\nA1,AZUL,38,1,10\r\n",
            {"1|A1|AZUL|38|10|N", "1|A1|AZUL|38|10|N"});
        row("Windows-1252", "h\r\nB2210,A\307AFR\303O,P,5,4502\r\nX,\x80\x8D,1,1,1\r\n",
            {"5|B2210|AÇAFRÃO|P|4502|N", "1|X|€\u008D|1|1|N"});
        row("UTF-8 with mark", "\xEF\xBB\xBFh\r\nB2210,VERDE LIM\xC3\x83O,M,4,4502\r\n",
            {"4|B2210|VERDE LIMÃO|M|4502|N"});
        row("UTF-8 without mark", "h\r\nH8150,CAF\xC3\x89,44,3,4508\r\n",
            {"3|H8150|CAFÉ|44|4508|N"});
        row("marked UTF-8, broken sequences", "\xEF\xBB\xBFh\r\n\xED\r\nX,\xC3,1,1,1",
            {"|\uFFFD||||N", "1|X|\uFFFD|1|1|N"});
        row("UTF-8 mark inside stays", "h\r\n\xEF\xBB\xBF,CAF\xC3\x89,44,3,4508\r\n",
            {"3|\uFEFF|CAFÉ|44|4508|N"});
        row("broken UTF-8 is Windows-1252", "h\r\nH8150,CAF\xC3\x89,44,3,4508\r\nX,\xC3,1,1,1\r\n",
            {"3|H8150|CAFÃ\u2030|44|4508|N", "1|X|Ã|1|1|N"});
        row("NUL bytes are characters",
            QByteArray("h\r\nA\0B,AZ\0UL,38,2,10\r\n\0\0\0,X,1,1,1\r\n", 34),
            {"2|A" + nul + "B|AZ" + nul + "UL|38|10|N", "1|" + nul + nul + nul + "|X|1|1|N"});
        row("zero-filled file is one header line", QByteArray(4096, '\0'), {});
        row("1 MB reference", "h\r\n" + mega + ",AZUL,38,2,10\r\nB2,X,1,1,1\r\n",
            {"2|" + megaText + "|AZUL|38|10|N", "1|B2|X|1|1|N"});
        row("1 MB header", mega + "\r\nA1,AZUL,38,2,10\r\n", {"2|A1|AZUL|38|10|N"});
        row("1 MB line of commas", "h\r\nA1" + QByteArray(kMiB, ',') + "\r\n", {"|A1||||N"});
        row("1 MB line, no end", "h\r\nA1,AZUL,38,2," + mega, {"2|A1|AZUL|38|" + megaText + "|N"});
        row("name in capitals", "h\r\nA1,AZUL,38,2,10\r\n", {"2|A1|AZUL|38|10|N"},
            Setup::WriteUpperCase);
        row("0 bytes", "", {}, Setup::Write, {kWarning + "O arquivo está em branco!"});
        row("absent", {}, {}, Setup::Absent, {kWarning + "O arquivo não existe!"});
        row("a folder", {}, {}, Setup::Folder, {kWarning + "O arquivo não existe!"});
        row("a named pipe", {}, {}, Setup::NamedPipe, {kWarning + "O arquivo não existe!"});
        // The operator learns which file to look at (%1).
        row("mode 000", "h\r\nA1,AZUL,38,2,10\r\n", {}, Setup::Unreadable,
            {kWarning + "Não foi possível ler o arquivo %1. Verifique se ele pode ser aberto por "
                        "este usuário."});
    }
    void loads() {
        QFETCH(Setup, setup);
        QFETCH(QByteArray, file);
        QFETCH(QStringList, boxes);
        QFETCH(QStringList, added);
        OpenFolders dirs;
        if (setup == Setup::Folder) {
            QVERIFY(QDir(dirs.app).mkdir(QStringLiteral("etiquetas.csv")));
        } else if (setup == Setup::NamedPipe) {
            QCOMPARE(mkfifo(QFile::encodeName(dirs.path).constData(), 0666), 0);
        } else if (setup != Setup::Absent) {
            dirs.temp.writeAppFile(
                setup == Setup::WriteUpperCase ? "ETIQUETAS.CSV" : "etiquetas.csv", file);
        }
        if (setup == Setup::Unreadable) {
            QVERIFY(setMode(dirs.path, 0));
        }
        const Outcome outcome = loadInChild(dirs.app);
        QCOMPARE(outcome.boxes, boxes.replaceInStrings(QStringLiteral("%1"), dirs.path));
        QCOMPARE(outcome.rows, kRowsBefore + added + QStringList{kEmptyRow});
    }

    // 200 MB of items: the list fills every row number there is, the operator learns how many
    // lines were left out, and the file is not copied into memory on the way.
    void hugeFile() {
        const QByteArray header = "Referencia,Cor,Tamanho,Qte,Pedido\r\n";
        const QByteArray line = "R,AZUL,38,1,4501\r\n";
        const qint64 perChunk = kMiB / line.size();
        const QByteArray chunk = line.repeated(perChunk);
        OpenFolders huge;
        QFile file(huge.path);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(header) == header.size());
        for (int i = 0; i < 200; ++i) {
            QCOMPARE(file.write(chunk), chunk.size());
        }
        file.close();
        const Outcome outcome = loadInChild(huge.app);
        // Rows 1 and 2 were taken already; rows end at 32767, and the last one stays empty.
        QCOMPARE(
            outcome.boxes,
            QStringList{kWarning + QStringLiteral("A lista comporta no máximo 32766 itens: %1 "
                                                  "linha(s) do arquivo etiquetas.csv não foram "
                                                  "carregadas.")
                                       .arg(perChunk * 200 - (32767 - 1 - 2))});
        QCOMPARE(outcome.rows.size(), 32767);
        QCOMPARE(outcome.rows.mid(0, 3), kRowsBefore + QStringList{"1|R|AZUL|38|4501|N"});
        QCOMPARE(outcome.rows.mid(32765), (QStringList{"1|R|AZUL|38|4501|N", kEmptyRow}));
        // The same rows from a file of one chunk: what loading the rows alone costs. The 199 MB
        // more must cost next to nothing (the address sanitizer keeps an eighth of the mapping
        // as its shadow); a copy of them alone would take 199 MB.
        OpenFolders small;
        small.temp.writeAppFile(QStringLiteral("etiquetas.csv"), header + chunk);
        const Outcome baseline = loadInChild(small.app);
        QCOMPARE(baseline.rows, outcome.rows);
        const qint64 extra = outcome.anonymousGrowth - baseline.anonymousGrowth;
        QVERIFY2(extra < 50 * kMiB, qPrintable(QString::number(extra / kMiB) + " MB"));
    }

    void numbers_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("numeric");
        QTest::addColumn<int>("integer");  // -99999: no 16-bit value
        const struct {
            const char* text;
            bool numeric;
            int integer;
        } rows[] = {{"14", true, 14},        {"007", true, 7},         {"  5 ", true, 5},
                    {"-3", true, -3},        {"2,5", true, 2},         {"3,5", true, 4},
                    {"2,6", true, 3},        {"1.000", true, 1000},    {"1,5E2", true, 150},
                    {"32767", true, 32767},  {"-32768", true, -32768}, {"32767,5", true, -99999},
                    {"32768", true, -99999}, {"-32769", true, -99999}, {"1E10", true, -99999},
                    {"", false, -99999},     {"   ", false, -99999},   {"abc", false, -99999},
                    {"12a", false, -99999},  {"2.5", false, -99999},   {"inf", false, -99999}};
        for (const auto& r : rows) {
            QTest::addRow("\"%s\"", r.text)
                << QString::fromLatin1(r.text) << r.numeric << r.integer;
        }
    }
    void numbers() {
        QFETCH(QString, text);
        QFETCH(bool, numeric);
        QFETCH(int, integer);
        QCOMPARE(isNumericText(text), numeric);
        const std::optional<qint16> value = localeInteger16(text);
        QCOMPARE(value ? int(*value) : -99999, integer);
    }

    // A removal in the middle, kept or made, is the window test's; here the edges and a
    // selection of several rows, which the removal ends.
    void deleteRow_data() {
        QTest::addColumn<QStringList>("rows");
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("rowSel");
        QTest::addColumn<bool>("yes");
        QTest::addColumn<QStringList>("after");
        QTest::addColumn<int>("current");
        QTest::addColumn<QString>("shown");  // the panel: "ref|cor|num|qte|ped|linha"
        const QString a = "3|A1020|AZUL|38|4501|N", b = "1|B7|PRETO|40|4502|N",
                      c = "2|C9|VERDE|42|4503|N";
        QTest::newRow("empty last row")
            << QStringList{a, kEmptyRow} << 2 << 2 << true << QStringList{a} << 1 << "x|||||0";
        QTest::newRow("single data row is emptied")
            << QStringList{a} << 1 << 1 << true << QStringList{kEmptyRow} << 1 << "x|||||0";
        QTest::newRow("single data row, no")
            << QStringList{a} << 1 << 1 << false << QStringList{a} << 1 << "x|||||0";
        QTest::newRow("lower end of two selected")
            << QStringList{a, b, c, kEmptyRow} << 2 << 1 << true << QStringList{a, c, kEmptyRow}
            << 2 << "C9|VERDE|42|2|4503|2";
    }
    void deleteRow() {
        QFETCH(QStringList, rows);
        QFETCH(int, row);
        QFETCH(int, rowSel);
        QFETCH(bool, yes);
        QFETCH(QStringList, after);
        QFETCH(int, current);
        QFETCH(QString, shown);
        FlexGrid grid;
        fill(grid, rows);
        grid.select(row, 0, rowSel, 0);
        PlainTextField ref(QStringLiteral("x")), cor, num, qte, ped, linha(QStringLiteral("0"));
        DetailPanel panel{ref, cor, num, qte, ped, linha};
        ScriptedMessageBox messages;
        messages.answers = {yes ? MessageBox::Answer::Yes : MessageBox::Answer::No};
        deleteCurrentRow(grid, panel, messages);
        QCOMPARE(messages.seen(),
                 QStringList{"Impressão Etiquetas|Question|YesNo|Excluir Este Item"});
        QCOMPARE(gridRows(grid), after);
        QCOMPARE(QList<int>({grid.Row(), grid.RowSel()}), QList<int>({current, current}));
        const QStringList texts = {ref.text(), cor.text(), num.text(),
                                   qte.text(), ped.text(), linha.text()};
        QCOMPARE(texts.join(QLatin1Char('|')), shown);
    }
};

QTEST_GUILESS_MAIN(TestItems)
#include "test_items.moc"
