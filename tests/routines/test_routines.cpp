// The routines of the window's fields and files. Table rows read "input -> expected".

#include "fakes/counting_pending_events.h"
#include "fakes/recording_printer.h"
#include "fakes/scripted_message_box.h"
#include "fakes/temp_folders.h"
#include "fakes/unprivileged_child.h"
#include "platform/error.h"
#include "platform/private_profile.h"
#include "platform/qt/line_edit_text_box.h"
#include "platform/qt/qt_pending_events.h"
#include "platform/text_encoding.h"
#include "routines/aligned_text.h"
#include "routines/column_sorter.h"
#include "routines/field_focus.h"
#include "routines/key_filters.h"
#include "routines/quantity_total.h"
#include "routines/record_import.h"
#include "routines/settings_files.h"

#include <QDir>
#include <QLineEdit>
#include <QTest>

#include <tuple>

using namespace etq;
using namespace etq::test;

namespace {

const QString kNone = QStringLiteral("Nenhum valor lido");

// Upper case in Windows-1252 as its code chart lists it: a-z, the accented small letters
// 0xE0-0xFE but the division sign 0xF7, and š, œ, ž, ÿ, whose capitals are in the chart too.
int capitalInChart(int code) {
    if ((code >= 'a' && code <= 'z') || (code >= 0xE0 && code <= 0xFE && code != 0xF7)) {
        return code - 0x20;
    }
    return code == 0x9A || code == 0x9C || code == 0x9E ? code - 0x10 : code == 0xFF ? 0x9F : code;
}

// An item grid: header, rows written "qte|ref|cor|tam|ped|exc", and the empty last row.
void fill(FlexGrid& grid, const QStringList& rows) {
    grid.setCols(6);
    grid.setRows(static_cast<int>(rows.size()) + 2);
    for (int row = 0; row <= rows.size(); ++row) {
        const QStringList cells =
            (row == 0 ? QStringLiteral("Qte|Ref|Cor|Tam|Ped|Exc") : rows[row - 1]).split('|');
        for (int col = 0; col < cells.size(); ++col) {
            grid.setTextMatrix(row, col, cells[col]);
        }
    }
}

// The header row across, or column `col` below it.
QString cells(const FlexGrid& grid, int col = -1) {
    QStringList list;
    for (int i = col < 0 ? 0 : 1; i < (col < 0 ? grid.Cols() : grid.Rows()); ++i) {
        list << (col < 0 ? grid.TextMatrix(0, i) : grid.TextMatrix(i, col));
    }
    return list.join('|');
}

// The row's quantities (before " -> ") -> the caption soma_etiquetas leaves and its error.
QString total(const QString& row) {
    const QString quantities = row.section(" -> ", 0, 0);
    FlexGrid grid;
    fill(grid, quantities.isEmpty() ? QStringList() : quantities.split('|'));
    PlainTextField label(QStringLiteral("caption"));
    QString error;
    try {
        soma_etiquetas(grid, label);
    } catch (const Error& e) {
        error = e.number() == Error::Overflow       ? ", overflow"
                : e.number() == Error::TypeMismatch ? ", type mismatch"
                                                    : ", other error";
    }
    return quantities + " -> " + label.text() + error;
}

// A box that refuses to move the start of its selection.
struct RefusingBox : LineEditTextBox {
    using LineEditTextBox::LineEditTextBox;
    void setSelStart(int) override { throw Error(Error::InvalidProcedureCall, "box", "refused"); }
};

// Writes `bytes` to `relative` ("app/..." or "c/...") below the folders' common root.
QString place(const TempFolders& temp, const QString& relative, const QByteArray& bytes) {
    QDir(temp.folders().application).mkpath(QFileInfo("../" + relative).path());
    return temp.writeAppFile("../" + relative, bytes);
}

// One import from fresh folders into lists that still hold an earlier import.
struct ImportRun {
    TempFolders temp;
    ScriptedMessageBox messages;
    RecordImport routine{messages, temp.folders()};
    QStringList registros{"old"}, linhas{"old"}, chaves{"old"};

    void run(const QString& typed, int optlinha = 1) {
        const PlainTextField field(typed);
        routine.importa_arquivo({field, optlinha, registros, linhas, chaves});
    }
    QString driveC(const QString& name) const { return QDir(temp.folders().driveC).filePath(name); }
};

}  // namespace

