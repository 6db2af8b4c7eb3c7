// The platform layer without a display: the item grid model and the program's text files.
#include "fakes/grid_rows.h"
#include "fakes/temp_folders.h"
#include "platform/error.h"
#include "platform/flex_grid.h"
#include "platform/text_encoding.h"
#include "platform/text_lines.h"

#include <QDir>
#include <QSignalSpy>
#include <QTest>

#include <numeric>

using namespace etq;

// Fills a grid from its rows, header first, separated by "/", their cells by "|".
static void fill(FlexGrid& grid, const QString& text) {
    const QStringList rows = text.split('/');
    grid.setCols(int(rows.value(1).count('|')) + 1);
    grid.setRows(int(rows.size()));
    for (int i = 0; i < grid.Rows() * grid.Cols(); ++i) {
        const int row = i / grid.Cols(), col = i % grid.Cols();
        grid.setTextMatrix(row, col, rows[row].section('|', col, col));
    }
}

// "Row,Col RowSel,ColSel", then the header's first cell and the data rows as `fill` takes them.
static QString state(const FlexGrid& grid) {
    return QString::asprintf("%d,%d %d,%d ", grid.Row(), grid.Col(), grid.RowSel(), grid.ColSel()) +
           (QStringList{grid.TextMatrix(0, 0)} + test::gridRows(grid)).join('/');
}

