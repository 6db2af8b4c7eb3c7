#include "platform/error.h"
#include "routines/column_sorter.h"

#include <QLocale>
#include <QSignalSpy>
#include <QTest>

using namespace etq;

namespace {

const QStringList kHeaders = {QStringLiteral("Qte"),    QStringLiteral("Referência"),
                              QStringLiteral("Cor"),    QStringLiteral("Tamanho"),
                              QStringLiteral("Pedido"), QStringLiteral("Exclui")};

// Three items and the empty last row, as a loaded item grid.
void fill(FlexGrid& grid) {
    grid.setCols(6);
    const QList<QStringList> rows = {
        kHeaders,
        {"3", "B2", "PRETO", "40", "11", "N"},
        {"10", "A1", "AZUL", "38", "12", "N"},
        {"2", "C3", "BRANCO", "39", "10", "N"},
        {"", "", "", "", "", ""},
    };
    grid.setRows(static_cast<int>(rows.size()));
    for (int row = 0; row < rows.size(); ++row) {
        for (int col = 0; col < 6; ++col) {
            grid.setTextMatrix(row, col, rows[row][col]);
        }
    }
}

QStringList column(const FlexGrid& grid, int col) {
    QStringList cells;
    for (int row = 0; row < grid.Rows(); ++row) {
        cells << grid.TextMatrix(row, col);
    }
    return cells;
}

}  // namespace

class TestColumnSorter : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    void init() { QLocale::setDefault(QLocale(QLocale::Portuguese, QLocale::Brazil)); }
    void cleanup() { QLocale::setDefault(QLocale::c()); }

    // Each step: the column asked for, then the whole of columns 1 and 2 (headers included).
    void alternatesAndMarks_data() {
        QTest::addColumn<QList<int>>("calls");
        QTest::addColumn<QStringList>("referencias");
        QTest::addColumn<QStringList>("cores");

        QTest::newRow("column 2 once")
            << QList<int>{2} << QStringList{"Referência", "", "A1", "C3", "B2"}
            << QStringList{"> Cor", "", "AZUL", "BRANCO", "PRETO"};
        QTest::newRow("column 2 twice")
            << QList<int>{2, 2} << QStringList{"Referência", "B2", "C3", "A1", ""}
            << QStringList{"< Cor", "PRETO", "BRANCO", "AZUL", ""};
        QTest::newRow("column 2 three times")
            << QList<int>{2, 2, 2} << QStringList{"Referência", "", "A1", "C3", "B2"}
            << QStringList{"> Cor", "", "AZUL", "BRANCO", "PRETO"};
        QTest::newRow("then column 1")
            << QList<int>{2, 2, 2, 1} << QStringList{"> Referência", "", "A1", "B2", "C3"}
            << QStringList{"Cor", "", "AZUL", "PRETO", "BRANCO"};
        QTest::newRow("column 1 after a descending column 2")
            << QList<int>{2, 2, 1} << QStringList{"> Referência", "", "A1", "B2", "C3"}
            << QStringList{"Cor", "", "AZUL", "PRETO", "BRANCO"};
        QTest::newRow("back to column 2 starts ascending")
            << QList<int>{2, 1, 2} << QStringList{"Referência", "", "A1", "C3", "B2"}
            << QStringList{"> Cor", "", "AZUL", "BRANCO", "PRETO"};
    }

    void alternatesAndMarks() {
        QFETCH(QList<int>, calls);
        QFETCH(QStringList, referencias);
        QFETCH(QStringList, cores);
        FlexGrid grid;
        fill(grid);
        ColumnSorter sorter;
        for (const int col : calls) {
            sorter.ordena_coluna(static_cast<std::int16_t>(col), grid);
        }
        QCOMPARE(column(grid, 1), referencias);
        QCOMPARE(column(grid, 2), cores);
        for (const int col : {0, 3, 4, 5}) {
            QCOMPARE(grid.TextMatrix(0, col), kHeaders[col]);
        }
        QCOMPARE(grid.Row(), 0);
        QCOMPARE(grid.RowSel(), 0);
        QCOMPARE(grid.Col(), calls.last());
        QCOMPARE(grid.ColSel(), calls.last());
    }

    void quantitiesCompareAsNumbers() {
        FlexGrid grid;
        fill(grid);
        ColumnSorter sorter;
        sorter.ordena_coluna(0, grid);
        QCOMPARE(column(grid, 0), (QStringList{"> Qte", "2", "3", "10", ""}));
        sorter.ordena_coluna(0, grid);
        QCOMPARE(column(grid, 0), (QStringList{"< Qte", "", "10", "3", "2"}));
    }

    void hidesWhileSorting() {
        FlexGrid grid;
        fill(grid);
        QSignalSpy spy(&grid, &FlexGrid::visibilityChanged);
        QStringList seenWhileHidden;
        connect(&grid, &FlexGrid::contentReset, &grid,
                [&] { seenWhileHidden << (grid.Visible() ? "visible" : "hidden"); });
        ColumnSorter sorter;
        sorter.ordena_coluna(2, grid);
        QCOMPARE(spy.size(), 2);
        QCOMPARE(spy[0][0].toBool(), false);
        QCOMPARE(spy[1][0].toBool(), true);
        QCOMPARE(seenWhileHidden, QStringList{"hidden"});
        QVERIFY(grid.Visible());
    }

    // A column outside the grid: the error reaches the caller, the grid shows again, and the
    // next call goes on from where the last good one left off.
    void columnOutsideTheGrid() {
        FlexGrid grid;
        fill(grid);
        ColumnSorter sorter;
        sorter.ordena_coluna(2, grid);
        QVERIFY_THROWS_EXCEPTION(Error, sorter.ordena_coluna(6, grid));
        QVERIFY(grid.Visible());
        QCOMPARE(grid.TextMatrix(0, 2), QStringLiteral("> Cor"));
        sorter.ordena_coluna(2, grid);
        QCOMPARE(grid.TextMatrix(0, 2), QStringLiteral("< Cor"));
    }

    // A header rewritten since the last sort has no marker left to take off.
    void rewrittenHeaderKeepsItsText() {
        FlexGrid grid;
        fill(grid);
        ColumnSorter sorter;
        sorter.ordena_coluna(2, grid);
        grid.setTextMatrix(0, 2, QStringLiteral("Cor"));
        sorter.ordena_coluna(1, grid);
        QCOMPARE(grid.TextMatrix(0, 2), QStringLiteral("Cor"));
        QCOMPARE(grid.TextMatrix(0, 1), QStringLiteral("> Referência"));
    }
};

QTEST_GUILESS_MAIN(TestColumnSorter)
#include "test_column_sorter.moc"