class TestRoutines : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    void init() { QLocale::setDefault(QLocale(QLocale::Portuguese, QLocale::Brazil)); }

    // Codes outside 0..255 are no character of the code page and come back as they are.
    void keyFilters() {
        for (int code = -300; code < 600; ++code) {
            const auto key = static_cast<std::int16_t>(code);
            const bool digit = code == 8 || (code >= '0' && code <= '9');
            const int upper = code >= 0 && code <= 0xFF ? capitalInChart(code) : code;
            QCOMPARE(QString::asprintf("%d -> %d %d", code, NUMERO(key), Mais(key)),
                     QString::asprintf("%d -> %d %d", code, digit ? code : 0, upper));
        }
    }

    // Text, Posicao and column -> x, the recording printer measuring 2 units per character.
    void alignedTextPositions() {
        const std::tuple<const char*, int, float, float> rows[] = {
            {"abc", 0, 100, 100}, {"abc", 1, 100, 97},  {"abc", 2, 100, 94},
            {"abc", 7, 100, 94},  {"abc", -1, 100, 94}, {"  abcd  ", 1, 50, 46},
            {" ab ", 2, 50, 46},  {"a", 1, 10.5, 9.5},  {"", 2, 10, 10}};
        CountingPendingEvents events;
        for (const auto& [text, posicao, coluna, x] : rows) {
            RecordingPrinter printer;
            imp_2linha(printer, events, 33.5f, coluna, text, static_cast<std::int16_t>(posicao),
                       "Arial", 12, true, false, true);
            const auto p = printer.printed.value(0);
            QCOMPARE(
                QString::asprintf("'%s' %d %g -> %d '%s'@%g,%g", text, posicao, coluna,
                                  int(printer.printed.size()), qPrintable(p.text), p.x, p.y),
                QString::asprintf("'%s' %d %g -> 1 '%s'@%g,33.5", text, posicao, coluna, text, x));
        }
    }

    // Pending events run once before anything reaches the printer; no page is started or ended.
    void alignedTextSteps() {
        RecordingPrinter printer;
        printer.failing.insert(QStringLiteral("print"));  // its error reaches the caller
        CountingPendingEvents events;
        int callsWhenEventsRan = -1;
        events.onProcess = [&] { callsWhenEventsRan = static_cast<int>(printer.calls.size()); };
        QVERIFY_THROWS_EXCEPTION(Error, imp_2linha(printer, events, 1, 2, " x ", 1, "Courier New",
                                                   9.5f, false, true, false));
        QCOMPARE(events.count, 1);
        QCOMPARE(callsWhenEventsRan, 0);
        QStringList calls;
        for (const auto& call : printer.calls) {
            calls << call.name + ' ' + call.text + QString::asprintf(" %g %d", call.a, call.flag);
        }
        QCOMPARE(calls, (QStringList{"setFontName Courier New 0 0", "setFontSize  9.5 0",
                                     "setFontBold  0 0", "setFontItalic  0 1",
                                     "setFontUnderline  0 0", "setCurrentY  1 0", "textWidth x 0 0",
                                     "setCurrentX  1 0", "print  x  0 0"}));
    }

    // Text -> selection: from 0, as many characters as the text has without blanks around it.
    void focusAndSelection() {
        const std::pair<const char*, const char*> rows[] = {
            {"  ab  ", "  "}, {"abc", "abc"}, {" a", " "},         {"ab  ", "ab"},
            {"   ", ""},      {"", ""},       {"\tab\t", "\tab\t"}};
        for (const auto& [text, selected] : rows) {
            QLineEdit edit(text);
            edit.setCursorPosition(static_cast<int>(edit.text().size()));
            LineEditTextBox box(&edit);
            seleciona(box);
            const QString format = QStringLiteral("'%1' -> '%2' from %3, %4 long");
            QCOMPARE(format.arg(text, edit.selectedText()).arg(box.SelStart()).arg(box.SelLength()),
                     format.arg(text, selected).arg(0).arg(QString(selected).size()));
        }
        // Entering colours the field and selects; leaving whitens it and keeps the selection.
        QLineEdit edit(QStringLiteral("  12  "));
        LineEditTextBox box(&edit);
        entra1(box);
        QCOMPARE(edit.palette().color(QPalette::Base), QColor(255, 255, 192));
        QCOMPARE(box.BackColor(), ColorBgr(0xC0FFFF));
        QCOMPARE(edit.selectedText(), QStringLiteral("  "));
        edit.setSelection(1, 2);
        sai1(box);
        QCOMPARE(edit.palette().color(QPalette::Base), QColor(255, 255, 255));
        QCOMPARE(edit.selectedText(), QStringLiteral(" 1"));
        QVERIFY_THROWS_EXCEPTION(Error, box.setSelLength(-1));
        QVERIFY_THROWS_EXCEPTION(Error, box.setSelStart(-1));
        edit.setCursorPosition(0);
        RefusingBox refusing(&edit);
        seleciona(refusing);  // the start refused is skipped, the length still set
        QCOMPARE(edit.selectedText(), QStringLiteral("  "));
    }

    // Quantities, "|" between them -> caption. Decimals beyond the fourth round to even.
    void quantityTotal() {
        for (const QString row :
             {" -> Total: 0", "3||0|2 -> Total: 5", "   | -> Total: 0", " 3 |  4 -> Total: 7",
              "-4|1|0,0|-0,5 -> Total: 1", "2,5|0,25|1,2000 -> Total: 3,95",
              "0,1|0,2 -> Total: 0,3", "0,0001|1 -> Total: 1,0001", "0,00005 -> Total: 0",
              "0,00015 -> Total: 0,0002", "0,000051 -> Total: 0,0001", "1.000|234 -> Total: 1234",
              "+2 -> Total: 2", "922337203685477,5806|0,0001 -> Total: 922337203685477,5807",
              "922337203685477,5807 -> Total: 922337203685477,5807",
              "-922337203685477,5808 -> Total: 0", "-0|-0,0000 -> Total: 0"}) {
            QCOMPARE(total(row), row);
        }
        for (const QString row :
             {"3|abc -> caption, type mismatch", "1,2,3 -> caption, type mismatch",
              "1 2 -> caption, type mismatch", "- -> caption, type mismatch",
              ", -> caption, type mismatch", "1. -> caption, type mismatch",
              "922337203685478 -> caption, overflow", "922337203685477|1 -> caption, overflow",
              "922337203685477,5808 -> caption, overflow"}) {
            QCOMPARE(total(row), row);
        }
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        QCOMPARE(total("1,000.5|0.25"), QStringLiteral("1,000.5|0.25 -> Total: 1000.75"));
    }

    // Columns asked for -> header, references, visibility ("h"idden, "r"esorted, "s"hown) and
    // current cell. Items B2, A1, C3 hold 3, 10 and 2; numbers sort first, the empty row last.
    void columnSort() {
        for (const QString row :
             {"2 -> Qte|Ref|> Cor|Tam|Ped|Exc / |A1|C3|B2 / hrs / 0,2 0,2",
              "22 -> Qte|Ref|< Cor|Tam|Ped|Exc / B2|C3|A1| / hrshrs / 0,2 0,2",
              "222 -> Qte|Ref|> Cor|Tam|Ped|Exc / |A1|C3|B2 / hrshrshrs / 0,2 0,2",
              "2221 -> Qte|> Ref|Cor|Tam|Ped|Exc / |A1|B2|C3 / hrshrshrshrs / 0,1 0,1",
              "221 -> Qte|> Ref|Cor|Tam|Ped|Exc / |A1|B2|C3 / hrshrshrs / 0,1 0,1",
              "212 -> Qte|Ref|> Cor|Tam|Ped|Exc / |A1|C3|B2 / hrshrshrs / 0,2 0,2",
              "0 -> > Qte|Ref|Cor|Tam|Ped|Exc / C3|B2|A1| / hrs / 0,0 0,0",
              "00 -> < Qte|Ref|Cor|Tam|Ped|Exc / |A1|B2|C3 / hrshrs / 0,0 0,0"}) {
            FlexGrid grid;
            fill(grid, {"3|B2|PRETO|40|11|N", "10|A1|AZUL|38|12|N", "2|C3|BRANCO|39|10|N"});
            QString seen;
            connect(&grid, &FlexGrid::visibilityChanged, &grid,
                    [&](bool visible) { seen += visible ? "s" : "h"; });
            connect(&grid, &FlexGrid::contentReset, &grid,
                    [&] { seen += grid.Visible() ? "R" : "r"; });
            ColumnSorter sorter;
            const QString calls = row.section(" -> ", 0, 0);
            for (const QChar col : calls) {
                sorter.ordena_coluna(static_cast<std::int16_t>(col.digitValue()), grid);
            }
            QCOMPARE(QStringLiteral("%1 -> %2 / %3 / %4 / ")
                             .arg(calls, cells(grid), cells(grid, 1), seen) +
                         QString::asprintf("%d,%d %d,%d", grid.Row(), grid.Col(), grid.RowSel(),
                                           grid.ColSel()),
                     row);
        }
    }

    // A column outside the grid changes nothing; a header rewritten since keeps its text.
    void columnSortMisuse() {
        FlexGrid grid;
        fill(grid, {"1|B|X|1|1|N", "2|A|Y|1|1|N"});
        ColumnSorter sorter;
        sorter.ordena_coluna(2, grid);
        QVERIFY_THROWS_EXCEPTION(Error, sorter.ordena_coluna(6, grid));
        QVERIFY(grid.Visible());
        QCOMPARE(cells(grid), QStringLiteral("Qte|Ref|> Cor|Tam|Ped|Exc"));
        sorter.ordena_coluna(2, grid);
        QCOMPARE(cells(grid), QStringLiteral("Qte|Ref|< Cor|Tam|Ped|Exc"));
        grid.setTextMatrix(0, 2, QStringLiteral("Cor"));
        sorter.ordena_coluna(1, grid);
        QCOMPARE(cells(grid), QStringLiteral("Qte|> Ref|Cor|Tam|Ped|Exc"));
    }

    // Typed name, where the file lies ("app/": application folder, "c/": drive C), content and
    // line mode (optlinha not 0) or separator mode -> the records, "|" between them.
    void records() {
        const std::tuple<const char*, const char*, QByteArray, int, QString> rows[] = {
            {"pedidos", "app/pedidos.txt", "H1\r\nH2\r\n", 1, ""},
            {"  pedidos  ", "app/pedidos.txt",
             "H1\r\nH2\r\nA\r\nfim do arquivo\r\nB\r\nFim Do Arquivo\r\nC", -1, "A|B|C"},
            {"pedidos.TXT", "app/pedidos.TXT", "H1\r\nH2\r\nFIM DO ARQUIVO \r\n", 1,
             "FIM DO ARQUIVO "},
            {"pedidostxt", "app/pedidostxt", "H1\rH2\rA\nB\r\n\r\nC", 1, "A\nB||C"},
            {"C:\\dados\\pedidos", "c/dados/pedidos.txt", "H1\r\nH2\r\nA\xe7\xe3o\x80\r\n", 1,
             "Ação€"},
            {"C:\\DADOS\\PEDIDOS.TXT", "c/dados/pedidos.txt", "A\x8D\nB\x8D\nC\x8D\n", 0, "B||C|"},
            {"c:\\dados\\pedidos.txt  ", "c/dados/pedidos.txt",
             "H1\x8DH2\x8D\r\nnoseparator\r\nX\x8DY\x8Dtail\r\nrest", 0, "X|Y"},
            {"\\dados\\pedidos", "c/dados/pedidos.txt", "H1\x8DH2\x8DZ\rB\x8D", 0, "B"},
            {"\\dados\\pedidos", "c/dados/pedidos.txt", "H1\x8DH2\x8D\r\n\x8D\x41\x8D", 0, "|A"},
            {"dados\\pedidos", "app/dados/pedidos.txt", "H1\nH2\nA\nfim do ARQUIVO\nB\n", 0, "A|B"},
            {"C:\\DADOS/Pedidos", "c/dados/pedidos.txt", "H1\r\nH2\r\nA\r\n", 1, "A"}};
        for (const auto& [typed, file, content, optlinha, expected] : rows) {
            ImportRun import;
            place(import.temp, file, content);
            import.run(typed, optlinha);
            const QString key = typed + (' ' + content.toPercentEncoding()) +
                                QStringLiteral(" %1 -> ").arg(optlinha);
            QCOMPARE(key + import.registros.join('|'), key + expected);
            QCOMPARE(import.messages.shown.size(), 0);
            QCOMPARE(import.linhas, import.registros);
            QCOMPARE(import.chaves, expected.isEmpty() ? QStringList() : QStringList{""});
            QCOMPARE(TempFolders::readFile(import.driveC("SBTMP.TXT")),
                     encodeWindows1252((import.registros + QStringList{""}).join("\r\n")));
        }
    }

    // Characters 62 to 106, distinct, in order of first appearance, letter case counting.
    void keys() {
        const QString k1(45, '1'), k2 = "k2" + QString(43, ' '), x(61, 'x');
        const QStringList keyed{x + k1 + "tail a", x + k2,     x + k1 + "tail b",
                                "short",           x + "part", x + k2.toUpper()};
        ImportRun import;
        place(import.temp, "app/p.txt", encodeWindows1252("h\r\nh\r\n" + keyed.join("\r\n")));
        import.run("p");
        QCOMPARE(import.linhas, keyed);
        QCOMPARE(import.chaves, (QStringList{k1, k2, "", "part", k2.toUpper()}));
    }

    // A missing or empty file is reported; sbmorval.txt goes before reading, the work file stays.
    void missingOrEmptyFile() {
        for (const bool present : {false, true}) {
            ImportRun import;
            place(import.temp, present ? "app/p.txt" : "app/other.txt", QByteArray());
            place(import.temp, "c/sbtmp.txt", "kept\r\n");
            place(import.temp, "c/SbMorval.txt", "to go");
            import.run("p");
            QCOMPARE(import.messages.shown.size(), 1);
            const auto& shown = import.messages.shown[0];
            QCOMPARE(shown.title + ": " + shown.text,
                     QString(present ? "ATENÇÃO!!!: O arquivo está em branco!"
                                     : "ATENÇÃO!!!: O arquivo não existe!"));
            QVERIFY(shown.icon == MessageBox::Icon::Exclamation &&
                    shown.buttons == MessageBox::Buttons::Ok);
            QCOMPARE(import.registros + import.linhas + import.chaves, QStringList());
            QCOMPARE(QDir(import.temp.folders().driveC).entryList(QDir::Files),
                     QStringList{"sbtmp.txt"});
            QCOMPARE(TempFolders::readFile(import.driveC("sbtmp.txt")), QByteArray("kept\r\n"));
            QCOMPARE(import.routine.sbmorval(), QStringLiteral("c:\\sbmorval.TXT"));
        }
    }

    // The work file is read back under the name it was written, though both spellings exist.
    void workFile() {
        ImportRun import;
        place(import.temp, "app/p.txt", "h\r\nh\r\nnew\r\n");
        place(import.temp, "c/SBTMP.TXT", "stale\r\n");
        place(import.temp, "c/sbtmp.txt", "stale\r\n");
        import.run("p");
        QCOMPARE(import.linhas, QStringList{"new"});

        ImportRun blocked;
        place(blocked.temp, "app/p.txt", "h\r\nh\r\nA\r\n");
        QVERIFY(QDir().mkdir(blocked.driveC("SBTMP.TXT")));
        QVERIFY_THROWS_EXCEPTION(Error, blocked.run("p"));
        QCOMPARE(blocked.registros, QStringList{"A"});
        QCOMPARE(blocked.linhas, QStringList());
    }

    // File, section and key -> value: at most 127 characters, else the default.
    void settingsRead() {
        const QByteArray plain("[Geral]\r\nNome=Ana\r\n");
        const std::tuple<QByteArray, QString, QString, QString> rows[] = {
            {plain, "Geral", "Nome", "Ana"},
            {plain, "GERAL", "nome", "Ana"},
            {"  [ Geral ] \r\n\t Nome \t=  Ana Paula  \r\n", "Geral", "Nome", "Ana Paula"},
            {plain, " Geral\t", "  Nome ", "Ana"},
            {plain, "Outra", "Nome", kNone},
            {plain, "Geral", "Idade", kNone},
            {plain + "[Outra]\r\nIdade=3\r\n", "Geral", "Idade", kNone},
            {"Nome=Ana\r\n[Geral]\r\n", "Geral", "Nome", kNone},
            {"[G]\r\nK=\r\n", "G", "K", ""},
            {"[G]\r\nK=Nenhum valor lido\r\n", "G", "K", kNone},
            {"[G]\r\nK=a=b\r\n", "G", "K", "a=b"},
            // Quotes around a whole value go; a lone or unmatched one stays.
            {"[G]\r\nK=\"Ana Maria\"\r\n", "G", "K", "Ana Maria"},
            {"[G]\r\nK='Ana Maria'\r\n", "G", "K", "Ana Maria"},
            {"[G]\r\nK =   \"x\"  \r\n", "G", "K", "x"},
            {"[G]\r\nK=\"\"\r\n", "G", "K", ""},
            {"[G]\r\nK=\"\r\n", "G", "K", "\""},
            {"[G]\r\nK=\"x'\r\n", "G", "K", "\"x'"},
            {"[G]\r\nK=a \"b\"\r\n", "G", "K", "a \"b\""},
            {"[G]\r\nK=1\r\nk=2\r\n", "G", "K", "1"},
            {"[G]\nA=1\rK=2", "G", "K", "2"},
            {"[Se\xe7\xe3o]\r\nK=A\xe7\xe3o\r\n", "SEÇÃO", "K", "Ação"},
            {"[G]\r\nK=" + QByteArray(200, 'v'), "G", "K", QString(127, 'v')},
            {"[G]\r\nK=" + QByteArray(127, 'v'), "G", "K", QString(127, 'v')},
            {"[G]\r\nno equals\r\n[no closing\r\n;K=comment\r\n" +
                 QByteArray("\x00\x01\xff=\xfe\r\n", 7) + QByteArray(100000, 'x') + "\r\nK=V\r\n",
             "G", "K", "V"}};
        for (const auto& [file, section, key, value] : rows) {
            TempFolders temp;
            temp.writeAppFile(QStringLiteral("vorenta.ini"), file);
            const QString name = QStringLiteral("[%1] %2 -> ").arg(section, key);
            QCOMPARE(name + Carrega_ini(temp.folders(), section, key), name + value);
        }
        TempFolders temp;
        QCOMPARE(Carrega_ini(temp.folders(), "G", "K"), kNone);
        QVERIFY(QDir(temp.folders().application).mkdir(QStringLiteral("vorenta.ini")));
        QCOMPARE(Carrega_ini(temp.folders(), "G", "K"), kNone);
        TempFolders upper;
        upper.writeAppFile(QStringLiteral("VORENTA.INI"), "[G]\r\nK=V\r\n");
        QCOMPARE(Carrega_ini(upper.folders(), "G", "K"), QStringLiteral("V"));
    }

    // File, value, section and key -> the file: a value that could not be read back is refused.
    void settingsWrite() {
        const QByteArray kept("[S]\r\nK=old\r\n");
        struct Row {
            QByteArray before;  // null: no file
            QString value;
            QByteArray after;
            const char* name = "sbs.ini";
            QString section = "S", key = "K";
        };
        const Row rows[] = {
            {QByteArray(), "V", "[S]\r\nK=V\r\n"},
            {"; c\r\n[A]\r\nx=1\r\n", "V", "; c\r\n[A]\r\nx=1\r\n[S]\r\nK=V\r\n"},
            {"[A]\r\nx=1", "V", "[A]\r\nx=1\r\n[S]\r\nK=V\r\n"},
            {"[S]\r\na=1\r\n\r\n[T]\r\nb=2\r\n", "V", "[S]\r\na=1\r\nK=V\r\n\r\n[T]\r\nb=2\r\n"},
            {"[T]\r\nb=2\r\n[S]", "V", "[T]\r\nb=2\r\n[S]\r\nK=V\r\n"},
            {"; c\r\n[s]\r\n  k = old \r\nz=9\r\n[S]\r\nk=other\r\n", "new",
             "; c\r\n[s]\r\n  k = new\r\nz=9\r\n[S]\r\nk=other\r\n"},
            {"[S]\nK=old\nx=1\n", "V", "[S]\nK=V\nx=1\n"},
            {"[S]\r\nno equals\r\n[broken\r\n\x01\xff\r\n", "V",
             "[S]\r\nno equals\r\n[broken\r\n\x01\xff\r\nK=V\r\n"},
            {QByteArray(), "Ação €", "[S]\r\nK=A\xe7\xe3o \x80\r\n"},
            {"[x]\r\n", QString(200, 'z'), "[x]\r\n[S]\r\nK=" + QByteArray(200, 'z') + "\r\n",
             "SBS.INI"},
            {"[x]\r\n", "  a b  ", "[x]\r\n[S]\r\nK=  a b  \r\n", "Sbs.Ini"},
            {kept, "a\r\n[X]", kept},
            {kept, "✓", kept},
            {kept, "V", kept, "sbs.ini", "S", "K=1"},
            {kept, "V", kept, "sbs.ini", "S]"},
            {kept, "V", kept, "sbs.ini", "S", "  "}};
        for (const auto& row : rows) {
            TempFolders temp;
            if (!row.before.isNull()) {
                place(temp, QStringLiteral("c/") + row.name, row.before);
            }
            QVERIFY(
                GravaNomeUsuario_ini(temp.folders(), row.section, row.key, row.value).isEmpty());
            const QString key =
                QStringLiteral("[%1] %2=%3 -> ").arg(row.section, row.key, row.value);
            const QDir c(temp.folders().driveC);
            QCOMPARE(key + TempFolders::readFile(c.filePath(row.name)), key + row.after);
            QCOMPARE(c.entryList(QDir::Files), QStringList{row.name});
        }
    }

    // A writable file in a folder that refuses new files is written in place: the settings
    // file, and the import's work file.
    void writesInPlaceInAReadOnlyFolder() {
        ImportRun import;
        const QString sbs = place(import.temp, "c/sbs.ini", "[S]\r\nK=old\r\n");
        const QString work = place(import.temp, "c/SBTMP.TXT", "stale\r\n");
        place(import.temp, "app/p.txt", "H1\r\nH2\r\nA\r\n");
        const QDir c(import.temp.folders().driveC);
        const QFile::Permissions open = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                                        QFile::ReadOther | QFile::ExeOther;
        QVERIFY(QFile::setPermissions(QFileInfo(c.path()).path(), open) &&
                QFile::setPermissions(sbs, QFile::ReadOther | QFile::WriteOther) &&
                QFile::setPermissions(work, QFile::ReadOther | QFile::WriteOther) &&
                QFile::setPermissions(c.path(), QFile::ReadOther | QFile::ExeOther) &&
                QFile::setPermissions(import.temp.folders().application,
                                      QFile::ReadOther | QFile::ExeOther));
        QString problem;
        const std::optional<QByteArray> shown = runUnprivileged(
            [&] {
                GravaNomeUsuario_ini(import.temp.folders(), "S", "K", "\"entre aspas\"");
                import.run("p");
                return QByteArray::number(import.messages.shown.size());
            },
            problem);
        QCOMPARE(shown.value_or(problem.toUtf8()), QByteArray("0"));
        QCOMPARE(TempFolders::readFile(sbs), QByteArray("[S]\r\nK=\"entre aspas\"\r\n"));
        QCOMPARE(TempFolders::readFile(work), QByteArray("A\r\n"));
        QCOMPARE(c.entryList(QDir::Files).size(), 2);
        QCOMPARE(readProfileString(sbs, "S", "K", "-", 128), QStringLiteral("entre aspas"));
    }

    // Letting pending events run delivers what was posted before.
    void pendingEventsRun() {
        bool ran = false;
        QMetaObject::invokeMethod(
            this, [&ran] { ran = true; }, Qt::QueuedConnection);
        QtPendingEvents().process();
        QVERIFY(ran);
    }

    // A write that cannot be made returns normally and leaves the old file whole.
    void settingsWriteFails() {
        TempFolders temp;
        Folders missing = temp.folders();
        missing.driveC = QDir(missing.driveC).filePath(QStringLiteral("absent"));
        QCOMPARE(GravaNomeUsuario_ini(missing, "S", "K", "V"), QString());
        QVERIFY(!QFileInfo::exists(missing.driveC));
        // No file can be written beside a name this long.
        const QString path = place(temp, "c/" + QString(255, 'n'), "[S]\r\nK=old\r\n");
        QVERIFY(!writeProfileString(path, "S", "K", "new"));
        QCOMPARE(TempFolders::readFile(path), QByteArray("[S]\r\nK=old\r\n"));
        QCOMPARE(QDir(temp.folders().driveC).entryList(QDir::Files).size(), 1);
    }
};

QTEST_MAIN(TestRoutines)
#include "test_routines.moc"