class TestPlatform : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    // A new grid: the header and an empty row of two cells. Rows grow and shrink at the end,
    // the selection following; the header and one data row always stay.
    void gridCellsAndRows() {
        FlexGrid grid;
        QCOMPARE(state(grid), "1,0 1,0 /|");
        for (const auto& [row, col] : {std::pair(-1, 0), {2, 0}, {0, 2}, {1, -1}}) {
            QVERIFY_THROWS_EXCEPTION(Error, grid.TextMatrix(row, col));
            try {
                grid.setTextMatrix(row, col, "x");
                QFAIL("no error raised");
            } catch (const Error& error) {
                QCOMPARE(error.number(), Error::SubscriptOutOfRange);
            }
        }
        QVERIFY_THROWS_EXCEPTION(Error, grid.RemoveItem(1));
        QVERIFY_THROWS_EXCEPTION(Error, grid.select(1, 0, 2, 0));
        QVERIFY_THROWS_EXCEPTION(Error, grid.select(1, 0, 1, 2));
        QCOMPARE(state(grid), "1,0 1,0 /|");
        fill(grid, "H/r1/r2/r3/r4");
        grid.setCols(3);
        grid.select(1, 2, 2, 2);
        grid.setCols(2);  // the selection follows the last column left
        QCOMPARE(state(grid).left(7), "1,1 2,1");
        grid.setCols(3);
        grid.select(1, 0, 1, 0);
        grid.setRow(4);
        QCOMPARE(state(grid), "4,0 4,0 H/r1||/r2||/r3||/r4||");
        grid.setRows(3);
        QCOMPARE(state(grid), "2,0 2,0 H/r1||/r2||");
        QVERIFY_THROWS_EXCEPTION(Error, grid.setRows(0));
        QVERIFY_THROWS_EXCEPTION(Error, grid.RemoveItem(0));
        QVERIFY_THROWS_EXCEPTION(Error, grid.RemoveItem(3));
        // Rows, the current row, the row removed; the state after.
        const std::tuple<QString, int, int, QString> removals[] = {
            {"H/r1/r2/r3/r4/r5", 2, 2, "2,0 2,0 H/r1/r3/r4/r5"},
            {"H/r1/r2/r3/r4/r5", 4, 2, "3,0 3,0 H/r1/r3/r4/r5"},
            {"H/r1/r2/r3/r4/r5", 5, 5, "4,0 4,0 H/r1/r2/r3/r4"},
            {"H/r1/r2", 1, 1, "1,0 1,0 H/r2"},
        };
        for (const auto& [rows, current, removed, after] : removals) {
            fill(grid, rows);
            grid.setRow(current);
            grid.RemoveItem(removed);
            QCOMPARE(state(grid), after);
        }
    }

    // Every change is announced once, a setting that changes nothing not at all; a batch holds
    // back the content signals. Widening adds hidden columns and never narrows.
    void gridSignalsAndWidth() {
        FlexGrid grid;
        fill(grid, "H/||/||/||/||/||");
        QSignalSpy selected(&grid, &FlexGrid::selectionChanged);
        grid.setRow(3);
        grid.setRowSel(5);
        QCOMPARE(state(grid).left(7), "3,0 5,0");
        grid.setRow(2);  // collapses the range to the current row
        grid.setRow(2);
        QCOMPARE(state(grid).left(7), "2,0 2,0");
        grid.select(1, 2, 4, 0);
        QCOMPARE(state(grid).left(7), "1,2 4,0");
        QCOMPARE(selected.size(), 4);
        QSignalSpy shown(&grid, &FlexGrid::visibilityChanged);
        grid.setVisible(false);
        grid.setVisible(false);
        grid.setVisible(true);
        QCOMPARE(shown, (QList<QList<QVariant>>{{false}, {true}}));
        QSignalSpy cells(&grid, &FlexGrid::cellChanged);
        QSignalSpy resets(&grid, &FlexGrid::contentReset);
        QScopedPointer<FlexGrid::Batch> outer(new FlexGrid::Batch(grid));
        QScopedPointer<FlexGrid::Batch> inner(new FlexGrid::Batch(grid));
        grid.setTextMatrix(1, 1, "x");
        grid.setRows(10);
        inner.reset();
        QCOMPARE(resets.size(), 0);
        outer.reset();
        { FlexGrid::Batch idle(grid); }
        QCOMPARE(QList<int>({int(cells.size()), int(resets.size())}), QList<int>({0, 1}));
        grid.setColWidth(2, 1500);
        grid.widenHidden(6);
        grid.widenHidden(4);
        QCOMPARE(QList<int>({grid.Cols(), grid.ColWidth(2), grid.ColWidth(3), grid.ColWidth(5)}),
                 QList<int>({6, 1500, 0, 0}));
        QSignalSpy removed(&grid, &FlexGrid::rowsRemoved);
        grid.setRows(4);
        QCOMPARE(removed, (QList<QList<QVariant>>{{4, 9}}));
    }

    // The rows from Row to RowSel (all when they are one) sorted on the columns from Col to
    // ColSel. Numbers read in the locale's format and come first; equal keys keep their order.
    void gridSorts() {
        QLocale::setDefault(QLocale(QLocale::Portuguese, QLocale::Brazil));
        const std::tuple<QString, QList<int>, bool, QString> cases[] = {
            {"H/1,5/1,25/ 1 ", {0, 0, 0, 0}, true, "0,0 0,0 H/ 1 /1,25/1,5"},
            {"H/b/10/a/9", {0, 0, 0, 0}, true, "0,0 0,0 H/9/10/a/b"},
            {"H/b//1", {0, 0, 0, 0}, true, "0,0 0,0 H/1//b"},  // empty, but not a number
            {"H/Banana/Azul/Água", {0, 0, 0, 0}, true, "0,0 0,0 H/Água/Azul/Banana"},
            {"H/38A/40/5", {0, 0, 0, 0}, true, "0,0 0,0 H/5/40/38A"},
            {"H/2|a/1|x/2|b/2|c", {0, 0, 0, 0}, true, "0,0 0,0 H/1|x/2|a/2|b/2|c"},
            {"H/2|a/1|x/2|b", {0, 0, 0, 0}, false, "0,0 0,0 H/2|a/2|b/1|x"},
            {"H/b|2|x/a|3|y/b|1|z/a|1|w", {4, 0, 3, 0}, true, "4,0 3,0 H/b|2|x/a|3|y/a|1|w/b|1|z"},
            {"H/b|2|x/a|3|y/b|1|z/a|1|w", {1, 0, 3, 0}, true, "1,0 3,0 H/a|3|y/b|2|x/b|1|z/a|1|w"},
            {"H/b|2|x/a|3|y/b|1|z/a|1|w", {0, 1, 0, 0}, true, "0,1 0,0 H/a|1|w/a|3|y/b|1|z/b|2|x"},
            {"H/b|2|x/a|3|y/b|1|z/a|1|w", {1, 1, 1, 1}, true, "1,1 1,1 H/b|1|z/a|1|w/b|2|x/a|3|y"},
        };
        for (const auto& [rows, corners, ascending, sorted] : cases) {
            FlexGrid grid;
            fill(grid, rows);
            grid.select(corners[0], corners[1], corners[2], corners[3]);
            QSignalSpy resets(&grid, &FlexGrid::contentReset);
            grid.Sort(ascending ? FlexGrid::SortOrder::GenericAscending
                                : FlexGrid::SortOrder::GenericDescending);
            QCOMPARE(state(grid), sorted);
            QCOMPARE(resets.size(), 1);
        }
    }

    // Every byte survives the code page. UTF-8: well-formed, with a sequence of two, three or
    // four bytes (not: none, lone continuation, cut, overlong, surrogate, above U+10FFFF).
    void textEncodingAndLines() {
        QByteArray all(256, '\0');
        std::iota(all.begin(), all.end(), '\0');
        const QString text = decodeWindows1252(all);
        QCOMPARE(text[0x80] + QString(text[0x8D]) + text[0xC7], "€\u008DÇ");
        QCOMPARE(encodeWindows1252(text), all);
        const QString other = QStringLiteral("a\u4E2Dç\U0001F600");  // substitutes for the rest
        QCOMPARE(encodeWindows1252(other), QByteArray("a\x1A\xE7\x1A\x1A"));
        QVERIFY(fitsWindows1252(text) && !fitsWindows1252(other));
        for (const char* bytes : {"CAF\xC3\x89", "\xE2\x82\xAC", "\xF0\x9F\x98\x80"}) {
            QVERIFY2(isMultibyteUtf8(bytes), bytes);
        }
        for (const char* bytes : {"abc,def", "CAF\x89", "ok \xC3", "\xC0\xAF", "\xE0\x80\xAF",
                                  "\xED\xA0\x80", "\xF4\x90\x80\x80", "A\xC7\x41\x46R\xC3O"}) {
            QVERIFY2(!isMultibyteUtf8(bytes), bytes);
        }
        // CR LF or a lone CR ends a line, a lone LF stays inside it.
        const std::pair<QString, QStringList> lines[] = {
            {"", {}},
            {"\r\n", {""}},
            {"a\r\nb", {"a", "b"}},
            {"a\rb\r", {"a", "b"}},
            {"a\nb\r\nc\n", {"a\nb", "c\n"}},
            {"a\r\r\n", {"a", ""}},
        };
        for (const auto& [text, split] : lines) {
            QCOMPARE(splitLines(text), split);
        }
    }

    // Drive C is its folder, other paths start at the application's; names in any letter case.
    void windowsPaths() {
        test::TempFolders temp;
        const Folders folders = temp.folders();
        const QDir root = QFileInfo(folders.application).dir();
        QVERIFY(root.mkpath("c/Dados") && root.mkpath("app/Lista"));
        for (const char* file : {"c/Dados/sbtmp.txt", "app/Lista/x.txt"}) {
            QVERIFY(QFile(root.filePath(file)).open(QIODevice::WriteOnly));
        }
        const std::pair<QString, QString> cases[] = {
            {"C:\\DADOS\\SBTMP.TXT", "c/Dados/sbtmp.txt"},
            {"\\dados\\sbtmp.txt", "c/Dados/sbtmp.txt"},   // the root of drive C
            {"C:\\DADOS/Sbtmp.Txt", "c/Dados/sbtmp.txt"},  // either separator
            {"lista\\X.TXT", "app/Lista/x.txt"},
            {"c:\\dados\\sbtmp.txt . ", "c/Dados/sbtmp.txt"},  // trailing blanks and dots go
            {"c:\\dados\\..\\novo.txt", "c/novo.txt"},
        };
        for (const auto& [windows, local] : cases) {
            QCOMPARE(localPath(folders, windows, folders.application), root.filePath(local));
        }
        const QString folder = root.filePath("c/Dados");
        QVERIFY(isOrdinaryFile(folder + "/sbtmp.txt") && !isOrdinaryFile(folder) &&
                existsVisible(folder));
    }
};

QTEST_GUILESS_MAIN(TestPlatform)
#include "test_platform.moc"
