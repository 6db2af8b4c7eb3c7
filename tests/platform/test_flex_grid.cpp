#include "platform/error.h"
#include "platform/flex_grid.h"

#include <QSignalSpy>
#include <QTest>

using namespace etq;

namespace {

// A grid of `rows` rows and 3 columns whose column 0 holds "r<row>".
void fill(FlexGrid& grid, int rows) {
    grid.setCols(3);
    grid.setRows(rows);
    for (int row = 0; row < rows; ++row) {
        grid.setTextMatrix(row, 0, QStringLiteral("r%1").arg(row));
    }
}

QStringList column0(const FlexGrid& grid) {
    QStringList cells;
    for (int row = 0; row < grid.Rows(); ++row) {
        cells << grid.TextMatrix(row, 0);
    }
    return cells;
}

}  // namespace

class TestFlexGrid : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    void opensWithHeaderAndOneEmptyRow() {
        FlexGrid grid;
        QCOMPARE(grid.Rows(), 2);
        QCOMPARE(grid.Row(), 1);
        QCOMPARE(grid.Col(), 0);
        QVERIFY(grid.TextMatrix(1, 1).isEmpty());
    }

    void cellsOutsideTheGridRaise_data() {
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("col");
        QTest::newRow("row -1") << -1 << 0;
        QTest::newRow("row = Rows") << 2 << 0;
        QTest::newRow("col = Cols") << 0 << 2;
        QTest::newRow("col -1") << 1 << -1;
    }
    void cellsOutsideTheGridRaise() {
        QFETCH(int, row);
        QFETCH(int, col);
        FlexGrid grid;
        QVERIFY_THROWS_EXCEPTION(Error, grid.TextMatrix(row, col));
        QVERIFY_THROWS_EXCEPTION(Error, grid.setTextMatrix(row, col, QStringLiteral("x")));
        try {
            grid.setTextMatrix(row, col, QStringLiteral("x"));
        } catch (const Error& error) {
            QCOMPARE(error.number(), Error::SubscriptOutOfRange);
        }
    }

    void growingAndShrinkingKeepsCells() {
        FlexGrid grid;
        fill(grid, 5);
        grid.setCols(8);
        QCOMPARE(grid.TextMatrix(4, 0), QStringLiteral("r4"));
        QVERIFY(grid.TextMatrix(4, 7).isEmpty());
        grid.setRow(4);
        grid.setRows(3);
        QCOMPARE(column0(grid),
                 (QStringList{QStringLiteral("r0"), QStringLiteral("r1"), QStringLiteral("r2")}));
        QCOMPARE(grid.Row(), 2);  // the current row follows the last row
        QVERIFY_THROWS_EXCEPTION(Error, grid.setRows(0));
    }

    void removeItem_data() {
        QTest::addColumn<int>("rows");
        QTest::addColumn<int>("current");
        QTest::addColumn<int>("removed");
        QTest::addColumn<QString>("after");
        QTest::addColumn<int>("currentAfter");
        QTest::newRow("middle row, current on it") << 6 << 2 << 2 << "r0 r1 r3 r4 r5" << 2;
        QTest::newRow("row above the current one") << 6 << 4 << 2 << "r0 r1 r3 r4 r5" << 3;
        QTest::newRow("last row, current on it") << 6 << 5 << 5 << "r0 r1 r2 r3 r4" << 4;
        QTest::newRow("first data row") << 3 << 1 << 1 << "r0 r2" << 1;
    }
    void removeItem() {
        QFETCH(int, rows);
        QFETCH(int, current);
        QFETCH(int, removed);
        QFETCH(QString, after);
        QFETCH(int, currentAfter);
        FlexGrid grid;
        fill(grid, rows);
        grid.setRow(current);
        grid.RemoveItem(removed);
        QCOMPARE(column0(grid).join(QLatin1Char(' ')), after);
        QCOMPARE(grid.Row(), currentAfter);
        QCOMPARE(grid.RowSel(), currentAfter);
    }

    void removeItemKeepsOneDataRowAndTheHeader() {
        FlexGrid grid;
        QVERIFY_THROWS_EXCEPTION(Error, grid.RemoveItem(1));
        fill(grid, 3);
        QVERIFY_THROWS_EXCEPTION(Error, grid.RemoveItem(0));
        QVERIFY_THROWS_EXCEPTION(Error, grid.RemoveItem(3));
    }

    void selectionChangesAreAnnounced() {
        FlexGrid grid;
        fill(grid, 6);
        QSignalSpy spy(&grid, &FlexGrid::selectionChanged);
        grid.setRow(3);
        QCOMPARE(spy.size(), 1);
        grid.setRowSel(5);
        QCOMPARE(grid.Row(), 3);
        QCOMPARE(grid.RowSel(), 5);
        grid.setRow(2);  // collapses the range to the new current row
        QCOMPARE(grid.RowSel(), 2);
        grid.setRow(2);
        QCOMPARE(spy.size(), 3);  // no change, no announcement
        grid.select(1, 2, 4, 0);
        QCOMPARE(grid.ColSel(), 0);
        QCOMPARE(spy.size(), 4);
    }

    void widenHiddenAddsHiddenColumnsOnly() {
        FlexGrid grid;
        grid.setCols(6);
        grid.setColWidth(5, 0);
        grid.setColWidth(4, 1500);
        grid.widenHidden(9);
        QCOMPARE(grid.Cols(), 9);
        QCOMPARE(grid.ColWidth(4), 1500);
        for (int col = 5; col < 9; ++col) {
            QCOMPARE(grid.ColWidth(col), 0);
        }
        grid.widenHidden(7);
        QCOMPARE(grid.Cols(), 9);
    }

    void batchHoldsBackContentSignals() {
        FlexGrid grid;
        QSignalSpy cells(&grid, &FlexGrid::cellChanged);
        QSignalSpy resets(&grid, &FlexGrid::contentReset);
        {
            FlexGrid::Batch outer(grid);
            {
                FlexGrid::Batch inner(grid);
                grid.setTextMatrix(1, 1, QStringLiteral("x"));
                grid.setRows(10);
            }
            QCOMPARE(resets.size(), 0);
        }
        QCOMPARE(cells.size(), 0);
        QCOMPARE(resets.size(), 1);
        { FlexGrid::Batch idle(grid); }
        QCOMPARE(resets.size(), 1);
    }
};

QTEST_GUILESS_MAIN(TestFlexGrid)
#include "test_flex_grid.moc"
