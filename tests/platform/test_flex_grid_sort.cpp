#include "fakes/grid_rows.h"
#include "platform/flex_grid.h"

#include <QLocale>
#include <QSignalSpy>
#include <QTest>

using namespace etq;

namespace {

// A grid of one header row and the given data rows, each row "a|b|c".
void fill(FlexGrid& grid, const QStringList& rows) {
    const int cols = static_cast<int>(rows.value(0).split(QLatin1Char('|')).size());
    grid.setCols(cols);
    grid.setRows(static_cast<int>(rows.size()) + 1);
    for (int col = 0; col < cols; ++col) {
        grid.setTextMatrix(0, col, QStringLiteral("H%1").arg(col));
    }
    for (int row = 0; row < rows.size(); ++row) {
        const QStringList cells = rows[row].split(QLatin1Char('|'));
        for (int col = 0; col < cols; ++col) {
            grid.setTextMatrix(row + 1, col, cells[col]);
        }
    }
}

}  // namespace

class TestFlexGridSort : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    void init() { QLocale::setDefault(QLocale(QLocale::Portuguese, QLocale::Brazil)); }
    void cleanup() { QLocale::setDefault(QLocale::c()); }

    void sorts_data() {
        QTest::addColumn<QStringList>("rows");
        QTest::addColumn<int>("order");
        QTest::addColumn<QStringList>("sorted");
        const int up = int(FlexGrid::SortOrder::GenericAscending);
        const int down = int(FlexGrid::SortOrder::GenericDescending);

        QTest::newRow("numbers as numbers")
            << QStringList{"10", "9", "2", "-1"} << up << QStringList{"-1", "2", "9", "10"};
        QTest::newRow("numbers descending")
            << QStringList{"10", "9", "2"} << down << QStringList{"10", "9", "2"};
        QTest::newRow("decimals in the locale's format")
            << QStringList{"1,5", "1,25", " 1 "} << up << QStringList{" 1 ", "1,25", "1,5"};
        QTest::newRow("numbers before texts")
            << QStringList{"b", "10", "a", "9"} << up << QStringList{"9", "10", "a", "b"};
        QTest::newRow("texts before numbers descending")
            << QStringList{"b", "10", "a", "9"} << down << QStringList{"b", "a", "10", "9"};
        QTest::newRow("empty text first among texts")
            << QStringList{"b", "", "1"} << up << QStringList{"1", "", "b"};
        QTest::newRow("accented letters in alphabetical order")
            << QStringList{"Banana", "Azul", QString::fromUtf8("Água")} << up
            << QStringList{QString::fromUtf8("Água"), "Azul", "Banana"};
        QTest::newRow("text that starts with a digit is text")
            << QStringList{"38A", "40", "5"} << up << QStringList{"5", "40", "38A"};
        QTest::newRow("equal keys keep their order")
            << QStringList{"2|first", "1|x", "2|second", "2|third"} << up
            << QStringList{"1|x", "2|first", "2|second", "2|third"};
        QTest::newRow("equal keys keep their order descending")
            << QStringList{"2|first", "1|x", "2|second"} << down
            << QStringList{"2|first", "2|second", "1|x"};
    }

    void sorts() {
        QFETCH(QStringList, rows);
        QFETCH(int, order);
        QFETCH(QStringList, sorted);
        FlexGrid grid;
        fill(grid, rows);
        grid.select(0, 0, 0, 0);
        grid.Sort(static_cast<FlexGrid::SortOrder>(order));
        QCOMPARE(test::gridRows(grid), sorted);
        QCOMPARE(grid.TextMatrix(0, 0), QStringLiteral("H0"));
    }

    // The selected rows and key columns: rows Row..RowSel, keys Col..ColSel left to right.
    void sortsTheSelection_data() {
        QTest::addColumn<QList<int>>("selection");  // row, col, rowSel, colSel
        QTest::addColumn<QStringList>("sorted");
        QTest::newRow("rows 3 to 4 only")
            << QList<int>{4, 0, 3, 0} << QStringList{"b|2|x", "a|3|y", "a|1|w", "b|1|z"};
        QTest::newRow("rows 1 to 3 only")
            << QList<int>{1, 0, 3, 0} << QStringList{"a|3|y", "b|2|x", "b|1|z", "a|1|w"};
        QTest::newRow("keys: columns 0 then 1")
            << QList<int>{0, 1, 0, 0} << QStringList{"a|1|w", "a|3|y", "b|1|z", "b|2|x"};
        QTest::newRow("key: column 1 alone")
            << QList<int>{1, 1, 1, 1} << QStringList{"b|1|z", "a|1|w", "b|2|x", "a|3|y"};
    }

    void sortsTheSelection() {
        QFETCH(QList<int>, selection);
        QFETCH(QStringList, sorted);
        FlexGrid grid;
        fill(grid, {"b|2|x", "a|3|y", "b|1|z", "a|1|w"});
        grid.select(selection[0], selection[1], selection[2], selection[3]);
        QSignalSpy resets(&grid, &FlexGrid::contentReset);
        grid.Sort(FlexGrid::SortOrder::GenericAscending);
        QCOMPARE(test::gridRows(grid), sorted);
        QCOMPARE(resets.size(), 1);
        QCOMPARE(grid.Row(), selection[0]);
        QCOMPARE(grid.ColSel(), selection[3]);
    }

    void visibility() {
        FlexGrid grid;
        QSignalSpy spy(&grid, &FlexGrid::visibilityChanged);
        QVERIFY(grid.Visible());
        grid.setVisible(false);
        grid.setVisible(false);
        QVERIFY(!grid.Visible());
        grid.setVisible(true);
        QCOMPARE(spy.size(), 2);
        QCOMPARE(spy[0][0].toBool(), false);
        QCOMPARE(spy[1][0].toBool(), true);
    }
};

QTEST_GUILESS_MAIN(TestFlexGridSort)
#include "test_flex_grid_sort.moc"
